#include "AlberoLog.h"
#include "Utilitylibrary.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The log view follows the event log's tree: built from the lines already logged, then
// one item per new line, under the block that was open when it was logged.
class TestAlberoLog : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // One text per item in display order, preceded by one dot per nesting level.
    static void descrivi(const QTreeWidgetItem* e, int livello, QStringList& out) {
        out << QString(livello, QLatin1Char('.')) + e->text(0);
        for (int i = 0; i < e->childCount(); ++i)
            descrivi(e->child(i), livello + 1, out);
    }
    static QStringList righe(const AlberoLog& albero) {
        QStringList out;
        for (int i = 0; i < albero.topLevelItemCount(); ++i)
            descrivi(albero.topLevelItem(i), 0, out);
        return out;
    }
    // The log's own tree in the same form.
    static void descrivi(const NodoLog* n, int livello, QStringList& out) {
        out << QString(livello, QLatin1Char('.')) + n->testo;
        for (const auto& figlio : n->figli)
            descrivi(figlio.get(), livello + 1, out);
    }
    static QStringList righeLog() {
        QStringList out;
        if (utLogRadice())
            descrivi(utLogRadice(), 0, out);
        return out;
    }
    // Every ancestor of the item is expanded.
    static bool aperto(const QTreeWidgetItem* e) {
        for (e = e->parent(); e; e = e->parent()) {
            if (!e->isExpanded())
                return false;
        }
        return true;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        utLogImpostaFile(m_dir.filePath(QStringLiteral("Dolvera.LOG")));
    }

    void init() { utLogAzzera(); }
    void cleanupTestCase() { utLogAzzera(); }

    void costruitoDalLogEsistente() {
        utLogEnter("TfrmMain::FormShow");
        utLog("TfrmMain::FormShow", "#1: Database connesso");
        utLogEnter("TdmDati::Rinfresca");
        utLog("TdmDati::Rinfresca", "SELECT *\r\n  FROM\tarticoli");
        utLogExit("TdmDati::Rinfresca");
        utLog("TfrmMain::FormShow", "#2: Dati aperti");

        AlberoLog albero;
        QCOMPARE(albero.objectName(), QStringLiteral("treeLog"));
        QCOMPARE(albero.columnCount(), 1);
        const QStringList attese{"Dolvera.exe",
                                 ".TfrmMain::FormShow {",
                                 "..#1: Database connesso",
                                 "..TdmDati::Rinfresca {",
                                 "...SELECT * FROM articoli",
                                 "..",
                                 "..#2: Dati aperti"};
        QCOMPARE(righe(albero), attese);
        QTreeWidgetItem* ultimo = albero.UltimoElemento();
        QVERIFY(ultimo);
        QCOMPARE(ultimo->text(0), QStringLiteral("#2: Dati aperti"));
        QVERIFY(aperto(ultimo));
    }

    void segueLeRigheNuove() {
        utLogEnter("TfrmMain::FormShow");
        utLog("TfrmMain::FormShow", "#1: prima");
        AlberoLog albero;
        QTreeWidgetItem* blocco = albero.topLevelItem(0)->child(0);
        QTreeWidgetItem* prima = blocco->child(0);

        // Inside the open block, in a nested block, back in the outer one.
        utLog("TfrmMain::FormShow", "#2: seconda");
        utLogEnter("TfrmMain::CheckAll9");
        utLogError("TfrmMain::CheckAll9", 11, ": numerazione");
        utLogExit("TfrmMain::CheckAll9");
        utLog("TfrmMain::FormShow", "#3: terza");
        utLogExit("TfrmMain::FormShow");
        // A new block after the closed ones goes under the root again.
        utLogEnter("TfrmMain::tsCarichiShow");
        utLog("TfrmMain::tsCarichiShow", "riga");

        const QStringList attese{"Dolvera.exe",
                                 ".TfrmMain::FormShow {",
                                 "..#1: prima",
                                 "..#2: seconda",
                                 "..TfrmMain::CheckAll9 {",
                                 "...ERRORE #11: numerazione",
                                 "..",
                                 "..#3: terza",
                                 ".",
                                 ".TfrmMain::tsCarichiShow {",
                                 "..riga"};
        QCOMPARE(righe(albero), attese);
        QCOMPARE(righeLog(), attese);
        // The items there before are the same ones: lines are added, the view is not rebuilt.
        QCOMPARE(albero.topLevelItem(0)->child(0), blocco);
        QCOMPARE(blocco->child(0), prima);
        QCOMPARE(albero.UltimoElemento()->text(0), QStringLiteral("riga"));
        QVERIFY(aperto(albero.UltimoElemento()));
        QVERIFY(blocco->child(2)->isExpanded());

        // One exit too many at the outer level: the lines stay under the root.
        utLogExit("TfrmMain::tsCarichiShow");
        utLogExit("TfrmMain::tsCarichiShow");
        utLog("TfrmMain::FormShow", "dopo");
        QCOMPARE(righe(albero), righeLog());
        QCOMPARE(albero.UltimoElemento()->parent(), albero.topLevelItem(0));
        QCOMPARE(albero.topLevelItem(0)->childCount(), 7);
    }

    void logVuotoEAzzerato() {
        AlberoLog albero;
        QCOMPARE(albero.topLevelItemCount(), 0);
        QVERIFY(!albero.UltimoElemento());

        // The first line brings the root with it.
        utLogEnter("TfrmA::Uno");
        utLog("TfrmA::Uno", "x");
        utLogExit("TfrmA::Uno");
        QCOMPARE(righe(albero), (QStringList{"Dolvera.exe", ".TfrmA::Uno {", "..x", "."}));

        // An emptied log starts a new tree; the view drops the old lines at the next one,
        // even when the new tree has the same shape as the old one.
        utLogAzzera();
        utLogEnter("TfrmB::Due");
        utLog("TfrmB::Due", "y");
        utLogExit("TfrmB::Due");
        QCOMPARE(righe(albero), (QStringList{"Dolvera.exe", ".TfrmB::Due {", "..y", "."}));
        utLog("TfrmB::Due", "z");
        QCOMPARE(righe(albero), righeLog());
    }

    void piuVisteEDistruzione() {
        utLog("Test", "prima");
        auto prima = std::make_unique<AlberoLog>();
        auto seconda = std::make_unique<AlberoLog>();
        utLog("Test", "entrambe");
        QCOMPARE(righe(*prima), righeLog());
        QCOMPARE(righe(*seconda), righeLog());

        // The view that goes away takes only itself off the log.
        prima.reset();
        utLog("Test", "solo la seconda");
        QCOMPARE(righe(*seconda), righeLog());
        seconda.reset();
        utLog("Test", "nessuna vista");

        AlberoLog terza;
        QCOMPARE(righe(terza), (QStringList{"Dolvera.exe", ".prima", ".entrambe",
                                            ".solo la seconda", ".nessuna vista"}));
    }

    void ultimaRigaInVista() {
        AlberoLog albero;
        albero.resize(300, 120);
        albero.show();
        QVERIFY(QTest::qWaitForWindowExposed(&albero));
        utLogEnter("TfrmMain::Lungo");
        for (int i = 1; i <= 300; ++i)
            utLog("TfrmMain::Lungo", QStringLiteral("#%1").arg(i));
        QTreeWidgetItem* ultimo = albero.UltimoElemento();
        QCOMPARE(ultimo->text(0), QStringLiteral("#300"));
        QTRY_VERIFY(albero.viewport()->rect().contains(albero.visualItemRect(ultimo)));
        utLogExit("TfrmMain::Lungo");
    }

    void logoDellaPaginaIniziale() {
        Q_INIT_RESOURCE(immagini);
        QImageReader lettore(QStringLiteral(":/immagini/logo.jpg"));
        QCOMPARE(lettore.format(), QByteArray("jpeg"));
        const QImage logo = lettore.read();
        QVERIFY2(!logo.isNull(), qPrintable(lettore.errorString()));
        QCOMPARE(logo.size(), QSize(420, 260));
        // A light background, for the light start page.
        QVERIFY(qGray(logo.pixel(2, 2)) > 220);
        QVERIFY(qGray(logo.pixel(417, 257)) > 220);
    }
};

QTEST_MAIN(TestAlberoLog)
#include "tst_alberolog.moc"
