// The Access dialect on SQLite: the translation of every statement form the program
// writes, and the same statements run on a copy of the template with rows that show
// their meaning.

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

private slots:
    void init();
    void cleanup();

    void traduzione_data();
    void traduzione();
    void funzioniAccess();
    void numeroDocumento();
    void chiusuraAnno();
    void topIsnullBooleani();
    void dateAccess();
    void testiQuotati();
    void insertNelModello();
    void condizioneDataSet();
    void connessione();

private:
    // Translates and runs a statement; the first column of every row.
    QVariantList colonna(const QString& sql);
    QVariant valore(const QString& sql);
    void esegui(const QString& sql);

    std::unique_ptr<CartellaProgramma> m_cartella;
};

void TstDialetto::init() {
    m_cartella = std::make_unique<CartellaProgramma>(CartellaProgramma::Database::Lavoro, false);
    ApriConnessione(m_cartella->fileDb(), CONNESSIONE);
}

void TstDialetto::cleanup() {
    ChiudiConnessione(CONNESSIONE);
    m_cartella.reset();
}

QVariantList TstDialetto::colonna(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(CONNESSIONE));
    EseguiSql(q, sql);
    QVariantList valori;
    while (q.next())
        valori << q.value(0);
    return valori;
}

QVariant TstDialetto::valore(const QString& sql) {
    const QVariantList valori = colonna(sql);
    return valori.isEmpty() ? QVariant() : valori.first();
}

void TstDialetto::esegui(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(CONNESSIONE));
    EseguiSql(q, sql);
}

void TstDialetto::traduzione_data() {
    QTest::addColumn<QString>("access");
    QTest::addColumn<QString>("sqlite");

    QTest::newRow("data") << "SELECT ID FROM allegati9 WHERE data=#3/5/2024#"
                          << "SELECT ID FROM allegati9 WHERE data='2024-03-05'";
    QTest::newRow("data e ora") << "SELECT ID FROM allegati9 WHERE data < #12/31/2024 8:05:09#"
                                << "SELECT ID FROM allegati9 WHERE data < '2024-12-31 08:05:09'";
    QTest::newRow("allegato 9")
        << "INSERT INTO allegati9 ( data, anno, numero, stampato ) VALUES( #3/7/2013#,2013,5,False "
           ")"
        << "INSERT INTO allegati9 ( data, anno, numero, stampato ) VALUES( '2013-03-07',2013,5,0 )";
    QTest::newRow("giorno di consegna")
        << "SELECT COUNT(*) FROM ( scarichi_mast M INNER JOIN scarichi_dett D ON "
           "M.ID=D.master_id ) INNER JOIN articoli A ON D.articoli_id=A.ID  WHERE "
           "M.data=#3/7/2013# AND (A.agea=True) AND M.causali_id=1 "
        << "SELECT COUNT(*) FROM ( scarichi_mast M INNER JOIN scarichi_dett D ON "
           "M.ID=D.master_id ) INNER JOIN articoli A ON D.articoli_id=A.ID  WHERE "
           "M.data='2013-03-07' AND (A.agea=1) AND M.causali_id=1 ";
    QTest::newRow("booleani") << "SELECT COUNT(*) FROM articoli WHERE agea=true OR agea = FALSE"
                              << "SELECT COUNT(*) FROM articoli WHERE agea=1 OR agea = 0";
    QTest::newRow("top") << "SELECT TOP 1 * FROM articoli"
                         << "SELECT * FROM articoli LIMIT 1";
    QTest::newRow("top di DbValore")
        << "SELECT TOP 1 ID FROM scarichi_dett WHERE master_id=7 AND articoli_id=5"
        << "SELECT ID FROM scarichi_dett WHERE master_id=7 AND articoli_id=5 LIMIT 1";
    QTest::newRow("distinct top in sottoquery")
        << "SELECT * FROM ( select distinct top 2 data FROM carichi_mast ORDER BY data ) ORDER BY "
           "data DESC"
        << "SELECT * FROM ( select distinct data FROM carichi_mast ORDER BY data LIMIT 2 ) ORDER "
           "BY "
           "data DESC";
    QTest::newRow("isnull")
        << "SELECT ID, nominativi_id FROM scarichi_mast WHERE ISNULL(nrBeneficiati)"
        << "SELECT ID, nominativi_id FROM scarichi_mast WHERE (nrBeneficiati IS NULL)";
    QTest::newRow("isnull di espressioni") << "SELECT COUNT(*) FROM scarichi_mast M WHERE IsNull "
                                              "(M.nrBeneficiati) OR NOT ISNULL(a OR b)"
                                           << "SELECT COUNT(*) FROM scarichi_mast M WHERE "
                                              "(M.nrBeneficiati IS NULL) OR NOT ((a OR b) IS "
                                              "NULL)";
    QTest::newRow("insert nel modello")
        << "INSERT INTO articoli ( [ID], [descr] ) IN Dolvera0.mdb SELECT [ID], [descr] FROM "
           "articoli"
        << "INSERT INTO Dolvera0.articoli ( [ID], [descr] ) SELECT [ID], [descr] FROM articoli";
    QTest::newRow("insert in un file con percorso")
        << "INSERT INTO [carichi_mast] IN 'C:\\Dolvera\\Dolvera_anno_2023.mdb' SELECT * FROM "
           "carichi_mast"
        << "INSERT INTO Dolvera_anno_2023.[carichi_mast] SELECT * FROM carichi_mast";
    QTest::newRow("distribuzione rapida") << " INSERT INTO scarichi_dett (master_id, articoli_id, "
                                             "qta)  SELECT 5, articoli_id, qta  FROM "
                                             "cons_dett  WHERE modelli_id=2"
                                          << " INSERT INTO scarichi_dett (master_id, articoli_id, "
                                             "qta)  SELECT 5, articoli_id, qta  FROM "
                                             "cons_dett  WHERE modelli_id=2";
    QTest::newRow("testi quotati") << "SELECT * FROM articoli WHERE descr='l''olio #3/5/2024# TOP "
                                      "1 True' OR descr=\"ISNULL(x) "
                                      "'01/03/2024'\" OR [True] = 'in Dolvera0.mdb'"
                                   << "SELECT * FROM articoli WHERE descr='l''olio #3/5/2024# TOP "
                                      "1 True' OR descr=\"ISNULL(x) "
                                      "'01/03/2024'\" OR [True] = 'in Dolvera0.mdb'";
    QTest::newRow("ricerca articoli")
        << " SELECT A.ID AS ID, A.codint AS codint FROM articoli A WHERE A.codint LIKE '%%'  AND "
           "A.descr LIKE '%01/03/2024%' ORDER BY A.descr "
        << " SELECT A.ID AS ID, A.codint AS codint FROM articoli A WHERE A.codint LIKE '%%'  AND "
           "A.descr LIKE '%01/03/2024%' ORDER BY A.descr ";
    QTest::newRow("filtro del mese") << "data >= '01/03/2024' AND data <= '31/03/2024'"
                                     << "data >= '2024-03-01' AND data <= '2024-03-31'";
    QTest::newRow("filtro con BETWEEN e data a sinistra")
        << "data between '1/3/2024' AND '31/03/2024 23:59:59' OR '05/03/2024'<>data"
        << "data between '2024-03-01' AND '2024-03-31 23:59:59' OR '2024-03-05'<>data";
    QTest::newRow("date che non sono confronti")
        << "SELECT '01/03/2024' AS d FROM t WHERE descr = '31/02/2024' AND x IN ('01/03/2024')"
        << "SELECT '01/03/2024' AS d FROM t WHERE descr = '31/02/2024' AND x IN ('01/03/2024')";
    QTest::newRow("parametro") << "UPDATE parametri SET Pivot_mese = '01/03/2024'"
                               << "UPDATE parametri SET Pivot_mese = '01/03/2024'";
    QTest::newRow("set e where") << "UPDATE t SET a = '01/03/2024', b = 1 WHERE d <> '02/03/2024'"
                                 << "UPDATE t SET a = '01/03/2024', b = 1 WHERE d <> '2024-03-02'";
    QTest::newRow("cancellazione dell'anno")
        << " DELETE FROM scarichi_mast WHERE YEAR(data) <> 2023"
        << " DELETE FROM scarichi_mast WHERE YEAR(data) <> 2023";
}

void TstDialetto::traduzione() {
    QFETCH(QString, access);
    QFETCH(QString, sqlite);
    QCOMPARE(TraduciSql(access), sqlite);
}

void TstDialetto::funzioniAccess() {
    esegui("INSERT INTO articoli (ID, codint, descr, agea) VALUES (41, '12A', 'pasta', False)");
    QSqlQuery q(QSqlDatabase::database(CONNESSIONE));
    EseguiSql(q,
              "SELECT VAL('12'), VAL('7'), VAL('12A'), VAL(''), VAL(NULL), VAL(ID), VAL(codint), "
              "VAL(' 1 2,5'), VAL('-3.5e1x'), VAL('A12'), VAL(2.5), VAL('0.25'), VAL('1e'), "
              "VAL('5.'), VAL('1d2') FROM articoli WHERE ID = 41");
    QVERIFY(q.next());
    const QVariantList attesi{12, 7, 12, 0, QVariant(), 41, 12, 12, -35, 0, 2.5, 0.25, 1, 5, 100};
    for (int i = 0; i < attesi.size(); ++i) {
        const QVariant v = q.value(i);
        QVERIFY2(attesi.at(i).isNull() ? v.isNull() : v == attesi.at(i),
                 qPrintable(QString::number(i) + ": " + v.toString()));
        // Whole numbers come back as integers, so that they print without decimals.
        if (attesi.at(i).typeId() == QMetaType::Int)
            QCOMPARE(v.typeId(), QMetaType::LongLong);
    }

    EseguiSql(q, "SELECT YEAR('2024-03-05'), MONTH('2024-03-05 14:07:09'), DAY('05/03/2024'), "
                 "YEAR(NULL), YEAR('domani'), DATE(), YEAR(NOW()), date('2024-03-05', '+1 day')");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 2024);
    QCOMPARE(q.value(1).toInt(), 3);
    QCOMPARE(q.value(2).toInt(), 5);
    QVERIFY(q.value(3).isNull());
    QVERIFY(q.value(4).isNull());
    QCOMPARE(q.value(5).toString(), QDate::currentDate().toString(Qt::ISODate));
    QCOMPARE(q.value(6).toInt(), QDate::currentDate().year());
    // SQLite's own date() with arguments is still there.
    QCOMPARE(q.value(7).toString(), "2024-03-06");

    const QDateTime adesso =
        QDateTime::fromString(valore("SELECT NOW()").toString(), "yyyy-MM-dd HH:mm:ss");
    QVERIFY(adesso.isValid());
    QVERIFY(qAbs(adesso.secsTo(QDateTime::currentDateTime())) < 5);
}

void TstDialetto::numeroDocumento() {
    esegui("INSERT INTO scarichi_mast (data, nrDocumento, causali_id) VALUES (#3/5/2024#, 7, 1)");
    esegui("INSERT INTO scarichi_mast (data, nrDocumento, causali_id) VALUES (#3/6/2024#, 12, 1)");
    QCOMPARE(valore("SELECT MAX(VAL(nrDocumento)) FROM scarichi_mast"), QVariant(12LL));

    // Receipt numbers are text: the numeric maximum differs from the text one.
    esegui("INSERT INTO carichi_mast (data, nrDocumento) VALUES (#3/5/2024#, '7')");
    esegui("INSERT INTO carichi_mast (data, nrDocumento) VALUES (#3/6/2024#, '12')");
    QCOMPARE(valore("SELECT MAX(nrDocumento) FROM carichi_mast").toString(), "7");
    QCOMPARE(valore("SELECT MAX(VAL(nrDocumento)) FROM carichi_mast"), QVariant(12LL));
}

void TstDialetto::chiusuraAnno() {
    const int anno = QDate::currentDate().year();
    for (const QString& data : {QStringLiteral("#5/1/2023#"), QStringLiteral("#1/10/2021#"),
                                QStringLiteral("#6/30/%1#").arg(anno)})
        esegui("INSERT INTO scarichi_mast (data, nrDocumento, causali_id) VALUES (" + data +
               ", 1, 1)");
    for (const QString& data :
         {QStringLiteral("#7/1/2023#"), QStringLiteral("#1/2/%1#").arg(anno + 1)})
        esegui("INSERT INTO carichi_mast (data, nrDocumento) VALUES (" + data + ", '1')");

    const QString anni =
        " SELECT DISTINCT YEAR(data) AS anno  FROM ( SELECT data         FROM "
        "scarichi_mast         UNION         SELECT data FROM carichi_mast )  WHERE "
        "YEAR(data) <> YEAR(NOW())  ORDER BY YEAR(data)";
    QCOMPARE(colonna(anni), (QVariantList{2021, 2023, anno + 1}));

    esegui(" DELETE FROM scarichi_mast WHERE YEAR(data) = 2023");
    QCOMPARE(colonna("SELECT YEAR(data) FROM scarichi_mast ORDER BY data"),
             (QVariantList{2021, anno}));
    esegui(" DELETE FROM carichi_mast WHERE YEAR(data) <> " + QString::number(anno + 1));
    QCOMPARE(colonna("SELECT data FROM carichi_mast"),
             QVariantList{QDate(anno + 1, 1, 2).toString(Qt::ISODate)});
}

void TstDialetto::topIsnullBooleani() {
    esegui("INSERT INTO articoli (ID, descr, agea) VALUES (1, 'olio', True)");
    esegui("INSERT INTO articoli (ID, descr, agea) VALUES (2, 'pasta', false)");
    esegui("INSERT INTO articoli (ID, descr, agea) VALUES (3, 'latte', TRUE)");
    QCOMPARE(colonna("SELECT TOP 1 * FROM articoli").size(), 1);
    QCOMPARE(valore("SELECT COUNT(*) FROM articoli WHERE agea=True").toInt(), 2);
    QCOMPARE(colonna("SELECT descr FROM articoli WHERE agea=False"), QVariantList{"pasta"});
    QCOMPARE(colonna("SELECT ID FROM articoli WHERE ID IN (SELECT TOP 2 ID FROM articoli ORDER BY "
                     "descr) ORDER BY ID"),
             (QVariantList{1, 3}));

    esegui("INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, "
           "nrBeneficiati) "
           "VALUES (10, #3/5/2024#, 4, 1, 1, NULL)");
    esegui("INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, "
           "nrBeneficiati) "
           "VALUES (11, #3/5/2024#, 5, 2, 1, 3)");
    QCOMPARE(valore("SELECT COUNT(*) FROM scarichi_mast WHERE ISNULL(nrBeneficiati)").toInt(), 1);
    QCOMPARE(colonna("SELECT ID, nominativi_id FROM scarichi_mast WHERE ISNULL(nrBeneficiati)"),
             QVariantList{10});
    QCOMPARE(colonna("SELECT ID FROM scarichi_mast WHERE NOT ISNULL(nrBeneficiati + 1)"),
             QVariantList{11});
}

void TstDialetto::dateAccess() {
    esegui("INSERT INTO articoli (ID, descr, agea) VALUES (5, 'olio', True)");
    int id = 20;
    for (const QString& data : QStringList{"#3/4/2024#", "#3/5/2024#", "#3/6/2024#"}) {
        esegui(
            QStringLiteral("INSERT INTO scarichi_mast (ID, data, nrDocumento, causali_id) VALUES "
                           "(%1, %2, %1, 1)")
                .arg(id)
                .arg(data));
        esegui(QStringLiteral(
                   "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (%1, 5, 2)")
                   .arg(id++));
    }
    QCOMPARE(colonna("SELECT ID FROM scarichi_mast WHERE data=#3/5/2024#"), QVariantList{21});
    QCOMPARE(valore("SELECT COUNT(*) FROM scarichi_mast WHERE data>=#3/5/2024#").toInt(), 2);
    QCOMPARE(valore("SELECT COUNT(*) FROM scarichi_mast WHERE data<#3/5/2024 0:00:01#").toInt(), 2);
    QCOMPARE(valore("SELECT COUNT(*) FROM ( scarichi_mast M INNER JOIN scarichi_dett D ON "
                    "M.ID=D.master_id ) INNER JOIN articoli A ON D.articoli_id=A.ID  WHERE "
                    "M.data=#3/6/2024# AND (A.agea=True) AND M.causali_id=1 ")
                 .toInt(),
             1);

    esegui(
        "INSERT INTO allegati9 ( data, anno, numero, stampato ) VALUES( #3/7/2013#,2013,5,False )");
    QCOMPARE(colonna("SELECT data FROM allegati9 WHERE data=#3/7/2013# AND stampato=False"),
             QVariantList{"2013-03-07"});
}

void TstDialetto::testiQuotati() {
    const QString descr = "l'olio #3/5/2024# TOP 1 True ISNULL(x) IN Dolvera0.mdb";
    QString quotato = descr;
    quotato.replace("'", "''");
    esegui("INSERT INTO articoli (ID, descr, agea) VALUES (7, '" + quotato + "', False)");
    QCOMPARE(colonna("SELECT descr FROM articoli WHERE descr='" + quotato + "'"),
             QVariantList{descr});
    // The reason lookup by description.
    esegui("INSERT INTO lstCausali (ID, descr) VALUES (90, 'Dell''Emporio')");
    QCOMPARE(valore("SELECT ID FROM lstCausali WHERE descr='Dell''Emporio'").toInt(), 90);
}

void TstDialetto::insertNelModello() {
    m_cartella->copiaModello("Dolvera0.mdb");
    esegui("INSERT INTO articoli (ID, codint, descr, agea) VALUES (41, 'A1', 'l''olio', True)");
    QSqlQuery q(QSqlDatabase::database(CONNESSIONE));
    q.prepare("ATTACH DATABASE ? AS Dolvera0");
    q.addBindValue(m_cartella->fileDb0());
    QVERIFY(q.exec());

    esegui("INSERT INTO articoli ( [ID], [codint], [descr], [agea] )  IN Dolvera0.mdb SELECT [ID], "
           "[codint], [descr], [agea] FROM articoli");
    EseguiSql(q, "SELECT ID, descr, agea FROM Dolvera0.articoli");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 41);
    QCOMPARE(q.value(1).toString(), "l'olio");
    QCOMPARE(q.value(2).toInt(), 1);
    QVERIFY(!q.next());
    // The same ID a second time is a key violation, raised as a database error.
    QVERIFY_THROWS_EXCEPTION(ErroreDb,
                             esegui("INSERT INTO articoli ( [ID] ) IN Dolvera0.mdb SELECT "
                                    "[ID] FROM articoli"));
    q.finish();
    q.exec("DETACH DATABASE Dolvera0");
}

void TstDialetto::condizioneDataSet() {
    for (const QString& data :
         QStringList{"#2/29/2024#", "#3/1/2024#", "#3/31/2024#", "#4/1/2024#"})
        esegui("INSERT INTO carichi_mast (data, nrDocumento) VALUES (" + data + ", '1')");
    const QString filtro = "data >= '01/03/2024' AND data <= '31/03/2024'";
    QCOMPARE(colonna("SELECT data FROM carichi_mast WHERE " + filtro + " ORDER BY data"),
             (QVariantList{"2024-03-01", "2024-03-31"}));
}

void TstDialetto::connessione() {
    QSqlDatabase db = QSqlDatabase::database(CONNESSIONE);
    QCOMPARE(valore("PRAGMA journal_mode").toString(), "delete");
    QCOMPARE(valore("PRAGMA foreign_keys").toInt(), 0);

    // A database left in WAL mode comes back to the rollback journal, and reopening the
    // same connection name gives a working connection with the functions registered.
    esegui("PRAGMA journal_mode=WAL");
    db = ApriConnessione(m_cartella->fileDb(), CONNESSIONE);
    QCOMPARE(valore("PRAGMA journal_mode").toString(), "delete");
    QCOMPARE(valore("SELECT VAL('3x')").toInt(), 3);
    db = QSqlDatabase();
    ChiudiConnessione(CONNESSIONE);
    QVERIFY(!QSqlDatabase::contains(CONNESSIONE));

    // A missing file is an error and is never created.
    const QString mancante = m_cartella->file("Dolvera.mdb.nessuno");
    try {
        ApriConnessione(mancante, CONNESSIONE);
        QFAIL("no error for a missing database");
    } catch (const ErroreDb& e) {
        QVERIFY2(e.messaggio().contains("Dolvera.mdb.nessuno"), qPrintable(e.messaggio()));
    }
    QVERIFY(!QFile::exists(mancante));
    QVERIFY_THROWS_EXCEPTION(ErroreDb, ApriConnessione(m_cartella->percorso(), CONNESSIONE));
    // A file that is not a database is refused when the connection is set up.
    QFile testo(m_cartella->file("nota.mdb"));
    QVERIFY(testo.open(QIODevice::WriteOnly));
    testo.write(QByteArray(2048, 'x'));
    testo.close();
    QVERIFY_THROWS_EXCEPTION(ErroreDb, ApriConnessione(testo.fileName(), CONNESSIONE));
    QVERIFY(!QSqlDatabase::database(CONNESSIONE, false).isOpen());

    // A statement the engine rejects is a database error that names the cause.
    ApriConnessione(m_cartella->fileDb(), CONNESSIONE);
    try {
        esegui("SELECT * FROM qry_inesistente");
        QFAIL("no error for a missing table");
    } catch (const ErroreDb& e) {
        QVERIFY(e.tabellaMancante());
    }
}

QTEST_GUILESS_MAIN(TstDialetto)
#include "tst_dialetto.moc"
