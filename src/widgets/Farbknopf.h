// SPDX-License-Identifier: GPL-3.0-or-later
// TColorButton: push button whose face is filled with a stored colour; a click lets the user choose another.
#pragma once

#include <QList>
#include <QPushButton>

#include <functional>

class Platform;

class TColorButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(quint32 ActiveColor READ ActiveColor WRITE setActiveColor)

public:
    // Runs a colour chooser preset with the colour; true and the new colour when the user confirms.
    using Chooser = std::function<bool(quint32& colour)>;

    // A click runs the platform's colour chooser unless a chooser of its own is set.
    explicit TColorButton(Platform& plattform, QWidget* parent = nullptr);
    TColorButton(Platform& plattform, const QString& text, QWidget* parent = nullptr);

    // The stored colour value (0x00BBGGRR, or 0xFF0000nn for system colour nn) the face shows.
    quint32 ActiveColor() const { return m_farbe; }
    void setActiveColor(quint32 colour);
    QColor Color() const;

    // The chooser's 16 custom colours, handed to it and kept from it.
    QList<quint32> CustomColors() const { return m_eigene; }
    void setCustomColors(const QList<quint32>& colours) { m_eigene = colours; }

    // Replaces the platform's chooser, for a window that keeps the custom colours in its own file.
    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }

    QSize sizeHint() const override;

Q_SIGNALS:
    // The user confirmed a colour in the chooser; ActiveColor already holds it.
    void ColorChosen(quint32 colour);

protected:
    void paintEvent(QPaintEvent* e) override;
    // A double click is a further press, so quick clicks each open the chooser.
    void mouseDoubleClickEvent(QMouseEvent* e) override { mousePressEvent(e); }

private:
    void waehlen();

    Platform& m_plattform;
    quint32 m_farbe = 0xFF00000Fu; // button face
    QList<quint32> m_eigene;
    Chooser m_chooser;
};
