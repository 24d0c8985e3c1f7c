// Data sets over a small store: typed values and order, conditions and filters, master and
// detail, lookups, editing and its failures, the current row through deletes and re-reads.

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

void sql(const QString& testo) {
    QSqlQuery q(QSqlDatabase::database(CONN));
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

std::unique_ptr<DataSet> tabella(const QString& nome, const QString& ordine, bool apri = true) {
    auto ds = std::make_unique<DataSet>(nome);
    ds->setConnessione(CONN);
    ds->setTabella(nome);
    ds->setOrdine(ordine);
    if (apri)
        ds->apri();
    return ds;
}

} // namespace

class TestDataSet : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        const QString file = m_dir->filePath("prova.db");
        QVERIFY(QFile(file).open(QIODevice::WriteOnly));
        ApriConnessione(file, CONN);
        sql("CREATE TABLE lstUm (ID INTEGER PRIMARY KEY AUTOINCREMENT, descr VARCHAR(50))");
        sql("INSERT INTO lstUm (ID, descr) VALUES (1, 'kg'), (2, 'litri'), (3, 'pezzi')");
        sql("CREATE TABLE articoli (ID INTEGER PRIMARY KEY AUTOINCREMENT, codint VARCHAR(6) "
            "UNIQUE, descr VARCHAR(50) NOT NULL, agea BOOLEAN NOT NULL DEFAULT 0, um_id INTEGER, "
            "giacenza FLOAT DEFAULT 0)");
        sql("INSERT INTO articoli (ID, codint, descr, agea, um_id, giacenza) VALUES "
            "(1, 'A1', 'banana', 0, 1, 2.5), (2, 'A2', 'Arance', 1, 1, 10), "
            "(3, 'A3', 'ciliegie', 0, 3, NULL), (4, 'A4', 'Burro', 1, 2, 0)");
        sql("CREATE TABLE carichi_mast (ID INTEGER PRIMARY KEY AUTOINCREMENT, data DATETIME)");
        sql("INSERT INTO carichi_mast VALUES (1, '2024-02-28'), (2, '2024-03-01 08:30:00'), "
            "(3, '2024-03-31'), (4, '2024-04-01')");
        sql("CREATE TABLE carichi_dett (ID INTEGER PRIMARY KEY AUTOINCREMENT, master_id INTEGER, "
            "articoli_id INTEGER, qta FLOAT)");
        sql("INSERT INTO carichi_dett VALUES (1, 1, 1, 5), (2, 1, 2, 3), (3, 2, 4, 1.5), "
            "(4, 3, 3, 2)");
    }

    void cleanup() {
        ChiudiConnessione(CONN);
        m_dir.reset();
    }

    // Values typed by declared type and shown in Italian form, case-blind order, conditions
    // in the Access dialect, exact search by display text.
    void lettura() {
        auto art = tabella("articoli", "descr");
        QCOMPARE(colonna(*art, "descr"), QStringList({"Arance", "banana", "Burro", "ciliegie"}));
        QCOMPARE(art->valore(0, "agea").typeId(), QMetaType::Bool);
        QCOMPARE(colonna(*art, "giacenza"), QStringList({"10", "2,5", "0", ""}));
        QCOMPARE(art->data(art->index(1, art->indiceCampo("giacenza")), Qt::EditRole), 2.5);
        // Found by exact display text (no case folding, no prefix); else the row stays.
        QVERIFY(art->localizza("giacenza", "2,5"));
        QVERIFY(!art->localizza("descr", "Banana") && !art->localizza("descr", "bana"));
        QCOMPARE(art->testo("descr"), "banana");
        art->setOrdine("descr DESC");
        art->rinfresca();
        QCOMPARE(colonna(*art, "descr"), QStringList({"ciliegie", "Burro", "banana", "Arance"}));

        auto mast = tabella("carichi_mast", "data");
        QCOMPARE(mast->valore(1, "data"), QVariant(QDateTime(QDate(2024, 3, 1), QTime(8, 30))));
        QCOMPARE(colonna(*mast, "data"),
                 QStringList({"28/02/2024", "01/03/2024 08:30:00", "31/03/2024", "01/04/2024"}));
        QVERIFY(mast->localizza("data", QDate(2024, 2, 28)));
        QCOMPARE(mast->riga(), 0);
        mast->setCondizione("data >= '01/04/2024' AND data <= '30/04/2024'");
        mast->rinfresca();
        QCOMPARE(colonna(*mast, "ID"), QStringList({"4"}));
        // A stored text that is not a whole date keeps every character.
        sql("UPDATE carichi_mast SET data = '2024-03-31 10:30 circa' WHERE ID = 3");
        mast->setCondizione({});
        mast->rinfresca();
        QCOMPARE(mast->valore(2, "data"), QVariant("2024-03-31 10:30 circa"));

        // The condition names the table's own columns, which the lookup's table shares.
        auto perUm = tabella("articoli", "descr", false);
        perUm->aggiungiLookup("luUm", "um_id", "lstUm", "descr");
        perUm->setCondizione("descr LIKE 'b%' AND ID > 0");
        perUm->apri();
        QCOMPARE(colonna(*perUm, "luUm"), QStringList({"kg", "litri"}));
    }

    // The predicate re-applied on every switch, the current row kept where still shown;
    // iteration over the rows shown.
    void filtroEIterazione() {
        auto art = tabella("articoli", "descr");
        QString cerca = "an";
        art->setPredicato([&](const DataSet& ds, int r) {
            return ds.valore(r, "descr").toString().toUpper().contains(cerca.toUpper());
        });
        art->setRiga(1);
        art->setFiltrato(true);
        QCOMPARE(colonna(*art, "descr"), QStringList({"Arance", "banana"}));
        QCOMPARE(art->testo("descr"), "banana");
        cerca = "UR";
        art->setFiltrato(true);
        QCOMPARE(colonna(*art, "descr"), QStringList({"Burro"}));
        QCOMPARE(art->riga(), 0);
        art->setFiltrato(false);
        QCOMPARE(art->testo("descr"), "Burro");

        QStringList visti;
        for (art->primo(); !art->fine(); art->successivo())
            visti << art->testo("descr");
        QCOMPARE(visti, QStringList({"Arance", "banana", "Burro", "ciliegie"}));

        cerca = "nessuno";
        art->setFiltrato(true);
        QVERIFY(art->fine());
        QVERIFY_THROWS_EXCEPTION(Errore, art->modifica());
    }

    // Details follow the master and carry its link; lookups follow an edited key at once.
    void masterDettaglioELookup() {
        auto mast = tabella("carichi_mast", "data");
        auto dett = tabella("carichi_dett", "ID", false);
        dett->setMaster(mast.get(), "master_id", "ID");
        dett->aggiungiLookup("luArticoloDescr", "articoli_id", "articoli", "descr");
        dett->aggiungiLookup("luUm_id", "articoli_id", "articoli", "um_id");
        dett->aggiungiLookup("luUm", "luUm_id", "lstUm", "descr");
        dett->apri();
        QCOMPARE(colonna(*dett, "luArticoloDescr"), QStringList({"banana", "Arance"}));
        mast->successivo();
        QCOMPARE(colonna(*dett, "ID"), QStringList({"3"}));
        QCOMPARE(dett->testo("luUm"), "litri");

        dett->modifica();
        QSignalSpy cambiati(dett.get(), &QAbstractItemModel::dataChanged);
        dett->imposta("articoli_id", 3);
        QCOMPARE(dett->testo("luArticoloDescr"), "ciliegie");
        QCOMPARE(dett->testo("luUm"), "pezzi");
        QVERIFY(cambiati.first().at(1).value<QModelIndex>().column() >= dett->indiceCampo("luUm"));
        QVERIFY_THROWS_EXCEPTION(Errore, dett->imposta("luUm", "kg"));
        dett->annulla();
        QCOMPARE(dett->testo("luUm"), "litri");
        QCOMPARE(leggi("SELECT articoli_id FROM carichi_dett WHERE ID = 3").toInt(), 4);

        mast->ultimo();
        QVERIFY(dett->fine());
        dett->aggiungi();
        QCOMPARE(dett->valore("master_id"), QVariant(4));
        dett->imposta("articoli_id", 1);
        dett->imposta("qta", "2,5");
        dett->registra();
        QCOMPARE(colonna(*dett, "luUm"), QStringList({"kg"}));
        QCOMPARE(leggi("SELECT qta FROM carichi_dett WHERE master_id = 4").toDouble(), 2.5);

        // A read-only query with a lookup as a detail.
        DataSet righe("qryRighe");
        righe.setConnessione(CONN);
        righe.setSql("SELECT master_id, articoli_id, qta FROM carichi_dett");
        righe.setMaster(mast.get(), "master_id", "ID");
        righe.aggiungiLookup("luArticoloDescr", "articoli_id", "articoli", "descr");
        righe.apri();
        mast->primo();
        QCOMPARE(colonna(righe, "luArticoloDescr"), QStringList({"banana", "Arance"}));
        QVERIFY_THROWS_EXCEPTION(Errore, righe.modifica());
        QVERIFY_THROWS_EXCEPTION(Errore, righe.elimina());

        mast->setCondizione("data > #1/1/2030#");
        mast->rinfresca();
        QCOMPARE(dett->conteggio(), 0);
        QCOMPARE(righe.conteggio(), 0);
        mast->setCondizione({});
        mast->rinfresca();
        QCOMPARE(colonna(*dett, "ID"), QStringList({"1", "2"}));
    }

    // A new row: defaults, undone without trace, or registered in the place a re-read gives.
    void inserimento() {
        auto art = tabella("articoli", "descr");
        art->setRiga(2);
        QSignalSpy rimosse(art.get(), &QAbstractItemModel::rowsRemoved);
        art->aggiungi();
        QCOMPARE(art->riga(), 4);
        QCOMPARE(art->valore("agea"), QVariant(false));
        QCOMPARE(art->valore("giacenza"), QVariant(0.0));
        QVERIFY(art->valore("ID").isNull());
        art->imposta("descr", "Zucchero");
        art->annulla();
        QCOMPARE(rimosse.count(), 1);
        QCOMPARE(art->conteggio(), 4);
        QCOMPARE(art->testo("descr"), "Burro");

        art->aggiungi();
        art->imposta("descr", "burrata");
        art->imposta("codint", "A9");
        art->registra();
        QCOMPARE(art->riga(), 2);
        QCOMPARE(art->testo("descr"), "burrata");
        QCOMPARE(art->valore("ID"), QVariant(5)); // the undone row was never written

        // Case folding, byte order and equal keys: each row takes the place a re-read gives.
        for (const char* descr : {"_x", "Àcqua", "banana", "BANANA", "zz", "Arance", "a"}) {
            art->aggiungi();
            art->imposta("descr", QString::fromUtf8(descr));
            art->registra();
            QCOMPARE(art->testo("descr"), QString::fromUtf8(descr));
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
        perCodice->aggiungi();
        perCodice->imposta("descr", "con codice");
        perCodice->imposta("codint", "A0");
        perCodice->registra();
        QCOMPARE(perCodice->riga(), 7);
    }

    // Only the fields set are written and the row read back; the model edits only the row
    // in edit, refusing bad values.
    void modificaRegistrata() {
        auto art = tabella("articoli", "descr");
        QVERIFY_THROWS_EXCEPTION(Errore, art->imposta("descr", "x"));
        QVERIFY(art->localizza("descr", "banana"));
        art->modifica();
        QVERIFY_THROWS_EXCEPTION(Errore, art->setRiga(0));
        QVERIFY_THROWS_EXCEPTION(Errore, art->rinfresca());
        QVERIFY_THROWS_EXCEPTION(Errore, art->imposta("ID", 9));
        sql("UPDATE articoli SET giacenza = 99 WHERE ID = 1");
        QSignalSpy statoSpy(art.get(), &DataSet::statoCambiato);
        art->imposta("descr", "Zenzero");
        QCOMPARE(art->valore(1, "descr").toString(), "Zenzero");
        art->registra();
        QCOMPARE(statoSpy.count(), 1);
        QCOMPARE(colonna(*art, "descr"), QStringList({"Arance", "Burro", "ciliegie", "Zenzero"}));
        QCOMPARE(art->valore("giacenza"), QVariant(99.0));

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
    }

    // A refused write leaves the edit open and the database as it was.
    void registraFallitoRestaInModifica() {
        auto art = tabella("articoli", "descr");
        art->aggiungi();
        art->imposta("descr", "doppione");
        art->imposta("codint", "A1");
        QVERIFY_THROWS_EXCEPTION(ErroreDb, art->registra());
        QCOMPARE(art->stato(), DataSet::Stato::Inserimento);
        art->imposta("codint", "A7");
        art->registra();
        QCOMPARE(leggi("SELECT COUNT(*) FROM articoli").toInt(), 5);

        QVERIFY(art->localizza("descr", "Arance"));
        art->modifica();
        art->imposta("codint", "A3");
        art->imposta("giacenza", 7);
        QVERIFY_THROWS_EXCEPTION(ErroreDb, art->registra());
        art->annulla();
        QCOMPARE(art->testo("codint"), "A2");

        // The write succeeds but reading the row back fails: the write is undone too.
        sql("CREATE TRIGGER guasto AFTER UPDATE OF descr ON articoli WHEN NEW.descr = 'guasto' "
            "BEGIN UPDATE articoli SET um_id = -9223372036854775808 WHERE ID = NEW.ID; END");
        art->setCondizione("um_id IS NULL OR abs(um_id) >= 0");
        art->rinfresca();
        art->modifica();
        art->imposta("descr", "guasto");
        QVERIFY_THROWS_EXCEPTION(ErroreDb, art->registra());
        QCOMPARE(art->stato(), DataSet::Stato::Modifica);
        QCOMPARE(leggi("SELECT descr FROM articoli WHERE ID = 2").toString(), "Arance");
        art->annulla();
    }

    // Re-reads keep the current row by ID, else by position; deletes move to the next row,
    // else the previous.
    void rinfrescaEdElimina() {
        auto art = tabella("articoli", "descr");
        art->setRiga(2);
        QSignalSpy corrente(art.get(), &DataSet::correnteCambiato);
        sql("INSERT INTO articoli (descr) VALUES ('Aaa')");
        art->rinfresca();
        QCOMPARE(art->testo("descr"), "Burro");
        for (const auto& [tolto, corrente] :
             {std::pair{"Burro", "ciliegie"}, {"ciliegie", "banana"}}) {
            sql(QString("DELETE FROM articoli WHERE descr = '%1'").arg(tolto));
            art->rinfresca();
            QCOMPARE(art->testo("descr"), corrente);
        }
        QCOMPARE(corrente.count(), 3);

        art->setRiga(1); // Aaa, Arance, banana
        art->elimina();
        QCOMPARE(art->testo("descr"), "banana");
        art->elimina();
        QCOMPARE(art->testo("descr"), "Aaa");
        art->elimina();
        art->elimina(); // nothing left: nothing happens
        QCOMPARE(leggi("SELECT COUNT(*) FROM articoli").toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestDataSet)
#include "tst_dataset.moc"
