#include "TfrmAll9.h"

#include "AccessoDati.h"
#include "DataSet.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace {

// Texts are drawn from the top of their line, as labels are.
constexpr int ALTEZZA_RIGA = 16;
// The right edge of the framed boxes, the dotted lines and the product table.
constexpr int MARGINE_DESTRO = 587;

// The product table: a heading line, then the grid with one line per product. The columns
// (descr 376, um 121, quanti 81) each end with their vertical line.
constexpr int TABELLA_X = 8;
constexpr int INTESTAZIONE_Y = 354;
constexpr int GRIGLIA_Y = 373;
constexpr int GRIGLIA_BASSO = 789;
constexpr int COLONNE[] = {TABELLA_X, TABELLA_X + 376, TABELLA_X + 376 + 121,
                           TABELLA_X + 376 + 121 + 81};
// 17 pixels of text and a 1-pixel line under it.
constexpr int PASSO_RIGA = 18;
// The organisation's details on their lines: bold 13 pixels while they fit, else smaller
// down to 9 pixels, then narrowed down to this share of their width.
constexpr int PIXEL_MINIMI = 9;
constexpr qreal STRETTA_MINIMA = 0.6;

QFont carattere(const QString& famiglia, int pixel, bool grassetto) {
    QFont f(famiglia);
    f.setPixelSize(pixel);
    f.setBold(grassetto);
    // Outline fonts without hinting: the same text width on screen, in images and on paper.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

QFont arial(int pixel = 13, bool grassetto = false) {
    return carattere(QStringLiteral("Arial"), pixel, grassetto);
}

QFont times(int pixel, bool grassetto = false) {
    return carattere(QStringLiteral("Times New Roman"), pixel, grassetto);
}

void scrivi(QPainter& p, const QRectF& r, int allineamento, const QFont& f, const QString& t) {
    p.setFont(f);
    p.drawText(r, allineamento | Qt::TextSingleLine, t);
}

// A label at (x, y), as wide as the form leaves it; the x where its text ends.
qreal etichetta(QPainter& p, int x, int y, const QString& t, const QFont& f = arial()) {
    scrivi(p, QRectF(x, y, TfrmAll9::LARGHEZZA - x, ALTEZZA_RIGA), Qt::AlignLeft | Qt::AlignTop, f,
           t);
    return x + QFontMetricsF(f).horizontalAdvance(t);
}

// A label centred in the band from x, `larghezza` wide.
void centrato(QPainter& p, int x, int y, int larghezza, const QString& t, const QFont& f) {
    scrivi(p, QRectF(x, y, larghezza, ALTEZZA_RIGA), Qt::AlignHCenter | Qt::AlignTop, f, t);
}

// A value of the organisation on its line, from x to `destra`, on the baseline of the labels:
// a text too long for the line is drawn smaller, then narrowed, so that a name of 80
// characters is written whole; only what no narrowing can fit is cut, ending in "…".
void valoreSuRiga(QPainter& p, qreal x, int y, qreal destra, const QString& t) {
    const qreal spazio = destra - x;
    QFont f = arial(13, true);
    const qreal base = y + QFontMetricsF(f).ascent();
    for (int pixel = 12; pixel >= PIXEL_MINIMI && QFontMetricsF(f).horizontalAdvance(t) > spazio;
         --pixel)
        f = arial(pixel, true);
    const QFontMetricsF metrica(f);
    const qreal larghezza = metrica.horizontalAdvance(t);
    qreal stretta = 1;
    QString testo = t;
    if (larghezza > spazio) {
        stretta = std::max(spazio / larghezza, STRETTA_MINIMA);
        testo = metrica.elidedText(t, Qt::ElideRight, spazio / stretta);
    }
    p.save();
    p.setFont(f);
    p.translate(x, base);
    p.scale(stretta, 1);
    p.drawText(QPointF(0, 0), testo);
    p.restore();
}

// A dotted line to write on by hand, under the text of the line that starts at y.
void puntini(QPainter& p, qreal da, qreal a, int y) {
    QPen penna(Qt::black, 1, Qt::DotLine, Qt::FlatCap);
    p.setPen(penna);
    p.drawLine(QPointF(da, y + 13.5), QPointF(a, y + 13.5));
    p.setPen(Qt::black);
}

// A 1-pixel frame just inside the rectangle.
void cornice(QPainter& p, const QRect& r) {
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), Qt::black);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), Qt::black);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), Qt::black);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), Qt::black);
}

// A framed box with its text centred.
void riquadro(QPainter& p, const QRect& r, const QString& t, bool grassetto) {
    cornice(p, r);
    scrivi(p, r, Qt::AlignCenter, times(15, grassetto), t);
}

QString testoCorrente(const DataSet* ds, const QString& campo) {
    return ds && ds->aperto() && ds->riga() >= 0 ? ds->testo(campo) : QString();
}

} // namespace

QString TfrmAll9::didascalia() {
    return QStringLiteral("Dichiarazione di consegna agli indigenti");
}

void TfrmAll9::collega(const DataSet& allegati9, const DataSet& destinatari, const DataSet& righe) {
    m_allegati9 = &allegati9;
    m_destinatari = &destinatari;
    m_righe = &righe;
    m_foglio = 0;
}

QSize TfrmAll9::dimensione() const {
    return {LARGHEZZA, ALTEZZA};
}

int TfrmAll9::righeTabella() {
    return (GRIGLIA_BASSO - 1 - (GRIGLIA_Y + 1)) / PASSO_RIGA;
}

int TfrmAll9::fogli() const {
    if (!m_righe || !m_righe->aperto())
        return 1;
    return std::max(1, (m_righe->conteggio() + righeTabella() - 1) / righeTabella());
}

void TfrmAll9::impostaFoglio(int foglio) {
    m_foglio = std::clamp(foglio, 0, fogli() - 1);
}

void TfrmAll9::disegna(QPainter& p) const {
    p.save();
    p.fillRect(QRect(0, 0, LARGHEZZA, ALTEZZA), Qt::white);
    p.setPen(Qt::black);

    centrato(p, 3, 0, 584, QStringLiteral("AIUTI UE - REG. UE 807/10."), arial(13, true));
    centrato(p, 3, 14, 584,
             QStringLiteral("DICHIARAZIONE DI CONSEGNA AGLI INDIGENTI DI PRODOTTI ALIMENTARI "
                            "GRATUITI"),
             arial(13, true));

    riquadro(p, QRect(3, 45, 90, 23), QStringLiteral("NUMERO"), false);
    riquadro(p, QRect(92, 45, 90, 23), testoCorrente(m_allegati9, QStringLiteral("numero")), true);
    riquadro(p, QRect(392, 45, 63, 23), QStringLiteral("DATA"), false);
    riquadro(p, QRect(454, 45, 133, 23), testoCorrente(m_allegati9, QStringLiteral("data")), true);
    // Between the number and the date, the sheet of a declaration that takes several.
    const int totale = fogli();
    if (totale > 1) {
        scrivi(
            p, QRect(182, 45, 210, 23), Qt::AlignCenter, arial(13, true),
            QStringLiteral("foglio %1 di %2").arg(std::min(m_foglio, totale - 1) + 1).arg(totale));
    }

    // The declarant's own details are written by hand.
    puntini(p, etichetta(p, 3, 80, QStringLiteral("Il sottoscritto")) + 4, MARGINE_DESTRO, 80);
    puntini(p, etichetta(p, 3, 101, QStringLiteral("nato a")) + 4, 445, 101);
    puntini(p, etichetta(p, 449, 101, QStringLiteral("il")) + 4, MARGINE_DESTRO, 101);
    etichetta(p, 3, 122, QStringLiteral("in qualità di legale rappresentante del"));
    puntini(p, 225, MARGINE_DESTRO, 122);
    valoreSuRiga(p, 225, 122, MARGINE_DESTRO, lblRagsoc);
    etichetta(p, 3, 143, QStringLiteral("con sede a"));
    valoreSuRiga(p, 71, 143, MARGINE_DESTRO, lblCitta);
    etichetta(p, 3, 164, QStringLiteral("via"));
    valoreSuRiga(p, 25, 164, MARGINE_DESTRO, lblVia);

    etichetta(p, 3, 185,
              QStringLiteral("consapevole che chiunque rilasci dichiarazioni mendaci è punito ai "
                             "sensi del codice penale e delle"));
    etichetta(p, 3, 206,
              QStringLiteral("leggi speciali in materia, ai sensi e per gli effetti degli artt. "
                             "75 e 76 del D.P.R. n. 445/2000;"));
    etichetta(p, 3, 228,
              QStringLiteral("ai sensi di quanto previsto al capitolo 7 della Nota Circolare "
                             "dell'Organismo Pagatore AGEA n."));
    etichetta(p, 3, 249, QStringLiteral("DPMU.2012.2818 del 14/09/2012"));

    centrato(p, 8, 270, 584, QStringLiteral("DICHIARA"), arial(13, true));
    etichetta(p, 8, 296, QStringLiteral("A)"));
    etichetta(p, 28, 295,
              QStringLiteral("che rappresentanti della struttura di cui in premessa, da me "
                             "delegati, hanno distribuito in data"));
    etichetta(p, 28, 315, QStringLiteral("odierna a n."));
    puntini(p, 103, 188, 315);
    centrato(p, 103, 315, 85, testoCorrente(m_destinatari, QStringLiteral("dest")),
             arial(13, true));
    etichetta(p, 194, 315, QStringLiteral("indigenti i seguenti prodotti:"));

    disegnaTabella(p);

    etichetta(p, 8, 804, QStringLiteral("B)"));
    etichetta(p, 28, 803,
              QStringLiteral("che i su indicati dati vengono riportati sul registro di carico e "
                             "scarico."));
    etichetta(p, 3, 822,
              QStringLiteral("Allego fotocopia integrale, fronte e retro, di un documento di "
                             "identità in corso di validità."));
    centrato(p, 166, 876, 421,
             QStringLiteral("TIMBRO DELL'ENTE CARITATIVO E FIRMA DEL LEGALE RAPPRESENTANTE"),
             arial(11, true));
    puntini(p, 166, MARGINE_DESTRO, 920 - 13);
    p.restore();
}

void TfrmAll9::disegnaTabella(QPainter& p) const {
    const QString titoli[] = {QStringLiteral("PRODOTTO"), QStringLiteral("UNITA' DI MISURA"),
                              QStringLiteral("QUANTITA'")};
    for (int c = 0; c < 3; ++c) {
        scrivi(p, QRectF(COLONNE[c], INTESTAZIONE_Y, COLONNE[c + 1] - COLONNE[c], 19),
               Qt::AlignCenter, arial(12, true), titoli[c]);
    }

    // The frame and the column lines over the whole grid; a line under every product.
    const int larghezza = COLONNE[3] + 1 - TABELLA_X;
    cornice(p, QRect(TABELLA_X, GRIGLIA_Y, larghezza, GRIGLIA_BASSO - GRIGLIA_Y));
    for (int c = 1; c < 3; ++c)
        p.fillRect(QRect(COLONNE[c], GRIGLIA_Y, 1, GRIGLIA_BASSO - GRIGLIA_Y), Qt::black);
    if (!m_righe || !m_righe->aperto())
        return;

    // The sheet's share of the products, in their order.
    const int primo = std::min(m_foglio, fogli() - 1) * righeTabella();
    const int righe = std::clamp(m_righe->conteggio() - primo, 0, righeTabella());
    const QFont f = times(13);
    const QFontMetricsF metrica(f);
    for (int r = 0; r < righe; ++r) {
        const int y = GRIGLIA_Y + 1 + r * PASSO_RIGA;
        const int riga = primo + r;
        const QString celle[] = {TestoValore(m_righe->valore(riga, QStringLiteral("descr"))),
                                 TestoValore(m_righe->valore(riga, QStringLiteral("um"))),
                                 TestoValore(m_righe->valore(riga, QStringLiteral("quanti")))};
        const int allineamenti[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        for (int c = 0; c < 3; ++c) {
            const QRectF cella(COLONNE[c] + 3, y, COLONNE[c + 1] - COLONNE[c] - 5, PASSO_RIGA - 1);
            // A text too long for its cell ends in "…" rather than being cut through a letter.
            scrivi(p, cella, allineamenti[c] | Qt::AlignVCenter, f,
                   metrica.elidedText(celle[c], Qt::ElideRight, cella.width()));
        }
        // The last line the table holds closes on the frame's own bottom line.
        if (r < righeTabella() - 1)
            p.fillRect(QRect(TABELLA_X, y + PASSO_RIGA - 1, larghezza, 1), Qt::black);
    }
}
