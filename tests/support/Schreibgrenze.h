// SPDX-License-Identifier: GPL-3.0-or-later
// A full disk as the program sees it: runs a piece of code in a child process whose files may not
// grow beyond a limit, so every write past it fails (EFBIG) while the test process stays intact.
#pragma once

#include <QtGlobal>
#include <functional>

namespace pfl::test {

// Runs f in a forked child under the file-size limit `grenze` (bytes); returns f's result as the
// child's exit code (0..255), or -1 when the child died or could not be started.
int mitSchreibgrenze(qint64 grenze, const std::function<int()>& f);

} // namespace pfl::test
