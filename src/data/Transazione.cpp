#include "Transazione.h"

#include "Connessione.h"
#include "ErroreDb.h"

#include <QSqlError>
#include <QSqlQuery>

Transazione::Transazione(const QString& nome, const QSqlDatabase& db)
    : m_db(db.isValid() ? db : QSqlDatabase::database(QLatin1String(NOME_CONNESSIONE), false)),
      m_nome(nome) {
    esegui(QStringLiteral("SAVEPOINT ") + m_nome);
}

Transazione::~Transazione() {
    if (!m_aperta)
        return;
    QSqlQuery q(m_db);
    q.exec(QStringLiteral("ROLLBACK TO ") + m_nome);
    q.exec(QStringLiteral("RELEASE ") + m_nome);
}

void Transazione::conferma() {
    esegui(QStringLiteral("RELEASE ") + m_nome);
    m_aperta = false;
}

bool Transazione::confermaSePossibile() noexcept {
    try {
        QSqlQuery q(m_db);
        if (!q.exec(QStringLiteral("RELEASE ") + m_nome))
            return false;
        m_aperta = false;
        return true;
    } catch (...) {
        return false;
    }
}

void Transazione::esegui(const QString& sql) {
    QSqlQuery q(m_db);
    if (!q.exec(sql))
        throw ErroreDb(q.lastError());
}
