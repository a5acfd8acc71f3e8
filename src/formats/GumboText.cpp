// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/GumboText.h"

#include <QDeadlineTimer>
#include <QList>

#include <csetjmp>
#include <cstdlib>
#include <vector>

namespace pfl {

namespace {

thread_local Lesegrenze* t_grenze = nullptr;

qint64 jetzt() {
    return QDeadlineTimer::current().deadline();
}

} // namespace

// Every block gumbo holds, in one list, so a stopped parse can give all of them back.
struct Speicherkonto {
    struct alignas(std::max_align_t) Kopf {
        Kopf* vor;
        Kopf* nach;
        size_t groesse;
    };
    Kopf* erster = nullptr;
    size_t belegt = 0;
    qint64 ende = 0;
    unsigned zaehler = 0;
    std::jmp_buf sprung;

    static void* zuteilen(void* konto, size_t groesse) {
        auto* k = static_cast<Speicherkonto*>(konto);
        // The clock only now and then: gumbo asks for memory for every token.
        if (k->belegt + groesse > Lesegrenze::kSpeicher || (++k->zaehler % 64 == 0 && jetzt() > k->ende))
            std::longjmp(k->sprung, 1);
        auto* b = static_cast<Kopf*>(std::malloc(sizeof(Kopf) + groesse));
        if (!b) std::longjmp(k->sprung, 1);
        b->vor = nullptr;
        b->nach = k->erster;
        b->groesse = groesse;
        if (k->erster) k->erster->vor = b;
        k->erster = b;
        k->belegt += groesse;
        return b + 1;
    }
    static void freigeben(void* konto, void* p) {
        if (!p) return;
        auto* k = static_cast<Speicherkonto*>(konto);
        Kopf* b = static_cast<Kopf*>(p) - 1;
        if (b->vor)
            b->vor->nach = b->nach;
        else
            k->erster = b->nach;
        if (b->nach) b->nach->vor = b->vor;
        k->belegt -= b->groesse;
        std::free(b);
    }
    void allesFreigeben() {
        while (erster) {
            Kopf* b = erster;
            erster = b->nach;
            std::free(b);
        }
        belegt = 0;
    }
    GumboOptions optionen() {
        GumboOptions o = kGumboDefaultOptions;
        o.max_errors = 0; // a broken page would otherwise collect millions of error records
        o.allocator = &Speicherkonto::zuteilen;
        o.deallocator = &Speicherkonto::freigeben;
        o.userdata = this;
        return o;
    }
};

namespace {

// Only trivially destructible objects live between setjmp and the jump back.
GumboOutput* parsen(Speicherkonto* k, const GumboOptions* o, const char* text, size_t laenge) {
    if (setjmp(k->sprung) != 0) return nullptr;
    return gumbo_parse_with_options(o, text, laenge);
}

bool istBlock(GumboTag t) {
    switch (t) {
    case GUMBO_TAG_ADDRESS:
    case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_ASIDE:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_DD:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_DL:
    case GUMBO_TAG_DT:
    case GUMBO_TAG_FIELDSET:
    case GUMBO_TAG_FIGCAPTION:
    case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_FORM:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
    case GUMBO_TAG_HEADER:
    case GUMBO_TAG_HR:
    case GUMBO_TAG_LI:
    case GUMBO_TAG_MAIN:
    case GUMBO_TAG_NAV:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_P:
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_SECTION:
    case GUMBO_TAG_TABLE:
    case GUMBO_TAG_TR:
    case GUMBO_TAG_UL:
    case GUMBO_TAG_BR:
        return true;
    default:
        return false;
    }
}

bool ohneText(GumboTag t) {
    return t == GUMBO_TAG_SCRIPT || t == GUMBO_TAG_STYLE || t == GUMBO_TAG_TEMPLATE ||
           t == GUMBO_TAG_NOSCRIPT || t == GUMBO_TAG_HEAD;
}

const GumboVector* kinder(const GumboNode* k) {
    switch (k->type) {
    case GUMBO_NODE_DOCUMENT:
        return &k->v.document.children;
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE:
        return &k->v.element.children;
    default:
        return nullptr;
    }
}

} // namespace

Lesegrenze::Lesegrenze(qint64 millisekunden) : m_aussen(t_grenze), m_ende(jetzt() + millisekunden) {
    t_grenze = this;
}

Lesegrenze::~Lesegrenze() {
    t_grenze = m_aussen;
    if (m_aussen && m_ueberschritten) m_aussen->m_ueberschritten = true;
}

bool Lesegrenze::ueberschritten() const {
    return m_ueberschritten;
}

GumboDokument::GumboDokument(const QByteArray& utf8) : m_text(utf8), m_konto(new Speicherkonto) {
    Lesegrenze eigene;
    Lesegrenze* grenze = eigene.m_aussen ? eigene.m_aussen : &eigene;
    if (grenze->m_ueberschritten) {
        m_abgebrochen = true; // the read is over its time already
        return;
    }
    m_konto->ende = grenze->m_ende;
    const GumboOptions o = m_konto->optionen();
    m_ausgabe = parsen(m_konto, &o, m_text.constData(), size_t(m_text.size()));
    if (!m_ausgabe) {
        m_konto->allesFreigeben();
        m_abgebrochen = true;
        grenze->m_ueberschritten = true;
    }
}

GumboDokument::~GumboDokument() {
    if (m_ausgabe) {
        const GumboOptions o = m_konto->optionen();
        gumbo_destroy_output(&o, m_ausgabe);
    }
    m_konto->allesFreigeben();
    delete m_konto;
}

QString knotenText(const GumboNode* wurzel) {
    if (!wurzel) return {};
    QByteArray aus; // gumbo's text is UTF-8; one conversion at the end
    // An explicit stack: pages nest as deep as they like.
    std::vector<std::pair<const GumboNode*, unsigned>> stapel;
    stapel.emplace_back(wurzel, 0);
    while (!stapel.empty()) {
        auto& [k, i] = stapel.back();
        if (i == 0) {
            if (k->type == GUMBO_NODE_TEXT || k->type == GUMBO_NODE_WHITESPACE ||
                k->type == GUMBO_NODE_CDATA) {
                aus.append(k->v.text.text);
                stapel.pop_back();
                continue;
            }
            if (k->type == GUMBO_NODE_ELEMENT || k->type == GUMBO_NODE_TEMPLATE) {
                const GumboTag t = k->v.element.tag;
                if (ohneText(t) && k != wurzel) {
                    stapel.pop_back();
                    continue;
                }
                if (istBlock(t)) aus.append('\n');
                if (t == GUMBO_TAG_TD || t == GUMBO_TAG_TH) aus.append(' ');
            }
        }
        const GumboVector* v = kinder(k);
        if (v && i < v->length) {
            const auto* kind = static_cast<const GumboNode*>(v->data[i]);
            ++i;
            stapel.emplace_back(kind, 0);
            continue;
        }
        if ((k->type == GUMBO_NODE_ELEMENT || k->type == GUMBO_NODE_TEMPLATE) && istBlock(k->v.element.tag))
            aus.append('\n');
        stapel.pop_back();
    }
    return QString::fromUtf8(aus);
}

QString zeilenAufraeumen(const QString& text) {
    QString aus;
    aus.reserve(text.size());
    for (QStringView zeile : QStringView(text).split(QLatin1Char('\n'))) {
        QString z = zeile.toString();
        z.remove(QChar(0x00AD));
        z = z.simplified();
        if (z.isEmpty()) continue;
        if (!aus.isEmpty()) aus.append(QLatin1Char('\n'));
        aus.append(z);
    }
    return aus;
}

QString attribut(const GumboNode* element, const char* name) {
    if (!element || (element->type != GUMBO_NODE_ELEMENT && element->type != GUMBO_NODE_TEMPLATE)) return {};
    const GumboAttribute* a = gumbo_get_attribute(&element->v.element.attributes, name);
    return a ? QString::fromUtf8(a->value) : QString();
}

} // namespace pfl
