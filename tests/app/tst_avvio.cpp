// Start-up: the installation checks on folders set up for each failure, the first start.

#include "CartellaProgramma.h"
#include "Registro.h"
#include "TfrmAttendere.h"
#include "Utilitylibrary.h"
#include "VersionInfo.h"
#include "main.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTest>

namespace {
const QString CHIAVE_ODBC = "SOFTWARE\\ODBC\\ODBC.INI\\SolvaneODBC";

// Replaces a text of the registry file.
void cambiaRegistro(const CartellaProgramma& cartella, const QString& da, const QString& a) {
    QFile f(cartella.fileRegistro());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QString testo = QString::fromUtf8(f.readAll());
    f.close();
    QVERIFY2(testo.contains(da), qPrintable(da));
    testo.replace(da, a);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(testo.toUtf8());
}
// Name and content digest of every file of the folder but the log and the lock.
QStringList impronta(const CartellaProgramma& cartella) {
    QStringList voci;
    QDirIterator it(cartella.percorso(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (file.endsWith("Dolvera.LOG") || file.endsWith("Dolvera.lock"))
            continue;
        QFile f(file);
        f.open(QIODevice::ReadOnly);
        voci << file + ' ' +
                    QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex();
    }
    voci.sort();
    return voci;
}

void scriviFile(const QString& file, const QByteArray& dati, qint64 posizione = 0) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite |
                   (posizione == 0 ? QIODevice::Truncate : QIODevice::ReadWrite)));
    f.seek(posizione);
    f.write(dati);
}

// Runs one statement on the database `file` (created when missing).
void sqlSu(const QString& file, const QString& istruzione) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "sqlSu");
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(istruzione));
    }
    QSqlDatabase::removeDatabase("sqlSu");
}

const QString MOLTI_NOMINATIVI =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000) "
    "INSERT INTO nominativi (cognome, via) SELECT 'COGNOME ' || i, 'Via dei Mille ' || i FROM n";
} // namespace

class TestAvvio : public QObject {
    Q_OBJECT

    MessaggiPreparati m_messaggi;

private slots:
    void init() {
        m_messaggi.azzera();
        utLogAzzera();
    }
    void cleanup() {
        QVERIFY2(m_messaggi.problemi().isEmpty(), qPrintable(m_messaggi.problemi().join('\n')));
    }

    void errori_data() {
        QTest::addColumn<int>("database");
        QTest::addColumn<QStringList>("da");
        QTest::addColumn<QStringList>("a");
        QTest::addColumn<QString>("messaggio");
        const auto riga = [](const char* nome, const QStringList& da, const QStringList& a,
                             const QString& messaggio) {
            QTest::newRow(nome) << int(CartellaProgramma::Database::Lavoro) << da << a
                                << "ERRORE " + messaggio;
        };
        const QString impostazioni = "Impossibile modificare le impostazioni di sistema.";
        const QString access = "Impossibile trovare Access.";
        // #1 comes before the log is opened.
        QTest::newRow("#1 nessun database")
            << int(CartellaProgramma::Database::Nessuno) << QStringList{} << QStringList{}
            << "ERRORE #1: Impossibile trovare il database.";
        riga("#3 DBQ mancante", {"\"DBQ\"="}, {"\"DBQX\"="}, "#3: " + impostazioni);
        riga("#3 DBQ vuoto", {"\"DBQ\"=\""}, {"\"DBQ\"=\"\"\r\n\"Vecchio\"=\""},
             "#3: " + impostazioni);
        // The registry file is made read-only for #4.
        riga("#4 DBQ non riscrivibile", {"/Dolvera.mdb\""}, {"/Altro.mdb\""},
             "#4: " + impostazioni);
        riga("#5 CurVer mancante", {"@=\"Access.Application.1\""}, {""}, "#5: " + access);
        riga("#6 nessun comando", {"\\shell\\"}, {"\\guscio\\"}, "#6: " + access);
        riga("#7 percorso senza virgolette", {"@=\"\\\"", "\\\" \\\"%1\\\"\""}, {"@=\"", "\""},
             "#7: " + access);
        riga("#7 programma mancante", {"/dolvera-report\\\""}, {"/manca\\\""}, "#7: " + access);
    }
    void errori() {
        QFETCH(int, database);
        QFETCH(QStringList, da);
        QFETCH(QStringList, a);
        QFETCH(QString, messaggio);
        CartellaProgramma cartella{CartellaProgramma::Database(database)};
        for (qsizetype i = 0; i < da.size(); ++i)
            cambiaRegistro(cartella, da[i], a[i]);
        if (messaggio.startsWith("ERRORE #4"))
            QFile::setPermissions(cartella.fileRegistro(), QFile::ReadOwner | QFile::ReadGroup);
        m_messaggi.attendi(Messaggi::Tipo::Errore, messaggio);
        TfrmMain frm(cartella.percorso(), m_messaggi);
        QVERIFY(!frm.avviato());
        QStringList log = cartella.righeLog();
        QCOMPARE(log.value(0), QString("TfrmMain::TfrmMain {"));
        QString riga = "  " + messaggio;
        if (messaggio.startsWith("ERRORE #3"))
            riga.chop(1); // logged without the final full stop
        QCOMPARE(log.contains(riga), database != int(CartellaProgramma::Database::Nessuno));
        QVERIFY(!log.contains("}"));
    }

    void errore2TemplateNonRinominabile() {
        // An immutable folder (the log file exists already, so the log is still written).
        CartellaProgramma cartella{CartellaProgramma::Database::Modello};
        QFile log(cartella.fileLog());
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.close();
        if (QProcess::execute("chattr", {"+i", cartella.percorso()}) != 0)
            QSKIP("the folder cannot be made immutable here");
        m_messaggi.attendi(Messaggi::Tipo::Errore,
                           "ERRORE #2: Impossibile rinominare il database.");
        bool avviato = true;
        {
            TfrmMain frm(cartella.percorso(), m_messaggi);
            avviato = frm.avviato();
        }
        QProcess::execute("chattr", {"-i", cartella.percorso()});
        QVERIFY(!avviato);
        QVERIFY(QFile::exists(cartella.fileDb0()));
        QVERIFY(!QFile::exists(cartella.fileDb()));
        QCOMPARE(cartella.righeLog(), QStringList{"TfrmMain::TfrmMain {"});
    }

    // The first start from the template, then the data, the first show and a later one.
    void primoAvvioDalModello() {
        CartellaProgramma cartella{CartellaProgramma::Database::Modello};
        // The data source names the database in another letter case: it stays as it is.
        cambiaRegistro(cartella, "/Dolvera.mdb\"", "/DOLVERA.MDB\"");
        QFile::copy(cartella.fileRegistro(), cartella.file("prima.reg"));
        TfrmMain frm(cartella.percorso(), m_messaggi);
        QVERIFY(frm.avviato());
        QVERIFY(!QFile::exists(cartella.fileDb0()));
        QCOMPARE(cartella.righe("Dolvera.reg"), cartella.righe("prima.reg"));
        QCOMPARE(frm.percorsi().FileDb, cartella.fileDb());
        QCOMPARE(frm.meseCorrente, QString("01/01/2000"));
        QString versione;
        GetVersionInfo(QString(), "FileVersion", versione);
        QVERIFY(!versione.isEmpty());
        QCOMPARE(frm.findChild<QLabel*>("lblVersione")->text(), "Versione " + versione);
        const QString report = cartella.file("dolvera-report");
        QCOMPARE(cartella.righeLog(),
                 (QStringList{"TfrmMain::TfrmMain {", "  ACCESSEXE #5: cv=[Access.Application.1]",
                              "  ACCESSEXE #6/2: cmd=[\"" + report + "\" \"%1\"]",
                              "  AccessExe=[" + report + "]", "  Versione eseguibile:" + versione,
                              "}", ""}));

        TdmDati dati(frm.percorsi(), m_messaggi);
        frm.ImpostaDati(dati);
        QCOMPARE(frm.findChild<QLabel*>("lblDbVers")->text(), QString("DB:1"));
        frm.show();
        QVERIFY(frm.inEsecuzione() && !frm.FIRSTIME && frm.isEnabled());
        frm.hide();
        // The wait window keeps the windows behind it disabled while it is shown.
        TfrmAttendere attendere;
        attendere.Mostra({&frm});
        QVERIFY(!frm.isEnabled());
        attendere.Nascondi();
        QVERIFY(frm.isEnabled());
        QFile::remove(cartella.fileLog());
        frm.show();
        QCOMPARE(cartella.righeLog(), (QStringList{"TfrmMain::FormShow {", "}", ""}));
    }

    // A data source naming another database is pointed at this one, "Open" stands in for a
    // missing "New" and the logs shift by one; a second start on the folder of a running one
    // stops before touching a file; a lock left by an ended process does not stop a start.
    void registroRiparatoEUnaIstanza() {
        CartellaProgramma cartella;
        cambiaRegistro(cartella, "/Dolvera.mdb\"", "/Vecchio.mdb\"");
        cambiaRegistro(cartella, "\\shell\\New\\command", "\\shell\\Nuovo\\command");
        for (const char* nome : {"Dolvera.LOG", "Dolvera-1.LOG", "Dolvera-2.LOG"})
            scriviFile(cartella.file(nome), nome);
        {
            TfrmMain prima(cartella.percorso(), m_messaggi);
            QVERIFY(prima.avviato());
            QString dbq;
            QVERIFY(Registro(cartella.fileRegistro()).leggi(CHIAVE_ODBC, "DBQ", dbq));
            QCOMPARE(dbq, cartella.fileDb());
            QCOMPARE(prima.percorsi().AccessExe, cartella.file("dolvera-report"));
            QCOMPARE(cartella.righe("Dolvera-1.LOG"), QStringList{"Dolvera.LOG"});
            QCOMPARE(cartella.righe("Dolvera-2.LOG"), QStringList{"Dolvera-1.LOG"});
            const QStringList prime = impronta(cartella);
            const QStringList log = cartella.righeLog();
            m_messaggi.attendi(Messaggi::Tipo::Errore, "Dolvera è già in esecuzione.");
            TfrmMain seconda(cartella.percorso(), m_messaggi);
            QVERIFY(!seconda.avviato());
            QCOMPARE(impronta(cartella), prime);
            QCOMPARE(cartella.righeLog(), log);
        }
        QProcess morto;
        morto.start("true");
        QVERIFY(morto.waitForStarted());
        const qint64 pid = morto.processId();
        QVERIFY(morto.waitForFinished());
        scriviFile(cartella.file("Dolvera.lock"), QByteArray::number(pid) + "\nDolvera\n" +
                                                      QSysInfo::machineHostName().toUtf8() + "\n");
        TfrmMain dopo(cartella.percorso(), m_messaggi);
        QVERIFY(dopo.avviato());
    }

    void databaseNonValido_data() {
        QTest::addColumn<QString>("guasto");
        QTest::addColumn<bool>("conCopia");
        for (const char* guasto : {"danneggiato", "troncato", "vuoto", "estraneo"})
            QTest::newRow(guasto) << QString(guasto) << false;
        QTest::newRow("danneggiato, con copie automatiche") << "danneggiato" << true;
    }
    // The database is checked before the data module connects, upgrades or repairs it.
    void databaseNonValido() {
        QFETCH(QString, guasto);
        QFETCH(bool, conCopia);
        CartellaProgramma cartella;
        const QString db = cartella.fileDb();
        sqlSu(db, MOLTI_NOMINATIVI); // damage in its middle hits the records
        const qint64 dimensione = QFileInfo(db).size();
        QVERIFY(dimensione > 256 * 1024);
        if (guasto == "danneggiato") {
            QByteArray casuale(64 * 1024, Qt::Uninitialized);
            for (char& c : casuale)
                c = char(QRandomGenerator::global()->bounded(256));
            scriviFile(db, casuale, dimensione / 2);
        } else if (guasto == "troncato") {
            QVERIFY(QFile::resize(db, dimensione / 2));
        } else if (guasto == "vuoto") {
            QVERIFY(QFile::resize(db, 0));
        } else {
            QFile::remove(db);
            sqlSu(db, "CREATE TABLE clienti (id INTEGER, nome TEXT)");
        }
        // A template waiting for the upgrade must stay as it is too.
        cartella.copiaModello("Dolvera0.mdb");
        QString atteso =
            "ERRORE #14: Il database \"" + db + "\" è danneggiato o non è un database di Dolvera.";
        if (conCopia) {
            QDir().mkpath(cartella.file("Backup"));
            for (const char* nome : {"Dolvera 2026-03-01.mdb", "Dolvera 2026-03-02.mdb"})
                cartella.copiaModello("Backup/" + QString(nome));
            atteso += "\nLa copia automatica più recente è \"" +
                      cartella.file("Backup/Dolvera 2026-03-02.mdb") +
                      "\" (02/03/2026). Per ripristinarla chiudere Dolvera, conservare a parte il "
                      "file danneggiato e copiare al suo posto la copia, con il nome Dolvera.mdb.";
        }
        const QStringList prima = impronta(cartella);
        m_messaggi.attendi(Messaggi::Tipo::Errore, atteso);
        TfrmMain frm(cartella.percorso(), m_messaggi);
        QVERIFY(!frm.avviato());
        QCOMPARE(impronta(cartella), prima);
        const QStringList log = cartella.righeLog();
        QVERIFY2(
            log.filter("  ERRORE #14: Database danneggiato o non di Dolvera: \"" + db).size() == 1,
            qPrintable(log.join('\n')));
    }

    // A journal left by a killed process is rolled back, not taken for a damaged database.
    void journalDiUnProcessoInterrotto() {
        CartellaProgramma cartella;
        const QString db = cartella.fileDb();
        CartellaProgramma interrotta;
        {
            QSqlDatabase c = QSqlDatabase::addDatabase("QSQLITE", "interrotta");
            c.setDatabaseName(interrotta.fileDb());
            QVERIFY(c.open());
            QSqlQuery q(c);
            QVERIFY(q.exec("PRAGMA cache_size=1"));
            QVERIFY(q.exec("BEGIN"));
            QVERIFY(q.exec(MOLTI_NOMINATIVI));
            // The file and its journal as a killed process leaves them.
            QFile::remove(db);
            QVERIFY(QFile::copy(interrotta.fileDb(), db));
            QVERIFY(QFile::copy(interrotta.fileDb() + "-journal", db + "-journal"));
            QVERIFY(q.exec("ROLLBACK"));
        }
        QSqlDatabase::removeDatabase("interrotta");
        TfrmMain frm(cartella.percorso(), m_messaggi);
        QVERIFY(frm.avviato());
        QVERIFY(!QFile::exists(db + "-journal"));
        TdmDati dati(frm.percorsi(), m_messaggi);
        QCOMPARE(dati.tblNominativi.conteggio(), 0);
    }
};

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
