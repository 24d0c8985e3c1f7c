#pragma once

// The views of the database that depend on its rows: qry_pivot has one quantity column
// "A<ID>" per AGEA article, so it is recreated from the current AGEA articles before it
// is read (by the program and by the report host).

#include "Connessione.h"

#include <QString>

// Drops and creates qry_pivot for the articles with agea true. Throws ErroreDb.
void RicreaQryPivot(const QString& connessione = NOME_CONNESSIONE);
