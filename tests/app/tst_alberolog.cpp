#include "AlberoLog.h"
#include "Utilitylibrary.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The log view follows the event log's tree: built from the lines logged, then one item per line.
class TestAlberoLog : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // One text per item in display order, preceded by one dot per nesting level.
    static QStringList righe(const QTreeWidgetItem* e, const QString& rientro = QString()) {
        QStringList out;
        for (int i = 0; i < e->childCount(); ++i)
            out << rientro + e->child(i)->text(0) << righe(e->child(i), rientro + '.');
        return out;
    }
    static QStringList righe(const AlberoLog& albero) { return righe(albero.invisibleRootItem()); }
    // The log as a view built now shows it: what a view that followed it must show too.
    static QStringList righeLog() { return righe(AlberoLog()); }
    // Every ancestor of the item is expanded.
    static bool aperto(const QTreeWidgetItem* e) {
        while ((e = e->parent()))
            if (!e->isExpanded())
                return false;
        return true;
    }

private slots:
    void initTestCase() { utLogImpostaFile(m_dir.filePath(QStringLiteral("Dolvera.LOG"))); }
    void init() { utLogAzzera(); }
    void cleanupTestCase() { utLogAzzera(); }

    // Guards: lines logged before the view opened missing or misplaced; a view opened on an
    // empty log missing the first line; a new line under the wrong block; the newest block
    // folded; the view rebuilt at every line; old lines kept after the log is emptied; a
    // view that goes away taking the other one off the log, or left on it.
    void vistePrimaEDopoLeRighe() {
        auto dalVuoto = std::make_unique<AlberoLog>();
        QVERIFY(!dalVuoto->UltimoElemento());
        auto registra = [] {
            utLogEnter("TfrmMain::FormShow");
            utLog("TfrmMain::FormShow", "#1: Database connesso");
            utLogEnter("TdmDati::Rinfresca");
            utLog("TdmDati::Rinfresca", "SELECT * FROM articoli");
            utLogExit("TdmDati::Rinfresca");
            utLog("TfrmMain::FormShow", "#2: Dati aperti");
        };
        registra();
        auto albero = std::make_unique<AlberoLog>();
        const QStringList attese{"Dolvera.exe",
                                 ".TfrmMain::FormShow {",
                                 "..#1: Database connesso",
                                 "..TdmDati::Rinfresca {",
                                 "...SELECT * FROM articoli",
                                 "..",
                                 "..#2: Dati aperti"};
        QCOMPARE(righe(*albero), attese);
        QCOMPARE(righe(*dalVuoto), attese);
        QVERIFY(aperto(albero->UltimoElemento()));
        albero->UltimoElemento()->setData(0, Qt::UserRole, true); // lost if the view is rebuilt
        utLogEnter("TfrmMain::CheckAll9");
        utLogError("TfrmMain::CheckAll9", 11, ": numerazione");
        QVERIFY(aperto(albero->UltimoElemento()));
        // One exit too many: the next line stays under the root.
        utLogExit("TfrmMain::CheckAll9");
        utLogExit("TfrmMain::FormShow");
        utLogExit("TfrmMain::FormShow");
        utLog("TfrmMain::FormShow", "dopo");
        QCOMPARE(righe(*albero), righeLog());
        QCOMPARE(righe(*dalVuoto), righeLog());
        QVERIFY(albero->topLevelItem(0)->child(0)->child(3)->data(0, Qt::UserRole).toBool());

        utLogAzzera();
        registra();
        QCOMPARE(righe(*albero), attese);
        QCOMPARE(righe(*dalVuoto), attese);
        dalVuoto.reset();
        utLog("TfrmMain::FormShow", "#3");
        QCOMPARE(righe(*albero), righeLog());
        albero.reset();
        utLog("TfrmMain::FormShow", "#4");
    }

    // Guards: the newest line of a long burst left out of sight.
    void ultimaRigaInVista() {
        AlberoLog albero;
        albero.resize(300, 120);
        albero.show();
        QVERIFY(QTest::qWaitForWindowExposed(&albero));
        utLogEnter("TfrmMain::Lungo");
        for (int i = 1; i <= 300; ++i)
            utLog("TfrmMain::Lungo", QStringLiteral("#%1").arg(i));
        QTRY_VERIFY(
            albero.viewport()->rect().contains(albero.visualItemRect(albero.UltimoElemento())));
    }
};

QTEST_MAIN(TestAlberoLog)
#include "tst_alberolog.moc"
