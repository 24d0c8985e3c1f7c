// The Access dialect on SQLite: translation, registered functions, statements on the template.

#include "CartellaProgramma.h"
#include "Connessione.h"
#include "ErroreDb.h"

#include <QDateTime>
#include <QFile>
#include <QSqlQuery>
#include <QTest>
#include <memory>

namespace {
const QString CONNESSIONE = QStringLiteral("tst_dialetto");
}

class TstDialetto : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaProgramma> m_cartella;

    // Translates and runs a statement; the first column of every row.
    static QVariantList colonna(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(CONNESSIONE));
        EseguiSql(q, sql);
        QVariantList valori;
        while (q.next())
            valori << q.value(0);
        return valori;
    }
    static QVariant valore(const QString& sql) { return colonna(sql).value(0); }

private slots:
    void init() {
        m_cartella =
            std::make_unique<CartellaProgramma>(CartellaProgramma::Database::Lavoro, false);
        ApriConnessione(m_cartella->fileDb(), CONNESSIONE);
    }
    void cleanup() {
        ChiudiConnessione(CONNESSIONE);
        m_cartella.reset();
    }

    // Each Access form rewritten; quoted texts, names and uncompared dates pass untouched.
    void traduzione_data() {
        QTest::addColumn<QString>("access");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("data") << "SELECT ID FROM allegati9 WHERE data=#3/5/2024#"
                              << "SELECT ID FROM allegati9 WHERE data='2024-03-05'";
        QTest::newRow("data e ora") << "SELECT ID FROM t WHERE data < #12/31/2024 8:05:09#"
                                    << "SELECT ID FROM t WHERE data < '2024-12-31 08:05:09'";
        QTest::newRow("booleani") << "SELECT COUNT(*) FROM articoli WHERE agea=true OR agea = FALSE"
                                  << "SELECT COUNT(*) FROM articoli WHERE agea=1 OR agea = 0";
        QTest::newRow("top") << "SELECT TOP 1 * FROM articoli"
                             << "SELECT * FROM articoli LIMIT 1";
        QTest::newRow("distinct top in sottoquery")
            << "SELECT * FROM ( select distinct top 2 data FROM t ORDER BY data ) ORDER BY data"
            << "SELECT * FROM ( select distinct data FROM t ORDER BY data LIMIT 2 ) ORDER BY data";
        QTest::newRow("isnull di espressioni")
            << "SELECT 1 FROM t M WHERE IsNull (M.nrBeneficiati) OR NOT ISNULL(a OR b)"
            << "SELECT 1 FROM t M WHERE (M.nrBeneficiati IS NULL) OR NOT ((a OR b) IS NULL)";
        QTest::newRow("insert in un file con percorso")
            << "INSERT INTO [carichi_mast] IN 'C:\\Dolvera\\Dolvera_anno_2023.mdb' SELECT * FROM "
               "carichi_mast"
            << "INSERT INTO Dolvera_anno_2023.[carichi_mast] SELECT * FROM carichi_mast";
        QTest::newRow("filtro con BETWEEN e data a sinistra")
            << "data between '1/3/2024' AND '31/03/2024 23:59:59' OR '05/03/2024'<>data"
            << "data between '2024-03-01' AND '2024-03-31 23:59:59' OR '2024-03-05'<>data";
        QTest::newRow("set e where")
            << "UPDATE t SET a = '01/03/2024', b = 1 WHERE d <> '02/03/2024'"
            << "UPDATE t SET a = '01/03/2024', b = 1 WHERE d <> '2024-03-02'";
        const auto uguale = [](const char* nome, const char* sql) {
            QTest::newRow(nome) << QString(sql) << QString(sql);
        };
        uguale("insert select", "INSERT INTO d (a, b) SELECT 5, b FROM c WHERE m=2");
        uguale("testi quotati", "SELECT * FROM a WHERE descr='l''olio #3/5/2024# TOP 1 True' OR "
                                "descr=\"ISNULL(x) '01/03/2024'\" OR [True] = 'in Dolvera0.mdb'");
        uguale(
            "date che non sono confronti",
            "SELECT '01/03/2024' AS d FROM t WHERE descr = '31/02/2024' AND x IN ('01/03/2024')");
    }
    void traduzione() {
        QFETCH(QString, access);
        QFETCH(QString, sqlite);
        QCOMPARE(TraduciSql(access), sqlite);
    }

    // VAL, YEAR, MONTH, DAY, NOW and DATE with their Access meaning on stored values.
    void funzioniAccess() {
        colonna("INSERT INTO articoli (ID, codint, descr, agea) VALUES (41, '12A', 'pasta', 0)");
        QSqlQuery q(QSqlDatabase::database(CONNESSIONE));
        EseguiSql(q, "SELECT VAL('12'), VAL('12A'), VAL(''), VAL(NULL), VAL(ID), VAL(codint), "
                     "VAL(' 1 2,5'), VAL('-3.5e1x'), VAL('A12'), VAL(2.5), VAL('0.25'), VAL('1e'), "
                     "VAL('5.'), VAL('1d2') FROM articoli WHERE ID = 41");
        QVERIFY(q.next());
        const QVariantList attesi{12, 12, 0, QVariant(), 41, 12, 12, -35, 0, 2.5, 0.25, 1, 5, 100};
        for (int i = 0; i < attesi.size(); ++i) {
            const QVariant v = q.value(i);
            QVERIFY2(attesi.at(i).isNull() ? v.isNull() : v == attesi.at(i),
                     qPrintable(QString::number(i) + ": " + v.toString()));
            // Whole numbers come back as integers, so that they print without decimals.
            if (attesi.at(i).typeId() == QMetaType::Int)
                QCOMPARE(v.typeId(), QMetaType::LongLong);
        }

        EseguiSql(q, "SELECT YEAR('2024-03-05'), MONTH('2024-03-05 14:07:09'), DAY('05/03/2024'), "
                     "YEAR(NULL), YEAR('domani'), DATE(), YEAR(NOW()), date('2024-03-05', '+1 "
                     "day')");
        QVERIFY(q.next());
        QStringList date;
        for (int i = 0; i < 8; ++i)
            date << (q.value(i).isNull() ? QString("NULL") : q.value(i).toString());
        const QDate oggi = QDate::currentDate();
        QCOMPARE(date, (QStringList{"2024", "3", "5", "NULL", "NULL", oggi.toString(Qt::ISODate),
                                    QString::number(oggi.year()), "2024-03-06"}));

        const QDateTime adesso =
            QDateTime::fromString(valore("SELECT NOW()").toString(), "yyyy-MM-dd HH:mm:ss");
        QVERIFY(adesso.isValid() && qAbs(adesso.secsTo(QDateTime::currentDateTime())) < 5);
    }

    // The translated statements mean on the stored rows what they meant in Access.
    void istruzioniSulModello() {
        const int anno = QDate::currentDate().year();
        colonna("INSERT INTO articoli (ID, descr, agea) VALUES (5, 'olio', True)");
        colonna("INSERT INTO articoli (ID, descr, agea) VALUES (6, 'pasta', false)");
        const QStringList date = {"#3/4/2024#", "#3/5/2024#", "#3/6/2024#", "#5/1/2023#",
                                  QStringLiteral("#6/30/%1#").arg(anno)};
        for (int i = 0; i < date.size(); ++i) {
            colonna(QStringLiteral("INSERT INTO scarichi_mast (ID, data, nrDocumento, causali_id, "
                                   "nrBeneficiati) VALUES (%1, %2, %1, 1, %3)")
                        .arg(20 + i)
                        .arg(date[i], i == 0 ? "NULL" : "2"));
            colonna(QStringLiteral("INSERT INTO scarichi_dett (master_id, articoli_id, qta) "
                                   "VALUES (%1, %2, 2)")
                        .arg(20 + i)
                        .arg(i == 1 ? 6 : 5));
        }
        QCOMPARE(colonna("SELECT ID FROM scarichi_mast WHERE data=#3/5/2024#"), QVariantList{21});
        QCOMPARE(valore("SELECT COUNT(*) FROM scarichi_mast WHERE data<#3/5/2024 0:00:01#"), 3);
        QCOMPARE(colonna("SELECT ID FROM scarichi_mast WHERE data >= '05/03/2024' AND data <= "
                         "'31/03/2024' ORDER BY data"),
                 (QVariantList{21, 22}));
        QCOMPARE(valore("SELECT COUNT(*) FROM ( scarichi_mast M INNER JOIN scarichi_dett D ON "
                        "M.ID=D.master_id ) INNER JOIN articoli A ON D.articoli_id=A.ID  WHERE "
                        "M.data>=#3/5/2024# AND (A.agea=True) AND M.causali_id=1 "),
                 2);
    }

    // Rollback journal and functions on every opening; a missing or foreign file refused.
    void connessione() {
        QCOMPARE(valore("PRAGMA journal_mode"), "delete");
        colonna("PRAGMA journal_mode=WAL");
        ApriConnessione(m_cartella->fileDb(), CONNESSIONE);
        QCOMPARE(valore("PRAGMA journal_mode"), "delete");
        QCOMPARE(valore("SELECT VAL('3x')"), 3);
        ChiudiConnessione(CONNESSIONE);

        const QString mancante = m_cartella->file("Dolvera.mdb.nessuno");
        try {
            ApriConnessione(mancante, CONNESSIONE);
            QFAIL("no error for a missing database");
        } catch (const ErroreDb& e) {
            QVERIFY2(e.messaggio().contains("Dolvera.mdb.nessuno"), qPrintable(e.messaggio()));
        }
        QVERIFY(!QFile::exists(mancante));
        QFile testo(m_cartella->file("nota.mdb"));
        QVERIFY(testo.open(QIODevice::WriteOnly));
        testo.write(QByteArray(2048, 'x'));
        testo.close();
        QVERIFY_THROWS_EXCEPTION(ErroreDb, ApriConnessione(testo.fileName(), CONNESSIONE));
        QVERIFY(!QSqlDatabase::database(CONNESSIONE, false).isOpen());

        ApriConnessione(m_cartella->fileDb(), CONNESSIONE);
        try {
            colonna("SELECT * FROM qry_inesistente");
            QFAIL("no error for a missing table");
        } catch (const ErroreDb& e) {
            QVERIFY(e.tabellaMancante());
        }
    }
};

QTEST_GUILESS_MAIN(TstDialetto)
#include "tst_dialetto.moc"
