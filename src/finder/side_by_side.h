// Two independent pieces of work at the same time, for searches that split
// into parts that share nothing they write.
#pragma once

#include <functional>

namespace tilvan {

// Runs `first` on the calling thread and `second` on a helper thread kept for
// the purpose, and returns when both are done. If the helper has not begun
// `second` by the time `first` is done, the calling thread runs it. Where a second thread cannot
// help (a single processor, the helper busy for another caller, a thread that
// cannot be started), both run on the calling thread, first then second. An
// exception from either is rethrown here once both have finished (the
// first's when both threw).
void runSideBySide(const std::function<void()>& first, const std::function<void()>& second);

}  // namespace tilvan
