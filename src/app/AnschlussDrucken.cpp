// Creates and connects the printing window and the print settings.
#include "app/Anwendung.h"

#include "app/Hauptfenster.h"
#include "print/Druckeinstellungen.h"
#include "print/Drucken.h"
#include "recipes/Bearbeiten.h"

namespace pfl {

void Anwendung::anschliessenDrucken() {
    TForm1* haupt = m_haupt.get();
    m_drucken = new TForm14(m_umgebung, haupt);
    m_druckoptionen = new TForm15(m_umgebung, haupt);
    verbinden(m_drucken);
    verbinden(m_druckoptionen);
    connect(haupt, &TForm1::druckoptionenVerlangt, m_druckoptionen, &Nebenfenster::oeffnen);
    connect(m_bearbeiten, &TForm13::druckenVerlangt, m_drucken, &TForm14::rezeptDrucken);
    // The shopping list is another developer's window: it is found by name, so this file builds
    // with or without it.
    if (QObject* e = haupt->findChild<QObject*>(QStringLiteral("Form3")))
        connect(e, SIGNAL(druckenVerlangt()), m_drucken, SLOT(einkaufslisteDrucken()));
}

} // namespace pfl
