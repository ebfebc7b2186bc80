// Not built yet.
#include "game/handlers.h"

namespace tilvan {

void pressFindWords(Game&, Prompts&) {}

}  // namespace tilvan
