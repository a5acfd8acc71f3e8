// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a piece of code in a forked child, so that a hang or a crash fails the test instead of
// blocking or killing the test process, and so that the child may give up root's rights.
#pragma once

#include <QString>
#include <functional>
#include <sys/types.h>

namespace pfl::test {

// f's result as the child's exit code (0..255); -1 when the child died, hung longer than
// `sekunden` (then it is killed) or could not be started. What the child prints (QtTest's
// failure messages too) reaches the test's output.
int imKindprozess(const std::function<int()>& f, int sekunden = 20);

// The unprivileged user ("nobody") that a test run as root works as where permission bits must
// count: root reads and writes whatever the bits say.
constexpr uid_t kNiemand = 65534;

// Hands pfad and everything below it to kNiemand when the tests run as root, so that a child that
// dropped to that user can work there; nothing otherwise. False when a file could not be handed.
bool demBenutzerGeben(const QString& pfad);

// In a child process: gives up root's rights for kNiemand's (groups first, then the user, for
// good). True when the process is an ordinary user now, also when it was one before.
bool rechteAbgeben();

// Runs f in a forked child as an ordinary user: as root, pfad is handed to kNiemand first and the
// child drops root's rights before f runs. f's result as the exit code; -1 as imKindprozess, and
// kKeinBenutzer when the rights could not be given up.
constexpr int kKeinBenutzer = 98;
int alsBenutzer(const QString& pfad, const std::function<int()>& f, int sekunden = 20);

// QtTest checks as a child's result: 1 when one of them failed (the child printed which), else 0.
int pruefungen(const std::function<void()>& pruefen);
// What a child returns when the user it runs as writes even where the bits forbid it.
constexpr int kSchreibtUeberall = 97;

} // namespace pfl::test
