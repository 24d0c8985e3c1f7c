// The "Giornaliero" tab driven as the user drives it: the months of the declarations, the
// filter, the row kept across a change of tab, and the declaration form printed to PDF.

#include "ProgrammaProva.h"
#include "StampaForm.h"
#include "TfrmAll9.h"

#include <QComboBox>
#include <QDir>
#include <QRegularExpression>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");

// Declarations 2012 no. 1 (thirty articles ART01..ART30) and 2013 no. 1 to 4; 1 March 2013
// has two distributions (3 and 4 persons) and a non-AGEA line.
const QString TRENTA =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30) ";
const QStringList CONSEGNE = {
    "INSERT INTO articoli (ID, descr, agea, um_id) VALUES (1, 'PASTA', 1, 1), "
    "(2, 'LATTE UHT', 1, 3), (3, 'BISCOTTI', 0, 4)",
    "INSERT INTO articoli (ID, descr, agea, um_id) " + TRENTA +
        "SELECT 10 + i, printf('ART%02d', i), 1, 1 FROM n",
    "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, nrBeneficiati) "
    "VALUES (1, '2012-12-30', 1, 1, 1, 2), (2, '2013-01-02', 1, 2, 1, 2), "
    "(3, '2013-01-31', 1, 3, 1, 2), (4, '2013-03-01', 1, 4, 1, 3), (5, '2013-03-01', 1, 5, 1, 4), "
    "(6, '2013-03-31', 1, 6, 1, 2)",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) " + TRENTA +
        "SELECT 1, 10 + i, i FROM n",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (2, 1, 1), (3, 1, 1), "
    "(4, 1, 10), (4, 3, 2), (5, 1, 2.5), (5, 2, 6), (6, 2, 1)"};

const QString RAGSOC = QStringLiteral(
    "ASSOCIAZIONE BANCO ALIMENTARE DELLA CITTÀ METROPOLITANA DI MILANO ONLUS - O.D.V.");
const QStringList NOMI_LUNGHI = {
    "UPDATE datiAzienda SET ragsoc = '" + RAGSOC + "'",
    "UPDATE articoli SET descr = 'ART30 CONFETTURA EXTRA DI FRUTTA MISTA IN VASETTI DI VETRO DA "
    "TRECENTO GRAMMI CODA' WHERE ID = 40"};

// The program on the "Giornaliero" tab.
struct Giornaliero : ProgrammaProva {
    explicit Giornaliero(const QStringList& sql) : ProgrammaProva(sql) {
        QVERIFY(vaiScheda("tsAllegato9"));
    }
    QComboBox* mesi() const { return trova<QComboBox>("cbxAllMese"); }
    // Moves the month selector with the arrow keys, as the user does.
    bool scegliMese(const QString& etichetta) {
        const int voce = mesi()->findText(etichetta);
        while (voce >= 0 && mesi()->currentIndex() != voce)
            QTest::keyClick(mesi(), mesi()->currentIndex() < voce ? Qt::Key_Down : Qt::Key_Up);
        return mesi()->currentText() == etichetta;
    }
    // Date, number / year and persons of the declaration shown.
    QString campi() const {
        return QStringList{testo("edtAll9Data"), testo("edtAll9Numero"), testo("edtAll9Anno"),
                           testo("edtAll9Dest")}
            .join('|');
    }
};
} // namespace

class TestGiornaliero : public QObject {
    Q_OBJECT

private slots:
    // Guards that a program without declarations offers no month and no print.
    void senzaDichiarazioni() {
        Giornaliero g({});
        QVERIFY(g.elenco("grAllegati9").isEmpty());
        QCOMPARE(g.mesi()->count(), 0);
        QVERIFY(!g.clicca("btnAll9Stampa"));
        SENZA_PROBLEMI(g);
    }

    // Guards the months offered, the filter, the fields and goods following the list, the
    // row (or, once deleted, the latest month) the tab comes back on; then the print: what it
    // shows, the file's name, Cancel, goods beyond one sheet, long names, the blank form of
    // an empty month, and a failure reported.
    void mesiEStampa() {
        Giornaliero g(CONSEGNE + NOMI_LUNGHI);
        // December 2012 to March 2013 (the empty February included), the latest shown.
        QCOMPARE(g.mesi()->count(), 4);
        QCOMPARE(g.mesi()->currentText(), "Marzo 2013");
        QCOMPARE(g.elenco("grAllegati9"), QStringList({"01/03/2013|2013|3", "31/03/2013|2013|4"}));
        QCOMPARE(g.campi(), "01/03/2013|3|2013|7");
        QCOMPARE(g.elenco("grGiornalieroAll9Dett"),
                 QStringList({"LATTE UHT|litri|6", "PASTA|kg|12,5"}));
        QVERIFY(g.cliccaRiga("grAllegati9", 1));
        QCOMPARE(g.campi(), "31/03/2013|4|2013|2");
        QCOMPARE(g.elenco("grGiornalieroAll9Dett"), QStringList{"LATTE UHT|litri|1"});

        QVERIFY(g.scegliMese("Gennaio 2013"));
        QCOMPARE(g.elenco("grAllegati9"), QStringList({"02/01/2013|2013|1", "31/01/2013|2013|2"}));
        QVERIFY(g.cliccaRiga("grAllegati9", 1));
        QVERIFY(g.vaiScheda("tsMenu") && g.vaiScheda("tsAllegato9"));
        QCOMPARE(g.mesi()->currentText(), "Gennaio 2013");
        QCOMPARE(g.campi(), "31/01/2013|2|2013|2");
        QVERIFY(g.vaiScheda("tsMenu"));
        g.esegui("DELETE FROM allegati9 WHERE data = '2013-01-31'");
        QVERIFY(g.vaiScheda("tsAllegato9"));
        QCOMPARE(g.mesi()->currentText(), "Marzo 2013");

        QVERIFY(g.scegliMese("Febbraio 2013"));
        QVERIFY(g.elenco("grAllegati9").isEmpty());
        QCOMPARE(g.campi(), "|||");
        QVERIFY(g.elenco("grGiornalieroAll9Dett").isEmpty());
        g.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString vuoto = g.stampa("btnAll9Stampa");
        QVERIFY(vuoto.contains("NUMERO"));
        QVERIFY(!vuoto.contains("30/12/2012") && !vuoto.contains("ART01"));

        QVERIFY(g.scegliMese("Marzo 2013"));
        g.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString testo = g.stampa("btnAll9Stampa");
        QVERIFY(QFileInfo(g.stampe().value(1))
                    .fileName()
                    .startsWith("Allegato 9 n. 3-2013 del 01-03-2013 "));
        QCOMPARE(testo.count('\f'), 1);
        QVERIFY(!testo.contains("foglio"));
        for (const char* atteso :
             {R"(Milano \(MI\))", "Via Roma 1", R"(NUMERO\s+3\s+DATA\s+01/03/2013)",
              R"(odierna a n.\s+7\s+indigenti)", R"(LATTE UHT\s+litri\s+6\n)",
              R"(PASTA\s+kg\s+12,5\n)",
              "TIMBRO DELL'ENTE CARITATIVO E FIRMA DEL LEGALE RAPPRESENTANTE"})
            QVERIFY2(testo.contains(QRegularExpression(atteso)), atteso);
        QVERIFY(!testo.contains("BISCOTTI"));

        // A wide window is scaled to the width.
        QCOMPARE(RettangoloStampaImmagine({4800, 6600}, {1000, 500}, 300, 200),
                 QRect(QPoint(300, 200), QPoint(4498, 2298)));

        g.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
        QVERIFY(g.clicca("btnAll9Stampa"));
        QCOMPARE(g.stampe().size(), 2);

        // Thirty products: two sheets in one file, each the whole form, every product once.
        QVERIFY(g.scegliMese("Dicembre 2012"));
        g.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString trenta = g.stampa("btnAll9Stampa");
        QVERIFY(QFileInfo(g.stampe().constLast())
                    .fileName()
                    .startsWith("Allegato 9 n. 1-2012 del 30-12-2012 "));
        const QStringList fogli = trenta.split('\f', Qt::SkipEmptyParts);
        QCOMPARE(fogli.size(), 2);
        QStringList stampati, attesi;
        for (int f = 0; f < 2; ++f) {
            QVERIFY(fogli[f].contains(QString("foglio %1 di 2").arg(f + 1)));
            QVERIFY(fogli[f].contains(QRegularExpression(R"(NUMERO\s+1\s+.*DATA\s+30/12/2012)")));
            QVERIFY(fogli[f].contains("PRODOTTO") && fogli[f].contains("FIRMA"));
            // The name of 80 characters whole, on its line.
            QVERIFY(fogli[f].contains(
                QRegularExpression("rappresentante del +" + QRegularExpression::escape(RAGSOC))));
            for (const auto& m : QRegularExpression("ART\\d\\d").globalMatch(fogli[f]))
                stampati << m.captured();
            if (f == 0)
                QCOMPARE(stampati.size(), TfrmAll9::righeTabella());
        }
        for (int i = 1; i <= 30; ++i)
            attesi << QString("ART%1").arg(i, 2, 10, QChar('0'));
        QCOMPARE(stampati, attesi);
        // The long product name ends in "…" in its column, its quantity beside it.
        QVERIFY(fogli[1].contains(QRegularExpression("ART30 CONFETTURA[^\n]*… +kg +30\n")));
        QVERIFY(!trenta.contains("CODA"));

        // A file named Stampe: the PDF cannot be written.
        QDir(g.cartella().file("Stampe")).removeRecursively();
        QFile ostacolo(g.cartella().file("Stampe"));
        QVERIFY(ostacolo.open(QIODevice::WriteOnly));
        ostacolo.close();
        g.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        g.messaggi().attendi(Tipo::Errore, QString());
        QVERIFY(g.clicca("btnAll9Stampa"));
        QVERIFY(g.messaggi().mostrati().last().startsWith("errore: Stampa non riuscita: "));
        SENZA_PROBLEMI(g);
    }
};

QTEST_MAIN(TestGiornaliero)
#include "tst_giornaliero.moc"
