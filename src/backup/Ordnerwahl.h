// SPDX-License-Identifier: GPL-3.0-or-later
// The folder chooser of the backup window: a box of places (home, data folder, mounted media and
// the file system's root stand where other systems have drives) and the list of the current
// folder's subfolders, with ".." leading up.
#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QLabel;
class QListWidget;
class QWidget;

namespace pfl {

class Ordnerwahl : public QObject {
    Q_OBJECT
public:
    // ortName / ordnerName are the controls' object names (DriveComboBox1, DirectoryListBox1 ...).
    Ordnerwahl(QWidget* seite, const QString& ortName, const QString& ordnerName,
               const QString& lesbarerName);

    QComboBox* orte() const { return m_orte; }
    QListWidget* ordner() const { return m_ordner; }
    // Shows where the list is.
    QLabel* pfad() const { return m_pfad; }
    const QString& aktuell() const { return m_aktuell; }
    // Fills the places; datenordner is one of them.
    void orteFuellen(const QString& datenordner);
    // Shows the folder (without telling anyone).
    void zeigen(const QString& pfad);

Q_SIGNALS:
    // The user went into a folder (list click).
    void ordnerGewaehlt(const QString& pfad);
    // The user chose a place (the former drive change).
    void ortGewechselt(const QString& pfad);

private:
    void eintragGeklickt();
    void ortGewaehlt(int index);

    QComboBox* m_orte = nullptr;
    QListWidget* m_ordner = nullptr;
    QLabel* m_pfad = nullptr;
    QString m_aktuell;
};

} // namespace pfl
