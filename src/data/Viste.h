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
