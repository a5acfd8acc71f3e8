// The windows of the run, one each; a window that is not built yet stays null.
#pragma once

#include <QPointer>

class TForm1;
class Td_anlegen;
class Tloeschen;
class TWechseln;
class TForm52;

struct Fenster {
    QPointer<TForm1> Form1;         // main window
    QPointer<Td_anlegen> d_anlegen; // new book
    QPointer<Tloeschen> loeschen;   // delete book
    QPointer<TWechseln> Wechseln;   // switch book, created anew each time it opens
    QPointer<TForm52> Form52;       // data screen size
};

Fenster& fenster();
