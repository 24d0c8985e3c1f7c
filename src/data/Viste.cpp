#include "Viste.h"

#include "Connessione.h"
#include "ErroreDb.h"
#include "ReportHost.h"
#include "Transazione.h"
#include "Utilitylibrary.h"

#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

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

// The text of a stored view or trigger made into that of a temporary one, which the
// engine finds before the stored one of the same name. It keeps the text without TEMP.
QString testoTemporaneo(const QString& sql) {
    static const QRegularExpression inizio(QStringLiteral("^\\s*CREATE\\s+(VIEW|TRIGGER)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    return QString(sql).replace(inizio, QStringLiteral("CREATE TEMP \\1"));
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

    // On a failure the savepoint gives the previous view back.
    Transazione ricrea(QStringLiteral("ricrea_qry_pivot"), db);
    QSqlQuery q(db);
    esegui(q, temporanea ? QStringLiteral("DROP VIEW IF EXISTS temp.qry_pivot")
                         : QStringLiteral("DROP VIEW IF EXISTS qry_pivot"));
    // The engine keeps the text without TEMP: the comparison above holds for both.
    esegui(q, temporanea ? testoTemporaneo(testo) : testo);
    ricrea.conferma();
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

void PreparaSolaLettura(const QString& connessione) {
    if (!ConnessioneSolaLettura(connessione))
        return;
    QSqlDatabase db = QSqlDatabase::database(connessione);
    QSqlQuery q(db);
    esegui(q, QStringLiteral("SELECT 1 FROM sqlite_temp_master WHERE type = 'table' AND "
                             "name = 'parametri'"));
    if (q.next())
        return;

    struct Oggetto {
        QString tipo, nome, sql;
    };
    QList<Oggetto> oggetti;
    esegui(q, QStringLiteral("SELECT type, name, sql FROM main.sqlite_master WHERE type IN "
                             "('view', 'trigger') AND sql IS NOT NULL ORDER BY rowid"));
    while (q.next())
        oggetti.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});

    // A stored view reads the stored objects of its names: every view that reads parametri,
    // or a view that does, needs its own copy, found until no new view reads one of them.
    QStringList letti{QStringLiteral("parametri")};
    QSet<QString> scelti;
    for (bool nuovi = true; nuovi;) {
        nuovi = false;
        const QRegularExpression nomi(QStringLiteral("\\b(") + letti.join(QLatin1Char('|')) +
                                          QStringLiteral(")\\b"),
                                      QRegularExpression::CaseInsensitiveOption);
        for (const Oggetto& o : std::as_const(oggetti)) {
            if (scelti.contains(o.nome) || !o.sql.contains(nomi))
                continue;
            scelti.insert(o.nome);
            if (o.tipo == QLatin1String("view")) {
                letti << QRegularExpression::escape(o.nome);
                nuovi = true;
            }
        }
    }

    Transazione copie(QStringLiteral("prepara_sola_lettura"), db);
    esegui(q, QStringLiteral("CREATE TEMP TABLE parametri AS SELECT * FROM main.parametri"));
    for (const Oggetto& o : std::as_const(oggetti)) {
        if (scelti.contains(o.nome))
            esegui(q, testoTemporaneo(o.sql));
    }
    copie.conferma();
}

QString TestoParametri(const QString& connessione) {
    QSqlQuery q(QSqlDatabase::database(connessione));
    esegui(q, QStringLiteral("SELECT * FROM parametri"));
    QStringList coppie;
    if (q.next()) {
        const QSqlRecord riga = q.record();
        for (int i = 0; i < riga.count(); ++i) {
            if (riga.isNull(i))
                continue;
            coppie << riga.fieldName(i) + QLatin1Char('=') +
                          QString::fromLatin1(QUrl::toPercentEncoding(riga.value(i).toString()));
        }
    }
    return coppie.join(QLatin1Char('&'));
}

void ApplicaTestoParametri(const QString& testo, const QString& connessione) {
    QSqlDatabase db = QSqlDatabase::database(connessione);
    QSqlQuery q(db);
    esegui(q, QStringLiteral("SELECT * FROM parametri LIMIT 0"));
    const QSqlRecord colonne = q.record();
    for (const QString& coppia : testo.split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype uguale = coppia.indexOf(QLatin1Char('='));
        const QString nome = coppia.left(uguale);
        if (uguale < 1 || colonne.indexOf(nome) < 0 || nome.contains(QLatin1Char('"')))
            throw ErroreDb(QStringLiteral("Parametro sconosciuto: \"%1\".").arg(coppia), QString());
        if (!q.prepare(QStringLiteral("UPDATE parametri SET \"%1\" = ?").arg(nome)))
            throw ErroreDb(q.lastError());
        q.addBindValue(QUrl::fromPercentEncoding(coppia.mid(uguale + 1).toLatin1()));
        if (!q.exec())
            throw ErroreDb(q.lastError());
    }
}
