#pragma once

// The views of the database that depend on its rows: qry_pivot has one quantity column
// "A<ID>" per AGEA article, so it is recreated from the current AGEA articles before it
// is read (by the program and by the report host).

#include "Connessione.h"

#include <QDate>
#include <QString>

// Drops and creates qry_pivot for the articles with agea true. Throws ErroreDb.
void RicreaQryPivot(const QString& connessione = NOME_CONNESSIONE);

// Writes the register month into parametri, as the register views read it: Pivot_mese the
// month's date, Pivot_giac_data the first day of that month (the date of the opening
// stock), both as short-date texts, together in one transaction. Throws ErroreDb.
void ImpostaParametriMese(const QDate& mese);

// On a read-only connection, gives the program a row of parameters it may write: a TEMP
// copy of parametri, and TEMP copies of the stored views and triggers that read it (the
// views reading those views included), which the engine finds before the stored ones. A
// writable connection, or one already prepared, is left alone. Throws ErroreDb.
void PreparaSolaLettura(const QString& connessione = NOME_CONNESSIONE);

// The row of parametri as "name=value" pairs joined by '&', each value percent-encoded
// (a NULL is left out): how the program hands the parameters of a print to the report
// host when it cannot write them into the file. Throws ErroreDb.
QString TestoParametri(const QString& connessione = NOME_CONNESSIONE);
// Writes the pairs of TestoParametri into the row of parametri; a name that is not a
// column of parametri is refused. Throws ErroreDb.
void ApplicaTestoParametri(const QString& testo, const QString& connessione = NOME_CONNESSIONE);
