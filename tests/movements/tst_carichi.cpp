// The "Carichi" tab: receipts listed month by month, a new receipt opened in its own month,
// lines added through the article picker (F5 in browse mode too) and merged at Conferma,
// the opening stock never touched, the checks before Nuovo and the print.
// The workflow shared with "Scarichi" (PaginaMovimenti) is checked here once.

#include "AzioniDialoghi.h"

#include <QComboBox>

namespace {
using Tipo = Messaggi::Tipo;

const QStringList BASE = {
    "INSERT INTO articoli (ID, descr, agea, um_id, giacenza) VALUES "
    "(1, 'PASTA', 1, 1, 10), (2, 'RISO', 0, 1, 20)",
    "INSERT INTO fornitori (ID, ragsoc) VALUES (1, 'AGEA Roma'), (2, 'Coop Sud')",
};

QStringList conCarichi(const QStringList& righe) {
    return BASE + righe;
}

QStringList mesi(const ProgrammaProva& p) {
    auto* cbx = p.trova<QComboBox>("cbxCarMese");
    QStringList voci;
    for (int i = 0; i < cbx->count(); ++i)
        voci << cbx->itemText(i);
    return voci;
}

QString meseScelto(const ProgrammaProva& p) {
    return p.trova<QComboBox>("cbxCarMese")->currentText();
}

bool inModifica(const ProgrammaProva& p) {
    return p.stato({"edtCarForID", "btnCarConferma", "btnCar_AggiungiArticolo"},
                   {"grCarichiMast", "cbxCarMese", "btnCarNuovo"}) == "modifica";
}
} // namespace

class TestCarichi : public QObject {
    Q_OBJECT

private slots:
    // Guards the month filter: both the first and the last day of the month belong to it,
    // the next month's first day does not, and the tab opens on the latest month, the only
    // one read at start.
    void filtroDelMese() {
        ProgrammaProva p(conCarichi({
            "INSERT INTO carichi_mast (data, nrDocumento, fornitore_id) VALUES "
            "('2024-03-01', 'A1', 1), ('2024-03-31', 'A2', 2), ('2024-04-01', 'A3', 1), "
            "('2024-06-10', 'A4', 1)",
        }));
        QCOMPARE(p.dati().tblCarichi_mast.conteggio(), 1);
        QVERIFY(p.vaiScheda("tsCarichi"));
        QCOMPARE(mesi(p), QStringList({"Marzo 2024", "Aprile 2024", "Maggio 2024", "Giugno 2024"}));
        QCOMPARE(meseScelto(p), "Giugno 2024");
        QCOMPARE(p.elenco("grCarichiMast"), QStringList{"A4|10/06/2024|AGEA Roma"});

        p.trova<QComboBox>("cbxCarMese")->setCurrentText("Marzo 2024");
        QCOMPARE(p.elenco("grCarichiMast"),
                 QStringList({"A1|01/03/2024|AGEA Roma", "A2|31/03/2024|Coop Sud"}));
        p.trova<QComboBox>("cbxCarMese")->setCurrentText("Maggio 2024");
        QCOMPARE(p.elenco("grCarichiMast"), QStringList());

        // Back on the tab after another one: the receipt it was on, in its month.
        p.trova<QComboBox>("cbxCarMese")->setCurrentText("Marzo 2024");
        QVERIFY(p.cliccaRiga("grCarichiMast", 1));
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(p.vaiScheda("tsCarichi"));
        QCOMPARE(meseScelto(p), "Marzo 2024");
        QCOMPARE(p.rigaCorrente("grCarichiMast"), "A2|31/03/2024|Coop Sud");
        QVERIFY(p.abilitati({"btnCarModifica", "btnCarStampa"}, true));
        SENZA_PROBLEMI(p);
    }

    // Guards the first receipt of all: listed under its own month, selected, opened for
    // editing; its lines added twice for one article are merged at Conferma, and no
    // article's opening stock changes.
    void primoCaricoELeSueRighe() {
        ProgrammaProva p(BASE);
        QVERIFY(p.vaiScheda("tsCarichi"));
        QVERIFY(mesi(p).isEmpty());
        QVERIFY(p.abilitati({"btnCarModifica", "btnCarStampa"}, false));

        azioni::nuovoCarico(p, "Coop Sud", QDate(2024, 2, 29), "DDT 7");
        QVERIFY(p.clicca("btnCarNuovo"));
        QCOMPARE(p.righe("SELECT data, nrDocumento, fornitore_id FROM carichi_mast"),
                 QStringList{"2024-02-29|DDT 7|2"});
        QCOMPARE(mesi(p), QStringList{"Febbraio 2024"});
        QCOMPARE(p.rigaCorrente("grCarichiMast"), "DDT 7|29/02/2024|Coop Sud");
        QVERIFY(inModifica(p));
        QVERIFY(p.main().inModifica);

        azioni::articolo(p, "pas", "2");
        QVERIFY(p.clicca("btnCar_AggiungiArticolo"));
        azioni::articolo(p, "pas", "3,5");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        azioni::articolo(p, "riso", "-1");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        QCOMPARE(p.elenco("grCarichiDett").size(), 3);
        QVERIFY(p.clicca("btnCarConferma"));
        QVERIFY(!inModifica(p));
        QVERIFY(!p.main().inModifica);
        QCOMPARE(p.righe("SELECT articoli_id, qta FROM carichi_dett ORDER BY articoli_id"),
                 QStringList({"1|5.5", "2|-1"}));
        QCOMPARE(p.elenco("grCarichiDett"), QStringList({"PASTA|kg|5,5", "RISO|kg|-1"}));
        QCOMPARE(p.righe("SELECT giacenza FROM articoli ORDER BY ID"), QStringList({"10", "20"}));
        QVERIFY(p.abilitati({"btnCarModifica", "btnCarStampa"}, true));

        // A second receipt in a later month becomes the one listed and edited.
        azioni::nuovoCarico(p, "AGEA Roma", QDate(2024, 4, 2), "B/2");
        QVERIFY(p.clicca("btnCarNuovo"));
        QCOMPARE(mesi(p), QStringList({"Febbraio 2024", "Marzo 2024", "Aprile 2024"}));
        QCOMPARE(meseScelto(p), "Aprile 2024");
        QCOMPARE(p.rigaCorrente("grCarichiMast"), "B/2|02/04/2024|AGEA Roma");
        QVERIFY(inModifica(p));
        SENZA_PROBLEMI(p);
    }

    // Guards the card: supplier, date and number changed in place are stored by Conferma,
    // the receipt moving to its new month; a date that is not one keeps the card open; the
    // card of the current receipt printed through the report host.
    void modificaDelCarico() {
        ProgrammaProva p(conCarichi(
            {"INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id) "
             "VALUES (5, '2024-03-10', 'A1', 1)",
             "INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES (5, 1, 12)"}));
        QVERIFY(p.vaiScheda("tsCarichi"));
        QVERIFY(p.clicca("btnCarModifica"));
        azioni::scegli(p.trova<QComboBox>("edtCarForID"), "Coop Sud");
        QVERIFY(p.sostituisci("edtCarNrDocumento", "A1 bis"));
        QVERIFY(p.sostituisci("edtCarData", "31/04/2024"));
        p.messaggi().attendi(Tipo::Informazione, "La data del documento non è corretta.");
        QVERIFY(p.clicca("btnCarConferma"));
        QVERIFY(inModifica(p));
        QCOMPARE(p.righe("SELECT data, nrDocumento FROM carichi_mast"),
                 QStringList{"2024-03-10|A1"});

        QVERIFY(p.sostituisci("edtCarData", "02/05/2024"));
        QVERIFY(p.clicca("btnCarConferma"));
        QVERIFY(!inModifica(p));
        QCOMPARE(p.righe("SELECT data, nrDocumento, fornitore_id FROM carichi_mast"),
                 QStringList{"2024-05-02|A1 bis|2"});
        QCOMPARE(meseScelto(p), "Maggio 2024");
        QCOMPARE(p.rigaCorrente("grCarichiMast"), "A1 bis|02/05/2024|Coop Sud");

        p.messaggi().attendi(Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.");
        const QString testo = p.stampa("btnCarStampa");
        QVERIFY2(testo.contains("A1 bis") && testo.contains("PASTA"), qPrintable(testo));
        QCOMPARE(p.valore("SELECT Stampa_Carico_ID FROM parametri").toString(), "5");
        SENZA_PROBLEMI(p);
    }

    // Guards the shortcuts: F5 and F6 work on the selected receipt in browse mode too (the
    // lines merged at once), F6 asks first; F11 on "Start" opens this tab with the new-receipt
    // dialog.
    void tastiRapidi() {
        ProgrammaProva p(conCarichi({
            "INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id) VALUES "
            "(1, '2024-03-10', 'A1', 1), (2, '2024-03-12', 'A2', 1)",
        }));
        QVERIFY(p.vaiScheda("tsCarichi"));
        QVERIFY(p.cliccaRiga("grCarichiMast", 0));
        // No Conferma follows in browse mode: a second line of one article is merged at once.
        azioni::articolo(p, "riso", "4");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        azioni::articolo(p, "riso", "1,5");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        QCOMPARE(p.righe("SELECT master_id, articoli_id, qta FROM carichi_dett"),
                 QStringList{"1|2|5.5"});
        azioni::annulla(p);
        QTest::keyClick(&p.main(), Qt::Key_F5);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo RISO dal presente carico?", false);
        QTest::keyClick(&p.main(), Qt::Key_F6);
        QCOMPARE(p.valore("SELECT COUNT(*) FROM carichi_dett").toInt(), 1);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo RISO dal presente carico?");
        QTest::keyClick(&p.main(), Qt::Key_F6);
        QCOMPARE(p.valore("SELECT COUNT(*) FROM carichi_dett").toInt(), 0);

        QVERIFY(p.vaiScheda("tsMenu"));
        azioni::annulla(p);
        QTest::keyClick(&p.main(), Qt::Key_F11);
        QCOMPARE(p.schedaAttiva(), "tsCarichi");
        QCOMPARE(p.valore("SELECT COUNT(*) FROM carichi_mast").toInt(), 2);
        SENZA_PROBLEMI(p);
    }

    // Guards the checks before the dialog: no articles, then no suppliers.
    void nuovoSenzaAnagrafiche() {
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsCarichi"));
        p.messaggi().attendi(Tipo::Informazione, "Non ci sono articoli.");
        QVERIFY(p.clicca("btnCarNuovo"));
        p.esegui("INSERT INTO articoli (descr) VALUES ('PASTA')");
        p.messaggi().attendi(Tipo::Informazione, "Non ci sono fornitori");
        QVERIFY(p.clicca("btnCarNuovo"));
        QCOMPARE(p.valore("SELECT COUNT(*) FROM carichi_mast").toInt(), 0);
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestCarichi)
#include "tst_carichi.moc"
