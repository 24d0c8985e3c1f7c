// The "Giacenze" dialog of the "Articoli" tab (stock at a date, printed and exported as
// CSV), and the readability of the lists: columns wide enough, numbers right-aligned.

#include "Griglia.h"
#include "ProgrammaProva.h"

#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {
using Tipo = Messaggi::Tipo;

const QString PRONTA = QStringLiteral("Premere OK quando la stampante è pronta.");

// Movements before, on and after 10/03/2025.
const QStringList MOVIMENTI = {
    "INSERT INTO articoli (ID, codint, descr, agea, um_id, giacenza, scortamin) VALUES "
    "(1, 'A1', 'PASTA DI SEMOLA', 1, 1, 10, 5), (2, 'A2', 'RISO; ARBORIO \"extra\"', 0, 1, 2, 0),"
    " (3, 'A3', 'LATTE UHT', 0, 3, 20, 30), (4, 'A4', 'ZUCCHERO', 0, 1, 0.5, 1)",
    "INSERT INTO carichi_mast (ID, data, nrDocumento, fornitore_id) VALUES "
    "(1, '2025-03-01', 'DDT 1', 0), (2, '2025-03-20', 'DDT 2', 0)",
    "INSERT INTO carichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 4.5), (1, 3, 5), "
    "(2, 1, 100)",
    "INSERT INTO scarichi_mast (ID, data, nrDocumento, causali_id, nrBeneficiati) VALUES "
    "(1, '2025-03-10', 1, 1, 3), (2, '2025-03-11', 2, 1, 2)",
    "INSERT INTO scarichi_dett (master_id, articoli_id, qta) VALUES (1, 1, 2.25), (1, 2, 0.5), "
    "(2, 3, 1)"};

} // namespace

class TestGiacenze : public QObject {
    Q_OBJECT

private slots:
    // Guards the stock at the end of the chosen day, below-minimum articles first and marked,
    // the same table in the PDF and the CSV (BOM, ";", decimal comma, quoting), today proposed.
    void stampaEdEsportazione() {
        ProgrammaProva p(MOVIMENTI);
        QVERIFY(p.vaiScheda("tsArticoli"));
        QDate proposta;
        p.messaggi().attendiDialogo([&](QDialog& d) {
            d.show();
            auto* data = d.findChild<QDateEdit*>("edtGiacData");
            proposta = data->date();
            data->setDate(QDate(2025, 3, 10));
            QTest::mouseClick(d.findChild<QPushButton*>("btnGiacEsportaCsv"), Qt::LeftButton);
            QTest::mouseClick(d.findChild<QPushButton*>("btnGiacStampa"), Qt::LeftButton);
            QTest::mouseClick(d.findChild<QPushButton*>("btnGiacChiudi"), Qt::LeftButton);
            return d.result();
        });
        p.messaggi().attendi(Tipo::Informazione, {});
        p.messaggi().attendi(Tipo::OkAnnulla, PRONTA, true);
        const QString pdf = p.stampa("btnArtGiacenze");
        QCOMPARE(proposta, QDate::currentDate());
        SENZA_PROBLEMI(p);

        const QStringList csv =
            QDir(p.cartella().file("Stampe")).entryList({QStringLiteral("*.csv")}, QDir::Files);
        QCOMPARE(csv.size(), 1);
        QVERIFY2(csv.first().startsWith("Giacenze al 10-03-2025 "), qPrintable(csv.first()));
        const QString percorso = p.cartella().file("Stampe/" + csv.first());
        QVERIFY2(p.messaggi().mostrati().constFirst().endsWith(QDir::toNativeSeparators(percorso)),
                 qPrintable(p.messaggi().mostrati().constFirst()));
        QFile file(percorso);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(),
                 QByteArray("\xEF\xBB\xBF"
                            "Codice;Articolo;U.M.;Giacenza;Scorta minima;Sotto scorta\r\n"
                            "A3;LATTE UHT;litri;25;30;S\xC3\xAC\r\n"
                            "A4;ZUCCHERO;kg;0,5;1;S\xC3\xAC\r\n"
                            "A1;PASTA DI SEMOLA;kg;12,25;5;\r\n"
                            "A2;\"RISO; ARBORIO \"\"extra\"\"\";kg;1,5;0;\r\n"));

        QVERIFY2(pdf.contains("Giacenze al 10/03/2025"), qPrintable(pdf));
        const qsizetype latte = pdf.indexOf("LATTE UHT"), zucchero = pdf.indexOf("ZUCCHERO"),
                        pasta = pdf.indexOf("PASTA DI SEMOLA");
        QVERIFY2(latte > 0 && latte < zucchero && zucchero < pasta, qPrintable(pdf));
        QVERIFY2(pdf.contains(QRegularExpression("LATTE UHT +litri +25,00 +30 +Sì")),
                 qPrintable(pdf));
    }

    // Guards columns holding title and contents within the panel, numbers right-aligned.
    void elenchiLeggibili() {
        ProgrammaProva p(MOVIMENTI);
        QVERIFY(p.vaiScheda("tsScarichi"));
        auto* g = p.trova<Griglia>("grScarichiMast");
        QVERIFY(g && g->model()->rowCount() > 0);
        const QFontMetrics metrica(g->font());
        for (int i = 0; i < 5; ++i) {
            const int c = g->colonnaModello(i);
            int necessaria =
                metrica.horizontalAdvance(g->model()->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < g->model()->rowCount(); ++r)
                necessaria =
                    std::max(necessaria,
                             metrica.horizontalAdvance(g->model()->index(r, c).data().toString()));
            QVERIFY2(g->columnWidth(c) > necessaria, qPrintable(QString::number(i)));
        }
        QVERIFY(!g->horizontalScrollBar()->isVisible());
        auto allineamento = [g](int i) {
            return g->model()->index(0, g->colonnaModello(i)).data(Qt::TextAlignmentRole).toInt() &
                   Qt::AlignHorizontal_Mask;
        };
        QCOMPARE(allineamento(4), int(Qt::AlignRight)); // N.Dest.
        QCOMPARE(allineamento(3), 0);                   // Causale
        QCOMPARE(g->model()
                         ->headerData(g->colonnaModello(0), Qt::Horizontal, Qt::TextAlignmentRole)
                         .toInt() &
                     Qt::AlignHorizontal_Mask,
                 int(Qt::AlignRight));
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestGiacenze)
#include "tst_giacenze.moc"
