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
// Reads a number written with a decimal comma (a point is accepted too).
double utNumeroDaTesto(const QString& testo, bool* ok = nullptr);
