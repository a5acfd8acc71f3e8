// SPDX-License-Identifier: GPL-3.0-or-later
// TForm14: the page preview of a printout (a recipe or the shopping list) and its printing.
#pragma once

#include "windowbase/Nebenfenster.h"
#include "pages/Drucklayout.h"

#include <memory>

class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QWidget;

class TForm14 : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TForm14(pfl::Umgebung& umgebung, QWidget* parent);
    ~TForm14() override;

    const QList<pfl::Druckseite>& seiten() const { return m_seiten; }

public Q_SLOTS:
    // Lays out the recipe with the recipe settings and shows the preview; an unreadable price or
    // unprintable settings are told instead.
    void rezeptDrucken(const pfl::Druckrezept& rezept);
    // The same for the shopping list's text as the data module holds it (the list window's text).
    void einkaufslisteDrucken();

protected:
    void resizeEvent(QResizeEvent* e) override;

private Q_SLOTS:
    void Button1Click(); // "Zwei Seiten"
    void Button4Click(); // "Eine Seite"
    void Button2Click(); // "Drucken"
    void Button5Click(); // "Anderen Drucker wählen"
    void vorschauMalen(QPrinter* drucker);

private:
    // Shows the laid-out pages, or the reason there are none; false when there are none.
    // titel is the window's caption, dokumenttitel the printout's (the recipe's name or
    // "Einkaufsliste"), which the print job and a PDF file take.
    bool zeigen(const pfl::Drucklayout& layout, const QString& titel, const QString& dokumenttitel);

    std::unique_ptr<QPrinter> m_drucker;
    QPrintPreviewWidget* m_vorschau = nullptr; // NicePreview1
    QWidget* m_leiste = nullptr;               // the bottom bar
    QPushButton* m_andererDrucker = nullptr;   // Button5
    QPushButton* m_eineSeite = nullptr;        // Button4
    QPushButton* m_zweiSeiten = nullptr;       // Button1
    QPushButton* m_drucken = nullptr;          // Button2
    QPushButton* m_beenden = nullptr;          // Button3
    QList<pfl::Druckseite> m_seiten;
    QString m_titel;
};
