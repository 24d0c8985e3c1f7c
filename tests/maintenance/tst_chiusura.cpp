// The "Chiusura annuale" group of the "Utilità" tab (hidden; the test shows it).

#include "GruppoChiusura.h"
#include "PaginaUtilita.h"
#include "ProgrammaProva.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QSqlQuery>

namespace {
const QString ANNO = QString::number(QDate::currentDate().year());

// Documents of 2011, 2012 and this year, each with its lines and its declaration.
const QStringList MOVIMENTI = {
    "INSERT INTO articoli (ID, descr, agea, um_id, giacenza) VALUES (1, 'PASTA', 1, 1, 10), "
    "(2, 'OLIO', 0, 1, 2.5)",
    QString("INSERT INTO carichi_mast (ID, data, fornitore_id) VALUES (1, '2011-06-01', 0), "
            "(2, '2012-02-02', 0), (3, '%1-01-03', 0)")
        .arg(ANNO),
    QString("INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id) VALUES "
            "(1, '2011-06-01', 1, 1, 1), (2, '2012-02-02', 1, 2, 1), (3, '%1-01-03', 1, 3, 1)")
        .arg(ANNO),
    "INSERT INTO allegati9 (data, anno, numero) SELECT data, substr(data, 1, 4), 1 FROM "
    "scarichi_mast",
    "INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 5.25), (2, 2, 1), "
    "(3, 1, 4)",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 2), (1, 2, 0.5), "
    "(2, 1, 1), (3, 1, 1)"};

// A database file in short: each article's opening stock | each receipt's and each
// distribution's year and number of lines | the declarations' years | all the lines.
QString contenuto(const QString& file) {
    QString risultato;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lettura");
        db.setConnectOptions("QSQLITE_OPEN_READONLY");
        db.setDatabaseName(file);
        QSqlQuery q(db);
        if (db.open() && q.exec(R"(SELECT
            (SELECT group_concat(ID || '=' || giacenza, ' ') FROM articoli) || ' | ' ||
            (SELECT group_concat(substr(data, 1, 4) || '/' || (SELECT COUNT(*) FROM carichi_dett
                WHERE master_id = M.ID), ' ') FROM carichi_mast M) || ' | ' ||
            (SELECT group_concat(substr(data, 1, 4) || '/' || (SELECT COUNT(*) FROM scarichi_dett
                WHERE master_id = M.ID), ' ') FROM scarichi_mast M) || ' | ' ||
            (SELECT group_concat(anno, ' ') FROM (SELECT anno FROM allegati9 ORDER BY anno)) ||
            ' | ' || ((SELECT COUNT(*) FROM carichi_dett) + (SELECT COUNT(*) FROM scarichi_dett)))"))
            risultato = q.next() ? q.value(0).toString() : "";
    }
    QSqlDatabase::removeDatabase("lettura");
    return risultato;
}
const QString PRIMA = "1=10.0 2=2.5 | 2011/1 2012/1 %1/1 | 2011/2 2012/1 %1/1 | 2011 2012 %1 | 7";
const QString ARCHIVIO = "1=10.0 2=2.5 | 2011/1 | 2011/2 | 2011 | 3";
const QString DOPO = "1=13.25 2=2.0 | 2012/1 %1/1 | 2012/1 %1/1 | 2012 %1 | 4";

// The files of the program folder and a digest of each, the log left out.
QMap<QString, QByteArray> fileCartella(const ProgrammaProva& p) {
    QMap<QString, QByteArray> elenco;
    for (const QFileInfo& f : QDir(p.cartella().percorso()).entryInfoList(QDir::Files)) {
        QFile file(f.absoluteFilePath());
        if (!f.fileName().endsWith(".LOG") && file.open(QIODevice::ReadOnly))
            elenco[f.fileName()] =
                QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5);
    }
    return elenco;
}

// The list of the closed years: the selected entry, the number of entries, disabled or not.
QString anniChiusi(const ProgrammaProva& p) {
    const auto* elenco = p.trova<QComboBox>("cbxAnniChiusi");
    return elenco->currentText() + QString("/%1").arg(elenco->count()) +
           (elenco->isEnabled() ? "" : " disabilitato");
}

// "Chiudi anno" shows CH01 with `motivo`; no file changes and the program goes on.
void fallisce(ProgrammaProva& p, const QString& motivo) {
    const auto prima = fileCartella(p);
    p.messaggi().attendi(Messaggi::Tipo::Errore, {});
    QVERIFY(p.clicca("btnChiudiAnno"));
    const QString box = p.messaggi().mostrati().constLast();
    QVERIFY2(box.contains("Errore CH01: Impossibile chiudere l'anno\n") && box.contains(motivo),
             qPrintable(box));
    QCOMPARE(fileCartella(p), prima);
    QVERIFY(p.main().inEsecuzione());
    QCOMPARE(p.valore("SELECT COUNT(*) FROM scarichi_mast").toInt(), 3);
}
} // namespace

class TestChiusura : public QObject {
    Q_OBJECT

private slots:
    // Nothing to close; 2011 stopped by an existing archive or a refused deletion; then a
    // closing whose every step leaves each document in one whole file, and the next display.
    void chiusura() {
        ProgrammaProva p;
        QVERIFY(p.vaiScheda("tsUtilita"));
        QVERIFY(p.trova("pnlChiusura")->isHidden());
        p.trova("pnlChiusura")->show();
        QCOMPARE(p.testo("edtAnnoChiudibile"), "--Nessun anno da chiudere--");
        QCOMPARE(anniChiusi(p), "--Nessun anno da riaprire--/1 disabilitato");
        const auto vuota = fileCartella(p);
        QVERIFY(p.clicca("btnChiudiAnno"));
        QCOMPARE(fileCartella(p), vuota);

        for (const QString& sql : MOVIMENTI)
            p.esegui(sql);
        QVERIFY(p.vaiScheda("tsMenu") && p.vaiScheda("tsUtilita"));
        QCOMPARE(p.testo("edtAnnoChiudibile"), "2011");
        const QString archivio = p.cartella().file("Dolvera_anno_2011.mdb");
        QFile(archivio).open(QIODevice::WriteOnly);
        fallisce(p, "Dolvera_anno_2011.mdb\" esiste già");
        QVERIFY(QFile::remove(archivio));
        p.esegui("CREATE TRIGGER rifiuta BEFORE DELETE ON allegati9 WHEN OLD.anno = 2012 "
                 "BEGIN SELECT RAISE(ABORT, 'dichiarazione protetta'); END");
        fallisce(p, "dichiarazione protetta");
        p.esegui("DROP TRIGGER rifiuta");

        QStringList passi;
        p.trova<GruppoChiusura>("pnlChiusura")->impostaOsservatore([&](const QString& passo) {
            passi << passo.left(2) + " " + contenuto(p.cartella().fileDb()) + " + " +
                         (QFile::exists(archivio) ? contenuto(archivio) : "");
        });
        p.messaggi().attendi(Messaggi::Tipo::Informazione,
                             "Dolvera verrà ora chiuso. Riaprirlo per continuare a lavorare.");
        QVERIFY(p.clicca("btnChiudiAnno"));
        QVERIFY(!p.main().inEsecuzione());
        const QString prima = PRIMA.arg(ANNO);
        QCOMPARE(passi, QStringList({"#1 " + prima + " + ", "#2 " + prima + " + ",
                                     "#3 " + prima + " + ", "#4 " + prima + " + " + ARCHIVIO,
                                     "#5 " + DOPO.arg(ANNO) + " + " + ARCHIVIO}));
        QCOMPARE(QDir(p.cartella().percorso()).entryList({"*.mdb*", "*.tmp*"}),
                 QStringList({"Dolvera.mdb", "Dolvera_anno_2011.mdb"}));

        // The next start: the program's connection on the new working file.
        ApriConnessione(p.cartella().fileDb());
        p.trova<PaginaUtilita>("tsUtilita")->Mostra();
        QCOMPARE(p.testo("edtAnnoChiudibile"), "2012");
        QCOMPARE(anniChiusi(p), "2011/1");
        SENZA_PROBLEMI(p);
    }

    // A future year is not closed over this year's documents (their stock would count twice).
    void annoFuturo() {
        const QString prossimo = QString::number(QDate::currentDate().year() + 1);
        ProgrammaProva p(
            {MOVIMENTI[0], QString("INSERT INTO scarichi_mast (ID, data, nominativi_id, "
                                   "nrDocumento, causali_id) VALUES (1, '%1-01-03', 1, 1, 1), "
                                   "(2, '%2-02-02', 1, 2, 1), (3, '%2-03-03', 1, 3, 1)")
                               .arg(ANNO, prossimo)});
        QVERIFY(p.vaiScheda("tsUtilita"));
        p.trova("pnlChiusura")->show();
        QCOMPARE(p.testo("edtAnnoChiudibile"), prossimo);
        fallisce(p, "documenti di anni precedenti al " + prossimo);
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestChiusura)
#include "tst_chiusura.moc"
