// The "Struttura caritativa" card of the "Utilità" tab, stored in datiAzienda.

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
    // States, tab guard, Escape, a failed write keeping the text, the province in capitals.
    void modifica() {
        ProgrammaProva p;
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
