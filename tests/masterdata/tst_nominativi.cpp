// The "Nominativi" tab: what is particular to beneficiaries. The workflow shared with the
// other master-data tabs is checked in tst_articoli.

#include "PaginaAnagrafica.h"
#include "ProgrammaProva.h"

#include <QApplication>

namespace {
using Tipo = Messaggi::Tipo;
const QString NOMI = QStringLiteral("Inserire nome e cognome, o premere Annulla");

QString nominativo(const QString& cognome, const QString& nome, const QString& citta = {},
                   int familiari = 1) {
    const auto sql = [](QString t) { return t.replace('\'', "''"); };
    return QStringLiteral("INSERT INTO nominativi (cognome, nome, citta, numFamiliari) "
                          "VALUES ('%1', '%2', '%3', %4)")
        .arg(sql(cognome), sql(nome), sql(citta), QString::number(familiari));
}

bool inModifica(const ProgrammaProva& p) {
    return p.stato({"edtNomCognome", "btnNomConferma"}, {"grNominativi", "btnNomNuovo"}) ==
           "modifica";
}
} // namespace

class TestNominativi : public QObject {
    Q_OBJECT

private slots:
    // Guards the starting values Nuovo stores, Conferma needing both names (blanks count), and
    // the family size: a stored 0 raised to 1 by Conferma; at least one person
    // whatever the box holds ("1.500" read as 1500); a text that is no whole number or beyond
    // the column's 32767 refused, the card kept open and the record as Nuovo stored it.
    void nuovoENumeroFamiliari() {
        const QList<std::pair<QString, QString>> casi = {
            {"", "1"}, {"0", "1"}, {"-3", "1"}, {"4", "4"}, {"1.500", "1500"}, {"32767", "32767"}};
        const QString ultimo = "SELECT cognome, nome, numFamiliari FROM nominativi "
                               "WHERE ID = (SELECT MAX(ID) FROM nominativi)";
        ProgrammaProva p({nominativo("VERDI", "Anna", "Pavia", 0)});
        QVERIFY(p.vaiScheda("tsNominativi"));
        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe(ultimo), QStringList{"VERDI|Anna|1"});

        QVERIFY(p.clicca("btnNomNuovo"));
        QCOMPARE(QApplication::focusWidget(), p.trova("edtNomCognome"));
        const QStringList testi = {"cognome",     "nome",      "via",     "cap",
                                   "citta",       "prov",      "nazione", "nazionalita",
                                   "telefono1",   "telefono2", "email",   "codfisc",
                                   "statoCivile", "natoA",     "note",    "dettFamiliari"};
        QCOMPARE(p.righe("SELECT quote(natoIl), numFamiliari, quote(" + testi.join("), quote(") +
                         ") FROM nominativi WHERE ID > 1"),
                 QStringList{"'0'|0|" + QStringList(testi.size(), "''").join('|')});
        QCOMPARE(p.testo("edtNomNatoIl") + p.testo("edtNumFam"), "00");
        QVERIFY(p.clicca("btnNomAnnulla"));

        for (const char* campo : {"edtNomCognome", "edtNomNome"}) {
            QVERIFY(p.clicca("btnNomNuovo"));
            QVERIFY(p.scrivi(campo, "VERDI"));
            p.messaggi().attendi(Tipo::Informazione, NOMI);
            QVERIFY(p.clicca("btnNomConferma"));
            QVERIFY(inModifica(p));
            QCOMPARE(p.testo(campo), "VERDI");
            QCOMPARE(p.righe("SELECT cognome, nome, numFamiliari FROM nominativi ORDER BY ID"),
                     (QStringList{"VERDI|Anna|1", "||0"}));
            QVERIFY(p.clicca("btnNomAnnulla"));
        }

        QVERIFY(p.clicca("btnNomNuovo"));
        QVERIFY(p.scrivi("edtNomCognome", "   "));
        QVERIFY(p.scrivi("edtNomNome", " "));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT cognome, nome, numFamiliari FROM nominativi ORDER BY ID"),
                 (QStringList{"VERDI|Anna|1", "   | |1"}));

        for (const auto& [scritto, registrato] : casi) {
            QVERIFY(p.clicca("btnNomNuovo"));
            QVERIFY(p.sostituisci("edtNumFam", scritto));
            QVERIFY(p.scrivi("edtNomCognome", "ROSSI"));
            QVERIFY(p.scrivi("edtNomNome", "Anna"));
            QVERIFY(p.clicca("btnNomConferma"));
            QCOMPARE(p.righe(ultimo), QStringList{"ROSSI|Anna|" + registrato});
        }

        QVERIFY(p.clicca("btnNomNuovo"));
        QVERIFY(p.scrivi("edtNomCognome", "VERDI"));
        QVERIFY(p.scrivi("edtNomNome", "Ugo"));
        for (const char* scritto : {"tre", "2,5", "1.50"}) {
            QVERIFY(p.sostituisci("edtNumFam", scritto));
            p.messaggi().attendi(Tipo::Informazione,
                                 "Il numero dei componenti del nucleo famigliare non è corretto.");
            QVERIFY(p.clicca("btnNomConferma"));
        }
        QVERIFY(p.sostituisci("edtNumFam", "40000"));
        p.messaggi().attendi(
            Tipo::Informazione,
            "Il numero dei componenti del nucleo famigliare non può superare 32767.");
        QVERIFY(p.clicca("btnNomConferma"));
        QVERIFY(inModifica(p));
        QCOMPARE(p.righe(ultimo), QStringList{"||0"});
        QVERIFY(p.sostituisci("edtNumFam", "3"));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe(ultimo), QStringList{"VERDI|Ugo|3"});
        SENZA_PROBLEMI(p);
    }

    // Guards the order by surname then name, any case; each box writing and showing its own
    // column (memos with line breaks), none taking more than its column holds (a note its
    // first 100 characters); the surname search (apostrophes too) with the first found on
    // the card; the delete question; the card print by ID.
    void elencoSchedaRicercaStampa() {
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
        ProgrammaProva p({nominativo("rossi", "anna", "Lodi"), nominativo("ROSSI", "Bruno"),
                          nominativo("D'AMICO", "Rita"), nominativo("damiani", "Piero"),
                          nominativo("Verdi", "Amilcare"), nominativo("Abate", "Zeno")});
        QVERIFY(p.vaiScheda("tsNominativi"));
        QStringList attesi = {"Abate|Zeno|",     "D'AMICO|Rita|", "damiani|Piero|",
                              "rossi|anna|Lodi", "ROSSI|Bruno|",  "Verdi|Amilcare|"};
        QCOMPARE(p.elenco("grNominativi"), attesi);
        QVERIFY(p.clicca("btnNomNuovo"));
        for (int i = 0; i < caselle.size(); ++i)
            QVERIFY(p.sostituisci(caselle[i], valori[i]));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT " + colonne + " FROM nominativi WHERE ID = 7"),
                 QStringList{valori.join('|')});
        attesi.insert(3, "DE LUCA|Maria Grazia|Milano");
        QCOMPARE(p.elenco("grNominativi"), attesi);
        QVERIFY(p.cliccaRiga("grNominativi", 0));
        QVERIFY(p.cliccaRiga("grNominativi", 3));
        for (int i = 0; i < caselle.size(); ++i)
            QCOMPARE(p.testo(caselle[i]), valori[i]);

        QVERIFY(p.clicca("btnNomModifica"));
        QVERIFY(p.sostituisci("edtNomCognome", QString(45, 'C')));
        QVERIFY(p.sostituisci("edtNomCap", "201000"));
        const QString nota = QString("0123456789").repeated(12);
        QVERIFY(p.sostituisci("edtNomNote", nota));
        QVERIFY(p.clicca("btnNomConferma"));
        QCOMPARE(p.righe("SELECT cognome, cap, note FROM nominativi WHERE ID = 7"),
                 QStringList{QString(40, 'C') + "|20100|" + nota.left(100)});

        const QList<std::pair<QString, QStringList>> casi = {
            {"AMI", {"D'AMICO|Rita|", "damiani|Piero|"}}, {"d'a", {"D'AMICO|Rita|"}}};
        for (const auto& [cercato, trovati] : casi) {
            QVERIFY(p.sostituisci("edtNomCerca", cercato));
            QCOMPARE(p.elenco("grNominativi"), trovati);
            QCOMPARE(p.testo("edtNomCognome") + "|" + p.testo("edtNomNome") + "|", trovati.first());
        }
        QVERIFY(p.sostituisci("edtNomCerca", "ross"));
        QVERIFY(p.cliccaRiga("grNominativi", 1));
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il nominativo ROSSI Bruno?", true);
        p.trova<PaginaAnagrafica>("tsNominativi")->btnEliminaClick();
        QCOMPARE(p.valore("SELECT COUNT(*) FROM nominativi WHERE nome = 'Bruno'").toInt(), 0);

        QVERIFY(p.sostituisci("edtNomCerca", "verdi"));
        p.messaggi().attendi(Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.", true);
        const QString scheda = p.stampa("btnNomStampaScheda");
        QVERIFY2(scheda.contains("Verdi") && scheda.contains("Amilcare") &&
                     !scheda.contains("Abate"),
                 qPrintable(scheda));
        QCOMPARE(p.valore("SELECT Stampa_Nominativo_ID FROM parametri").toString(),
                 p.valore("SELECT ID FROM nominativi WHERE cognome = 'Verdi'").toString());
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestNominativi)
#include "tst_nominativi.moc"
