#pragma once

// The reports of the report host, one per macro name of the program's command line: what
// each reads from the database (plain SQLite SQL) and how each value is printed.

#include <QString>
#include <QStringList>
#include <QVector>

enum class Formato {
    Testo,
    Intero,
    Numero,        // decimal comma
    NumeroNonZero, // decimal comma; nothing for 0 (the unused side of a register row)
    Data,          // dd/MM/yyyy from the stored ISO text
    SiNo           // "Sì" / "No" from 1 / 0
};

// A printed value: the non-empty texts of `campi` joined by `separatore` (most columns
// have one field). In a table, `larghezza` is the column's share of the page width; on a
// cover, the line reads etichetta + value, large and bold when `evidenza`, and a line
// without value is left out.
struct ColonnaDef {
    QString etichetta{};
    QStringList campi{};
    Formato formato = Formato::Testo;
    double larghezza = 1;
    QString separatore = QStringLiteral(", ");
    bool evidenza = false;
};

struct SezioneDef {
    enum class Tipo { Copertina, Campi, Tabella };
    Tipo tipo = Tipo::Tabella;
    QString titolo{};
    // Every "?" of the statement receives the report's parameter.
    QString sql{};
    QVector<ColonnaDef> colonne{};
    // A table starts a new group, titled by campoTitoloGruppo, where campoGruppo changes.
    QString campoGruppo{};
    QString campoTitoloGruppo{};
    QString vuoto{};
};

struct DefinizioneReport {
    QString macro{};
    QString titolo{};
    // The column of `parametri` that names the record or article to print; empty for a
    // list. A report whose first section is Campi prints one record, which must exist.
    QString parametro{};
    // Columns of `parametri` the report's views read, which must hold a value.
    QStringList richiesti{};
    // A statement whose first value, when not empty, is printed under the title.
    QString sqlSottotitolo{};
    QVector<SezioneDef> sezioni{};
};

const QVector<DefinizioneReport>& DefinizioniReport();
// The report of a macro (the name compares without regard to case, as Access does);
// nullptr for an unknown macro.
const DefinizioneReport* TrovaDefinizione(const QString& macro);
