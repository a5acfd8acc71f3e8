// SPDX-License-Identifier: GPL-3.0-or-later
// The data module on a fresh temporary data directory, with the scripted platform installed.
#pragma once

#include "data/Unit4.h"
#include "support/Testordner.h"
#include "support/ScriptedPlatform.h"

struct Datenumgebung {
    ScriptedPlatform plattform;
    Testordner dir;
    Unit4 u;
    Datenumgebung() {
        u.lpf = dir.pfad();
        u.uhr = [this] { return plattform.today(); };
    }
};
