// The template database: fixed rows, keys, indexes and triggers.

#include "DatabaseProva.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <memory>
#include <tuple>

namespace {
const QString CONNESSIONE = QStringLiteral("tst_schema");
}

class TestSchema : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<DatabaseProva> m_db;

    static QSqlDatabase db() { return QSqlDatabase::database(CONNESSIONE); }
    // Runs a statement; false (and the error in `errore`) when the engine rejects it.
    static bool esegui(const QString& sql, QString* errore = nullptr) {
        QSqlQuery q(db());
        if (q.exec(sql))
            return true;
        if (errore)
            *errore = q.lastError().text();
        return false;
    }
    static void eseguiOk(const QString& sql) {
        QSqlQuery q(db());
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text() + " in " + sql));
    }
    // The first column of the first row.
    static QVariant valore(const QString& sql) {
        QSqlQuery q(db());
        if (!q.exec(sql) || !q.next())
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q.value(0);
    }
    static QStringList colonna(const QString& sql) {
        QSqlQuery q(db());
        QStringList out;
        if (!q.exec(sql))
            qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

private slots:
    void init() { m_db = std::make_unique<DatabaseProva>(CONNESSIONE); }
    void cleanup() { m_db.reset(); }

    // AutoNumber: an ID is never given again, not even after the last row is deleted.
    void numerazioneAutomatica() {
        const QStringList tabelle = colonna(
            "SELECT m.name FROM sqlite_master m WHERE m.type = 'table' AND m.name <> 'parametri'"
            " AND EXISTS (SELECT 1 FROM pragma_table_info(m.name) WHERE name = 'ID')");
        QVERIFY(tabelle.contains("articoli") && tabelle.contains("scarichi_dett"));
        for (const QString& t : tabelle) {
            eseguiOk("INSERT INTO " + t + " DEFAULT VALUES");
            const qlonglong primo = valore("SELECT MAX(ID) FROM " + t).toLongLong();
            eseguiOk("DELETE FROM " + t + " WHERE ID = " + QString::number(primo));
            eseguiOk("INSERT INTO " + t + " DEFAULT VALUES");
            QVERIFY2(valore("SELECT MAX(ID) FROM " + t).toLongLong() > primo, qPrintable(t));
        }
    }

    // The fixed rows the program relies on; one parameter row, quoted numbers stored as such.
    void righeFisse() {
        QCOMPARE(colonna("SELECT ID || descr FROM lstCausali WHERE ID <= 3 ORDER BY ID"),
                 (QStringList{"1Consegna a indigenti", "2Eliminazione per scadenza",
                              "3Cessione ad altra struttura caritativa"}));
        QCOMPARE(valore("SELECT versioneDb FROM info").toInt(), 1);

        QVERIFY(!esegui("INSERT INTO parametri (Regagea_Articolo_ID) VALUES (0)"));
        QCOMPARE(valore("SELECT COUNT(*) FROM parametri").toInt(), 1);
        eseguiOk("UPDATE parametri SET Stampa_Articolo_ID = '12'");
        QCOMPARE(valore("SELECT typeof(Stampa_Articolo_ID) FROM parametri").toString(),
                 QStringLiteral("integer"));
    }

    // An Annex 9 number once per year, one Annex per day.
    void indiciUnivoci() {
        eseguiOk("INSERT INTO allegati9 (data, anno, numero, stampato)"
                 " VALUES ('2024-03-05', 2024, 1, 0)");
        QString errore;
        QVERIFY(!esegui("INSERT INTO allegati9 (data, anno, numero, stampato)"
                        " VALUES ('2024-03-05', 2024, 2, 0)",
                        &errore));
        QVERIFY2(errore.contains("UNIQUE"), qPrintable(errore));
        QVERIFY(!esegui("INSERT INTO allegati9 (data, anno, numero, stampato)"
                        " VALUES ('2024-03-06', 2024, 1, 0)"));
        // The same number in another year, and the next number of the year, are fine.
        eseguiOk("INSERT INTO allegati9 (data, anno, numero, stampato)"
                 " VALUES ('2023-12-30', 2023, 1, 0)");
        eseguiOk("INSERT INTO allegati9 (data, anno, numero) VALUES ('2024-03-06', 2024, 2)");
        QCOMPARE(valore("SELECT stampato FROM allegati9 WHERE numero = 2").toInt(), 0);
        // The supplier code is not unique: every food bank supplier has code 0.
        eseguiOk("INSERT INTO fornitori (codfor, ragsoc) VALUES ('0', 'Coop'), ('0', 'Esselunga')");
    }

    // Deleting a receipt, a distribution or a template deletes its lines, and only those.
    void eliminazioneRigheConTestata() {
        const std::tuple<QString, QString, QString> casi[] = {
            {"carichi_mast", "carichi_dett", "master_id"},
            {"scarichi_mast", "scarichi_dett", "master_id"},
            {"cons_mast", "cons_dett", "modelli_id"},
        };
        for (const auto& [testata, righe, legame] : casi) {
            eseguiOk("INSERT INTO " + testata + " (ID) VALUES (1), (2), (3)");
            eseguiOk("INSERT INTO " + righe + " (" + legame +
                     ", articoli_id, qta) VALUES (1, 1, 1), (1, 2, 2), (2, 1, 3), (3, 1, 4)");
            eseguiOk("DELETE FROM " + testata + " WHERE ID IN (1, 3)");
            QCOMPARE(colonna("SELECT " + legame + " || ':' || qta FROM " + righe + " ORDER BY ID"),
                     QStringList{"2:3.0"});
        }
    }

    // Italian short dates written are stored as ISO, each column's trigger on its own column.
    void dateDeiParametri() {
        const std::pair<QString, QString> casi[] = {
            {"01/03/2024", "2024-03-01"},
            {"5/3/2024", "2024-03-05"},
            {"29/02/2024 00:00:00", "2024-02-29"},
            {"2024-03-01", "2024-03-01"},
            {"1/3/24", "1/3/24"},
        };
        for (const auto& [scritto, memorizzato] : casi) {
            for (const QString c : {"Pivot_mese", "Pivot_giac_data"}) {
                eseguiOk("UPDATE parametri SET " + c + " = '" + scritto + "'");
                QCOMPARE(valore("SELECT " + c + " FROM parametri").toString(), memorizzato);
            }
            eseguiOk("UPDATE parametri SET Pivot_mese = '02/01/2025'");
            QCOMPARE(valore("SELECT Pivot_giac_data FROM parametri").toString(), memorizzato);
        }
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
