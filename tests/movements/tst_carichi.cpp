// The "Carichi" tab; the workflow shared with "Scarichi" (PaginaMovimenti) is checked here.

#include "AzioniDialoghi.h"

#include <QComboBox>

namespace {
using Tipo = Messaggi::Tipo;

const QStringList BASE = {
    "INSERT INTO articoli (ID, descr, agea, um_id, giacenza) VALUES "
    "(1, 'PASTA', 1, 1, 10), (2, 'RISO', 0, 1, 20)",
    "INSERT INTO fornitori (ID, ragsoc) VALUES (1, 'AGEA Roma'), (2, 'Coop Sud')",
};

QStringList mesi(const ProgrammaProva& p) {
    auto* cbx = p.trova<QComboBox>("cbxCarMese");
    QStringList voci;
    for (int i = 0; i < cbx->count(); ++i)
        voci << cbx->itemText(i);
    return voci;
}

bool inModifica(const ProgrammaProva& p) {
    return p.stato({"edtCarForID", "btnCarConferma", "btnCar_AggiungiArticolo"},
                   {"grCarichiMast", "cbxCarMese", "btnCarNuovo"}) == "modifica";
}
} // namespace

class TestCarichi : public QObject {
    Q_OBJECT

private slots:
    // Guards the month filter (first and last day in, the next month's first day out, the
    // latest month opened and read alone), the receipt kept across tabs, F5 and F6 on the
    // selected receipt in browse mode (merged at once, F6 asking), F11 on "Start", and the
    // card: changes stored by Conferma, a date that is not one refused, the receipt moved to
    // its new month, printed through the report host.
    void meseSchedaEStampa() {
        ProgrammaProva p(
            BASE + QStringList{
                       "INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id) VALUES "
                       "(1, '2024-03-01', 'A1', 1), (2, '2024-03-31', 'A2', 2), (3, '2024-04-01', "
                       "'A3', 1), "
                       "(4, '2024-06-10', 'A4', 1)",
                       "INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES (4, 1, 12)"});
        QCOMPARE(p.dati().tblCarichi_mast.conteggio(), 1);
        QVERIFY(p.vaiScheda("tsCarichi"));
        auto* mese = p.trova<QComboBox>("cbxCarMese");
        QCOMPARE(mesi(p), QStringList({"Marzo 2024", "Aprile 2024", "Maggio 2024", "Giugno 2024"}));
        QCOMPARE(mese->currentText(), "Giugno 2024");
        QCOMPARE(p.elenco("grCarichiMast"), QStringList{"A4|10/06/2024|AGEA Roma"});
        mese->setCurrentText("Maggio 2024");
        QCOMPARE(p.elenco("grCarichiMast"), QStringList());
        mese->setCurrentText("Marzo 2024");
        QCOMPARE(p.elenco("grCarichiMast"),
                 QStringList({"A1|01/03/2024|AGEA Roma", "A2|31/03/2024|Coop Sud"}));
        QVERIFY(p.cliccaRiga("grCarichiMast", 1));
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(p.vaiScheda("tsCarichi"));
        QCOMPARE(mese->currentText(), "Marzo 2024");
        QCOMPARE(p.rigaCorrente("grCarichiMast"), "A2|31/03/2024|Coop Sud");

        azioni::articolo(p, "riso", "4");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        azioni::articolo(p, "riso", "1,5");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        const QString righeA2 = "SELECT articoli_id, qta FROM carichi_dett WHERE master_id = 2";
        QCOMPARE(p.righe(righeA2), QStringList{"2|5.5"});
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo RISO dal presente carico?", false);
        QTest::keyClick(&p.main(), Qt::Key_F6);
        QCOMPARE(p.righe(righeA2).size(), 1);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo RISO dal presente carico?");
        QTest::keyClick(&p.main(), Qt::Key_F6);
        QCOMPARE(p.righe(righeA2), QStringList());

        QVERIFY(p.vaiScheda("tsMenu"));
        azioni::annulla(p);
        QTest::keyClick(&p.main(), Qt::Key_F11);
        QCOMPARE(p.schedaAttiva(), "tsCarichi");
        QCOMPARE(p.valore("SELECT COUNT(*) FROM carichi_mast").toInt(), 4);

        mese->setCurrentText("Giugno 2024");
        QVERIFY(p.clicca("btnCarModifica"));
        azioni::scegli(p.trova<QComboBox>("edtCarForID"), "Coop Sud");
        QVERIFY(p.sostituisci("edtCarNrDocumento", "A4 bis"));
        QVERIFY(p.sostituisci("edtCarData", "31/04/2024"));
        p.messaggi().attendi(Tipo::Informazione, "La data del documento non è corretta.");
        QVERIFY(p.clicca("btnCarConferma"));
        QVERIFY(inModifica(p));
        QVERIFY(p.sostituisci("edtCarData", "02/05/2024"));
        QVERIFY(p.clicca("btnCarConferma"));
        QVERIFY(!inModifica(p));
        QCOMPARE(p.righe("SELECT data, nrDocumento, fornitore_id FROM carichi_mast WHERE ID = 4"),
                 QStringList{"2024-05-02|A4 bis|2"});
        QCOMPARE(mese->currentText(), "Maggio 2024");
        QCOMPARE(p.rigaCorrente("grCarichiMast"), "A4 bis|02/05/2024|Coop Sud");

        p.messaggi().attendi(Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.");
        const QString testo = p.stampa("btnCarStampa");
        QVERIFY2(testo.contains("A4 bis") && testo.contains("PASTA"), qPrintable(testo));
        QCOMPARE(p.valore("SELECT Stampa_Carico_ID FROM parametri").toString(), "4");
        SENZA_PROBLEMI(p);
    }

    // Guards the checks before Nuovo (no articles, then no suppliers) and the first receipt:
    // listed under its own month, opened for editing, its lines of one article merged at
    // Conferma, no opening stock changed; a later receipt becomes the one edited.
    void primoCaricoELeSueRighe() {
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsCarichi"));
        QVERIFY(p.abilitati({"btnCarModifica", "btnCarStampa"}, false));
        p.messaggi().attendi(Tipo::Informazione, "Non ci sono articoli.");
        QVERIFY(p.clicca("btnCarNuovo"));
        p.esegui(BASE[0]);
        p.dati().tblArticoli.rinfresca();
        p.messaggi().attendi(Tipo::Informazione, "Non ci sono fornitori");
        QVERIFY(p.clicca("btnCarNuovo"));
        p.esegui(BASE[1]);
        p.dati().tblFornitori.rinfresca();

        azioni::nuovoCarico(p, "Coop Sud", QDate(2024, 2, 29), "DDT 7");
        QVERIFY(p.clicca("btnCarNuovo"));
        QCOMPARE(p.righe("SELECT data, nrDocumento, fornitore_id FROM carichi_mast"),
                 QStringList{"2024-02-29|DDT 7|2"});
        QCOMPARE(mesi(p), QStringList{"Febbraio 2024"});
        QCOMPARE(p.rigaCorrente("grCarichiMast"), "DDT 7|29/02/2024|Coop Sud");
        QVERIFY(inModifica(p) && p.main().inModifica);

        azioni::articolo(p, "pas", "2");
        QVERIFY(p.clicca("btnCar_AggiungiArticolo"));
        azioni::articolo(p, "pas", "3,5");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        azioni::articolo(p, "riso", "-1");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        QCOMPARE(p.elenco("grCarichiDett").size(), 3);
        QVERIFY(p.clicca("btnCarConferma"));
        QVERIFY(!inModifica(p) && !p.main().inModifica);
        QCOMPARE(p.righe("SELECT articoli_id, qta FROM carichi_dett ORDER BY articoli_id"),
                 QStringList({"1|5.5", "2|-1"}));
        QCOMPARE(p.elenco("grCarichiDett"), QStringList({"PASTA|kg|5,5", "RISO|kg|-1"}));
        QCOMPARE(p.righe("SELECT giacenza FROM articoli ORDER BY ID"), QStringList({"10", "20"}));
        QVERIFY(p.abilitati({"btnCarModifica", "btnCarStampa"}, true));

        azioni::nuovoCarico(p, "AGEA Roma", QDate(2024, 4, 2), "B/2");
        QVERIFY(p.clicca("btnCarNuovo"));
        QCOMPARE(mesi(p), QStringList({"Febbraio 2024", "Marzo 2024", "Aprile 2024"}));
        QCOMPARE(p.rigaCorrente("grCarichiMast"), "B/2|02/04/2024|AGEA Roma");
        QVERIFY(inModifica(p));
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestCarichi)
#include "tst_carichi.moc"
