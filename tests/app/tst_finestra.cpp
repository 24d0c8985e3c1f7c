// The main window's frame: tabs, hidden controls, browse/edit switch, shortcuts, tab guard, log.

#include "AbilitaControlli.h"
#include "AlberoLog.h"
#include "Griglia.h"
#include "ProgrammaProva.h"
#include "Utilitylibrary.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace {
QColor sfondo(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}
} // namespace

class TestFinestra : public QObject {
    Q_OBJECT

private slots:
    // One start: the repairs of the first show in their order, the tabs and hidden controls,
    // the order of the key rules, the guard of a tab being edited, the log view.
    void avvioSchedeTastiGuardiaELog() {
        ProgrammaProva p({
            "INSERT INTO articoli (ID, descr, agea) VALUES (1, 'PASTA', 1)",
            "INSERT INTO nominativi (ID, cognome, nome, numFamiliari) VALUES (1, 'ROSSI', 'Ada', "
            "3)",
            "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id) "
            "VALUES (1, '2024-05-06', 1, 1, 1)",
            "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 2), (1, 1, 3)",
        });
        QCOMPARE(p.righe("SELECT data, anno, numero FROM allegati9"),
                 QStringList{"2024-05-06|2024|1"});
        QCOMPARE(p.valore("SELECT nrBeneficiati FROM scarichi_mast").toInt(), 3);
        QCOMPARE(p.righe("SELECT articoli_id, qta FROM scarichi_dett"), QStringList{"1|5"});
        const QStringList log = p.cartella().righeLog();
        qsizetype ultima = -1;
        for (const QString riga :
             {"FIRSTIME", "TfrmMain::CheckAll9 {", "TfrmMain::CheckArticoliDuplicatiUnaTabella {",
              "Stampante=[PDF]"}) {
            const qsizetype i =
                log.indexOf(QRegularExpression("^\\s*" + QRegularExpression::escape(riga)));
            QVERIFY2(i > ultima, qPrintable(riga));
            ultima = i;
        }

        auto* schede = p.trova<QTabWidget>("pcMain");
        QStringList titoli;
        for (int i = 0; i < schede->count(); ++i) {
            titoli << schede->tabText(i);
            // Every caption is readable: the ten tabs fit the window without scrolling.
            QVERIFY(schede->tabBar()->tabRect(i).right() <= schede->width());
        }
        QCOMPARE(titoli,
                 (QStringList{"Start", "Articoli", "Nominativi", "Fornitori", "Modelli di consegna",
                              "Carichi", "Scarichi", "Registro", "Giornaliero", "Utilità"}));
        QCOMPARE(p.schedaAttiva(), "tsMenu");
        for (const char* nome : {"btnArtElimina", "btnNomElimina", "btnForElimina", "btnLogTree",
                                 "lblDbVers", "pnlUpdate", "treeLog"})
            QVERIFY2(!p.trova(nome)->isVisibleTo(&p.main()), nome);
        QVERIFY(p.trova<Griglia>("grArticoli")->colonnaNascosta(0));
        QVERIFY(!p.trova<Griglia>("grArticoli")->colonnaNascosta(1));
        // The logo is a JPEG decoded at start through the JPEG plugin.
        QVERIFY(!p.trova<QLabel>("imgLogo")->pixmap().isNull());

        // The first rule that matches the tab active at the release runs; the tab it switches
        // to does not receive the same key, and a shortcut ignores the modifiers held.
        QWidget* carichi = p.trova("tsCarichi");
        QStringList eseguite;
        p.main().AggiungiTasto(p.trova("tsMenu"), Qt::Key_F9, [&] {
            eseguite << "start";
            schede->setCurrentWidget(carichi);
        });
        p.main().AggiungiTasto(p.trova("tsMenu"), Qt::Key_F9, [&] { eseguite << "seconda"; });
        p.main().AggiungiTasto(carichi, Qt::Key_F9, [&] { eseguite << "carichi"; });
        p.main().AggiungiTasto(nullptr, Qt::Key_F9, [&] { eseguite << "ogni scheda"; });
        p.tasto(Qt::Key_F9);
        QCOMPARE(p.schedaAttiva(), "tsCarichi");
        p.tasto(Qt::Key_F9, Qt::ShiftModifier);
        QVERIFY(p.vaiScheda("tsArticoli"));
        p.tasto(Qt::Key_F9);
        QCOMPARE(eseguite, (QStringList{"start", "carichi", "ogni scheda"}));
        // A key without a rule for the active tab does nothing.
        p.tasto(Qt::Key_F5);
        QCOMPARE(p.schedaAttiva(), "tsArticoli");
        QVERIFY(!p.main().inModifica);

        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomModifica"));
        // The keyboard does not leave a card being edited.
        p.tasto(Qt::Key_Tab, Qt::ControlModifier);
        p.tasto(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(p.schedaAttiva(), "tsNominativi");
        QVERIFY(p.trova("lblSchedaInModifica")->isVisible());
        // The tab bar is not a stop of Tab; Tab in a note moves on and writes no tab.
        schede->tabBar()->setFocus();
        p.tasto(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != schede->tabBar());
        QVERIFY(p.sostituisci("edtNomNote", "Segnalato dal parroco"));
        p.tasto(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != p.trova("edtNomNote"));
        QCOMPARE(p.testo("edtNomNote"), "Segnalato dal parroco");
        p.messaggi().attendi(Messaggi::Tipo::Informazione,
                             "Confermare o annullare la scheda in modifica prima di chiudere "
                             "Dolvera.");
        QVERIFY(!p.main().close());
        QVERIFY(p.clicca("btnNomAnnulla"));
        QVERIFY(p.vaiScheda("tsFornitori"));

        auto* albero = p.trova<AlberoLog>("treeLog");
        QVERIFY(albero->topLevelItemCount() > 0);
        // The window widens to 1280 pixels, or to what the screen holds, and stays on it.
        const QRect schermo = p.main().screen()->availableGeometry();
        const int cornice = p.main().frameGeometry().width() - p.main().width();
        p.tasto(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(albero->isVisible());
        QCOMPARE(p.main().width(), std::min(1280, schermo.width() - cornice));
        QCOMPARE(p.trova("pcMain")->width() + albero->width(), p.main().width());
        QVERIFY(schermo.contains(p.main().frameGeometry()));
        utLog("Prova", "riga di prova");
        QCOMPARE(albero->UltimoElemento()->text(0), utLogUltimoNodo()->testo);
        p.tasto(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!albero->isVisible());
        // The window can be resized freely again.
        p.main().resize(1000, 700);
        QCOMPARE(p.trova("pcMain")->width(), 1000);
        QVERIFY(p.problemi().isEmpty());
        QVERIFY(p.main().close());
    }

    void abilitaControlliSuPannelloConGrigliaEdEtichetta() {
        QWidget pannello;
        auto* griglia = new Griglia("grProva", &pannello);
        auto* etichetta = new QLabel("Etichetta", &pannello);
        auto* interno = new QWidget(&pannello);
        auto* box = new QLineEdit(interno);
        const QColor grigio(225, 225, 225);
        AbilitaControlli(&pannello, false, grigio);
        QVERIFY(!griglia->isEnabled() && etichetta->isEnabled() && interno->isEnabled());
        QVERIFY(!box->isEnabled());
        QCOMPARE(sfondo(griglia), grigio);
        AbilitaControlli(&pannello, true, grigio);
        QVERIFY(griglia->isEnabled() && box->isEnabled());
        QCOMPARE(sfondo(griglia), QColor(Qt::white));
    }

    // The real message service's questions show Qt's Italian buttons once translations load.
    void pulsantiInItaliano() {
        QVERIFY(CaricaTraduzioniQt());
        Messaggi messaggi;
        QStringList pulsanti;
        QTimer rispondi;
        connect(&rispondi, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            QStringList testi;
            for (const QAbstractButton* b : box->buttons())
                testi << b->text();
            testi.sort();
            pulsanti << testi.join('/');
            QAbstractButton* no = box->button(QMessageBox::No);
            (no ? no : box->button(QMessageBox::Cancel))->click();
        });
        rispondi.start(10);
        QVERIFY(!messaggi.domandaSiNo("Eliminare?"));
        QVERIFY(!messaggi.domandaOkAnnulla("Premere OK quando la stampante è pronta."));
        QCOMPARE(pulsanti, QStringList({"&No/&Sì", "Annulla/OK"}));
    }
};

QTEST_MAIN(TestFinestra)
#include "tst_finestra.moc"
