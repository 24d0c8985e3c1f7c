// The program's database connection: opening and closing it, and running statements
// written in the Access dialect.

#include "Connessione.h"

#include "ErroreDb.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <QVariant>
#include <sqlite3.h>

QSqlDatabase ApriConnessione(const QString& file, const QString& nome) {
    const QFileInfo info(file);
    if (!info.isFile())
        throw ErroreDb(QStringLiteral("Il database ") + QDir::toNativeSeparators(file) +
                           QStringLiteral(" non esiste."),
                       QString::number(SQLITE_CANTOPEN));
    if (QSqlDatabase::contains(nome) &&
        QSqlDatabase::database(nome, false).driverName() != QLatin1String("QSQLITE"))
        ChiudiConnessione(nome);
    QSqlDatabase db = QSqlDatabase::contains(nome)
                          ? QSqlDatabase::database(nome, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    db.close();
    // "mode=rw" and "mode=ro": SQLite opens the file but never creates it, also if it
    // vanished just now.
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    db.setDatabaseName(
        QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
        (FileSolaLettura(file) ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw")));
    if (!db.open())
        throw ErroreDb(db.lastError());
    try {
        QSqlQuery q(db);
        // The rollback journal, so that a closed database is one complete file.
        EseguiSql(q, QStringLiteral("PRAGMA journal_mode=DELETE"));
        if (!q.next() ||
            q.value(0).toString().compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
            throw ErroreDb(QStringLiteral("Impossibile impostare il journal del database ") +
                               QDir::toNativeSeparators(file) + QLatin1Char('.'),
                           QString::number(SQLITE_ERROR));
        EseguiSql(q, QStringLiteral("PRAGMA foreign_keys=OFF"));
        RegistraFunzioniAccess(db);
    } catch (const ErroreDb&) {
        // A file that is not a database, or one that cannot be set up, is left closed.
        db.close();
        throw;
    }
    return db;
}

bool FileSolaLettura(const QString& file) {
    const QFileInfo info(file);
    // The journal is written beside the file: a folder that cannot take it cannot take a
    // change either.
    return !info.isWritable() || !info.permissions().testFlag(QFileDevice::WriteOwner) ||
           !QFileInfo(info.absolutePath()).isWritable();
}

bool ConnessioneSolaLettura(const QString& nome) {
    if (!QSqlDatabase::contains(nome))
        return false;
    const QSqlDatabase db = QSqlDatabase::database(nome, false);
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return false;
    sqlite3* handle = *static_cast<sqlite3* const*>(v.constData());
    return handle && sqlite3_db_readonly(handle, "main") == 1;
}

void ChiudiConnessione(const QString& nome) {
    if (!QSqlDatabase::contains(nome))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(nome, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(nome);
}

void AttaccaDatabase(const QString& file, const QString& schema, const QString& nome) {
    const QFileInfo info(file);
    if (!info.isFile())
        throw ErroreDb(QStringLiteral("Il database ") + QDir::toNativeSeparators(file) +
                           QStringLiteral(" non esiste."),
                       QString::number(SQLITE_CANTOPEN));
    // The connection is opened with URI names: "mode=rw" opens the file but never creates
    // it, also if it vanished after the check above.
    QSqlQuery q(QSqlDatabase::database(nome, false));
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS ") + schema);
    q.addBindValue(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                   QStringLiteral("?mode=rw"));
    if (!q.exec())
        throw ErroreDb(q.lastError());
}

void EseguiSql(QSqlQuery& q, const QString& sqlAccess) {
    if (!q.exec(TraduciSql(sqlAccess)))
        throw ErroreDb(q.lastError());
}
