// Threads that the window starts for long work (a simulation, an endgame
// solve) give way to the window's own thread.
#pragma once

namespace tilvan::ui {

// Lowers the calling thread's scheduling priority (nice 10 where the
// system has it per thread, as Linux does; threads it starts inherit it),
// so that on a busy machine the window's thread goes first whenever it has
// an event to answer. Elsewhere it does nothing.
void giveWayToTheWindow();

}  // namespace tilvan::ui
