// The movement dialogs, each created once and shown again as the program does.

#include "Datamodule.h"
#include "ProgrammaProva.h"
#include "TfrmNewCar.h"
#include "TfrmSelArt.h"
#include "TfrmSelCausale.h"
#include "TfrmSelNom.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

// Listed by description: LATTE, OLIO D'OLIVA (no code), PASSATA, PASTA.
const QStringList DATI = {
    "INSERT INTO articoli (ID, codint, descr, agea, um_id) VALUES (11, '0', 'PASTA DI SEMOLA', 1, "
    "1), (12, NULL, 'OLIO D''OLIVA', 0, 3), (13, '0', 'LATTE UHT', 1, 3), "
    "(14, '0', 'PASSATA DI POMODORO', 0, 8)",
    "INSERT INTO fornitori (ID, ragsoc) VALUES (21, 'COOP'), (22, 'BANCO ALIMENTARE')",
    "INSERT INTO nominativi (ID, cognome, nome, citta) VALUES (31, 'ROSSI', 'Mario', 'Roma'), "
    "(32, 'BIANCHI', 'Luca', 'Pisa'), (33, 'ROSSINI', 'Anna', 'Roma'), (34, 'VERDI', 'Ugo', "
    "'Lucca')",
    "INSERT INTO lstCausali (ID, descr) VALUES (0, 'Nessuna'), (9, 'Dono d''emergenza'), "
    "(8, 'Scambio')"};

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
    // Guards the article picker: search, arrows, unit, up-down limits, the quantity and
    // article checks, Enter closing only when pressed here, each show starting over.
    void selArt() {
        ProgrammaProva p(DATI);
        TfrmSelArt d(p.dati(), p.messaggi());
        d.show();
        auto* descr = d.findChild<QLineEdit*>("edtSelArt_Descr");
        auto* qta = d.findChild<QLineEdit*>("edtSelArt_Qta");
        auto* lista = d.findChild<QTableView*>("grArticoli");
        scrivi(descr, "d'oliva"); // other capitals, an apostrophe, an article without a code
        QCOMPARE(elenco(lista), QStringList{"OLIO D'OLIVA"});
        scrivi(descr, "");
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(descr, Qt::Key_Down);
        QTest::keyClick(qta, Qt::Key_Down); // already on the last article
        QTest::keyClick(qta, Qt::Key_Up);
        QCOMPARE(lista->currentIndex().row(), 2);
        QCOMPARE(d.findChild<QLabel*>("DBText1")->text(), "lattine");

        const std::tuple<const char*, const char*, int, const char*> passi[] = {
            {"1", "UpDown1_Giu", 3, "0"},
            {"99", "UpDown1_Su", 2, "100"},
            {"2,5", "UpDown1_Su", 1, "3,5"}};
        for (const auto& [scritto, freccia, volte, atteso] : passi) {
            scrivi(qta, scritto);
            for (int i = 0; i < volte; ++i)
                QTest::mouseClick(d.findChild<QToolButton*>(freccia), Qt::LeftButton);
            QCOMPARE(qta->text(), atteso);
        }
        for (const char* scritto : {"0", "due", "2.5", "1e5"}) {
            p.messaggi().attendi(Tipo::Informazione, "Inserire una quantità corretta");
            scrivi(qta, scritto);
            QTest::keyClick(descr, Qt::Key_Return);
            QVERIFY(d.isVisible());
        }
        // An Enter pressed on a message box closes nothing on its release.
        scrivi(qta, "1");
        QTest::keyRelease(qta, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QTest::mouseClick(d.findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QCOMPARE(d.articoloScelto(), 14); // PASSATA DI POMODORO

        d.show();
        scrivi(qta, "1");
        scrivi(descr, "zzz");
        p.messaggi().attendi(Tipo::Informazione,
                             "Nessun articolo selezionato: cambiare la ricerca o premere Annulla.");
        QTest::keyClick(descr, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QTest::mouseClick(d.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        for (const auto& [scritto, atteso] :
             {std::pair("-2", -2.0), {"1.500", 1500.0}, {"12.000,50", 12000.5}}) {
            d.show();
            QCOMPARE(descr->text() + '|' + qta->text(), "|0");
            QCOMPARE(elenco(lista).size(), 4);
            scrivi(qta, scritto);
            QTest::keyClick(qta, Qt::Key_Return);
            QCOMPARE(d.quantitaScelta(), atteso);
            QCOMPARE(d.articoloScelto(), 13); // LATTE UHT, the first of the list
        }
        SENZA_PROBLEMI(p);
    }

    // Guards the new receipt: the two checks; date and number reset, supplier kept and the
    // suppliers read again on each show.
    void newCar() {
        ProgrammaProva p(DATI);
        TfrmNewCar d(p.dati(), p.messaggi());
        d.show();
        auto* fornitore = d.findChild<QComboBox*>("edtNewCar_forId");
        auto* data = d.findChild<QDateEdit*>("edtNewCar_data");
        auto* numero = d.findChild<QLineEdit*>("edtNewCar_docNum");
        p.messaggi().attendi(Tipo::Informazione, "Scegliere un fornitore.");
        QTest::keyClick(numero, Qt::Key_Return);
        QVERIFY(d.isVisible());

        fornitore->setCurrentIndex(fornitore->findText("COOP"));
        p.messaggi().attendi(Tipo::Informazione, "Inserire un numero di documento");
        scrivi(numero, "  ");
        QTest::mouseClick(d.findChild<QPushButton*>("btnNewCarOk"), Qt::LeftButton);
        QVERIFY(d.isVisible());
        scrivi(numero, "B 12/a");
        data->setDate(QDate(2024, 3, 5));
        QTest::keyClick(numero, Qt::Key_Return);
        QCOMPARE(d.result(), QDialog::Accepted);

        p.esegui("INSERT INTO fornitori (ID, ragsoc) VALUES (23, 'ALDI')");
        d.show();
        QCOMPARE(fornitore->currentText(), "COOP");
        QCOMPARE(fornitore->findText("ALDI"), 0);
        QCOMPARE(data->date(), QDate::currentDate());
        QCOMPARE(numero->text(), "");
        SENZA_PROBLEMI(p);
    }

    // Guards the reason: ID order without reason 0, typed or completed reasons looked up,
    // unknown ones and reason 0 refused.
    void selCausale() {
        ProgrammaProva p(DATI);
        TfrmSelCausale d(p.dati(), p.messaggi());
        d.show();
        auto* causale = d.findChild<QComboBox*>("cbxCausale");
        QVERIFY(causale->findText("Scambio") == causale->count() - 2);
        QCOMPARE(causale->findText("Nessuna"), -1);
        QTest::keyClick(causale, Qt::Key_Return);
        QCOMPARE(d.causaleScelta, 1);

        auto* ok = d.findChild<QPushButton*>("btnSelCausaleOk");
        d.show();
        for (const char* scritto : {"Sconosciuta", "Nessuna"}) {
            p.messaggi().attendi(Tipo::Informazione,
                                 "Scegliere una causale tra quelle della lista.");
            causale->setEditText(scritto);
            QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(d.isVisible());
        }
        causale->setEditText("dono d'emergenza");
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(d.causaleScelta, 9);

        d.show();
        causale->clearEditText();
        QTest::keyClicks(causale, "Ces");
        QTest::keyClick(causale, Qt::Key_Return);
        QCOMPARE(d.causaleScelta, 3);
        SENZA_PROBLEMI(p);
    }

    // Guards the beneficiary picker: the search, each way of closing, the shared list left
    // unfiltered and free of the dialog's search.
    void selNom() {
        ProgrammaProva p(DATI);
        TdmDati& dati = p.dati();
        TfrmSelNom d(dati, p.messaggi());
        d.show();
        auto* cerca = d.findChild<QLineEdit*>("edtSelNomCerca");
        auto* lista = d.findChild<QTableView*>("grNominativi");
        const auto chiuso = [&] {
            return !d.isVisible() && !dati.tblNominativi.filtrato() &&
                   dati.cercaAttivo.data() != cerca && dati.tblNominativi.conteggio() == 4;
        };
        QCOMPARE(elenco(lista).value(0), "BIANCHI|Luca|Pisa");
        QTest::keyClicks(cerca, "oss");
        QCOMPARE(elenco(lista), QStringList({"ROSSI|Mario|Roma", "ROSSINI|Anna|Roma"}));
        lista->setCurrentIndex(lista->model()->index(1, 0));
        QTest::keyClick(cerca, Qt::Key_Return);
        QCOMPARE(d.nominativoScelto, 33);
        QVERIFY(chiuso());

        d.show();
        QTest::keyClicks(cerca, "verdi");
        QTest::mouseClick(d.findChild<QPushButton*>("btnAnonimo"), Qt::LeftButton);
        QCOMPARE(d.result(), TfrmSelNom::Anonimo);
        QCOMPARE(d.nominativoScelto, 0);
        QVERIFY(chiuso());

        d.nominativoScelto = 31;
        d.show();
        QTest::keyClicks(cerca, "zzz");
        p.messaggi().attendi(Tipo::Informazione,
                             "Nessun nominativo selezionato: cambiare la ricerca o premere "
                             "Anonimo.");
        QTest::mouseClick(d.findChild<QPushButton*>("btnSelNomOk"), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QTest::mouseClick(d.findChild<QPushButton*>("btnSelNomAnnulla"), Qt::LeftButton);
        QCOMPARE(d.nominativoScelto, 31);
        QVERIFY(chiuso());
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestDialoghi)
#include "tst_dialoghi.moc"
