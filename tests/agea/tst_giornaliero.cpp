// The "Giornaliero" tab driven as the user drives it: the months of the declarations, the
// month filter, the row kept across a change of tab, and the print of the declaration form
// checked in the PDF that the program's printer writes (text, one page, place and size).

#include "Datamodule.h"
#include "PaginaAllegato9.h"
#include "ProgrammaProva.h"
#include "StampaForm.h"
#include "TfrmAll9.h"

#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");

// Five delivery days (reason 1, AGEA goods) and their declarations, numbered as the program
// numbers them. 1 March 2013 has two distributions (3 and 4 persons) and a non-AGEA line.
const QStringList CONSEGNE = {
    "INSERT INTO articoli (ID, descr, agea, um_id) VALUES (1, 'PASTA', 1, 1), "
    "(2, 'LATTE UHT', 1, 3), (3, 'BISCOTTI', 0, 4)",
    "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, nrBeneficiati) "
    "VALUES (1, '2012-12-30', 1, 1, 1, 2), (2, '2013-01-02', 1, 2, 1, 2), "
    "(3, '2013-01-31', 1, 3, 1, 2), (4, '2013-03-01', 1, 4, 1, 3), (5, '2013-03-01', 1, 5, 1, 4), "
    "(6, '2013-03-31', 1, 6, 1, 2)",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 1), (2, 1, 1), "
    "(3, 1, 1), (4, 1, 10), (4, 3, 2), (5, 1, 2.5), (5, 2, 6), (6, 2, 1)",
    "INSERT INTO allegati9 (ID, data, anno, numero) VALUES (1, '2012-12-30', 2012, 1), "
    "(2, '2013-01-02', 2013, 1), (3, '2013-01-31', 2013, 2), (4, '2013-03-01', 2013, 3), "
    "(5, '2013-03-31', 2013, 4)"};

// One delivery day with thirty AGEA articles, ART01 ... ART30.
const QString TRENTA =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30) ";
const QStringList TRENTA_PRODOTTI = {
    "INSERT INTO articoli (ID, descr, agea, um_id) " + TRENTA +
        "SELECT i, printf('ART%02d', i), 1, 1 FROM n",
    "INSERT INTO scarichi_mast (ID, data, nominativi_id, nrDocumento, causali_id, nrBeneficiati) "
    "VALUES (1, '2014-05-10', 1, 1, 1, 2)",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) " + TRENTA + "SELECT 1, i, i FROM n",
    "INSERT INTO allegati9 (data, anno, numero) VALUES ('2014-05-10', 2014, 1)"};

QString esegui(const QString& programma, const QStringList& argomenti) {
    QProcess processo;
    processo.start(programma, argomenti);
    processo.waitForFinished(60000);
    return QString::fromUtf8(processo.readAllStandardOutput());
}

int pagine(const QString& pdf) {
    return QRegularExpression(R"(Pages:\s+(\d+))")
        .match(esegui("pdfinfo", {pdf}))
        .captured(1)
        .toInt();
}

// The program with its own "Giornaliero" page on the program's data module, shown.
struct Giornaliero {
    explicit Giornaliero(const QStringList& sql) : p(sql), pagina(p.messaggi(), p.main()) {
        pagina.collegaDati(p.dati(), p.main().percorsi());
        pagina.resize(1000, 700);
        pagina.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pagina));
        pagina.Mostra();
    }

    template <typename T = QWidget> T* trova(const QString& nome) const {
        return pagina.findChild<T*>(nome);
    }
    QComboBox* mesi() const { return trova<QComboBox>("cbxAllMese"); }
    // Moves the month selector with the arrow keys, as the user does.
    bool scegliMese(const QString& etichetta) {
        const int voce = mesi()->findText(etichetta);
        while (voce >= 0 && mesi()->currentIndex() != voce)
            QTest::keyClick(mesi(), mesi()->currentIndex() < voce ? Qt::Key_Down : Qt::Key_Up);
        return mesi()->currentText() == etichetta;
    }
    // The next declaration of the list, chosen with the arrow key.
    void successiva() { QTest::keyClick(trova("grAllegati9"), Qt::Key_Down); }
    // The rows of a grid: the cells of its visible columns in their order on screen.
    QStringList elenco(const QString& griglia) const {
        const auto* vista = trova<QTableView>(griglia);
        QStringList righe;
        for (int r = 0; r < vista->model()->rowCount(); ++r) {
            QStringList celle;
            for (int v = 0; v < vista->horizontalHeader()->count(); ++v) {
                const int c = vista->horizontalHeader()->logicalIndex(v);
                if (!vista->isColumnHidden(c))
                    celle << vista->model()->index(r, c).data().toString();
            }
            righe << celle.join('|');
        }
        return righe;
    }
    // Date, number / year and persons of the declaration shown.
    QString campi() const {
        QStringList valori;
        for (const char* nome : {"edtAll9Data", "edtAll9Numero", "edtAll9Anno", "edtAll9Dest"})
            valori << trova<QLineEdit>(nome)->text();
        return valori.join('|');
    }
    // Clicks Stampa; the new PDF file, empty when none came.
    QString stampa() {
        const QStringList prima = p.stampe();
        QTest::mouseClick(trova<QPushButton>("btnAll9Stampa"), Qt::LeftButton);
        for (const QString& file : p.stampe()) {
            if (!prima.contains(file))
                return file;
        }
        return {};
    }
    // The log's lines without time stamp and indentation, one text.
    QString registro() const {
        QStringList righe;
        for (const QString& riga : p.cartella().righeLog())
            righe << riga.trimmed();
        return righe.join('\n');
    }

    ProgrammaProva p;
    PaginaAllegato9 pagina;
};

// The extent of the ink on the page and the sheet, in printer device units (1/1200 inch)
// from the sheet's corner: the page rendered at 300 dots per inch, 4 device units a dot.
std::pair<QRect, QSizeF> impronta(const QString& pdf) {
    const auto misure = QRegularExpression(R"(Page size:\s+([\d.]+) x ([\d.]+) pts)")
                            .match(esegui("pdfinfo", {pdf}));
    const QSizeF foglio(misure.captured(1).toDouble() * 1200 / 72,
                        misure.captured(2).toDouble() * 1200 / 72);
    esegui("pdftoppm", {"-r", "300", "-gray", "-png", "-singlefile", pdf, pdf});
    const QImage immagine = QImage(pdf + ".png").convertToFormat(QImage::Format_Grayscale8);
    QRect inchiostro;
    for (int y = 0; y < immagine.height(); ++y) {
        for (int x = 0; x < immagine.width(); ++x) {
            if (immagine.constScanLine(y)[x] < 128)
                inchiostro |= QRect(x * 4, y * 4, 4, 4);
        }
    }
    return {inchiostro, foglio};
}
} // namespace

class TestGiornaliero : public QObject {
    Q_OBJECT

private slots:
    // Guards that a program without declarations offers no month and no print.
    void senzaDichiarazioni() {
        Giornaliero g({});
        QVERIFY(g.elenco("grAllegati9").isEmpty());
        QCOMPARE(g.mesi()->count(), 0);
        QVERIFY(!g.trova("btnAll9Stampa")->isEnabled());
        SENZA_PROBLEMI(g.p);
    }

    // Guards the months offered (from the first to the last declaration, an empty one between
    // them included), the latest month shown first, both ends of a month in its filter, and
    // the declaration's fields and goods following the list.
    void mesiFiltroEDettaglio() {
        Giornaliero g(CONSEGNE);
        QStringList mesi;
        for (int i = 0; i < g.mesi()->count(); ++i)
            mesi << g.mesi()->itemText(i);
        QCOMPARE(mesi,
                 QStringList({"Dicembre 2012", "Gennaio 2013", "Febbraio 2013", "Marzo 2013"}));
        QCOMPARE(g.mesi()->currentText(), QStringLiteral("Marzo 2013"));
        QCOMPARE(g.elenco("grAllegati9"), QStringList({"01/03/2013|2013|3", "31/03/2013|2013|4"}));
        QCOMPARE(g.campi(), QStringLiteral("01/03/2013|3|2013|7"));
        QCOMPARE(g.elenco("grGiornalieroAll9Dett"),
                 QStringList({"LATTE UHT|litri|6", "PASTA|kg|12,5"}));
        g.successiva();
        QCOMPARE(g.campi(), QStringLiteral("31/03/2013|4|2013|2"));
        QCOMPARE(g.elenco("grGiornalieroAll9Dett"), QStringList{"LATTE UHT|litri|1"});

        QVERIFY(g.scegliMese("Gennaio 2013"));
        QCOMPARE(g.elenco("grAllegati9"), QStringList({"02/01/2013|2013|1", "31/01/2013|2013|2"}));
        QVERIFY(g.scegliMese("Febbraio 2013"));
        QVERIFY(g.elenco("grAllegati9").isEmpty());
        QCOMPARE(g.campi(), QStringLiteral("|||"));
        QVERIFY(g.elenco("grGiornalieroAll9Dett").isEmpty());
        QVERIFY(g.trova("btnAll9Stampa")->isEnabled());
        SENZA_PROBLEMI(g.p);
    }

    // Guards that the tab comes back on the declaration it was left on, in its month, and
    // on the latest month when that declaration no longer exists.
    void rigaRicordata() {
        Giornaliero g(CONSEGNE);
        QVERIFY(g.scegliMese("Gennaio 2013"));
        g.successiva();
        g.pagina.Nascondi();
        QCOMPARE(g.p.main().idCorrenteAllegati9, 3);
        g.pagina.Mostra();
        QCOMPARE(g.mesi()->currentText(), QStringLiteral("Gennaio 2013"));
        QCOMPARE(g.campi(), QStringLiteral("31/01/2013|2|2013|2"));

        g.pagina.Nascondi();
        g.p.esegui("DELETE FROM allegati9 WHERE ID = 3");
        g.pagina.Mostra();
        QCOMPARE(g.mesi()->currentText(), QStringLiteral("Marzo 2013"));
        QCOMPARE(g.elenco("grAllegati9"), QStringList({"01/03/2013|2013|3", "31/03/2013|2013|4"}));
        SENZA_PROBLEMI(g.p);
    }

    // Guards the print: the confirmation, the log lines, one page with the declaration's
    // number, date, persons and goods and the organisation, the form's image 300 device units
    // from the sheet's corner and as large as the sheet's height allows; Cancel prints
    // nothing; an empty month prints the blank form; a failure is reported, not taken for
    // a print.
    void stampa() {
        Giornaliero g(CONSEGNE);
        g.p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString pdf = g.stampa();
        QVERIFY(QFileInfo(pdf).fileName().startsWith("Allegato 9 "));
        QCOMPARE(pagine(pdf), 1);
        const QString testo = ProgrammaProva::testoPdf(pdf);
        for (const char* atteso :
             {"AIUTI UE - REG. UE 807/10.", "Il sottoscritto", "Associazione Banco Alimentare",
              "Milano (MI)", "Via Roma 1", "DPMU.2012.2818 del 14/09/2012", "DICHIARA",
              "TIMBRO DELL'ENTE CARITATIVO E FIRMA DEL LEGALE RAPPRESENTANTE"})
            QVERIFY2(testo.contains(atteso), atteso);
        for (const char* atteso :
             {R"(NUMERO\s+3\s+DATA\s+01/03/2013)", R"(odierna a n.\s+7\s+indigenti)",
              R"(LATTE UHT\s+litri\s+6\n)", R"(PASTA\s+kg\s+12,5\n)"})
            QVERIFY2(testo.contains(QRegularExpression(atteso)), atteso);
        QVERIFY(!testo.contains("BISCOTTI"));

        // The window's 594 x 939 pixels scaled by the smaller of (width - 600) / 594 and
        // (height - 600) / 939, from (300, 300). The ink runs from the number's frame (x 3)
        // to the date's frame (x 587) and down to the signature line (y 920, 1 pixel high).
        const auto [inchiostro, foglio] = impronta(pdf);
        const double s = std::min((foglio.width() - 600) / 594, (foglio.height() - 600) / 939);
        QCOMPARE_LT(std::abs(inchiostro.left() - (300 + 3 * s)), 9.0);
        QCOMPARE_LT(std::abs(inchiostro.right() + 1 - (300 + 587 * s)), 9.0);
        QCOMPARE_LT(std::abs(inchiostro.bottom() + 1 - (300 + 921 * s)), 9.0);
        QVERIFY(g.registro().contains("TfrmMain::btnAll9StampaClick {\nOccupazione finestra form "
                                      "All9: 594x939 @ (0,0), Screen: 1280x1024\nStampa...\n"
                                      "...stampato.\n}"));

        g.p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, false);
        QVERIFY(g.stampa().isEmpty());
        QCOMPARE(g.registro().count("\nStampa...\n"), 1);

        QVERIFY(g.scegliMese("Febbraio 2013"));
        g.p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString vuoto = ProgrammaProva::testoPdf(g.stampa());
        QVERIFY(vuoto.contains("NUMERO") && !vuoto.contains("01/03/2013"));
        QVERIFY(!vuoto.contains("PASTA"));

        // A file named Stampe: the PDF cannot be written.
        QDir(g.p.cartella().file("Stampe")).removeRecursively();
        QFile ostacolo(g.p.cartella().file("Stampe"));
        QVERIFY(ostacolo.open(QIODevice::WriteOnly));
        ostacolo.close();
        g.p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        g.p.messaggi().attendi(Tipo::Errore, QString());
        QVERIFY(g.stampa().isEmpty());
        QVERIFY(g.p.messaggi().mostrati().last().startsWith("errore: Stampa non riuscita: "));
        QCOMPARE(g.registro().count("...stampato."), 2);
        SENZA_PROBLEMI(g.p);
    }

    // Guards that the goods beyond the table's height are left out, not printed over the
    // text below the table nor on a second page.
    void prodottiOltreLaTabella() {
        Giornaliero g(TRENTA_PRODOTTI);
        QCOMPARE(g.elenco("grGiornalieroAll9Dett").size(), 30);
        g.p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString pdf = g.stampa();
        QCOMPARE(pagine(pdf), 1);
        QStringList stampati;
        for (const auto& m :
             QRegularExpression("ART\\d\\d").globalMatch(ProgrammaProva::testoPdf(pdf)))
            stampati << m.captured();
        QCOMPARE(stampati.size(), TfrmAll9::righeTabella());
        QVERIFY(stampati.size() >= 20 && stampati.size() < 30);
        QCOMPARE(stampati.last(), QString("ART%1").arg(stampati.size(), 2, 10, QChar('0')));
        SENZA_PROBLEMI(g.p);
    }

    // The image's rectangle: the smaller factor in single precision, the far corner cut.
    void rettangoloImmagine() {
        QCOMPARE(RettangoloStampaImmagine({4800, 6600}, {594, 939}, 300, 300),
                 QRect(QPoint(300, 300), QPoint(4094, 6298)));
        QCOMPARE(RettangoloStampaImmagine({4800, 6600}, {1000, 500}, 300, 200),
                 QRect(QPoint(300, 200), QPoint(4498, 2298)));
    }
};

QTEST_MAIN(TestGiornaliero)
#include "tst_giornaliero.moc"
