#pragma once

// The values of a data set: the kind of a column from its declared type, the conversion of
// values between the program's types and what the database stores, and the comparison that
// orders rows as SQLite orders them. Private to the data set's files.

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <optional>

namespace dataset {

// The kind of a column, from its declared type. Libero: an expression of a query, with
// no declared type; its values stay as the engine gives them.
enum class Tipo { Testo, Intero, Reale, Data, Booleano, Libero };

Tipo tipoDaDichiarato(const char* dichiarato);

inline bool nullo(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

inline bool numerico(int id) {
    return id == QMetaType::Int || id == QMetaType::UInt || id == QMetaType::LongLong ||
           id == QMetaType::ULongLong || id == QMetaType::Double || id == QMetaType::Float;
}

// A stored date: 'YYYY-MM-DD' gives a QDate, 'YYYY-MM-DD HH:MM[:SS]' a QDateTime. Any other
// text stays as it is, so that nothing stored is lost.
QVariant dataDaIso(const QString& s);

// A typed value as the database stores it: dates as ISO text, booleans as 0 and 1.
QVariant aDatabase(const QVariant& v);

// A value given by the program or typed by the user, converted to the column's type. Text
// is read in the Italian formats; empty text in a column that is not text is null.
std::optional<QVariant> converti(const QVariant& v, Tipo tipo);

// Compares two values as SQLite orders them (senzaMaiuscole: COLLATE NOCASE).
int confrontaValori(const QVariant& a, const QVariant& b, bool senzaMaiuscole);

bool uguali(const QVariant& a, const QVariant& b);

} // namespace dataset
