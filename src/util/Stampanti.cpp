#include "Stampanti.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A job title made fit for a file name: the characters that separate folders or that
// other systems refuse in file names become "-".
QString nomeFileDaTitolo(const QString& titolo) {
    QString nome = titolo;
    for (QChar& c : nome) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    }
    nome = nome.trimmed();
    return nome.isEmpty() ? QStringLiteral("Stampa") : nome;
}

// Creates a new, empty output file in `cartella` for the job: "<base>.pdf", else
// "<base> (2).pdf", "<base> (3).pdf" ... The file is created here, not by the printer, so
// that two jobs prepared in the same second, by this process or another, never share a
// name. An empty text when no file can be created.
QString riservaFile(const QDir& cartella, const QString& base) {
    for (int n = 1;; ++n) {
        QString nome = n == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(n);
        QString percorso = cartella.filePath(nome + QStringLiteral(".pdf"));
        QFile file(percorso);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return percorso;
        if (!file.exists())
            return {};
    }
}

// The printer chosen for this run; empty for the default printer.
QString& stampanteCorrente() {
    static QString nome;
    return nome;
}

} // namespace

QString utNomeStampantePdf() {
    return QStringLiteral("PDF");
}

QStringList utStampantiDisponibili() {
    QStringList nomi = QPrinterInfo::availablePrinterNames();
    nomi << utNomeStampantePdf();
    return nomi;
}

QString utStampantePredefinita() {
    QString nome = QPrinterInfo::defaultPrinterName();
    return nome.isEmpty() ? utNomeStampantePdf() : nome;
}

QString utRisolviStampante(const QString& valore, const QString& altrimenti) {
    if (valore.isEmpty() || valore == QLatin1String("-1"))
        return utStampantePredefinita();
    if (utStampantiDisponibili().contains(valore, Qt::CaseSensitive))
        return valore;
    return altrimenti;
}

QString utStampanteCorrente() {
    const QString& nome = stampanteCorrente();
    return nome.isEmpty() ? utStampantePredefinita() : nome;
}

void utImpostaStampanteCorrente(const QString& nome) {
    stampanteCorrente() = nome;
}

bool utPreparaStampante(QPrinter& printer, const QString& nome, const QString& titolo,
                        const QString& cartellaProgramma) {
    printer.setDocName(titolo);
    printer.setCreator(QStringLiteral("Dolvera"));
    if (nome != utNomeStampantePdf()) {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(nome);
        return true;
    }

    QDir cartella(cartellaProgramma);
    if (!cartella.mkpath(QStringLiteral("Stampe")) || !cartella.cd(QStringLiteral("Stampe")))
        return false;
    QString base = nomeFileDaTitolo(titolo) + QLatin1Char(' ') +
                   QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
    QString file = riservaFile(cartella, base);
    if (file.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
}
