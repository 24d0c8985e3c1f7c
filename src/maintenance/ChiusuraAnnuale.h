#pragma once

// Closing a year: the documents of one past calendar year leave the working database
// "Dolvera.mdb" for an archive of their own, "Dolvera_anno_<anno>.mdb" in the program
// folder. The archive keeps that year's receipts and distributions (with their lines) and
// Annex 9 declarations, each article's opening stock set to its stock of 1 January of the
// year; the working database keeps every other year, with the stocks of 1 January of the
// year after.
//
// Both files are built from consistent copies of the open database, each changed in one
// transaction through a connection of its own and then checked; only then does the
// archive take its name, and last the new working file replaces Dolvera.mdb, each by one
// rename. Whenever the process stops, Dolvera.mdb holds every document (the old file or
// the new one), and a file under the archive's name is a complete archive.

#include "Percorsi.h"

#include <QDate>
#include <QString>
#include <functional>

class ChiusuraAnnuale {
public:
    ChiusuraAnnuale(const Percorsi& percorsi, int anno);

    // "Dolvera_anno_2011.mdb": the archive's file name in the program folder.
    static QString nomeArchivio(int anno);

    // Called after each step that changes the files of the folder, with the step's log
    // line: the files are then as a process stopped there would leave them.
    void impostaOsservatore(std::function<void(const QString& passo)> osservatore);

    // Closes the year. True: the archive and the new Dolvera.mdb are in place and the
    // program's connection is closed; the program must end, as its data sets no longer
    // match the file. False, with the reason (Italian): every file is as it was and the
    // program's connection is open on it.
    bool esegui(QString* motivo);

private:
    // One side, in one transaction on the copy `file`: every article's opening stock set to
    // its stock at `giorno`, then the documents deleted whose year compares to the closed
    // one by `confronto` ("<>" keeps the year, "=" removes it).
    void preparaCopia(const QString& file, const QString& connessione, const QDate& giorno,
                      const QString& confronto) const;
    void passo(const QString& testo) const;
    void eliminaFileTemporanei() const;

    Percorsi m_percorsi;
    int m_anno;
    QString m_archivio;
    QString m_archivioTemporaneo;
    QString m_lavoroTemporaneo;
    std::function<void(const QString&)> m_osservatore;
};
