#pragma once

#include <QString>

class Messaggi;
class ReportHost;

// Prints a card or a list through the report host: asks "Premere OK quando la stampante è
// pronta.", writes the parameter the report reads (when one is given), runs the macro and
// waits. False when the user cancels or the host cannot be started.
bool StampaConReportHost(Messaggi& messaggi, const ReportHost& host, const QString& macro,
                         const QString& parametro = {}, const QString& valore = {});
