#include "Viste.h"

#include "Connessione.h"
#include "ErroreDb.h"
#include "ReportHost.h"
#include "Transazione.h"
#include "Utilitylibrary.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The register rows of the month held in parametri.Pivot_mese: one row per receipt or
// distribution with at least one AGEA line, in register order (by day, receipts before
// distributions, then by number), and one column "A<ID>" per AGEA article with the
// document's total of that article (null when the document lacks it). The lines are
// summed once per document and article; the month's documents are reached through the
// date indexes. The template holds the same text for zero articles.
QString testoQryPivot(const QList<int>& articoli) {
    QString colonne;
    for (int id : articoli)
        colonne +=
            QStringLiteral(",\n       MAX(CASE WHEN articoli_id = %1 THEN qta END) AS A%1").arg(id);
    // nrOrdine orders the distributions by number as numbers; numero alone would not do
    // where the engine stores the union with the text type of the receipts' numbers.
    return QStringLiteral(R"(CREATE VIEW qry_pivot AS
WITH mese AS (
    SELECT date(Pivot_mese, 'start of month') AS inizio,
           date(Pivot_mese, 'start of month', '+1 month') AS fine
    FROM parametri)
SELECT tipo, data, numero, dest, destinatario%1
FROM (
    SELECT 'C' AS tipo, M.ID AS master_id, M.data AS data, M.nrDocumento AS numero,
           NULL AS nrOrdine, '' AS dest, IFNULL(F.ragsoc, '') AS destinatario,
           D.articoli_id AS articoli_id, TOTAL(D.qta) AS qta
    FROM carichi_mast M
    JOIN carichi_dett D ON D.master_id = M.ID
    JOIN articoli A ON A.ID = D.articoli_id
    LEFT JOIN fornitori F ON F.ID = M.fornitore_id
    WHERE M.data >= (SELECT inizio FROM mese) AND M.data < (SELECT fine FROM mese)
      AND A.agea = 1
    GROUP BY M.ID, D.articoli_id
    UNION ALL
    SELECT 'S', M.ID, M.data, M.nrDocumento, M.nrDocumento,
           IFNULL(CAST(M.nrBeneficiati AS TEXT), ''),
           CASE WHEN M.causali_id = 1 AND M.nrBeneficiati = 1 THEN '{dest} indigente'
                WHEN M.causali_id = 1 THEN '{dest} indigenti'
                ELSE IFNULL(K.descr, '') END,
           D.articoli_id, TOTAL(D.qta)
    FROM scarichi_mast M
    JOIN scarichi_dett D ON D.master_id = M.ID
    JOIN articoli A ON A.ID = D.articoli_id
    LEFT JOIN lstCausali K ON K.ID = M.causali_id
    WHERE M.data >= (SELECT inizio FROM mese) AND M.data < (SELECT fine FROM mese)
      AND A.agea = 1
    GROUP BY M.ID, D.articoli_id)
GROUP BY tipo, master_id
ORDER BY data, tipo, nrOrdine, numero, master_id)")
        .arg(colonne);
}

void esegui(QSqlQuery& q, const QString& sql) {
    if (!q.exec(sql))
        throw ErroreDb(q.lastError());
}

} // namespace

void RicreaQryPivot(const QString& connessione) {
    QSqlDatabase db = QSqlDatabase::database(connessione);
    // A read-only file keeps its view: a temporary one of the same name, which the engine
    // finds first, lives with the connection and reads the file's current articles.
    const bool temporanea = ConnessioneSolaLettura(connessione);
    const QString schema =
        temporanea ? QStringLiteral("sqlite_temp_master") : QStringLiteral("sqlite_master");
    QList<int> articoli;
    QString attuale;
    {
        QSqlQuery q(db);
        esegui(q, QStringLiteral(
                      "SELECT ID FROM articoli WHERE agea = 1 ORDER BY descr COLLATE NOCASE, ID"));
        while (q.next())
            articoli << q.value(0).toInt();
        esegui(q, QStringLiteral("SELECT sql FROM ") + schema +
                      QStringLiteral(" WHERE type = 'view' AND name = 'qry_pivot'"));
        if (q.next())
            attuale = q.value(0).toString();
    }
    const QString testo = testoQryPivot(articoli);
    // An unchanged view is left alone: rewriting the schema would turn every read of the
    // register into a write of the file.
    if (attuale == testo)
        return;

    QSqlQuery q(db);
    esegui(q, QStringLiteral("SAVEPOINT ricrea_qry_pivot"));
    try {
        esegui(q, temporanea ? QStringLiteral("DROP VIEW IF EXISTS temp.qry_pivot")
                             : QStringLiteral("DROP VIEW IF EXISTS qry_pivot"));
        // The engine keeps the text without TEMP: the comparison above holds for both.
        esegui(q, temporanea ? QString(testo).replace(QStringLiteral("CREATE VIEW"),
                                                      QStringLiteral("CREATE TEMP VIEW"))
                             : testo);
        esegui(q, QStringLiteral("RELEASE ricrea_qry_pivot"));
    } catch (const ErroreDb&) {
        // Keep the previous view: undo the drop, then leave the savepoint.
        q.exec(QStringLiteral("ROLLBACK TO ricrea_qry_pivot"));
        q.exec(QStringLiteral("RELEASE ricrea_qry_pivot"));
        throw;
    }
}

void ImpostaParametriMese(const QDate& mese) {
    Transazione scrittura(QStringLiteral("parametri_mese"));
    const QString testoMese = utTestoData(mese);
    ReportHost::ImpostaParametro(QStringLiteral("Pivot_mese"), testoMese);
    // The opening stock's day comes from the month as written, read back.
    const QDate letta = utDataDaTesto(testoMese);
    ReportHost::ImpostaParametro(QStringLiteral("Pivot_giac_data"),
                                 utTestoData(QDate(letta.year(), letta.month(), 1)));
    scrittura.conferma();
}
