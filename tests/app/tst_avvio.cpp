// Start-up: the installation checks of the main window on program folders set up for each
// failure, the first start from the template, the version, and the first show.

#include "CartellaProgramma.h"
#include "Registro.h"
#include "TfrmAttendere.h"
#include "Utilitylibrary.h"
#include "VersionInfo.h"
#include "main.h"

#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTest>

namespace {
const QString CHIAVE_ODBC = "SOFTWARE\\ODBC\\ODBC.INI\\SolvaneODBC";

QString GetVersione() {
    QString versione;
    GetVersionInfo(QString(), "FileVersion", versione);
    return versione;
}

// Replaces a text of the registry file (the test sets up a broken installation).
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
        const int lavoro = int(CartellaProgramma::Database::Lavoro);
        // #1 comes before the log is opened.
        QTest::newRow("#1 nessun database")
            << int(CartellaProgramma::Database::Nessuno) << QStringList{} << QStringList{}
            << "ERRORE #1: Impossibile trovare il database.";
        QTest::newRow("#3 DBQ mancante")
            << lavoro << QStringList{"\"DBQ\"="} << QStringList{"\"DBQX\"="}
            << "ERRORE #3: Impossibile modificare le impostazioni di sistema.";
        QTest::newRow("#3 DBQ vuoto")
            << lavoro << QStringList{"\"DBQ\"=\""} << QStringList{"\"DBQ\"=\"\"\r\n\"Vecchio\"=\""}
            << "ERRORE #3: Impossibile modificare le impostazioni di sistema.";
        // The registry file is made read-only for #4.
        QTest::newRow("#4 DBQ non riscrivibile")
            << lavoro << QStringList{"/Dolvera.mdb\""} << QStringList{"/Altro.mdb\""}
            << "ERRORE #4: Impossibile modificare le impostazioni di sistema.";
        QTest::newRow("#5 CurVer mancante")
            << lavoro << QStringList{"@=\"Access.Application.1\""} << QStringList{""}
            << "ERRORE #5: Impossibile trovare Access.";
        QTest::newRow("#6 nessun comando")
            << lavoro << QStringList{"\\shell\\"} << QStringList{"\\guscio\\"}
            << "ERRORE #6: Impossibile trovare Access.";
        QTest::newRow("#7 percorso senza virgolette")
            << lavoro << QStringList{"@=\"\\\"", "\\\" \\\"%1\\\"\""} << QStringList{"@=\"", "\""}
            << "ERRORE #7: Impossibile trovare Access.";
        QTest::newRow("#7 programma mancante")
            << lavoro << QStringList{"/dolvera-report\\\""} << QStringList{"/manca\\\""}
            << "ERRORE #7: Impossibile trovare Access.";
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
        // An immutable folder: the template cannot become the working database. The log file
        // exists already, so the log can still be written.
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

    void primoAvvioDalModello() {
        CartellaProgramma cartella{CartellaProgramma::Database::Modello};
        // The data source names the database in another letter case: it stays as it is.
        cambiaRegistro(cartella, "/Dolvera.mdb\"", "/DOLVERA.MDB\"");
        QFile::copy(cartella.fileRegistro(), cartella.file("prima.reg"));
        TfrmMain frm(cartella.percorso(), m_messaggi);
        QVERIFY(frm.avviato());
        QVERIFY(QFile::exists(cartella.fileDb()));
        QVERIFY(!QFile::exists(cartella.fileDb0()));
        QCOMPARE(cartella.righe("Dolvera.reg"), cartella.righe("prima.reg"));
        QCOMPARE(frm.percorsi().AccessExe, cartella.file("dolvera-report"));
        QCOMPARE(frm.percorsi().FileDb, cartella.fileDb());
        QCOMPARE(frm.meseCorrente, QString("01/01/2000"));

        QVERIFY(!GetVersione().isEmpty());
        QCOMPARE(frm.findChild<QLabel*>("lblVersione")->text(), "Versione " + GetVersione());

        const QStringList log = cartella.righeLog();
        const QStringList attese = {"TfrmMain::TfrmMain {",
                                    "  ACCESSEXE #5: cv=[Access.Application.1]",
                                    "  ACCESSEXE #6/2: cmd=[\"" + cartella.file("dolvera-report") +
                                        "\" \"%1\"]",
                                    "  AccessExe=[" + cartella.file("dolvera-report") + "]",
                                    "  Versione eseguibile:" + GetVersione(),
                                    "}",
                                    ""};
        QCOMPARE(log, attese);
    }

    // A data source naming another database is pointed at this one, the "Open" command
    // stands in for a missing "New", and the log files shift by one.
    void registroRiparatoELogRuotato() {
        CartellaProgramma cartella;
        cambiaRegistro(cartella, "/Dolvera.mdb\"", "/Vecchio.mdb\"");
        cambiaRegistro(cartella, "\\shell\\New\\command", "\\shell\\Nuovo\\command");
        for (const char* nome : {"Dolvera.LOG", "Dolvera-1.LOG", "Dolvera-2.LOG"}) {
            QFile f(cartella.file(nome));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(nome);
        }
        TfrmMain frm(cartella.percorso(), m_messaggi);
        QVERIFY(frm.avviato());
        QString dbq;
        QVERIFY(Registro(cartella.fileRegistro()).leggi(CHIAVE_ODBC, "DBQ", dbq));
        QCOMPARE(dbq, cartella.fileDb());
        QCOMPARE(frm.percorsi().AccessExe, cartella.file("dolvera-report"));
        QCOMPARE(cartella.righe("Dolvera-1.LOG"), QStringList{"Dolvera.LOG"});
        QCOMPARE(cartella.righe("Dolvera-2.LOG"), QStringList{"Dolvera-1.LOG"});
        QCOMPARE(cartella.righeLog().value(0), QString("TfrmMain::TfrmMain {"));
    }

    void avvioCompletoEDueShow() {
        CartellaProgramma cartella;
        TfrmMain frm(cartella.percorso(), m_messaggi);
        TdmDati dati(frm.percorsi(), m_messaggi);
        QVERIFY(dati.pronto());
        frm.ImpostaDati(dati);
        QCOMPARE(frm.findChild<QLabel*>("lblDbVers")->text(), QString("DB:1"));
        frm.show();
        QVERIFY(frm.inEsecuzione());
        QVERIFY(!frm.FIRSTIME);
        QVERIFY(frm.isEnabled());

        frm.hide();
        // The wait window keeps the windows behind it disabled while it is shown.
        TfrmAttendere attendere;
        attendere.Mostra({&frm});
        QVERIFY(attendere.isVisible());
        QVERIFY(!frm.isEnabled());
        attendere.Nascondi();
        QVERIFY(!attendere.isVisible());
        QVERIFY(frm.isEnabled());

        QFile::remove(cartella.fileLog());
        frm.show();
        QCOMPARE(cartella.righeLog(), (QStringList{"TfrmMain::FormShow {", "}", ""}));
    }
};

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
