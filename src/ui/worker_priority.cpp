#include "ui/worker_priority.h"

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace tilvan::ui {

void giveWayToTheWindow() {
#ifdef __linux__
  // On Linux the nice value belongs to the thread, not to the process.
  setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
#endif
}

}  // namespace tilvan::ui
