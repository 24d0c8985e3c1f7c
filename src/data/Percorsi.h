#pragma once

#include <QString>

// The files of an installation, found by the start-up checks of the main window.
struct Percorsi {
    QString PathApp;   // program folder, with a trailing slash
    QString PathDb;    // folder of the database: always PathApp
    QString FileDb;    // PathDb + "Dolvera.mdb", the working database
    QString FileDb0;   // PathDb + "Dolvera0.mdb", the template a new release ships
    QString AccessExe; // the report host executable

    static Percorsi daCartella(const QString& cartella) {
        Percorsi p;
        p.PathApp = cartella.endsWith(QLatin1Char('/')) ? cartella : cartella + QLatin1Char('/');
        p.PathDb = p.PathApp;
        p.FileDb = p.PathDb + QStringLiteral("Dolvera.mdb");
        p.FileDb0 = p.PathDb + QStringLiteral("Dolvera0.mdb");
        return p;
    }
};
