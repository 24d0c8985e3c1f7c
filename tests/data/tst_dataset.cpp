#include "CartellaProgramma.h"
#include "Connessione.h"
#include "DataSet.h"
#include "ErroreDb.h"

#include <QFile>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString CONN = QStringLiteral("tst_dataset");

void sql(const QString& testo, const QString& conn = CONN) {
    QSqlQuery q(QSqlDatabase::database(conn));
    QVERIFY2(q.exec(testo), qPrintable(testo));
}

QVariant leggi(const QString& testo) {
    QSqlQuery q(QSqlDatabase::database(CONN));
    if (!q.exec(testo) || !q.next())
        return {};
    return q.value(0);
}

// The field of every row shown, as display text.
QStringList colonna(const DataSet& ds, const QString& campo) {
    QStringList out;
    for (int r = 0; r < ds.conteggio(); ++r)
        out << ds.data(ds.index(r, ds.indiceCampo(campo))).toString();
    return out;
}

} // namespace

class TestDataSet : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    std::unique_ptr<DataSet> tabella(const QString& nome, const QString& ordine = {}) {
        auto ds = std::make_unique<DataSet>(nome);
        ds->setConnessione(CONN);
        ds->setTabella(nome);
        ds->setOrdine(ordine);
        return ds;
    }
    std::unique_ptr<DataSet> articoli() {
        return tabella(QStringLiteral("articoli"), QStringLiteral("descr"));
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        const QString file = m_dir->filePath(QStringLiteral("prova.db"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        ApriConnessione(file, CONN);
        sql("CREATE TABLE lstUm (ID INTEGER PRIMARY KEY AUTOINCREMENT, descr VARCHAR(50))");
        sql("INSERT INTO lstUm (ID, descr) VALUES (1, 'kg'), (2, 'litri'), (3, 'pezzi')");
        sql("CREATE TABLE articoli (ID INTEGER PRIMARY KEY AUTOINCREMENT, codint VARCHAR(6) "
            "UNIQUE, "
            "descr VARCHAR(50) NOT NULL, agea BOOLEAN NOT NULL DEFAULT 0, um_id INTEGER, "
            "giacenza FLOAT DEFAULT 0, scortamin FLOAT)");
        sql("INSERT INTO articoli (ID, codint, descr, agea, um_id, giacenza) VALUES "
            "(1, 'A1', 'banana', 0, 1, 2.5), (2, 'A2', 'Arance', 1, 1, 10), "
            "(3, 'A3', 'ciliegie', 0, 3, NULL), (4, 'A4', 'Burro', 1, 2, 0)");
        sql("CREATE TABLE carichi_mast (ID INTEGER PRIMARY KEY AUTOINCREMENT, data DATETIME, "
            "nrDocumento VARCHAR(10), fornitore_id INTEGER)");
        sql("INSERT INTO carichi_mast VALUES (1, '2024-02-28', '10', 1), "
            "(2, '2024-03-01 08:30:00', '11', 1), (3, '2024-03-31', '12', 2), (4, '2024-04-01', "
            "'13', 2)");
        sql("CREATE TABLE carichi_dett (ID INTEGER PRIMARY KEY AUTOINCREMENT, master_id INTEGER, "
            "articoli_id INTEGER, qta FLOAT)");
        sql("INSERT INTO carichi_dett VALUES (1, 1, 1, 5), (2, 1, 2, 3), (3, 2, 4, 1.5), (4, 3, 3, "
            "2)");
    }

    void cleanup() {
        ChiudiConnessione(CONN);
        m_dir.reset();
    }

    void tipiOrdineEModello() {
        auto art = articoli();
        art->apri();
        // Text is ordered without regard to case, as the original indexes are.
        QCOMPARE(colonna(*art, "descr"), QStringList({"Arance", "banana", "Burro", "ciliegie"}));
        QCOMPARE(art->valore(0, "agea").typeId(), QMetaType::Bool);
        QCOMPARE(art->valore(0, "agea").toBool(), true);
        QCOMPARE(art->valore(0, "giacenza").typeId(), QMetaType::Double);
        QCOMPARE(art->valore(0, "um_id").typeId(), QMetaType::Int);
        QVERIFY(art->valore(3, "giacenza").isNull());
        QCOMPARE(art->data(art->index(3, art->indiceCampo("giacenza"))).toString(), QString());
        art->setRiga(1);
        QCOMPARE(art->testo("giacenza"), QStringLiteral("2,5"));
        const QModelIndex giacenza = art->index(1, art->indiceCampo("giacenza"));
        QCOMPARE(art->data(giacenza, Qt::DisplayRole).toString(), QStringLiteral("2,5"));
        QCOMPARE(art->data(giacenza, Qt::EditRole).toDouble(), 2.5);
        QCOMPARE(art->headerData(giacenza.column(), Qt::Horizontal).toString(),
                 QStringLiteral("giacenza"));
        QCOMPARE(art->columnCount(), 7);

        art->setOrdine("descr DESC");
        art->rinfresca();
        QCOMPARE(colonna(*art, "descr"), QStringList({"ciliegie", "Burro", "banana", "Arance"}));

        auto mast = tabella("carichi_mast", "data");
        mast->apri();
        QCOMPARE(mast->valore(0, "data"), QVariant(QDate(2024, 2, 28)));
        QCOMPARE(mast->valore(1, "data"), QVariant(QDateTime(QDate(2024, 3, 1), QTime(8, 30))));
        QCOMPARE(colonna(*mast, "data"),
                 QStringList({"28/02/2024", "01/03/2024 08:30:00", "31/03/2024", "01/04/2024"}));
        // A stored text that is not a whole date keeps every character.
        sql("UPDATE carichi_mast SET data = '2024-03-31 10:30 circa' WHERE ID = 3");
        mast->rinfresca();
        QCOMPARE(mast->valore(2, "data"), QVariant(QStringLiteral("2024-03-31 10:30 circa")));
    }

    void condizioneConData() {
        auto mast = tabella("carichi_mast", "data");
        mast->setCondizione("data >= #3/1/2024# AND data <= #3/31/2024#");
        mast->apri();
        QCOMPARE(colonna(*mast, "ID"), QStringList({"2", "3"}));
        // The month filter writes its dates in the short Italian form.
        mast->setCondizione("data >= '01/04/2024' AND data <= '30/04/2024'");
        QCOMPARE(mast->conteggio(), 2);
        mast->rinfresca();
        QCOMPARE(colonna(*mast, "ID"), QStringList({"4"}));

        // The condition names the table's own columns, also where a lookup's table has
        // columns of the same names.
        auto art = articoli();
        art->aggiungiLookup("luUm", "um_id", "lstUm", "descr");
        art->setCondizione("descr LIKE 'b%' AND ID > 0");
        art->apri();
        QCOMPARE(colonna(*art, "descr"), QStringList({"banana", "Burro"}));
        QCOMPARE(colonna(*art, "luUm"), QStringList({"kg", "litri"}));
    }

    void predicatoSulleRigheCaricate() {
        auto art = articoli();
        QString cerca = "an";
        art->setPredicato([&](const DataSet& ds, int r) {
            return ds.valore(r, "descr").toString().toUpper().contains(cerca.toUpper());
        });
        art->apri();
        art->setRiga(1);
        QSignalSpy reset(art.get(), &QAbstractItemModel::modelReset);
        art->setFiltrato(true);
        QCOMPARE(colonna(*art, "descr"), QStringList({"Arance", "banana"}));
        QCOMPARE(art->testo("descr"), QStringLiteral("banana"));
        // Switched on again with a new text: the current row is no longer shown.
        cerca = "UR";
        art->setFiltrato(true);
        QCOMPARE(colonna(*art, "descr"), QStringList({"Burro"}));
        QCOMPARE(art->riga(), 0);
        art->setFiltrato(false);
        QCOMPARE(art->conteggio(), 4);
        QCOMPARE(art->testo("descr"), QStringLiteral("Burro"));
        QCOMPARE(reset.count(), 3);
        cerca = "nessuno";
        art->setFiltrato(true);
        QCOMPARE(art->riga(), -1);
        QVERIFY(art->fine());
    }

    void masterDettaglio() {
        auto mast = tabella("carichi_mast", "data");
        auto dett = tabella("carichi_dett", "ID");
        dett->setMaster(mast.get(), "master_id", "ID");
        mast->apri();
        dett->apri();
        QCOMPARE(colonna(*dett, "ID"), QStringList({"1", "2"}));
        mast->successivo();
        QCOMPARE(colonna(*dett, "ID"), QStringList({"3"}));
        mast->ultimo();
        QVERIFY(dett->fine());
        QCOMPARE(dett->conteggio(), 0);

        // A new line of the detail carries the master's link value.
        dett->aggiungi();
        QCOMPARE(dett->valore("master_id"), QVariant(4));
        dett->imposta("articoli_id", 1);
        dett->imposta("qta", "2,5");
        dett->registra();
        QCOMPARE(dett->conteggio(), 1);
        QCOMPARE(leggi("SELECT qta FROM carichi_dett WHERE master_id = 4").toDouble(), 2.5);

        // A read-only query can be a detail too, with its lookups.
        DataSet righe("qryRighe");
        righe.setConnessione(CONN);
        righe.setSql("SELECT master_id, articoli_id, qta FROM carichi_dett");
        righe.setMaster(mast.get(), "master_id", "ID");
        righe.aggiungiLookup("luArticoloDescr", "articoli_id", "articoli", "descr");
        righe.apri();
        mast->primo();
        QCOMPARE(colonna(righe, "luArticoloDescr"), QStringList({"banana", "Arance"}));

        mast->setCondizione("data > #1/1/2030#");
        mast->rinfresca();
        QCOMPARE(mast->conteggio(), 0);
        QCOMPARE(dett->conteggio(), 0);
        QCOMPARE(righe.conteggio(), 0);
        mast->setCondizione({});
        mast->rinfresca();
        QCOMPARE(colonna(*dett, "ID"), QStringList({"1", "2"}));
    }

    void lookupInCatena() {
        auto dett = tabella("carichi_dett", "ID");
        dett->aggiungiLookup("luArticoloDescr", "articoli_id", "articoli", "descr");
        dett->aggiungiLookup("luUm_id", "articoli_id", "articoli", "um_id");
        dett->aggiungiLookup("luUm", "luUm_id", "lstUm", "descr");
        dett->aggiungiLookup("agea", "articoli_id", "articoli", "agea");
        dett->apri();
        QCOMPARE(colonna(*dett, "luArticoloDescr"),
                 QStringList({"banana", "Arance", "Burro", "ciliegie"}));
        QCOMPARE(colonna(*dett, "luUm"), QStringList({"kg", "kg", "litri", "pezzi"}));
        QCOMPARE(dett->valore(2, "luUm_id"), QVariant(2));
        QCOMPARE(dett->valore(2, "agea"), QVariant(true));

        dett->modifica();
        QSignalSpy cambiati(dett.get(), &QAbstractItemModel::dataChanged);
        dett->imposta("articoli_id", 3);
        QCOMPARE(dett->testo("luArticoloDescr"), QStringLiteral("ciliegie"));
        QCOMPARE(dett->testo("luUm"), QStringLiteral("pezzi"));
        QCOMPARE(dett->valore("agea"), QVariant(false));
        QCOMPARE(cambiati.count(), 1);
        QVERIFY(cambiati.first().at(1).value<QModelIndex>().column() >= dett->indiceCampo("luUm"));
        QVERIFY_THROWS_EXCEPTION(Errore, dett->imposta("luUm", "kg"));
        dett->annulla();
        QCOMPARE(dett->testo("luUm"), QStringLiteral("kg"));
        QCOMPARE(leggi("SELECT articoli_id FROM carichi_dett WHERE ID = 1").toInt(), 1);
    }

    void datiDiQuery() {
        sql("UPDATE articoli SET scortamin = 1 WHERE ID = 4");
        DataSet sotto("qrySottoScorta");
        sotto.setConnessione(CONN);
        sotto.setSql("SELECT * FROM articoli WHERE giacenza < scortamin");
        sotto.aggiungiLookup("luUm", "um_id", "lstUm", "descr");
        sotto.apri();
        QCOMPARE(colonna(sotto, "luUm"), QStringList({"litri"}));
        QCOMPARE(sotto.valore(0, "agea"), QVariant(true));

        // Without order, condition or lookups the text runs as it stands, TOP included.
        DataSet q("qryGenerica");
        q.setConnessione(CONN);
        q.setSql("SELECT TOP 3 descr, giacenza * 2 AS doppio FROM articoli ORDER BY descr DESC");
        q.apri();
        QCOMPARE(colonna(q, "descr"), QStringList({"ciliegie", "banana", "Burro"}));
        QCOMPARE(colonna(q, "doppio"), QStringList({"", "5", "0"}));
        QVERIFY(q.localizza("descr", "Burro"));
        QVERIFY_THROWS_EXCEPTION(Errore, q.modifica());
        QVERIFY_THROWS_EXCEPTION(Errore, q.aggiungi());
        QVERIFY_THROWS_EXCEPTION(Errore, q.elimina());
    }

    void inserimentoAnnullato() {
        auto art = articoli();
        art->apri();
        art->setRiga(2);
        QSignalSpy inserite(art.get(), &QAbstractItemModel::rowsInserted);
        QSignalSpy rimosse(art.get(), &QAbstractItemModel::rowsRemoved);
        art->aggiungi();
        QCOMPARE(art->stato(), DataSet::Stato::Inserimento);
        QCOMPARE(inserite.count(), 1);
        QCOMPARE(art->riga(), 4);
        QCOMPARE(art->valore("agea"), QVariant(false));
        QCOMPARE(art->valore("giacenza"), QVariant(0.0));
        QVERIFY(art->valore("ID").isNull());
        art->imposta("descr", "Zucchero");
        QCOMPARE(art->data(art->index(4, art->indiceCampo("descr"))).toString(),
                 QStringLiteral("Zucchero"));
        art->annulla();
        QCOMPARE(rimosse.count(), 1);
        QCOMPARE(art->conteggio(), 4);
        QCOMPARE(art->testo("descr"), QStringLiteral("Burro"));
        QCOMPARE(leggi("SELECT COUNT(*) FROM articoli").toInt(), 4);
    }

    void inserimentoRegistratoAlSuoPosto() {
        auto art = articoli();
        art->apri();
        QSignalSpy corrente(art.get(), &DataSet::correnteCambiato);
        art->aggiungi();
        art->imposta("descr", "burrata");
        art->imposta("codint", "A9");
        art->registra();
        QCOMPARE(art->stato(), DataSet::Stato::Consultazione);
        QCOMPARE(art->riga(), 2);
        QCOMPARE(art->testo("descr"), QStringLiteral("burrata"));
        QCOMPARE(art->valore("ID"), QVariant(5));
        QCOMPARE(art->valore("agea"), QVariant(false)); // the schema's default, read back
        QVERIFY(corrente.count() >= 2);

        // Texts where case folding, byte order and equal keys matter: the place each
        // row takes must be the one a new read gives it.
        for (const char* descr : {"_x", "Àcqua", "banana", "BANANA", "zz", "Arance", "a"}) {
            art->aggiungi();
            art->imposta("descr", QString::fromUtf8(descr));
            art->registra();
            QCOMPARE(art->testo("descr"), QString::fromUtf8(descr));
            QCOMPARE(art->rowCount(), art->conteggio());
        }
        // An older row given a key that newer rows already have goes before them.
        QVERIFY(art->localizza("ID", 2));
        art->modifica();
        art->imposta("descr", "Banana");
        art->registra();
        const QStringList inMemoria = colonna(*art, "ID");
        art->rinfresca();
        QCOMPARE(inMemoria, colonna(*art, "ID"));

        // The seven rows above have no code: null sorts first.
        auto perCodice = tabella("articoli", "codint");
        perCodice->apri();
        perCodice->aggiungi();
        perCodice->imposta("descr", "con codice");
        perCodice->imposta("codint", "A0");
        perCodice->registra();
        QCOMPARE(perCodice->riga(), 7);
    }

    void modificaRegistrata() {
        auto art = articoli();
        art->apri();
        QVERIFY(art->localizza("descr", "banana"));
        art->modifica();
        sql("UPDATE articoli SET giacenza = 99 WHERE ID = 1");
        QSignalSpy statoSpy(art.get(), &DataSet::statoCambiato);
        art->imposta("descr", "Zenzero");
        QCOMPARE(art->valore(1, "descr").toString(), QStringLiteral("Zenzero")); // the buffer shows
        art->registra();
        QCOMPARE(statoSpy.count(), 1);
        QCOMPARE(art->riga(), 3);
        QCOMPARE(colonna(*art, "descr"), QStringList({"Arance", "Burro", "ciliegie", "Zenzero"}));
        // Only the columns set are written; the row is read back as stored.
        QCOMPARE(art->valore("giacenza"), QVariant(99.0));
        QCOMPARE(leggi("SELECT descr FROM articoli WHERE ID = 1").toString(),
                 QStringLiteral("Zenzero"));

        // Through the model, as an edit card does.
        art->setRiga(0);
        const QModelIndex giacenza = art->index(0, art->indiceCampo("giacenza"));
        QVERIFY(!art->setData(giacenza, "3,5"));
        art->modifica();
        QVERIFY(art->flags(giacenza) & Qt::ItemIsEditable);
        QVERIFY(!(art->flags(art->index(1, giacenza.column())) & Qt::ItemIsEditable));
        QVERIFY(!art->setData(giacenza, "tre"));
        // A number beyond a 32-bit column's range is refused, not wrapped.
        QVERIFY(!art->setData(art->index(0, art->indiceCampo("um_id")), "99999999999"));
        QVERIFY(art->setData(giacenza, "3,5"));
        art->registra();
        QCOMPARE(leggi("SELECT giacenza FROM articoli WHERE ID = 2").toDouble(), 3.5);

        // An emptied text is stored as an empty text, not as null.
        art->modifica();
        art->imposta("descr", QString());
        art->registra();
        QCOMPARE(leggi("SELECT quote(descr) FROM articoli WHERE ID = 2").toString(), "''");
        // Text columns tell their declared length to the boxes that edit them.
        QCOMPARE(art->lunghezzaCampo("descr"), 50);
        QCOMPARE(art->lunghezzaCampo("codint"), 6);
        QCOMPARE(art->lunghezzaCampo("giacenza"), 0);
    }

    void registraFallitoRestaInModifica() {
        auto art = articoli();
        art->apri();
        art->aggiungi();
        art->imposta("descr", "doppione");
        art->imposta("codint", "A1");
        QVERIFY_THROWS_EXCEPTION(ErroreDb, art->registra());
        QCOMPARE(art->stato(), DataSet::Stato::Inserimento);
        QCOMPARE(art->testo("descr"), QStringLiteral("doppione"));
        QCOMPARE(art->conteggio(), 5);
        art->imposta("codint", "A7");
        art->registra();
        QCOMPARE(leggi("SELECT COUNT(*) FROM articoli").toInt(), 5);

        art->aggiungi(); // descr is required
        QVERIFY_THROWS_EXCEPTION(ErroreDb, art->registra());
        art->annulla();

        QVERIFY(art->localizza("descr", "Arance"));
        art->modifica();
        art->imposta("codint", "A3");
        art->imposta("giacenza", 7);
        QVERIFY_THROWS_EXCEPTION(ErroreDb, art->registra());
        QCOMPARE(art->stato(), DataSet::Stato::Modifica);
        QCOMPARE(art->testo("codint"), QStringLiteral("A3"));
        QCOMPARE(leggi("SELECT codint || giacenza FROM articoli WHERE ID = 2").toString(),
                 QStringLiteral("A210.0"));
        art->annulla();
        QCOMPARE(art->testo("codint"), QStringLiteral("A2"));
        QCOMPARE(art->conteggio(), 5);

        // The write succeeds but reading the row back fails: the write is undone too.
        sql("CREATE TRIGGER guasto AFTER UPDATE OF descr ON articoli WHEN NEW.descr = 'guasto' "
            "BEGIN UPDATE articoli SET um_id = -9223372036854775808 WHERE ID = NEW.ID; END");
        art->setCondizione("um_id IS NULL OR abs(um_id) >= 0");
        art->rinfresca();
        art->modifica();
        art->imposta("descr", "guasto");
        QVERIFY_THROWS_EXCEPTION(ErroreDb, art->registra());
        QCOMPARE(art->stato(), DataSet::Stato::Modifica);
        QCOMPARE(leggi("SELECT descr FROM articoli WHERE ID = 2").toString(),
                 QStringLiteral("Arance"));
        art->annulla();
    }

    void eliminaSpostaLaRigaCorrente() {
        auto art = articoli();
        art->apri();
        QSignalSpy rimosse(art.get(), &QAbstractItemModel::rowsRemoved);
        art->setRiga(1);
        art->elimina();
        QCOMPARE(art->testo("descr"), QStringLiteral("Burro"));
        QVERIFY(leggi("SELECT ID FROM articoli WHERE descr = 'banana'").isNull());
        art->ultimo();
        art->elimina();
        QCOMPARE(art->testo("descr"), QStringLiteral("Burro"));
        QCOMPARE(rimosse.count(), 2);
        art->elimina();
        art->elimina();
        QCOMPARE(art->riga(), -1);
        QVERIFY(art->fine());
        art->elimina(); // nothing left: nothing happens
        QCOMPARE(leggi("SELECT COUNT(*) FROM articoli").toInt(), 0);
    }

    void rinfrescaTieneLaRiga() {
        auto art = articoli();
        art->apri();
        art->setRiga(2);
        QSignalSpy reset(art.get(), &QAbstractItemModel::modelReset);
        QSignalSpy corrente(art.get(), &DataSet::correnteCambiato);
        sql("INSERT INTO articoli (descr) VALUES ('Aaa')");
        art->rinfresca();
        QCOMPARE(art->testo("descr"), QStringLiteral("Burro"));
        QCOMPARE(art->riga(), 3);
        sql("DELETE FROM articoli WHERE descr = 'Burro'");
        art->rinfresca();
        QCOMPARE(art->riga(), 3);
        QCOMPARE(art->testo("descr"), QStringLiteral("ciliegie"));
        sql("DELETE FROM articoli WHERE descr = 'ciliegie'");
        art->rinfresca();
        QCOMPARE(art->testo("descr"), QStringLiteral("banana"));
        QCOMPARE(reset.count(), 3);
        QCOMPARE(corrente.count(), 3);
    }

    void localizzaEsatto() {
        auto art = articoli();
        art->apri();
        QVERIFY(art->localizza("descr", "banana"));
        QCOMPARE(art->riga(), 1);
        QVERIFY(!art->localizza("descr", "Banana"));
        QVERIFY(!art->localizza("descr", "bana"));
        QCOMPARE(art->riga(), 1);
        QVERIFY(art->localizza("ID", "3"));
        QCOMPARE(art->testo("descr"), QStringLiteral("ciliegie"));
        QVERIFY(art->localizza("ID", 2));
        QCOMPARE(art->riga(), 0);
        QVERIFY(art->localizza("giacenza", "2,5"));
        QCOMPARE(art->riga(), 1);

        auto mast = tabella("carichi_mast", "data");
        mast->apri();
        QVERIFY(mast->localizza("data", "31/03/2024"));
        QCOMPARE(mast->riga(), 2);
        QVERIFY(mast->localizza("data", QDate(2024, 2, 28)));
        QCOMPARE(mast->riga(), 0);
    }

    void iterazioneEStati() {
        auto art = articoli();
        QVERIFY_THROWS_EXCEPTION(Errore, art->modifica());
        QVERIFY_THROWS_EXCEPTION(Errore, art->aggiungi());
        art->apri();
        QStringList visti;
        for (art->primo(); !art->fine(); art->successivo())
            visti << art->testo("descr");
        QCOMPARE(visti, QStringList({"Arance", "banana", "Burro", "ciliegie"}));
        QCOMPARE(art->riga(), 3);
        art->precedente();
        QVERIFY(!art->fine());
        QCOMPARE(art->riga(), 2);

        QVERIFY_THROWS_EXCEPTION(Errore, art->imposta("descr", "x"));
        art->modifica();
        QVERIFY_THROWS_EXCEPTION(Errore, art->setRiga(0));
        QVERIFY_THROWS_EXCEPTION(Errore, art->rinfresca());
        QVERIFY_THROWS_EXCEPTION(Errore, art->imposta("ID", 9));
        QVERIFY_THROWS_EXCEPTION(Errore, art->imposta("giacenza", "molto"));
        QVERIFY_THROWS_EXCEPTION(Errore, art->valore("nessuno"));
        art->annulla();

        art->setCondizione("agea = True AND giacenza > 100");
        art->rinfresca();
        QVERIFY(art->fine());
        QCOMPARE(art->riga(), -1);
        QVERIFY_THROWS_EXCEPTION(Errore, art->modifica());
        art->chiudi();
        QVERIFY(!art->aperto());
        QCOMPARE(art->columnCount(), 0);
    }

    void modelloDelProgramma() {
        CartellaProgramma cartella(CartellaProgramma::Database::Lavoro, false);
        const QString conn = QStringLiteral("tst_dataset_modello");
        ApriConnessione(cartella.fileDb(), conn);
        {
            const QVariant um = [&] {
                QSqlQuery q(QSqlDatabase::database(conn));
                q.exec("SELECT ID FROM lstUm ORDER BY ID");
                return q.next() ? q.value(0) : QVariant();
            }();
            DataSet art("tblArticoli");
            art.setConnessione(conn);
            art.setTabella("articoli");
            art.setOrdine("descr");
            art.aggiungiLookup("luUm", "um_id", "lstUm", "descr");
            art.apri();
            art.aggiungi();
            art.imposta("descr", "Latte");
            art.imposta("um_id", um);
            art.imposta("giacenza", 4);
            art.registra();
            QCOMPARE(art.valore("agea"), QVariant(false));
            QCOMPARE(art.valore("giacenza"), QVariant(4.0));
            if (!um.isNull())
                QVERIFY(!art.testo("luUm").isEmpty());
        }
        ChiudiConnessione(conn);
    }
};

QTEST_GUILESS_MAIN(TestDataSet)
#include "tst_dataset.moc"
