#include "ReportHost.h"

#include "AccessoDati.h"

#include <QProcess>

void ReportHost::ImpostaParametro(const QString& nome, const QString& valore) {
    Querifica(QStringLiteral("UPDATE parametri SET ") + nome + QStringLiteral(" = '") + valore +
              QStringLiteral("'"));
    DbValore(QStringLiteral("parametri"), nome, QString());
}

QString ReportHost::RigaComando(const QString& macro) const {
    return QStringLiteral("\"") + m_percorsi.AccessExe + QStringLiteral("\" \"") +
           m_percorsi.FileDb + QStringLiteral("\"   /x ") + macro;
}

bool ReportHost::EseguiMacro(const QString& macro) const {
    QProcess host;
    host.setProcessChannelMode(QProcess::ForwardedChannels);
    host.startCommand(RigaComando(macro));
    if (!host.waitForStarted(-1))
        return false;
    host.waitForFinished(-1);
    return true;
}
