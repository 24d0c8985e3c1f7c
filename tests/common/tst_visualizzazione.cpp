// The shared display helpers: AGEA cells as the grids paint them, the screen and print
// layouts, the date ranges of the movements and the month selectors.

#include "CartellaProgramma.h"
#include "Connessione.h"
#include "DataSet.h"
#include "Utilitylibrary.h"
#include "Visualizzazione.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QPainter>
#include <QSortFilterProxyModel>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <functional>

namespace {

int contaPixel(const QImage& img, const QRect& r, const std::function<bool(QColor)>& quale) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += quale(img.pixelColor(x, y)) ? 1 : 0;
    return n;
}

bool rosso(QColor c) {
    return c.red() > 200 && c.green() < 70 && c.blue() < 70;
}
bool bianco(QColor c) {
    return c.red() > 230 && c.green() > 230 && c.blue() > 230;
}
bool bluSelezione(QColor c) {
    return c == QColor(0, 0, 231);
}
// Any pixel of text drawn over a white background (black or red).
bool inchiostro(QColor c) {
    return std::min({c.red(), c.green(), c.blue()}) < 160;
}

} // namespace

class TestVisualizzazione : public QObject {
    Q_OBJECT

    std::unique_ptr<CartellaProgramma> m_cartella;

    void esegui(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(QLatin1String(NOME_CONNESSIONE)));
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
    }
    std::unique_ptr<DataSet> apriTabella(const QString& tabella) {
        auto ds = std::make_unique<DataSet>(tabella);
        ds->setConnessione(QLatin1String(NOME_CONNESSIONE));
        ds->setTabella(tabella);
        ds->setOrdine("ID");
        ds->apri();
        return ds;
    }

private slots:
    void init() {
        m_cartella = std::make_unique<CartellaProgramma>();
        utLogAzzera();
        utLogImpostaFile(m_cartella->fileLog());
        ApriConnessione(m_cartella->fileDb());
    }
    void cleanup() {
        ChiudiConnessione();
        m_cartella.reset();
    }

    // ---- grid cells ----

    // A grid as the main window builds it: the data set behind a titles proxy, here also
    // behind a sorting proxy that puts the rows in the opposite order, so that the row
    // painted and the data set's row differ.
    void cellaAgeaRossaGrassettoSoloNellaDescrizione() {
        esegui("INSERT INTO articoli (ID, codint, descr, agea, giacenza) VALUES "
               "(1, 'PA1', 'PASTA', 0, 0), (2, 'PA2', 'PASTA', 1, 0)");
        auto ds = apriTabella("articoli");
        QSortFilterProxyModel ordine;
        ordine.setSourceModel(ds.get());
        ordine.sort(ds->indiceCampo("ID"), Qt::DescendingOrder);
        QIdentityProxyModel titoli;
        titoli.setSourceModel(&ordine);

        QTableView grid;
        QFont carattere = grid.font();
        carattere.setPixelSize(22);
        grid.setFont(carattere);
        grid.setModel(&titoli);
        grid.setItemDelegate(new DelegatoAgea(&grid));
        grid.setSelectionBehavior(QAbstractItemView::SelectRows);
        grid.verticalHeader()->setDefaultSectionSize(40);
        const int colCodice = ds->indiceCampo("codint");
        const int colDescr = ds->indiceCampo("descr");
        grid.setColumnWidth(colDescr, 180);
        grid.resize(900, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        // The grid's row 0 is the AGEA article (ID 2), row 1 the other one.
        QCOMPARE(titoli.index(0, 0).data().toString(), QString("2"));
        // The data set's current row is the first one (not AGEA): the painted row decides.
        QCOMPARE(ds->riga(), 0);
        auto cella = [&](int riga, int colonna) {
            return grid.visualRect(titoli.index(riga, colonna)).adjusted(3, 3, -3, -3);
        };

        QImage img = grid.viewport()->grab().toImage();
        const QRect descrAgea = cella(0, colDescr), descrNormale = cella(1, colDescr);
        QVERIFY(contaPixel(img, descrAgea, rosso) > 30);
        QCOMPARE(contaPixel(img, descrNormale, rosso), 0);
        QCOMPARE(contaPixel(img, cella(0, colCodice), rosso), 0);
        QVERIFY(contaPixel(img, cella(0, colCodice), inchiostro) > 30);
        // Same text: bold takes clearly more ink than plain.
        const int inchiostroAgea = contaPixel(img, descrAgea, inchiostro);
        const int inchiostroNormale = contaPixel(img, descrNormale, inchiostro);
        QVERIFY2(inchiostroAgea > inchiostroNormale * 1.15,
                 qPrintable(QString("%1 / %2").arg(inchiostroAgea).arg(inchiostroNormale)));

        // Selected rows: white on blue, the AGEA description still red on blue.
        grid.selectAll();
        img = grid.viewport()->grab().toImage();
        for (int riga = 0; riga < 2; ++riga) {
            for (int colonna : {colCodice, colDescr}) {
                const QRect r = cella(riga, colonna);
                QVERIFY(contaPixel(img, r, bluSelezione) > r.width() * r.height() / 2);
            }
        }
        QVERIFY(contaPixel(img, cella(0, colDescr), rosso) > 30);
        QCOMPARE(contaPixel(img, cella(0, colDescr), bianco), 0);
        QVERIFY(contaPixel(img, cella(0, colCodice), bianco) > 20);
        QCOMPARE(contaPixel(img, cella(0, colCodice), rosso), 0);
        QVERIFY(contaPixel(img, cella(1, colDescr), bianco) > 20);
    }

    void datiVuotiNonDisegnanoNulla() {
        auto ds = apriTabella("articoli");
        QTableView grid;
        grid.setModel(ds.get());
        grid.setItemDelegate(new DelegatoAgea(&grid));
        grid.resize(400, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        const QImage img = grid.viewport()->grab().toImage();
        const QColor fondo = img.pixelColor(0, 0);
        QCOMPARE(contaPixel(img, img.rect(), [&](QColor c) { return c != fondo; }), 0);

        // An index kept from before a re-read that emptied the data set paints nothing.
        esegui("INSERT INTO articoli (ID, codint, descr, agea) VALUES (1, 'PA1', 'PASTA', 1)");
        ds->rinfresca();
        const QModelIndex vecchio = ds->index(0, ds->indiceCampo("descr"));
        QVERIFY(vecchio.isValid());
        esegui("DELETE FROM articoli");
        ds->rinfresca();
        QVERIFY(ds->vuoto());
        QImage tela(100, 30, QImage::Format_RGB32);
        tela.fill(Qt::green);
        QStyleOptionViewItem opzione;
        opzione.rect = tela.rect();
        opzione.text = "PASTA";
        opzione.features = QStyleOptionViewItem::HasDisplay;
        opzione.state = QStyle::State_Enabled | QStyle::State_Selected;
        QPainter painter(&tela);
        DisegnaCellaAgea(&painter, opzione, vecchio);
        painter.end();
        QCOMPARE(contaPixel(tela, tela.rect(), [](QColor c) { return c != QColor(Qt::green); }), 0);
    }

    // ---- layouts ----

    void layoutStampaSoloFigliDiretti() {
        QWidget finestra;
        auto* prn = new QLabel("stampa", &finestra);
        prn->setObjectName("prn_lblTitolo");
        auto* vid = new QLabel("video", &finestra);
        vid->setObjectName("vid_lblMese");
        auto* altro = new QLabel("altro", &finestra);
        altro->setObjectName("lblAltro");
        altro->hide();
        auto* pannello = new QWidget(&finestra);
        pannello->setObjectName("pnlPagina");
        auto* annidatoPrn = new QLabel("annidato", pannello);
        annidatoPrn->setObjectName("prn_lblAnnidato");
        annidatoPrn->hide();
        auto* annidatoVid = new QLabel("annidato", pannello);
        annidatoVid->setObjectName("vid_lblAnnidato");

        ImpostaLayoutStampa(&finestra, true);
        QVERIFY(!prn->isHidden());
        QVERIFY(vid->isHidden());
        QVERIFY(altro->isHidden());
        QVERIFY(!pannello->isHidden());
        QVERIFY(annidatoPrn->isHidden());
        QVERIFY(!annidatoVid->isHidden());

        ImpostaLayoutStampa(&finestra, false);
        QVERIFY(prn->isHidden());
        QVERIFY(!vid->isHidden());
        QVERIFY(altro->isHidden());
        QVERIFY(annidatoPrn->isHidden());
        QVERIFY(!annidatoVid->isHidden());
    }

    // ---- date ranges ----

    void intervalloDateTabellaVuotaEPiena() {
        QDate primo(2000, 1, 1), ultimo(2000, 12, 31);
        QVERIFY(!IntervalloDate("carichi_mast", primo, ultimo));
        QCOMPARE(primo, QDate(2000, 1, 1));
        QCOMPARE(ultimo, QDate(2000, 12, 31));

        // A stored time does not hide the date.
        esegui("INSERT INTO carichi_mast (data, nrDocumento) VALUES "
               "('2024-03-05', '1'), ('2024-05-20 10:30:00', '2'), ('2024-01-10', '3')");
        QVERIFY(IntervalloDate("carichi_mast", primo, ultimo));
        QCOMPARE(primo, QDate(2024, 1, 10));
        QCOMPARE(ultimo, QDate(2024, 5, 20));
    }

    void intervalloMovimentiUnaOEntrambeLeTabelle() {
        QDate primo(2000, 1, 1), ultimo(2000, 12, 31);
        QVERIFY(!IntervalloMovimenti(primo, ultimo));
        QCOMPARE(primo, QDate(2000, 1, 1));
        QCOMPARE(ultimo, QDate(2000, 12, 31));

        esegui("INSERT INTO carichi_mast (data, nrDocumento) VALUES "
               "('2024-01-10', '1'), ('2024-05-20', '2')");
        QVERIFY(IntervalloMovimenti(primo, ultimo));
        QCOMPARE(primo, QDate(2024, 1, 10));
        QCOMPARE(ultimo, QDate(2024, 5, 20));

        // The earliest from the distributions, the latest from the receipts.
        esegui("INSERT INTO scarichi_mast (data, nrDocumento, causali_id) VALUES "
               "('2023-12-15', 1, 1), ('2024-02-01', 2, 1)");
        QVERIFY(IntervalloMovimenti(primo, ultimo));
        QCOMPARE(primo, QDate(2023, 12, 15));
        QCOMPARE(ultimo, QDate(2024, 5, 20));

        esegui("DELETE FROM carichi_mast");
        QVERIFY(IntervalloMovimenti(primo, ultimo));
        QCOMPARE(primo, QDate(2023, 12, 15));
        QCOMPARE(ultimo, QDate(2024, 2, 1));
    }

    // ---- months ----

    void riempiMesi() {
        QComboBox mesi;
        mesi.addItem("vecchio");
        RiempiMesi(&mesi, QDate(2024, 1, 31), QDate(2024, 3, 1));
        QCOMPARE(mesi.count(), 3);
        QCOMPARE(mesi.itemText(0), QString("Gennaio 2024"));
        QCOMPARE(mesi.itemText(1), QString("Febbraio 2024"));
        QCOMPARE(mesi.itemText(2), QString("Marzo 2024"));

        RiempiMesi(&mesi, QDate(2023, 11, 30), QDate(2024, 2, 1));
        QCOMPARE(mesi.count(), 4);
        QCOMPARE(mesi.itemText(1), QString("Dicembre 2023"));
        QCOMPARE(mesi.itemText(2), QString("Gennaio 2024"));

        RiempiMesi(&mesi, QDate(2024, 3, 31), QDate(2024, 3, 1));
        QCOMPARE(mesi.count(), 1);
        QCOMPARE(mesi.itemText(0), QString("Marzo 2024"));

        RiempiMesi(&mesi, QDate(2024, 4, 1), QDate(2024, 3, 31));
        QCOMPARE(mesi.count(), 0);
    }

    void spostaMeseNeiLimiti() {
        QLabel didascalia;
        QDateEdit data, minimo(QDate(2023, 12, 1)), massimo(QDate(2024, 3, 15));
        ImpostaMese(&didascalia, &data, QDate(2023, 12, 1));
        QCOMPARE(didascalia.text(), QString("Dicembre 2023"));

        QVERIFY(!SpostaMese(&didascalia, &data, &minimo, &massimo, -1));
        QCOMPARE(didascalia.text(), QString("Dicembre 2023"));
        QCOMPARE(data.date(), QDate(2023, 12, 1));

        QVERIFY(SpostaMese(&didascalia, &data, &minimo, &massimo, 1));
        QCOMPARE(didascalia.text(), QString("Gennaio 2024"));
        QCOMPARE(data.date(), QDate(2024, 1, 1));

        // The day is clamped to the length of the month (2024 is a leap year).
        ImpostaMese(&didascalia, &data, QDate(2024, 1, 31));
        QVERIFY(SpostaMese(&didascalia, &data, &minimo, &massimo, 1));
        QCOMPARE(data.date(), QDate(2024, 2, 29));
        QCOMPARE(didascalia.text(), QString("Febbraio 2024"));
        // 29 March is after the upper bound, 15 March.
        QVERIFY(!SpostaMese(&didascalia, &data, &minimo, &massimo, 1));
        QCOMPARE(data.date(), QDate(2024, 2, 29));

        minimo.setDate(QDate(2022, 1, 1));
        ImpostaMese(&didascalia, &data, QDate(2023, 1, 31));
        QVERIFY(SpostaMese(&didascalia, &data, &minimo, &massimo, 1));
        QCOMPARE(data.date(), QDate(2023, 2, 28));
    }

    void selezionaMeseERecord() {
        QComboBox mesi;
        RiempiMesi(&mesi, QDate(2024, 1, 1), QDate(2024, 4, 1));
        SelezionaMese(&mesi, QDate(2024, 3, 20));
        QCOMPARE(mesi.currentText(), QString("Marzo 2024"));
        SelezionaMese(&mesi, QDate(2024, 5, 1));
        QCOMPARE(mesi.currentIndex(), -1);

        esegui("INSERT INTO carichi_mast (ID, data, nrDocumento) VALUES "
               "(5, '2024-02-10', 'A'), (6, '2024-04-02', 'B')");
        auto ds = apriTabella("carichi_mast");
        QCOMPARE(ds->riga(), 0);
        SelezionaMeseRecord(&mesi, *ds, 6, QDate(2024, 1, 15));
        QCOMPARE(mesi.currentText(), QString("Aprile 2024"));
        QCOMPARE(ds->valore("ID").toInt(), 6);
        // A record that does not exist: the default month, the current row stays.
        SelezionaMeseRecord(&mesi, *ds, 99, QDate(2024, 1, 15));
        QCOMPARE(mesi.currentText(), QString("Gennaio 2024"));
        QCOMPARE(ds->valore("ID").toInt(), 6);

        // Posiziona compares the text exactly.
        QVERIFY(Posiziona(*ds, "nrDocumento", "A"));
        QCOMPARE(ds->valore("ID").toInt(), 5);
        QVERIFY(!Posiziona(*ds, "nrDocumento", "b"));
        QCOMPARE(ds->valore("ID").toInt(), 5);
    }
};

QTEST_MAIN(TestVisualizzazione)
#include "tst_visualizzazione.moc"
