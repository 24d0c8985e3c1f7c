#include "CopieAutomatiche.h"

#include "CopiaDatabase.h"
#include "Utilitylibrary.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {
const QString ROUTINE = QStringLiteral("TfrmMain::CopiaAutomatica");

QString nomeCopia(const QDate& data) {
    return QStringLiteral("Dolvera ") + data.toString(Qt::ISODate) + QStringLiteral(".mdb");
}

// The automatic copies of the folder, oldest first: only names that carry a valid date.
QStringList copieEsistenti(const QString& cartella) {
    static const QRegularExpression nome(QStringLiteral("^Dolvera (\\d{4}-\\d{2}-\\d{2})\\.mdb$"));
    QStringList copie;
    const QStringList file =
        QDir(cartella).entryList({QStringLiteral("Dolvera *.mdb")}, QDir::Files, QDir::Name);
    for (const QString& f : file) {
        const QRegularExpressionMatch m = nome.match(f);
        if (m.hasMatch() && QDate::fromString(m.captured(1), Qt::ISODate).isValid())
            copie << f;
    }
    return copie;
}
} // namespace

QString CartellaCopie(const QString& pathApp) {
    return pathApp + QStringLiteral("Backup/");
}

QString FileCopiaAutomatica(const QString& pathApp, const QDate& data) {
    return CartellaCopie(pathApp) + nomeCopia(data);
}

QDate UltimaCopiaAutomatica(const QString& pathApp) {
    const QStringList copie = copieEsistenti(CartellaCopie(pathApp));
    return copie.isEmpty() ? QDate() : QDate::fromString(copie.last().mid(8, 10), Qt::ISODate);
}

EsitoCopiaAutomatica CopiaAutomatica(const QString& pathApp, const QDate& oggi, int tenute) {
    EsitoCopiaAutomatica esito;
    utLogEnter(ROUTINE);
    const QString cartella = CartellaCopie(pathApp);
    const QString copia = FileCopiaAutomatica(pathApp, oggi);
    // One copy a calendar day, by the date in the name: the first start of the day makes it.
    if (QFile::exists(copia)) {
        utLog(ROUTINE, QStringLiteral("Copia del giorno già presente: ") + nomeCopia(oggi));
        utLogExit(ROUTINE);
        return esito;
    }
    if (!QDir().mkpath(cartella)) {
        esito.errore = QStringLiteral("impossibile creare la cartella \"%1\".")
                           .arg(QDir::toNativeSeparators(cartella));
    } else if (!CopiaDatabaseAperto(copia, &esito.errore)) {
        esito.errore += QLatin1Char('.');
    } else {
        esito.fatta = true;
        utLog(ROUTINE, QStringLiteral("#1: Copia scritta: ") + nomeCopia(oggi));
        QStringList copie = copieEsistenti(cartella);
        while (copie.size() > tenute) {
            const QString vecchia = copie.takeFirst();
            if (QFile::remove(cartella + vecchia)) {
                esito.eliminate << vecchia;
                utLog(ROUTINE, QStringLiteral("#2: Eliminata copia ") + vecchia);
            } else {
                esito.errore = QStringLiteral("impossibile eliminare la vecchia copia \"%1\".")
                                   .arg(QDir::toNativeSeparators(cartella + vecchia));
            }
        }
    }
    if (!esito.errore.isEmpty())
        utLog(ROUTINE, QStringLiteral("ERRORE #BCK05: ") + esito.errore);
    utLogExit(ROUTINE);
    return esito;
}
