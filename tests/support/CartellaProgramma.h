#pragma once

// A temporary program folder for one test: the template database, a registry file
// written from the installed one, and the report host, as the installer lays them out.
// The installed release's date "LastUpdate" is the time the folder is made.

#include <QString>
#include <QTemporaryDir>

// The update server of every test folder: a port of this machine where nothing listens, so
// that the update check of each start is refused at once, never reaches the internet and
// shows no notice. A test of the update check writes its own server instead.
inline const QString SERVER_AGGIORNAMENTI_CHIUSO = QStringLiteral("127.0.0.1:1");

class CartellaProgramma {
public:
    enum class Database { Modello, Lavoro, Nessuno };

    // Database::Modello: only "Dolvera0.mdb" (a first start); Database::Lavoro: the
    // template already renamed to "Dolvera.mdb"; Database::Nessuno: no database file.
    explicit CartellaProgramma(Database db = Database::Lavoro, bool conReportHost = true);

    // The folder, with a trailing slash.
    QString percorso() const;
    QString file(const QString& nome) const { return percorso() + nome; }
    QString fileDb() const { return file("Dolvera.mdb"); }
    QString fileDb0() const { return file("Dolvera0.mdb"); }
    QString fileRegistro() const { return file("Dolvera.reg"); }
    QString fileLog() const { return file("Dolvera.LOG"); }

    // Copies the shipped template to `nome` in the folder.
    void copiaModello(const QString& nome) const;
    // The lines of a text file of the folder (CR LF removed); empty when it is missing.
    QStringList righe(const QString& nome) const;
    // The lines of the log with the time stamp and ": " removed.
    QStringList righeLog() const;

    static QString modello() { return QStringLiteral(DOLVERA_MODELLO); }
    static QString reportHost() { return QStringLiteral(DOLVERA_REPORT); }

private:
    QTemporaryDir m_dir;
};
