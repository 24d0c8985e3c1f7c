#include "EsecuzioneReport.h"

#include "CaricaReport.h"
#include "ErroreDb.h"
#include "Registro.h"
#include "RendererReport.h"
#include "Stampanti.h"
#include "Viste.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>

namespace {

// Reads the report from the database file; the connection is closed before returning.
Report leggiReport(const QString& fileDb, const DefinizioneReport& definizione) {
    struct Connessione {
        explicit Connessione(const QString& file) { ApriConnessione(file); }
        ~Connessione() { ChiudiConnessione(); }
    } connessione(fileDb);
    // The program cannot write the print's parameters into a read-only file: it names
    // them in DOLVERA_PARAMETRI, written here into the connection's own copy.
    if (ConnessioneSolaLettura()) {
        PreparaSolaLettura();
        ApplicaTestoParametri(qEnvironmentVariable("DOLVERA_PARAMETRI"));
    }
    RicreaQryPivot();
    return CaricaReport(definizione);
}

// The printer of the job: the program's current printer, which the program names in
// DOLVERA_STAMPANTE when it starts the host; else (a host started by hand, or a printer
// no longer installed) the one stored in the registry ("Printer"); else the default printer.
QString stampantePreferita(const QString& cartellaProgramma) {
    QString valore;
    Registro(Registro::filePredefinito(cartellaProgramma))
        .leggi(QStringLiteral("SOFTWARE\\Brevantoria\\Dolvera"), QStringLiteral("Printer"), valore);
    const QString memorizzata = utRisolviStampante(valore, utStampantePredefinita());
    const QString delProgramma = qEnvironmentVariable("DOLVERA_STAMPANTE");
    return delProgramma.isEmpty() ? memorizzata : utRisolviStampante(delProgramma, memorizzata);
}

} // namespace

EsitoReportHost EseguiReportHost(const QStringList& argomenti, const QString& cartellaProgramma,
                                 QString& errore) {
    if (argomenti.size() != 3 ||
        argomenti.at(1).compare(QLatin1String("/x"), Qt::CaseInsensitive)) {
        errore = QStringLiteral("Riga di comando non valida. Uso: dolvera-report "
                                "\"<file del database>\" /x <macro>");
        return EsitoRigaComando;
    }
    const DefinizioneReport* definizione = TrovaDefinizione(argomenti.at(2));
    if (!definizione) {
        errore = QStringLiteral("Macro sconosciuta: \"%1\".").arg(argomenti.at(2));
        return EsitoRigaComando;
    }
    const QString fileDb = argomenti.at(0);
    if (!QFileInfo(fileDb).isFile()) {
        errore = QStringLiteral("Impossibile trovare il database \"%1\".").arg(fileDb);
        return EsitoDatabase;
    }

    Report report;
    try {
        report = leggiReport(fileDb, *definizione);
    } catch (const ErroreDb& e) {
        errore = QStringLiteral("Errore del database: %1").arg(e.messaggio());
        return EsitoDatabase;
    } catch (const Errore& e) {
        errore = e.messaggio();
        return EsitoDatabase;
    }

    const QString stampante = stampantePreferita(cartellaProgramma);
    QPrinter printer(QPrinter::HighResolution);
    if (!utPreparaStampante(printer, stampante, report.titolo, cartellaProgramma)) {
        errore = QStringLiteral("Impossibile preparare la stampante \"%1\".").arg(stampante);
        return EsitoStampante;
    }
    if (!RendererReport::stampa(report, printer)) {
        if (!printer.outputFileName().isEmpty())
            QFile::remove(printer.outputFileName());
        errore = QStringLiteral("Impossibile stampare su \"%1\".").arg(stampante);
        return EsitoStampante;
    }
    return EsitoStampato;
}
