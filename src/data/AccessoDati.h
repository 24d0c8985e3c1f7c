#pragma once

// The data-access routines every part of the program uses. Each writes its SQL to the
// event log as the program composed it (Access dialect, blanks normalised) and runs it on
// the connection "SolvaneMdb". Database errors are thrown as ErroreDb.

#include <QString>

class DataSet;

// Runs a statement that returns no rows.
void Querifica(const QString& sql);
// Opens the read-only data set `q` on the statement.
void Recset(const QString& sql, DataSet& q);
// The first column of the first row of "SELECT colonna FROM tabella [WHERE condizione]"
// as text in the Italian formats; the empty text for no row or a null value.
QString DbValore(const QString& tabella, const QString& colonna, const QString& condizione);
// The number of the next distribution: the highest so far plus one, 1 for the first.
int ProssimoNrScarico();
// A database value as text in the Italian formats: null "", dates dd/MM/yyyy (with the
// time when there is one), numbers in general form with a decimal comma.
QString TestoValore(const QVariant& v);
// The ID of the data set's current row; 0 when there is none.
int IdCorrente(const DataSet& ds);
// Moves the data set to the row whose ID is `id`; nothing moves when there is none.
void PosizionaId(DataSet& ds, int id);
