// Pieces shared by the three recipe-book windows.
#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace pfl {

QLabel* buchLabel(QWidget* fenster, const QString& name, const QString& text, const QRect& r);
QPushButton* buchKnopf(QWidget* fenster, const QString& name, const QString& text);
// The file list of the books: the files of the data directory whose extension is ".rez" in any case.
QListWidget* buchListe(QWidget* fenster, const QRect& r);
void buchListeFuellen(QListWidget* liste);
// Window, button-bar and list colours from the colour scheme.
void buchfensterFaerben(QWidget* fenster);
// Copy1 of the main window, when there is one.
void hauptfensterAuffrischen();

} // namespace pfl
