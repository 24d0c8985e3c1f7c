// The "Struttura caritativa" group of the "Utilità" tab: the organisation's data edited as a
// card and stored in datiAzienda, as the next Annex 9 declaration prints it.

#include "ProgrammaProva.h"

#include <QtTest>

namespace {
const QStringList CASELLE = {"edtAz_ragsoc", "edtAz_via",     "edtAz_cap",
                             "edtAz_citta",  "edtAz_prov",    "edtAz_telefono",
                             "edtAz_email",  "edtAz_codfisc", "edtAz_piva"};
const QString AZIENDA =
    "SELECT ragsoc, via, cap, citta, prov, telefono, email, codfisc, piva FROM datiAzienda";
const QString NUOVI = "Caritas Diocesana di Torino|Via Arcivescovado 12|10121|Torino|TO|"
                      "011 5156300|caritas@torino.example|97512340015|09876543210";

// "modifica" while the card is open, "consultazione" while it is closed.
QString stato(const ProgrammaProva& p) {
    return p.stato(CASELLE + QStringList{"btnAzConferma", "btnAzAnnulla"}, {"btnAzModifica"});
}
// Types `valori` into the boxes, the province in small letters; returns what they show.
QString scrivi(ProgrammaProva& p, const QString& valori) {
    const QStringList testi = valori.split('|');
    QStringList mostrati;
    for (int i = 0; i < CASELLE.size(); ++i) {
        p.sostituisci(CASELLE[i], i == 4 ? testi[i].toLower() : testi[i]);
        mostrati << p.testo(CASELLE[i]);
    }
    return mostrati.join('|');
}
} // namespace

class TestStrutturaCaritativa : public QObject {
    Q_OBJECT

private slots:
    // Guards the card's states and tab guard, Annulla, a failed write keeping what was
    // typed, the province in capitals and the data on the declaration.
    void modificaEStampa() {
        ProgrammaProva p(
            {"INSERT INTO articoli (ID, descr, agea, um_id) VALUES (1, 'PASTA', 1, 1)",
             "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, "
             "causali_id, nrBeneficiati) VALUES (1, '2013-03-01', 1, 1, 1, 3)",
             "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 9)"});
        QVERIFY(p.vaiScheda("tsUtilita"));
        const QStringList prima = p.righe(AZIENDA);
        QCOMPARE(stato(p), "consultazione");
        QVERIFY(p.clicca("btnAzModifica"));
        QCOMPARE(stato(p), "modifica");
        QVERIFY(!p.vaiScheda("tsMenu"));
        QCOMPARE(scrivi(p, NUOVI), NUOVI);
        // Escape in the open boxes gives up what was typed, as Annulla does.
        p.tasto(Qt::Key_Escape);
        QCOMPARE(stato(p), "consultazione");
        QCOMPARE(p.righe(AZIENDA), prima);

        p.esegui("CREATE TRIGGER blocco BEFORE UPDATE ON datiAzienda "
                 "BEGIN SELECT RAISE(ABORT, 'bloccato'); END");
        QVERIFY(p.clicca("btnAzModifica"));
        scrivi(p, NUOVI);
        p.messaggi().attendi(Messaggi::Tipo::Errore, {});
        QVERIFY(p.clicca("btnAzConferma"));
        QVERIFY(p.messaggi().mostrati().last().startsWith(
            "errore: Impossibile registrare i dati della struttura.\nbloccato"));
        QCOMPARE(stato(p), "modifica");
        QCOMPARE(p.righe(AZIENDA), prima);
        p.esegui("DROP TRIGGER blocco");
        QVERIFY(p.clicca("btnAzConferma"));
        QVERIFY(!p.main().inModifica);
        QCOMPARE(p.righe(AZIENDA), QStringList{NUOVI});

        QVERIFY(p.vaiScheda("tsAllegato9"));
        p.messaggi().attendi(Messaggi::Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.");
        const QString stampa = p.stampa("btnAll9Stampa");
        for (const char* atteso : {"Caritas Diocesana di Torino", "Torino (TO)", "Arcivescovado"})
            QVERIFY2(stampa.contains(atteso), atteso);
        SENZA_PROBLEMI(p);
    }

    // Guards a table without its row: Annulla leaves it empty, Conferma stores one.
    void senzaRiga() {
        ProgrammaProva p({"DELETE FROM datiAzienda"});
        QVERIFY(p.vaiScheda("tsUtilita"));
        for (const char* fine : {"btnAzAnnulla", "btnAzConferma"}) {
            QVERIFY(p.clicca("btnAzModifica"));
            scrivi(p, NUOVI);
            QVERIFY(p.clicca(fine));
        }
        QCOMPARE(p.righe(AZIENDA), QStringList{NUOVI});
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestStrutturaCaritativa)
#include "tst_strutturacaritativa.moc"
