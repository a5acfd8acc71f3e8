// SPDX-License-Identifier: GPL-3.0-or-later
// The fonts the stored settings name (Windows families) and the families of this system that
// stand in for them, so that texts measure as the stored layouts expect.
#pragma once

namespace pfl {

// Maps the stored font names to metric-compatible families of the system; loads Debian's Tahoma.
void schriftenErsetzen();

} // namespace pfl
