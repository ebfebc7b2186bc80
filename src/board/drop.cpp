// Not built yet.
#include "game/handlers.h"

namespace tilvan {

void dropTile(Game&, Prompts&, int, int, int) {}

}  // namespace tilvan
