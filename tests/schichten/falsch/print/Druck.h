#pragma once
#include "data/Satz.h"
