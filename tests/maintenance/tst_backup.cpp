// The "Backup" group of the "Utilità" tab: backups, restores and the automatic daily copies.

#include "GruppoBackup.h"
#include "ProgrammaProva.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {
const QString STESSA = QStringLiteral("La cartella scelta è la stessa cartella dove risiede il "
                                      "programma. Selezionare una cartella differente.");
const QString RIAVVIARE =
    QStringLiteral("Riavviare Dolvera per utilizzare i dati ripristinati dal backup.");
using Tipo = Messaggi::Tipo;

// The articles of a database file, read on a connection of its own; -1 when unreadable.
int articoli(const QString& file) {
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "lettura");
        db.setDatabaseName(file);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery q(db);
        if (db.open() && q.exec("SELECT COUNT(*) FROM articoli") && q.next())
            n = q.value(0).toInt();
    }
    QSqlDatabase::removeDatabase("lettura");
    return n;
}

QStringList elenco(const QString& cartella, const QString& filtro = "*") {
    return QDir(cartella).entryList({filtro}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                    QDir::Name);
}
} // namespace

class TestBackup : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgrammaProva> m_p;
    std::unique_ptr<QTemporaryDir> m_altra;

    QString cartella() const { return m_p->cartella().percorso(); }
    // A folder outside the program folder, with a trailing slash.
    QString altra() const { return m_altra->path() + '/'; }
    // Clicks `pulsante`, types `scelta` in the folder picker (empty: "Annulla"); `attese`
    // are the boxes that follow.
    void esegui(const QString& pulsante, const QString& scelta,
                const QList<std::tuple<Tipo, QString, bool>>& attese = {}) {
        m_p->messaggi().attendiDialogo([=](QDialog& d) {
            d.show();
            auto* box = d.findChild<QLineEdit*>("edtCartella");
            box->selectAll();
            QTest::keyClicks(box, scelta);
            QTest::mouseClick(d.findChild<QPushButton*>(scelta.isEmpty() ? "btnAnnulla" : "btnOk"),
                              Qt::LeftButton);
            return d.result();
        });
        for (const auto& [tipo, testo, risposta] : attese)
            m_p->messaggi().attendi(tipo, testo, risposta);
        QVERIFY(m_p->clicca(pulsante));
        SENZA_PROBLEMI(*m_p);
    }

private slots:
    void init() {
        m_p = std::make_unique<ProgrammaProva>(
            QStringList{"INSERT INTO articoli (descr) VALUES ('PASTA'), ('RISO')"});
        m_p->cartella().copiaModello("Dolvera0.mdb");
        m_p->cartella().copiaModello("Dolvera_anno_2023.mdb");
        QVERIFY(m_p->vaiScheda("tsUtilita"));
        m_altra = std::make_unique<QTemporaryDir>();
    }
    void cleanup() {
        SENZA_PROBLEMI(*m_p);
        m_p.reset();
        m_altra.reset();
    }

    // Every file copied and replaced; the program folder refused under another name; a
    // failed file named while its previous copy survives; then the automatic copies.
    void backup() {
        const QString dest = altra();
        esegui("btnEseguiBackup", dest, {{Tipo::Informazione, "Backup effettuato", true}});
        QCOMPARE(elenco(dest),
                 (QStringList{"Dolvera.mdb", "Dolvera0.mdb", "Dolvera_anno_2023.mdb"}));
        QCOMPARE(articoli(dest + "Dolvera.mdb"), 2);
        m_p->esegui("INSERT INTO articoli (descr) VALUES ('LATTE')");
        esegui("btnEseguiBackup", dest, {{Tipo::Informazione, "Backup effettuato", true}});
        QCOMPARE(articoli(dest + "Dolvera.mdb"), 3);

        esegui("btnEseguiBackup", "");
        // The program folder through a link is the same folder.
        QVERIFY(QFile::link(cartella(), altra() + "collegamento"));
        esegui("btnEseguiBackup", altra() + "collegamento", {{Tipo::Informazione, STESSA, true}});

        QVERIFY(QDir(dest).mkdir("Dolvera.mdb.tmp"));
        m_p->esegui("INSERT INTO articoli (descr) VALUES ('OLIO')");
        esegui("btnEseguiBackup", dest, {{Tipo::Errore, "", true}});
        const QString errore = m_p->messaggi().mostrati().last();
        QVERIFY2(errore.contains("ERRORE #BCK01") && errore.contains("(1 su 3") &&
                     errore.contains("- Dolvera.mdb: "),
                 qPrintable(errore));
        QCOMPARE(articoli(dest + "Dolvera.mdb"), 3);

        // The day's automatic copy, made at the first show; the newest fourteen kept; #BCK05.
        const QDate oggi = QDate::currentDate();
        const QString copie = cartella() + "Backup/";
        QCOMPARE(elenco(copie), QStringList{"Dolvera " + oggi.toString(Qt::ISODate) + ".mdb"});
        QCOMPARE(articoli(copie + elenco(copie).first()), 2);
        QCOMPARE(m_p->trova<QLabel>("lblCopiaAutomatica")->text(),
                 "Ultima copia automatica: " + oggi.toString("dd/MM/yyyy"));
        QVERIFY(
            QFile::copy(cartella() + "Dolvera0.mdb", copie + "Dolvera prima del ripristino.mdb"));
        auto* gruppo = m_p->trova<GruppoBackup>("gbBackup");
        for (int giorno = 0; giorno <= 15; ++giorno)
            gruppo->CopiaAutomatica(oggi.addDays(giorno));
        const QStringList rimaste = elenco(copie);
        QCOMPARE(rimaste.size(), 15);
        QCOMPARE(rimaste.first(), "Dolvera " + oggi.addDays(2).toString(Qt::ISODate) + ".mdb");
        QVERIFY(rimaste.contains("Dolvera prima del ripristino.mdb"));

        QVERIFY(QDir(copie).removeRecursively());
        QVERIFY(QFile::copy(cartella() + "Dolvera0.mdb", cartella() + "Backup"));
        m_p->messaggi().attendi(Tipo::Errore, "");
        gruppo->CopiaAutomatica(oggi);
        QVERIFY(m_p->messaggi().mostrati().last().contains("ERRORE #BCK05"));
    }

    // Restores that must change nothing, then a whole one: the files come back, the replaced
    // database is kept in "Backup", the connection is closed and the program ends.
    void ripristino() {
        const QString dest = altra();
        const QString archivio = "Dolvera_anno_2023.mdb";
        esegui("btnEseguiBackup", dest, {{Tipo::Informazione, "Backup effettuato", true}});
        m_p->esegui("INSERT INTO articoli (descr) VALUES ('LATTE')");
        esegui("btnRipristinaBackup", dest, {{Tipo::SiNo, "", false}});
        QVERIFY(QDir(cartella()).mkdir(archivio + ".ripristino.tmp"));
        esegui("btnRipristinaBackup", dest, {{Tipo::SiNo, "", true}, {Tipo::Errore, "", true}});
        QVERIFY(m_p->messaggi().mostrati().last().startsWith("errore: ERRORE #BCK03"));
        QVERIFY(QDir(cartella()).rmdir(archivio + ".ripristino.tmp"));
        esegui("btnRipristinaBackup", cartella(), {{Tipo::Informazione, STESSA, true}});
        QVERIFY(QDir(dest).mkdir("vuota"));
        esegui("btnRipristinaBackup", dest + "vuota",
               {{Tipo::Errore, "Nessun database da ripristinare nella cartella scelta.", true}});
        QVERIFY(QFile::copy(dest + archivio, altra() + "integro.mdb"));
        QVERIFY(QFile::resize(dest + archivio, 6000));
        esegui("btnRipristinaBackup", dest, {{Tipo::Errore, "", true}});
        QVERIFY(m_p->messaggi().mostrati().last().contains(archivio + "\" è danneggiato"));
        QCOMPARE(m_p->valore("SELECT COUNT(*) FROM articoli").toInt(), 3);
        QCOMPARE(elenco(cartella(), "*.mdb*"),
                 (QStringList{"Dolvera.mdb", "Dolvera0.mdb", archivio}));
        QVERIFY(QFile::remove(dest + archivio) &&
                QFile::rename(altra() + "integro.mdb", dest + archivio));
        QVERIFY(QFile::remove(cartella() + "Dolvera0.mdb") && QFile::remove(cartella() + archivio));
        esegui("btnRipristinaBackup", dest,
               {{Tipo::SiNo, "", true}, {Tipo::Informazione, RIAVVIARE, true}});
        QVERIFY(!m_p->main().inEsecuzione());
        QVERIFY(!QSqlDatabase::contains(NOME_CONNESSIONE));
        QCOMPARE(elenco(cartella(), "*.mdb*"),
                 (QStringList{"Dolvera.mdb", "Dolvera0.mdb", archivio}));
        QCOMPARE(articoli(cartella() + "Dolvera.mdb"), 2);
        const QStringList conservate = elenco(cartella() + "Backup", "Dolvera prima del *.mdb");
        QCOMPARE(conservate.size(), 1);
        QCOMPARE(articoli(cartella() + "Backup/" + conservate.first()), 3);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
