// The quick distribution: beneficiary and template chosen in one dialog.

#include "AzioniDialoghi.h"
#include "Datamodule.h"
#include "TfrmQuickSca.h"

#include <QTableView>

namespace {
using Tipo = Messaggi::Tipo;

const QDate OGGI = QDate::currentDate();
const QDate DOMANI = OGGI.addDays(1);

// PASTA and LATTE are AGEA goods; VERDI has a delivery of LATTE tomorrow.
const QStringList BASE = {
    "INSERT INTO articoli (ID, descr, agea, um_id) VALUES (1, 'PASTA', 1, 1), (2, 'RISO', 0, 1), "
    "(3, 'LATTE', 1, 1)",
    "INSERT INTO nominativi (ID, cognome, nome, numFamiliari) VALUES (1, 'ROSSI', 'Anna', 3), "
    "(2, 'VERDI', 'Ugo', 2), (3, 'ROSSINI', 'Lia', NULL)",
    "INSERT INTO cons_mast (ID, descr) VALUES (1, 'Pacco famiglia'), (2, 'Pacco vuoto'), "
    "(3, 'Pacco doppio')",
    "INSERT INTO cons_dett (modelli_id, articoli_id, qta) VALUES (1, 1, 2), (1, 2, 1.5), "
    "(3, 1, 1)",
    "INSERT INTO scarichi_mast (ID, data, nrDocumento, nominativi_id, causali_id, nrBeneficiati) "
    "VALUES (8, '2024-01-10', 12, 0, 2, 0), (9, '" +
        DOMANI.toString(Qt::ISODate) + "', 1, 2, 1, 2)",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (9, 3, 1)"};

struct Visto {
    QString scheda, modello;
};

// `cognome` searched, `modello` chosen, the renumbering warning if `avviso`, `copie` asked.
void veloce(ProgrammaProva& p, const QString& cognome, const QString& modello, const QString& copie,
            Visto* visto, bool avviso = false) {
    p.messaggi().attendiDialogo([=, &p](QDialog& d) {
        d.show();
        *visto = {p.schedaAttiva(), p.dati().tblCons_mast.valore("descr").toString()};
        QTest::keyClicks(d.findChild<QLineEdit*>("edtQuickNomCerca"), cognome);
        p.dati().tblCons_mast.localizza("descr", modello);
        return azioni::premi(d, "Ok");
    });
    if (avviso)
        p.messaggi().attendi(Tipo::Informazione, {});
    p.messaggi().attendiDialogo([=](QDialog& d) {
        d.show();
        return azioni::premi(d, copie);
    });
}

const QString ULTIMO = "(SELECT MAX(ID) FROM scarichi_mast)";

// The recipients and lines of the latest distribution.
QStringList ultimoScarico(const ProgrammaProva& p) {
    return p.righe("SELECT nrBeneficiati FROM scarichi_mast WHERE ID = " + ULTIMO) +
           p.righe("SELECT articoli_id, qta FROM scarichi_dett WHERE master_id = " + ULTIMO +
                   " ORDER BY articoli_id");
}
} // namespace

class TestQuickSca : public QObject {
    Q_OBJECT

private slots:
    // Guards the distribution from the button and F12 (on "Start" opening "Scarichi"):
    // reason 1, family size, today, next number, the template's lines (a repeated article
    // merged, the template left alone), the day's declaration numbered before tomorrow's
    // (warned), the chosen template offered next, the card printed in the copies asked.
    void scaricoDaModello() {
        ProgrammaProva p(BASE);
        QVERIFY(p.vaiScheda("tsScarichi"));
        Visto visto;
        const bool stessoAnno = DOMANI.year() == OGGI.year();
        veloce(p, "ross", "Pacco famiglia", "2 copie", &visto, stessoAnno);
        QVERIFY(p.clicca("btnQuickSca"));
        QCOMPARE(visto.modello, "Pacco famiglia"); // current at start-up
        QCOMPARE(p.righe("SELECT nrDocumento, data, nominativi_id, causali_id FROM scarichi_mast "
                         "WHERE ID = " +
                         ULTIMO),
                 QStringList{"13|" + OGGI.toString(Qt::ISODate) + "|1|1"});
        QCOMPARE(ultimoScarico(p), QStringList({"3", "1|2", "2|1.5"}));
        QCOMPARE(p.righe("SELECT data, numero FROM allegati9 ORDER BY data"),
                 QStringList({OGGI.toString(Qt::ISODate) + "|1",
                              DOMANI.toString(Qt::ISODate) + (stessoAnno ? "|2" : "|1")}));
        QCOMPARE(p.trova<QComboBox>("cbxScaMese")->currentText(), EtichettaMeseAnno(OGGI));
        QVERIFY(p.rigaCorrente("grScarichiMast").startsWith("13|"));
        QCOMPARE(p.stampe().size(), 2);
        QCOMPARE(p.valore("SELECT Stampa_Scarico_ID FROM parametri").toString(),
                 p.valore("SELECT " + ULTIMO).toString());

        QVERIFY(p.vaiScheda("tsMenu"));
        veloce(p, "verdi", "Pacco vuoto", "1 copia", &visto);
        QTest::keyClick(&p.main(), Qt::Key_F12);
        QCOMPARE(visto.scheda, "tsScarichi");
        QCOMPARE(visto.modello, "Pacco famiglia");
        QCOMPARE(ultimoScarico(p), QStringList{"2"});
        QCOMPARE(p.stampe().size(), 3);

        // No household size gives no recipients; a template may repeat an article.
        p.esegui("INSERT INTO cons_dett (modelli_id, articoli_id, qta) VALUES (3, 1, 2)");
        veloce(p, "rossini", "Pacco doppio", "Annulla", &visto);
        QTest::keyClick(&p.main(), Qt::Key_F12);
        QCOMPARE(visto.modello, "Pacco vuoto");
        QCOMPARE(ultimoScarico(p), QStringList({"0", "1|3"}));
        QCOMPARE(p.valore("SELECT COUNT(*) FROM cons_dett WHERE modelli_id = 3").toInt(), 2);
        QCOMPARE(p.stampe().size(), 3);
        SENZA_PROBLEMI(p);
    }

    // Guards what leaves nothing stored: no beneficiaries, no templates, the dialog cancelled,
    // lines that cannot be copied (the header goes back too), a card being edited.
    void nienteDaFare() {
        ProgrammaProva p({BASE[0], BASE[4]});
        QVERIFY(p.vaiScheda("tsScarichi"));
        p.messaggi().attendi(Tipo::Informazione, "Non ci sono nominativi");
        QVERIFY(p.clicca("btnQuickSca"));
        p.esegui(BASE[1]);
        p.messaggi().attendi(Tipo::Informazione, "Non ci sono modelli di consegna.");
        QVERIFY(p.clicca("btnQuickSca"));
        p.esegui(BASE[2]);
        azioni::annulla(p);
        QVERIFY(p.clicca("btnQuickSca"));
        p.esegui(BASE[3]);
        p.esegui("CREATE TRIGGER rifiuta BEFORE INSERT ON scarichi_dett BEGIN "
                 "SELECT RAISE(ABORT, 'rifiutata'); END");
        p.dati().tblNominativi.rinfresca();
        p.messaggi().attendiDialogo([](QDialog& d) {
            d.show();
            return azioni::premi(d, "Ok");
        });
        p.messaggi().attendi(Tipo::Errore, {});
        QVERIFY(p.clicca("btnQuickSca"));
        QVERIFY(p.clicca("btnScaModifica"));
        QTest::keyClick(&p.main(), Qt::Key_F12);
        QCOMPARE(p.valore("SELECT COUNT(*) FROM scarichi_mast").toInt(), 2);
        SENZA_PROBLEMI(p);
    }

    // Guards the dialog's keys (Up/Down move the beneficiaries but in the templates list,
    // Enter closes on its own press only), OK refused on an empty list, the list unfiltered.
    void tastiDelDialogo() {
        ProgrammaProva p(BASE);
        TdmDati& dati = p.dati();
        TfrmQuickSca d(dati, p.messaggi());
        d.show();
        auto* cerca = d.findChild<QLineEdit*>("edtQuickNomCerca");
        auto* nominativi = d.findChild<QTableView*>("grQuickNominativi");
        auto* modelli = d.findChild<QTableView*>("grQuickModCons");
        dati.tblNominativi.primo();
        QTest::keyClick(nominativi, Qt::Key_Down);
        QCOMPARE(nominativi->currentIndex().row(), 1);
        QTest::keyClicks(cerca, "OSS");
        QCOMPARE(dati.tblNominativi.conteggio(), 2);
        QTest::keyClick(cerca, Qt::Key_Down);
        QCOMPARE(nominativi->currentIndex().row(), 1);
        QTest::keyClick(modelli, Qt::Key_Down);
        QCOMPARE(modelli->currentIndex().row(), 1);
        QCOMPARE(nominativi->currentIndex().row(), 1);
        QTest::keyRelease(cerca, Qt::Key_Return); // pressed on a message box
        QVERIFY(d.isVisible());
        QTest::keyClick(modelli, Qt::Key_Return);
        QCOMPARE(d.result(), QDialog::Accepted);
        QCOMPARE(d.nominativoScelto, 3);
        QCOMPARE(d.modelloScelto, 2);
        QVERIFY(!dati.tblNominativi.filtrato() && dati.cercaAttivo.isNull());

        d.show();
        QTest::keyClicks(cerca, "zzz");
        p.messaggi().attendi(Tipo::Informazione,
                             "Nessun nominativo selezionato: cambiare la ricerca o premere "
                             "Annulla.");
        QTest::keyClick(cerca, Qt::Key_Return);
        QVERIFY(d.isVisible());
        QVERIFY(azioni::premi(d, "Annulla") == QDialog::Rejected);
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestQuickSca)
#include "tst_quicksca.moc"
