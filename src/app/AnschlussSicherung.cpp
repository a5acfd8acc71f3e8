// Creates and connects backup, restore and the automatic backup.
#include "app/Anwendung.h"

namespace pfl {

void Anwendung::anschliessenSicherung() {}

} // namespace pfl
