// The "Nominativi" tab driven through the main window: a new beneficiary and its starting
// values, the checks of Conferma (both names, the family size), the card's fields and
// their lengths, the list order, the surname search, the return to the tab, deleting and
// printing through the report host.

#include "Griglia.h"
#include "PaginaAnagrafica.h"
#include "ProgrammaProva.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
using Tipo = Messaggi::Tipo;
const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");
const QString NOMI = QStringLiteral("Inserire nome e cognome, o premere Annulla");

QString nominativo(const QString& cognome, const QString& nome, const QString& citta = {},
                   int familiari = 1) {
    const auto sql = [](QString t) { return t.replace('\'', "''"); };
    return QStringLiteral("INSERT INTO nominativi (cognome, nome, citta, numFamiliari) "
                          "VALUES ('%1', '%2', '%3', %4)")
        .arg(sql(cognome), sql(nome), sql(citta), QString::number(familiari));
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

// Replaces the whole text of a box as the user does: select everything, delete, type (a
// line break with Return).
void sostituisci(ProgrammaProva& p, const QString& nome, const QString& testo) {
    QWidget* box = p.trova(nome);
    QVERIFY2(box && box->isEnabled(), qPrintable(nome));
    box->setFocus();
    if (auto* riga = qobject_cast<QLineEdit*>(box))
        riga->selectAll();
    else
        qobject_cast<QPlainTextEdit*>(box)->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    const QStringList righe = testo.split('\n');
    for (int i = 0; i < righe.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, righe[i]);
    }
}

// Types a text key by key into the focused box, letters outside ASCII included.
void digita(QWidget* box, const QString& testo) {
    box->setFocus();
    for (const QChar c : testo)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}

QString testo(ProgrammaProva& p, const QString& nome) {
    if (auto* memo = p.trova<QPlainTextEdit>(nome))
        return memo->toPlainText();
    return p.trova<QLineEdit>(nome)->text();
}

// "modifica" when only the card is enabled, "consultazione" when only the list, search box
// and buttons are.
QString stato(ProgrammaProva& p) {
    const bool scheda =
        p.trova("edtNomCognome")->isEnabled() && p.trova("btnNomConferma")->isEnabled();
    const bool elenco = p.trova("grNominativi")->isEnabled() &&
                        p.trova("edtNomCerca")->isEnabled() && p.trova("btnNomNuovo")->isEnabled();
    return scheda == elenco ? "misto" : scheda ? "modifica" : "consultazione";
}
} // namespace

class TestNominativi : public QObject {
    Q_OBJECT

private slots:
    // With no beneficiary, Modifica, Elimina and both prints do nothing. Nuovo stores the
    // record at once with empty texts, "0" in natoIl and no family yet, and opens the card
    // (the tabs cannot change meanwhile); Annulla removes the record again.
    void nuovoEAnnulla() {
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.clicca("btnNomStampaScheda"));
        QVERIFY(p.clicca("btnNomStampaElenco"));
        p.trova<PaginaAnagrafica>("tsNominativi")->btnEliminaClick();
        QCOMPARE(stato(p), "consultazione");
        QVERIFY(p.stampe().isEmpty());

        QVERIFY(p.clicca("btnNomNuovo"));
        QCOMPARE(stato(p), "modifica");
        QCOMPARE(QApplication::focusWidget(), p.trova("edtNomCognome"));
        const QStringList testi = {"cognome",     "nome",      "via",     "cap",
                                   "citta",       "prov",      "nazione", "nazionalita",
                                   "telefono1",   "telefono2", "email",   "codfisc",
                                   "statoCivile", "natoA",     "note",    "dettFamiliari"};
        QCOMPARE(p.righe("SELECT quote(natoIl), numFamiliari, quote(" + testi.join("), quote(") +
                         ") FROM nominativi"),
                 QStringList{"'0'|0|" + QStringList(testi.size(), "''").join('|')});
        QCOMPARE(testo(p, "edtNomNatoIl"), "0");
        QCOMPARE(testo(p, "edtNumFam"), "0");
        QVERIFY(!p.vaiScheda("tsFornitori"));

        QVERIFY(p.scrivi("edtNomCognome", "VERDI"));
        QVERIFY(p.clicca("btnNomAnnulla"));
        QCOMPARE(stato(p), "consultazione");
        QCOMPARE(p.valore("SELECT COUNT(*) FROM nominativi").toInt(), 0);
        QCOMPARE(testo(p, "edtNomCognome"), "");
        QVERIFY(p.vaiScheda("tsFornitori"));
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // Whatever the family size box holds, a confirmed beneficiary counts at least one person.
    void numeroFamiliari_data() {
        QTest::addColumn<QString>("scritto");
        QTest::addColumn<int>("registrato");
        QTest::newRow("vuoto") << "" << 1;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("negativo") << "-3" << 1;
        QTest::newRow("parola") << "tre" << 1;
        QTest::newRow("quattro") << "4" << 4;
    }
    void numeroFamiliari() {
        QFETCH(QString, scritto);
        QFETCH(int, registrato);
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomNuovo"));
        sostituisci(p, "edtNumFam", scritto);
        QVERIFY(p.scrivi("edtNomCognome", "ROSSI"));
        QVERIFY(p.scrivi("edtNomNome", "Anna"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(stato(p), "consultazione");
        QCOMPARE(p.righe("SELECT cognome, nome, numFamiliari FROM nominativi"),
                 QStringList{"ROSSI|Anna|" + QString::number(registrato)});
        QCOMPARE(testo(p, "edtNumFam"), QString::number(registrato));
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // Conferma needs both names (blanks count as a name); a refused Conferma keeps the card
    // open and stores nothing, and Annulla then removes the record Nuovo created.
    void nomeECognomeObbligatori() {
        ProgrammaProva p({nominativo("BIANCHI", "Luca")});
        QVERIFY(p.vaiScheda("tsNominativi"));
        for (const char* campo : {"edtNomCognome", "edtNomNome"}) {
            QVERIFY(p.clicca("btnNomNuovo"));
            QVERIFY(p.scrivi(campo, "VERDI"));
            p.messaggi().attendi(Tipo::Informazione, NOMI);
            QVERIFY(p.clicca("btnNomConferma"));
            QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
            QCOMPARE(stato(p), "modifica");
            QVERIFY(!p.vaiScheda("tsFornitori"));
            QCOMPARE(testo(p, campo), "VERDI");
            QCOMPARE(p.righe("SELECT cognome, nome, numFamiliari FROM nominativi ORDER BY ID"),
                     (QStringList{"BIANCHI|Luca|1", "||0"}));
            QVERIFY(p.clicca("btnNomAnnulla"));
            QCOMPARE(stato(p), "consultazione");
            QCOMPARE(p.righe("SELECT cognome, nome FROM nominativi"), QStringList{"BIANCHI|Luca"});
        }

        QVERIFY(p.clicca("btnNomNuovo"));
        QVERIFY(p.scrivi("edtNomCognome", "   "));
        QVERIFY(p.scrivi("edtNomNome", " "));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(stato(p), "consultazione");
        QCOMPARE(p.valore("SELECT COUNT(*) FROM nominativi WHERE cognome = '   ' AND nome = ' ' "
                          "AND numFamiliari = 1")
                     .toInt(),
                 1);
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // Modifica of a stored beneficiary: Annulla puts every value back and keeps the record
    // (even right after a confirmed Nuovo); Conferma keeps the family size it had, raises
    // a stored 0 to 1, and takes a size typed alone.
    void modificaDiUnEsistente() {
        ProgrammaProva p(
            {nominativo("ROSSI", "Mario", "Milano", 3), nominativo("VERDI", "Anna", "Pavia", 0)});
        auto* g = p.trova<Griglia>("grNominativi");
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomNuovo"));
        QVERIFY(p.scrivi("edtNomCognome", "NERI"));
        QVERIFY(p.scrivi("edtNomNome", "Ugo"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(rigaCorrente(g), "NERI|Ugo|");

        QVERIFY(p.clicca("btnNomModifica"));
        QCOMPARE(stato(p), "modifica");
        sostituisci(p, "edtNomNome", "");
        sostituisci(p, "edtNomCitta", "Lodi");
        sostituisci(p, "edtNomNote", "da non tenere");
        p.messaggi().attendi(Tipo::Informazione, NOMI);
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(stato(p), "modifica");
        QVERIFY(p.clicca("btnNomAnnulla"));
        QCOMPARE(p.righe("SELECT cognome, nome, citta, numFamiliari FROM nominativi ORDER BY ID"),
                 (QStringList{"ROSSI|Mario|Milano|3", "VERDI|Anna|Pavia|0", "NERI|Ugo||1"}));
        QCOMPARE(testo(p, "edtNomNome"), "Ugo");
        QCOMPARE(testo(p, "edtNomCitta") + testo(p, "edtNomNote"), "");

        cliccaRiga(g, 1);
        QCOMPARE(testo(p, "edtNumFam"), "3");
        QVERIFY(p.clicca("btnNomModifica"));
        sostituisci(p, "edtNomCitta", "Torino");
        QVERIFY(p.clicca("btnNomConferma"));
        cliccaRiga(g, 2);
        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(testo(p, "edtNumFam"), "1");
        cliccaRiga(g, 0);
        QVERIFY(p.clicca("btnNomModifica"));
        sostituisci(p, "edtNumFam", "5");
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT cognome, citta, numFamiliari FROM nominativi ORDER BY ID"),
                 (QStringList{"ROSSI|Torino|3", "VERDI|Pavia|1", "NERI||5"}));
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // Every box of the card writes its own column, the two memos included (with their line
    // breaks), and shows it again when the row becomes current; no box takes more than its
    // column holds, and a note typed beyond 100 characters keeps its first 100.
    void campiDellaScheda() {
        const QStringList caselle = {"edtNomCognome",     "edtNomNome",          "edtNomVia",
                                     "edtNomCap",         "edtNomCitta",         "edtNomProv",
                                     "edtNomNazione",     "edtNomTelefono1",     "edtNomTelefono2",
                                     "edtNomEmail",       "edtNomNatoIl",        "edtNomNatoA",
                                     "edtNomNazionalita", "edtNomStatoCivile",   "edtNomCodfisc",
                                     "edtNomNote",        "edtNomDettFamiliari", "edtNumFam"};
        const QStringList valori =
            QString("DE LUCA|Maria Grazia|Via Roma 12|20100|Milano|MI|Italia|02 1234567|"
                    "333 7654321|m.deluca@example.it|12/03/1970|Bari|italiana|coniugata|"
                    "DLCMGR70C52A662X|Allergia al glutine\nSolo mattina|"
                    "Marito: Paolo\nFiglia: Anna, 8 anni|3")
                .split('|');
        const QString colonne = "cognome, nome, via, cap, citta, prov, nazione, telefono1, "
                                "telefono2, email, natoIl, natoA, nazionalita, statoCivile, "
                                "codfisc, note, dettFamiliari, numFamiliari";
        ProgrammaProva p({nominativo("ABATE", "Zeno")});
        auto* g = p.trova<Griglia>("grNominativi");
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomNuovo"));
        for (int i = 0; i < caselle.size(); ++i)
            sostituisci(p, caselle[i], valori[i]);
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT " + colonne + " FROM nominativi WHERE ID > 1"),
                 QStringList{valori.join('|')});
        QCOMPARE(elenco(g), (QStringList{"ABATE|Zeno|", "DE LUCA|Maria Grazia|Milano"}));

        cliccaRiga(g, 0);
        QCOMPARE(testo(p, "edtNomCognome") + testo(p, "edtNomVia") + testo(p, "edtNomNote") +
                     testo(p, "edtNomDettFamiliari"),
                 "ABATE");
        cliccaRiga(g, 1);
        for (int i = 0; i < caselle.size(); ++i)
            QCOMPARE(testo(p, caselle[i]), valori[i]);

        QVERIFY(p.clicca("btnNomModifica"));
        sostituisci(p, "edtNomCognome", QString(45, 'C'));
        sostituisci(p, "edtNomCap", "201000");
        const QString nota = QString("0123456789").repeated(12);
        sostituisci(p, "edtNomNote", nota);
        QCOMPARE(testo(p, "edtNomCognome"), QString(40, 'C'));
        QCOMPARE(testo(p, "edtNomNote"), nota.left(100));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT cognome, cap, note FROM nominativi WHERE ID > 1"),
                 QStringList{QString(40, 'C') + "|20100|" + nota.left(100)});
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // By surname, then first name, without regard to case; a confirmed new beneficiary
    // takes its place in that order and stays current.
    void ordineElenco() {
        ProgrammaProva p({nominativo("rossi", "anna", "Lodi"), nominativo("ROSSI", "Bruno"),
                          nominativo("Bianchi", "Zoe"), nominativo("bianchi", "adele"),
                          nominativo("Verdi", "Carlo"), nominativo("Abate", "Zeno")});
        auto* g = p.trova<Griglia>("grNominativi");
        QVERIFY(p.vaiScheda("tsNominativi"));
        const QStringList attesi = {"Abate|Zeno|",     "bianchi|adele|", "Bianchi|Zoe|",
                                    "rossi|anna|Lodi", "ROSSI|Bruno|",   "Verdi|Carlo|"};
        QCOMPARE(elenco(g), attesi);

        QVERIFY(p.clicca("btnNomNuovo"));
        QVERIFY(p.scrivi("edtNomCognome", "conti"));
        QVERIFY(p.scrivi("edtNomNome", "Marco"));
        QVERIFY(p.clicca("btnNomConferma"));
        QStringList conNuovo = attesi;
        conNuovo.insert(3, "conti|Marco|");
        QCOMPARE(elenco(g), conNuovo);
        QCOMPARE(rigaCorrente(g), "conti|Marco|");
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // The search box keeps the beneficiaries whose surname contains the text, in any case.
    void ricerca_data() {
        QTest::addColumn<QString>("cercato");
        QTest::addColumn<QStringList>("trovati");
        QTest::newRow("interno minuscolo") << "mbil" << QStringList{"BRAMBILLA|Ugo|"};
        QTest::newRow("apostrofo") << "D'AMICO" << QStringList{"D'AMICO|Rita|"};
        QTest::newRow("apostrofo minuscolo") << "d'a" << QStringList{"D'AMICO|Rita|"};
        QTest::newRow("non solo all'inizio")
            << "AMI" << QStringList{"D'AMICO|Rita|", "DAMIANI|Piero|"};
        QTest::newRow("minuscole registrate") << "ESPO" << QStringList{"Esposito|Gino|"};
        QTest::newRow("accentate") << "müll" << QStringList{"MÜLLER|Hans|"};
    }
    void ricerca() {
        QFETCH(QString, cercato);
        QFETCH(QStringList, trovati);
        ProgrammaProva p({nominativo("BRAMBILLA", "Ugo"), nominativo("D'AMICO", "Rita"),
                          nominativo("DAMIANI", "Piero"), nominativo("Esposito", "Gino"),
                          nominativo("MÜLLER", "Hans"), nominativo("ROSSI", "Mario")});
        auto* g = p.trova<Griglia>("grNominativi");
        QVERIFY(p.vaiScheda("tsNominativi"));
        digita(p.trova("edtNomCerca"), cercato);
        QCOMPARE(elenco(g), trovati);
        QCOMPARE(rigaCorrente(g), trovati.first());
        QCOMPARE(testo(p, "edtNomCognome") + "|" + testo(p, "edtNomNome") + "|", trovati.first());
        sostituisci(p, "edtNomCerca", "");
        QCOMPARE(elenco(g).size(), 6);
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // A text that matches nothing is cut back, with "Nessuna corrispondenza" for each
    // character taken away, to the last text that matched; the caret goes to its end.
    void ricercaSenzaCorrispondenza() {
        ProgrammaProva p({nominativo("BRAMBILLA", "Ugo"), nominativo("BRUNO", "Lia"),
                          nominativo("ROSSI", "Mario")});
        auto* g = p.trova<Griglia>("grNominativi");
        auto* cerca = p.trova<QLineEdit>("edtNomCerca");
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.scrivi("edtNomCerca", "BRA"));
        p.messaggi().attendi(Tipo::Informazione, "Nessuna corrispondenza");
        QTest::keyClick(cerca, Qt::Key_X);
        QCOMPARE(p.messaggi().mostrati(), QStringList{"informazione: Nessuna corrispondenza"});
        QCOMPARE(cerca->text(), "BRA");
        QCOMPARE(cerca->cursorPosition(), 3);
        QVERIFY(!cerca->hasSelectedText());
        QCOMPARE(elenco(g), QStringList{"BRAMBILLA|Ugo|"});

        // A pasted text of which only the first letter matches.
        sostituisci(p, "edtNomCerca", "");
        for (int i = 0; i < 3; ++i)
            p.messaggi().attendi(Tipo::Informazione, "Nessuna corrispondenza");
        cerca->insert("RZZZ");
        QCOMPARE(p.messaggi().mostrati().size(), 4);
        QCOMPARE(cerca->text(), "R");
        QCOMPARE(cerca->cursorPosition(), 1);
        QCOMPARE(elenco(g).size(), 3);

        // A first letter that matches nothing leaves the box empty and every row shown.
        sostituisci(p, "edtNomCerca", "");
        p.messaggi().attendi(Tipo::Informazione, "Nessuna corrispondenza");
        QTest::keyClick(cerca, Qt::Key_Q);
        QCOMPARE(cerca->text(), "");
        QCOMPARE(elenco(g).size(), 3);
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // Leaving the tab with a search typed and coming back shows every row again, the
    // search box empty, on the row that was current (found by its ID, re-read meanwhile).
    void ritornoAllaScheda() {
        ProgrammaProva p({nominativo("rossi", "anna"), nominativo("ROSSI", "Bruno"),
                          nominativo("Verdi", "Carlo"), nominativo("Bianchi", "Dino")});
        auto* g = p.trova<Griglia>("grNominativi");
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.scrivi("edtNomCerca", "ross"));
        QCOMPARE(elenco(g).size(), 2);
        cliccaRiga(g, 1);
        QCOMPARE(testo(p, "edtNomNome"), "Bruno");

        QVERIFY(p.vaiScheda("tsFornitori"));
        p.esegui(nominativo("Abate", "Zeno"));
        QVERIFY(p.vaiScheda("tsNominativi"));
        QCOMPARE(testo(p, "edtNomCerca"), "");
        QCOMPARE(elenco(g), (QStringList{"Abate|Zeno|", "Bianchi|Dino|", "rossi|anna|",
                                         "ROSSI|Bruno|", "Verdi|Carlo|"}));
        QCOMPARE(rigaCorrente(g), "ROSSI|Bruno|");
        QCOMPARE(testo(p, "edtNomNome"), "Bruno");
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // The hidden Elimina: asks by surname and name, deletes on Yes only, and shows every row
    // again when a search was active (the box keeps its text).
    void eliminazione() {
        ProgrammaProva p({nominativo("ROSSI", "Mario"), nominativo("BIANCHI", "Anna"),
                          nominativo("VERDI", "Ugo")});
        auto* g = p.trova<Griglia>("grNominativi");
        auto* pagina = p.trova<PaginaAnagrafica>("tsNominativi");
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(!p.trova("btnNomElimina")->isVisible());
        cliccaRiga(g, 1);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il nominativo ROSSI Mario?", false);
        pagina->btnEliminaClick();
        QCOMPARE(p.valore("SELECT COUNT(*) FROM nominativi").toInt(), 3);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il nominativo ROSSI Mario?", true);
        pagina->btnEliminaClick();
        QCOMPARE(p.righe("SELECT cognome FROM nominativi ORDER BY ID"),
                 (QStringList{"BIANCHI", "VERDI"}));
        QCOMPARE(elenco(g), (QStringList{"BIANCHI|Anna|", "VERDI|Ugo|"}));
        QCOMPARE(rigaCorrente(g), "VERDI|Ugo|");
        QCOMPARE(testo(p, "edtNomCognome"), "VERDI");

        QVERIFY(p.scrivi("edtNomCerca", "erd"));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il nominativo VERDI Ugo?", true);
        pagina->btnEliminaClick();
        QCOMPARE(elenco(g), QStringList{"BIANCHI|Anna|"});
        QCOMPARE(testo(p, "edtNomCerca"), "erd");
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }

    // The card prints the current beneficiary, the list prints them all; Cancel prints
    // nothing.
    void stampe() {
        ProgrammaProva p({nominativo("ROSSI", "Mario"), nominativo("VERDI", "Anna")});
        auto* g = p.trova<Griglia>("grNominativi");
        QVERIFY(p.vaiScheda("tsNominativi"));
        cliccaRiga(g, 1);
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
        QVERIFY(p.clicca("btnNomStampaScheda"));
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
        QVERIFY(p.clicca("btnNomStampaElenco"));
        QVERIFY(p.stampe().isEmpty());
        QCOMPARE(p.valore("SELECT Stampa_Nominativo_ID FROM parametri").toString(), "0");

        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        QVERIFY(p.clicca("btnNomStampaScheda"));
        QTRY_COMPARE(p.stampe().size(), 1);
        const QString fileScheda = p.stampe().at(0);
        const QString scheda = ProgrammaProva::testoPdf(fileScheda);
        QVERIFY2(scheda.contains("VERDI") && scheda.contains("Anna"), qPrintable(scheda));
        QVERIFY2(!scheda.contains("ROSSI"), qPrintable(scheda));
        QCOMPARE(p.valore("SELECT Stampa_Nominativo_ID FROM parametri").toString(),
                 p.valore("SELECT ID FROM nominativi WHERE cognome = 'VERDI'").toString());

        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        QVERIFY(p.clicca("btnNomStampaElenco"));
        QTRY_COMPARE(p.stampe().size(), 2);
        QStringList nuove = p.stampe();
        nuove.removeOne(fileScheda);
        const QString lista = ProgrammaProva::testoPdf(nuove.value(0));
        QVERIFY2(lista.contains("ROSSI") && lista.contains("VERDI"), qPrintable(lista));
        QVERIFY2(p.problemi().isEmpty(), qPrintable(p.problemi().join('\n')));
    }
};

QTEST_MAIN(TestNominativi)
#include "tst_nominativi.moc"
