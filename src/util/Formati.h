#pragma once

// The Italian formats of the program, fixed in this one place: short date dd/MM/yyyy,
// long time HH:mm:ss, decimal comma and no thousands separator.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// The Italian locale without thousands separators.
QLocale utLocale();
// "05/03/2024".
QString utTestoData(const QDate& d);
// "05/03/2024 14:07:09"; the date alone when the time is exactly midnight.
QString utTestoDataOra(const QDateTime& dt);
// Reads a short date ("05/03/2024", also "5/3/2024"); an invalid date for any other text.
QDate utDataDaTesto(const QString& testo);
// Reads a short date with an optional long time; an invalid value for any other text.
QDateTime utDataOraDaTesto(const QString& testo);
// General form, up to 15 significant digits, decimal comma: 2,5  3  -0,1.
QString utTestoNumero(double n);
// Reads a number as the program writes it (utTestoNumero, texts read from the database):
// a decimal comma, or a point, and no thousands separators. Numbers typed by the user are
// read with utNumeroDigitato.
double utNumeroDaTesto(const QString& testo, bool* ok = nullptr);
// Reads a number typed by the user: digits with an optional leading "-" and a decimal
// comma, a point only as a thousands separator between groups of three digits ("1.500" is
// 1500, "12.000,50" is 12000.5). Any other text ("2.5", "1e5", "1,2,3") is refused:
// *ok false and 0.
double utNumeroDigitato(const QString& testo, bool* ok = nullptr);
// A whole number typed by the user, read as utNumeroDigitato reads it; a text with
// decimals other than zero, or out of the range of int, is refused.
int utInteroDigitato(const QString& testo, bool* ok = nullptr);
// The text of a one-line box: every line break, tab or other control character becomes a
// blank (a Windows line break "\r\n" one blank).
QString utUnaRiga(const QString& testo);
