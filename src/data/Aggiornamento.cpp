// The upgrade of the working database from the template a new release ships: the rows of
// the nine user tables are copied into a copy of the template, then the files are
// exchanged, keeping two generations of backups.
//
// The shipped template is never written. The database is first copied to
// "Dolvera.bck.mdb.nuovo", then a copy of the template is filled under a temporary name
// and, once complete and checked, renamed to "Dolvera.mdb.nuovo". From then on every step
// of the exchange leaves the files in a state that tells which steps are done, so that a
// start after an interruption (a kill, a failed rename, a template removed by hand)
// carries on from the first step not done. "Dolvera.mdb" exists at every moment and holds
// every row.

#include "Datamodule.h"

#include "CopiaDatabase.h"
#include "Utilitylibrary.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {
const QString SCHEMA_MODELLO = QStringLiteral("Dolvera0");

// The exit code of a start ended on purpose at a named step of the upgrade.
constexpr int USCITA_GUASTO = 137;

// The files of an upgrade besides the database and the template.
struct FileAggiornamento {
    QString riempimento; // the copy of the template being filled
    QString nuovo;       // the filled and checked copy, waiting to become the database
    QString copiaBck;    // the database as it was, waiting to become "Dolvera.bck.mdb"
    QString bck;
    QString prev;

    explicit FileAggiornamento(const QString& pathDb)
        : riempimento(pathDb + QStringLiteral("Dolvera0.mdb.riempimento")),
          nuovo(pathDb + QStringLiteral("Dolvera.mdb.nuovo")),
          copiaBck(pathDb + QStringLiteral("Dolvera.bck.mdb.nuovo")),
          bck(pathDb + QStringLiteral("Dolvera.bck.mdb")),
          prev(pathDb + QStringLiteral("Dolvera.prev.bck.mdb")) {}
};

QSqlDatabase connessione() {
    return QSqlDatabase::database(QLatin1String(NOME_CONNESSIONE));
}

void staccaModello() {
    QSqlQuery q(connessione());
    q.exec(QStringLiteral("DETACH DATABASE ") + SCHEMA_MODELLO);
}

// The tests of the upgrade name in DOLVERA_GUASTO a step after which the process ends at
// once, as a kill would, and then check what the next start makes of the files.
void puntoDiGuasto(const char* passo) {
    static const QByteArray guasto = qgetenv("DOLVERA_GUASTO");
    if (!guasto.isEmpty() && guasto == passo)
        _exit(USCITA_GUASTO);
}

// Renames `da` to `a`, replacing `a` in one step when it exists.
void rinomina(const QString& da, const QString& a) {
    if (std::rename(QFile::encodeName(da).constData(), QFile::encodeName(a).constData()) != 0)
        throw Errore(QDir::toNativeSeparators(da) + QStringLiteral(" non può essere rinominato (") +
                     QString::fromLocal8Bit(strerror(errno)) + QStringLiteral(")"));
}

// Removes an unfinished copy with the rollback journal SQLite may have left beside it: a
// journal left in place would be played back into the next file of that name.
void rimuoviCopia(const QString& file) {
    QFile::remove(file + QStringLiteral("-journal"));
    QFile::remove(file);
}
} // namespace

int TdmDati::UpdateDb() {
    const QString routine = QStringLiteral("TdmDati::UpdateDb");
    utLogEnter(routine);
    const FileAggiornamento file(m_percorsi.PathDb);
    if (!QFile::exists(file.nuovo)) {
        // Copies left by a start that ended before the filled copy was complete are never
        // trusted: they are made again.
        rimuoviCopia(file.riempimento);
        QFile::remove(file.copiaBck);
        if (!QFile::exists(m_percorsi.FileDb0)) {
            utLog(routine, QStringLiteral("#1: Non serve aggiornamento database"));
            utLogExit(routine);
            return 0;
        }
        if (!riempiCopiaModello()) {
            utLog(routine, QStringLiteral("#2: Errore esportazione tabelle"));
            utLogExit(routine);
            return -1;
        }
    }

    try {
        scambiaFile();
    } catch (const Errore& e) {
        m_avvisi.errore(QStringLiteral("ERRORE #10: Impossibile rinominare i database (") +
                        e.messaggio() + QStringLiteral(")."));
        utLog(routine, QStringLiteral("#7: Errore aggiornamento database"));
        utLogExit(routine);
        return -1;
    }
    utLog(routine, QStringLiteral("#8: Database aggiornato"));
    utLogExit(routine);
    return 0;
}

// Copies the database to "Dolvera.bck.mdb.nuovo" and the template to a temporary name,
// fills the latter with the nine tables in one transaction, checks it and renames it to
// "Dolvera.mdb.nuovo". On failure both copies are removed, the template and the database
// stay as they were, and the reason has been shown and logged.
bool TdmDati::riempiCopiaModello() {
    const QString routine = QStringLiteral("TdmDati::UpdateDb");
    const FileAggiornamento file(m_percorsi.PathDb);
    const auto fallito = [&](const QString& motivo) {
        const QString testo = QStringLiteral("Impossibile aggiornare il database. Modello ") +
                              QDir::toNativeSeparators(m_percorsi.FileDb0) + QStringLiteral(" (") +
                              motivo + QStringLiteral(").");
        utLogError(routine, 11, testo);
        m_avvisi.errore(testo);
        rimuoviCopia(file.riempimento);
        QFile::remove(file.copiaBck);
        return false;
    };
    QString motivo;
    // The database is not being written: its file is complete and consistent.
    if (!CopiaFileSicura(m_percorsi.FileDb, file.copiaBck, &motivo))
        return fallito(motivo);
    puntoDiGuasto("copia_database");
    if (!CopiaFileSicura(m_percorsi.FileDb0, file.riempimento, &motivo))
        return fallito(motivo);
    try {
        AttaccaDatabase(file.riempimento, SCHEMA_MODELLO);
    } catch (const ErroreDb& e) {
        return fallito(e.messaggio());
    }
    bool esportate = false;
    {
        QSqlDatabase db = connessione();
        esportate = db.transaction();
        for (const QString& tabella : tabelleEsportate()) {
            if (esportate && EsportaTabella0(tabella) != 0)
                esportate = false;
            puntoDiGuasto("esportazione");
        }
        if (esportate)
            esportate = db.commit();
        if (!esportate)
            db.rollback();
    }
    staccaModello();
    puntoDiGuasto("copia_riempita");
    if (!esportate) {
        // EsportaTabella0 has shown and logged the reason.
        rimuoviCopia(file.riempimento);
        QFile::remove(file.copiaBck);
        return false;
    }
    if (!VerificaDatabase(file.riempimento, true, &motivo))
        return fallito(motivo);
    try {
        rinomina(file.riempimento, file.nuovo);
    } catch (const Errore& e) {
        return fallito(e.messaggio());
    }
    puntoDiGuasto("copia_pronta");
    return true;
}

// Puts "Dolvera.mdb.nuovo" in the place of the database, whose copy becomes
// "Dolvera.bck.mdb" while the former backup becomes "Dolvera.prev.bck.mdb". The steps,
// each recognised by the files it leaves:
//   1. the template is removed, so that the upgrade is not started again;
//   2. while "Dolvera.bck.mdb.nuovo" exists, "Dolvera.bck.mdb" is the former backup: it
//      is renamed over "Dolvera.prev.bck.mdb";
//   3. "Dolvera.bck.mdb.nuovo" is renamed to "Dolvera.bck.mdb";
//   4. "Dolvera.mdb.nuovo" is renamed over "Dolvera.mdb".
// A backup is only ever replaced by the one that follows it, never deleted first.
void TdmDati::scambiaFile() {
    const QString routine = QStringLiteral("TdmDati::UpdateDb");
    const FileAggiornamento file(m_percorsi.PathDb);
    // No handle may stay on the file that is replaced.
    ChiudiConnessione();
    if (QFile::exists(m_percorsi.FileDb0)) {
        if (!QFile::remove(m_percorsi.FileDb0))
            throw Errore(QDir::toNativeSeparators(m_percorsi.FileDb0) +
                         QStringLiteral(" non può essere eliminato"));
        puntoDiGuasto("modello_eliminato");
    }
    if (QFile::exists(file.copiaBck)) {
        if (QFile::exists(file.bck)) {
            const bool eliminaPrev = QFile::exists(file.prev);
            rinomina(file.bck, file.prev);
            if (eliminaPrev)
                utLog(routine, QStringLiteral("#3: Eliminato Dolvera.prev.bck.mdb"));
            utLog(routine, QStringLiteral("#4: Rinominato Dolvera.bck.mdb"));
            puntoDiGuasto("copie_ruotate");
        }
        rinomina(file.copiaBck, file.bck);
        puntoDiGuasto("copia_rinominata");
    }
    rinomina(file.nuovo, m_percorsi.FileDb);
    puntoDiGuasto("database_sostituito");
    ApriConnessione(m_percorsi.FileDb);
    utLog(routine, QStringLiteral("#5: File rinominati"));
}

int TdmDati::EsportaTabella0(const QString& tbl) {
    const QString routine = QStringLiteral("TdmDati::EsportaTabella0");
    utLogEnter(routine);
    utLog(routine, QStringLiteral("tbl=\"") + tbl + QStringLiteral("\""));
    try {
        const QString campi = ElencoCampi(tbl);
        Querifica(QStringLiteral("INSERT INTO ") + tbl + QStringLiteral(" ( ") + campi +
                  QStringLiteral(" ) ") + QStringLiteral(" IN Dolvera0.mdb SELECT ") + campi +
                  QStringLiteral(" FROM ") + tbl);
    } catch (const Errore& e) {
        const QString testo = QStringLiteral("Impossibile aggiornare il database. ") +
                              QStringLiteral("Tabella ") + tbl + QStringLiteral(" (") +
                              e.messaggio() + QStringLiteral(").");
        utLogError(routine, 11, testo);
        m_avvisi.errore(testo);
        return -1;
    }
    utLog(routine, QStringLiteral("Esportata tabella ") + tbl);
    utLogExit(routine);
    return 0;
}

QString TdmDati::ElencoCampi(const QString& tbl) {
    DataSet q(QStringLiteral("qryElencoCampi"));
    Recset(QStringLiteral("SELECT TOP 1 * FROM ") + tbl, q);
    QStringList campi;
    for (const QString& campo : q.campi())
        campi << QLatin1Char('[') + campo + QLatin1Char(']');
    q.chiudi();
    return campi.join(QStringLiteral(", "));
}
