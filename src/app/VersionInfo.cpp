#include "VersionInfo.h"

#include <QFile>
#include <QHash>
#include <QStringList>

namespace {
const QString RISORSA = QStringLiteral(":/versione/versione.ini");

// The sections of the block: section name -> (key -> value).
using Blocco = QHash<QString, QHash<QString, QString>>;

bool leggiBlocco(Blocco& blocco) {
    QFile f(RISORSA);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QString sezione;
    for (const QString& grezza : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const QString riga = grezza.trimmed();
        if (riga.isEmpty() || riga.startsWith(QLatin1Char(';')))
            continue;
        if (riga.startsWith(QLatin1Char('[')) && riga.endsWith(QLatin1Char(']'))) {
            sezione = riga.mid(1, riga.size() - 2);
            blocco[sezione];
            continue;
        }
        const qsizetype uguale = riga.indexOf(QLatin1Char('='));
        if (uguale <= 0 || sezione.isEmpty())
            return false;
        blocco[sezione][riga.left(uguale).trimmed()] = riga.mid(uguale + 1).trimmed();
    }
    return true;
}
} // namespace

int GetVersionInfo(const QString& file, const QString& chiave, QString& valore) {
    Q_UNUSED(file);
    Q_INIT_RESOURCE(versione);
    valore.clear();
    if (!QFile::exists(RISORSA))
        return 4;
    Blocco blocco;
    if (!leggiBlocco(blocco))
        return 3;
    const QStringList traduzione = blocco.value(QStringLiteral("VarFileInfo"))
                                       .value(QStringLiteral("Translation"))
                                       .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool okLingua = false;
    bool okCodice = false;
    const uint lingua = traduzione.value(0).toUInt(&okLingua, 16);
    const uint codice = traduzione.value(1).toUInt(&okCodice, 16);
    if (!okLingua || !okCodice)
        return 2;
    const QString tabella = QStringLiteral("StringFileInfo\\%1%2")
                                .arg(lingua, 4, 16, QLatin1Char('0'))
                                .arg(codice, 4, 16, QLatin1Char('0'));
    const auto stringhe = blocco.value(tabella);
    if (!stringhe.contains(chiave))
        return 1;
    valore = stringhe.value(chiave);
    return 0;
}
