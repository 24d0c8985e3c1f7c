#include "StampaReport.h"

#include "Messaggi.h"
#include "ReportHost.h"

bool StampaConReportHost(Messaggi& messaggi, const ReportHost& host, const QString& macro,
                         const QString& parametro, const QString& valore) {
    if (!messaggi.domandaOkAnnulla(QStringLiteral("Premere OK quando la stampante è pronta.")))
        return false;
    if (!parametro.isEmpty())
        ReportHost::ImpostaParametro(parametro, valore);
    QString motivo;
    if (host.EseguiMacro(macro, &motivo))
        return true;
    messaggi.errore(QStringLiteral("Stampa non riuscita: ") + motivo);
    return false;
}
