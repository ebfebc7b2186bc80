// Not built yet.
#include "game/handlers.h"

namespace tilvan {

void pressCheckWords(Game&, Prompts&) {}

}  // namespace tilvan
