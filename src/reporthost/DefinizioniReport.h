#pragma once

// The reports of the report host, one per macro name of the program's command line: what
// each reads from the database (plain SQLite SQL) and how each value is printed.

#include <QString>
#include <QStringList>
#include <QVector>

enum class Formato {
    Testo,
    Intero,
    Numero, // decimal comma
    // Decimal comma, with the same number of decimals on every row of the table (the most
    // its values need, at most 3), so that the commas line up; nothing for null.
    Quantita,
    Data, // dd/MM/yyyy from the stored ISO text
    SiNo  // "Sì" / "No" from 1 / 0
};

// A printed value: the non-empty texts of `campi` joined by `separatore` (most columns
// have one field). In a table, `larghezza` is the column's share of the page width; on a
// cover, the line reads etichetta + value, large and bold when `evidenza`, and a line
// without value is left out. A table cell `unaRiga` is never wrapped.
struct ColonnaDef {
    QString etichetta{};
    QStringList campi{};
    Formato formato = Formato::Testo;
    double larghezza = 1;
    QString separatore = QStringLiteral(", ");
    bool evidenza = false;
    bool unaRiga = false;
};

// A row closing a table (or each group of it): the label, and the value of the table's
// column whose field is `campo`: the sum of its rows or the value on its last row. A
// summary (Riepilogo) is one text across the row: the label, the number of rows as
// articles, and the sum of the quantity column `campo` per unit, the unit being the text of
// the column whose field is `campoUnita`: "Totale: 3 articoli — kg 4,5; litri 2". Sums
// across units mean nothing, so no grand total is printed.
struct ChiusuraDef {
    enum class Modo { Somma, Ultimo, Riepilogo };
    QString etichetta{};
    QString campo{};
    Modo modo = Modo::Somma;
    QString campoUnita{};
};

struct SezioneDef {
    enum class Tipo { Copertina, Campi, Tabella, Firma };
    Tipo tipo = Tipo::Tabella;
    // The title of the section; for Firma, the words printed over the signature line.
    QString titolo{};
    // Every "?" of the statement receives the report's parameter. A Firma without statement
    // prints one signature line titled `titolo`; with one, every column of its first row that
    // has a value is the title of a signature line, side by side.
    QString sql{};
    QVector<ColonnaDef> colonne{};
    // Campi: a row without value is left out (rows that apply to some records only, fields
    // the record leaves empty).
    bool tralasciaVuoti = false;
    // A table starts a new group, titled by titoloGruppo, where campoGruppo changes.
    QString campoGruppo{};
    ColonnaDef titoloGruppo{};
    QVector<ChiusuraDef> chiusura{};
    // The field of the column carried from page to page ("A riportare", "Riporto").
    QString campoRiporto{};
    QString vuoto{};
};

// A column of `parametri` that the report's views read, checked before anything is read.
struct ParametroDef {
    enum class Tipo {
        Data,        // a date: the program's short date, stored as ISO text
        ArticoloAgea // "0" for every AGEA article, or the ID of one AGEA article
    };
    QString nome{};
    Tipo tipo = Tipo::Data;
};

struct DefinizioneReport {
    QString macro{};
    QString titolo{};
    // The column of `parametri` that names the record or article to print; empty for a
    // list. A report whose first section is Campi prints one record, which must exist.
    QString parametro{};
    QVector<ParametroDef> richiesti{};
    // A statement whose first value, when not empty, takes the place of `titolo` (on every
    // page and as the name of the print job): the number and date of the printed document.
    QString sqlTitolo{};
    // A statement whose first value, when not empty, is printed under the title.
    QString sqlSottotitolo{};
    QVector<SezioneDef> sezioni{};
};

const QVector<DefinizioneReport>& DefinizioniReport();
// The report of a macro (the name compares without regard to case, as Access does);
// nullptr for an unknown macro.
const DefinizioneReport* TrovaDefinizione(const QString& macro);
