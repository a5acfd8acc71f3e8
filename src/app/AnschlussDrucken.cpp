// Creates and connects the printing window and the print settings.
#include "app/Anwendung.h"

namespace pfl {

void Anwendung::anschliessenDrucken() {}

} // namespace pfl
