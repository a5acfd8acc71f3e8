// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Anwendung.h"

int main(int argc, char** argv) {
    return pfannoLuxStarten(argc, argv);
}
