#include "ReportHost.h"

#include "AccessoDati.h"
#include "Stampanti.h"
#include "Viste.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

void ReportHost::ImpostaParametro(const QString& nome, const QString& valore) {
    Querifica(QStringLiteral("UPDATE parametri SET ") + nome + QStringLiteral(" = '") + valore +
              QStringLiteral("'"));
    DbValore(QStringLiteral("parametri"), nome, QString());
}

QString ReportHost::RigaComando(const QString& macro) const {
    return QStringLiteral("\"") + m_percorsi.AccessExe + QStringLiteral("\" \"") +
           m_percorsi.FileDb + QStringLiteral("\"   /x ") + macro;
}

bool ReportHost::EseguiMacro(const QString& macro, QString* motivo) const {
    QProcess host;
    host.setProcessChannelMode(QProcess::SeparateChannels);
    // The host prints on the program's current printer, which the registry may not hold
    // (a choice that could not be stored is still the printer of this run).
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("DOLVERA_STAMPANTE"), utStampanteCorrente());
    // On a read-only file the parameters live with this connection only: the host takes
    // them from its environment.
    ambiente.remove(QStringLiteral("DOLVERA_PARAMETRI"));
    if (ConnessioneSolaLettura())
        ambiente.insert(QStringLiteral("DOLVERA_PARAMETRI"), TestoParametri());
    host.setProcessEnvironment(ambiente);
    host.startCommand(RigaComando(macro));
    QString errore;
    if (!host.waitForStarted(-1)) {
        errore = QStringLiteral("impossibile avviare ") + m_percorsi.AccessExe +
                 QStringLiteral(" (") + host.errorString() + QStringLiteral(").");
    } else {
        host.waitForFinished(-1);
        if (host.exitStatus() != QProcess::NormalExit || host.exitCode() != 0) {
            // The host explains its failure on the last line of its standard error, after
            // its name.
            const QStringList righe = QString::fromLocal8Bit(host.readAllStandardError())
                                          .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            errore = righe.isEmpty() ? QStringLiteral("il programma di stampa è terminato con "
                                                      "un errore.")
                                     : righe.constLast().trimmed();
            errore.remove(QRegularExpression(QStringLiteral("^dolvera-report: ")));
        }
    }
    if (motivo)
        *motivo = errore;
    return errore.isEmpty();
}
