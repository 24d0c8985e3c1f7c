// The printer chosen from the registry, and the PDF printer that never overwrites a job.

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
    // The registry value picks by exact name; -1 or empty the default; else the fallback.
    void risolvi() {
        QVERIFY(utStampantiDisponibili().contains(QStringLiteral("PDF")));
        if (QPrinterInfo::availablePrinterNames().isEmpty())
            QCOMPARE(utStampantePredefinita(), QStringLiteral("PDF"));
        const QString altrimenti = QStringLiteral("<altrimenti>");
        QList<std::pair<QString, QString>> casi = {{"-1", utStampantePredefinita()},
                                                   {"", utStampantePredefinita()},
                                                   {"PDF", "PDF"},
                                                   {"pdf", altrimenti},
                                                   {"PDF ", altrimenti},
                                                   {"Stampante dismessa", altrimenti}};
        for (const QString& nome : QPrinterInfo::availablePrinterNames())
            casi.append({nome, nome});
        for (const auto& [valore, atteso] : casi)
            QCOMPARE(utRisolviStampante(valore, altrimenti), atteso);
    }

    // Same-second jobs get files of their own in Stampe, never overwriting an earlier one.
    void maiSovrascrivere() {
        QTemporaryDir cartella;
        QVERIFY(cartella.isValid());
        const QString stampe = QDir(cartella.path()).filePath("Stampe");
        QPrinter primo, secondo, terzo;
        for (QPrinter* p : {&primo, &secondo, &terzo})
            QVERIFY(utPreparaStampante(*p, QStringLiteral("PDF"), QStringLiteral("Scheda articolo"),
                                       cartella.path()));
        const QString file1 = primo.outputFileName();
        const QString file2 = secondo.outputFileName();
        QCOMPARE(QFileInfo(file1).absolutePath(), stampe);
        QVERIFY(QFileInfo(file1).fileName().startsWith(QStringLiteral("Scheda articolo 20")));
        QVERIFY(file1 != file2);
        if (QFileInfo(file2).fileName().startsWith(QFileInfo(file1).completeBaseName()))
            QCOMPARE(file2, file1.chopped(4) + QStringLiteral(" (2).pdf"));
        QVERIFY(terzo.outputFileName() != file1 && terzo.outputFileName() != file2);

        QVERIFY(stampaPagina(primo, QStringLiteral("primo")));
        const QByteArray stampato = contenuto(file1);
        QVERIFY(stampato.startsWith("%PDF"));
        QVERIFY(stampaPagina(secondo, QStringLiteral("secondo")));
        QCOMPARE(contenuto(file1), stampato);

        // The program folder given is a file: Stampe cannot be made below it.
        QPrinter nessuna;
        QVERIFY(
            !utPreparaStampante(nessuna, QStringLiteral("PDF"), QStringLiteral("Elenco"), file1));
    }
};

QTEST_MAIN(TestStampanti)
#include "tst_stampanti.moc"
