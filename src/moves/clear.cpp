// Not built yet.
#include "game/handlers.h"

namespace tilvan {

void pressClearLastMove(Game&, Prompts&) {}

}  // namespace tilvan
