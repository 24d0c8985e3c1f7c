// The "Fornitori" tab: what is particular to suppliers. The workflow shared with the other
// master-data tabs is checked in tst_articoli.

#include "PaginaAnagrafica.h"
#include "ProgrammaProva.h"

#include <QApplication>

namespace {
using Tipo = Messaggi::Tipo;

QString fornitore(const QString& ragsoc, const QString& citta = {}) {
    return QStringLiteral("INSERT INTO fornitori (codfor, ragsoc, citta) VALUES ('F1', '%1', '%2')")
        .arg(ragsoc, citta);
}
} // namespace

class TestFornitori : public QObject {
    Q_OBJECT

private slots:
    // Guards the list by company name in any case, the search in the name (not the town),
    // the delete question, the card printing the current supplier only; each box writing and
    // showing its own column, none taking more than its column holds; every new supplier
    // getting code "0" and empty texts, not nulls, with no check on Conferma.
    void elencoRicercaStampaESchede() {
        const QStringList caselle = {
            "edtForRagsoc",    "edtForVia",          "edtForCap",       "edtForCitta",
            "edtForProv",      "edtForNazione",      "edtForTelefono",  "edtForFax",
            "edtForEmail",     "edtForCodfisc",      "edtForPiva",      "edtForRiferimento1",
            "edtForTelefono1", "edtForRiferimento2", "edtForTelefono2", "edtForRiferimento3",
            "edtForTelefono3"};
        const QStringList valori =
            QString("Banco Alimentare della Lombardia|Via Legnone 4|20158|Milano|MI|Italia|"
                    "02 8920111|02 8920112|info@banco.example.it|97075370151|12345678901|"
                    "Luca Neri|333 1112223|Paola Gatti|333 4445556|Ugo Sala|333 7778889")
                .split('|');
        ProgrammaProva p({fornitore("coop", "Lodi"), fornitore("Banco Alimentare"),
                          fornitore("AGEA"), fornitore("Il banco di Lodi", "San Banco"),
                          fornitore("Caritas", "Banco")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QCOMPARE(p.elenco("grFornitori"),
                 (QStringList{"AGEA|", "Banco Alimentare|", "Caritas|Banco", "coop|Lodi",
                              "Il banco di Lodi|San Banco"}));
        QVERIFY(p.scrivi("edtForCerca", "BANCO"));
        QCOMPARE(p.elenco("grFornitori"),
                 (QStringList{"Banco Alimentare|", "Il banco di Lodi|San Banco"}));
        QCOMPARE(p.testo("edtForRagsoc"), "Banco Alimentare");

        QVERIFY(p.cliccaRiga("grFornitori", 1));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il fornitore Il banco di Lodi?", true);
        p.trova<PaginaAnagrafica>("tsFornitori")->btnEliminaClick();
        QCOMPARE(p.valore("SELECT COUNT(*) FROM fornitori WHERE ragsoc LIKE 'Il banco%'").toInt(),
                 0);

        QVERIFY(p.sostituisci("edtForCerca", "coop"));
        p.messaggi().attendi(Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.", true);
        const QString scheda = p.stampa("btnForStampaScheda");
        QVERIFY2(scheda.contains("coop") && !scheda.contains("Caritas"), qPrintable(scheda));

        QVERIFY(p.clicca("btnForNuovo"));
        for (int i = 0; i < caselle.size(); ++i)
            QVERIFY(p.scrivi(caselle[i], valori[i]));
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(p.righe("SELECT ragsoc, via, cap, citta, prov, nazione, telefono, fax, email, "
                         "codfisc, piva, riferimento1, telefono1, riferimento2, telefono2, "
                         "riferimento3, telefono3 FROM fornitori WHERE codfor = '0'"),
                 QStringList{valori.join('|')});
        QVERIFY(p.cliccaRiga("grFornitori", 0));
        QVERIFY(p.cliccaRiga("grFornitori", 2));
        for (int i = 0; i < caselle.size(); ++i)
            QCOMPARE(p.testo(caselle[i]), valori[i]);

        QVERIFY(p.clicca("btnForModifica"));
        QVERIFY(p.sostituisci("edtForRagsoc", QString(85, 'R')));
        QVERIFY(p.sostituisci("edtForPiva", "1234567890123"));
        QVERIFY(p.sostituisci("edtForProv", "MIL"));
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(p.righe("SELECT ragsoc, piva, prov FROM fornitori WHERE codfor = '0'"),
                 QStringList{QString(80, 'R') + "|12345678901|MI"});

        QVERIFY(p.clicca("btnForNuovo"));
        QCOMPARE(QApplication::focusWidget(), p.trova("edtForRagsoc"));
        QVERIFY(p.clicca("btnForConferma"));
        QVERIFY(!p.main().inModifica);
        const QStringList testi = {"via",          "cap",       "citta",        "prov",
                                   "nazione",      "telefono",  "fax",          "email",
                                   "codfisc",      "piva",      "riferimento1", "telefono1",
                                   "riferimento2", "telefono2", "riferimento3", "telefono3"};
        QCOMPARE(p.righe("SELECT codfor, quote(ragsoc), quote(" + testi.join("), quote(") +
                         ") FROM fornitori WHERE ID = (SELECT MAX(ID) FROM fornitori)"),
                 QStringList{"0|''|" + QStringList(testi.size(), "''").join('|')});
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestFornitori)
#include "tst_fornitori.moc"
