// The four dialogs of the stock movements driven as the user drives them: the article
// picker, the new-receipt dialog, the reason of a new distribution and the beneficiary
// picker. Each is created once and shown again, as the program does.

#include "Datamodule.h"
#include "ProgrammaProva.h"
#include "TfrmNewCar.h"
#include "TfrmSelArt.h"
#include "TfrmSelCausale.h"
#include "TfrmSelNom.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

// Listed by description: LATTE, OLIO D'OLIVA (no code), PASSATA, PASTA.
const QStringList DATI = {
    QStringLiteral("INSERT INTO articoli (ID, codint, descr, agea, um_id) VALUES "
                   "(11, '0', 'PASTA DI SEMOLA', 1, 1), (12, NULL, 'OLIO D''OLIVA', 0, 3), "
                   "(13, '0', 'LATTE UHT', 1, 3), (14, '0', 'PASSATA DI POMODORO', 0, 8)"),
    QStringLiteral("INSERT INTO fornitori (ID, ragsoc) VALUES (21, 'COOP'), "
                   "(22, 'BANCO ALIMENTARE')"),
    QStringLiteral("INSERT INTO nominativi (ID, cognome, nome, citta) VALUES "
                   "(31, 'ROSSI', 'Mario', 'Roma'), (32, 'BIANCHI', 'Luca', 'Pisa'), "
                   "(33, 'ROSSINI', 'Anna', 'Roma'), (34, 'VERDI', 'Ugo', 'Lucca')"),
    QStringLiteral("INSERT INTO lstCausali (ID, descr) VALUES (0, 'Nessuna'), "
                   "(9, 'Dono d''emergenza'), (8, 'Scambio')")};

const QString QUANTITA = QStringLiteral("Inserire una quantità corretta");

bool apri(QDialog& d) {
    d.show();
    QApplication::setActiveWindow(&d);
    return QTest::qWaitForWindowActive(&d);
}

template <typename T> T* figlio(const QDialog& d, const char* nome) {
    auto* c = d.findChild<T*>(QLatin1String(nome));
    if (!c)
        qFatal("manca %s", nome);
    return c;
}

// The rows of a list: its visible cells joined by "|".
QStringList elenco(const QTableView* vista) {
    QStringList righe;
    for (int r = 0; r < vista->model()->rowCount(); ++r) {
        QStringList celle;
        for (int c = 0; c < vista->model()->columnCount(); ++c) {
            if (!vista->isColumnHidden(c))
                celle << vista->model()->index(r, c).data().toString();
        }
        righe << celle.join(QLatin1Char('|'));
    }
    return righe;
}

void scrivi(QLineEdit* box, const QString& testo) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, testo);
}
} // namespace

class TestDialoghi : public QObject {
    Q_OBJECT

private slots:
    // ---- article picker ----

    // Guards the quantity: the up-down control stepping by 1 within 0 and 100 from whatever
    // the box holds; the check on every way of closing with OK (Enter in a box, the Ok
    // button): 0 and non-numbers refused with the focus on the quantity, any other number
    // taken as typed, negative and decimal ones included; Enter closing on its release only
    // when it was also pressed in the dialog.
    void selArtQuantita() {
        ProgrammaProva p(DATI);
        TfrmSelArt d(p.dati(), p.messaggi());
        QVERIFY(apri(d));
        auto* descr = figlio<QLineEdit>(d, "edtSelArt_Descr");
        auto* qta = figlio<QLineEdit>(d, "edtSelArt_Qta");
        QCOMPARE(QApplication::focusWidget(), descr);
        QCOMPARE(qta->text(), "0");

        const auto frecce = [&](const char* nome, int volte) {
            for (int i = 0; i < volte; ++i)
                QTest::mouseClick(figlio<QToolButton>(d, nome), Qt::LeftButton);
            return qta->text();
        };
        QCOMPARE(frecce("UpDown1_Su", 3), "3");
        QCOMPARE(frecce("UpDown1_Giu", 5), "0");
        scrivi(qta, "99");
        QCOMPARE(frecce("UpDown1_Su", 2), "100");
        scrivi(qta, "2,5");
        QCOMPARE(frecce("UpDown1_Su", 1), "3,5");
        QCOMPARE(QApplication::focusWidget(), qta);
        scrivi(qta, "0");

        p.messaggi().attendi(Tipo::Informazione, QUANTITA);
        QTest::keyClick(descr, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(QApplication::focusWidget(), qta);
        p.messaggi().attendi(Tipo::Informazione, QUANTITA);
        scrivi(qta, "due");
        QTest::mouseClick(figlio<QPushButton>(d, "Button1"), Qt::LeftButton);
        QVERIFY(d.isVisible());

        // The release of an Enter pressed elsewhere (on a message box) closes nothing.
        scrivi(qta, "1");
        QTest::keyRelease(qta, Qt::Key_Return);
        QVERIFY(d.isVisible());

        const QList<std::pair<QString, double>> casi = {{"-2", -2}, {"2,5", 2.5}, {"150", 150}};
        for (const auto& [scritto, atteso] : casi) {
            QVERIFY(apri(d));
            scrivi(figlio<QLineEdit>(d, "edtSelArt_Qta"), scritto);
            QTest::keyClick(qta, Qt::Key_Return);
            QVERIFY(!d.isVisible());
            QCOMPARE(d.result(), QDialog::Accepted);
            QCOMPARE(d.quantitaScelta(), atteso);
            QCOMPARE(d.articoloScelto(), 13); // LATTE UHT, the first of the list
        }
        SENZA_PROBLEMI(p);
    }

    // Guards the search: any case, the description only shown, an apostrophe and an article
    // without a code found, the arrows moving the list while the caret stays in the box, the
    // unit of the article under the cursor, a new show starting over, an empty list.
    void selArtRicerca() {
        ProgrammaProva p(DATI);
        TfrmSelArt d(p.dati(), p.messaggi());
        QVERIFY(apri(d));
        auto* descr = figlio<QLineEdit>(d, "edtSelArt_Descr");
        auto* lista = figlio<QTableView>(d, "grArticoli");
        auto* um = figlio<QLabel>(d, "DBText1");
        QVERIFY(!figlio<QLineEdit>(d, "edtSelArt_Cod")->isVisible());
        const QStringList tutti = {"LATTE UHT", "OLIO D'OLIVA", "PASSATA DI POMODORO",
                                   "PASTA DI SEMOLA"};
        QCOMPARE(elenco(lista), tutti);
        QCOMPARE(um->text(), "litri");

        QTest::keyClicks(descr, "pas");
        QCOMPARE(elenco(lista), QStringList({"PASSATA DI POMODORO", "PASTA DI SEMOLA"}));
        scrivi(descr, "d'oliva");
        QCOMPARE(elenco(lista), QStringList{"OLIO D'OLIVA"});
        scrivi(descr, "a"); // every article has an A
        QCOMPARE(elenco(lista), tutti);
        QTest::keyClick(descr, Qt::Key_Down);
        QTest::keyClick(descr, Qt::Key_Down);
        QTest::keyClick(descr, Qt::Key_Down);
        QTest::keyClick(descr, Qt::Key_Up);
        QCOMPARE(lista->currentIndex().row(), 2);
        QCOMPARE(um->text(), "lattine");
        QCOMPARE(QApplication::focusWidget(), descr);
        QCOMPARE(descr->text(), "a");
        QCOMPARE(descr->cursorPosition(), 1);
        auto* qta = figlio<QLineEdit>(d, "edtSelArt_Qta");
        scrivi(qta, "3");
        QTest::keyClick(qta, Qt::Key_Down);
        QTest::keyClick(qta, Qt::Key_Down); // already on the last article
        QTest::keyClick(qta, Qt::Key_Up);
        QCOMPARE(lista->currentIndex().row(), 2);
        QCOMPARE(qta->text(), "3");
        QTest::keyClick(qta, Qt::Key_Return);
        QCOMPARE(d.result(), QDialog::Accepted);
        QCOMPARE(d.articoloScelto(), 14); // PASSATA DI POMODORO

        QVERIFY(apri(d));
        QCOMPARE(descr->text(), "");
        QCOMPARE(qta->text(), "0");
        QCOMPARE(elenco(lista), tutti);
        QCOMPARE(lista->currentIndex().row(), 0);

        // OK never picks "no article", so a caller cannot add a line for article 0.
        scrivi(qta, "1");
        scrivi(descr, "zzz");
        QVERIFY(elenco(lista).isEmpty());
        p.messaggi().attendi(Tipo::Informazione,
                             "Nessun articolo selezionato: cambiare la ricerca o premere Annulla.");
        QTest::keyClick(descr, Qt::Key_Return);
        QVERIFY(d.isVisible());
        SENZA_PROBLEMI(p);
    }

    // ---- new receipt ----

    // Guards both checks, today's date and an empty number on each show, the supplier kept
    // from one show to the next, and the suppliers read again on each show.
    void newCar() {
        ProgrammaProva p(DATI);
        TfrmNewCar d(p.dati(), p.messaggi());
        QVERIFY(apri(d));
        auto* fornitore = figlio<QComboBox>(d, "edtNewCar_forId");
        auto* data = figlio<QDateEdit>(d, "edtNewCar_data");
        auto* numero = figlio<QLineEdit>(d, "edtNewCar_docNum");
        QCOMPARE(fornitore->currentIndex(), -1);
        QCOMPARE(data->date(), QDate::currentDate());
        QCOMPARE(data->text(), QDate::currentDate().toString("dd/MM/yyyy"));

        p.messaggi().attendi(Tipo::Informazione, "Scegliere un fornitore.");
        QTest::keyClick(numero, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QCOMPARE(QApplication::focusWidget(), fornitore);

        fornitore->setCurrentIndex(fornitore->findText("COOP"));
        for (const QString& scritto : QStringList{"", "  "}) {
            p.messaggi().attendi(Tipo::Informazione, "Inserire un numero di documento");
            scrivi(numero, scritto);
            QTest::mouseClick(figlio<QPushButton>(d, "btnNewCarOk"), Qt::LeftButton);
            QVERIFY(d.isVisible());
            QCOMPARE(QApplication::focusWidget(), numero);
        }
        scrivi(numero, "B 12/a");
        data->setDate(QDate(2024, 3, 5));
        QTest::keyClick(numero, Qt::Key_Return);
        QCOMPARE(d.result(), QDialog::Accepted);
        QCOMPARE(d.fornitoreScelto(), 21);
        QCOMPARE(d.dataScelta(), QDate(2024, 3, 5));
        QCOMPARE(d.numeroScelto(), "B 12/a");

        p.esegui("INSERT INTO fornitori (ID, ragsoc) VALUES (23, 'ALDI')");
        QVERIFY(apri(d));
        QCOMPARE(fornitore->currentText(), "COOP");
        QCOMPARE(data->date(), QDate::currentDate());
        QCOMPARE(numero->text(), "");
        QStringList voci;
        for (int i = 0; i < fornitore->count(); ++i)
            voci << fornitore->itemText(i);
        QCOMPARE(voci, QStringList({"ALDI", "BANCO ALIMENTARE", "COOP"}));
        SENZA_PROBLEMI(p);
    }

    // ---- reason of a distribution ----

    // Guards the list (ID order, reason 0 left out, the first chosen) and the lookup of a
    // typed reason: unknown ones and reason 0 refused, an apostrophe or other capitals
    // accepted.
    void selCausale() {
        ProgrammaProva p(DATI);
        TfrmSelCausale d(p.dati(), p.messaggi());
        QVERIFY(apri(d));
        auto* causale = figlio<QComboBox>(d, "cbxCausale");
        QStringList voci;
        for (int i = 0; i < causale->count(); ++i)
            voci << causale->itemText(i);
        QCOMPARE(voci,
                 QStringList({"Consegna a indigenti", "Eliminazione per scadenza",
                              "Cessione ad altra struttura caritativa", "Mensa", "Unità di strada",
                              "Emergenza", "Scambio", "Dono d'emergenza"}));
        QCOMPARE(causale->currentIndex(), 0);
        QTest::keyClick(causale, Qt::Key_Return);
        QCOMPARE(d.result(), QDialog::Accepted);
        QCOMPARE(d.causaleScelta, 1);

        const QList<std::pair<QString, int>> casi = {
            {"Sconosciuta", -1}, {"Nessuna", -1}, {"dono d'emergenza", 9}, {"Mensa", 4}};
        for (const auto& [scritto, atteso] : casi) {
            QVERIFY(apri(d));
            causale->setEditText(scritto);
            if (atteso < 0)
                p.messaggi().attendi(Tipo::Informazione,
                                     "Scegliere una causale tra quelle della lista.");
            QTest::mouseClick(figlio<QPushButton>(d, "btnSelCausaleOk"), Qt::LeftButton);
            QCOMPARE(d.isVisible(), atteso < 0);
            if (atteso > 0)
                QCOMPARE(d.causaleScelta, atteso);
            d.reject();
        }
        QCOMPARE(d.causaleScelta, 4);

        // Enter takes the reason the box completed from the letters typed.
        QVERIFY(apri(d));
        causale->clearEditText();
        QTest::keyClicks(causale, "Ces");
        QTest::keyClick(causale, Qt::Key_Return);
        QCOMPARE(d.result(), QDialog::Accepted);
        QCOMPARE(d.causaleScelta, 3);
        SENZA_PROBLEMI(p);
    }

    // ---- beneficiary picker ----

    // Guards the search, the choice of each way of closing (OK, Anonimo through the real
    // modal run, Annulla, OK on an empty list refused) and the shared beneficiaries' list
    // left unfiltered and free of the dialog's search after every close.
    void selNom() {
        ProgrammaProva p(DATI);
        TdmDati& dati = p.dati();
        TfrmSelNom d(dati, p.messaggi());
        QVERIFY(apri(d));
        auto* cerca = figlio<QLineEdit>(d, "edtSelNomCerca");
        auto* lista = figlio<QTableView>(d, "grNominativi");
        const auto chiuso = [&] {
            return !d.isVisible() && !dati.tblNominativi.filtrato() &&
                   dati.cercaAttivo.data() != cerca && dati.tblNominativi.conteggio() == 4;
        };
        QCOMPARE(QApplication::focusWidget(), cerca);
        QCOMPARE(elenco(lista).value(0), "BIANCHI|Luca|Pisa");
        QCOMPARE(lista->currentIndex().row(), 0);

        QTest::keyClicks(cerca, "oss");
        QCOMPARE(elenco(lista), QStringList({"ROSSI|Mario|Roma", "ROSSINI|Anna|Roma"}));
        lista->setCurrentIndex(lista->model()->index(1, 0));
        QTest::keyClick(cerca, Qt::Key_Return);
        QCOMPARE(d.result(), QDialog::Accepted);
        QCOMPARE(d.nominativoScelto, 33);
        QVERIFY(chiuso());

        Messaggi modale;
        QTimer::singleShot(0, &d, [&] {
            QTest::keyClicks(cerca, "verdi");
            QTest::mouseClick(figlio<QPushButton>(d, "btnAnonimo"), Qt::LeftButton);
        });
        QCOMPARE(modale.esegui(d), TfrmSelNom::Anonimo);
        QCOMPARE(d.nominativoScelto, 0);
        QVERIFY(chiuso());

        d.nominativoScelto = 31;
        QVERIFY(apri(d));
        QCOMPARE(cerca->text(), "");
        QTest::keyClicks(cerca, "zzz");
        QVERIFY(elenco(lista).isEmpty());
        p.messaggi().attendi(Tipo::Informazione,
                             "Nessun nominativo selezionato: cambiare la ricerca o premere "
                             "Anonimo.");
        QTest::mouseClick(figlio<QPushButton>(d, "btnSelNomOk"), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QTest::mouseClick(figlio<QPushButton>(d, "btnSelNomAnnulla"), Qt::LeftButton);
        QCOMPARE(d.result(), QDialog::Rejected);
        QCOMPARE(d.nominativoScelto, 31);
        QVERIFY(chiuso());
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestDialoghi)
#include "tst_dialoghi.moc"
