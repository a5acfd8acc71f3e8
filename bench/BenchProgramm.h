// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program on a temporary data folder, for the benchmarks that measure windows.
#pragma once

#include "app/Anwendung.h"
#include "mainwindow/Hauptfenster.h"
#include "data/Farbschema.h"
#include "data/Unit4.h"
#include "BenchHilfen.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// `fuellen` writes the data folder's files before the program starts on it.
struct BenchProgramm {
    BenchPlattform plattform;
    QTemporaryDir tmp;
    const QString lpf = tmp.path() + QLatin1Char('/');
    Unit4 u;
    pfl::Farbschema farben{u};
    std::unique_ptr<pfl::Anwendung> anwendung;

    explicit BenchProgramm(const std::function<void(const QString& lpf)>& fuellen) {
        fuellen(lpf);
        anwendung = std::make_unique<pfl::Anwendung>(u, farben, plattform, lpf);
        QCoreApplication::processEvents();
    }
    TForm1& haupt() const { return anwendung->hauptfenster(); }
};
