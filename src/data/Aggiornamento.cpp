// The upgrade of the working database from the template a new release ships: the rows of
// the nine user tables are copied into the template, then the two files are exchanged,
// keeping two generations of backups.

#include "Datamodule.h"

#include "Utilitylibrary.h"

#include <QFile>
#include <QSqlQuery>

namespace {
const QString SCHEMA_MODELLO = QStringLiteral("Dolvera0");

QSqlDatabase connessione() {
    return QSqlDatabase::database(QLatin1String(NOME_CONNESSIONE));
}

// Attaches the template file to the connection as the schema the export statements name.
void attaccaModello(const QString& fileDb0) {
    QSqlQuery q(connessione());
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS ") + SCHEMA_MODELLO);
    q.addBindValue(fileDb0);
    if (!q.exec())
        throw ErroreDb(q.lastError());
}

void staccaModello() {
    QSqlQuery q(connessione());
    q.exec(QStringLiteral("DETACH DATABASE ") + SCHEMA_MODELLO);
}
} // namespace

int TdmDati::UpdateDb() {
    const QString routine = QStringLiteral("TdmDati::UpdateDb");
    utLogEnter(routine);
    if (!QFile::exists(m_percorsi.FileDb0)) {
        utLog(routine, QStringLiteral("#1: Non serve aggiornamento database"));
        utLogExit(routine);
        return 0;
    }

    // The nine tables go into the template in one transaction: a failure rolls every copy
    // back, so both files stay as they were and the next start can try again.
    try {
        attaccaModello(m_percorsi.FileDb0);
    } catch (const ErroreDb& e) {
        const QString testo = QStringLiteral("Impossibile aggiornare il database. Modello ") +
                              m_percorsi.FileDb0 + QStringLiteral(" (") + e.messaggio() +
                              QStringLiteral(").");
        utLogError(routine, 11, testo);
        m_avvisi.errore(testo);
        utLog(routine, QStringLiteral("#2: Errore esportazione tabelle"));
        utLogExit(routine);
        return -1;
    }
    bool esportate = false;
    {
        // Scoped: the file exchange below closes the connection, which no handle may outlive.
        QSqlDatabase db = connessione();
        esportate = db.transaction();
        for (const QString& tabella : tabelleEsportate()) {
            if (esportate && EsportaTabella0(tabella) != 0)
                esportate = false;
        }
        if (esportate)
            esportate = db.commit();
        if (!esportate)
            db.rollback();
    }
    staccaModello();
    if (!esportate) {
        utLog(routine, QStringLiteral("#2: Errore esportazione tabelle"));
        utLogExit(routine);
        return -1;
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

void TdmDati::scambiaFile() {
    const QString routine = QStringLiteral("TdmDati::UpdateDb");
    const QString prev = m_percorsi.PathDb + QStringLiteral("Dolvera.prev.bck.mdb");
    const QString bck = m_percorsi.PathDb + QStringLiteral("Dolvera.bck.mdb");
    if (QFile::exists(prev)) {
        QFile::remove(prev);
        utLog(routine, QStringLiteral("#3: Eliminato Dolvera.prev.bck.mdb"));
    }
    if (QFile::exists(bck)) {
        QFile::rename(bck, prev);
        utLog(routine, QStringLiteral("#4: Rinominato Dolvera.bck.mdb"));
    }
    ChiudiConnessione();
    // Unlike the backup rotation above, these two renames decide which file the program
    // opens: a failure must not pass for an upgrade.
    if (!QFile::rename(m_percorsi.FileDb, bck)) {
        ApriConnessione(m_percorsi.FileDb);
        svuotaModello();
        throw Errore(m_percorsi.FileDb + QStringLiteral(" non può essere rinominato"));
    }
    if (!QFile::rename(m_percorsi.FileDb0, m_percorsi.FileDb)) {
        QFile::rename(bck, m_percorsi.FileDb);
        ApriConnessione(m_percorsi.FileDb);
        svuotaModello();
        throw Errore(m_percorsi.FileDb0 + QStringLiteral(" non può essere rinominato"));
    }
    ApriConnessione(m_percorsi.FileDb);
    utLog(routine, QStringLiteral("#5: File rinominati"));
}

// After an exchange that failed, takes the copied rows out of the template again, so that
// the next start finds it as shipped and can repeat the upgrade.
void TdmDati::svuotaModello() {
    attaccaModello(m_percorsi.FileDb0);
    QSqlDatabase db = connessione();
    db.transaction();
    {
        QSqlQuery q(db);
        for (const QString& tabella : tabelleEsportate())
            q.exec(QStringLiteral("DELETE FROM ") + SCHEMA_MODELLO + QLatin1Char('.') + tabella);
    }
    db.commit();
    staccaModello();
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
