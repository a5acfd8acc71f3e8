// Runs a piece of code in a forked child, so that a hang or a crash fails the test instead of
// blocking or killing the test process.
#pragma once

#include <functional>

namespace pfl::test {

// f's result as the child's exit code (0..255); -1 when the child died, hung longer than
// `sekunden` (then it is killed) or could not be started.
int imKindprozess(const std::function<int()>& f, int sekunden = 20);

} // namespace pfl::test
