// Dolvera: the store of a charity food bank, with its AGEA stock register and the daily
// delivery declarations.

#include "main.h"
#include "Applicazione.h"

#include "Errore.h"

int main(int argc, char** argv) {
    Applicazione app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Dolvera"));
    Messaggi messaggi;
    app.ImpostaMessaggi(&messaggi);
    try {
        // The main window runs the installation checks before the data module connects.
        TfrmMain frmMain(QCoreApplication::applicationDirPath(), messaggi);
        if (!frmMain.avviato())
            return 1;
        TdmDati dmDati(frmMain.percorsi(), messaggi);
        if (!dmDati.pronto())
            return 1;
        frmMain.ImpostaDati(dmDati);
        frmMain.show();
        if (!frmMain.inEsecuzione())
            return 1;
        return app.exec();
    } catch (const Errore& e) {
        messaggi.errore(e.messaggio());
    } catch (const std::exception& e) {
        messaggi.errore(QString::fromLocal8Bit(e.what()));
    }
    return 1;
}
