#pragma once

// Cards and lists are printed by the report host, a separate program started on the same
// database file with the name of a macro; the record to print travels in the single row
// of the table parametri.

#include "Percorsi.h"

#include <QString>

class ReportHost {
public:
    explicit ReportHost(const Percorsi& percorsi) : m_percorsi(percorsi) {}

    // "UPDATE parametri SET <nome> = '<valore>'", then the value read back.
    static void ImpostaParametro(const QString& nome, const QString& valore);
    // The host's command line: "<AccessExe>" "<FileDb>"   /x <macro>.
    QString RigaComando(const QString& macro) const;
    // Runs the host and waits, with no time limit, until it ends; the host prints on the
    // current printer (utStampanteCorrente), named in its environment variable
    // DOLVERA_STAMPANTE. False when it cannot be started or ends with an error; `motivo`
    // then receives what went wrong.
    bool EseguiMacro(const QString& macro, QString* motivo = nullptr) const;

private:
    Percorsi m_percorsi;
};
