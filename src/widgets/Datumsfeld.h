// SPDX-License-Identifier: GPL-3.0-or-later
// DateEdit: masked date field "dd.mm.yyyy" with a calendar that drops down from its button.
#pragma once

#include <QDate>
#include <QLineEdit>

class QAction;
class QCalendarWidget;
class QFrame;
class Platform;

class DateEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change)
    Q_PROPERTY(QDate Date READ Date WRITE setDate NOTIFY Change)

public:
    // The text of a field without date: the mask's blanks and points.
    static inline const QString leererText = QStringLiteral("  .  .    ");

    // The calendar opens on the platform's today and inside its work area.
    explicit DateEdit(Platform& plattform, QWidget* parent = nullptr);

    // The text as shown, blanks included ("  .  .    " when empty). QLineEdit::text() drops the
    // blanks, so the windows read this one.
    QString Text() const { return displayText(); }
    // Takes the text through the mask, as if typed.
    void setText(const QString& text);

    // The text read as day.month.year; an invalid date when it is none. A year of one or two digits
    // is 2000 to 2049 for 0 to 49 and 1950 to 1999 for 50 to 99.
    QDate Date() const;
    // Shows the date as "dd.mm.yyyy"; an invalid date empties the field.
    void setDate(const QDate& d);
    bool IsEmpty() const { return displayText() == leererText; }

    // The drop-down calendar (created on first use) and whether it is open.
    QCalendarWidget* Calendar();
    bool IsCalendarOpen() const;

public Q_SLOTS:
    void openCalendar();
    void closeCalendar();

Q_SIGNALS:
    // Every change of the text, typed, picked in the calendar or set.
    void Change();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void tagGewaehlt(const QDate& d);

    Platform& m_plattform;
    QAction* m_knopf = nullptr;
    QFrame* m_popup = nullptr;
    QCalendarWidget* m_kalender = nullptr;
};
