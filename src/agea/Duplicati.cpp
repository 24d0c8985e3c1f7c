#include "Duplicati.h"

#include "AccessoDati.h"
#include "DataSet.h"
#include "Transazione.h"
#include "Utilitylibrary.h"

namespace {

// The groups of lines sharing document and article, with their count and summed quantity.
const QString MODELLO_DUPLICATI = QStringLiteral(
    "\t\tSELECT COUNT(*) AS cnt, {campoMaster}, articoli_id, SUM(qta) AS tot\t\t\tFROM {tabella}"
    "  \t\t\t  GROUP BY {campoMaster}, articoli_id \t\t\t HAVING COUNT(*)>1\t\t  ");

// Merges the lines of the group at the current row of the duplicates query `q`.
void unisciGruppo(const QString& tabella, const QString& campoMaster, const DataSet& q) {
    const QString m = QString::number(q.valore(campoMaster).toInt());
    const QString a = QString::number(q.valore(QStringLiteral("articoli_id")).toInt());
    // The double-precision total, rounded to the six decimals a quantity may carry, so that
    // 0.1 + 0.2 is written as 0.3 and large totals keep every digit.
    const double tot =
        QString::number(q.valore(QStringLiteral("tot")).toDouble(), 'f', 6).toDouble();
    const QString gruppo =
        campoMaster + QLatin1Char('=') + m + QStringLiteral(" AND articoli_id=") + a;

    // The update and the delete stand or fall together: the document's total for the
    // article never changes, whichever statement fails.
    Transazione transazione(QStringLiteral("duplicati_gruppo"));
    // The lowest ID of the group keeps the total.
    const QString tieni = QString::number(
        DbValore(tabella, QStringLiteral("TOP 1 ID"), gruppo + QStringLiteral(" ORDER BY ID"))
            .toInt());
    Querifica(QStringLiteral("UPDATE ") + tabella + QStringLiteral(" SET qta=") + utNumeroSql(tot) +
              QStringLiteral(" WHERE ID=") + tieni);
    Querifica(QStringLiteral("DELETE FROM ") + tabella + QStringLiteral(" WHERE ") + gruppo +
              QStringLiteral(" AND ID<>") + tieni);
    transazione.conferma();
}

void unisciDuplicati(const QString& routine, const QString& tabella, const QString& campoMaster,
                     int documento) {
    QString modello = NormalizzaSpazi(MODELLO_DUPLICATI);
    if (documento != 0)
        modello.replace(QStringLiteral(" GROUP BY "),
                        QStringLiteral(" WHERE {campoMaster}=%1 GROUP BY ").arg(documento));
    const QString sql = utSostituisci(utSostituisci(modello, QStringLiteral("{tabella}"), tabella),
                                      QStringLiteral("{campoMaster}"), campoMaster);
    DataSet q(QStringLiteral("qryDuplicati"));
    Recset(sql, q);
    utLog(routine, QStringLiteral("N. ") + QString::number(q.conteggio()) +
                       QStringLiteral(" duplicati trovati in [") + tabella + QStringLiteral("]."));
    if (q.vuoto())
        return;
    // All the groups are written with one sync of the file; a failure undoes only the group
    // it hit, the groups merged before it stay merged. A merge is logged only once it is
    // committed: a full disk may make the engine roll back the whole transaction, and then
    // none of the groups merged so far is kept.
    const QString riga =
        QStringLiteral("Eliminato un duplicato da [") + tabella + QStringLiteral("].");
    qsizetype uniti = 0;
    Transazione tutti(QStringLiteral("duplicati"));
    try {
        for (q.primo(); !q.fine(); q.successivo()) {
            unisciGruppo(tabella, campoMaster, q);
            ++uniti;
        }
    } catch (...) {
        // The engine's own reason travels up, not a later failure to close the savepoint.
        if (!tutti.confermaSePossibile())
            uniti = 0;
        for (qsizetype i = 0; i < uniti; ++i)
            utLog(routine, riga);
        throw;
    }
    tutti.conferma();
    for (qsizetype i = 0; i < uniti; ++i)
        utLog(routine, riga);
}

} // namespace

void CheckArticoliDuplicatiUnaTabella(const QString& tabella, const QString& campoMaster,
                                      int documento) {
    const QString routine = QStringLiteral("TfrmMain::CheckArticoliDuplicatiUnaTabella");
    utLogEnter(routine);
    try {
        unisciDuplicati(routine, tabella, campoMaster, documento);
    } catch (...) {
        utLogExit(routine);
        throw;
    }
    utLogExit(routine);
}

void CheckArticoliDuplicati() {
    CheckArticoliDuplicatiUnaTabella(QStringLiteral("cons_dett"), QStringLiteral("modelli_id"));
    CheckArticoliDuplicatiUnaTabella(QStringLiteral("scarichi_dett"), QStringLiteral("master_id"));
    CheckArticoliDuplicatiUnaTabella(QStringLiteral("carichi_dett"), QStringLiteral("master_id"));
}
