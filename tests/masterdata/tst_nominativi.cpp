// The "Nominativi" tab driven through the main window: a new beneficiary and its starting
// values, the checks of Conferma (both names, the family size), the card's fields and
// their lengths, the list order, the surname search, the return to the tab, deleting and
// printing through the report host.

#include "PaginaAnagrafica.h"
#include "ProgrammaProva.h"

#include <QApplication>
#include <QLineEdit>

namespace {
using Tipo = Messaggi::Tipo;
const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");
const QString NOMI = QStringLiteral("Inserire nome e cognome, o premere Annulla");
const QString NESSUNA = QStringLiteral("Nessuna corrispondenza");

QString nominativo(const QString& cognome, const QString& nome, const QString& citta = {},
                   int familiari = 1) {
    const auto sql = [](QString t) { return t.replace('\'', "''"); };
    return QStringLiteral("INSERT INTO nominativi (cognome, nome, citta, numFamiliari) "
                          "VALUES ('%1', '%2', '%3', %4)")
        .arg(sql(cognome), sql(nome), sql(citta), QString::number(familiari));
}

// The card against the list, its search box and Nuovo.
QString stato(const ProgrammaProva& p) {
    return p.stato({"edtNomCognome", "btnNomConferma"},
                   {"grNominativi", "edtNomCerca", "btnNomNuovo"});
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
        QCOMPARE(p.testo("edtNomNatoIl"), "0");
        QCOMPARE(p.testo("edtNumFam"), "0");
        QVERIFY(!p.vaiScheda("tsFornitori"));

        QVERIFY(p.scrivi("edtNomCognome", "VERDI"));
        QVERIFY(p.clicca("btnNomAnnulla"));
        QCOMPARE(stato(p), "consultazione");
        QCOMPARE(p.valore("SELECT COUNT(*) FROM nominativi").toInt(), 0);
        QCOMPARE(p.testo("edtNomCognome"), "");
        QVERIFY(p.vaiScheda("tsFornitori"));
        SENZA_PROBLEMI(p);
    }

    // Whatever the family size box holds, a confirmed beneficiary counts at least one person.
    // A size beyond what the column holds is refused at Conferma: the card stays open and the
    // record keeps what Nuovo stored, until a size it holds is typed.
    void numeroFamiliari() {
        const QList<std::pair<QString, QString>> casi = {
            {"", "1"}, {"0", "1"}, {"-3", "1"}, {"tre", "1"}, {"4", "4"}, {"32767", "32767"}};
        const QString ultimo = "SELECT cognome, nome, numFamiliari FROM nominativi "
                               "WHERE ID = (SELECT MAX(ID) FROM nominativi)";
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsNominativi"));
        for (const auto& [scritto, registrato] : casi) {
            QVERIFY(p.clicca("btnNomNuovo"));
            QVERIFY(p.sostituisci("edtNumFam", scritto));
            QVERIFY(p.scrivi("edtNomCognome", "ROSSI"));
            QVERIFY(p.scrivi("edtNomNome", "Anna"));
            QVERIFY(p.clicca("btnNomConferma"));
            QCOMPARE(stato(p), "consultazione");
            QCOMPARE(p.righe(ultimo), QStringList{"ROSSI|Anna|" + registrato});
            QCOMPARE(p.testo("edtNumFam"), registrato);
        }

        QVERIFY(p.clicca("btnNomNuovo"));
        QVERIFY(p.scrivi("edtNomCognome", "VERDI"));
        QVERIFY(p.scrivi("edtNomNome", "Ugo"));
        QVERIFY(p.sostituisci("edtNumFam", "40000"));
        p.messaggi().attendi(
            Tipo::Informazione,
            "Il numero dei componenti del nucleo famigliare non può superare 32767.");
        QVERIFY(p.clicca("btnNomConferma"));
        SENZA_PROBLEMI(p);
        QCOMPARE(stato(p), "modifica");
        QCOMPARE(p.righe(ultimo), QStringList{"||0"});
        QVERIFY(p.sostituisci("edtNumFam", "3"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(stato(p), "consultazione");
        QCOMPARE(p.righe(ultimo), QStringList{"VERDI|Ugo|3"});
        SENZA_PROBLEMI(p);
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
            SENZA_PROBLEMI(p);
            QCOMPARE(stato(p), "modifica");
            QVERIFY(!p.vaiScheda("tsFornitori"));
            QCOMPARE(p.testo(campo), "VERDI");
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
        QCOMPARE(p.righe("SELECT cognome, nome, numFamiliari FROM nominativi ORDER BY ID"),
                 (QStringList{"BIANCHI|Luca|1", "   | |1"}));
        SENZA_PROBLEMI(p);
    }

    // Modifica of a stored beneficiary: Annulla puts every value back and keeps the record
    // (even right after a confirmed Nuovo); Conferma keeps the family size it had, raises
    // a stored 0 to 1, and takes a size typed alone.
    void modificaDiUnEsistente() {
        ProgrammaProva p(
            {nominativo("ROSSI", "Mario", "Milano", 3), nominativo("VERDI", "Anna", "Pavia", 0)});
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomNuovo"));
        QVERIFY(p.scrivi("edtNomCognome", "NERI"));
        QVERIFY(p.scrivi("edtNomNome", "Ugo"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.rigaCorrente("grNominativi"), "NERI|Ugo|");

        QVERIFY(p.clicca("btnNomModifica"));
        QCOMPARE(stato(p), "modifica");
        QVERIFY(p.sostituisci("edtNomNome", ""));
        QVERIFY(p.sostituisci("edtNomCitta", "Lodi"));
        QVERIFY(p.sostituisci("edtNomNote", "da non tenere"));
        p.messaggi().attendi(Tipo::Informazione, NOMI);
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(stato(p), "modifica");
        QVERIFY(p.clicca("btnNomAnnulla"));
        QCOMPARE(p.righe("SELECT cognome, nome, citta, numFamiliari FROM nominativi ORDER BY ID"),
                 (QStringList{"ROSSI|Mario|Milano|3", "VERDI|Anna|Pavia|0", "NERI|Ugo||1"}));
        QCOMPARE(p.testo("edtNomNome"), "Ugo");
        QCOMPARE(p.testo("edtNomCitta") + p.testo("edtNomNote"), "");

        QVERIFY(p.cliccaRiga("grNominativi", 1));
        QCOMPARE(p.testo("edtNumFam"), "3");
        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.sostituisci("edtNomCitta", "Torino"));
        QVERIFY(p.clicca("btnNomConferma"));
        QVERIFY(p.cliccaRiga("grNominativi", 2));
        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.testo("edtNumFam"), "1");
        QVERIFY(p.cliccaRiga("grNominativi", 0));
        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.sostituisci("edtNumFam", "5"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT cognome, citta, numFamiliari FROM nominativi ORDER BY ID"),
                 (QStringList{"ROSSI|Torino|3", "VERDI|Pavia|1", "NERI||5"}));
        SENZA_PROBLEMI(p);
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
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomNuovo"));
        for (int i = 0; i < caselle.size(); ++i)
            QVERIFY(p.sostituisci(caselle[i], valori[i]));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT " + colonne + " FROM nominativi WHERE ID > 1"),
                 QStringList{valori.join('|')});
        QCOMPARE(p.elenco("grNominativi"),
                 (QStringList{"ABATE|Zeno|", "DE LUCA|Maria Grazia|Milano"}));

        QVERIFY(p.cliccaRiga("grNominativi", 0));
        QCOMPARE(p.testo("edtNomCognome") + p.testo("edtNomVia") + p.testo("edtNomNote") +
                     p.testo("edtNomDettFamiliari"),
                 "ABATE");
        QVERIFY(p.cliccaRiga("grNominativi", 1));
        for (int i = 0; i < caselle.size(); ++i)
            QCOMPARE(p.testo(caselle[i]), valori[i]);

        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.sostituisci("edtNomCognome", QString(45, 'C')));
        QVERIFY(p.sostituisci("edtNomCap", "201000"));
        const QString nota = QString("0123456789").repeated(12);
        QVERIFY(p.sostituisci("edtNomNote", nota));
        QCOMPARE(p.testo("edtNomCognome"), QString(40, 'C'));
        QCOMPARE(p.testo("edtNomNote"), nota.left(100));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT cognome, cap, note FROM nominativi WHERE ID > 1"),
                 QStringList{QString(40, 'C') + "|20100|" + nota.left(100)});
        SENZA_PROBLEMI(p);
    }

    // By surname, then first name, without regard to case; a confirmed new beneficiary
    // takes its place in that order and stays current. Leaving the tab with a search typed
    // and coming back shows every row again, the search box empty, on the row that was
    // current (found by its ID: a row added meanwhile moved it down).
    void ordineElenco() {
        ProgrammaProva p({nominativo("rossi", "anna", "Lodi"), nominativo("ROSSI", "Bruno"),
                          nominativo("Bianchi", "Zoe"), nominativo("bianchi", "adele"),
                          nominativo("Verdi", "Carlo"), nominativo("Abate", "Zeno")});
        QVERIFY(p.vaiScheda("tsNominativi"));
        QStringList attesi = {"Abate|Zeno|",     "bianchi|adele|", "Bianchi|Zoe|",
                              "rossi|anna|Lodi", "ROSSI|Bruno|",   "Verdi|Carlo|"};
        QCOMPARE(p.elenco("grNominativi"), attesi);

        QVERIFY(p.clicca("btnNomNuovo"));
        QVERIFY(p.scrivi("edtNomCognome", "conti"));
        QVERIFY(p.scrivi("edtNomNome", "Marco"));
        QVERIFY(p.clicca("btnNomConferma"));
        attesi.insert(3, "conti|Marco|");
        QCOMPARE(p.elenco("grNominativi"), attesi);
        QCOMPARE(p.rigaCorrente("grNominativi"), "conti|Marco|");

        QVERIFY(p.scrivi("edtNomCerca", "ross"));
        QCOMPARE(p.elenco("grNominativi").size(), 2);
        QVERIFY(p.cliccaRiga("grNominativi", 1));
        QCOMPARE(p.testo("edtNomNome"), "Bruno");
        QVERIFY(p.vaiScheda("tsFornitori"));
        p.esegui(nominativo("Abate", "Alba"));
        QVERIFY(p.vaiScheda("tsNominativi"));
        QCOMPARE(p.testo("edtNomCerca"), "");
        attesi.prepend("Abate|Alba|");
        QCOMPARE(p.elenco("grNominativi"), attesi);
        QCOMPARE(p.rigaCorrente("grNominativi"), "ROSSI|Bruno|");
        QCOMPARE(p.testo("edtNomNome"), "Bruno");
        SENZA_PROBLEMI(p);
    }

    // The search box keeps the beneficiaries whose surname contains the text in any case,
    // apostrophes and accented letters included, on the first of them. A text that matches
    // nothing is cut back, with "Nessuna corrispondenza" for each character taken away, to
    // the last text that matched, the caret at its end.
    void ricerca() {
        ProgrammaProva p({nominativo("BRAMBILLA", "Ugo"), nominativo("D'AMICO", "Rita"),
                          nominativo("DAMIANI", "Piero"), nominativo("Esposito", "Gino"),
                          nominativo("MÜLLER", "Hans"), nominativo("ROSSI", "Mario")});
        auto* cerca = p.trova<QLineEdit>("edtNomCerca");
        QVERIFY(p.vaiScheda("tsNominativi"));
        const QList<std::pair<QString, QStringList>> casi = {
            {"AMI", {"D'AMICO|Rita|", "DAMIANI|Piero|"}},
            {"ESPO", {"Esposito|Gino|"}},
            {"d'a", {"D'AMICO|Rita|"}},
            {"müll", {"MÜLLER|Hans|"}},
            {"mbil", {"BRAMBILLA|Ugo|"}}};
        for (const auto& [cercato, trovati] : casi) {
            QVERIFY(p.sostituisci("edtNomCerca", ""));
            QCOMPARE(p.elenco("grNominativi").size(), 6);
            QVERIFY(p.scrivi("edtNomCerca", cercato));
            QCOMPARE(p.elenco("grNominativi"), trovati);
            QCOMPARE(p.rigaCorrente("grNominativi"), trovati.first());
            QCOMPARE(p.testo("edtNomCognome") + "|" + p.testo("edtNomNome") + "|", trovati.first());
        }

        p.messaggi().attendi(Tipo::Informazione, NESSUNA);
        QTest::keyClick(cerca, Qt::Key_X);
        QCOMPARE(p.messaggi().mostrati(), QStringList{"informazione: " + NESSUNA});
        QCOMPARE(cerca->text(), "mbil");
        QCOMPARE(cerca->cursorPosition(), 4);
        QVERIFY(!cerca->hasSelectedText());
        QCOMPARE(p.elenco("grNominativi"), QStringList{"BRAMBILLA|Ugo|"});

        // A pasted text of which only the first letter matches.
        QVERIFY(p.sostituisci("edtNomCerca", ""));
        for (int i = 0; i < 3; ++i)
            p.messaggi().attendi(Tipo::Informazione, NESSUNA);
        cerca->insert("RZZZ");
        QCOMPARE(p.messaggi().mostrati().size(), 4);
        QCOMPARE(cerca->text(), "R");
        QCOMPARE(cerca->cursorPosition(), 1);
        QCOMPARE(p.elenco("grNominativi"),
                 (QStringList{"BRAMBILLA|Ugo|", "MÜLLER|Hans|", "ROSSI|Mario|"}));

        // A first letter that matches nothing leaves the box empty and every row shown.
        QVERIFY(p.sostituisci("edtNomCerca", ""));
        p.messaggi().attendi(Tipo::Informazione, NESSUNA);
        QTest::keyClick(cerca, Qt::Key_Q);
        QCOMPARE(cerca->text(), "");
        QCOMPARE(p.elenco("grNominativi").size(), 6);
        SENZA_PROBLEMI(p);
    }

    // The hidden Elimina: asks by surname and name, deletes on Yes only, and shows every row
    // again when a search was active (the box keeps its text).
    void eliminazione() {
        ProgrammaProva p({nominativo("ROSSI", "Mario"), nominativo("BIANCHI", "Anna"),
                          nominativo("VERDI", "Ugo")});
        auto* pagina = p.trova<PaginaAnagrafica>("tsNominativi");
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(!p.trova("btnNomElimina")->isVisible());
        QVERIFY(p.cliccaRiga("grNominativi", 1));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il nominativo ROSSI Mario?", false);
        pagina->btnEliminaClick();
        QCOMPARE(p.valore("SELECT COUNT(*) FROM nominativi").toInt(), 3);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il nominativo ROSSI Mario?", true);
        pagina->btnEliminaClick();
        QCOMPARE(p.righe("SELECT cognome FROM nominativi ORDER BY ID"),
                 (QStringList{"BIANCHI", "VERDI"}));
        QCOMPARE(p.elenco("grNominativi"), (QStringList{"BIANCHI|Anna|", "VERDI|Ugo|"}));
        QCOMPARE(p.rigaCorrente("grNominativi"), "VERDI|Ugo|");
        QCOMPARE(p.testo("edtNomCognome"), "VERDI");

        QVERIFY(p.scrivi("edtNomCerca", "erd"));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il nominativo VERDI Ugo?", true);
        pagina->btnEliminaClick();
        QCOMPARE(p.elenco("grNominativi"), QStringList{"BIANCHI|Anna|"});
        QCOMPARE(p.testo("edtNomCerca"), "erd");
        SENZA_PROBLEMI(p);
    }

    // The card prints the current beneficiary, the list prints them all; Cancel prints
    // nothing.
    void stampe() {
        ProgrammaProva p({nominativo("ROSSI", "Mario"), nominativo("VERDI", "Anna")});
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.cliccaRiga("grNominativi", 1));
        for (const char* pulsante : {"btnNomStampaScheda", "btnNomStampaElenco"}) {
            p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
            QVERIFY(p.clicca(pulsante));
        }
        QVERIFY(p.stampe().isEmpty());
        QCOMPARE(p.valore("SELECT Stampa_Nominativo_ID FROM parametri").toString(), "0");

        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString scheda = p.stampa("btnNomStampaScheda");
        QVERIFY2(scheda.contains("VERDI") && scheda.contains("Anna") && !scheda.contains("ROSSI"),
                 qPrintable(scheda));
        QCOMPARE(p.valore("SELECT Stampa_Nominativo_ID FROM parametri").toString(),
                 p.valore("SELECT ID FROM nominativi WHERE cognome = 'VERDI'").toString());
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString lista = p.stampa("btnNomStampaElenco");
        QVERIFY2(lista.contains("ROSSI") && lista.contains("VERDI"), qPrintable(lista));
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestNominativi)
#include "tst_nominativi.moc"
