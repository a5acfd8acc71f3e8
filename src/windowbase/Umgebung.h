// SPDX-License-Identifier: GPL-3.0-or-later
// What every window works with: created once at start-up and handed down through the constructors.
#pragma once

class Platform;
class Unit4;

namespace pfl {

class Farbschema;

struct Umgebung {
    Unit4& daten;
    Farbschema& farben;
    Platform& plattform;
};

} // namespace pfl
