// The shared display helpers: AGEA cells, print layouts, movement ranges, month selectors.

#include "ConnessioneProva.h"
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
#include <QSqlQuery>
#include <QTableView>
#include <QTest>
#include <tuple>

class TestVisualizzazione : public QObject {
    Q_OBJECT

    std::unique_ptr<ConnessioneProva> m_db;

    std::unique_ptr<DataSet> apriTabella(const QString& tabella) {
        auto ds = std::make_unique<DataSet>(tabella);
        ds->setConnessione(QLatin1String(NOME_CONNESSIONE));
        ds->setTabella(tabella);
        ds->setOrdine("ID");
        ds->apri();
        return ds;
    }

private slots:
    void init() { m_db = std::make_unique<ConnessioneProva>(); }
    void cleanup() { m_db.reset(); }

    // AGEA style from the painted row (not the current one), only in its column, kept under
    // a white-on-blue selection; a stale index after a re-read paints nothing.
    void cellaAgea() {
        ConnessioneProva::esegui("INSERT INTO articoli (ID, codint, descr, agea, giacenza) VALUES "
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
        grid.verticalHeader()->setDefaultSectionSize(40);
        const int colCodice = ds->indiceCampo("codint"), colDescr = ds->indiceCampo("descr");
        grid.setColumnWidth(colDescr, 180);
        grid.resize(900, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));

        QImage img = grid.viewport()->grab().toImage();
        auto conta = [&](int riga, int colonna, auto quale) {
            const QRect r = grid.visualRect(titoli.index(riga, colonna)).adjusted(3, 3, -3, -3);
            int n = 0;
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    n += quale(img.pixelColor(x, y)) ? 1 : 0;
            return n;
        };
        const auto rosso = [](QColor c) { return c.red() > 200 && qMax(c.green(), c.blue()) < 70; };
        const auto bianco = [](QColor c) { return std::min({c.red(), c.green(), c.blue()}) > 230; };
        const auto blu = [](QColor c) { return c == QColor(0, 0, 231); };
        const auto scuro = [](QColor c) { return std::min({c.red(), c.green(), c.blue()}) < 160; };

        QVERIFY(conta(0, colDescr, rosso) > 30);
        QCOMPARE(conta(1, colDescr, rosso), 0);
        QCOMPARE(conta(0, colCodice, rosso), 0);
        // Same text: bold takes clearly more ink than plain.
        QVERIFY(conta(0, colDescr, scuro) > conta(1, colDescr, scuro) * 1.15);

        grid.selectAll();
        img = grid.viewport()->grab().toImage();
        for (int riga : {0, 1})
            for (int colonna : {colCodice, colDescr})
                QVERIFY(conta(riga, colonna, blu) > 2000); // most of the cell
        QVERIFY(conta(0, colDescr, rosso) > 30);
        QVERIFY(conta(0, colCodice, bianco) > 20);

        const QModelIndex vecchio = ds->index(1, colDescr);
        ConnessioneProva::esegui("DELETE FROM articoli");
        ds->rinfresca();
        QImage tela(100, 30, QImage::Format_RGB32);
        tela.fill(Qt::green);
        QStyleOptionViewItem opzione;
        opzione.rect = tela.rect();
        opzione.state = QStyle::State_Selected;
        QPainter painter(&tela);
        DisegnaCellaAgea(&painter, opzione, vecchio);
        painter.end();
        QCOMPARE(tela.pixelColor(50, 15), QColor(Qt::green));
    }

    // Only the direct children named prn_/vid_ switch.
    void layoutStampa() {
        QWidget finestra;
        for (const char* nome : {"prn_lblTitolo", "vid_lblMese", "lblAltro", "pnlPagina"})
            (new QWidget(&finestra))->setObjectName(nome);
        auto* pannello = finestra.findChild<QWidget*>("pnlPagina");
        for (const char* nome : {"prn_lblAnnidato", "vid_lblAnnidato"})
            (new QWidget(pannello))->setObjectName(nome);
        finestra.findChild<QWidget*>("lblAltro")->hide();
        finestra.findChild<QWidget*>("prn_lblAnnidato")->hide();
        auto mostrati = [&] {
            QStringList nomi;
            for (const QWidget* w : finestra.findChildren<QWidget*>())
                if (!w->isHidden())
                    nomi << w->objectName();
            return nomi;
        };

        ImpostaLayoutStampa(&finestra, true);
        QCOMPARE(mostrati(), (QStringList{"prn_lblTitolo", "pnlPagina", "vid_lblAnnidato"}));
        ImpostaLayoutStampa(&finestra, false);
        QCOMPARE(mostrati(), (QStringList{"vid_lblMese", "pnlPagina", "vid_lblAnnidato"}));
    }

    // Both tables, a stored time after the date; an unreadable date is reported, not skipped.
    void intervalloMovimenti() {
        auto intervallo = [] {
            QDate da(2000, 1, 1), a(2000, 12, 31);
            const bool trovato = IntervalloMovimenti(da, a);
            return QString("%1 %2 %3")
                .arg(trovato)
                .arg(da.toString(Qt::ISODate), a.toString(Qt::ISODate));
        };
        QCOMPARE(intervallo(), QString("0 2000-01-01 2000-12-31"));
        ConnessioneProva::esegui(
            "INSERT INTO carichi_mast (data, nrDocumento) VALUES "
            "('2024-03-05', '1'), ('2024-05-20 10:30:00', '2'), ('2024-01-10', '3')");
        QCOMPARE(intervallo(), QString("1 2024-01-10 2024-05-20"));
        ConnessioneProva::esegui("INSERT INTO scarichi_mast (data, nrDocumento, causali_id) VALUES "
                                 "('2023-12-15', 1, 1), ('2024-02-01', 2, 1)");
        QCOMPARE(intervallo(), QString("1 2023-12-15 2024-05-20"));
        ConnessioneProva::esegui("INSERT INTO scarichi_mast (data, nrDocumento, causali_id) VALUES "
                                 "('illeggibile', 3, 1)");
        QVERIFY_THROWS_EXCEPTION(Errore, intervallo());
    }

    // Every month from the first to the last included; a reversed range leaves none.
    void riempiMesi() {
        const std::tuple<QDate, QDate, QStringList> casi[] = {
            {{2024, 1, 31}, {2024, 3, 1}, {"Gennaio 2024", "Febbraio 2024", "Marzo 2024"}},
            {{2023, 12, 31}, {2024, 1, 1}, {"Dicembre 2023", "Gennaio 2024"}},
            {{2024, 4, 1}, {2024, 3, 31}, {}},
        };
        QComboBox mesi;
        mesi.addItem("vecchio");
        for (const auto& [da, a, attesi] : casi) {
            RiempiMesi(&mesi, da, a);
            QStringList voci;
            for (int i = 0; i < mesi.count(); ++i)
                voci << mesi.itemText(i);
            QCOMPARE(voci, attesi);
        }
    }

    // Bounds included, the day clamped to the month's length; a refused move changes nothing.
    void spostaMese() {
        const std::tuple<QDate, int, bool, QDate, QString> casi[] = {
            {{2023, 1, 1}, -1, true, {2022, 12, 1}, "Dicembre 2022"},
            {{2022, 12, 1}, -1, false, {2022, 12, 1}, "Dicembre 2022"},
            {{2023, 1, 31}, 1, true, {2023, 2, 28}, "Febbraio 2023"},
            {{2024, 1, 31}, 1, true, {2024, 2, 29}, "Febbraio 2024"},
            {{2024, 2, 29}, 1, false, {2024, 2, 29}, "Febbraio 2024"}, // 29 March > 15 March
        };
        QLabel etichetta;
        QDateEdit data, minimo(QDate(2022, 12, 1)), massimo(QDate(2024, 3, 15));
        for (const auto& [partenza, mesi, spostato, arrivo, didascalia] : casi) {
            ImpostaMese(&etichetta, &data, partenza);
            QCOMPARE(SpostaMese(&etichetta, &data, &minimo, &massimo, mesi), spostato);
            QCOMPARE(data.date(), arrivo);
            QCOMPARE(etichetta.text(), didascalia);
        }
    }

    // The month of a record or the default; Posiziona matches exactly, stays put on a miss.
    void selezionaMeseERecord() {
        QComboBox mesi;
        RiempiMesi(&mesi, QDate(2024, 1, 1), QDate(2024, 4, 1));
        SelezionaMese(&mesi, QDate(2024, 5, 1));
        QCOMPARE(mesi.currentIndex(), -1);

        ConnessioneProva::esegui("INSERT INTO carichi_mast (ID, data, nrDocumento) VALUES "
                                 "(5, '2024-02-10', 'A'), (6, '2024-04-02', 'B')");
        auto ds = apriTabella("carichi_mast");
        SelezionaMeseRecord(&mesi, *ds, 6, QDate(2024, 1, 15));
        QCOMPARE(mesi.currentText(), QString("Aprile 2024"));
        QCOMPARE(ds->valore("ID").toInt(), 6);
        SelezionaMeseRecord(&mesi, *ds, 99, QDate(2024, 1, 15));
        QCOMPARE(mesi.currentText(), QString("Gennaio 2024"));

        QVERIFY(Posiziona(*ds, "nrDocumento", "A"));
        QCOMPARE(ds->valore("ID").toInt(), 5);
        QVERIFY(!Posiziona(*ds, "nrDocumento", "b"));
        QCOMPARE(ds->valore("ID").toInt(), 5);
    }
};

QTEST_MAIN(TestVisualizzazione)
#include "tst_visualizzazione.moc"
