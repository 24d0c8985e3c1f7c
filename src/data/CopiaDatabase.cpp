#include "CopiaDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QVariant>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sqlite3.h>

namespace {

QString nomeFile(const QString& file) {
    return QDir::toNativeSeparators(file);
}

void imposta(QString* motivo, const QString& testo) {
    if (motivo)
        *motivo = testo;
}

// The temporary name of a copy on its way to `destinazione`, in the same folder so that
// the final rename never crosses file systems.
QString nomeTemporaneo(const QString& destinazione) {
    return destinazione + QStringLiteral(".tmp");
}

// Renames the complete copy over the target in one step (the target, if any, is replaced
// atomically). False, and the copy removed, on failure.
bool sostituisci(const QString& temporaneo, const QString& destinazione, QString* motivo) {
    if (std::rename(QFile::encodeName(temporaneo).constData(),
                    QFile::encodeName(destinazione).constData()) == 0)
        return true;
    imposta(motivo, QStringLiteral("impossibile scrivere \"%1\": %2")
                        .arg(nomeFile(destinazione), QString::fromLocal8Bit(strerror(errno))));
    QFile::remove(temporaneo);
    return false;
}

sqlite3* handleDi(const QSqlDatabase& db) {
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (v.isValid() && qstrcmp(v.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(v.constData());
    return nullptr;
}

} // namespace

bool CopiaDatabaseAperto(const QString& destinazione, QString* motivo, const QString& connessione) {
    sqlite3* sorgente = handleDi(QSqlDatabase::database(connessione, false));
    if (!sorgente) {
        imposta(motivo, QStringLiteral("il database non è aperto."));
        return false;
    }
    const QString temporaneo = nomeTemporaneo(destinazione);
    QFile::remove(temporaneo);
    sqlite3* copia = nullptr;
    int esito = sqlite3_open_v2(QFile::encodeName(temporaneo).constData(), &copia,
                                SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (esito == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(copia, "main", sorgente, "main");
        if (backup) {
            // The whole database in one step: the program's connection is not written
            // meanwhile, and the copy is consistent with the moment it started.
            sqlite3_backup_step(backup, -1);
            sqlite3_backup_finish(backup);
        }
        esito = sqlite3_errcode(copia);
    }
    const QString errore =
        copia ? QString::fromUtf8(sqlite3_errmsg(copia)) : QStringLiteral("memoria esaurita");
    sqlite3_close(copia);
    if (esito != SQLITE_OK) {
        imposta(motivo, QStringLiteral("impossibile copiare il database in \"%1\": %2")
                            .arg(nomeFile(destinazione), errore));
        QFile::remove(temporaneo);
        return false;
    }
    return sostituisci(temporaneo, destinazione, motivo);
}

bool CopiaFileSicura(const QString& sorgente, const QString& destinazione, QString* motivo) {
    const QString temporaneo = nomeTemporaneo(destinazione);
    QFile::remove(temporaneo);
    QFile origine(sorgente);
    if (!origine.copy(temporaneo)) {
        imposta(motivo,
                QStringLiteral("impossibile copiare \"%1\" in \"%2\": %3")
                    .arg(nomeFile(sorgente), nomeFile(destinazione), origine.errorString()));
        QFile::remove(temporaneo);
        return false;
    }
    return sostituisci(temporaneo, destinazione, motivo);
}

bool VerificaDatabase(const QString& file, bool tabelleProgramma, QString* motivo, bool rapida) {
    if (!QFileInfo(file).isFile()) {
        imposta(motivo, QStringLiteral("\"%1\" non esiste.").arg(nomeFile(file)));
        return false;
    }
    sqlite3* db = nullptr;
    QString errore;
    int esito =
        sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    auto interroga = [&](const char* sql, const std::function<bool(sqlite3_stmt*)>& riga) {
        sqlite3_stmt* istruzione = nullptr;
        esito = sqlite3_prepare_v2(db, sql, -1, &istruzione, nullptr);
        while (esito == SQLITE_OK) {
            const int passo = sqlite3_step(istruzione);
            if (passo == SQLITE_DONE)
                break;
            if (passo != SQLITE_ROW) {
                esito = passo;
                break;
            }
            if (!riga(istruzione))
                break;
        }
        // The text of a failed check is kept: it tells what is damaged.
        if (esito != SQLITE_OK && errore.isEmpty())
            errore = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(istruzione);
    };
    if (esito == SQLITE_OK) {
        interroga(rapida ? "PRAGMA quick_check" : "PRAGMA integrity_check", [&](sqlite3_stmt* s) {
            const QString testo =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
            if (testo != QLatin1String("ok")) {
                errore = testo;
                esito = SQLITE_CORRUPT;
            }
            return false;
        });
    } else {
        errore = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("memoria esaurita");
    }
    if (esito == SQLITE_OK && tabelleProgramma) {
        int trovate = 0;
        interroga("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                  "('articoli', 'scarichi_mast', 'carichi_mast', 'parametri')",
                  [&](sqlite3_stmt* s) {
                      trovate = sqlite3_column_int(s, 0);
                      return false;
                  });
        if (esito == SQLITE_OK && trovate != 4) {
            errore = QStringLiteral("non contiene le tabelle di Dolvera");
            esito = SQLITE_NOTADB;
        }
    }
    sqlite3_close(db);
    if (esito == SQLITE_OK)
        return true;
    imposta(motivo, QStringLiteral("\"%1\" è danneggiato o non è un database di Dolvera (%2).")
                        .arg(nomeFile(file), errore));
    return false;
}
