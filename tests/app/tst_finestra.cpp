// The main window's frame: the tabs, the controls hidden for good, the browse/edit switch of
// a panel, the keyboard shortcuts, the guard that keeps a tab while editing, the log view.

#include "AbilitaControlli.h"
#include "AlberoLog.h"
#include "Griglia.h"
#include "ProgrammaProva.h"
#include "Utilitylibrary.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QStringList SEME = {
    "INSERT INTO nominativi (cognome, nome, numFamiliari) VALUES ('ROSSI', 'Mario', 3)",
    "INSERT INTO nominativi (cognome, nome, numFamiliari) VALUES ('BIANCHI', 'Anna', 2)"};

QColor sfondo(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}
} // namespace

class TestFinestra : public QObject {
    Q_OBJECT

private slots:
    // Guards the repairs of the first show, in their order, before the printer is restored:
    // the day's missing declaration, the missing count of people served, the duplicate
    // lines of a distribution.
    void riparazioniAllaPrimaApparizione() {
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
        const auto posizione = [&](const QString& riga) {
            return log.indexOf(QRegularExpression("^\\s*" + QRegularExpression::escape(riga)));
        };
        QVERIFY(posizione("TfrmMain::CheckAll9 {") > posizione("FIRSTIME"));
        QVERIFY(posizione("TfrmMain::CheckArticoliDuplicatiUnaTabella {") >
                posizione("TfrmMain::CheckAll9 {"));
        QVERIFY(posizione("Stampante=[PDF]") >
                posizione("TfrmMain::CheckArticoliDuplicatiUnaTabella {"));
        QVERIFY(p.problemi().isEmpty());
    }

    void schedeEControlliNascosti() {
        ProgrammaProva p;
        auto* schede = p.trova<QTabWidget>("pcMain");
        QStringList titoli;
        for (int i = 0; i < schede->count(); ++i)
            titoli << schede->tabText(i);
        QCOMPARE(titoli,
                 (QStringList{"Start", "Articoli", "Nominativi", "Fornitori", "Modelli di consegna",
                              "Carichi", "Scarichi", "Registro", "Giornaliero", "Utilità"}));
        QCOMPARE(p.schedaAttiva(), "tsMenu");
        // Every caption is readable: the ten tabs fit the window without scrolling.
        for (int i = 0; i < schede->count(); ++i)
            QVERIFY(schede->tabBar()->tabRect(i).right() <= schede->width());
        QCOMPARE(p.main().size(), QSize(869, 681));
        QCOMPARE(p.main().minimumWidth(), 760);

        for (const char* nome : {"btnArtElimina", "btnNomElimina", "btnForElimina", "btnLogTree",
                                 "lblDbVers", "pnlUpdate", "treeLog"})
            QVERIFY2(!p.trova(nome)->isVisibleTo(&p.main()), nome);
        QVERIFY(p.trova<Griglia>("grArticoli")->colonnaNascosta(0));
        QVERIFY(p.trova<Griglia>("grFornitori")->colonnaNascosta(0));
        QVERIFY(!p.trova<Griglia>("grArticoli")->colonnaNascosta(1));

        // The logo is a JPEG decoded at start through the JPEG plugin.
        QVERIFY(!p.trova<QLabel>("imgLogo")->pixmap().isNull());
        QVERIFY(p.problemi().isEmpty());
    }

    // Browse mode at start on every record tab: lists enabled and white, cards disabled; a
    // key without a rule for the active tab does nothing.
    void modalitaConsultazioneAllAvvio() {
        ProgrammaProva p;
        for (const char* sigla : {"Art", "Nom", "For"}) {
            const QString s = QString::fromLatin1(sigla);
            QVERIFY(p.trova("btn" + s + "Nuovo")->isEnabled());
            QVERIFY(p.trova("edt" + s + "Cerca")->isEnabled());
            QVERIFY(!p.trova("btn" + s + "Conferma")->isEnabled());
            QVERIFY(!p.trova("btn" + s + "Annulla")->isEnabled());
        }
        QVERIFY(!p.trova("edtNomCognome")->isEnabled());
        QCOMPARE(sfondo(p.trova("grNominativi")), QColor(Qt::white));

        QVERIFY(p.vaiScheda("tsArticoli"));
        p.tasto(Qt::Key_F5);
        p.tasto(Qt::Key_F6);
        QCOMPARE(p.schedaAttiva(), "tsArticoli");
        QVERIFY(!p.main().inModifica);
        QVERIFY(p.problemi().isEmpty());
    }

    void abilitaControlliSuPannelloConGrigliaEdEtichetta() {
        QWidget pannello;
        auto* griglia = new Griglia("grProva", &pannello);
        auto* etichetta = new QLabel("Etichetta", &pannello);
        auto* interno = new QWidget(&pannello);
        auto* box = new QLineEdit(interno);
        const QColor grigio(225, 225, 225);

        AbilitaControlli(&pannello, false, grigio);
        QVERIFY(!griglia->isEnabled());
        QCOMPARE(sfondo(griglia), grigio);
        QVERIFY(etichetta->isEnabled());
        QVERIFY(!box->isEnabled());
        QVERIFY(interno->isEnabled());

        AbilitaControlli(&pannello, true, grigio);
        QVERIFY(griglia->isEnabled());
        QCOMPARE(sfondo(griglia), QColor(Qt::white));
        QVERIFY(box->isEnabled());
    }

    // The first rule that matches the tab active at the release runs; the tab it switches
    // to does not receive the same key.
    void ordineDelleRegole() {
        ProgrammaProva p;
        QWidget* start = p.trova("tsMenu");
        QWidget* carichi = p.trova("tsCarichi");
        auto* schede = p.trova<QTabWidget>("pcMain");
        QStringList eseguite;
        p.main().AggiungiTasto(start, Qt::Key_F9, [&] {
            eseguite << "start";
            schede->setCurrentWidget(carichi);
        });
        p.main().AggiungiTasto(start, Qt::Key_F9, [&] { eseguite << "seconda"; });
        p.main().AggiungiTasto(carichi, Qt::Key_F9, [&] { eseguite << "carichi"; });
        p.main().AggiungiTasto(nullptr, Qt::Key_F9, [&] { eseguite << "ogni scheda"; });

        p.tasto(Qt::Key_F9);
        QCOMPARE(eseguite, QStringList{"start"});
        QCOMPARE(p.schedaAttiva(), "tsCarichi");
        // A shortcut ignores the modifiers held with it.
        p.tasto(Qt::Key_F9, Qt::ShiftModifier);
        QCOMPARE(eseguite, (QStringList{"start", "carichi"}));
        QVERIFY(p.vaiScheda("tsArticoli"));
        p.tasto(Qt::Key_F9);
        QCOMPARE(eseguite, (QStringList{"start", "carichi", "ogni scheda"}));
    }

    void guardiaDelleSchede() {
        ProgrammaProva p(SEME);
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.main().inModifica);
        // Neither a click on a tab nor the keyboard leaves a card being edited.
        QVERIFY(!p.vaiScheda("tsFornitori"));
        p.tasto(Qt::Key_Tab, Qt::ControlModifier);
        p.tasto(Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(p.schedaAttiva(), "tsNominativi");
        // A line under the tabs says why; the tab bar is not a stop of Tab, and Tab on it
        // moves on rather than being swallowed.
        QVERIFY(p.trova("lblSchedaInModifica")->isVisible());
        QTabBar* schede = p.main().findChild<QTabWidget*>("pcMain")->tabBar();
        schede->setFocus();
        p.tasto(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != schede);
        // Tab in a note moves on to the next field, it writes no tab character.
        QVERIFY(p.sostituisci("edtNomNote", "Segnalato dal parroco"));
        p.tasto(Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != p.trova("edtNomNote"));
        QCOMPARE(p.testo("edtNomNote"), "Segnalato dal parroco");
        // Nor does closing the window.
        p.messaggi().attendi(Messaggi::Tipo::Informazione,
                             "Confermare o annullare la scheda in modifica prima di chiudere "
                             "Dolvera.");
        QVERIFY(!p.main().close());
        QVERIFY(p.main().isVisible());
        QVERIFY(p.clicca("btnNomAnnulla"));
        QVERIFY(!p.main().inModifica);
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.problemi().isEmpty());
        QVERIFY(p.main().close());
    }

    void alberoDelLog() {
        ProgrammaProva p;
        auto* albero = p.trova<AlberoLog>("treeLog");
        // The view holds the lines logged since the start.
        QVERIFY(albero->topLevelItemCount() > 0);
        p.tasto(Qt::Key_Home);
        QVERIFY(!albero->isVisible());
        // The window widens to 1280 pixels, or to what the screen holds, and stays on it: the
        // test screen is 1280 wide, so the centred window moves left and the frame counts.
        const QRect schermo = p.main().screen()->availableGeometry();
        const int cornice = p.main().frameGeometry().width() - p.main().width();
        p.tasto(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(albero->isVisible());
        QCOMPARE(p.main().width(), std::min(1280, schermo.width() - cornice));
        QCOMPARE(p.trova("pcMain")->width() + albero->width(), p.main().width());
        QVERIFY(schermo.contains(p.main().frameGeometry()));
        // It follows the log.
        utLog("Prova", "riga di prova");
        QCOMPARE(albero->UltimoElemento()->text(0), utLogUltimoNodo()->testo);
        p.tasto(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(!albero->isVisible());
        QCOMPARE(p.main().size(), QSize(869, 681));
        // The window can be resized freely again.
        p.main().resize(1000, 700);
        QCOMPARE(p.trova("pcMain")->width(), 1000);
    }

    // Guards that the questions of the real message service (not the scripted one) show
    // Qt's own Italian buttons once the program's translations are loaded.
    void pulsantiInItaliano() {
        QVERIFY(CaricaTraduzioniQt());
        Messaggi messaggi;
        QStringList pulsanti;
        // Reads the buttons of the box when it is up and answers No or Cancel.
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
