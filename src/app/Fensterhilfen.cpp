#include "app/Fensterhilfen.h"

#include "app/Fenster.h"
#include "platform/Platform.h"

#include <QWidget>

Fenster& fenster() {
    static Fenster f;
    return f;
}

namespace pfl {

void dialogPlatzieren(QWidget* w) {
    const QSize s = platform().screenSize();
    const int sw = (s.width() - w->width()) / 2;
    const int sh = (s.height() - w->height()) / 2;
    w->move(sw, sh + 50);
}

void knopfreihe(QWidget* fenster, QWidget* b1, QWidget* b2, QWidget* b3, int teiler3, int versatz3) {
    const int c = fenster->width() / 2;
    const int y1 = b1->y();
    b1->move(int(c - 1.5 * b1->width() - 15), y1);
    b2->move(c - b2->width() / 2 - 10, b2->y());
    b3->move(c + b3->width() / teiler3 + versatz3, b3->y());
}

} // namespace pfl
