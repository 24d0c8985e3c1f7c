#pragma once

// Copies and checks of the database files. A file that holds records is only ever replaced
// by renaming a complete copy over it: the copy is written under a temporary name in the
// target's folder, so a failure (a full disk, a killed process) leaves the previous file
// whole. No routine here opens a file in a mode that could create it by accident.

#include "Connessione.h"

#include <QString>

// Writes a consistent copy of the database open on the connection `connessione` into
// `destinazione` with SQLite's online backup API, while the program keeps it open: the
// copy is made as `destinazione` + ".tmp", then renamed over `destinazione`. False with the
// reason in `motivo` (Italian), and no file left behind.
bool CopiaDatabaseAperto(const QString& destinazione, QString* motivo = nullptr,
                         const QString& connessione = QString::fromLatin1(NOME_CONNESSIONE));

// Copies the closed file `sorgente` over `destinazione` the same way: a temporary copy in
// the target's folder, then a rename. False with the reason; `destinazione` untouched.
bool CopiaFileSicura(const QString& sorgente, const QString& destinazione,
                     QString* motivo = nullptr);

// Opens `file` read-only (never created) and runs PRAGMA integrity_check on it (with
// `rapida`, PRAGMA quick_check: the pages and the records, not the indexes' contents, in a
// fraction of the time); with `tabelleProgramma` it must also hold the program's tables
// (articoli, scarichi_mast, carichi_mast, parametri). False with the reason.
bool VerificaDatabase(const QString& file, bool tabelleProgramma, QString* motivo = nullptr,
                      bool rapida = false);
