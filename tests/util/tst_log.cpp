// The event log: its lines in the file and the tree the main window's log view shows.

#include "Utilitylibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestLog : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString fileLog() const { return m_dir.filePath("Dolvera.LOG"); }
    QByteArray contenuto() const {
        QFile f(fileLog());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The lines of the log without their time stamps; each must start with a valid one.
    QStringList righe() const {
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
            if (!m.hasMatch() || qAbs(quando.secsTo(QDateTime::currentDateTime())) > 60)
                out << QStringLiteral("<no time stamp> ") + tutte[i];
            else
                out << tutte[i].mid(m.capturedLength());
        }
        return out;
    }
    static QStringList figli(const NodoLog* nodo) {
        QStringList out;
        for (const auto& figlio : nodo->figli)
            out << figlio->testo;
        return out;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        // The default log file: beside the executable, named after it, ".LOG".
        const QString predefinito =
            QDir(QCoreApplication::applicationDirPath()).filePath("tst_log.LOG");
        QCOMPARE(utLogFile(), predefinito);
        utLogImpostaFile(fileLog());
        utLogImpostaFile(QString());
        QCOMPARE(utLogFile(), predefinito);
    }
    void init() {
        QFile::remove(fileLog());
        utLogImpostaFile(fileLog());
        utLogImpostaOsservatore(nullptr);
        utLogAzzera();
    }

    void blocchiAnnidati() {
        // Nested blocks and error lines appended to a file, and one tree node per block.
        QFile f(fileLog());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write((utTestoDataOra(QDateTime::currentDateTime()) + ": riga precedente\r\n").toUtf8());
        f.close();

        QVERIFY(utLogEnter("A"));
        QVERIFY(utLogEnter("B"));
        QVERIFY(utLog("B", "dentro B"));
        QVERIFY(utLogError("B", 11, ": numerazione errata"));
        QVERIFY(utLogExit("B"));
        utLog("A", "dentro A", 0);
        utLogError("A", -3, QString());
        utLogExit("A");
        utLogEnter("C");
        QCOMPARE(righe(), QStringList({"riga precedente", "A {", "  B {", "    dentro B",
                                       "    ERRORE #11: numerazione errata", "  }", "",
                                       "  dentro A", "  ERRORE #-3", "}", "", "C {"}));
        QCOMPARE(utLogLivello(), 1);

        const NodoLog* radice = utLogRadice();
        QCOMPARE(figli(radice), QStringList({"A {", "", "C {"}));
        QCOMPARE(utLogUltimoNodo(), radice->figli[2].get());
        // The level change of utLog without a routine name.
        utLog("aperto", 2);
        utLog("chiuso", -2);
        QCOMPARE(righe().mid(12), QStringList({"  aperto", "  chiuso"}));
        QCOMPARE(utLogLivello(), 1);
        QCOMPARE(utLogGenitoreCorrente(), radice->figli[2].get());
    }

    void dueUsciteDopoUnIngresso() {
        // An unbalanced exit is logged and the level never goes below zero.
        utLogEnter("R");
        utLogExit("R");
        utLogExit("R");
        const QString errore = "****************ERRORE indLev in utLog******************";
        QCOMPARE(righe(), QStringList({"R {", "}", "", errore, "}", ""}));
        QCOMPARE(utLogLivello(), 0);
        QCOMPARE(utLogGenitoreCorrente(), utLogRadice());
    }

    void messaggioSuPiuRighe() {
        // The file keeps the text as given; the tree and its observer see it on one line.
        QStringList visti;
        utLogImpostaOsservatore([&visti](const NodoLog& nodo) {
            visti << (nodo.padre ? nodo.padre->testo : QString()) + " > " + nodo.testo;
        });
        utLogEnter("R");
        utLog("R", QString::fromUtf8("UPDATE articoli\r\n\tSET qtà = 1  WHERE ID = 2\n"));
        QVERIFY(
            contenuto().contains("  UPDATE articoli\r\n\tSET qt\xc3\xa0 = 1  WHERE ID = 2\n\r\n"));
        QCOMPARE(NormalizzaSpazi(" \t\r\n "), QString());
        utLogExit("R");
        QCOMPARE(visti,
                 QStringList({"Dolvera.exe > R {",
                              QString::fromUtf8("R { > UPDATE articoli SET qtà = 1 WHERE ID = 2"),
                              "Dolvera.exe > "}));
    }

    void fileNonApribile() {
        // A log file that cannot be opened throws, changing neither tree nor nesting.
        utLogEnter("R");
        utLog("R", "prima");
        const NodoLog* ultimo = utLogUltimoNodo();
        const NodoLog* genitore = utLogGenitoreCorrente();

        utLogImpostaFile(m_dir.filePath("manca/Dolvera.LOG"));
        const auto fallisce = [](const std::function<void()>& scrivi) {
            try {
                scrivi();
            } catch (const Errore& e) {
                return e.messaggio() == QStringLiteral("Errore nell'apertura del file di log.") &&
                       utLogLivello() == 1;
            }
            return false;
        };
        QVERIFY(fallisce([] { utLogWrite("persa"); }));
        QVERIFY(fallisce([] { utLogEnter("Persa"); }));
        QVERIFY(fallisce([] { utLogExit("R"); }));
        QCOMPARE(utLogUltimoNodo(), ultimo);
        QCOMPARE(utLogGenitoreCorrente(), genitore);
        QCOMPARE(figli(genitore), QStringList({"prima"}));
        QVERIFY(!QFile::exists(m_dir.filePath("manca")));

        utLogImpostaFile(fileLog());
        utLogExit("R");
        QCOMPARE(righe(), QStringList({"R {", "  prima", "}", ""}));
    }
};

QTEST_GUILESS_MAIN(TestLog)
#include "tst_log.moc"
