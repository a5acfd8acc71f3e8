// SPDX-License-Identifier: GPL-3.0-or-later
// Text out of gumbo's HTML trees, shared by the page reader and the fragment decoder.
#pragma once

#include <QByteArray>
#include <QString>

#include <gumbo.h>

namespace pfl {

struct Speicherkonto;

// The time and memory one read may spend in the HTML parser. Gumbo needs time that grows with the
// square of a page's nesting depth, so a hostile page would hold the reader for hours; past the
// limits it stops, and the read reports the page as unreadable. One Lesegrenze on the stack covers
// every parse below it on the same thread (the page and each text fragment inside it).
class Lesegrenze {
public:
    explicit Lesegrenze(qint64 millisekunden = standardzeit());
    ~Lesegrenze();
    Lesegrenze(const Lesegrenze&) = delete;
    Lesegrenze& operator=(const Lesegrenze&) = delete;
    // Whether a parse under this limit was stopped.
    bool ueberschritten() const;

    static qint64 standardzeit() { return s_standardzeit; }
    // For tests: a shorter limit for what follows.
    static void setzeStandardzeit(qint64 millisekunden) { s_standardzeit = millisekunden; }
    static constexpr size_t kSpeicher = size_t(1) << 30;

private:
    friend class GumboDokument;
    static inline qint64 s_standardzeit = 10000;
    Lesegrenze* m_aussen;
    qint64 m_ende;
    bool m_ueberschritten = false;
};

// Owns one parsed document. Without a Lesegrenze on the stack, it brings its own.
class GumboDokument {
public:
    explicit GumboDokument(const QByteArray& utf8);
    ~GumboDokument();
    GumboDokument(const GumboDokument&) = delete;
    GumboDokument& operator=(const GumboDokument&) = delete;
    const GumboNode* wurzel() const { return m_ausgabe ? m_ausgabe->root : nullptr; }
    // The parser was stopped at a limit: there is no tree.
    bool abgebrochen() const { return m_abgebrochen; }

private:
    QByteArray m_text; // gumbo points into it
    Speicherkonto* m_konto = nullptr;
    GumboOutput* m_ausgabe = nullptr;
    bool m_abgebrochen = false;
};

// The text under `knoten` (without scripts and styles): block ends and <br> as "\n", table cells
// apart by a blank. Not tidied.
QString knotenText(const GumboNode* knoten);

// Each line with its blanks collapsed and soft hyphens removed; empty lines dropped.
QString zeilenAufraeumen(const QString& text);

// The value of an element's attribute, or a null string.
QString attribut(const GumboNode* element, const char* name);

} // namespace pfl
