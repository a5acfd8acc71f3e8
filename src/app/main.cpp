#include "app/Anwendung.h"

int main(int argc, char** argv) {
    return pfannoLuxStarten(argc, argv);
}
