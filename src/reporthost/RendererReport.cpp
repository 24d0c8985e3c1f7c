#include "RendererReport.h"

#include "Formati.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

namespace {

// Layout unit: a tenth of a point. Fonts are sized in pixels of this unit, so their
// metrics are those of a large font and scale linearly to any device.
constexpr double PT = 10.0;

constexpr double MARGINE_CELLA_X = 3 * PT;
constexpr double MARGINE_CELLA_Y = 2 * PT;
constexpr double SPAZIO_BLOCCHI = 14 * PT;
constexpr double SPAZIO_TESTATA = 10 * PT;
constexpr double ALTEZZA_PIEDE = 20 * PT;
constexpr double QUOTA_ETICHETTE = 0.32; // width of the labels of a card

const QColor COLORE_TESTO(0, 0, 0);
const QColor COLORE_ETICHETTA(60, 60, 60);
const QColor COLORE_RIGA(190, 190, 190);
const QColor COLORE_BORDO(70, 70, 70);
const QColor COLORE_INTESTAZIONE(230, 230, 230);
const QColor COLORE_RIEPILOGO(243, 243, 243);

using Stile = RendererReport::Stile;
using Elemento = RendererReport::Elemento;

QFont fontStile(Stile stile) {
    QFont f(QStringLiteral("Arial"));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    double punti = 9;
    switch (stile) {
    case Stile::Testo:
        break;
    case Stile::Grassetto:
        f.setBold(true);
        break;
    case Stile::Corsivo:
        f.setItalic(true);
        break;
    case Stile::Piccolo:
        punti = 7.5;
        break;
    case Stile::Titolo:
        punti = 15;
        f.setBold(true);
        break;
    case Stile::Sottotitolo:
        punti = 10.5;
        break;
    case Stile::Sezione:
        punti = 10.5;
        f.setBold(true);
        break;
    case Stile::Evidenza:
        punti = 19;
        f.setBold(true);
        break;
    }
    f.setPixelSize(qRound(punti * PT));
    return f;
}

double altezzaRigaFont(Stile stile) {
    return QFontMetricsF(fontStile(stile)).height();
}

QTextOption opzioneTesto(int allineamento, bool unaRiga = false) {
    QTextOption o{Qt::Alignment(allineamento)};
    o.setWrapMode(unaRiga ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
    return o;
}

// Line breaks of stored texts (CR LF, LF) become the line separator both the measure and
// the painting honour.
QString testoStampa(QString testo) {
    testo.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    testo.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    testo.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return testo;
}

Elemento testoSuRiga(const QRectF& r, Stile stile, int allineamento, const QString& testo) {
    Elemento e;
    e.rettangolo = r;
    e.stile = stile;
    e.allineamento = allineamento;
    e.testo = QFontMetricsF(fontStile(stile)).elidedText(testo, Qt::ElideRight, r.width());
    return e;
}

Elemento linea(const QPointF& da, const QPointF& a, const QColor& colore, double spessore) {
    Elemento e;
    e.tipo = Elemento::Tipo::Linea;
    e.rettangolo = QRectF(da, a);
    e.colore = colore;
    e.spessore = spessore;
    return e;
}

void disegna(QPainter& p, const QVector<Elemento>& elementi) {
    for (const Elemento& e : elementi) {
        switch (e.tipo) {
        case Elemento::Tipo::Testo:
            p.setFont(fontStile(e.stile));
            p.setPen(e.colore);
            p.drawText(e.rettangolo, e.testo, opzioneTesto(e.allineamento, e.unaRiga));
            break;
        case Elemento::Tipo::Linea:
            p.setPen(QPen(e.colore, e.spessore, e.tratto));
            p.drawLine(e.rettangolo.topLeft(), e.rettangolo.bottomRight());
            break;
        case Elemento::Tipo::Sfondo:
            p.fillRect(e.rettangolo, e.colore);
            break;
        }
    }
}

} // namespace

RendererReport::RendererReport(const Report& report, const QSizeF& areaPunti)
    : m_report(report), m_area(areaPunti * PT) {
    m_altoCorpo = cornice(0).last().rettangolo.bottom() + SPAZIO_TESTATA;
    m_bassoCorpo = m_area.height() - ALTEZZA_PIEDE;
    impagina();
}

int RendererReport::pagineNumerate() const {
    return static_cast<int>(m_frontespizi.count(false));
}

int RendererReport::numeroPagina(int pagina) const {
    return static_cast<int>(std::count(
        m_frontespizi.begin(),
        m_frontespizi.begin() + std::min<qsizetype>(pagina + 1, m_frontespizi.size()), false));
}

// The top of every page (organisation, time of print, title, subtitle, a rule) and its
// bottom (a rule, the title, the page number). The rule under the title comes last. A cover
// has neither, and the page numbers start after it.
QVector<Elemento> RendererReport::cornice(int pagina) const {
    const double w = m_area.width();
    QVector<Elemento> e;
    const double hRiga = altezzaRigaFont(Stile::Grassetto);
    const QString stampato = QStringLiteral("Stampato il %1 alle %2")
                                 .arg(utTestoData(m_report.stampa.date()),
                                      m_report.stampa.time().toString(QStringLiteral("HH:mm")));
    e << testoSuRiga(QRectF(0, 0, w * 0.65, hRiga), Stile::Grassetto,
                     Qt::AlignLeft | Qt::AlignBottom, m_report.organizzazione);
    e << testoSuRiga(QRectF(w * 0.65, 0, w * 0.35, hRiga), Stile::Piccolo,
                     Qt::AlignRight | Qt::AlignBottom, stampato);
    double y = hRiga + 3 * PT;
    const double hTitolo = altezzaRigaFont(Stile::Titolo);
    e << testoSuRiga(QRectF(0, y, w, hTitolo), Stile::Titolo, Qt::AlignLeft, m_report.titolo);
    y += hTitolo;
    if (!m_report.sottotitolo.isEmpty()) {
        const double hSotto = altezzaRigaFont(Stile::Sottotitolo);
        e << testoSuRiga(QRectF(0, y, w, hSotto), Stile::Sottotitolo, Qt::AlignLeft,
                         m_report.sottotitolo);
        y += hSotto;
    }

    const double yPiede = m_area.height() - ALTEZZA_PIEDE + 6 * PT;
    const double hPiccolo = altezzaRigaFont(Stile::Piccolo);
    e << linea({0, yPiede}, {w, yPiede}, COLORE_BORDO, 0.5 * PT);
    e << testoSuRiga(QRectF(0, yPiede + 2 * PT, w * 0.7, hPiccolo), Stile::Piccolo, Qt::AlignLeft,
                     QStringLiteral("Dolvera - ") + m_report.titolo);
    e << testoSuRiga(
        QRectF(w * 0.7, yPiede + 2 * PT, w * 0.3, hPiccolo), Stile::Piccolo, Qt::AlignRight,
        QStringLiteral("Pagina %1 di %2").arg(numeroPagina(pagina)).arg(pagineNumerate()));

    y += 3 * PT;
    e << linea({0, y}, {w, y}, COLORE_TESTO, 1.0 * PT);
    return e;
}

void RendererReport::impagina() {
    misuraColonne();
    nuovaPagina();
    for (qsizetype i = 0; i < m_report.blocchi.size(); ++i) {
        const BloccoReport& b = m_report.blocchi.at(i);
        switch (b.tipo) {
        case BloccoReport::Tipo::Copertina:
            impaginaCopertina(b);
            if (i + 1 < m_report.blocchi.size())
                nuovaPagina();
            continue;
        case BloccoReport::Tipo::Campi:
            impaginaCampi(b);
            break;
        case BloccoReport::Tipo::Tabella:
            impaginaTabella(b);
            break;
        case BloccoReport::Tipo::Firma:
            impaginaFirma(b);
            break;
        }
        m_y += SPAZIO_BLOCCHI;
    }
}

void RendererReport::nuovaPagina() {
    m_pagine.append(QVector<Elemento>());
    m_frontespizi.append(false);
    m_y = m_altoCorpo;
}

void RendererReport::riserva(double altezza) {
    if (m_y + altezza > m_bassoCorpo && !m_pagine.last().isEmpty())
        nuovaPagina();
}

double RendererReport::altezzaTesto(const QString& testo, Stile stile, double larghezza) const {
    const QFont font = fontStile(stile);
    QTextLayout layout(testoStampa(testo), font);
    layout.setTextOption(opzioneTesto(Qt::AlignLeft));
    double h = 0;
    layout.beginLayout();
    for (QTextLine riga = layout.createLine(); riga.isValid(); riga = layout.createLine()) {
        riga.setLineWidth(larghezza);
        riga.setPosition({0, h});
        h += riga.height();
    }
    layout.endLayout();
    return std::max(h, QFontMetricsF(font).height());
}

void RendererReport::aggiungiTesto(const QRectF& r, Stile stile, int allineamento,
                                   const QString& testo, const QColor& colore, bool unaRiga) {
    Elemento e;
    e.unaRiga = unaRiga;
    e.rettangolo = r;
    e.stile = stile;
    e.allineamento = allineamento;
    e.testo = testoStampa(testo);
    e.colore = colore;
    m_pagine.last().append(e);
}

void RendererReport::aggiungiLinea(double y, const QColor& colore, double spessore) {
    m_pagine.last().append(linea({0, y}, {m_area.width(), y}, colore, spessore));
}

double RendererReport::altezzaTitoloSezione() const {
    return altezzaRigaFont(Stile::Sezione) + 4 * PT;
}

void RendererReport::aggiungiTitoloSezione(const QString& titolo) {
    aggiungiTesto(QRectF(0, m_y, m_area.width(), altezzaRigaFont(Stile::Sezione)), Stile::Sezione,
                  Qt::AlignLeft, titolo, COLORE_TESTO);
    m_y += altezzaTitoloSezione();
}

void RendererReport::impaginaCopertina(const BloccoReport& blocco) {
    if (!m_pagine.last().isEmpty())
        nuovaPagina();
    m_frontespizi.last() = true;
    const double w = m_area.width();
    QVector<double> altezze;
    double totale = 0;
    for (const RigaCopertina& r : blocco.copertina) {
        const Stile stile = r.evidenza ? Stile::Evidenza : Stile::Sottotitolo;
        const double spazio = r.evidenza ? 18 * PT : 5 * PT;
        altezze << altezzaTesto(r.testo, stile, w * 0.8) + spazio;
        totale += altezze.last();
    }
    // A little above the middle of the page, as a title page is set.
    m_y = std::max(0.0, (m_area.height() - totale) * 0.4);
    for (qsizetype i = 0; i < blocco.copertina.size(); ++i) {
        const RigaCopertina& r = blocco.copertina.at(i);
        const Stile stile = r.evidenza ? Stile::Evidenza : Stile::Sottotitolo;
        const double spazio = r.evidenza ? 18 * PT : 5 * PT;
        const double y = m_y + (r.evidenza ? spazio / 2 : 0);
        aggiungiTesto(QRectF(w * 0.1, y, w * 0.8, altezze.at(i) - spazio), stile, Qt::AlignHCenter,
                      r.testo, COLORE_TESTO);
        m_y += altezze.at(i);
    }
}

void RendererReport::impaginaCampi(const BloccoReport& blocco) {
    const double w = m_area.width();
    const double wEtichetta = w * QUOTA_ETICHETTE;
    const double wValore = w - wEtichetta;
    auto altezza = [&](const std::pair<QString, QString>& c) {
        return std::max(altezzaTesto(c.first, Stile::Grassetto, wEtichetta - 2 * MARGINE_CELLA_X),
                        altezzaTesto(c.second, Stile::Testo, wValore - 2 * MARGINE_CELLA_X)) +
               2 * MARGINE_CELLA_Y;
    };

    if (!blocco.titolo.isEmpty()) {
        const double primo = blocco.campi.isEmpty() ? 0 : altezza(blocco.campi.first());
        riserva(altezzaTitoloSezione() + primo);
        aggiungiTitoloSezione(blocco.titolo);
    }
    aggiungiLinea(m_y, COLORE_BORDO, 0.6 * PT);
    for (const auto& c : blocco.campi) {
        const double h = altezza(c);
        if (m_y + h > m_bassoCorpo && !m_pagine.last().isEmpty()) {
            nuovaPagina();
            aggiungiLinea(m_y, COLORE_BORDO, 0.6 * PT);
        }
        aggiungiTesto(QRectF(MARGINE_CELLA_X, m_y + MARGINE_CELLA_Y,
                             wEtichetta - 2 * MARGINE_CELLA_X, h - 2 * MARGINE_CELLA_Y),
                      Stile::Grassetto, Qt::AlignLeft, c.first, COLORE_ETICHETTA);
        aggiungiTesto(QRectF(wEtichetta + MARGINE_CELLA_X, m_y + MARGINE_CELLA_Y,
                             wValore - 2 * MARGINE_CELLA_X, h - 2 * MARGINE_CELLA_Y),
                      Stile::Testo, Qt::AlignLeft, c.second, COLORE_TESTO);
        m_y += h;
        aggiungiLinea(m_y, COLORE_RIGA, 0.4 * PT);
    }
}

QString RendererReport::chiaveColonne(const BloccoReport& blocco) {
    QStringList intestazioni;
    for (const ColonnaReport& c : blocco.colonne)
        intestazioni << c.intestazione;
    return intestazioni.join(QLatin1Char('\n'));
}

// The widest text of every column `unaRiga`, over all the tables with the same headings
// (the groups of one list), so that their columns line up from group to group. Bold, as
// the headings and the closing and carried-over rows are; the label of a closing row runs
// over the next cells and does not count.
void RendererReport::misuraColonne() {
    const QFontMetricsF metriche(fontStile(Stile::Grassetto));
    for (const BloccoReport& b : m_report.blocchi) {
        if (b.tipo != BloccoReport::Tipo::Tabella)
            continue;
        QVector<double>& testo = m_testoColonne[chiaveColonne(b)];
        testo.resize(b.colonne.size());
        for (qsizetype i = 0; i < b.colonne.size(); ++i) {
            if (!b.colonne.at(i).unaRiga)
                continue;
            testo[i] = std::max(testo[i], metriche.horizontalAdvance(b.colonne.at(i).intestazione));
            for (const QStringList& riga : b.righe)
                testo[i] = std::max(testo[i], metriche.horizontalAdvance(riga.value(i)));
            for (const QStringList& riga : b.chiusura) {
                if (i > 0)
                    testo[i] = std::max(testo[i], metriche.horizontalAdvance(riga.value(i)));
            }
        }
    }
}

// The left edge of every column and the right edge of the last. A column `unaRiga` is
// widened to its longest text, the width taken from the columns that may wrap (never
// more than half of theirs).
QVector<double> RendererReport::bordiColonne(const BloccoReport& blocco) const {
    const double w = m_area.width();
    const QVector<double> testo = m_testoColonne.value(chiaveColonne(blocco));
    double pesi = 0;
    for (const ColonnaReport& c : blocco.colonne)
        pesi += c.larghezza;
    QVector<double> larghezze;
    double manca = 0, flessibile = 0;
    for (qsizetype i = 0; i < blocco.colonne.size(); ++i) {
        const ColonnaReport& c = blocco.colonne.at(i);
        larghezze << w * c.larghezza / pesi;
        if (!c.unaRiga) {
            flessibile += larghezze.last();
            continue;
        }
        const double serve = testo.value(i) + 2 * MARGINE_CELLA_X + 1 * PT;
        if (serve > larghezze.last()) {
            manca += serve - larghezze.last();
            larghezze.last() = serve;
        }
    }
    if (manca > 0 && flessibile > 0) {
        const double riduzione = std::max(0.5, (flessibile - manca) / flessibile);
        for (qsizetype i = 0; i < blocco.colonne.size(); ++i) {
            if (!blocco.colonne.at(i).unaRiga)
                larghezze[i] *= riduzione;
        }
    }
    QVector<double> x{0};
    for (double l : larghezze)
        x << x.last() + l;
    return x;
}

void RendererReport::impaginaTabella(const BloccoReport& blocco) {
    const double w = m_area.width();
    const QVector<double> x = bordiColonne(blocco);
    const qsizetype colonne = blocco.colonne.size();

    // Where each cell of a row is written: in its column; in a closing or carried-over row
    // the first cell runs over the empty cells after it.
    auto celleRiga = [&](const QStringList& celle, bool riepilogo) {
        QVector<std::pair<qsizetype, QRectF>> posti;
        for (qsizetype i = 0; i < colonne; ++i) {
            qsizetype fine = i + 1;
            if (riepilogo && i == 0) {
                while (fine < colonne && celle.value(fine).isEmpty())
                    ++fine;
            }
            posti.append(
                {i, QRectF(x[i] + MARGINE_CELLA_X, 0, x[fine] - x[i] - 2 * MARGINE_CELLA_X, 0)});
            i = fine - 1;
        }
        return posti;
    };
    auto altezzaRiga = [&](const QStringList& celle, Stile stile, bool riepilogo = false) {
        double h = 0;
        for (const auto& [i, r] : celleRiga(celle, riepilogo)) {
            h = std::max(h, blocco.colonne.at(i).unaRiga
                                ? altezzaRigaFont(stile)
                                : altezzaTesto(celle.value(i), stile, r.width()));
        }
        return h + 2 * MARGINE_CELLA_Y;
    };
    auto aggiungiRiga = [&](const QStringList& celle, Stile stile, double h,
                            bool riepilogo = false) {
        for (const auto& [i, r] : celleRiga(celle, riepilogo)) {
            const ColonnaReport& c = blocco.colonne.at(i);
            aggiungiTesto(QRectF(r.x(), m_y + MARGINE_CELLA_Y, r.width(), h - 2 * MARGINE_CELLA_Y),
                          stile, riepilogo && i == 0 ? int(Qt::AlignLeft) : int(c.allineamento),
                          celle.value(i), COLORE_TESTO, c.unaRiga);
        }
    };
    auto aggiungiRiepilogo = [&](const QStringList& celle) {
        const double h = altezzaRiga(celle, Stile::Grassetto, true);
        Elemento sfondo;
        sfondo.tipo = Elemento::Tipo::Sfondo;
        sfondo.rettangolo = QRectF(0, m_y, w, h);
        sfondo.colore = COLORE_RIEPILOGO;
        m_pagine.last().append(sfondo);
        aggiungiRiga(celle, Stile::Grassetto, h, true);
        m_y += h;
        aggiungiLinea(m_y, COLORE_RIGA, 0.4 * PT);
    };

    QStringList intestazioni;
    for (const ColonnaReport& c : blocco.colonne)
        intestazioni << c.intestazione;
    const double hIntestazione = altezzaRiga(intestazioni, Stile::Grassetto);
    auto testata = [&](bool segue) {
        if (!blocco.titolo.isEmpty())
            aggiungiTitoloSezione(segue ? blocco.titolo + QStringLiteral(" (segue)")
                                        : blocco.titolo);
        Elemento sfondo;
        sfondo.tipo = Elemento::Tipo::Sfondo;
        sfondo.rettangolo = QRectF(0, m_y, w, hIntestazione);
        sfondo.colore = COLORE_INTESTAZIONE;
        m_pagine.last().append(sfondo);
        aggiungiLinea(m_y, COLORE_BORDO, 0.6 * PT);
        aggiungiRiga(intestazioni, Stile::Grassetto, hIntestazione);
        m_y += hIntestazione;
        aggiungiLinea(m_y, COLORE_BORDO, 0.6 * PT);
    };

    // The carried-over rows: the value of colonnaRiporto on the last row printed.
    const bool riporta = blocco.colonnaRiporto > 0 && blocco.colonnaRiporto < colonne;
    auto rigaRiporto = [&](const QString& etichetta, const QString& valore) {
        QStringList celle(colonne);
        celle[0] = etichetta;
        celle[blocco.colonnaRiporto] = valore;
        return celle;
    };
    const double hRiporto =
        riporta ? altezzaRiga(rigaRiporto(QStringLiteral("A riportare"), QStringLiteral("0")),
                              Stile::Grassetto, true)
                : 0;
    QString ultimo;
    int righeSullaPagina = 0;
    auto paginaSeguente = [&] {
        if (riporta)
            aggiungiRiepilogo(rigaRiporto(QStringLiteral("A riportare"), ultimo));
        nuovaPagina();
        testata(true);
        if (riporta)
            aggiungiRiepilogo(rigaRiporto(QStringLiteral("Riporto"), ultimo));
        righeSullaPagina = 0;
    };

    const double hVuoto =
        altezzaTesto(blocco.vuoto, Stile::Corsivo, w - 2 * MARGINE_CELLA_X) + 2 * MARGINE_CELLA_Y;
    const double hPrima =
        blocco.righe.isEmpty() ? hVuoto : altezzaRiga(blocco.righe.first(), Stile::Testo);
    riserva((blocco.titolo.isEmpty() ? 0 : altezzaTitoloSezione()) + hIntestazione + hPrima +
            hRiporto);
    testata(false);
    if (blocco.righe.isEmpty()) {
        aggiungiTesto(QRectF(MARGINE_CELLA_X, m_y + MARGINE_CELLA_Y, w - 2 * MARGINE_CELLA_X,
                             hVuoto - 2 * MARGINE_CELLA_Y),
                      Stile::Corsivo, Qt::AlignLeft, blocco.vuoto, COLORE_ETICHETTA);
        m_y += hVuoto;
        aggiungiLinea(m_y, COLORE_RIGA, 0.4 * PT);
        return;
    }
    // Each row leaves room for "A riportare" under it.
    for (const QStringList& riga : blocco.righe) {
        const double h = altezzaRiga(riga, Stile::Testo);
        if (m_y + h + hRiporto > m_bassoCorpo && righeSullaPagina > 0)
            paginaSeguente();
        aggiungiRiga(riga, Stile::Testo, h);
        m_y += h;
        aggiungiLinea(m_y, COLORE_RIGA, 0.4 * PT);
        ultimo = riga.value(blocco.colonnaRiporto);
        ++righeSullaPagina;
    }
    double hChiusura = 0;
    for (const QStringList& riga : blocco.chiusura)
        hChiusura += altezzaRiga(riga, Stile::Grassetto, true);
    if (!blocco.chiusura.isEmpty() && m_y + hChiusura > m_bassoCorpo)
        paginaSeguente();
    for (const QStringList& riga : blocco.chiusura)
        aggiungiRiepilogo(riga);
}

// The signatures: for each, the words, room to sign and a dotted line, kept whole on one
// page. Several share the width of the page side by side; a single one stands on the right
// of the page, where a document is stamped and signed.
void RendererReport::impaginaFirma(const BloccoReport& blocco) {
    if (blocco.firme.isEmpty())
        return;
    const double w = m_area.width();
    const qsizetype n = blocco.firme.size();
    const double larghezza = n == 1 ? w * 0.6 : w / n;
    const double x0 = n == 1 ? w * 0.4 : 0;
    double hTesto = 0;
    for (const QString& firma : blocco.firme)
        hTesto = std::max(hTesto, altezzaTesto(firma, Stile::Testo, larghezza - 20 * PT));
    const double spazioSopra = 24 * PT, spazioFirma = 40 * PT;
    riserva(spazioSopra + hTesto + spazioFirma + 2 * PT);
    m_y += spazioSopra;
    for (qsizetype i = 0; i < n; ++i) {
        const double x = x0 + i * larghezza;
        aggiungiTesto(QRectF(x + 10 * PT, m_y, larghezza - 20 * PT, hTesto), Stile::Testo,
                      Qt::AlignHCenter, blocco.firme.at(i), COLORE_TESTO);
        Elemento e =
            linea({x + 10 * PT, m_y + hTesto + spazioFirma},
                  {x + larghezza - 10 * PT, m_y + hTesto + spazioFirma}, COLORE_TESTO, 0.8 * PT);
        e.tratto = Qt::DotLine;
        m_pagine.last().append(e);
    }
    m_y += hTesto + spazioFirma + 2 * PT;
}

void RendererReport::disegnaPagina(QPainter& painter, int pagina,
                                   const QRectF& destinazione) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(destinazione.topLeft());
    painter.scale(destinazione.width() / m_area.width(), destinazione.height() / m_area.height());
    disegna(painter, m_pagine.value(pagina));
    if (!m_frontespizi.value(pagina))
        disegna(painter, cornice(pagina));
    painter.restore();
}

bool RendererReport::stampa(const Report& report, QPagedPaintDevice& dispositivo) {
    dispositivo.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    const RendererReport renderer(report,
                                  dispositivo.pageLayout().paintRect(QPageLayout::Point).size());
    QPainter painter;
    if (!painter.begin(&dispositivo))
        return false;
    const QRectF destinazione(0, 0, dispositivo.width(), dispositivo.height());
    for (int i = 0; i < renderer.pagine(); ++i) {
        if (i > 0 && !dispositivo.newPage())
            return false;
        renderer.disegnaPagina(painter, i, destinazione);
    }
    return painter.end();
}
