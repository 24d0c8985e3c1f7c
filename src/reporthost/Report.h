#pragma once

// A report ready to be printed: its title, the organisation and time shown on every page
// but a cover, and its blocks of text already formatted for print. The report host fills it from
// the database (CaricaReport) and the renderer lays it out on pages (RendererReport).

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <utility>

struct ColonnaReport {
    QString intestazione;
    double larghezza = 1;                       // relative to the other columns
    Qt::Alignment allineamento = Qt::AlignLeft; // horizontal alignment of the cells
    bool unaRiga = false; // never wrapped: the column widens to its longest text
};

struct RigaCopertina {
    QString testo;
    bool evidenza = false; // large and bold
};

struct BloccoReport {
    enum class Tipo {
        Copertina, // centred lines on a page of their own
        Campi,     // label and value, one pair a line
        Tabella,   // column headings (repeated on every page) and rows
        Firma      // titled dotted lines side by side, where the document is stamped and signed
    };
    Tipo tipo = Tipo::Tabella;
    QString titolo; // printed above the block (and, for a table, again on every page it spans)

    QVector<RigaCopertina> copertina;
    QVector<std::pair<QString, QString>> campi;
    QVector<ColonnaReport> colonne;
    QVector<QStringList> righe;
    // Rows closing a table (its totals), bold and kept together after the last row. In
    // these rows, and in the carried-over rows, the first cell's text runs over the empty
    // cells that follow it.
    QVector<QStringList> chiusura;
    // The column carried from page to page: when the table goes on to another page, the
    // page ends with "A riportare" and the next one opens with "Riporto", both holding the
    // column's value on the last row printed. -1: none.
    int colonnaRiporto = -1;
    QString vuoto; // printed in place of the rows of an empty table
    // Firma: the words over each signature line, from left to right; a single one stands
    // on the right of the page.
    QStringList firme;
};

struct Report {
    QString titolo;
    QString sottotitolo; // under the title on every page; may be empty
    QString organizzazione;
    QDateTime stampa;
    QVector<BloccoReport> blocchi;
};
