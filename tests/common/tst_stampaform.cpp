// Printing a window's drawing on one page, checked in the PDF the PDF printer writes.

#include "StampaForm.h"
#include "Stampanti.h"

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <tuple>

namespace {

// ALFA top left and OMEGA bottom right: their distance on paper measures the scale.
struct ModuloProva : ModuloStampabile {
    explicit ModuloProva(QSize d) : dim(d), omega(d.width() - 140, d.height() - 30) {}
    QSize dimensione() const override { return dim; }
    void disegna(QPainter& painter) const override {
        QFont carattere(QStringLiteral("DejaVu Sans"));
        carattere.setPixelSize(20);
        painter.setFont(carattere);
        painter.drawText(alfa, QStringLiteral("ALFA"));
        painter.drawText(omega, QStringLiteral("OMEGA"));
    }
    QSize dim;
    QPoint alfa{40, 60}, omega;
};

} // namespace

class TestStampaForm : public QObject {
    Q_OBJECT

private slots:
    // Orientation, title (empty keeps the job's), fit or 96 dpi scale, top-left, one page.
    void scalaOrientamentoTitolo() {
        const std::tuple<QPageLayout::Orientation, ScalaStampa, QSize, QString> casi[] = {
            {QPageLayout::Landscape, ScalaStampa::AdattaPagina, {800, 400}, "Registro - Pag. 1"},
            {QPageLayout::Portrait, ScalaStampa::AdattaPagina, {300, 1500}, "Registro - Pag. 2"},
            {QPageLayout::Landscape, ScalaStampa::Naturale, {800, 400}, QString()},
        };
        for (const auto& [orientamento, scala, dimensione, titolo] : casi) {
            QTemporaryDir cartella;
            QPrinter printer(QPrinter::HighResolution);
            QVERIFY(utPreparaStampante(printer, utNomeStampantePdf(), "Lavoro", cartella.path()));
            const bool orizzontale = orientamento == QPageLayout::Landscape;
            printer.setPageOrientation(orizzontale ? QPageLayout::Portrait
                                                   : QPageLayout::Landscape);
            QPageLayout layout = printer.pageLayout();
            layout.setOrientation(orientamento);
            const QRectF area = layout.paintRect(QPageLayout::Point);
            const ModuloProva modulo(dimensione);
            QVERIFY(StampaForm(printer, modulo, orientamento, titolo, scala));
            QProcess pdftotext;
            pdftotext.start("pdftotext", {"-bbox", printer.outputFileName(), "-"});
            pdftotext.waitForFinished(30000);
            const QString pdf = QString::fromUtf8(pdftotext.readAllStandardOutput());
            QCOMPARE(pdf.count("<page "), 1);
            QCOMPARE(QRegularExpression("<title>(.*)</title>").match(pdf).captured(1),
                     titolo.isEmpty() ? QString("Lavoro") : titolo);
            const auto foglio =
                QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(pdf);
            QCOMPARE(foglio.captured(1).toDouble() > foglio.captured(2).toDouble(), orizzontale);
            const double puntiPerPixel = scala == ScalaStampa::Naturale
                                             ? 72.0 / 96.0
                                             : std::min(area.width() / dimensione.width(),
                                                        area.height() / dimensione.height());
            static const QRegularExpression parola(
                R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>(ALFA|OMEGA)</word>)re");
            QHash<QString, QPointF> parole;
            for (const auto& m : parola.globalMatch(pdf))
                parole[m.captured(3)] = QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
            QCOMPARE(parole.size(), 2);
            // Back in window pixels: ALFA's left edge, and the step from ALFA to OMEGA.
            const QPointF passo = (parole["OMEGA"] - parole["ALFA"]) / puntiPerPixel;
            QCOMPARE(qRound((parole["ALFA"].x() - area.left()) / puntiPerPixel), modulo.alfa.x());
            QCOMPARE(passo.toPoint(), modulo.omega - modulo.alfa);
        }
    }

    // A printer that cannot be opened is reported, not taken as printed.
    void stampanteNonApribileFallisce() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/cartella/inesistente/stampa.pdf");
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!StampaForm(printer, ModuloProva(QSize(400, 300)), QPageLayout::Portrait, "Prova",
                            ScalaStampa::AdattaPagina));
    }
};

QTEST_MAIN(TestStampaForm)
#include "tst_stampaform.moc"
