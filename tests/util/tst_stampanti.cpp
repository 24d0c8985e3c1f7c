// The printers: the choice made from the registry value "Printer", and the PDF printer
// that writes each job into Stampe/ without ever overwriting an earlier one.

#include "Stampanti.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Prints one page with a text on a prepared printer.
bool stampaPagina(QPrinter& printer, const QString& testo) {
    QPainter p;
    if (!p.begin(&printer))
        return false;
    p.drawText(QPointF(100, 100), testo);
    return p.end();
}

QByteArray contenuto(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestStampanti : public QObject {
    Q_OBJECT

private slots:
    void predefinita();
    void risolvi_data();
    void risolvi();
    void mai_sovrascrivere();
    void titoloConSeparatori();
    void cartellaNonScrivibile();
};

void TestStampanti::predefinita() {
    QVERIFY(utStampantiDisponibili().contains(QStringLiteral("PDF")));
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        QCOMPARE(utStampantiDisponibili(), QStringList{QStringLiteral("PDF")});
        QCOMPARE(utStampantePredefinita(), QStringLiteral("PDF"));
    }
}

void TestStampanti::risolvi_data() {
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("atteso");
    const QString altrimenti = QStringLiteral("<altrimenti>");
    QTest::newRow("-1: predefinita") << "-1" << utStampantePredefinita();
    QTest::newRow("vuoto: predefinita") << "" << utStampantePredefinita();
    QTest::newRow("PDF") << "PDF"
                         << "PDF";
    QTest::newRow("maiuscole diverse") << "pdf" << altrimenti;
    QTest::newRow("spazio in piu'") << "PDF " << altrimenti;
    QTest::newRow("sconosciuta") << "Stampante dismessa" << altrimenti;
    for (const QString& nome : QPrinterInfo::availablePrinterNames())
        QTest::newRow(qPrintable(nome)) << nome << nome;
}

void TestStampanti::risolvi() {
    QFETCH(QString, valore);
    QFETCH(QString, atteso);
    QCOMPARE(utRisolviStampante(valore, QStringLiteral("<altrimenti>")), atteso);
}

// Two jobs with the same title prepared in the same second get two files, and the second
// leaves the first as it was printed.
void TestStampanti::mai_sovrascrivere() {
    QTemporaryDir cartella;
    QVERIFY(cartella.isValid());
    QPrinter primo;
    QVERIFY(utPreparaStampante(primo, QStringLiteral("PDF"), QStringLiteral("Scheda articolo"),
                               cartella.path()));
    QPrinter secondo;
    QVERIFY(utPreparaStampante(secondo, QStringLiteral("PDF"), QStringLiteral("Scheda articolo"),
                               cartella.path()));
    const QString file1 = primo.outputFileName();
    const QString file2 = secondo.outputFileName();
    QCOMPARE(QFileInfo(file1).absolutePath(), QDir(cartella.path()).filePath("Stampe"));
    QCOMPARE(QFileInfo(file2).absolutePath(), QDir(cartella.path()).filePath("Stampe"));
    QVERIFY(QFileInfo(file1).fileName().startsWith(QStringLiteral("Scheda articolo 20")));
    QVERIFY(file1.endsWith(QStringLiteral(".pdf")));
    QVERIFY(file1 != file2);
    if (QFileInfo(file2).fileName().startsWith(QFileInfo(file1).completeBaseName()))
        QCOMPARE(file2, file1.chopped(4) + QStringLiteral(" (2).pdf"));

    QVERIFY(stampaPagina(primo, QStringLiteral("primo")));
    const QByteArray stampato = contenuto(file1);
    QVERIFY(stampato.startsWith("%PDF"));
    QVERIFY(stampaPagina(secondo, QStringLiteral("secondo")));
    QCOMPARE(contenuto(file1), stampato);
    QVERIFY(contenuto(file2).startsWith("%PDF"));

    // A third job of the same second finds both names taken.
    QPrinter terzo;
    QVERIFY(utPreparaStampante(terzo, QStringLiteral("PDF"), QStringLiteral("Scheda articolo"),
                               cartella.path()));
    QVERIFY(terzo.outputFileName() != file1 && terzo.outputFileName() != file2);
}

// A title with a slash (a date, say) names a file in Stampe, not a folder below it.
void TestStampanti::titoloConSeparatori() {
    QTemporaryDir cartella;
    QPrinter printer;
    QVERIFY(utPreparaStampante(printer, QStringLiteral("PDF"),
                               QStringLiteral("Allegato 9 05/03/2024"), cartella.path()));
    const QFileInfo file(printer.outputFileName());
    QCOMPARE(file.absolutePath(), QDir(cartella.path()).filePath("Stampe"));
    QVERIFY(file.fileName().startsWith(QStringLiteral("Allegato 9 05-03-2024 ")));
    QVERIFY(stampaPagina(printer, QStringLiteral("Allegato")));
}

void TestStampanti::cartellaNonScrivibile() {
    QTemporaryDir cartella;
    // The program folder given is a file: Stampe cannot be made below it.
    const QString file = QDir(cartella.path()).filePath("file");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QPrinter printer;
    QVERIFY(!utPreparaStampante(printer, QStringLiteral("PDF"), QStringLiteral("Elenco"), file));
}

QTEST_MAIN(TestStampanti)
#include "tst_stampanti.moc"
