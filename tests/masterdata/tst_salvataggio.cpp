// A database that refuses a write: the user reads why, the card stays as it was typed and
// the stored rows do not change.

#include "ProgrammaProva.h"

#include <QLineEdit>

namespace {
const QStringList SEME = {
    "INSERT INTO articoli (ID, codint, descr, agea, um_id, giacenza, scortamin, catmerc_id) "
    "VALUES (1, '0', 'Pasta', 1, 1, 10, 0, 0)",
    "CREATE TRIGGER rifiuta_modifica BEFORE UPDATE OF descr ON articoli "
    "WHEN NEW.descr = 'Rifiutata' BEGIN SELECT RAISE(ABORT, 'scrittura rifiutata'); END",
    "CREATE TRIGGER rifiuta_inserimento BEFORE INSERT ON fornitori "
    "BEGIN SELECT RAISE(ABORT, 'disco pieno'); END"};
} // namespace

class TestSalvataggio : public QObject {
    Q_OBJECT

private slots:
    void scritturaRifiutata() {
        ProgrammaProva p(SEME);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QVERIFY(p.clicca("btnArtModifica"));
        auto* descr = p.trova<QLineEdit>("edtArtDescr");
        descr->selectAll();
        QVERIFY(p.scrivi("edtArtDescr", "Rifiutata"));
        p.messaggi().attendi(Messaggi::Tipo::Errore, {});
        QVERIFY(p.clicca("btnArtConferma"));
        QVERIFY(p.problemi().isEmpty());
        const QString mostrato = p.messaggi().mostrati().value(0);
        QVERIFY2(mostrato.startsWith("errore: Impossibile registrare la scheda.\n") &&
                     mostrato.contains("scrittura rifiutata"),
                 qPrintable(mostrato));
        QCOMPARE(p.valore("SELECT descr FROM articoli WHERE ID = 1").toString(), "Pasta");
        QVERIFY(descr->isEnabled());
        QCOMPARE(descr->text(), "Rifiutata");
        QVERIFY(p.clicca("btnArtAnnulla"));
        QCOMPARE(descr->text(), "Pasta");

        // A new record refused: no card is opened.
        QVERIFY(p.vaiScheda("tsFornitori"));
        p.messaggi().attendi(Messaggi::Tipo::Errore, {});
        QVERIFY(p.clicca("btnForNuovo"));
        QVERIFY(p.problemi().isEmpty());
        QVERIFY(p.messaggi().mostrati().constLast().startsWith(
            "errore: Impossibile creare la nuova scheda.\n"));
        QCOMPARE(p.valore("SELECT COUNT(*) FROM fornitori").toInt(), 0);
        QVERIFY(!p.main().inModifica && !p.main().nuovoFornitore);
        QVERIFY(p.vaiScheda("tsArticoli"));
    }
};

QTEST_MAIN(TestSalvataggio)
#include "tst_salvataggio.moc"
