// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "data/Satz.h"
// A window folder that reaches into another window folder.
#include "print/Druck.h"
