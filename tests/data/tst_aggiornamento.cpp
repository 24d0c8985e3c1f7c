// The data module at start-up: the upgrade from the template, its failures and recovery.

#include "CartellaProgramma.h"
#include "Datamodule.h"
#include "Utilitylibrary.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <tuple>

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

// Runs statements on a file through a connection of its own; the last one's first value.
QString sqlSu(const QString& file, const QStringList& istruzioni) {
    QString valore;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "prova");
        db.setDatabaseName(file);
        if (!db.open())
            QTest::qFail(qPrintable(file + " non si apre"), __FILE__, __LINE__);
        QSqlQuery q(db);
        for (const QString& s : istruzioni) {
            if (!q.exec(s))
                QTest::qFail(qPrintable(s + ": " + q.lastError().text()), __FILE__, __LINE__);
        }
        if (q.next())
            valore = q.value(0).toString();
    }
    QSqlDatabase::removeDatabase("prova");
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

const QStringList ANNI_DI_DATI = [] {
    QStringList istruzioni;
    for (const auto& [tabella, n, valori] :
         std::initializer_list<std::tuple<QString, int, QString>>{
             {"articoli (codint, descr, agea, giacenza)", 300,
              "'A' || i, 'Art ' || i, i % 2, i / 2.0"},
             {"nominativi (cognome, nome, numFamiliari)", 2000, "'Cognome' || i, 'Nome', i % 6"},
             {"scarichi_mast (data, nominativi_id, nrDocumento, causali_id, nrBeneficiati)", 9000,
              "date('2020-01-01', '+' || (i / 5) || ' days'), i % 2000 + 9, i, 1, 2"},
             {"scarichi_dett (master_id, articoli_id, qta)", 27000,
              "i % 9000 + 5, i % 300 + 6, i % 5"}})
        istruzioni << QString("INSERT INTO %1 WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                              "i + 1 FROM n WHERE i < %2) SELECT %3 FROM n")
                          .arg(tabella)
                          .arg(n)
                          .arg(valori);
    return istruzioni;
}();

// The rows of every upgraded table and a hash of all their values, in ID order.
QMap<QString, std::pair<int, QByteArray>> contenuto(const QString& file) {
    QMap<QString, std::pair<int, QByteArray>> tabelle;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "contenuto");
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        db.setDatabaseName(file);
        if (db.open()) {
            QSqlQuery q(db);
            for (const QString& tabella : TdmDati::tabelleEsportate()) {
                QCryptographicHash hash(QCryptographicHash::Sha256);
                int righe = 0;
                q.exec("SELECT * FROM " + tabella + " ORDER BY ID");
                while (q.next()) {
                    ++righe;
                    for (int c = 0; c < q.record().count(); ++c)
                        hash.addData((q.value(c).toString() + '|').toUtf8());
                }
                tabelle[tabella] = {righe, hash.result()};
            }
        }
    }
    QSqlDatabase::removeDatabase("contenuto");
    return tabelle;
}

// The upgrade's files left in a program folder.
QStringList fileDatabase(const QString& cartella) {
    return QDir(cartella).entryList({"Dolvera*mdb*"}, QDir::Files | QDir::Dirs | QDir::Hidden,
                                    QDir::Name);
}

// The data module started in a child process; its exit code.
int avvia(const QString& cartella, const QByteArray& guasto = {}) {
    QProcess processo;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove("DOLVERA_GUASTO");
    if (!guasto.isEmpty())
        ambiente.insert("DOLVERA_GUASTO", guasto);
    processo.setProcessEnvironment(ambiente);
    processo.start(DOLVERA_AVVIO_DATI, {cartella});
    if (!processo.waitForFinished(120000))
        return -1;
    return processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
}

} // namespace

class TestAggiornamento : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaProgramma> m_cartella;
    AvvisiRegistrati m_avvisi;

    Percorsi percorsi() const { return Percorsi::daCartella(m_cartella->percorso()); }
    QString versione(const QString& nome) const {
        return sqlSu(m_cartella->file(nome), {"SELECT versioneDb FROM info"});
    }

private slots:
    void init() {
        m_cartella = std::make_unique<CartellaProgramma>();
        m_avvisi.errori.clear();
        utLogAzzera();
        utLogImpostaFile(m_cartella->fileLog());
    }
    void cleanup() { m_cartella.reset(); }

    // Without a template the database is opened untouched; no info table is version 0.
    void senzaModelloNessunFileToccato() {
        const QByteArray prima = impronta(m_cartella->fileDb());
        {
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(dati.pronto());
            QCOMPARE(dati.versioneDb(), 1);
        }
        QCOMPARE(impronta(m_cartella->fileDb()), prima);
        QVERIFY(!QFile::exists(m_cartella->file("Dolvera.bck.mdb")));
        const QStringList log = m_cartella->righeLog();
        QVERIFY(log.contains("    #1: Non serve aggiornamento database"));
        QVERIFY(log.contains("  #3: UpdateDb riuscito"));
        QVERIFY(m_avvisi.errori.isEmpty());

        sqlSu(m_cartella->fileDb(), {"DROP TABLE info"});
        QCOMPARE(TdmDati(percorsi(), m_avvisi).versioneDb(), 0);
        QVERIFY(m_avvisi.errori.isEmpty());
    }

    // The user's rows move into the template; the old database is the backup.
    void primoAggiornamento() {
        sqlSu(m_cartella->fileDb(), RIGHE_UTENTE);
        const QByteArray vecchio = impronta(m_cartella->fileDb());
        m_cartella->copiaModello("Dolvera0.mdb");
        sqlSu(m_cartella->fileDb0(),
              {"ALTER TABLE articoli ADD COLUMN note VARCHAR(50) DEFAULT 'nuova'"});
        {
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(dati.pronto());
            QVERIFY(m_avvisi.errori.isEmpty());
            QVERIFY(dati.tblArticoli.localizza("ID", "5"));
            QCOMPARE(dati.tblArticoli.valore("note").toString(), "nuova");
        }
        QVERIFY(!QFile::exists(m_cartella->fileDb0()));
        QVERIFY(!QFile::exists(m_cartella->file("Dolvera.prev.bck.mdb")));
        QCOMPARE(impronta(m_cartella->file("Dolvera.bck.mdb")), vecchio);
        QCOMPARE(sqlSu(m_cartella->fileDb(),
                       {"SELECT M.nominativi_id || M.nrBeneficiati || D.qta FROM scarichi_mast M "
                        "JOIN scarichi_dett D ON D.master_id = M.ID WHERE D.ID = 9 AND M.ID = 4"}),
                 "832.0");

        const QStringList log = m_cartella->righeLog();
        for (const char* riga : {"      Esportata tabella scarichi_dett", "    #5: File rinominati",
                                 "    #8: Database aggiornato"})
            QVERIFY2(log.contains(riga), riga);
    }

    // A failed export rolls every copied table back: both files stay as they were.
    void esportazioneFallitaLasciaIFileComeErano_data() {
        QTest::addColumn<QStringList>("sulModello");
        QTest::addColumn<QStringList>("sulDatabase");
        QTest::addColumn<QString>("tabella");
        QTest::newRow("ID duplicato")
            << QStringList{"INSERT INTO nominativi (ID, cognome) VALUES (8, 'Bianchi')"}
            << QStringList{} << "nominativi";
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
        QVERIFY(!QFile::exists(m_cartella->file("Dolvera.bck.mdb")));
        const QString log = m_cartella->righeLog().join('\n');
        for (const QString& riga :
             {"ERRORE #11Impossibile aggiornare il database. Tabella " + tabella + " (",
              QString("#2: Errore esportazione tabelle"), QString("#2: UpdateDb NON riuscito")})
            QVERIFY2(log.count(riga) == 2, qPrintable(riga));
    }

    // Backups that cannot rotate leave the database; the next start completes the exchange.
    void scambioFallitoCompletatoAlProssimoAvvio() {
        sqlSu(m_cartella->fileDb(), RIGHE_UTENTE);
        m_cartella->copiaModello("Dolvera0.mdb");
        QDir cartella(m_cartella->percorso());
        QVERIFY(cartella.mkpath("Dolvera.prev.bck.mdb/x") && cartella.mkdir("Dolvera.bck.mdb"));
        const QByteArray db = impronta(m_cartella->fileDb());
        {
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(!dati.pronto());
        }
        QCOMPARE(m_avvisi.errori.size(), 1);
        QVERIFY2(m_avvisi.errori[0].startsWith("ERRORE #10: Impossibile rinominare i database (" +
                                               m_cartella->file("Dolvera.bck.mdb") +
                                               " non può essere rinominato ("),
                 qPrintable(m_avvisi.errori[0]));
        QVERIFY(m_cartella->righeLog().contains("    #7: Errore aggiornamento database"));
        QCOMPARE(impronta(m_cartella->fileDb()), db);

        QVERIFY(QDir(m_cartella->file("Dolvera.bck.mdb")).removeRecursively());
        m_avvisi.errori.clear();
        {
            TdmDati dati(percorsi(), m_avvisi);
            QVERIFY(dati.pronto());
            QVERIFY(m_avvisi.errori.isEmpty());
            QVERIFY(dati.tblArticoli.localizza("ID", "5"));
        }
        QCOMPARE(impronta(m_cartella->file("Dolvera.bck.mdb")), db);
        QCOMPARE(fileDatabase(m_cartella->percorso()),
                 (QStringList{"Dolvera.bck.mdb", "Dolvera.mdb", "Dolvera.prev.bck.mdb"}));
    }

    // An upgrade killed at any step is completed or redone by the next start.
    void guastoAOgniPasso_data() {
        QTest::addColumn<QByteArray>("passo");
        QTest::addColumn<bool>("modelloTolto");
        for (const char* passo :
             {"copia_database", "esportazione", "copia_riempita", "copia_pronta",
              "modello_eliminato", "copie_ruotate", "copia_rinominata", "database_sostituito"})
            QTest::newRow(passo) << QByteArray(passo) << false;
        // The template removed by hand once the filled copy is complete.
        QTest::newRow("copia_pronta, modello tolto") << QByteArray("copia_pronta") << true;
    }
    void guastoAOgniPasso() {
        QFETCH(QByteArray, passo);
        QFETCH(bool, modelloTolto);
        for (const char* copia : {"Dolvera.prev.bck.mdb", "Dolvera.bck.mdb"})
            QFile::copy(m_cartella->fileDb(), m_cartella->file(copia));
        sqlSu(m_cartella->file("Dolvera.prev.bck.mdb"), {"UPDATE info SET versioneDb = 101"});
        sqlSu(m_cartella->file("Dolvera.bck.mdb"), {"UPDATE info SET versioneDb = 102"});
        sqlSu(m_cartella->fileDb(),
              QStringList{"UPDATE info SET versioneDb = 103"} + RIGHE_UTENTE + ANNI_DI_DATI);
        m_cartella->copiaModello("Dolvera0.mdb");
        sqlSu(m_cartella->fileDb0(), {"UPDATE info SET versioneDb = 104"});
        const auto righe = contenuto(m_cartella->fileDb());
        const QByteArray vecchio = impronta(m_cartella->fileDb());

        QCOMPARE(avvia(m_cartella->percorso(), passo), 137);
        if (modelloTolto)
            QVERIFY(QFile::remove(m_cartella->fileDb0()));
        QCOMPARE(avvia(m_cartella->percorso()), 0);

        const auto dopo = contenuto(m_cartella->fileDb());
        QCOMPARE(dopo, righe);
        QCOMPARE(versione("Dolvera.mdb"), "104");
        QCOMPARE(impronta(m_cartella->file("Dolvera.bck.mdb")), vecchio);
        QCOMPARE(versione("Dolvera.prev.bck.mdb"), "102");
        QCOMPARE(fileDatabase(m_cartella->percorso()),
                 (QStringList{"Dolvera.bck.mdb", "Dolvera.mdb", "Dolvera.prev.bck.mdb"}));
        // The start after that finds nothing to do.
        QCOMPARE(avvia(m_cartella->percorso()), 0);
        QCOMPARE(versione("Dolvera.prev.bck.mdb"), "102");
    }

    // Only existing files are attached, read-write, whatever the folder's name holds.
    void attaccaSoloFileEsistenti() {
        ApriConnessione(m_cartella->fileDb());
        QVERIFY(QDir(m_cartella->percorso()).mkdir("a b#%?c"));
        const QString altro = m_cartella->file("a b#%?c/Dolvera0.mdb");
        QVERIFY_THROWS_EXCEPTION(ErroreDb, AttaccaDatabase(altro, "Dolvera0"));
        QVERIFY(!QFile::exists(altro));
        m_cartella->copiaModello("a b#%?c/Dolvera0.mdb");
        AttaccaDatabase(altro, "Dolvera0");
        {
            QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
            QVERIFY(q.exec("INSERT INTO Dolvera0.fornitori (ragsoc) VALUES ('Attaccato')"));
            QVERIFY(q.exec("DETACH DATABASE Dolvera0"));
        }
        ChiudiConnessione();
        QCOMPARE(sqlSu(altro, {"SELECT ragsoc FROM fornitori"}), "Attaccato");
    }

    // Only the tab names re-read their data sets; another name is an error.
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
