// Start-up and shutdown of the program.
#pragma once

int pfannoLuxStarten(int argc, char** argv);
