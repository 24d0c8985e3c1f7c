#pragma once

// The registry of the program: a text file in the format of a Windows registry export
// ("Dolvera.reg" in the program folder, or the file named by DOLVERA_REGISTRY).
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Brevantoria\Dolvera]
//   "Printer"="-1"
//   @="default value"
//
// Keys are written as below HKEY_LOCAL_MACHINE, e.g. "SOFTWARE\\Brevantoria\\Dolvera";
// an empty value name means the key's default value (@). Key names compare without
// regard to case, as in Windows; value names too.

#include <QString>

class Registro {
public:
    explicit Registro(QString file);

    // The registry file of a program folder: DOLVERA_REGISTRY when set, else
    // cartellaProgramma + "Dolvera.reg".
    static QString filePredefinito(const QString& cartellaProgramma);

    const QString& file() const { return m_file; }

    // Reads a string value. False and an empty text when the file, the key or the value
    // is missing or cannot be read.
    bool leggi(const QString& chiave, const QString& nome, QString& valore) const;

    // Writes a string value into an existing key (a missing key is never created; a
    // missing value of an existing key is added). The file is replaced atomically
    // (temporary file, then rename). False on any failure, a read-only file included.
    bool scrivi(const QString& chiave, const QString& nome, const QString& valore);

private:
    QString m_file;
};
