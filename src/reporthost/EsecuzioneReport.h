#pragma once

// One run of the report host: the command line the program builds,
//   "<dolvera-report>" "<database file>"   /x <macro>
// prints the macro's report and ends. The printer is the one the program names in the
// environment variable DOLVERA_STAMPANTE (its current printer), else the one stored in the
// registry ("Printer").

#include <QString>
#include <QStringList>

// The exit codes of the report host.
enum EsitoReportHost {
    EsitoStampato = 0,
    EsitoRigaComando = 1, // arguments of another shape, unknown macro
    EsitoDatabase = 2,    // missing database file, database error, missing record or parameter
    EsitoStampante = 3    // the printer cannot be prepared or painted on
};

// Runs the report for `argomenti` (the command line without the executable) in the program
// folder `cartellaProgramma`. On failure `errore` holds the message for the user and no
// output file is left behind.
EsitoReportHost EseguiReportHost(const QStringList& argomenti, const QString& cartellaProgramma,
                                 QString& errore);
