#include "StampaReport.h"

#include "Messaggi.h"
#include "ReportHost.h"

bool StampaConReportHost(Messaggi& messaggi, const ReportHost& host, const QString& macro,
                         const QString& parametro, const QString& valore) {
    if (!messaggi.domandaOkAnnulla(QStringLiteral("Premere OK quando la stampante è pronta.")))
        return false;
    return StampaCopieConReportHost(messaggi, host, macro, parametro, valore, 1);
}

bool StampaCopieConReportHost(Messaggi& messaggi, const ReportHost& host, const QString& macro,
                              const QString& parametro, const QString& valore, int copie) {
    if (!parametro.isEmpty())
        ReportHost::ImpostaParametro(parametro, valore);
    for (int copia = 0; copia < copie; ++copia) {
        QString motivo;
        if (!host.EseguiMacro(macro, &motivo)) {
            messaggi.errore(QStringLiteral("Stampa non riuscita: ") + motivo);
            return false;
        }
    }
    return true;
}
