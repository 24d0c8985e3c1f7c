#pragma once

// The statements of a data set: Qt queries that throw ErroreDb on failure, the direct
// SQLite reading of rows (Lettura) and the savepoint around the statements of one
// registration. Private to the data set's files.

#include "DataSetValori.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace dataset {

QSqlQuery prepara(const QSqlDatabase& db, const QString& sql);
void esegui(QSqlQuery& q);

// A SELECT run directly on the connection's SQLite handle. The rows of a data set are
// read through it: Qt's driver converts every text to UTF-16 inside SQLite and keeps each
// row as a list of QVariants that are copied out again, which costs more than the query
// itself on large tables. It also gives the declared column types, which Qt does not.
class Lettura {
public:
    Lettura(const QSqlDatabase& db, const QString& sql);
    ~Lettura();
    Lettura(const Lettura&) = delete;
    Lettura& operator=(const Lettura&) = delete;

    // Binds the next placeholder, the value converted as the database stores it.
    void lega(const QVariant& valore);

    int colonne() const;
    QString nome(int i) const;
    Tipo tipo(int i) const;

    // The next row; false after the last one.
    bool passo();

    // A value of the current row, typed by its column.
    QVariant valore(int i, Tipo tipo) const;

private:
    [[noreturn]] void errore() const;
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_st = nullptr;
    int m_legati = 0;
};

} // namespace dataset
