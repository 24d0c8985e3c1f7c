#include "ChiusuraAnnuale.h"

#include "AccessoDati.h"
#include "Connessione.h"
#include "CopiaDatabase.h"
#include "ErroreDb.h"
#include "Transazione.h"
#include "Utilitylibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSqlQuery>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <utility>

namespace {
const QString ROUTINE = QStringLiteral("TfrmMain::btnChiudiAnnoClick");
const QString CONNESSIONE_ARCHIVIO = QStringLiteral("ChiusuraArchivio");
const QString CONNESSIONE_LAVORO = QStringLiteral("ChiusuraLavoro");

QString nomeFile(const QString& file) {
    return QDir::toNativeSeparators(file);
}

// Runs a statement on a copy's own connection, logged as the program logs its statements.
void querifica(const QSqlDatabase& db, const QString& sql) {
    const QString pulito = NormalizzaSpazi(sql);
    utLog(QStringLiteral("Querifica { sql=\"") + pulito + QStringLiteral("\" }"), 0);
    QSqlQuery q(db);
    EseguiSql(q, pulito);
}

// A log line that cannot be written does not stop a closing, least of all a finished one.
void scriviLog(const QString& testo) {
    try {
        utLog(ROUTINE, testo);
    } catch (const Errore&) {
    }
}

// A scratch file with what SQLite and the copy may have left beside it: its rollback
// journal and the copy's own temporary file. A stale journal beside a new copy would be
// taken for the copy's and rolled back into it, so none may survive a stopped run.
void rimuoviTemporaneo(const QString& file) {
    for (const QString& f : {file, file + QStringLiteral("-journal"), file + QStringLiteral(".tmp"),
                             file + QStringLiteral(".tmp-journal")})
        QFile::remove(f);
}

// Renames `da` to `a` in one step, never replacing an existing `a` (QFile::rename would
// copy when the rename fails, and a copy can stop half-made). False with errno set.
bool rinominaSenzaSostituire(const QString& da, const QString& a) {
    const QByteArray origine = QFile::encodeName(da);
    const QByteArray destinazione = QFile::encodeName(a);
    if (::renameat2(AT_FDCWD, origine.constData(), AT_FDCWD, destinazione.constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without that rename: the name was found free just before.
    if (QFileInfo::exists(a)) {
        errno = EEXIST;
        return false;
    }
    return std::rename(origine.constData(), destinazione.constData()) == 0;
}

QString erroreSistema() {
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

ChiusuraAnnuale::ChiusuraAnnuale(const Percorsi& percorsi, int anno)
    : m_percorsi(percorsi), m_anno(anno), m_archivio(percorsi.PathDb + nomeArchivio(anno)),
      // Names that no listing of the archives ("Dolvera_anno_*.mdb") and no start-up takes
      // for a database of the program.
      m_archivioTemporaneo(m_archivio + QStringLiteral(".tmp")),
      m_lavoroTemporaneo(percorsi.PathDb + QStringLiteral("temp.mdb")) {}

QString ChiusuraAnnuale::nomeArchivio(int anno) {
    return QStringLiteral("Dolvera_anno_") + QString::number(anno) + QStringLiteral(".mdb");
}

void ChiusuraAnnuale::impostaOsservatore(std::function<void(const QString&)> osservatore) {
    m_osservatore = std::move(osservatore);
}

bool ChiusuraAnnuale::esegui(QString* motivo) {
    QString errore;
    bool archivioCreato = false;
    try {
        // A year closed before, whose documents were entered again: its archive is never
        // overwritten, and nothing changes.
        if (QFileInfo::exists(m_archivio))
            throw Errore(QStringLiteral("l'archivio \"%1\" esiste già.").arg(nomeFile(m_archivio)));
        // The working side takes the stocks of 1 January of the year after: documents of an
        // earlier year left in it (this year's, when the year closed is a future one) would
        // be counted twice.
        const QString precedenti = QStringLiteral("data < ") + utDataSql(QDate(m_anno, 1, 1));
        if (DbValore(QStringLiteral("scarichi_mast"), QStringLiteral("COUNT(*)"), precedenti)
                    .toInt() +
                DbValore(QStringLiteral("carichi_mast"), QStringLiteral("COUNT(*)"), precedenti)
                    .toInt() >
            0)
            throw Errore(QStringLiteral("ci sono documenti di anni precedenti al %1: chiudere "
                                        "prima quegli anni.")
                             .arg(m_anno));
        eliminaFileTemporanei();
        if (!CopiaDatabaseAperto(m_archivioTemporaneo, &errore) ||
            !CopiaDatabaseAperto(m_lavoroTemporaneo, &errore))
            throw Errore(errore);
        passo(QStringLiteral("#1: Copie del database eseguite"));
        preparaCopia(m_archivioTemporaneo, CONNESSIONE_ARCHIVIO, QDate(m_anno, 1, 1),
                     QStringLiteral("<>"));
        passo(QStringLiteral("#2: Archivio preparato"));
        preparaCopia(m_lavoroTemporaneo, CONNESSIONE_LAVORO, QDate(m_anno + 1, 1, 1),
                     QStringLiteral("="));
        passo(QStringLiteral("#3: Nuovo database di lavoro preparato"));
        if (!VerificaDatabase(m_archivioTemporaneo, true, &errore) ||
            !VerificaDatabase(m_lavoroTemporaneo, true, &errore))
            throw Errore(errore);

        // The archive first: stopped after it, the old working file still holds the year,
        // and a new closing of it stops on the archive's name. A journal without its
        // database is only rubbish.
        QFile::remove(m_archivio + QStringLiteral("-journal"));
        if (!rinominaSenzaSostituire(m_archivioTemporaneo, m_archivio))
            throw Errore(QStringLiteral("impossibile creare \"%1\": %2")
                             .arg(nomeFile(m_archivio), erroreSistema()));
        archivioCreato = true;
        passo(QStringLiteral("#4: Creato ") + nomeArchivio(m_anno));

        // The new working file takes the place of the old one in one rename.
        ChiudiConnessione();
        if (std::rename(QFile::encodeName(m_lavoroTemporaneo).constData(),
                        QFile::encodeName(m_percorsi.FileDb).constData()) != 0)
            throw Errore(QStringLiteral("impossibile sostituire \"%1\": %2")
                             .arg(nomeFile(m_percorsi.FileDb), erroreSistema()));
    } catch (const Errore& e) {
        errore = e.messaggio();
        ChiudiConnessione(CONNESSIONE_ARCHIVIO);
        ChiudiConnessione(CONNESSIONE_LAVORO);
        // The old working file still holds the year: an archive made by this run goes.
        if (archivioCreato)
            QFile::remove(m_archivio);
        eliminaFileTemporanei();
        if (!QSqlDatabase::contains(QLatin1String(NOME_CONNESSIONE))) {
            try {
                ApriConnessione(m_percorsi.FileDb);
            } catch (const Errore& riapertura) {
                errore += QLatin1Char(' ') + riapertura.messaggio();
            }
        }
        scriviLog(QStringLiteral("Chiusura non riuscita: ") + errore);
        if (motivo)
            *motivo = errore;
        return false;
    }
    passo(QStringLiteral("#5: Sostituito Dolvera.mdb"));
    return true;
}

void ChiusuraAnnuale::preparaCopia(const QString& file, const QString& connessione,
                                   const QDate& giorno, const QString& confronto) const {
    {
        const QSqlDatabase db = ApriConnessione(file, connessione);
        // The lines of a deleted receipt or distribution go with it through the database's
        // triggers; without them the file would keep lines of documents it no longer has.
        {
            QSqlQuery q(db);
            EseguiSql(q, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = "
                                        "'trigger' AND name IN ('carichi_mast_elimina_righe', "
                                        "'scarichi_mast_elimina_righe')"));
            if (!q.next() || q.value(0).toInt() != 2)
                throw Errore(QStringLiteral("il database non elimina le righe dei documenti "
                                            "eliminati (mancano i suoi trigger)."));
        }
        Transazione transazione(QStringLiteral("chiusura"), db);
        querifica(db, QStringLiteral("UPDATE parametri SET Pivot_giac_data = '") +
                          utTestoData(giorno) + QStringLiteral("'"));
        // Every stock read before the first is written: the view reads articoli.
        QList<std::pair<QString, QString>> giacenze;
        {
            const QString sql = QStringLiteral("SELECT * FROM qry_pivot_giac_alla_data");
            utLog(QStringLiteral("Recset { sql=\"") + sql + QStringLiteral("\" }"), 0);
            QSqlQuery q(db);
            q.setForwardOnly(true);
            EseguiSql(q, sql);
            while (q.next())
                giacenze.append({q.value(QStringLiteral("ID")).toString(),
                                 utNumeroSql(q.value(QStringLiteral("giacza")).toDouble())});
        }
        for (const auto& [id, giacza] : giacenze)
            querifica(db, QStringLiteral(" UPDATE articoli SET giacenza = ") + giacza +
                              QStringLiteral(" WHERE ID = ") + id);
        const QString anno = QString::number(m_anno);
        for (const QString& tabella : {QStringLiteral("scarichi_mast"),
                                       QStringLiteral("carichi_mast"), QStringLiteral("allegati9")})
            querifica(db, QStringLiteral(" DELETE FROM ") + tabella +
                              QStringLiteral(" WHERE YEAR(data) ") + confronto + QLatin1Char(' ') +
                              anno);
        transazione.conferma();
    }
    // Closed, so that the file is complete on disk before it is checked and renamed.
    ChiudiConnessione(connessione);
}

void ChiusuraAnnuale::passo(const QString& testo) const {
    scriviLog(testo);
    if (m_osservatore)
        m_osservatore(testo);
}

void ChiusuraAnnuale::eliminaFileTemporanei() const {
    rimuoviTemporaneo(m_archivioTemporaneo);
    rimuoviTemporaneo(m_lavoroTemporaneo);
}
