#include "CartellaProgramma.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

CartellaProgramma::CartellaProgramma(Database db, bool conReportHost) {
    QVERIFY2(m_dir.isValid(), "temporary folder");
    if (db == Database::Modello)
        copiaModello("Dolvera0.mdb");
    else if (db == Database::Lavoro)
        copiaModello("Dolvera.mdb");
    if (conReportHost)
        QFile::copy(reportHost(), file("dolvera-report"));

    QFile in(QStringLiteral(DOLVERA_REG_IN));
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray testo = in.readAll();
    QString cartella = m_dir.path();
    testo.replace("@CARTELLA@", cartella.toUtf8());
    testo.replace("@ULTIMO_AGGIORNAMENTO@",
                  QDateTime::currentDateTime().toString("dd/MM/yyyy HH:mm:ss").toUtf8());
    testo.replace("@SERVER_AGGIORNAMENTI@", SERVER_AGGIORNAMENTI_CHIUSO.toUtf8());
    QFile out(fileRegistro());
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(testo);
}

QString CartellaProgramma::percorso() const {
    return m_dir.path() + QLatin1Char('/');
}

void CartellaProgramma::copiaModello(const QString& nome) const {
    QFile::remove(file(nome));
    QVERIFY2(QFile::copy(modello(), file(nome)), qPrintable(nome));
    QFile::setPermissions(file(nome), QFile::ReadOwner | QFile::WriteOwner);
}

QStringList CartellaProgramma::righe(const QString& nome) const {
    QFile f(file(nome));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString testo = QString::fromUtf8(f.readAll());
    QStringList righe = testo.split(QStringLiteral("\r\n"));
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();
    return righe;
}

QStringList CartellaProgramma::righeLog() const {
    static const QRegularExpression stampa(
        QStringLiteral("^\\d\\d/\\d\\d/\\d{4}( \\d\\d:\\d\\d:\\d\\d)?: "));
    QStringList out;
    for (const QString& r : righe("Dolvera.LOG")) {
        QString s = r;
        out << s.remove(stampa);
    }
    return out;
}
