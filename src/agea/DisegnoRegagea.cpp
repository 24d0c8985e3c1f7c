#include "DisegnoRegagea.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// The grid's place and its rows: 19 pixels of cell and a 1-pixel line.
constexpr int GRIGLIA_X = 20;
constexpr int GRIGLIA_Y = 112;
constexpr int ALTEZZA_CELLA = 19;
constexpr int LARGHEZZE[DisegnoRegagea::COLONNE] = {60, 71, 43, 43, 43, 43, 43, 43, 43, 43,
                                                    43, 43, 43, 43, 43, 43, 43, 43, 128};

QFont carattere(const QStringList& famiglie, int pixel, bool grassetto, bool corsivo = false) {
    QFont f;
    f.setFamilies(famiglie);
    f.setPixelSize(pixel);
    f.setBold(grassetto);
    f.setItalic(corsivo);
    // Outline fonts without hinting: the same text width on screen, in images and on paper.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

QFont arial(int pixel, bool grassetto = false) {
    return carattere({QStringLiteral("Arial")}, pixel, grassetto);
}

// Tahoma where it is installed, else the DejaVu Sans that stands in for it.
QFont tahoma(int pixel, bool grassetto = false) {
    return carattere({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")}, pixel, grassetto);
}

QFont times(int pixel, bool grassetto, bool corsivo) {
    return carattere({QStringLiteral("Times New Roman")}, pixel, grassetto, corsivo);
}

// One line of text in the rectangle. A text wider than the rectangle is drawn smaller,
// down to two thirds of its size, and beyond that ends in "…": an organisation's or a
// product's long name stays whole where it can and is never cut through a letter.
void scrivi(QPainter& p, const QRectF& r, int allineamento, QFont f, const QString& t) {
    const int originale = f.pixelSize();
    while (QFontMetricsF(f).horizontalAdvance(t) > r.width() && f.pixelSize() * 3 > originale * 2)
        f.setPixelSize(f.pixelSize() - 1);
    p.setFont(f);
    const QString testo = QFontMetricsF(f).elidedText(t, Qt::ElideRight, r.width());
    p.drawText(r, allineamento | Qt::TextSingleLine, testo);
}

// A label: its text from the top of its rectangle.
void etichetta(QPainter& p, const QRect& r, const QString& t, const QFont& f,
               int orizzontale = Qt::AlignLeft) {
    scrivi(p, r, orizzontale | Qt::AlignTop, f, t);
}

// A heading box: a 1-pixel frame with its text centred.
void riquadro(QPainter& p, const QRect& r, const QString& t) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    if (!t.isEmpty())
        scrivi(p, QRectF(r).adjusted(1, 1, -1, -1), Qt::AlignCenter, arial(9), t);
}

// A dotted line to write on by hand, or under a value filled in.
void puntini(QPainter& p, qreal da, qreal a, qreal y) {
    p.setPen(QPen(Qt::black, 1, Qt::DotLine, Qt::FlatCap));
    p.drawLine(QPointF(da, y), QPointF(a, y));
    p.setPen(Qt::black);
}

// The quantity and stock columns are right-aligned; dates, numbers, units and recipients
// centred.
bool colonnaNumerica(int colonna) {
    return colonna >= 3 && colonna <= 17 && (colonna - 2) % 4 != 0;
}

} // namespace

// ---- register page --------------------------------------------------------------------

QSize DisegnoRegagea::dimensione() const {
    return {LARGHEZZA, ALTEZZA};
}

int DisegnoRegagea::xColonna(int colonna) {
    int x = GRIGLIA_X;
    for (int c = 0; c < colonna; ++c)
        x += LARGHEZZE[c] + 1;
    return x;
}

int DisegnoRegagea::larghezzaColonna(int colonna) {
    return LARGHEZZE[colonna];
}

void DisegnoRegagea::disegna(QPainter& p) const {
    p.fillRect(QRect(0, 0, LARGHEZZA, ALTEZZA), Qt::white);
    p.setPen(Qt::black);

    // Heading of both layouts.
    etichetta(p, QRect(403, 20, 213, 16), QStringLiteral("REGISTRO DI CARICO E SCARICO"),
              arial(13, true));
    etichetta(p, QRect(859, 19, 53, 16), QStringLiteral("pagina n."), arial(13));
    etichetta(p, QRect(911, 19, 25, 16), lblPagNo, tahoma(13, true), Qt::AlignHCenter);

    if (stampa) {
        etichetta(p, QRect(21, 20, 307, 15), QStringLiteral("STRUTTURA CARITATIVA"),
                  arial(12, true));
        etichetta(p, QRect(20, 37, 308, 15), prn_lblStrutCar1, arial(12));
        etichetta(p, QRect(20, 54, 308, 15), prn_lblStrutCar2, arial(12));
        etichetta(p, QRect(332, 35, 372, 16),
                  QStringLiteral("dei prodotti alimentari assegnati ai sensi del Reg. (UE) "
                                 "807/2010"),
                  arial(13));
        etichetta(p, QRect(936, 19, 8, 16), QStringLiteral("/"), arial(13));
        etichetta(p, QRect(944, 19, 25, 16), prn_lblPagLett, tahoma(13, true), Qt::AlignHCenter);
        etichetta(p, QRect(558, 637, 431, 14),
                  QStringLiteral("TIMBRO DELLA STRUTTURA CARITATIVA E FIRMA DEL LEGALE "
                                 "RAPPRESENTANTE"),
                  arial(11, true));
        puntini(p, 558, 990, 670.5);
    }

    // The heading boxes of the grid's columns.
    riquadro(p, QRect(20, 78, 134, 18), QStringLiteral("DOCUM. CONSEGNA"));
    riquadro(p, QRect(20, 95, 62, 18), QStringLiteral("DATA"));
    riquadro(p, QRect(81, 95, 73, 18), QStringLiteral("NUMERO"));
    static const QString SOTTOTITOLI[] = {QStringLiteral("Unità m."), QStringLiteral("CARICO"),
                                          QStringLiteral("SCARICO"), QStringLiteral("GIAC.ZA")};
    for (int k = 0; k < 4; ++k) {
        const int x = 153 + 176 * k;
        riquadro(p, QRect(x, 78, 177, 18), QString());
        etichetta(p, QRect(x + 1, 81, 175, 12), lblProdotto[k], arial(9), Qt::AlignHCenter);
        for (int j = 0; j < 4; ++j)
            riquadro(p, QRect(x + 44 * j, 95, 45, 18), SOTTOTITOLI[j]);
    }
    riquadro(p, QRect(857, 78, 130, 35), QStringLiteral("DESTINATARIO"));

    // The grid: lines between the cells, then each cell's text on one line.
    const int destra = xColonna(COLONNE - 1) + LARGHEZZE[COLONNE - 1];
    const int basso = GRIGLIA_Y + RIGHE * (ALTEZZA_CELLA + 1);
    p.setPen(QPen(Qt::black, 1));
    for (int r = 0; r <= RIGHE; ++r) {
        const qreal y = GRIGLIA_Y + r * (ALTEZZA_CELLA + 1) - 0.5;
        p.drawLine(QPointF(GRIGLIA_X - 0.5, y), QPointF(destra + 0.5, y));
    }
    for (int c = 0; c <= COLONNE; ++c) {
        const qreal x = (c < COLONNE ? xColonna(c) : destra + 1) - 0.5;
        p.drawLine(QPointF(x, GRIGLIA_Y - 0.5), QPointF(x, basso - 0.5));
    }
    const QFont cella = tahoma(11);
    for (int r = 0; r < RIGHE; ++r) {
        for (int c = 0; c < COLONNE; ++c) {
            const QString& testo = celle[r][c];
            if (testo.isEmpty())
                continue;
            const QRectF rettangolo = QRectF(xColonna(c), GRIGLIA_Y + r * (ALTEZZA_CELLA + 1),
                                             LARGHEZZE[c], ALTEZZA_CELLA)
                                          .adjusted(2, 2, -2, -2);
            p.fillRect(rettangolo, Qt::white);
            const int allineamento =
                (colonnaNumerica(c) ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter;
            scrivi(p, rettangolo, allineamento, cella, testo);
        }
    }
}

// ---- cover ----------------------------------------------------------------------------

namespace {

// Where the product is found, after "Stampato con Dolvera".
const QString INDIRIZZO_WEB = QStringLiteral("www.brevantoria.it");

// The texts of the cover: Times New Roman, bold italic; the values filled in: Arial 19 bold.
QFont testoCopertina(int pixel = 27) {
    return times(pixel, true, true);
}

QFont valoreCopertina() {
    return arial(19, true);
}

// A static text of the cover from (x, y); the x where it ends.
qreal frase(QPainter& p, qreal x, int y, const QString& t, const QFont& f = testoCopertina()) {
    const qreal larghezza = QFontMetricsF(f).horizontalAdvance(t);
    p.setFont(f);
    p.drawText(QRectF(x, y, larghezza + 2, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               t);
    return x + larghezza;
}

// A value filled in over a dotted line, in its box from (x, y); the x where the box ends.
qreal valore(QPainter& p, qreal x, int y, qreal larghezza, const QString& t,
             int allineamento = Qt::AlignLeft) {
    scrivi(p, QRectF(x, y, larghezza, 26), allineamento | Qt::AlignTop, valoreCopertina(), t);
    puntini(p, x, x + larghezza, y + 27.5);
    return x + larghezza;
}

} // namespace

QString TfrmCopertinaRegagea::didascalia() {
    return QStringLiteral("Copertina Registro Agea");
}

QSize TfrmCopertinaRegagea::dimensione() const {
    return {DisegnoRegagea::LARGHEZZA, DisegnoRegagea::ALTEZZA};
}

void TfrmCopertinaRegagea::disegna(QPainter& p) const {
    p.fillRect(QRect(0, 0, DisegnoRegagea::LARGHEZZA, DisegnoRegagea::ALTEZZA), Qt::white);
    p.setPen(Qt::black);
    frase(p, 829, 75, QStringLiteral("Allegato n.8"), times(19, false, true));
    scrivi(p, QRectF(142, 141, 721, 36), Qt::AlignHCenter | Qt::AlignTop, testoCopertina(29),
           QStringLiteral("- Registro di carico e scarico dei prodotti alimentari AGEA -"));
    frase(p, 142, 180, QStringLiteral("Reg. (UE) 807/2010"), testoCopertina(24));

    frase(p, 142, 220, QStringLiteral("Struttura caritativa :"));
    valore(p, 395, 220, 527, lblStrutturaCaritativa);
    frase(p, 142, 268, QStringLiteral("Indirizzo"));
    valore(p, 254, 268, 668, lblIndirizzo);
    frase(p, 142, 314, QStringLiteral("città"));
    valore(p, 200, 314, 487, lblCitta);
    frase(p, 693, 314, QStringLiteral("Prov"));
    valore(p, 756, 314, 166, lblProv, Qt::AlignHCenter);

    // The sentence that states the pages runs on with its values where its words end.
    qreal x = frase(p, 142, 362, QStringLiteral("Il presente registro è composto da")) + 8;
    x = valore(p, x, 366, 70, lblTotPag, Qt::AlignHCenter) + 8;
    x = frase(p, x, 362, QStringLiteral("pagine numerate dalla n.")) + 8;
    valore(p, x, 366, 922 - x, lblPag0, Qt::AlignHCenter);
    x = frase(p, 142, 408, QStringLiteral("alla n.")) + 8;
    x = valore(p, x, 412, 80, lblPagN, Qt::AlignHCenter) + 8;
    scrivi(p, QRectF(x, 408, 1000 - x, 40), Qt::AlignLeft | Qt::AlignTop, testoCopertina(),
           QStringLiteral("recanti il timbro della Struttura caritativa e tutte firmate"));
    x = frase(p, 142, 453, QStringLiteral("da me sottoscritto")) + 8;
    puntini(p, x, 922, 453 + 30.5);
    frase(p, 142, 501, QStringLiteral("legale rappresentante della suindicata Struttura."));

    frase(p, 182, 559, QStringLiteral("Data"));
    puntini(p, 142, 400, 597.5);
    frase(p, 653, 558, QStringLiteral("Firma"));
    puntini(p, 533, 922, 597.5);

    scrivi(p, QRectF(142, 671, 780, 20), Qt::AlignRight | Qt::AlignTop, arial(16, true), lblMese);
    scrivi(p, QRectF(0, 690, DisegnoRegagea::LARGHEZZA, 13), Qt::AlignHCenter | Qt::AlignTop,
           arial(10), QStringLiteral("Stampato con Dolvera - ") + INDIRIZZO_WEB);
}
