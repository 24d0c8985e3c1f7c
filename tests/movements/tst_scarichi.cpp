// The "Scarichi" tab: what is particular to distributions; the workflow shared with receipts
// is checked in tst_carichi.

#include "AzioniDialoghi.h"

#include <QComboBox>
#include <QImage>
#include <QTableView>

namespace {
using Tipo = Messaggi::Tipo;

const QStringList BASE = {
    "INSERT INTO articoli (ID, descr, agea, um_id, giacenza) VALUES "
    "(1, 'PASTA', 1, 1, 10), (2, 'RISO', 0, 1, 20)",
    "INSERT INTO nominativi (ID, cognome, nome, numFamiliari) VALUES "
    "(1, 'ROSSI', 'Anna', 4), (2, 'VERDI', 'Ugo', 2)",
};

const QString OGGI = QDate::currentDate().toString("yyyy-MM-dd");

bool inModifica(const ProgrammaProva& p) {
    return p.stato({"edtScaNrDocumento", "btnScaConferma", "btnScar_AggiungiArticolo"},
                   {"grScarichiMast", "cbxScaMese", "btnScaNuovo"}) == "modifica";
}

// The colour at the left edge of the "N.Dest." cell of list row `riga`.
QColor coloreDestinatari(const ProgrammaProva& p, int riga) {
    auto* vista = p.trova<QTableView>("grScarichiMast");
    const QAbstractItemModel* modello = vista->model();
    for (int c = 0; c < modello->columnCount(); ++c) {
        if (!vista->isColumnHidden(c) &&
            modello->headerData(c, Qt::Horizontal).toString() == "N.Dest.") {
            const QRect r = vista->visualRect(modello->index(riga, c));
            return vista->viewport()->grab().toImage().pixelColor(r.left() + 1, r.center().y());
        }
    }
    return {};
}
} // namespace

class TestScarichi : public QObject {
    Q_OBJECT

private slots:
    // Guards Nuovo: the next number after the highest (7 and 12 give 13); a reason serving
    // nobody asks no beneficiary, count 0 and locked, Conferma taking it without declaration;
    // a delivery to a beneficiary gets today, the household size, the log block; a change of
    // reason in the card clears beneficiary and count at once.
    void nuovoECausali() {
        ProgrammaProva p(BASE +
                         QStringList{"INSERT INTO scarichi_mast (data, nrDocumento, causali_id, "
                                     "nrBeneficiati) VALUES ('2024-01-10', 12, 2, 0), "
                                     "('2024-01-11', 7, 2, 0)"});
        const QString nuovo = "SELECT nrDocumento, data, nominativi_id, causali_id, nrBeneficiati "
                              "FROM scarichi_mast WHERE ID = (SELECT MAX(ID) FROM scarichi_mast)";
        QVERIFY(p.vaiScheda("tsScarichi"));
        azioni::causale(p, "Eliminazione per scadenza");
        QVERIFY(p.clicca("btnScaNuovo"));
        QVERIFY(p.abilitati({"btnScaNom", "edtScaNrBeneficiati"}, false));
        azioni::articolo(p, "pasta", "1");
        QVERIFY(p.clicca("btnScar_AggiungiArticolo"));
        QVERIFY(p.clicca("btnScaConferma"));
        QVERIFY(!inModifica(p));
        QCOMPARE(p.righe(nuovo), QStringList{"13|" + OGGI + "|0|2|0"});
        QCOMPARE(p.valore("SELECT COUNT(*) FROM allegati9").toInt(), 0);

        azioni::causale(p, "Consegna a indigenti");
        azioni::nominativo(p, "ROSSI");
        QVERIFY(p.clicca("btnScaNuovo"));
        QCOMPARE(p.righe(nuovo), QStringList{"14|" + OGGI + "|1|1|4"});
        QVERIFY(inModifica(p));
        QVERIFY(p.abilitati({"btnScaNom", "edtScaNrBeneficiati"}, true));
        QCOMPARE(p.testo("txtScaCognome"), "ROSSI");
        const QString log = p.cartella().righeLog().join('\n');
        for (const char* riga : {"About to Append: CanModify=true", "Appended",
                                 "About to Post: State=", "Posted: newId=4"})
            QVERIFY2(log.contains(riga), riga);

        azioni::scegli(p.trova<QComboBox>("luCausale"), "Eliminazione per scadenza");
        QCOMPARE(p.righe(nuovo), QStringList{"14|" + OGGI + "|0|2|0"});
        QVERIFY(p.abilitati({"btnScaNom", "edtScaNrBeneficiati"}, false));
        QCOMPARE(p.testo("edtScaNrBeneficiati"), "0");
        azioni::scegli(p.trova<QComboBox>("luCausale"), "Mensa");
        QVERIFY(p.abilitati({"btnScaNom"}, false));
        QVERIFY(p.abilitati({"edtScaNrBeneficiati"}, true));
        azioni::scegli(p.trova<QComboBox>("luCausale"), "Consegna a indigenti");
        QVERIFY(p.abilitati({"btnScaNom", "edtScaNrBeneficiati"}, true));
        SENZA_PROBLEMI(p);
    }

    // Guards the anonymous delivery: number 1 in an empty table, its "N.Dest." cell marked,
    // the card's keyboard, Conferma refused until a valid count is typed; then the lines
    // merged, the day's declaration added, no opening stock changed; "..." storing another
    // beneficiary and household size at once, the checks of Conferma in their order.
    void anonimoEModifica() {
        ProgrammaProva p(BASE);
        QVERIFY(p.vaiScheda("tsScarichi"));
        azioni::causale(p, "Consegna a indigenti");
        azioni::nominativo(p, QString());
        QVERIFY(p.clicca("btnScaNuovo"));
        QCOMPARE(p.righe("SELECT nrDocumento, nominativi_id, nrBeneficiati FROM scarichi_mast"),
                 QStringList{"1|0|0"});
        QCOMPARE(coloreDestinatari(p, 0), QColor(Qt::red));

        azioni::articolo(p, "pasta", "2");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        azioni::articolo(p, "pasta", "0,5");
        QTest::keyClick(&p.main(), Qt::Key_F5);

        // The Tab round: the lines one stop, never out of the card; Escape leaves it open.
        p.trova("edtScaNrBeneficiati")->setFocus();
        const QStringList giro = p.giroTab(true);
        QVERIFY2(giro.contains("btnScaConferma") && giro.count("grScarichiDett") == 1 &&
                     giro.last() == "edtScaNrBeneficiati",
                 qPrintable(giro.join(' ')));
        for (const QString& nome : giro)
            QVERIFY2(p.trova("pnlScaRight")->isAncestorOf(p.trova(nome)), qPrintable(nome));
        p.tasto(Qt::Key_Escape);
        QVERIFY(inModifica(p));

        p.messaggi().attendi(Tipo::Informazione, "Il numero di destinatari non può essere 0 per "
                                                 "la causale Consegna a indigenti");
        QVERIFY(p.clicca("btnScaConferma"));
        QVERIFY(inModifica(p));
        QCOMPARE(p.valore("SELECT COUNT(*) FROM allegati9").toInt(), 0);

        for (const char* scritto : {"-5", "1.5"}) {
            QVERIFY(p.sostituisci("edtScaNrBeneficiati", scritto));
            p.messaggi().attendi(Tipo::Informazione, "Il numero di destinatari non è corretto.");
            QVERIFY(p.clicca("btnScaConferma"));
        }
        QVERIFY(p.sostituisci("edtScaNrBeneficiati", "3"));
        QVERIFY(p.clicca("btnScaConferma"));
        QVERIFY(!inModifica(p));
        QCOMPARE(p.righe("SELECT nrBeneficiati FROM scarichi_mast"), QStringList{"3"});
        QCOMPARE(p.righe("SELECT articoli_id, qta FROM scarichi_dett"), QStringList{"1|2.5"});
        QCOMPARE(p.righe("SELECT data, anno, numero FROM allegati9"),
                 QStringList{OGGI + "|" + OGGI.left(4) + "|1"});
        QCOMPARE(p.righe("SELECT giacenza FROM articoli ORDER BY ID"), QStringList({"10", "20"}));
        QVERIFY(coloreDestinatari(p, 0) != QColor(Qt::red));

        QVERIFY(p.clicca("btnScaModifica"));
        azioni::nominativo(p, "VERDI");
        QVERIFY(p.clicca("btnScaNom"));
        QCOMPARE(p.righe("SELECT nominativi_id, nrBeneficiati FROM scarichi_mast"),
                 QStringList{"2|2"});
        QCOMPARE(p.testo("txtScaCognome") + " " + p.testo("txtScaNome"), "VERDI Ugo");
        QVERIFY(p.sostituisci("edtScaNrDocumento", ""));
        QVERIFY(p.sostituisci("edtScaData", "ieri"));
        p.messaggi().attendi(Tipo::Informazione, "Il numero di documento non è corretto.");
        QVERIFY(p.clicca("btnScaConferma"));
        QVERIFY(p.sostituisci("edtScaNrDocumento", "8"));
        p.messaggi().attendi(Tipo::Informazione, "La data del documento non è corretta.");
        QVERIFY(p.clicca("btnScaConferma"));
        QVERIFY(inModifica(p));
        QVERIFY(p.sostituisci("edtScaData", QDate::currentDate().toString("dd/MM/yyyy")));
        QVERIFY(p.clicca("btnScaConferma"));
        QCOMPARE(p.righe("SELECT nrDocumento, data FROM scarichi_mast"), QStringList{"8|" + OGGI});

        // Nuovo cancelled at the reason or at the beneficiary creates nothing.
        azioni::annulla(p);
        QVERIFY(p.clicca("btnScaNuovo"));
        azioni::causale(p, "Consegna a indigenti");
        azioni::annulla(p);
        QVERIFY(p.clicca("btnScaNuovo"));
        QCOMPARE(p.valore("SELECT COUNT(*) FROM scarichi_mast").toInt(), 1);
        SENZA_PROBLEMI(p);
    }

    // Guards the declarations after F6 and F5 without Modifica: the only AGEA line of 30
    // November removed renumbers 1 December, added again puts both back, each time warned.
    void righeSenzaModifica() {
        ProgrammaProva p(
            BASE + QStringList{"INSERT INTO scarichi_mast (ID, data, nrDocumento, nominativi_id, "
                               "causali_id, nrBeneficiati) VALUES (1, '2025-11-29', 1, 1, 1, 4), "
                               "(2, '2025-11-30', 2, 1, 1, 4), (3, '2025-12-01', 3, 1, 1, 4)",
                               "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES "
                               "(1, 1, 1), (2, 1, 2), (2, 2, 1), (3, 1, 1)"});
        const QString dichiarazioni = "SELECT data || ' ' || numero FROM allegati9 ORDER BY data";
        const QStringList tutte = {"2025-11-29 1", "2025-11-30 2", "2025-12-01 3"};
        QCOMPARE(p.righe(dichiarazioni), tutte);
        QVERIFY(p.vaiScheda("tsScarichi"));
        azioni::scegli(p.trova<QComboBox>("cbxScaMese"), "Novembre 2025");
        QVERIFY(p.cliccaRiga("grScarichiMast", 1));
        QVERIFY(p.rigaCorrente("grScarichiDett").startsWith("PASTA|"));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo PASTA dal presente scarico?");
        p.messaggi().attendi(Tipo::Informazione, {});
        QTest::keyClick(&p.main(), Qt::Key_F6);
        QCOMPARE(p.righe(dichiarazioni), QStringList({"2025-11-29 1", "2025-12-01 2"}));

        azioni::articolo(p, "pasta", "2");
        p.messaggi().attendi(Tipo::Informazione, {});
        QTest::keyClick(&p.main(), Qt::Key_F5);
        QCOMPARE(p.righe(dichiarazioni), tutte);
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestScarichi)
#include "tst_scarichi.moc"
