#pragma once

// The database connection and the SQL dialect of the program.
//
// The program writes its SQL in the Access dialect (#m/d/yyyy# dates, TOP n, VAL, YEAR,
// NOW, ISNULL, True/False, INSERT INTO t (...) IN Dolvera0.mdb SELECT ...) and logs it as
// written; TraduciSql rewrites a statement for SQLite just before it runs, and the SQL
// functions registered on every connection give VAL, YEAR, NOW ... their Access meaning.

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// The name of the program's connection.
inline constexpr const char* NOME_CONNESSIONE = "SolvaneMdb";

// Opens (or reopens) the connection `nome` on the SQLite file `file`: rollback journal,
// the Access functions registered; read-only when FileSolaLettura(file). The file must exist: a
// missing file is never created. Throws ErroreDb on failure.
QSqlDatabase ApriConnessione(const QString& file, const QString& nome = NOME_CONNESSIONE);
// True when the program may not write `file`: the file system or the file's own
// permission bits say read-only (the bits count also for the superuser, whom the file
// system would let write), or its folder cannot take the journal. Such a file is opened
// read-only.
bool FileSolaLettura(const QString& file);
// True when the connection `nome` is open on a read-only database.
bool ConnessioneSolaLettura(const QString& nome = NOME_CONNESSIONE);
// Closes and removes the connection `nome` (no error when it does not exist).
void ChiudiConnessione(const QString& nome = NOME_CONNESSIONE);
// Attaches the existing SQLite file `file` to the connection `nome` as the schema
// `schema`, read-write; a missing file is never created. Throws ErroreDb on failure.
void AttaccaDatabase(const QString& file, const QString& schema,
                     const QString& nome = NOME_CONNESSIONE);

// Registers VAL, YEAR, MONTH, DAY, NOW, DATE ... on an open SQLite connection.
void RegistraFunzioniAccess(QSqlDatabase& db);

// Rewrites one Access statement for SQLite. Texts inside quotes are left untouched.
QString TraduciSql(const QString& sqlAccess);

// Translates and runs a statement on `q`. Throws ErroreDb on failure.
void EseguiSql(QSqlQuery& q, const QString& sqlAccess);
