#include "DatabaseProva.h"

#include <QTest>

DatabaseProva::DatabaseProva(const QString& nome) : m_nome(nome) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nome);
    db.setDatabaseName(m_cartella.fileDb());
    QVERIFY(db.open());
}

DatabaseProva::~DatabaseProva() {
    QSqlDatabase::database(m_nome, false).close();
    QSqlDatabase::removeDatabase(m_nome);
}
