#include "StampaReport.h"

#include "Messaggi.h"
#include "ReportHost.h"

bool StampaConReportHost(Messaggi& messaggi, const ReportHost& host, const QString& macro,
                         const QString& parametro, const QString& valore) {
    if (!messaggi.domandaOkAnnulla(QStringLiteral("Premere OK quando la stampante è pronta.")))
        return false;
    if (!parametro.isEmpty())
        ReportHost::ImpostaParametro(parametro, valore);
    return host.EseguiMacro(macro);
}
