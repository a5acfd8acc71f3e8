// Creates and connects the colour dialog, the background picture and the information windows.
#include "app/Anwendung.h"

namespace pfl {

void Anwendung::anschliessenFarbenUndInfo() {}

} // namespace pfl
