// Starts the data module on a program folder, as the program does after its installation
// checks, and exits: 0 when the database is ready, 1 otherwise. The upgrade tests run it
// in a child process, so that a fault can end it at a named step of the upgrade.

#include "Datamodule.h"
#include "Utilitylibrary.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
struct AvvisiSuStderr : Avvisi {
    void errore(const QString& testo) override { std::fprintf(stderr, "%s\n", qPrintable(testo)); }
};
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const Percorsi percorsi = Percorsi::daCartella(QString::fromLocal8Bit(argv[1]));
    utLogImpostaFile(percorsi.PathApp + QStringLiteral("Dolvera.LOG"));
    AvvisiSuStderr avvisi;
    try {
        TdmDati dati(percorsi, avvisi);
        return dati.pronto() ? 0 : 1;
    } catch (const Errore& e) {
        avvisi.errore(e.messaggio());
    }
    return 1;
}
