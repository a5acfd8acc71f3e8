// Creates and connects the search window and the search across all books.
#include "app/Anwendung.h"

namespace pfl {

void Anwendung::anschliessenSuchen() {}

} // namespace pfl
