// Printing a window's drawing on one page: orientation, job title and the two print scales,
// checked in the PDF that the program's PDF printer writes.

#include "StampaForm.h"
#include "Stampanti.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Two words in the same font, so that their distance on paper measures the scale.
class ModuloProva : public ModuloStampabile {
public:
    ModuloProva(QSize dimensione, QPoint alfa, QPoint omega)
        : m_dimensione(dimensione), m_alfa(alfa), m_omega(omega) {}
    QSize dimensione() const override { return m_dimensione; }
    void disegna(QPainter& painter) const override {
        QFont carattere(QStringLiteral("DejaVu Sans"));
        carattere.setPixelSize(20);
        painter.setFont(carattere);
        painter.drawText(m_alfa, QStringLiteral("ALFA"));
        painter.drawText(m_omega, QStringLiteral("OMEGA"));
    }

private:
    QSize m_dimensione;
    QPoint m_alfa, m_omega;
};

QString esegui(const QString& programma, const QStringList& argomenti) {
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The top left corner of each word of the PDF, in points from the top left of the page.
QHash<QString, QPointF> paroleDelPdf(const QString& file) {
    static const QRegularExpression parola(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>([^<]*)</word>"));
    QHash<QString, QPointF> parole;
    auto it = parola.globalMatch(
        esegui(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), file, QStringLiteral("-")}));
    while (it.hasNext()) {
        const auto m = it.next();
        parole.insert(m.captured(3), QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()));
    }
    return parole;
}

// The value of one line of pdfinfo ("Pages", "Title", "Page size").
QString infoPdf(const QString& file, const QString& voce) {
    const QStringList righe = esegui(QStringLiteral("pdfinfo"), {file}).split(QLatin1Char('\n'));
    for (const QString& riga : righe) {
        if (riga.startsWith(voce + QLatin1Char(':')))
            return riga.mid(voce.size() + 1).trimmed();
    }
    return {};
}

} // namespace

class TestStampaForm : public QObject {
    Q_OBJECT

private slots:
    void scalaEOrientamento_data() {
        QTest::addColumn<QPageLayout::Orientation>("orientamento");
        QTest::addColumn<ScalaStampa>("scala");
        QTest::addColumn<QSize>("dimensione");
        // A wide window fills the landscape page's width, a tall one the portrait page's
        // height; at natural size both are printed at 96 pixels per inch.
        QTest::newRow("orizzontale adattata")
            << QPageLayout::Landscape << ScalaStampa::AdattaPagina << QSize(800, 400);
        QTest::newRow("verticale adattata")
            << QPageLayout::Portrait << ScalaStampa::AdattaPagina << QSize(300, 1500);
        QTest::newRow("orizzontale naturale")
            << QPageLayout::Landscape << ScalaStampa::Naturale << QSize(800, 400);
        QTest::newRow("verticale naturale")
            << QPageLayout::Portrait << ScalaStampa::Naturale << QSize(300, 1000);
    }
    void scalaEOrientamento() {
        QFETCH(QPageLayout::Orientation, orientamento);
        QFETCH(ScalaStampa, scala);
        QFETCH(QSize, dimensione);

        QTemporaryDir cartella;
        QPrinter printer(QPrinter::HighResolution);
        QVERIFY(utPreparaStampante(printer, utNomeStampantePdf(), "Registro", cartella.path()));
        const QString file = printer.outputFileName();
        // Start from the other orientation, so that the call must change it.
        printer.setPageOrientation(orientamento == QPageLayout::Landscape ? QPageLayout::Portrait
                                                                          : QPageLayout::Landscape);

        const QPoint alfa(40, 60), omega(dimensione.width() - 140, dimensione.height() - 30);
        QVERIFY(StampaForm(printer, ModuloProva(dimensione, alfa, omega), orientamento,
                           "Registro Marzo 2024 - Pagina 1 A", scala));

        QCOMPARE(infoPdf(file, "Pages"), QString("1"));
        QCOMPARE(infoPdf(file, "Title"), QString("Registro Marzo 2024 - Pagina 1 A"));
        static const QRegularExpression formato(QStringLiteral("^([\\d.]+) x ([\\d.]+) pts"));
        const auto foglio = formato.match(infoPdf(file, "Page size"));
        QVERIFY(foglio.hasMatch());
        const bool orizzontale = foglio.captured(1).toDouble() > foglio.captured(2).toDouble();
        QCOMPARE(orizzontale, orientamento == QPageLayout::Landscape);

        // Points per window pixel.
        const QRectF area = printer.pageLayout().paintRect(QPageLayout::Point);
        const double atteso =
            scala == ScalaStampa::Naturale
                ? 72.0 / 96.0
                : std::min(area.width() / dimensione.width(), area.height() / dimensione.height());
        const auto parole = paroleDelPdf(file);
        QVERIFY2(parole.contains("ALFA") && parole.contains("OMEGA"),
                 qPrintable(QStringList(parole.keys()).join(' ')));
        const QPointF a = parole.value("ALFA"), o = parole.value("OMEGA");
        QVERIFY2(qAbs(a.x() - (area.left() + alfa.x() * atteso)) < 2,
                 qPrintable(QString::number(a.x())));
        QVERIFY2(qAbs((o.x() - a.x()) - (omega.x() - alfa.x()) * atteso) < 1.5,
                 qPrintable(QString("%1 / %2").arg(o.x() - a.x()).arg(atteso)));
        QVERIFY2(qAbs((o.y() - a.y()) - (omega.y() - alfa.y()) * atteso) < 1.5,
                 qPrintable(QString("%1 / %2").arg(o.y() - a.y()).arg(atteso)));
    }

    void titoloVuotoLasciaQuelloDelLavoro() {
        QTemporaryDir cartella;
        QPrinter printer(QPrinter::HighResolution);
        QVERIFY(utPreparaStampante(printer, utNomeStampantePdf(), "Copertina", cartella.path()));
        QVERIFY(StampaForm(printer, ModuloProva(QSize(400, 300), QPoint(10, 30), QPoint(200, 200)),
                           QPageLayout::Landscape, QString(), ScalaStampa::Naturale));
        QCOMPARE(infoPdf(printer.outputFileName(), "Title"), QString("Copertina"));
    }

    void stampanteNonApribileFallisce() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName("/cartella/inesistente/stampa.pdf");
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!StampaForm(printer, ModuloProva(QSize(400, 300), QPoint(10, 30), QPoint(200, 200)),
                            QPageLayout::Portrait, "Prova", ScalaStampa::AdattaPagina));
    }
};

QTEST_MAIN(TestStampaForm)
#include "tst_stampaform.moc"
