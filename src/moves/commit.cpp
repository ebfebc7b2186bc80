// Not built yet.
#include "game/handlers.h"

namespace tilvan {

void pressUse(Game&, Prompts&) {}

}  // namespace tilvan
