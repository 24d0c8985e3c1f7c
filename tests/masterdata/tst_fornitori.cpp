// The "Fornitori" tab: what is particular to suppliers (the code and empty texts of a new
// one, no check on Conferma, the card's fields and their lengths, the list order and its
// hidden code column, the company-name search, the delete question and the prints). The
// workflow shared with the other master-data tabs is checked in tst_articoli.

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
    // Guards that every supplier created here gets code "0" and empty texts, not nulls, that
    // the company name is focused, and that Conferma checks nothing (no name is stored too).
    void nuoviFornitori() {
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.clicca("btnForNuovo"));
        QCOMPARE(QApplication::focusWidget(), p.trova("edtForRagsoc"));
        QVERIFY(p.scrivi("edtForRagsoc", "Banco Alimentare"));
        QVERIFY(p.clicca("btnForConferma"));
        QVERIFY(p.clicca("btnForNuovo"));
        QVERIFY(p.clicca("btnForConferma"));
        QVERIFY(!p.main().inModifica);
        const QStringList testi = {"via",          "cap",       "citta",        "prov",
                                   "nazione",      "telefono",  "fax",          "email",
                                   "codfisc",      "piva",      "riferimento1", "telefono1",
                                   "riferimento2", "telefono2", "riferimento3", "telefono3"};
        const QString vuoti = QStringList(testi.size(), "''").join('|');
        QCOMPARE(p.righe("SELECT codfor, quote(ragsoc), quote(" + testi.join("), quote(") +
                         ") FROM fornitori ORDER BY ID"),
                 (QStringList{"0|'Banco Alimentare'|" + vuoti, "0|''|" + vuoti}));
        SENZA_PROBLEMI(p);
    }

    // Guards that every box of the card writes its own column and shows it again when the
    // row becomes current, and that no box takes more than its column holds.
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
        QStringList valori;
        for (const auto& [box, valore] : campi) {
            QVERIFY(p.scrivi(box, valore));
            valori << valore;
        }
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(p.righe("SELECT ragsoc, via, cap, citta, prov, nazione, telefono, fax, email, "
                         "codfisc, piva, riferimento1, telefono1, riferimento2, telefono2, "
                         "riferimento3, telefono3 FROM fornitori WHERE codfor = '0'"),
                 QStringList{valori.join('|')});
        QVERIFY(p.cliccaRiga("grFornitori", 0));
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

    // Guards the list: by company name without regard to case, the code column hidden.
    void ordineElenco() {
        ProgrammaProva p({fornitore("coop", "Lodi"), fornitore("Banco Alimentare"),
                          fornitore("AGEA"), fornitore("banca del cibo")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QCOMPARE(p.elenco("grFornitori"),
                 (QStringList{"AGEA|", "banca del cibo|", "Banco Alimentare|", "coop|Lodi"}));
        SENZA_PROBLEMI(p);
    }

    // Guards that the search looks in the company name (not the town) in any case and shows
    // the first supplier found on the card.
    void ricerca() {
        ProgrammaProva p({fornitore("BANCO ALIMENTARE"), fornitore("Il Banco di Lodi"),
                          fornitore("Coop", "San Banco")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.scrivi("edtForCerca", "banco"));
        QCOMPARE(p.elenco("grFornitori"), (QStringList{"BANCO ALIMENTARE|", "Il Banco di Lodi|"}));
        QCOMPARE(p.testo("edtForRagsoc"), "BANCO ALIMENTARE");
        SENZA_PROBLEMI(p);
    }

    // Guards the delete question, by company name, and that Yes deletes that one.
    void eliminazione() {
        ProgrammaProva p({fornitore("AGEA"), fornitore("Coop")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.cliccaRiga("grFornitori", 1));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il fornitore Coop?", true);
        p.trova<PaginaAnagrafica>("tsFornitori")->btnEliminaClick();
        QCOMPARE(p.righe("SELECT ragsoc FROM fornitori"), QStringList{"AGEA"});
        QCOMPARE(p.elenco("grFornitori"), QStringList{"AGEA|"});
        SENZA_PROBLEMI(p);
    }

    // Guards the tab's macros: the card prints the current supplier, the list them all.
    void stampe() {
        ProgrammaProva p({fornitore("Caritas Pavia"), fornitore("Coop Lombardia")});
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.cliccaRiga("grFornitori", 1));
        const QString pronta = QStringLiteral("Premere OK quando la stampante è pronta.");
        p.messaggi().attendi(Tipo::OkAnnulla, pronta, true);
        const QString scheda = p.stampa("btnForStampaScheda");
        QVERIFY2(scheda.contains("Coop Lombardia") && !scheda.contains("Caritas Pavia"),
                 qPrintable(scheda));
        p.messaggi().attendi(Tipo::OkAnnulla, pronta, true);
        const QString lista = p.stampa("btnForStampaElenco");
        QVERIFY2(lista.contains("Caritas Pavia") && lista.contains("Coop Lombardia"),
                 qPrintable(lista));
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestFornitori)
#include "tst_fornitori.moc"
