#pragma once

// Statements that stand or fall together: a savepoint, rolled back when the object goes
// out of scope unless confirmed, so that a failure leaves the database as it was. Being a
// savepoint it nests inside another one, or inside a transaction a caller holds open.

#include <QSqlDatabase>
#include <QString>

class Transazione {
public:
    // Opens the savepoint `nome` on `db`, by default the program's connection. Throws
    // ErroreDb when it cannot be opened.
    explicit Transazione(const QString& nome, const QSqlDatabase& db = {});
    ~Transazione();
    Transazione(const Transazione&) = delete;
    Transazione& operator=(const Transazione&) = delete;

    // Keeps what was done. Throws ErroreDb when it cannot be written.
    void conferma();
    // Keeps what was done, after a statement inside has failed: false, without throwing,
    // when it cannot. A full disk or a failed write may make the engine roll back the whole
    // transaction itself; the savepoint is gone then, and the error that caused it is the
    // one the caller must report, not the "no such savepoint" that closing it would give.
    bool confermaSePossibile() noexcept;

private:
    void esegui(const QString& sql);

    QSqlDatabase m_db;
    QString m_nome;
    bool m_aperta = true;
};
