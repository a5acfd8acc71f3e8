// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program on a temporary data directory with the scripted platform, as a user starts it;
// controls are found by their object names, as the windows name them.
#pragma once

#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "support/Bildschirmfoto.h"
#include "support/Testordner.h"
#include "support/ScriptedPlatform.h"

#include <QtTest>
#include <functional>
#include <memory>

namespace pfl::test {

struct LaufendesProgramm {
    ScriptedPlatform plattform;
    Testordner dir;
    Unit4 u;
    pfl::Farbschema farben{u};
    std::unique_ptr<pfl::Anwendung> anwendung;
    TForm1* f = nullptr;

    // vorher fills the data directory before the start; mitHilfe puts a help file beside it.
    explicit LaufendesProgramm(const std::function<void(Testordner&)>& vorher = {}, bool sofort = true,
                               bool mitHilfe = true) {
        if (mitHilfe) dir.schreibe(QStringLiteral("Zirade-Zadod.ize"), "<html></html>");
        if (vorher) vorher(dir);
        if (sofort) starten();
    }
    TForm1* starten() {
        anwendung = std::make_unique<pfl::Anwendung>(u, farben, plattform, dir.pfad());
        f = anwendung->bereit() ? &anwendung->hauptfenster() : nullptr;
        return f;
    }

    // A control of the main window or of one of its windows; the visible one where several share
    // the name (a window that is created anew each time it opens).
    template <typename T = QWidget> T* finde(const QString& name) const {
        T* gefunden = nullptr;
        for (T* k : f->findChildren<T*>(name)) {
            if (auto* w = qobject_cast<QWidget*>(k); w && !w->isVisible() && gefunden) continue;
            gefunden = k;
        }
        if (!gefunden) qWarning("control %s not found", qPrintable(name));
        return gefunden;
    }
    // A control inside a window.
    template <typename T = QWidget> static T* in(QWidget* fenster, const QString& name) {
        T* k = fenster->findChild<T*>(name);
        if (!k) qWarning("control %s not found in %s", qPrintable(name), qPrintable(fenster->objectName()));
        return k;
    }

    optionen optionenDatei() const {
        return Testordner::satz<optionen>(dir.lies(QStringLiteral("Rezept.opt")));
    }
};

// A window's screenshot, when PFANNO_SCREENSHOTS asks for one.
inline void bildSpeichern(QWidget* w, const QString& name) {
    bildschirmfoto(w, QStringLiteral("fenster_") + name);
}

} // namespace pfl::test
