#include "Utilitylibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestLog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void bloccoConUnaRiga();
    void blocchiAnnidati();
    void dueUsciteDopoUnIngresso();
    void messaggioSuPiuRighe();
    void rigaDiErrore();
    void aggiungeInCodaAlFile();
    void fileNonApribile();
    void osservatore();
    void normalizzaSpazi();

private:
    QString fileLog() const { return m_dir.filePath("Dolvera.LOG"); }
    QByteArray contenuto() const;
    // The lines of the log without their time stamps; each must start with a valid one.
    QStringList righe() const;
    static QStringList figli(const NodoLog* nodo);

    QTemporaryDir m_dir;
};

QByteArray TestLog::contenuto() const {
    QFile f(fileLog());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList TestLog::righe() const {
    static const QRegularExpression stampa(
        QStringLiteral("^(\\d\\d/\\d\\d/\\d{4}(?: \\d\\d:\\d\\d:\\d\\d)?): "));
    const QByteArray dati = contenuto();
    if (!dati.isEmpty() && !dati.endsWith("\r\n"))
        qWarning("the log does not end with CR LF");
    QStringList out;
    const QStringList tutte = QString::fromUtf8(dati).split(QStringLiteral("\r\n"));
    for (qsizetype i = 0; i + 1 < tutte.size(); ++i) {
        const QRegularExpressionMatch m = stampa.match(tutte[i]);
        const QDateTime quando = utDataOraDaTesto(m.captured(1));
        if (!m.hasMatch() || qAbs(quando.secsTo(QDateTime::currentDateTime())) > 60) {
            out << QStringLiteral("<no time stamp> ") + tutte[i];
            continue;
        }
        out << tutte[i].mid(m.capturedLength());
    }
    return out;
}

QStringList TestLog::figli(const NodoLog* nodo) {
    QStringList out;
    if (nodo) {
        for (const auto& figlio : nodo->figli)
            out << figlio->testo;
    }
    return out;
}

void TestLog::initTestCase() {
    QVERIFY(m_dir.isValid());
    // Before any other file is set, the log sits beside the executable as <name>.LOG.
    const QString predefinito =
        QDir(QCoreApplication::applicationDirPath()).filePath("tst_log.LOG");
    QCOMPARE(utLogFile(), predefinito);
    utLogImpostaFile(fileLog());
    QCOMPARE(utLogFile(), fileLog());
    utLogImpostaFile(QString());
    QCOMPARE(utLogFile(), predefinito);
}

void TestLog::init() {
    QFile::remove(fileLog());
    utLogImpostaFile(fileLog());
    utLogImpostaOsservatore(nullptr);
    utLogAzzera();
}

void TestLog::bloccoConUnaRiga() {
    QVERIFY(!QFile::exists(fileLog()));
    QVERIFY(utLogEnter("TdmDati::TdmDati"));
    QVERIFY(QFile::exists(fileLog()));
    QVERIFY(utLog("TdmDati::TdmDati", "#1: Database connesso"));
    QVERIFY(utLogExit("TdmDati::TdmDati"));

    QCOMPARE(righe(), QStringList({"TdmDati::TdmDati {", "  #1: Database connesso", "}", ""}));
    QCOMPARE(utLogLivello(), 0);

    // The block is a node under the root with its lines as children; the empty line
    // after it is a sibling, and "}" has no node.
    const NodoLog* radice = utLogRadice();
    QVERIFY(radice);
    QCOMPARE(radice->testo, QStringLiteral("Dolvera.exe"));
    QCOMPARE(radice->padre, nullptr);
    QCOMPARE(figli(radice), QStringList({"TdmDati::TdmDati {", ""}));
    const NodoLog* blocco = radice->figli.front().get();
    QCOMPARE(figli(blocco), QStringList({"#1: Database connesso"}));
    QCOMPARE(blocco->figli.front()->padre, blocco);
    QCOMPARE(utLogGenitoreCorrente(), radice);
    QCOMPARE(utLogUltimoNodo(), radice->figli.back().get());
}

void TestLog::blocchiAnnidati() {
    utLogEnter("A");
    utLogEnter("B");
    utLog("B", "dentro B");
    utLogExit("B");
    utLog("A", "dentro A", 0);
    utLogExit("A");
    utLogEnter("C");

    QCOMPARE(righe(), QStringList({"A {", "  B {", "    dentro B", "  }", "", "  dentro A", "}", "",
                                   "C {"}));
    QCOMPARE(utLogLivello(), 1);

    const NodoLog* radice = utLogRadice();
    QCOMPARE(figli(radice), QStringList({"A {", "", "C {"}));
    const NodoLog* a = radice->figli[0].get();
    QCOMPARE(figli(a), QStringList({"B {", "", "dentro A"}));
    QCOMPARE(figli(a->figli[0].get()), QStringList({"dentro B"}));
    QCOMPARE(utLogGenitoreCorrente(), radice->figli[2].get());

    // The level change of utLog works the same way without a routine name.
    utLog("aperto", 2);
    utLog("chiuso", -2);
    QCOMPARE(righe().mid(9), QStringList({"  aperto", "  chiuso"}));
    QCOMPARE(utLogLivello(), 1);
}

void TestLog::dueUsciteDopoUnIngresso() {
    utLogEnter("R");
    utLogExit("R");
    utLogExit("R");

    QCOMPARE(righe(),
             QStringList({"R {", "}", "",
                          "****************ERRORE indLev in utLog******************", "}", ""}));
    QCOMPARE(utLogLivello(), 0);
    QCOMPARE(
        figli(utLogRadice()),
        QStringList({"R {", "", "****************ERRORE indLev in utLog******************", ""}));
    QCOMPARE(utLogGenitoreCorrente(), utLogRadice());
}

void TestLog::messaggioSuPiuRighe() {
    utLogEnter("R");
    utLog("R", QString::fromUtf8("UPDATE articoli\r\n\tSET qtà = 1  WHERE ID = 2\n"));

    // The file holds the text as it was given, encoded in UTF-8; the tree shows one line.
    QVERIFY(contenuto().contains("  UPDATE articoli\r\n\tSET qt\xc3\xa0 = 1  WHERE ID = 2\n\r\n"));
    QCOMPARE(figli(utLogUltimoNodo()->padre),
             QStringList({QString::fromUtf8("UPDATE articoli SET qtà = 1 WHERE ID = 2")}));
}

void TestLog::rigaDiErrore() {
    utLogEnter("TfrmMain::CheckAll9");
    QVERIFY(utLogError("TfrmMain::CheckAll9", 11, ": numerazione errata"));
    utLogError("TfrmMain::CheckAll9", -3, QString());
    QCOMPARE(righe().mid(1), QStringList({"  ERRORE #11: numerazione errata", "  ERRORE #-3"}));
    QCOMPARE(utLogLivello(), 1);
}

void TestLog::aggiungeInCodaAlFile() {
    QFile f(fileLog());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write((utTestoDataOra(QDateTime::currentDateTime()) + ": riga precedente\r\n").toUtf8());
    f.close();

    utLogWrite("nuova");
    QCOMPARE(righe(), QStringList({"riga precedente", "nuova"}));
}

void TestLog::fileNonApribile() {
    utLogEnter("R");
    utLog("R", "prima");
    const NodoLog* ultimo = utLogUltimoNodo();
    const NodoLog* genitore = utLogGenitoreCorrente();

    utLogImpostaFile(m_dir.filePath("manca/Dolvera.LOG"));
    const auto fallisce = [](const std::function<void()>& scrivi) {
        try {
            scrivi();
        } catch (const Errore& e) {
            return e.messaggio() == QStringLiteral("Errore nell'apertura del file di log.");
        }
        return false;
    };
    QVERIFY(fallisce([] { utLogWrite("persa"); }));
    QVERIFY(fallisce([] { utLogEnter("Persa"); }));
    QVERIFY(fallisce([] { utLogExit("R"); }));

    // Nothing reached the tree, and the nesting is the one before the failed calls.
    QCOMPARE(utLogUltimoNodo(), ultimo);
    QCOMPARE(utLogGenitoreCorrente(), genitore);
    QCOMPARE(figli(genitore), QStringList({"prima"}));
    QCOMPARE(utLogLivello(), 1);
    QVERIFY(!QFile::exists(m_dir.filePath("manca")));

    utLogImpostaFile(fileLog());
    utLogExit("R");
    QCOMPARE(righe(), QStringList({"R {", "  prima", "}", ""}));
}

void TestLog::osservatore() {
    QStringList visti;
    utLogImpostaOsservatore([&visti](const NodoLog& nodo) {
        visti << (nodo.padre ? nodo.padre->testo : QString()) + " > " + nodo.testo;
    });
    utLogEnter("R");
    utLog("R", "riga");
    utLogExit("R");
    QCOMPARE(visti, QStringList({"Dolvera.exe > R {", "R { > riga", "Dolvera.exe > "}));
}

void TestLog::normalizzaSpazi() {
    QCOMPARE(NormalizzaSpazi(""), QString());
    QCOMPARE(NormalizzaSpazi(" \t\r\n "), QString());
    QCOMPARE(NormalizzaSpazi("SELECT * FROM articoli"), QStringLiteral("SELECT * FROM articoli"));
    QCOMPARE(NormalizzaSpazi("\tSELECT  *\r\nFROM\t\tarticoli  \n"),
             QStringLiteral("SELECT * FROM articoli"));
}

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
