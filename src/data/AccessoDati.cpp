#include "AccessoDati.h"

#include "Connessione.h"
#include "DataSet.h"
#include "Utilitylibrary.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace {
QSqlDatabase connessione() {
    return QSqlDatabase::database(QLatin1String(NOME_CONNESSIONE), false);
}
} // namespace

void Querifica(const QString& sql) {
    const QString pulito = NormalizzaSpazi(sql);
    utLog(QStringLiteral("Querifica { sql=\"") + pulito + QStringLiteral("\" }"), 0);
    QSqlQuery q(connessione());
    EseguiSql(q, pulito);
}

void Recset(const QString& sql, DataSet& q) {
    const QString pulito = NormalizzaSpazi(sql);
    utLog(QStringLiteral("Recset { sql=\"") + pulito + QStringLiteral("\" }"), 0);
    q.chiudi();
    q.setConnessione(QLatin1String(NOME_CONNESSIONE));
    q.setSql(pulito);
    q.apri();
}

QString TestoValore(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return utTestoNumero(v.toDouble());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QDate:
        return utTestoData(v.toDate());
    case QMetaType::QDateTime:
        return utTestoDataOra(v.toDateTime());
    case QMetaType::QString: {
        // Dates are stored as ISO text; they read back in the Italian short form.
        static const QRegularExpression iso(
            QStringLiteral("^\\d{4}-\\d{2}-\\d{2}( \\d{2}:\\d{2}:\\d{2})?$"));
        const QString s = v.toString();
        if (iso.match(s).hasMatch()) {
            const QDateTime dt =
                QDateTime::fromString(s.size() == 10 ? s + QStringLiteral(" 00:00:00") : s,
                                      QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (dt.isValid())
                return utTestoDataOra(dt);
        }
        return s;
    }
    default:
        return v.toString();
    }
}

QString DbValore(const QString& tabella, const QString& colonna, const QString& condizione) {
    QString sql = QStringLiteral("SELECT ") + colonna + QStringLiteral(" FROM ") + tabella;
    if (!condizione.isEmpty())
        sql += QStringLiteral(" WHERE ") + condizione;
    QString risultato;
    {
        QSqlQuery q(connessione());
        q.setForwardOnly(true);
        EseguiSql(q, sql);
        if (q.next())
            risultato = TestoValore(q.value(0));
    }
    utLog(QStringLiteral("DbValore { sql=\"") + sql + QStringLiteral("\", result=\"") + risultato +
              QStringLiteral("\"  }"),
          0);
    return risultato;
}

int ProssimoNrScarico() {
    const QString massimo = DbValore(QStringLiteral("scarichi_mast"),
                                     QStringLiteral("MAX(VAL(nrDocumento))"), QString());
    if (massimo.isEmpty())
        return 1;
    bool ok = false;
    const int n = massimo.toInt(&ok);
    if (!ok)
        throw Errore(QStringLiteral("'") + massimo +
                     QStringLiteral("' non è un numero intero valido."));
    return n + 1;
}

int IdCorrente(const DataSet& ds) {
    return ds.riga() < 0 ? 0 : ds.valore(QStringLiteral("ID")).toInt();
}

void PosizionaId(DataSet& ds, int id) {
    ds.localizza(QStringLiteral("ID"), QString::number(id));
}
