// dolvera-report: prints a card or a list of the Dolvera database, named by a macro.
//   dolvera-report "<database file>" /x <macro>
// Messages go to standard error; the exit code tells the outcome (EsitoReportHost).

#include "EsecuzioneReport.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    // The report host shows no window: it draws off screen unless told otherwise, so it
    // runs without a display too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString errore;
    const EsitoReportHost esito = EseguiReportHost(QCoreApplication::arguments().mid(1),
                                                   QCoreApplication::applicationDirPath(), errore);
    if (esito != EsitoStampato)
        std::fprintf(stderr, "dolvera-report: %s\n", errore.toUtf8().constData());
    return esito;
}
