// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Rechnerfeld.h"

#include "data/Deutsch.h"
#include "platform/Platform.h"
#include "widgets/Aufklappen.h"
#include "widgets/Klappsymbol.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <cmath>

// --- Rechner ---

double Rechner::eingabeWert() const {
    return m_eingabe.isEmpty() ? m_anzeigeWert : m_eingabe.toDouble();
}

void Rechner::ziffer(int z) {
    if (m_fehler) loeschen();
    if (m_neueEingabe) {
        m_eingabe.clear();
        m_neueEingabe = false;
    }
    if (m_eingabe == QLatin1String("0")) m_eingabe.clear();
    // More digits than a double holds would only show noise.
    if (m_eingabe.count(QRegularExpression(QStringLiteral("[0-9]"))) >= 15) return;
    m_eingabe += QChar(u'0' + z);
    m_anzeigeWert = eingabeWert();
}

void Rechner::komma() {
    if (m_fehler) loeschen();
    if (m_neueEingabe) {
        m_eingabe.clear();
        m_neueEingabe = false;
    }
    if (m_eingabe.contains(QLatin1Char('.'))) return;
    if (m_eingabe.isEmpty()) m_eingabe = QStringLiteral("0");
    m_eingabe += QLatin1Char('.');
}

void Rechner::rechnen() {
    const double b = eingabeWert();
    switch (m_op) {
    case Op::Keine:
        m_speicher = b;
        break;
    case Op::Plus:
        m_speicher += b;
        break;
    case Op::Minus:
        m_speicher -= b;
        break;
    case Op::Mal:
        m_speicher *= b;
        break;
    case Op::Durch:
        if (b == 0) {
            m_fehler = true;
            return;
        }
        m_speicher /= b;
        break;
    }
    if (!std::isfinite(m_speicher)) m_fehler = true;
    m_anzeigeWert = m_speicher;
}

void Rechner::operation(Op op) {
    if (m_fehler) return;
    // A second operation key in a row only replaces the first.
    if (!m_neueEingabe || m_op == Op::Keine) rechnen();
    m_op = op;
    m_eingabe.clear();
    m_neueEingabe = true;
}

void Rechner::gleich() {
    if (m_fehler) return;
    if (m_op != Op::Keine) rechnen();
    m_op = Op::Keine;
    m_eingabe.clear();
    m_neueEingabe = true;
}

void Rechner::loeschen() {
    *this = Rechner();
}

void Rechner::zurueck() {
    if (m_fehler || m_neueEingabe || m_eingabe.isEmpty()) return;
    m_eingabe.chop(1);
    if (m_eingabe.isEmpty() || m_eingabe == QLatin1String("-")) m_eingabe = QStringLiteral("0");
    m_anzeigeWert = eingabeWert();
}

void Rechner::setzen(double v) {
    loeschen();
    m_anzeigeWert = std::isfinite(v) ? v : 0;
}

QString Rechner::anzeige() const {
    if (m_fehler) return QStringLiteral("Fehler");
    if (!m_eingabe.isEmpty()) {
        QString s = m_eingabe;
        s.replace(QLatin1Char('.'), QLatin1Char(','));
        return s;
    }
    return pfl::rechnerText(m_anzeigeWert);
}

// --- RxCalcEdit ---

RxCalcEdit::RxCalcEdit(Platform& plattform, QWidget* parent) : QLineEdit(parent), m_plattform(plattform) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAccessibleDescription(tr("Zahl mit Komma; Alt+Pfeil nach unten öffnet den Rechner"));
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-+]?[0-9.,]*")), this));
    m_knopf = addAction(pfl::klappSymbol(pfl::Symbol::Rechner, palette()), QLineEdit::TrailingPosition);
    m_knopf->setText(tr("Rechner"));
    m_knopf->setToolTip(tr("Rechner öffnen"));
    connect(m_knopf, &QAction::triggered, this, &RxCalcEdit::openCalculator);
    connect(this, &QLineEdit::textChanged, this, &RxCalcEdit::Change);
}

double RxCalcEdit::Value() const {
    return pfl::dezimalzahl(text()).value_or(0);
}

bool RxCalcEdit::IsValid() const {
    return text().trimmed().isEmpty() || pfl::dezimalzahl(text()).has_value();
}

void RxCalcEdit::setValue(double v) {
    setText(pfl::rechnerText(std::isfinite(v) ? v : 0));
}

QFrame* RxCalcEdit::Calculator() {
    if (m_popup) return m_popup;
    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(QStringLiteral("Rechner"));
    m_popup->setAccessibleName(tr("Rechner"));
    m_popup->setFrameShape(QFrame::StyledPanel);
    m_popup->setAttribute(Qt::WA_WindowPropagation);
    m_popup->installEventFilter(this);
    auto* raster = new QGridLayout(m_popup);
    raster->setContentsMargins(4, 4, 4, 4);
    raster->setSpacing(3);
    m_anzeige = new QLineEdit(m_popup);
    m_anzeige->setObjectName(QStringLiteral("Anzeige"));
    m_anzeige->setAccessibleName(tr("Anzeige"));
    m_anzeige->setReadOnly(true);
    m_anzeige->setFocusPolicy(Qt::NoFocus);
    m_anzeige->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    raster->addWidget(m_anzeige, 0, 0, 1, 4);
    // Caption, accessible name, row, column.
    struct Taste {
        const char* text;
        const char* name;
        int zeile, spalte;
    };
    static const Taste tasten[] = {
        {"C", "Löschen", 1, 0},
        {"\u2190", "Rücktaste", 1, 1},
        {"\u00F7", "geteilt durch", 1, 2},
        {"\u00D7", "mal", 1, 3},
        {"7", "7", 2, 0},
        {"8", "8", 2, 1},
        {"9", "9", 2, 2},
        {"\u2212", "minus", 2, 3},
        {"4", "4", 3, 0},
        {"5", "5", 3, 1},
        {"6", "6", 3, 2},
        {"+", "plus", 3, 3},
        {"1", "1", 4, 0},
        {"2", "2", 4, 1},
        {"3", "3", 4, 2},
        {"=", "gleich", 4, 3},
        {"0", "0", 5, 0},
        {",", "Komma", 5, 2},
    };
    for (const Taste& t : tasten) {
        const QString text = QString::fromUtf8(t.text);
        auto* b = new QPushButton(text, m_popup);
        b->setObjectName(QStringLiteral("Taste") + text);
        b->setAccessibleName(QString::fromUtf8(t.name));
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
        b->setMinimumSize(32, 26);
        b->setMaximumWidth(text == QLatin1String("0") ? 1000 : 40);
        if (text == QLatin1String("0"))
            raster->addWidget(b, t.zeile, t.spalte, 1, 2);
        else if (text == QLatin1String("="))
            raster->addWidget(b, t.zeile, t.spalte, 2, 1);
        else
            raster->addWidget(b, t.zeile, t.spalte);
        if (text == QLatin1String("=")) b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        connect(b, &QPushButton::clicked, this, [this, text] { taste(text); });
    }
    return m_popup;
}

bool RxCalcEdit::IsCalculatorOpen() const {
    return m_popup && m_popup->isVisible();
}

void RxCalcEdit::openCalculator() {
    if (isReadOnly() || !isEnabled()) return;
    QFrame* p = Calculator();
    m_rechner.setzen(Value());
    anzeigen();
    p->adjustSize();
    pfl::popupPlatzieren(p, this, m_plattform.workArea(), true);
    p->show();
    p->setFocus(Qt::PopupFocusReason);
}

void RxCalcEdit::closeCalculator() {
    if (m_popup) m_popup->hide();
}

void RxCalcEdit::anzeigen() {
    if (m_anzeige) m_anzeige->setText(m_rechner.anzeige());
}

void RxCalcEdit::taste(const QString& t) {
    if (t.size() == 1 && t[0].isDigit())
        m_rechner.ziffer(t[0].digitValue());
    else if (t == QLatin1String(","))
        m_rechner.komma();
    else if (t == QLatin1String("+"))
        m_rechner.operation(Rechner::Op::Plus);
    else if (t == QStringLiteral("\u2212"))
        m_rechner.operation(Rechner::Op::Minus);
    else if (t == QStringLiteral("\u00D7"))
        m_rechner.operation(Rechner::Op::Mal);
    else if (t == QStringLiteral("\u00F7"))
        m_rechner.operation(Rechner::Op::Durch);
    else if (t == QLatin1String("C"))
        m_rechner.loeschen();
    else if (t == QStringLiteral("\u2190"))
        m_rechner.zurueck();
    else if (t == QLatin1String("=")) {
        m_rechner.gleich();
        anzeigen();
        // The result goes into the field; an error leaves the field as it was.
        if (!m_rechner.fehler()) {
            setValue(m_rechner.wert());
            closeCalculator();
            setFocus(Qt::PopupFocusReason);
        }
        return;
    }
    anzeigen();
}

bool RxCalcEdit::eventFilter(QObject* o, QEvent* e) {
    if (o == m_popup && e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const QString t = k->text();
        switch (k->key()) {
        case Qt::Key_Escape:
            closeCalculator();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            taste(QStringLiteral("="));
            return true;
        case Qt::Key_Backspace:
            taste(QStringLiteral("\u2190"));
            return true;
        case Qt::Key_Delete:
            taste(QStringLiteral("C"));
            return true;
        default:
            break;
        }
        if (t.size() == 1) {
            const QChar c = t[0];
            if (c.isDigit() || c == QLatin1Char(',') || c == QLatin1Char('+') || c == QLatin1Char('='))
                taste(QString(c));
            else if (c == QLatin1Char('.'))
                taste(QStringLiteral(","));
            else if (c == QLatin1Char('-'))
                taste(QStringLiteral("\u2212"));
            else if (c == QLatin1Char('*'))
                taste(QStringLiteral("\u00D7"));
            else if (c == QLatin1Char('/') || c == QLatin1Char(':'))
                taste(QStringLiteral("\u00F7"));
            else if (c.toUpper() == QLatin1Char('C'))
                taste(QStringLiteral("C"));
            return true;
        }
    }
    return QLineEdit::eventFilter(o, e);
}

void RxCalcEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_F4 || (e->key() == Qt::Key_Down && (e->modifiers() & Qt::AltModifier))) {
        openCalculator();
        return;
    }
    QLineEdit::keyPressEvent(e);
}
