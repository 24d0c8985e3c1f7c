// The "Fornitori" tab driven through the main window: new suppliers and their code, no
// check on Conferma, the card's fields, Annulla, the list order and its hidden code
// column, the company-name search, the return to the tab, deleting and printing.

#include "Griglia.h"
#include "PaginaAnagrafica.h"
#include "ProgrammaProva.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>

namespace {
using Tipo = Messaggi::Tipo;
const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");

QString fornitore(const QString& ragsoc, const QString& citta = {}) {
    const auto sql = [](QString t) { return t.replace('\'', "''"); };
    return QStringLiteral("INSERT INTO fornitori (codfor, ragsoc, citta) VALUES ('F1', '%1', '%2')")
        .arg(sql(ragsoc), sql(citta));
}

// The rows of a list as shown: its visible columns, in their order, joined by "|".
QStringList elenco(const Griglia* g) {
    QStringList righe;
    for (int r = 0; r < g->model()->rowCount(); ++r) {
        QStringList celle;
        for (int v = 0; v < g->horizontalHeader()->count(); ++v) {
            const int c = g->horizontalHeader()->logicalIndex(v);
            if (!g->isColumnHidden(c))
                celle << g->model()->index(r, c).data().toString();
        }
        righe << celle.join('|');
    }
    return righe;
}

QString rigaCorrente(const Griglia* g) {
    return elenco(g).value(g->currentIndex().row());
}

void cliccaRiga(Griglia* g, int riga) {
    const QModelIndex indice = g->model()->index(riga, g->colonnaModello(1));
    g->scrollTo(indice);
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(indice).center());
}

// Replaces the whole text of a box as the user does: select everything, delete, type.
void sostituisci(ProgrammaProva& p, const QString& nome, const QString& testo) {
    auto* box = p.trova<QLineEdit>(nome);
    QVERIFY2(box && box->isEnabled(), qPrintable(nome));
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, testo);
}

QString testo(ProgrammaProva& p, const QString& nome) {
    return p.trova<QLineEdit>(nome)->text();
}

// "modifica" when only the card is enabled, "consultazione" when only the list, search box
// and buttons are.
QString stato(ProgrammaProva& p) {
    const bool scheda =
        p.trova("edtForRagsoc")->isEnabled() && p.trova("btnForConferma")->isEnabled();
    const bool elenco = p.trova("grFornitori")->isEnabled() &&
                        p.trova("edtForCerca")->isEnabled() && p.trova("btnForNuovo")->isEnabled();
    return scheda == elenco ? "misto" : scheda ? "modifica" : "consultazione";
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
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
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
        auto* g = p.trova<Griglia>("grFornitori");
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
        QCOMPARE(elenco(g), (QStringList{"AGEA|", "Banco Alimentare della Lombardia|Milano"}));

        cliccaRiga(g, 0);
        for (const auto& [box, valore] : campi)
            QCOMPARE(testo(p, box), box == "edtForRagsoc" ? "AGEA" : "");
        cliccaRiga(g, 1);
        for (const auto& [box, valore] : campi)
            QCOMPARE(testo(p, box), valore);

        QVERIFY(p.clicca("btnForModifica"));
        sostituisci(p, "edtForRagsoc", QString(85, 'R'));
        sostituisci(p, "edtForPiva", "1234567890123");
        sostituisci(p, "edtForProv", "MIL");
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(p.righe("SELECT ragsoc, piva, prov FROM fornitori WHERE codfor = '0'"),
                 QStringList{QString(80, 'R') + "|12345678901|MI"});
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
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
        QCOMPARE(elenco(p.trova<Griglia>("grFornitori")), QStringList{"Caritas|Lodi"});

        QVERIFY(p.clicca("btnForModifica"));
        sostituisci(p, "edtForRagsoc", "Caritas Diocesana");
        sostituisci(p, "edtForCitta", "Pavia");
        QVERIFY(p.clicca("btnForAnnulla"));
        QCOMPARE(p.righe("SELECT codfor, ragsoc, citta FROM fornitori"),
                 QStringList{"F1|Caritas|Lodi"});
        QCOMPARE(testo(p, "edtForRagsoc"), "Caritas");
        QCOMPARE(testo(p, "edtForCitta"), "Lodi");
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // By company name without regard to case, the code column hidden; a confirmed new
    // supplier takes its place and stays current.
    void ordineElenco() {
        ProgrammaProva p({fornitore("coop", "Lodi"), fornitore("Banco Alimentare"),
                          fornitore("AGEA"), fornitore("banca del cibo")});
        auto* g = p.trova<Griglia>("grFornitori");
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(g->colonnaNascosta(0));
        QCOMPARE(g->model()->headerData(g->colonnaModello(1), Qt::Horizontal), "Ragione sociale");
        QCOMPARE(g->model()->headerData(g->colonnaModello(2), Qt::Horizontal), "Città");
        QCOMPARE(elenco(g),
                 (QStringList{"AGEA|", "banca del cibo|", "Banco Alimentare|", "coop|Lodi"}));

        QVERIFY(p.clicca("btnForNuovo"));
        QVERIFY(p.scrivi("edtForRagsoc", "Caritas"));
        QVERIFY(p.clicca("btnForConferma"));
        QCOMPARE(elenco(g), (QStringList{"AGEA|", "banca del cibo|", "Banco Alimentare|",
                                         "Caritas|", "coop|Lodi"}));
        QCOMPARE(rigaCorrente(g), "Caritas|");
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // The search keeps the suppliers whose name contains the text in any case; a letter that
    // matches nothing is taken back with one "Nessuna corrispondenza".
    void ricerca() {
        ProgrammaProva p({fornitore("BANCO ALIMENTARE"), fornitore("Il Banco di Lodi"),
                          fornitore("L'ALBERO ONLUS"), fornitore("Coop")});
        auto* g = p.trova<Griglia>("grFornitori");
        auto* cerca = p.trova<QLineEdit>("edtForCerca");
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.scrivi("edtForCerca", "banco"));
        QCOMPARE(elenco(g), (QStringList{"BANCO ALIMENTARE|", "Il Banco di Lodi|"}));
        QCOMPARE(testo(p, "edtForRagsoc"), "BANCO ALIMENTARE");
        sostituisci(p, "edtForCerca", "l'alb");
        QCOMPARE(elenco(g), QStringList{"L'ALBERO ONLUS|"});

        p.messaggi().attendi(Tipo::Informazione, "Nessuna corrispondenza");
        QTest::keyClick(cerca, Qt::Key_Z);
        QCOMPARE(p.messaggi().mostrati(), QStringList{"informazione: Nessuna corrispondenza"});
        QCOMPARE(cerca->text(), "l'alb");
        QCOMPARE(cerca->cursorPosition(), 5);
        QCOMPARE(elenco(g), QStringList{"L'ALBERO ONLUS|"});

        sostituisci(p, "edtForCerca", "");
        QCOMPARE(elenco(g).size(), 4);
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // Nuovo clears a search; leaving the tab with a search typed and coming back shows every
    // row, on the row that was current.
    void ricercaENavigazione() {
        ProgrammaProva p({fornitore("Coop Lodi"), fornitore("Coop Pavia"), fornitore("AGEA")});
        auto* g = p.trova<Griglia>("grFornitori");
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(p.scrivi("edtForCerca", "coop"));
        QVERIFY(p.clicca("btnForNuovo"));
        QCOMPARE(testo(p, "edtForCerca"), "");
        QVERIFY(p.clicca("btnForAnnulla"));
        QCOMPARE(elenco(g).size(), 3);

        QVERIFY(p.scrivi("edtForCerca", "coop"));
        cliccaRiga(g, 1);
        QCOMPARE(testo(p, "edtForRagsoc"), "Coop Pavia");
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.vaiScheda("tsFornitori"));
        QCOMPARE(testo(p, "edtForCerca"), "");
        QCOMPARE(elenco(g), (QStringList{"AGEA|", "Coop Lodi|", "Coop Pavia|"}));
        QCOMPARE(rigaCorrente(g), "Coop Pavia|");
        QCOMPARE(testo(p, "edtForRagsoc"), "Coop Pavia");
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // The hidden Elimina asks by company name and deletes on Yes only.
    void eliminazione() {
        ProgrammaProva p({fornitore("AGEA"), fornitore("Coop")});
        auto* g = p.trova<Griglia>("grFornitori");
        auto* pagina = p.trova<PaginaAnagrafica>("tsFornitori");
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY(!p.trova("btnForElimina")->isVisible());
        cliccaRiga(g, 1);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il fornitore Coop?", false);
        pagina->btnEliminaClick();
        QCOMPARE(p.valore("SELECT COUNT(*) FROM fornitori").toInt(), 2);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il fornitore Coop?", true);
        pagina->btnEliminaClick();
        QCOMPARE(p.righe("SELECT ragsoc FROM fornitori"), QStringList{"AGEA"});
        QCOMPARE(elenco(g), QStringList{"AGEA|"});
        QCOMPARE(testo(p, "edtForRagsoc"), "AGEA");
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // The card prints the current supplier, the list prints them all; Cancel prints nothing.
    void stampe() {
        ProgrammaProva p({fornitore("Caritas Pavia"), fornitore("Coop Lombardia")});
        auto* g = p.trova<Griglia>("grFornitori");
        QVERIFY(p.vaiScheda("tsFornitori"));
        cliccaRiga(g, 1);
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
        QVERIFY(p.clicca("btnForStampaScheda"));
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
        QVERIFY(p.clicca("btnForStampaElenco"));
        QVERIFY(p.stampe().isEmpty());

        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        QVERIFY(p.clicca("btnForStampaScheda"));
        QTRY_COMPARE(p.stampe().size(), 1);
        const QString fileScheda = p.stampe().at(0);
        const QString scheda = ProgrammaProva::testoPdf(fileScheda);
        QVERIFY2(scheda.contains("Coop Lombardia") && !scheda.contains("Caritas Pavia"),
                 qPrintable(scheda));

        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        QVERIFY(p.clicca("btnForStampaElenco"));
        QTRY_COMPARE(p.stampe().size(), 2);
        QStringList nuove = p.stampe();
        nuove.removeOne(fileScheda);
        const QString lista = ProgrammaProva::testoPdf(nuove.value(0));
        QVERIFY2(lista.contains("Caritas Pavia") && lista.contains("Coop Lombardia"),
                 qPrintable(lista));
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }
};

QTEST_MAIN(TestFornitori)
#include "tst_fornitori.moc"
