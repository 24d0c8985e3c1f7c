#pragma once

#include <QString>

class Messaggi;
class ReportHost;

// Prints a card or a list through the report host: asks "Premere OK quando la stampante è
// pronta.", writes the parameter the report reads (when one is given), runs the macro and
// waits. False when the user cancels, or when the host fails, which is shown as
// "Stampa non riuscita: " and the reason.
bool StampaConReportHost(Messaggi& messaggi, const ReportHost& host, const QString& macro,
                         const QString& parametro = {}, const QString& valore = {});

// The same print without the question, `copie` times: the parameter written once, the
// macro run once per copy. A host that fails is shown as above and no further copy is
// tried.
bool StampaCopieConReportHost(Messaggi& messaggi, const ReportHost& host, const QString& macro,
                              const QString& parametro, const QString& valore, int copie);
