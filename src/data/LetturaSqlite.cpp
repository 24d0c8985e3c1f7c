// The statements of a data set: prepared Qt queries, the direct SQLite reading of rows and
// the savepoint guard of a registration.

#include "LetturaSqlite.h"

#include "ErroreDb.h"

#include <QByteArray>
#include <QSqlDriver>
#include <limits>
#include <sqlite3.h>

namespace dataset {

QSqlQuery prepara(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw ErroreDb(q.lastError());
    return q;
}

void esegui(QSqlQuery& q) {
    if (!q.exec())
        throw ErroreDb(q.lastError());
}

// ---- Lettura ------------------------------------------------------------------------------

Lettura::Lettura(const QSqlDatabase& db, const QString& sql) {
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
        m_db = *static_cast<sqlite3* const*>(h.constData());
    if (!m_db)
        throw ErroreDb(QStringLiteral("La connessione non è un database SQLite aperto."),
                       QString::number(SQLITE_MISUSE));
    const QByteArray testo = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db, testo.constData(), int(testo.size()), &m_st, nullptr) != SQLITE_OK)
        errore();
}

Lettura::~Lettura() {
    sqlite3_finalize(m_st);
}

void Lettura::lega(const QVariant& valore) {
    const QVariant v = aDatabase(valore);
    const int i = ++m_legati;
    int rc;
    if (nullo(v)) {
        rc = sqlite3_bind_null(m_st, i);
    } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        rc = sqlite3_bind_double(m_st, i, v.toDouble());
    } else if (numerico(v.typeId())) {
        rc = sqlite3_bind_int64(m_st, i, v.toLongLong());
    } else {
        const QByteArray t = v.toString().toUtf8();
        rc = sqlite3_bind_text(m_st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK)
        errore();
}

int Lettura::colonne() const {
    return sqlite3_column_count(m_st);
}

QString Lettura::nome(int i) const {
    return QString::fromUtf8(sqlite3_column_name(m_st, i));
}

Tipo Lettura::tipo(int i) const {
    return tipoDaDichiarato(sqlite3_column_decltype(m_st, i));
}

bool Lettura::passo() {
    const int rc = sqlite3_step(m_st);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        errore();
    return false;
}

QVariant Lettura::valore(int i, Tipo tipo) const {
    switch (sqlite3_column_type(m_st, i)) {
    case SQLITE_INTEGER: {
        const qint64 n = sqlite3_column_int64(m_st, i);
        if (tipo == Tipo::Booleano)
            return QVariant(n != 0);
        if (tipo == Tipo::Reale)
            return QVariant(double(n));
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
            return QVariant(int(n));
        return QVariant(qlonglong(n));
    }
    case SQLITE_FLOAT: {
        const double x = sqlite3_column_double(m_st, i);
        return tipo == Tipo::Booleano ? QVariant(x != 0) : QVariant(x);
    }
    case SQLITE_TEXT: {
        QString s = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_st, i)),
                                      sqlite3_column_bytes(m_st, i));
        return tipo == Tipo::Data ? dataDaIso(s) : QVariant(std::move(s));
    }
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(m_st, i)),
                          sqlite3_column_bytes(m_st, i));
    default:
        return {};
    }
}

void Lettura::errore() const {
    throw ErroreDb(QString::fromUtf8(sqlite3_errmsg(m_db)), QString::number(sqlite3_errcode(m_db)));
}

} // namespace dataset
