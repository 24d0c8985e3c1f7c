// The "Articoli" tab driven as the user drives it: new articles and their defaults, the
// opening stock shown only for a new article, the browse/edit switch and the tab guard, the
// incremental search with its "Nessuna corrispondenza" cutting, the row kept across a tab
// change, deletion, the description's length and the two prints through the report host.

#include "Griglia.h"
#include "PaginaAnagrafica.h"
#include "ProgrammaProva.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

// Every column of every article, to compare the table before and after.
QStringList tabella(const ProgrammaProva& p) {
    return p.righe(QStringLiteral("SELECT * FROM articoli ORDER BY ID"));
}

Griglia* griglia(const ProgrammaProva& p) {
    return p.trova<Griglia>(QStringLiteral("grArticoli"));
}

QLineEdit* cerca(const ProgrammaProva& p) {
    return p.trova<QLineEdit>(QStringLiteral("edtArtCerca"));
}

// The descriptions the list shows, in its order (the first column shown; the unit follows).
QStringList elenco(const ProgrammaProva& p) {
    QStringList descrizioni;
    for (const QString& riga : p.elenco(QStringLiteral("grArticoli")))
        descrizioni << riga.section(QLatin1Char('|'), 0, 0);
    return descrizioni;
}

// The description of the row selected in the list.
QString selezionata(const ProgrammaProva& p) {
    return p.rigaCorrente(QStringLiteral("grArticoli")).section(QLatin1Char('|'), 0, 0);
}

// Clicks the row of the list showing `descr`.
bool seleziona(ProgrammaProva& p, const QString& descr) {
    return p.cliccaRiga(QStringLiteral("grArticoli"), elenco(p).indexOf(descr));
}

bool giacenzaVisibile(const ProgrammaProva& p) {
    return p.trova<QLabel>("lblGiac0")->isVisible() &&
           p.trova<QWidget>("edtArtGiacenza")->isVisible();
}

const QStringList SCHEDA = {"edtArtDescr", "luArtUm", "cbxArtAgea", "btnArtConferma",
                            "btnArtAnnulla"};
const QStringList SINISTRA_E_ALTO = {"grArticoli",     "edtArtCerca",        "btnArtNuovo",
                                     "btnArtModifica", "btnArtStampaElenco", "btnArtStampaScheda"};

bool inConsultazione(const ProgrammaProva& p) {
    return !p.main().inModifica && p.stato(SCHEDA, SINISTRA_E_ALTO) == "consultazione" &&
           griglia(p)->palette().color(QPalette::Base) == QColor(Qt::white);
}
} // namespace

class TestArticoli : public QObject {
    Q_OBJECT

private slots:
    void nuovoEAnnullaLascianoLaTabellaComEra() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        const QStringList prima = tabella(p);

        // Straight back, and after the card was filled in.
        QVERIFY(!giacenzaVisibile(p));
        QVERIFY(p.clicca("btnArtNuovo"));
        QVERIFY(p.main().nuovoArticolo);
        QVERIFY(giacenzaVisibile(p));
        QCOMPARE(p.valore("SELECT COUNT(*) FROM articoli").toInt(), 5);
        QVERIFY(p.clicca("btnArtAnnulla"));
        QCOMPARE(tabella(p), prima);
        QVERIFY(!giacenzaVisibile(p));

        QVERIFY(p.clicca("btnArtNuovo"));
        QVERIFY(p.scrivi("edtArtDescr", "ZUCCHERO"));
        QVERIFY(p.spunta("cbxArtAgea"));
        QVERIFY(p.scrivi("edtArtGiacenza", "7"));
        QVERIFY(p.clicca("btnArtAnnulla"));
        QCOMPARE(tabella(p), prima);
        QCOMPARE(elenco(p).size(), 4);
        QVERIFY(!p.main().nuovoArticolo);
        QVERIFY(inConsultazione(p));
        SENZA_PROBLEMI(p);
    }

    void nuovoConfermatoSenzaScrivereTieneIValoriIniziali() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(p.clicca("btnArtNuovo"));
        QVERIFY(p.clicca("btnArtConferma"));

        QCOMPARE(p.valore("SELECT COUNT(*) FROM articoli").toInt(), 5);
        // An empty description, not a missing one.
        const int id = p.valore("SELECT MAX(ID) FROM articoli").toInt();
        QCOMPARE(p.righe(QStringLiteral("SELECT quote(descr), codint, catmerc_id, um_id, giacenza, "
                                        "scortamin, agea FROM articoli WHERE ID = %1")
                             .arg(id)),
                 QStringList{"''|0|0|0|0|0|0"});
        // Selected in the list (its ID is in the hidden first column).
        const Griglia* g = griglia(p);
        QCOMPARE(g->currentIndex().siblingAtColumn(g->colonnaModello(0)).data().toInt(), id);
        QVERIFY(!p.main().nuovoArticolo);
        QVERIFY(inConsultazione(p));
        SENZA_PROBLEMI(p);
    }

    void nuovoConIValoriScrittiDiventaLaRigaCorrente() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        // A search typed before Nuovo is given up: the box empties and every row shows again.
        QVERIFY(p.scrivi("edtArtCerca", "riso"));
        QCOMPARE(elenco(p), QStringList{"RISO ARBORIO"});
        QVERIFY(p.clicca("btnArtNuovo"));
        QVERIFY(giacenzaVisibile(p));
        QCOMPARE(cerca(p)->text(), QString());
        QCOMPARE(elenco(p).size(), 5);

        QVERIFY(p.scrivi("edtArtDescr", "PANE GRATTUGIATO"));
        QVERIFY(p.scrivi("luArtUm", "s")); // "scatole", the one unit starting with s
        QCOMPARE(p.trova<QComboBox>("luArtUm")->currentText(), QStringLiteral("scatole"));
        QVERIFY(p.spunta("cbxArtAgea"));
        QVERIFY(p.scrivi("edtArtGiacenza", "12,5"));
        QVERIFY(p.clicca("btnArtConferma"));

        const int id = p.valore("SELECT MAX(ID) FROM articoli").toInt();
        QCOMPARE(
            p.righe(QStringLiteral("SELECT A.descr, A.codint, U.descr, A.agea, A.giacenza FROM "
                                   "articoli A JOIN lstUm U ON U.ID = A.um_id WHERE A.ID = %1")
                        .arg(id)),
            QStringList{"PANE GRATTUGIATO|0|scatole|1|12.5"});
        // In its place in the order of descriptions, and selected.
        QCOMPARE(elenco(p), QStringList({"CAFFÈ MACINATO", "LATTE UHT", "PANE GRATTUGIATO",
                                         "PASTA DI SEMOLA", "RISO ARBORIO"}));
        QCOMPARE(p.rigaCorrente("grArticoli"), QStringLiteral("PANE GRATTUGIATO|scatole"));
        QCOMPARE(p.dati().tblArticoli.valore("ID").toInt(), id);
        QVERIFY(inConsultazione(p));
        QVERIFY(!giacenzaVisibile(p));

        // The opening stock of an existing article cannot be changed, also after an article
        // was created in this session; Annulla leaves every article in place.
        const QStringList prima = tabella(p);
        QVERIFY(seleziona(p, "LATTE UHT"));
        QVERIFY(p.clicca("btnArtModifica"));
        QVERIFY(!giacenzaVisibile(p));
        QVERIFY(p.clicca("btnArtAnnulla"));
        QCOMPARE(tabella(p), prima);
        SENZA_PROBLEMI(p);
    }

    void modificaBloccaElencoPulsantiESchede() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(inConsultazione(p));
        // The card shows the row selected in the list.
        QVERIFY(seleziona(p, "PASTA DI SEMOLA"));
        QCOMPARE(p.testo("edtArtDescr"), QStringLiteral("PASTA DI SEMOLA"));
        QCOMPARE(p.trova<QComboBox>("luArtUm")->currentText(), QStringLiteral("kg"));
        QVERIFY(p.trova<QCheckBox>("cbxArtAgea")->isChecked());

        QVERIFY(p.clicca("btnArtModifica"));
        QVERIFY(p.main().inModifica);
        QCOMPARE(p.stato(SCHEDA, SINISTRA_E_ALTO), "modifica");
        QCOMPARE(griglia(p)->palette().color(QPalette::Base), QColor(225, 225, 225));
        QTRY_COMPARE(QApplication::focusWidget(), p.trova<QWidget>("edtArtDescr"));
        // The tabs cannot be changed, neither with the mouse nor with Ctrl+Tab.
        QVERIFY(!p.vaiScheda("tsNominativi"));
        p.tasto(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(p.schedaAttiva(), QStringLiteral("tsArticoli"));

        // Conferma with nothing typed stores nothing and shows nothing.
        const QStringList prima = tabella(p);
        QVERIFY(p.clicca("btnArtConferma"));
        QCOMPARE(tabella(p), prima);
        QVERIFY(inConsultazione(p));

        // Annulla of a change restores the card and stores nothing.
        QVERIFY(p.clicca("btnArtModifica"));
        QVERIFY(p.sostituisci("edtArtDescr", "PASTA DI GRANO DURO"));
        QVERIFY(p.clicca("btnArtAnnulla"));
        QCOMPARE(tabella(p), prima);
        QCOMPARE(p.testo("edtArtDescr"), QStringLiteral("PASTA DI SEMOLA"));
        QVERIFY(inConsultazione(p));

        // Conferma stores the change and unlocks everything again.
        QVERIFY(p.clicca("btnArtModifica"));
        QVERIFY(p.sostituisci("edtArtDescr", "PASTA DI GRANO DURO"));
        QVERIFY(p.spunta("cbxArtAgea"));
        QVERIFY(p.clicca("btnArtConferma"));
        QCOMPARE(p.righe("SELECT descr, agea, giacenza FROM articoli WHERE codint = 'A1'"),
                 QStringList{"PASTA DI GRANO DURO|0|10"});
        QCOMPARE(selezionata(p), QStringLiteral("PASTA DI GRANO DURO"));
        QVERIFY(inConsultazione(p));
        QVERIFY(p.vaiScheda("tsNominativi"));
        SENZA_PROBLEMI(p);
    }

    void elencoVuotoNonFaNulla() {
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(p.clicca("btnArtModifica"));
        QVERIFY(inConsultazione(p));
        QVERIFY(p.clicca("btnArtStampaElenco"));
        QVERIFY(p.clicca("btnArtStampaScheda"));
        p.trova<PaginaAnagrafica>("tsArticoli")->btnEliminaClick();
        QVERIFY(p.stampe().isEmpty());
        QVERIFY(p.vaiScheda("tsNominativi"));
        SENZA_PROBLEMI(p);
    }

    void ricercaSenzaCorrispondenzaTornaAlTestoPrecedente() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QLineEdit* box = cerca(p);

        // One letter too many: one message, the text that matched, caret at its end.
        p.messaggi().attendi(Tipo::Informazione, NESSUNA);
        QVERIFY(p.scrivi("edtArtCerca", "PASTAX"));
        QCOMPARE(box->text(), QStringLiteral("PASTA"));
        QCOMPARE(box->cursorPosition(), 5);
        QVERIFY(!box->hasSelectedText());
        QCOMPARE(elenco(p), QStringList{"PASTA DI SEMOLA"});
        QCOMPARE(selezionata(p), QStringLiteral("PASTA DI SEMOLA"));
        SENZA_PROBLEMI(p);

        // Pasted text of which only the first letter matches: one message per letter cut.
        box->clear();
        for (int i = 0; i < 3; ++i)
            p.messaggi().attendi(Tipo::Informazione, NESSUNA);
        box->insert(QStringLiteral("RQZW"));
        QCOMPARE(box->text(), QStringLiteral("R"));
        QCOMPARE(box->cursorPosition(), 1);
        QVERIFY(!box->hasSelectedText());
        QCOMPARE(elenco(p), QStringList{"RISO ARBORIO"});

        SENZA_PROBLEMI(p);
    }

    void ricercaParzialeSenzaDifferenzeDiMaiuscole() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QLineEdit* box = cerca(p);

        QVERIFY(p.scrivi("edtArtCerca", "di sem"));
        QCOMPARE(elenco(p), QStringList{"PASTA DI SEMOLA"});
        QVERIFY(p.sostituisci("edtArtCerca", "caffè")); // an accented letter, upper-cased as È
        QCOMPARE(elenco(p), QStringList{"CAFFÈ MACINATO"});
        QVERIFY(p.sostituisci("edtArtCerca", "T"));
        QCOMPARE(elenco(p), QStringList({"CAFFÈ MACINATO", "LATTE UHT", "PASTA DI SEMOLA"}));
        QCOMPARE(selezionata(p), QStringLiteral("CAFFÈ MACINATO"));

        // Emptying the box, key by key, shows every row again.
        p.tasto(Qt::Key_Backspace);
        QCOMPARE(box->text(), QString());
        QVERIFY(!p.dati().tblArticoli.filtrato());
        QCOMPARE(elenco(p).size(), 4);
        SENZA_PROBLEMI(p);
    }

    void ritornoSullaSchedaSullaStessaRiga() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(p.scrivi("edtArtCerca", "riso"));
        QCOMPARE(selezionata(p), QStringLiteral("RISO ARBORIO"));

        QVERIFY(p.vaiScheda("tsNominativi"));
        // Meanwhile an article is added that moves RISO one row down.
        p.esegui(
            "INSERT INTO articoli (codint, descr, agea, um_id) VALUES ('A5', 'BISCOTTI', 0, 1)");
        QVERIFY(p.vaiScheda("tsArticoli"));
        QCOMPARE(cerca(p)->text(), QString());
        QVERIFY(!p.dati().tblArticoli.filtrato());
        QCOMPARE(elenco(p).size(), 5);
        QCOMPARE(selezionata(p), QStringLiteral("RISO ARBORIO"));
        QVERIFY(griglia(p)->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(cerca(p)));
        SENZA_PROBLEMI(p);
    }

    void eliminaChiedeEPoiCancella() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(!p.trova<QPushButton>("btnArtElimina")->isVisible());
        auto* pagina = p.trova<PaginaAnagrafica>("tsArticoli");

        QVERIFY(seleziona(p, "LATTE UHT"));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo LATTE UHT?", false);
        pagina->btnEliminaClick();
        QCOMPARE(p.valore("SELECT COUNT(*) FROM articoli WHERE descr = 'LATTE UHT'").toInt(), 1);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo LATTE UHT?", true);
        pagina->btnEliminaClick();
        QCOMPARE(p.valore("SELECT COUNT(*) FROM articoli WHERE descr = 'LATTE UHT'").toInt(), 0);
        QCOMPARE(elenco(p), QStringList({"CAFFÈ MACINATO", "PASTA DI SEMOLA", "RISO ARBORIO"}));

        // The row found by a search is the one deleted; then every row shows again, while the
        // box keeps its text.
        QVERIFY(p.scrivi("edtArtCerca", "riso"));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare l'articolo RISO ARBORIO?", true);
        pagina->btnEliminaClick();
        QCOMPARE(p.righe("SELECT descr FROM articoli ORDER BY descr"),
                 QStringList({"CAFFÈ MACINATO", "PASTA DI SEMOLA"}));
        QCOMPARE(elenco(p), QStringList({"CAFFÈ MACINATO", "PASTA DI SEMOLA"}));
        QCOMPARE(cerca(p)->text(), QStringLiteral("riso"));
        SENZA_PROBLEMI(p);
    }

    void descrizioneOltreCinquantaCaratteri() {
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        const QString cinquanta =
            QStringLiteral("CONFEZIONE FAMIGLIA DI PASSATA DI POMODORO 700 G X");
        QVERIFY(p.clicca("btnArtNuovo"));
        QVERIFY(p.scrivi("edtArtDescr", cinquanta + "YZ"));
        QCOMPARE(p.testo("edtArtDescr"), cinquanta);
        QVERIFY(p.clicca("btnArtConferma"));
        QCOMPARE(p.valore("SELECT descr FROM articoli WHERE ID = (SELECT MAX(ID) FROM articoli)")
                     .toString(),
                 cinquanta);
        SENZA_PROBLEMI(p);
    }

    void stampa_data() {
        QTest::addColumn<QString>("pulsante");
        QTest::addColumn<QStringList>("presenti");
        QTest::addColumn<QStringList>("assenti");
        QTest::newRow("Inventario")
            << "btnArtStampaElenco" << QStringList({"LATTE UHT", "RISO ARBORIO", "CAFFÈ MACINATO"})
            << QStringList();
        QTest::newRow("Stampa") << "btnArtStampaScheda" << QStringList({"LATTE UHT"})
                                << QStringList({"RISO ARBORIO", "PASTA DI SEMOLA"});
    }

    void stampa() {
        QFETCH(QString, pulsante);
        QFETCH(QStringList, presenti);
        QFETCH(QStringList, assenti);
        ProgrammaProva p(ARTICOLI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(seleziona(p, "LATTE UHT"));

        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
        QVERIFY(p.clicca(pulsante));
        QVERIFY(p.stampe().isEmpty());

        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString testo = p.stampa(pulsante);
        QCOMPARE(p.stampe().size(), 1);
        for (const QString& descr : presenti)
            QVERIFY2(testo.contains(descr), qPrintable(descr + " missing in:\n" + testo));
        for (const QString& descr : assenti)
            QVERIFY2(!testo.contains(descr), qPrintable(descr + " printed in:\n" + testo));
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestArticoli)
#include "tst_articoli.moc"
