// The input fields' names for the strict German number reading and writing of data/German.h.
#pragma once

#include "data/German.h"

namespace pfl::eingabe {

using pfl::dezimalText;
using pfl::dezimalzahl;
using pfl::ganzzahl;
using pfl::rechnerText;

} // namespace pfl::eingabe
