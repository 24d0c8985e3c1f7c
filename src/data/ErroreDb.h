#pragma once

#include "Errore.h"

#include <QSqlError>

// An error raised by the database engine for a statement: syntax, missing table or
// column, key violation, a file that cannot be opened.
class ErroreDb : public Errore {
public:
    explicit ErroreDb(const QSqlError& e)
        : Errore(e.text().trimmed()), m_codice(e.nativeErrorCode()) {}
    ErroreDb(const QString& messaggio, const QString& codice)
        : Errore(messaggio), m_codice(codice) {}
    // The engine's own error code ("1" for an SQLite SQL error).
    const QString& codice() const { return m_codice; }
    // The statement names a table or view that does not exist.
    bool tabellaMancante() const { return messaggio().contains(QLatin1String("no such table")); }

private:
    QString m_codice;
};
