// The data module at start-up: the upgrade from a shipped template with its two backup
// generations, a failed export that leaves both files as they were, the schema version
// and the re-reading of a tab's data sets.

#include "CartellaProgramma.h"
#include "Datamodule.h"
#include "Utilitylibrary.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>

namespace {
// Collects the messages the data module shows.
struct AvvisiRegistrati : Avvisi {
    QStringList errori;
    void errore(const QString& testo) override { errori << testo; }
};

QByteArray impronta(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Runs statements on a database file through a connection of its own.
void sqlSu(const QString& file, const QStringList& istruzioni) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "prova");
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QSqlQuery q(db);
        for (const QString& s : istruzioni)
            QVERIFY2(q.exec(s), qPrintable(s + ": " + q.lastError().text()));
    }
    QSqlDatabase::removeDatabase("prova");
}

QString valoreSu(const QString& file, const QString& sql) {
    QString valore;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lettura");
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        if (q.exec(sql) && q.next())
            valore = q.value(0).toString();
    }
    QSqlDatabase::removeDatabase("lettura");
    return valore;
}

const QStringList RIGHE_UTENTE = {
    "INSERT INTO articoli (ID, codint, descr, agea, giacenza) VALUES (5, 'P1', 'Pasta', 1, 10)",
    "INSERT INTO nominativi (ID, cognome, nome, numFamiliari) VALUES (8, 'Rossi', 'Anna', 3)",
    "INSERT INTO fornitori (ID, codfor, ragsoc) VALUES (2, '0', 'Banco Alimentare')",
    "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, nrBeneficiati) "
    "VALUES (4, '2024-03-05', 8, 1, 1, 3)",
    "INSERT INTO scarichi_dett (ID, master_id, articoli_id, qta) VALUES (9, 4, 5, 2)",
};
} // namespace

class TestAggiornamento : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaProgramma> m_cartella;
    AvvisiRegistrati m_avvisi;

    Percorsi percorsi() const { return Percorsi::daCartella(m_cartella->percorso()); }

private slots:
    void init() {
        m_cartella = std::make_unique<CartellaProgramma>();
        m_avvisi.errori.clear();
        utLogAzzera();
        utLogImpostaFile(m_cartella->fileLog());
    }
    void cleanup() { m_cartella.reset(); }

    void senzaModelloNessunFileToccato() {
        const QByteArray prima = impronta(m_cartella->fileDb());
        {
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(dati.pronto());
            QCOMPARE(dati.versioneDb(), 1);
            QVERIFY(dati.tblLstCausali.conteggio() >= 3);
        }
        QCOMPARE(impronta(m_cartella->fileDb()), prima);
        QVERIFY(!QFile::exists(m_cartella->file("Dolvera.bck.mdb")));
        const QStringList log = m_cartella->righeLog();
        const QStringList attese = {"TdmDati::TdmDati {",
                                    "  #1: Database connesso",
                                    "  TdmDati::UpdateDb {",
                                    "    #1: Non serve aggiornamento database",
                                    "  }",
                                    ""};
        QCOMPARE(log.mid(0, 6), attese);
        QVERIFY(log.contains("  #3: UpdateDb riuscito"));
        QVERIFY(m_avvisi.errori.isEmpty());
    }

    void primoAggiornamento() {
        sqlSu(m_cartella->fileDb(), RIGHE_UTENTE);
        const QByteArray vecchio = impronta(m_cartella->fileDb());
        m_cartella->copiaModello("Dolvera0.mdb");
        // A column the new release adds receives its default value.
        sqlSu(m_cartella->fileDb0(),
              {"ALTER TABLE articoli ADD COLUMN note VARCHAR(50) DEFAULT 'nuova'"});
        {
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(dati.pronto());
            QVERIFY(m_avvisi.errori.isEmpty());
            QVERIFY(dati.tblArticoli.localizza("ID", "5"));
            QCOMPARE(dati.tblArticoli.valore("note").toString(), QString("nuova"));
        }
        QVERIFY(!QFile::exists(m_cartella->fileDb0()));
        QVERIFY(!QFile::exists(m_cartella->file("Dolvera.prev.bck.mdb")));
        QCOMPARE(impronta(m_cartella->file("Dolvera.bck.mdb")), vecchio);
        QCOMPARE(valoreSu(m_cartella->fileDb(), "SELECT nrBeneficiati FROM scarichi_mast WHERE "
                                                "ID = 4 AND nominativi_id = 8"),
                 QString("3"));
        QCOMPARE(valoreSu(m_cartella->fileDb(),
                          "SELECT qta FROM scarichi_dett WHERE ID = 9 AND master_id = 4"),
                 QString("2"));

        const QStringList log = m_cartella->righeLog();
        QVERIFY(log.contains("      Querifica { sql=\"INSERT INTO articoli ( [ID], [codint], "
                             "[descr], [catmerc_id], [agea], [um_id], [giacenza], [scortamin] ) "
                             "IN Dolvera0.mdb SELECT [ID], [codint], [descr], [catmerc_id], "
                             "[agea], [um_id], [giacenza], [scortamin] FROM articoli\" }"));
        QVERIFY(log.contains("      Esportata tabella scarichi_dett"));
        QVERIFY(log.contains("    #5: File rinominati"));
        QVERIFY(log.contains("    #8: Database aggiornato"));
        QVERIFY(!log.contains("    #3: Eliminato Dolvera.prev.bck.mdb"));

        // The next start finds no template and touches nothing.
        utLogAzzera();
        QFile::remove(m_cartella->fileLog());
        TdmDati ancora(percorsi(), m_avvisi);
        QVERIFY(m_cartella->righeLog().contains("    #1: Non serve aggiornamento database"));
    }

    void terzoAggiornamentoRuotaLeCopie() {
        QFile::copy(m_cartella->fileDb(), m_cartella->file("Dolvera.prev.bck.mdb"));
        sqlSu(m_cartella->file("Dolvera.prev.bck.mdb"), {"UPDATE info SET versioneDb = 101"});
        QFile::copy(m_cartella->fileDb(), m_cartella->file("Dolvera.bck.mdb"));
        sqlSu(m_cartella->file("Dolvera.bck.mdb"), {"UPDATE info SET versioneDb = 102"});
        sqlSu(m_cartella->fileDb(), {"UPDATE info SET versioneDb = 103"});
        m_cartella->copiaModello("Dolvera0.mdb");
        {
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(dati.pronto());
            QCOMPARE(dati.versioneDb(), 1);
        }
        QCOMPARE(valoreSu(m_cartella->file("Dolvera.prev.bck.mdb"), "SELECT versioneDb FROM info"),
                 QString("102"));
        QCOMPARE(valoreSu(m_cartella->file("Dolvera.bck.mdb"), "SELECT versioneDb FROM info"),
                 QString("103"));
        const QStringList log = m_cartella->righeLog();
        QVERIFY(log.contains("    #3: Eliminato Dolvera.prev.bck.mdb"));
        QVERIFY(log.contains("    #4: Rinominato Dolvera.bck.mdb"));
    }

    void esportazioneFallitaLasciaIFileComeErano_data() {
        QTest::addColumn<QStringList>("sulModello");
        QTest::addColumn<QStringList>("sulDatabase");
        QTest::addColumn<QString>("tabella");
        // The template already holds a row with the same ID: after articoli and fornitori
        // were copied, nominativi fails.
        QTest::newRow("ID duplicato")
            << QStringList{"INSERT INTO nominativi (ID, cognome) VALUES (8, 'Bianchi')"}
            << QStringList{} << "nominativi";
        // The working table has a column that the template's lacks.
        QTest::newRow("colonna mancante")
            << QStringList{} << QStringList{"ALTER TABLE cons_mast ADD COLUMN colore VARCHAR(9)"}
            << "cons_mast";
    }
    void esportazioneFallitaLasciaIFileComeErano() {
        QFETCH(QStringList, sulModello);
        QFETCH(QStringList, sulDatabase);
        QFETCH(QString, tabella);
        sqlSu(m_cartella->fileDb(), RIGHE_UTENTE + sulDatabase);
        m_cartella->copiaModello("Dolvera0.mdb");
        if (!sulModello.isEmpty())
            sqlSu(m_cartella->fileDb0(), sulModello);
        const QByteArray db = impronta(m_cartella->fileDb());
        const QByteArray modello = impronta(m_cartella->fileDb0());

        for (int volta = 0; volta < 2; ++volta) {
            m_avvisi.errori.clear();
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(!dati.pronto());
            QCOMPARE(m_avvisi.errori.size(), 1);
            QVERIFY2(m_avvisi.errori[0].startsWith("Impossibile aggiornare il database. Tabella " +
                                                   tabella + " ("),
                     qPrintable(m_avvisi.errori[0]));
        }
        QCOMPARE(impronta(m_cartella->fileDb()), db);
        QCOMPARE(impronta(m_cartella->fileDb0()), modello);
        QCOMPARE(valoreSu(m_cartella->fileDb0(), "SELECT COUNT(*) FROM articoli"), QString("0"));
        QVERIFY(!QFile::exists(m_cartella->file("Dolvera.bck.mdb")));
        const QStringList log = m_cartella->righeLog();
        QVERIFY(log.filter(QRegularExpression("^ +ERRORE #11Impossibile aggiornare il database\\. "
                                              "Tabella " +
                                              tabella + " \\("))
                    .size() == 2);
        QVERIFY(log.filter(QRegularExpression("^ +#2: Errore esportazione tabelle$")).size() == 2);
        QVERIFY(log.filter(QRegularExpression("^ +#2: UpdateDb NON riuscito$")).size() == 2);
    }

    void scambioFallitoLasciaRipetereLAggiornamento() {
        // Folders in the place of the backups: the working database cannot become
        // "Dolvera.bck.mdb", so the exchange fails after the rows were copied.
        sqlSu(m_cartella->fileDb(), RIGHE_UTENTE);
        m_cartella->copiaModello("Dolvera0.mdb");
        QDir cartella(m_cartella->percorso());
        QVERIFY(cartella.mkpath("Dolvera.prev.bck.mdb/x") && cartella.mkdir("Dolvera.bck.mdb"));
        const QByteArray db = impronta(m_cartella->fileDb());
        {
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(!dati.pronto());
        }
        QCOMPARE(m_avvisi.errori,
                 QStringList{"ERRORE #10: Impossibile rinominare i database (" +
                             m_cartella->fileDb() + " non può essere rinominato)."});
        QVERIFY(m_cartella->righeLog().contains("    #7: Errore aggiornamento database"));
        QCOMPARE(impronta(m_cartella->fileDb()), db);
        QCOMPARE(valoreSu(m_cartella->fileDb0(), "SELECT COUNT(*) FROM articoli"), QString("0"));

        // Once the obstacle is gone the upgrade succeeds.
        QVERIFY(QDir(m_cartella->file("Dolvera.bck.mdb")).removeRecursively());
        m_avvisi.errori.clear();
        TdmDati dati(percorsi(), m_avvisi);
        QVERIFY(dati.pronto());
        QVERIFY(m_avvisi.errori.isEmpty());
        QVERIFY(dati.tblArticoli.localizza("ID", "5"));
        QVERIFY(!QFile::exists(m_cartella->fileDb0()));
    }

    void versioneSenzaTabellaInfo() {
        sqlSu(m_cartella->fileDb(), {"DROP TABLE info"});
        TdmDati dati(percorsi(), m_avvisi);
        QCOMPARE(dati.versioneDb(), 0);
        QVERIFY(m_avvisi.errori.isEmpty());
    }

    void elencoCampi() {
        TdmDati dati(percorsi(), m_avvisi);
        QVERIFY(dati.ElencoCampi("articoli").startsWith("[ID], [codint], [descr], "));
        QCOMPARE(dati.ElencoCampi("cons_mast"), QString("[ID], [descr]"));
    }

    void rinfresca() {
        TdmDati dati(percorsi(), m_avvisi);
        const int prima = dati.tblArticoli.conteggio();
        sqlSu(m_cartella->fileDb(),
              {"INSERT INTO articoli (descr, agea, giacenza) VALUES ('Riso', 0, 0)"});
        QFile::remove(m_cartella->fileLog());
        dati.Rinfresca("articoli");
        QCOMPARE(m_avvisi.errori, QStringList{"ERRORE #9: Parametro errato."});
        QCOMPARE(dati.tblArticoli.conteggio(), prima);
        dati.Rinfresca("Articoli");
        QCOMPARE(dati.tblArticoli.conteggio(), prima + 1);
        QCOMPARE(m_cartella->righeLog(), (QStringList{"Rinfresca { cosa=\"articoli\" }",
                                                      "Rinfresca { cosa=\"Articoli\" }"}));
    }
};

QTEST_GUILESS_MAIN(TestAggiornamento)
#include "tst_aggiornamento.moc"
