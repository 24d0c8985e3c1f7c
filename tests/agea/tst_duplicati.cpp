// The merge of duplicate document lines: what is merged, the totals, the log, and failures.

#include "ConnessioneProva.h"
#include "Duplicati.h"
#include "ErroreDb.h"
#include "Utilitylibrary.h"

#include <QSqlQuery>
#include <QTest>

class TestDuplicati : public QObject {
    Q_OBJECT

    std::unique_ptr<ConnessioneProva> m_db;

    // Every line of a line table as "ID|document|article|quantity", in ID order.
    static QStringList righe(const QString& tabella, const QString& campoMaster) {
        QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
        q.exec("SELECT ID, " + campoMaster + ", articoli_id, qta FROM " + tabella + " ORDER BY ID");
        QStringList out;
        while (q.next())
            out << QStringLiteral("%1|%2|%3|%4")
                       .arg(q.value(0).toInt())
                       .arg(q.value(1).toInt())
                       .arg(q.value(2).toInt())
                       .arg(q.value(3).toDouble(), 0, 'g', 17);
        return out;
    }

private slots:
    void init() { m_db = std::make_unique<ConnessioneProva>(); }
    void cleanup() { m_db.reset(); }

    // One article's lines under one document become the lowest ID; totals rounded to six
    // decimals (0.1 + 0.2 is the double nearest 0.3) keep every digit of eleven.
    void tutteLeTabelle() {
        ConnessioneProva::esegui(
            "INSERT INTO scarichi_dett (ID, master_id, articoli_id, qta) VALUES "
            "(31, 7, 5, 2), (35, 7, 5, 0.5), (38, 7, 5, 1.25), (40, 7, 9, 1), (41, 8, 5, 4)");
        ConnessioneProva::esegui("INSERT INTO cons_dett (ID, modelli_id, articoli_id, qta) VALUES "
                                 "(10, 3, 2, 0.1), (11, 3, 2, 0.2), (12, 4, 2, 1)");
        ConnessioneProva::esegui(
            "INSERT INTO carichi_dett (ID, master_id, articoli_id, qta) VALUES "
            "(20, 1, 6, 99999999999), (21, 1, 6, 1)");
        CheckArticoliDuplicati();

        QCOMPARE(righe("cons_dett", "modelli_id"),
                 (QStringList{"10|3|2|0.29999999999999999", "12|4|2|1"}));
        QCOMPARE(righe("scarichi_dett", "master_id"),
                 (QStringList{"31|7|5|3.75", "40|7|9|1", "41|8|5|4"}));
        QCOMPARE(righe("carichi_dett", "master_id"), QStringList{"20|1|6|100000000000"});
        QCOMPARE(m_db->cartella().righeLog().filter(QRegularExpression("^  N\\. ")),
                 (QStringList{"  N. 1 duplicati trovati in [cons_dett].",
                              "  N. 1 duplicati trovati in [scarichi_dett].",
                              "  N. 1 duplicati trovati in [carichi_dett]."}));
    }

    // A refused delete leaves its group as it was; the group merged before stays committed.
    void eliminazioneRifiutata() {
        ConnessioneProva::esegui(
            "INSERT INTO scarichi_dett (ID, master_id, articoli_id, qta) VALUES "
            "(1, 7, 5, 2), (2, 7, 5, 3), (3, 8, 5, 1), (4, 8, 5, 1)");
        ConnessioneProva::esegui(
            "CREATE TRIGGER rifiuta BEFORE DELETE ON scarichi_dett WHEN OLD.master_id = 8 "
            "BEGIN SELECT RAISE(ABORT, 'eliminazione rifiutata'); END");
        QVERIFY_THROWS_EXCEPTION(ErroreDb,
                                 CheckArticoliDuplicatiUnaTabella("scarichi_dett", "master_id"));
        QCOMPARE(utLogLivello(), 0);
        ChiudiConnessione();
        ApriConnessione(m_db->cartella().fileDb());
        QCOMPARE(righe("scarichi_dett", "master_id"),
                 (QStringList{"1|7|5|5", "3|8|5|1", "4|8|5|1"}));
        QCOMPARE(m_db->cartella().righeLog().filter("Eliminato un duplicato").size(), 1);
    }

    // A full disk while a total is written rolls back the whole merge: its reason reaches the
    // caller, no merge is logged, every line is as it was. The kept lines of documents
    // 1..1000 grow to twelve digits, soon needing a page the file lacks.
    void discoPieno() {
        ConnessioneProva::esegui(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
            "INSERT INTO scarichi_dett (ID, master_id, articoli_id, qta) "
            "SELECT i, (i - 1) % 1000 + 1, 5, CASE WHEN i <= 1000 THEN 1 ELSE 123456789011 END "
            "FROM n");
        ConnessioneProva::esegui("INSERT INTO scarichi_dett (ID, master_id, articoli_id, qta) "
                                 "VALUES (2001, 0, 5, 2), (2002, 0, 5, 3)");
        const QStringList prima = righe("scarichi_dett", "master_id");
        QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
        QVERIFY(q.exec("PRAGMA page_count") && q.next());
        ConnessioneProva::esegui("PRAGMA max_page_count=" + q.value(0).toString());
        try {
            CheckArticoliDuplicatiUnaTabella("scarichi_dett", "master_id");
            QFAIL("the merge went through on a full disk");
        } catch (const ErroreDb& e) {
            QVERIFY2(e.messaggio().contains("database or disk is full"), qPrintable(e.messaggio()));
        }
        QCOMPARE(utLogLivello(), 0);
        const QStringList log = m_db->cartella().righeLog();
        QVERIFY(log.filter("Eliminato un duplicato").isEmpty());
        QCOMPARE(log.filter("DELETE FROM scarichi_dett WHERE master_id=0 ").size(), 1);
        QCOMPARE(righe("scarichi_dett", "master_id"), prima);
    }
};

QTEST_GUILESS_MAIN(TestDuplicati)
#include "tst_duplicati.moc"
