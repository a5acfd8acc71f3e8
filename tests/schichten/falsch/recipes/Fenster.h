#pragma once
#include "data/Satz.h"
// A window folder that reaches into another window folder.
#include "print/Druck.h"
