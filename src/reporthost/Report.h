#pragma once

// A report ready to be printed: its title, the organisation and time shown on every page,
// and its blocks of text already formatted for print. The report host fills it from the
// database (CaricaReport) and the renderer lays it out on pages (RendererReport).

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <utility>

struct ColonnaReport {
    QString intestazione;
    double larghezza = 1;                       // relative to the other columns
    Qt::Alignment allineamento = Qt::AlignLeft; // horizontal alignment of the cells
};

struct RigaCopertina {
    QString testo;
    bool evidenza = false; // large and bold
};

struct BloccoReport {
    enum class Tipo {
        Copertina, // centred lines on a page of their own
        Campi,     // label and value, one pair a line
        Tabella    // column headings (repeated on every page) and rows
    };
    Tipo tipo = Tipo::Tabella;
    QString titolo; // printed above the block (and, for a table, again on every page it spans)

    QVector<RigaCopertina> copertina;
    QVector<std::pair<QString, QString>> campi;
    QVector<ColonnaReport> colonne;
    QVector<QStringList> righe;
    QString vuoto; // printed in place of the rows of an empty table
};

struct Report {
    QString titolo;
    QString sottotitolo; // under the title on every page; may be empty
    QString organizzazione;
    QDateTime stampa;
    QVector<BloccoReport> blocchi;
};
