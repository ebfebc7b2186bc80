// Not built yet.
#include "game/handlers.h"

namespace tilvan {

void pressShowSlot(Game&, Prompts&, int) {}

}  // namespace tilvan
