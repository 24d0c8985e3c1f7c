// The "Modelli di consegna" tab.

#include "AzioniDialoghi.h"

#include <QPushButton>

namespace {
using Tipo = Messaggi::Tipo;

const QStringList BASE = {
    "INSERT INTO articoli (ID, descr, agea, um_id) VALUES (1, 'PASTA', 1, 1), (2, 'RISO', 0, 1)",
    "INSERT INTO cons_mast (ID, descr) VALUES (3, 'Pacco anziani'), (4, 'Pacco base')",
    "INSERT INTO cons_dett (modelli_id, articoli_id, qta) VALUES (3, 1, 2), (3, 2, 1), "
    "(4, 2, 1)",
};

bool inModifica(const ProgrammaProva& p) {
    return p.main().inModifica &&
           p.stato({"edtModCons_descr", "btnModCons_Conferma", "btnCons_AggiungiArticolo"},
                   {"grModCons", "btnModNuovo", "btnModStampa"}) == "modifica";
}
} // namespace

class TestModelli : public QObject {
    Q_OBJECT

private slots:
    // Guards a template's life: stored at once unnamed, the tab kept while edited, one article
    // merged at Conferma in this template only; the print ("Stampa tutti" not there yet); the
    // delete questions, lines going with their template, F5 in browse mode merging at once,
    // and an empty list where every action does nothing.
    void modelloDallaNascitaAllEliminazione() {
        ProgrammaProva p(BASE);
        p.esegui("INSERT INTO cons_dett (modelli_id, articoli_id, qta) VALUES (4, 2, 1)");
        QVERIFY(p.vaiScheda("tsModelli"));
        QVERIFY(p.clicca("btnModNuovo"));
        QCOMPARE(p.righe("SELECT ID, descr IS NOT NULL AND descr = '' FROM cons_mast "
                         "WHERE ID > 4"),
                 QStringList{"5|1"});
        QVERIFY(inModifica(p));
        QVERIFY(!p.vaiScheda("tsArticoli"));

        azioni::articolo(p, "pas", "2");
        QVERIFY(p.clicca("btnCons_AggiungiArticolo"));
        azioni::articolo(p, "pas", "3");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        QCOMPARE(p.elenco("grConsDett"), QStringList({"PASTA|kg|2", "PASTA|kg|3"}));
        QVERIFY(p.sostituisci("edtModCons_descr", "Pacco famiglia"));
        QVERIFY(p.clicca("btnModCons_Conferma"));
        QVERIFY(!p.main().inModifica);
        QCOMPARE(p.elenco("grConsDett"), QStringList{"PASTA|kg|5"});
        QCOMPARE(p.righe("SELECT M.descr, D.articoli_id, D.qta FROM cons_mast M "
                         "JOIN cons_dett D ON D.modelli_id = M.ID WHERE M.ID = 5"),
                 QStringList{"Pacco famiglia|1|5"});
        QCOMPARE(p.valore("SELECT COUNT(*) FROM cons_dett WHERE modelli_id = 4").toInt(), 2);

        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(p.vaiScheda("tsModelli"));
        QCOMPARE(p.rigaCorrente("grModCons"), "Pacco famiglia");

        QVERIFY(p.cliccaRiga("grModCons", 1));
        p.messaggi().attendi(Tipo::OkAnnulla, "Premere OK quando la stampante è pronta.");
        const QString testo = p.stampa("btnModStampa");
        QVERIFY2(testo.contains("Pacco base") && testo.contains("RISO"), qPrintable(testo));
        QCOMPARE(p.valore("SELECT Stampa_ModCons_id FROM parametri").toInt(), 4);
        auto* tutti = p.trova<QPushButton>("btnModStampaElenco");
        QVERIFY(!tutti->isVisibleTo(&p.main()));
        p.messaggi().attendi(Tipo::Informazione, "Non ancora implementato");
        tutti->click();

        QVERIFY(p.cliccaRiga("grModCons", 0));
        p.messaggi().attendi(Tipo::SiNo,
                             "Eliminare l'articolo PASTA dal presente modello di consegna?");
        QTest::keyClick(&p.main(), Qt::Key_F6);
        QCOMPARE(p.elenco("grConsDett"), QStringList{"RISO|kg|1"});
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il modello di consegna Pacco anziani?", false);
        QVERIFY(p.clicca("btnModElimina"));
        QCOMPARE(p.elenco("grModCons").size(), 3);
        p.messaggi().attendi(Tipo::SiNo, "Eliminare il modello di consegna Pacco anziani?");
        QVERIFY(p.clicca("btnModElimina"));
        QCOMPARE(p.elenco("grModCons"), QStringList({"Pacco base", "Pacco famiglia"}));
        QCOMPARE(p.righe("SELECT DISTINCT modelli_id FROM cons_dett ORDER BY 1"),
                 QStringList({"4", "5"}));

        azioni::articolo(p, "riso", "0,5");
        QTest::keyClick(&p.main(), Qt::Key_F5);
        QCOMPARE(p.righe("SELECT articoli_id, qta FROM cons_dett WHERE modelli_id = 4"),
                 QStringList{"2|2.5"});
        QVERIFY(!p.main().inModifica);

        for (const char* nome : {"Pacco base", "Pacco famiglia"}) {
            p.messaggi().attendi(Tipo::SiNo,
                                 QString("Eliminare il modello di consegna %1?").arg(nome));
            QVERIFY(p.clicca("btnModElimina"));
        }
        QCOMPARE(p.valore("SELECT COUNT(*) FROM cons_dett").toInt(), 0);
        for (const char* pulsante : {"btnModModifica", "btnModElimina", "btnModStampa"})
            QVERIFY(p.clicca(pulsante));
        QTest::keyClick(&p.main(), Qt::Key_F5);
        QTest::keyClick(&p.main(), Qt::Key_F6);
        QVERIFY(!p.main().inModifica);
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestModelli)
#include "tst_modelli.moc"
