// What every window works with: created once at start-up and handed down through the constructors.
#pragma once

class Platform;
class Unit4;

namespace pfl {

struct Umgebung {
    Unit4& daten;
    Platform& plattform;
};

} // namespace pfl
