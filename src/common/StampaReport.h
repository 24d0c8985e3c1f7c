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
