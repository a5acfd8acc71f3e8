// SPDX-License-Identifier: GPL-3.0-or-later
// TFarbe: the colour dialog "Farbwahl" – colours, fonts, the 3-D look, the background and the style.
#pragma once

#include "windowbase/Nebenfenster.h"
#include "grid/FilterGrid.h"

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QStyle;
class RxSpinEdit;
class TColorButton;

class TFarbe : public pfl::Nebenfenster {
    Q_OBJECT
public:
    TFarbe(pfl::Umgebung& umgebung, QWidget* parent);
    ~TFarbe() override;

public Q_SLOTS:
    // The background preview follows the picture or colour chosen elsewhere (the picture window).
    void hintergrundVorschau();

Q_SIGNALS:
    // colorx changed in memory (or was stored): every open window takes the new colours.
    void farbenGeaendert();
    // A style was activated and stored; the main window is maximised again.
    void styleGewechselt();
    // "Hauptbildschirmhintergrund als Bild": the picture window is wanted.
    void hintergrundBildVerlangt();

protected:
    void vorbereiten() override;
    void faerben() override;

private Q_SLOTS:
    void seiteWaehlen();
    void farbknopfClick();
    void schriftseiteOeffnen();
    void schriftGeaendert();
    void bildClick();
    void farbeClick();
    void hauptLookClick();
    void listenLookClick();
    void ListBox2Click();
    void styleAktivierenClick();
    void speichernClick();
    void grundeinstellungClick();
    void datenbereichClick();

private:
    bool eventFilter(QObject* o, QEvent* e) override;
    QWidget* hauptSeiteBauen();
    QWidget* listenSeiteBauen();
    QWidget* styleSeiteBauen();
    QWidget* schriftSeiteBauen();
    QPushButton* farbknopf(QWidget* seite, int nr, const QRect& r);
    void musterFuellen();
    void FilterGrid1RowColorProc(TFilterGrid& g, QPainter& can, int aCol, int aRow, TGridDrawState state);
    void FilterGrid2RowColorProc(TFilterGrid& g, QPainter& can, int aCol, int aRow, TGridDrawState state);
    void Farben_setzen();
    void Farben_setzen1();
    void musterFaerben();
    void kontrastHinweisZeigen();
    // Contrast at which text reads well (WCAG level AA for body text).
    static constexpr double kGuterKontrast = 4.5;
    void haekchenSetzen();
    void styleVorschau(const QString& name);
    void geaendert();

    // Pages
    QRadioButton* m_hauptWahl = nullptr;  // RadioButton1
    QRadioButton* m_listenWahl = nullptr; // RadioButton3
    QRadioButton* m_styleWahl = nullptr;  // RadioButton5
    QLabel* m_seitenTitel = nullptr;      // Panel10
    QStackedWidget* m_seiten = nullptr;
    QFrame* m_knopfleiste = nullptr;     // bottom button bar
    QLabel* m_kontrastHinweis = nullptr; // names the chosen pairs that read poorly
    // Main window sample
    QFrame* m_muster = nullptr;       // the sample surface (H_bs_hg)
    QLabel* m_musterBild = nullptr;   // Image1, the background picture stretched
    QFrame* m_musterLeiste = nullptr; // toolbar sample (menuebar)
    QLabel* m_musterTitel1 = nullptr;
    QLabel* m_musterTitel2 = nullptr;
    QLabel* m_bestand = nullptr;         // "Bestandsübersicht"
    TFilterGrid* m_muster1 = nullptr;    // FilterGrid1
    TFilterGrid* m_muster2 = nullptr;    // FilterGrid2
    QCheckBox* m_3dKopf = nullptr;       // CheckBox1
    QCheckBox* m_3dDaten = nullptr;      // CheckBox2
    QCheckBox* m_3dKopf1 = nullptr;      // CheckBox3
    QCheckBox* m_3dDaten1 = nullptr;     // CheckBox4
    QLabel* m_kopfFeld = nullptr;        // panel "Hintergrundfarbe Überschriften"
    QLabel* m_datenFeld = nullptr;       // panel "Hintergrundfarbe Datenbereich"
    QLabel* m_kopfFeld1 = nullptr;       // their twins on the listing page
    QLabel* m_datenFeld1 = nullptr;      // a click chooses the sample's gradient end
    TColorButton* m_endfarbe = nullptr;  // ColorButton1
    TColorButton* m_endfarbe1 = nullptr; // ColorButton2
    // Style page
    QListWidget* m_styles = nullptr; // ListBox2
    QLabel* m_aktiverStyle = nullptr;
    QPushButton* m_styleAktivieren = nullptr;
    QFrame* m_vorschau = nullptr;
    std::unique_ptr<QStyle> m_fusion;
    std::unique_ptr<QStyle> m_windows;
    // Font page (Panel18)
    QComboBox* m_kopfSchrift = nullptr;   // ComboBox1
    RxSpinEdit* m_kopfGroesse = nullptr;  // RxSpinEdit1
    QComboBox* m_datenSchrift = nullptr;  // ComboBox2
    RxSpinEdit* m_datenGroesse = nullptr; // RxSpinEdit2
    bool m_schriftFuerListen = false;     // the font page edits the listing tables' fonts
    bool m_fuellen = false;               // controls are being filled, not changed by the user
};
