// SPDX-License-Identifier: GPL-3.0-or-later
// A full disk as the program sees it: runs a piece of code in a child process whose files may not
// grow beyond a limit, so every write past it fails (EFBIG) while the test process stays intact.
#pragma once

#include <QtGlobal>
#include <functional>

namespace pfl::test {

// Runs f in a forked child under the file-size limit `grenze` (bytes); returns f's result as the
// child's exit code (0..255), or -1 when the child died or could not be started. Without
// signalIgnorieren the child keeps SIGXFSZ's default, which ends it at the first write past the
// limit unless f itself sees to it.
int mitSchreibgrenze(qint64 grenze, const std::function<int()>& f, bool signalIgnorieren = true);

// A crash in the middle of a write: runs f in a forked child that the limit kills (SIGXFSZ, as
// without the program's own handling) at the first write beyond `grenze`, with the bytes up to the
// limit written. True when the child died that way.
bool anSchreibgrenzeSterben(qint64 grenze, const std::function<void()>& f);

} // namespace pfl::test
