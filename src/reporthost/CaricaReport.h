#pragma once

// Reads a report from the database: the organisation, the parameter of the report from the
// single row of `parametri`, and the rows of every section, formatted for print.

#include "Connessione.h"
#include "DefinizioniReport.h"
#include "Report.h"

// Throws ErroreDb for a failing statement and Errore, with a message for the user, for a
// missing or invalid parameter and for a record to print that does not exist.
Report CaricaReport(const DefinizioneReport& definizione,
                    const QString& connessione = NOME_CONNESSIONE);
