// The "Articoli" tab, and the workflow the three master-data tabs share (browse/edit switch,
// Annulla after Nuovo, the search and its cutting, the row kept across tabs, delete, print).

#include "Griglia.h"
#include "PaginaAnagrafica.h"
#include "ProgrammaProva.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

// Four articles; the list shows them by description: CAFFÈ, LATTE, PASTA, RISO.
const QStringList ARTICOLI = {
    QStringLiteral("INSERT INTO articoli (codint, descr, catmerc_id, agea, um_id, giacenza, "
                   "scortamin) VALUES ('A1', 'PASTA DI SEMOLA', 1, 1, 1, 10, 0), "
                   "('A2', 'RISO ARBORIO', 2, 0, 1, 5, 0), ('A3', 'LATTE UHT', 3, 1, 3, 20, 2), "
                   "('A4', 'CAFFÈ MACINATO', 0, 0, 4, 2.5, 0)")};

const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");
const QString NESSUNA = QStringLiteral("Nessuna corrispondenza");

QStringList tabella(const ProgrammaProva& p) {
    return p.righe(QStringLiteral("SELECT * FROM articoli ORDER BY ID"));
}

// The descriptions the list shows, in its order.
QStringList elenco(const ProgrammaProva& p) {
    QStringList descrizioni;
    for (const QString& riga : p.elenco(QStringLiteral("grArticoli")))
        descrizioni << riga.section(QLatin1Char('|'), 0, 0);
    return descrizioni;
}

QString selezionata(const ProgrammaProva& p) {
    return p.rigaCorrente(QStringLiteral("grArticoli")).section(QLatin1Char('|'), 0, 0);
}

bool seleziona(ProgrammaProva& p, const QString& descr) {
    return p.cliccaRiga(QStringLiteral("grArticoli"), elenco(p).indexOf(descr));
}

bool giacenzaVisibile(const ProgrammaProva& p) {
    return p.trova("lblGiac0")->isVisible() && p.trova("edtArtGiacenza")->isVisible();
}

const QStringList SCHEDA = {"edtArtDescr", "luArtUm", "cbxArtAgea", "btnArtConferma",
                            "btnArtAnnulla"};
const QStringList SINISTRA_E_ALTO = {"grArticoli",     "edtArtCerca",        "btnArtNuovo",
                                     "btnArtModifica", "btnArtStampaElenco", "btnArtStampaScheda"};

bool inConsultazione(const ProgrammaProva& p) {
    return !p.main().inModifica && p.stato(SCHEDA, SINISTRA_E_ALTO) == "consultazione" &&
           p.trova("grArticoli")->palette().color(QPalette::Base) == QColor(Qt::white);
}
} // namespace

class TestArticoli : public QObject {
    Q_OBJECT

private slots:
    // Guards Annulla after Nuovo removing the record Nuovo stored, the opening stock shown only
    // for a new article, the defaults of an untouched one, and the values typed in another
    // (Nuovo gives up the search, a pasted tab as a blank, "1.500" as 1500 after "1.5").
    void nuovoArticolo() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        const QStringList prima = tabella(p);
        QVERIFY(p.clicca("btnArtNuovo"));
        QVERIFY(giacenzaVisibile(p));
        QCOMPARE(p.valore("SELECT COUNT(*) FROM articoli").toInt(), 5);
        QVERIFY(p.scrivi("edtArtDescr", "ZUCCHERO"));
        QVERIFY(p.scrivi("edtArtGiacenza", "7"));
        QVERIFY(p.clicca("btnArtAnnulla"));
        QCOMPARE(tabella(p), prima);
        QCOMPARE(elenco(p).size(), 4);
        QVERIFY(!p.main().nuovoArticolo);
        QVERIFY(!giacenzaVisibile(p));
        QVERIFY(inConsultazione(p));

        QVERIFY(p.clicca("btnArtNuovo"));
        QVERIFY(p.clicca("btnArtConferma"));
        QCOMPARE(p.righe("SELECT quote(descr), codint, catmerc_id, um_id, giacenza, scortamin, "
                         "agea FROM articoli WHERE ID = (SELECT MAX(ID) FROM articoli)"),
                 QStringList{"''|0|0|0|0|0|0"});
        QVERIFY(!p.main().nuovoArticolo);

        QVERIFY(p.scrivi("edtArtCerca", "riso"));
        QVERIFY(p.clicca("btnArtNuovo"));
        QCOMPARE(p.testo("edtArtCerca"), QString());
        QCOMPARE(elenco(p).size(), 6);
        QGuiApplication::clipboard()->setText(QStringLiteral("PANE\tGRATTUGIATO"));
        p.trova("edtArtDescr")->setFocus();
        p.tasto(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(p.testo("edtArtDescr"), QStringLiteral("PANE GRATTUGIATO"));
        QVERIFY(p.scrivi("luArtUm", "s")); // "scatole", the one unit starting with s
        QVERIFY(p.spunta("cbxArtAgea"));
        QVERIFY(p.scrivi("edtArtGiacenza", "1.5"));
        p.messaggi().attendi(Tipo::Informazione,
                             QStringLiteral("La giacenza iniziale non è corretta."));
        QVERIFY(p.clicca("btnArtConferma"));
        QVERIFY(p.sostituisci("edtArtGiacenza", "1.500"));
        QVERIFY(p.clicca("btnArtConferma"));
        QCOMPARE(p.righe("SELECT A.descr, A.codint, U.descr, A.agea, A.giacenza FROM articoli A "
                         "JOIN lstUm U ON U.ID = A.um_id WHERE A.ID = (SELECT MAX(ID) FROM "
                         "articoli)"),
                 QStringList{"PANE GRATTUGIATO|0|scatole|1|1500"});
        QCOMPARE(elenco(p), QStringList({"", "CAFFÈ MACINATO", "LATTE UHT", "PANE GRATTUGIATO",
                                         "PASTA DI SEMOLA", "RISO ARBORIO"}));
        QCOMPARE(p.rigaCorrente("grArticoli"), QStringLiteral("PANE GRATTUGIATO|scatole"));
        QVERIFY(inConsultazione(p));
        QVERIFY(!giacenzaVisibile(p));
        SENZA_PROBLEMI(p);
    }

    // Guards the card following the list, Modifica (by Alt+M too) locking list and buttons,
    // hiding the opening stock, focusing the first field; the Tab round in visual order;
    // Conferma with nothing typed storing nothing; Escape giving up; Alt+C and Conferma
    // storing, the description cut to 50 characters.
    void modificaETastiera() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(seleziona(p, "PASTA DI SEMOLA"));
        QCOMPARE(p.testo("edtArtDescr"), QStringLiteral("PASTA DI SEMOLA"));
        QCOMPARE(p.trova<QComboBox>("luArtUm")->currentText(), QStringLiteral("kg"));
        QVERIFY(p.trova<QCheckBox>("cbxArtAgea")->isChecked());

        const QStringList prima = tabella(p);
        QVERIFY(p.clicca("btnArtModifica"));
        QVERIFY(p.main().inModifica);
        QVERIFY(!giacenzaVisibile(p));
        QCOMPARE(p.stato(SCHEDA, SINISTRA_E_ALTO), "modifica");
        QTRY_COMPARE(QApplication::focusWidget(), p.trova("edtArtDescr"));
        QVERIFY(p.clicca("btnArtConferma"));
        QCOMPARE(tabella(p), prima);
        QVERIFY(inConsultazione(p));

        // A button's Alt key presses it as a click does, after its brief pressed look.
        p.tasto(Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(p.main().inModifica);
        QTRY_COMPARE(QApplication::focusWidget(), p.trova("edtArtDescr"));
        QCOMPARE(p.giroTab(true), QStringList({"luArtUm", "cbxArtAgea", "btnArtConferma",
                                               "btnArtAnnulla", "edtArtDescr"}));
        QCOMPARE(p.giroTab(false), QStringList({"btnArtAnnulla", "btnArtConferma", "cbxArtAgea",
                                                "luArtUm", "edtArtDescr"}));
        QVERIFY(p.sostituisci("edtArtDescr", "PASTA FRESCA"));
        p.tasto(Qt::Key_Escape);
        QVERIFY(inConsultazione(p));
        QCOMPARE(tabella(p), prima);
        QCOMPARE(p.testo("edtArtDescr"), QStringLiteral("PASTA DI SEMOLA"));

        p.tasto(Qt::Key_M, Qt::AltModifier);
        QTRY_VERIFY(p.main().inModifica);
        QVERIFY(p.sostituisci("edtArtDescr", "PASTA FRESCA"));
        p.tasto(Qt::Key_C, Qt::AltModifier);
        QTRY_VERIFY(inConsultazione(p));
        QCOMPARE(p.valore("SELECT descr FROM articoli WHERE codint = 'A1'").toString(),
                 QStringLiteral("PASTA FRESCA"));

        const QString lunga = QStringLiteral("PASTA DI GRANO DURO IN FORMATO FAMIGLIA DA 1 KG XX");
        QVERIFY(p.clicca("btnArtModifica"));
        QVERIFY(p.sostituisci("edtArtDescr", lunga + "YZ"));
        QVERIFY(p.spunta("cbxArtAgea"));
        QVERIFY(p.clicca("btnArtConferma"));
        QCOMPARE(p.righe("SELECT descr, agea, giacenza FROM articoli WHERE codint = 'A1'"),
                 QStringList{lunga + "|0|10"});
        QCOMPARE(selezionata(p), lunga);
        SENZA_PROBLEMI(p);
    }

    // Guards that with no row Modifica, Elimina and the prints do nothing.
    void elencoVuotoNonFaNulla() {
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(p.clicca("btnArtModifica"));
        QVERIFY(inConsultazione(p));
        QVERIFY(p.clicca("btnArtStampaElenco"));
        QVERIFY(p.clicca("btnArtStampaScheda"));
        p.trova<PaginaAnagrafica>("tsArticoli")->btnEliminaClick();
        QVERIFY(p.stampe().isEmpty());
        SENZA_PROBLEMI(p);
    }

    // Guards the search (any case, accents, first row current; a text matching nothing cut
    // back a character at a time, one message each, caret at the end), the return to the tab
    // (search given up, back on the row by its ID), the hidden Elimina (asks, deletes on Yes,
    // the row a search found, the box keeping its text) and the prints (Cancel prints
    // nothing; the card the current article only, the inventory every article).
    void ricercaEliminaStampa() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        auto* box = p.trova<QLineEdit>("edtArtCerca");
        QVERIFY(p.scrivi("edtArtCerca", "di sem"));
        QCOMPARE(elenco(p), QStringList{"PASTA DI SEMOLA"});
        QVERIFY(p.sostituisci("edtArtCerca", "caffè"));
        QCOMPARE(elenco(p), QStringList{"CAFFÈ MACINATO"});
        QVERIFY(p.sostituisci("edtArtCerca", "T"));
        QCOMPARE(elenco(p), QStringList({"CAFFÈ MACINATO", "LATTE UHT", "PASTA DI SEMOLA"}));
        QCOMPARE(selezionata(p), QStringLiteral("CAFFÈ MACINATO"));
        p.tasto(Qt::Key_Backspace);
        QVERIFY(!p.dati().tblArticoli.filtrato());

        for (int i = 0; i < 3; ++i) // pasted text of which only the first letter matches
            p.messaggi().attendi(Tipo::Informazione, NESSUNA);
        box->insert(QStringLiteral("RQZW"));
        QCOMPARE(box->text(), QStringLiteral("R"));
        QCOMPARE(box->cursorPosition(), 1);
        QVERIFY(!box->hasSelectedText());
        QCOMPARE(elenco(p), QStringList{"RISO ARBORIO"});
        box->clear();
        p.messaggi().attendi(Tipo::Informazione, NESSUNA);
        QTest::keyClick(box, Qt::Key_Q);
        QCOMPARE(box->text(), QString());
        QCOMPARE(elenco(p).size(), 4);
        SENZA_PROBLEMI(p);

        QVERIFY(p.scrivi("edtArtCerca", "riso"));
        QVERIFY(p.vaiScheda("tsNominativi"));
        p.esegui(
            "INSERT INTO articoli (codint, descr, agea, um_id) VALUES ('A5', 'BISCOTTI', 0, 1)");
        p.dati().tblArticoli.primo(); // the data set moved away meanwhile
        QVERIFY(p.vaiScheda("tsArticoli"));
        QCOMPARE(p.testo("edtArtCerca"), QString());
        QCOMPARE(elenco(p).size(), 5);
        QCOMPARE(p.testo("edtArtDescr"), QStringLiteral("RISO ARBORIO"));
        QTRY_COMPARE(QApplication::focusWidget(), p.trova("edtArtCerca"));

        QVERIFY(!p.trova("btnArtElimina")->isVisible());
        auto* pagina = p.trova<PaginaAnagrafica>("tsArticoli");
        QVERIFY(seleziona(p, "BISCOTTI"));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo BISCOTTI?", false);
        pagina->btnEliminaClick();
        QCOMPARE(tabella(p).size(), 5);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo BISCOTTI?", true);
        pagina->btnEliminaClick();
        QVERIFY(p.scrivi("edtArtCerca", "riso"));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo RISO ARBORIO?", true);
        pagina->btnEliminaClick();
        QCOMPARE(p.righe("SELECT descr FROM articoli ORDER BY descr"),
                 QStringList({"CAFFÈ MACINATO", "LATTE UHT", "PASTA DI SEMOLA"}));
        QCOMPARE(elenco(p), p.righe("SELECT descr FROM articoli ORDER BY descr"));
        QCOMPARE(p.testo("edtArtCerca"), QStringLiteral("riso"));

        QVERIFY(seleziona(p, "LATTE UHT"));
        for (const char* pulsante : {"btnArtStampaScheda", "btnArtStampaElenco"}) {
            p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
            QVERIFY(p.clicca(pulsante));
        }
        QVERIFY(p.stampe().isEmpty());
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString scheda = p.stampa("btnArtStampaScheda");
        QVERIFY2(scheda.contains("LATTE UHT") && !scheda.contains("PASTA DI SEMOLA"),
                 qPrintable(scheda));
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString inventario = p.stampa("btnArtStampaElenco");
        for (const char* descr : {"LATTE UHT", "PASTA DI SEMOLA", "CAFFÈ MACINATO"})
            QVERIFY2(inventario.contains(descr), qPrintable(inventario));
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestArticoli)
#include "tst_articoli.moc"
