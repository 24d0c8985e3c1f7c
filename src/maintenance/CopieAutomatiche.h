#pragma once

// The automatic copies of the working database: one a day, taken at start-up, kept in the
// folder "Backup" of the program folder as "Dolvera <yyyy-MM-dd>.mdb", so that they sort
// by date. The newest ones are kept, the older deleted. Other files of the folder (the
// copy a restore keeps of the database it replaced) are never counted nor deleted.

#include <QDate>
#include <QString>
#include <QStringList>

// How many automatic copies are kept.
inline constexpr int COPIE_AUTOMATICHE_TENUTE = 14;

// "<PathApp>Backup/".
QString CartellaCopie(const QString& pathApp);

// The file of the automatic copy of `data`.
QString FileCopiaAutomatica(const QString& pathApp, const QDate& data);

// The date of the newest automatic copy; null when there is none.
QDate UltimaCopiaAutomatica(const QString& pathApp);

struct EsitoCopiaAutomatica {
    bool fatta = false;    // a new copy was written
    QStringList eliminate; // the old copies deleted
    QString errore;        // why the copy or a deletion failed; empty when all went well
};

// Writes today's copy of the database open on the program's connection, unless one of
// `oggi` is already there, then deletes all but the newest `tenute`. A copy is consistent
// (SQLite's online backup) and appears only complete. Every step is logged.
EsitoCopiaAutomatica CopiaAutomatica(const QString& pathApp, const QDate& oggi,
                                     int tenute = COPIE_AUTOMATICHE_TENUTE);
