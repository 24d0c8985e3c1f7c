#pragma once

// The "Backup" group of the "Utilità" tab: copies every database file of the program
// folder ("*.mdb": the working database, the template, the year archives) into a folder
// the user chooses, and brings such a copy back. Files are only ever replaced by renaming
// a complete copy over them, so a failed backup keeps the previous one and a failed
// restore leaves the program folder as it was. The group also shows the date of the
// newest automatic copy, which the first show of the main window takes once a day.

#include <QDate>
#include <QGroupBox>
#include <functional>

class Messaggi;
class QLabel;
class TfrmSelectFolder;
struct Percorsi;

class GruppoBackup : public QGroupBox {
    Q_OBJECT

public:
    // The group is named "gbBackup". `percorsi` is read at each operation (the program
    // folder is known only after the installation checks); `termina` ends the program
    // after a restore.
    GruppoBackup(Messaggi& messaggi, const Percorsi& percorsi, std::function<void()> termina,
                 QWidget* parent = nullptr);
    ~GruppoBackup() override;

    // "Esegui backup": every "*.mdb" of the program folder into the chosen folder; the
    // open database through SQLite's online backup, so the copy is consistent.
    void btnEseguiBackupClick();
    // "Ripristina backup": checks every "*.mdb" of the chosen folder, asks, keeps a dated
    // copy of the database it replaces in "Backup", closes the connection, puts the files
    // in place and ends the program, which the next start opens on the restored files.
    void btnRipristinaBackupClick();
    // At start-up, after the repairs: the daily automatic copy. A failure is logged and
    // shown, and the start goes on.
    void CopiaAutomatica(const QDate& oggi = QDate::currentDate());

private:
    // Runs the picker with the instruction `commento`; the chosen folder with a trailing
    // slash, or empty when the user gave up.
    QString ScegliCartella(const QString& commento);
    // True, and the user told so, when `cartella` is the program folder under any name.
    bool CartellaProgramma(const QString& cartella, const QString& routine);
    // Keeps a dated copy of the database a restore of `nomi` replaces, then copies the
    // files `nomi` of `origine` as "<name>.ripristino" into the program folder. On a
    // failure removes those written and returns the message: nothing has changed.
    QString PreparaRipristino(const QString& origine, const QStringList& nomi,
                              const QString& routine);
    void MostraUltimaCopia();

    Messaggi& m_messaggi;
    const Percorsi& m_percorsi;
    std::function<void()> m_termina;
    TfrmSelectFolder* m_selectFolder = nullptr;
    QLabel* lblCopiaAutomatica = nullptr;
};
