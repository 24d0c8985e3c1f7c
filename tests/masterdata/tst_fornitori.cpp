// The "Fornitori" tab driven through the main window: new suppliers and their code, no
// check on Conferma, the card's fields, Annulla, the list order and its hidden code
// column, the company-name search, the return to the tab, deleting and printing.

#include "Griglia.h"
#include "PaginaAnagrafica.h"
#include "ProgrammaProva.h"

#include <QApplication>
#include <QLineEdit>

namespace {
using Tipo = Messaggi::Tipo;
const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");

QString fornitore(const QString& ragsoc, const QString& citta = {}) {
    const auto sql = [](QString t) { return t.replace('\'', "''"); };
    return QStringLiteral("INSERT INTO fornitori (codfor, ragsoc, citta) VALUES ('F1', '%1', '%2')")
        .arg(sql(ragsoc), sql(citta));
}

// The card against the list, its search box and Nuovo.
QString stato(const ProgrammaProva& p) {
    return p.stato({"edtForRagsoc", "btnForConferma"},
                   {"grFornitori", "edtForCerca", "btnForNuovo"});
}
} // namespace

class TestFornitori : public QObject {
    Q_OBJECT

private slots:
    // Every supplier created here has code "0" and empty texts; Conferma checks nothing, so
    // a supplier without a name is stored too.
    void nuoviFornitori() {
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsFornitori"));
        for (const char* nome : {"Banco Alimentare", "Coop Lombardia"}) {
            QVERIFY(p.clicca("btnForNuovo"));
            QCOMPARE(stato(p), "modifica");
            QCOMPARE(QApplication::focusWidget(), p.trova("edtForRagsoc"));
            QVERIFY(!p.vaiScheda("tsNominativi"));
            QVERIFY(p.scrivi("edtForRagsoc", nome));
            QVERIFY(p.clicca("btnForConferma"));
            QCOMPARE(stato(p), "consultazione");
        }
        QVERIFY(p.clicca("btnForNuovo"));
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(stato(p), "consultazione");
        // Every text field not typed holds an empty text, not a null.
        const QStringList testi = {"via",          "cap",       "citta",        "prov",
                                   "nazione",      "telefono",  "fax",          "email",
                                   "codfisc",      "piva",      "riferimento1", "telefono1",
                                   "riferimento2", "telefono2", "riferimento3", "telefono3"};
        const QString vuoti = QStringList(testi.size(), "''").join('|');
        QCOMPARE(p.righe("SELECT codfor, quote(ragsoc), quote(" + testi.join("), quote(") +
                         ") FROM fornitori ORDER BY ID"),
                 (QStringList{"0|'Banco Alimentare'|" + vuoti, "0|'Coop Lombardia'|" + vuoti,
                              "0|''|" + vuoti}));
        QVERIFY(p.vaiScheda("tsNominativi"));
        SENZA_PROBLEMI(p);
    }

    // Every box of the card writes its own column and shows it again when the row becomes
    // current; no box takes more than its column holds.
    void campiDellaScheda() {
        const QList<std::pair<QString, QString>> campi = {
            {"edtForRagsoc", "Banco Alimentare della Lombardia"},
            {"edtForVia", "Via Legnone 4"},
            {"edtForCap", "20158"},
            {"edtForCitta", "Milano"},
            {"edtForProv", "MI"},
            {"edtForNazione", "Italia"},
            {"edtForTelefono", "02 8920111"},
            {"edtForFax", "02 8920112"},
            {"edtForEmail", "info@banco.example.it"},
            {"edtForCodfisc", "97075370151"},
            {"edtForPiva", "12345678901"},
            {"edtForRiferimento1", "Luca Neri"},
            {"edtForTelefono1", "333 1112223"},
            {"edtForRiferimento2", "Paola Gatti"},
            {"edtForTelefono2", "333 4445556"},
            {"edtForRiferimento3", "Ugo Sala"},
            {"edtForTelefono3", "333 7778889"}};
        ProgrammaProva p({fornitore("AGEA")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.clicca("btnForNuovo"));
        for (const auto& [box, valore] : campi)
            QVERIFY(p.scrivi(box, valore));
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(p.righe("SELECT codfor, ragsoc, via, cap, citta, prov, nazione, telefono, fax, "
                         "email, codfisc, piva, riferimento1, telefono1, riferimento2, "
                         "telefono2, riferimento3, telefono3 FROM fornitori WHERE codfor = '0'"),
                 QStringList{"0|Banco Alimentare della Lombardia|Via Legnone 4|20158|Milano|MI|"
                             "Italia|02 8920111|02 8920112|info@banco.example.it|97075370151|"
                             "12345678901|Luca Neri|333 1112223|Paola Gatti|333 4445556|"
                             "Ugo Sala|333 7778889"});
        QCOMPARE(p.elenco("grFornitori"),
                 (QStringList{"AGEA|", "Banco Alimentare della Lombardia|Milano"}));

        QVERIFY(p.cliccaRiga("grFornitori", 0));
        for (const auto& [box, valore] : campi)
            QCOMPARE(p.testo(box), box == "edtForRagsoc" ? "AGEA" : "");
        QVERIFY(p.cliccaRiga("grFornitori", 1));
        for (const auto& [box, valore] : campi)
            QCOMPARE(p.testo(box), valore);

        QVERIFY(p.clicca("btnForModifica"));
        QVERIFY(p.sostituisci("edtForRagsoc", QString(85, 'R')));
        QVERIFY(p.sostituisci("edtForPiva", "1234567890123"));
        QVERIFY(p.sostituisci("edtForProv", "MIL"));
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(p.righe("SELECT ragsoc, piva, prov FROM fornitori WHERE codfor = '0'"),
                 QStringList{QString(80, 'R') + "|12345678901|MI"});
        SENZA_PROBLEMI(p);
    }

    // Annulla after Nuovo removes the new supplier; after Modifica it puts every value back.
    void annulla() {
        ProgrammaProva p({fornitore("Caritas", "Lodi")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.clicca("btnForNuovo"));
        QVERIFY(p.scrivi("edtForRagsoc", "Da buttare"));
        QVERIFY(p.clicca("btnForAnnulla"));
        QCOMPARE(stato(p), "consultazione");
        QCOMPARE(p.righe("SELECT ragsoc FROM fornitori"), QStringList{"Caritas"});
        QCOMPARE(p.elenco("grFornitori"), QStringList{"Caritas|Lodi"});

        QVERIFY(p.clicca("btnForModifica"));
        QVERIFY(p.sostituisci("edtForRagsoc", "Caritas Diocesana"));
        QVERIFY(p.sostituisci("edtForCitta", "Pavia"));
        QVERIFY(p.clicca("btnForAnnulla"));
        QCOMPARE(p.righe("SELECT codfor, ragsoc, citta FROM fornitori"),
                 QStringList{"F1|Caritas|Lodi"});
        QCOMPARE(p.testo("edtForRagsoc"), "Caritas");
        QCOMPARE(p.testo("edtForCitta"), "Lodi");
        SENZA_PROBLEMI(p);
    }

    // By company name without regard to case, the code column hidden; a confirmed new
    // supplier takes its place and stays current.
    void ordineElenco() {
        ProgrammaProva p({fornitore("coop", "Lodi"), fornitore("Banco Alimentare"),
                          fornitore("AGEA"), fornitore("banca del cibo")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        const auto* g = p.trova<Griglia>("grFornitori");
        QVERIFY(g->colonnaNascosta(0));
        QCOMPARE(g->model()->headerData(g->colonnaModello(1), Qt::Horizontal), "Ragione sociale");
        QCOMPARE(g->model()->headerData(g->colonnaModello(2), Qt::Horizontal), "Città");
        QCOMPARE(p.elenco("grFornitori"),
                 (QStringList{"AGEA|", "banca del cibo|", "Banco Alimentare|", "coop|Lodi"}));

        QVERIFY(p.clicca("btnForNuovo"));
        QVERIFY(p.scrivi("edtForRagsoc", "Caritas"));
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(p.elenco("grFornitori"),
                 (QStringList{"AGEA|", "banca del cibo|", "Banco Alimentare|", "Caritas|",
                              "coop|Lodi"}));
        QCOMPARE(p.rigaCorrente("grFornitori"), "Caritas|");
        SENZA_PROBLEMI(p);
    }

    // The search keeps the suppliers whose name contains the text in any case; a letter that
    // matches nothing is taken back with one "Nessuna corrispondenza".
    void ricerca() {
        ProgrammaProva p({fornitore("BANCO ALIMENTARE"), fornitore("Il Banco di Lodi"),
                          fornitore("L'ALBERO ONLUS"), fornitore("Coop")});
        auto* cerca = p.trova<QLineEdit>("edtForCerca");
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.scrivi("edtForCerca", "banco"));
        QCOMPARE(p.elenco("grFornitori"), (QStringList{"BANCO ALIMENTARE|", "Il Banco di Lodi|"}));
        QCOMPARE(p.testo("edtForRagsoc"), "BANCO ALIMENTARE");
        QVERIFY(p.sostituisci("edtForCerca", "l'alb"));
        QCOMPARE(p.elenco("grFornitori"), QStringList{"L'ALBERO ONLUS|"});

        p.messaggi().attendi(Tipo::Informazione, "Nessuna corrispondenza");
        QTest::keyClick(cerca, Qt::Key_Z);
        QCOMPARE(p.messaggi().mostrati(), QStringList{"informazione: Nessuna corrispondenza"});
        QCOMPARE(cerca->text(), "l'alb");
        QCOMPARE(cerca->cursorPosition(), 5);
        QCOMPARE(p.elenco("grFornitori"), QStringList{"L'ALBERO ONLUS|"});

        QVERIFY(p.sostituisci("edtForCerca", ""));
        QCOMPARE(p.elenco("grFornitori").size(), 4);
        SENZA_PROBLEMI(p);
    }

    // Nuovo clears a search; leaving the tab with a search typed and coming back shows every
    // row, on the row that was current.
    void ricercaENavigazione() {
        ProgrammaProva p({fornitore("Coop Lodi"), fornitore("Coop Pavia"), fornitore("AGEA")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.scrivi("edtForCerca", "coop"));
        QVERIFY(p.clicca("btnForNuovo"));
        QCOMPARE(p.testo("edtForCerca"), "");
        QVERIFY(p.clicca("btnForAnnulla"));
        QCOMPARE(p.elenco("grFornitori").size(), 3);

        QVERIFY(p.scrivi("edtForCerca", "coop"));
        QVERIFY(p.cliccaRiga("grFornitori", 1));
        QCOMPARE(p.testo("edtForRagsoc"), "Coop Pavia");
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.vaiScheda("tsFornitori"));
        QCOMPARE(p.testo("edtForCerca"), "");
        QCOMPARE(p.elenco("grFornitori"), (QStringList{"AGEA|", "Coop Lodi|", "Coop Pavia|"}));
        QCOMPARE(p.rigaCorrente("grFornitori"), "Coop Pavia|");
        QCOMPARE(p.testo("edtForRagsoc"), "Coop Pavia");
        SENZA_PROBLEMI(p);
    }

    // The hidden Elimina asks by company name and deletes on Yes only.
    void eliminazione() {
        ProgrammaProva p({fornitore("AGEA"), fornitore("Coop")});
        auto* pagina = p.trova<PaginaAnagrafica>("tsFornitori");
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(!p.trova("btnForElimina")->isVisible());
        QVERIFY(p.cliccaRiga("grFornitori", 1));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il fornitore Coop?", false);
        pagina->btnEliminaClick();
        QCOMPARE(p.valore("SELECT COUNT(*) FROM fornitori").toInt(), 2);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il fornitore Coop?", true);
        pagina->btnEliminaClick();
        QCOMPARE(p.righe("SELECT ragsoc FROM fornitori"), QStringList{"AGEA"});
        QCOMPARE(p.elenco("grFornitori"), QStringList{"AGEA|"});
        QCOMPARE(p.testo("edtForRagsoc"), "AGEA");
        SENZA_PROBLEMI(p);
    }

    // The card prints the current supplier, the list prints them all; Cancel prints nothing.
    void stampe() {
        ProgrammaProva p({fornitore("Caritas Pavia"), fornitore("Coop Lombardia")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.cliccaRiga("grFornitori", 1));
        for (const char* pulsante : {"btnForStampaScheda", "btnForStampaElenco"}) {
            p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
            QVERIFY(p.clicca(pulsante));
        }
        QVERIFY(p.stampe().isEmpty());

        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString scheda = p.stampa("btnForStampaScheda");
        QVERIFY2(scheda.contains("Coop Lombardia") && !scheda.contains("Caritas Pavia"),
                 qPrintable(scheda));
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString lista = p.stampa("btnForStampaElenco");
        QVERIFY2(lista.contains("Caritas Pavia") && lista.contains("Coop Lombardia"),
                 qPrintable(lista));
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestFornitori)
#include "tst_fornitori.moc"
