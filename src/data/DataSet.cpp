#include "DataSet.h"

#include "AccessoDati.h"
#include "Connessione.h"
#include "ErroreDb.h"
#include "Formati.h"

#include <QHash>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace {

// The kind of a column, from its declared type. Libero: an expression of a query, with
// no declared type; its values stay as the engine gives them.
enum class Tipo { Testo, Intero, Reale, Data, Booleano, Libero };

Tipo tipoDaDichiarato(const char* dichiarato) {
    if (!dichiarato || !*dichiarato)
        return Tipo::Libero;
    const QString t = QString::fromUtf8(dichiarato).toUpper();
    if (t.contains(QLatin1String("DATE")) || t.contains(QLatin1String("TIME")))
        return Tipo::Data;
    if (t.contains(QLatin1String("BOOL")))
        return Tipo::Booleano;
    if (t.contains(QLatin1String("INT")))
        return Tipo::Intero;
    for (const char* reale : {"REAL", "FLOA", "DOUB", "NUMERIC", "DECIMAL"}) {
        if (t.contains(QLatin1String(reale)))
            return Tipo::Reale;
    }
    return Tipo::Testo;
}

using Riga = QList<QVariant>;

struct Colonna {
    QString nome;
    Tipo tipo = Tipo::Libero;
    // A column of the table itself that registra() writes (not the ID, not a lookup).
    bool scrivibile = false;
};

struct Lookup {
    QString nome, chiave, tabella, colonna;
};

struct TermineOrdine {
    int colonna;
    bool discendente;
    bool senzaMaiuscole; // COLLATE NOCASE
};

QString quota(const QString& identificatore) {
    QString s = identificatore;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

bool nullo(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

int cifre(const QString& s, int da, int n) {
    int valore = 0;
    for (int i = da; i < da + n; ++i) {
        const char16_t c = s.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        valore = valore * 10 + (c - u'0');
    }
    return valore;
}

// A stored date: 'YYYY-MM-DD' gives a QDate, 'YYYY-MM-DD HH:MM[:SS]' a QDateTime. Any other
// text stays as it is, so that nothing stored is lost.
QVariant dataDaIso(const QString& s) {
    if (s.size() < 10 || s.at(4) != QLatin1Char('-') || s.at(7) != QLatin1Char('-'))
        return s;
    const QDate data(cifre(s, 0, 4), cifre(s, 5, 2), cifre(s, 8, 2));
    if (!data.isValid())
        return s;
    if (s.size() == 10)
        return data;
    if (s.size() >= 16 && (s.at(10) == QLatin1Char(' ') || s.at(10) == QLatin1Char('T')) &&
        s.at(13) == QLatin1Char(':')) {
        const bool secondi = s.size() >= 19 && s.at(16) == QLatin1Char(':');
        const QTime ora(cifre(s, 11, 2), cifre(s, 14, 2), secondi ? cifre(s, 17, 2) : 0);
        if (ora.isValid())
            return QDateTime(data, ora);
    }
    return s;
}

// A typed value as the database stores it: dates as ISO text, booleans as 0 and 1.
QVariant aDatabase(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool:
        return v.toBool() ? 1 : 0;
    default:
        return v;
    }
}

bool numerico(int id) {
    return id == QMetaType::Int || id == QMetaType::UInt || id == QMetaType::LongLong ||
           id == QMetaType::ULongLong || id == QMetaType::Double || id == QMetaType::Float;
}

// A value given by the program or typed by the user, converted to the column's type. Text
// is read in the Italian formats; empty text in a column that is not text is null.
std::optional<QVariant> converti(const QVariant& v, Tipo tipo) {
    if (nullo(v))
        return QVariant();
    const int id = v.typeId();
    const bool testo = id == QMetaType::QString;
    const QString s = testo ? v.toString().trimmed() : QString();
    if (testo && s.isEmpty() && tipo != Tipo::Testo && tipo != Tipo::Libero)
        return QVariant();
    bool ok = true;
    switch (tipo) {
    case Tipo::Testo:
        return testo ? v : QVariant(TestoValore(v));
    case Tipo::Libero:
        return v;
    case Tipo::Intero: {
        if (id == QMetaType::Bool)
            return QVariant(v.toBool() ? 1 : 0);
        const double x = testo ? utNumeroDaTesto(s, &ok) : v.toDouble(&ok);
        if (!ok || x != double(int(x)) || (!testo && !numerico(id)))
            return std::nullopt;
        return QVariant(int(x));
    }
    case Tipo::Reale: {
        if (id == QMetaType::Bool)
            return QVariant(v.toBool() ? 1.0 : 0.0);
        const double x = testo ? utNumeroDaTesto(s, &ok) : v.toDouble(&ok);
        if (!ok || (!testo && !numerico(id)))
            return std::nullopt;
        return QVariant(x);
    }
    case Tipo::Booleano: {
        if (id == QMetaType::Bool)
            return v;
        if (numerico(id))
            return QVariant(v.toDouble() != 0);
        const QString p = s.toLower();
        if (p == QLatin1String("true") || p == QLatin1String("1") || p == QLatin1String("-1"))
            return QVariant(true);
        if (p == QLatin1String("false") || p == QLatin1String("0"))
            return QVariant(false);
        return std::nullopt;
    }
    case Tipo::Data: {
        if (id == QMetaType::QDate || id == QMetaType::QDateTime)
            return v;
        if (!testo)
            return std::nullopt;
        const QDateTime dt = utDataOraDaTesto(s);
        if (dt.isValid())
            return s.contains(QLatin1Char(':')) ? QVariant(dt) : QVariant(dt.date());
        const QVariant iso = dataDaIso(s);
        if (iso.typeId() == QMetaType::QString)
            return std::nullopt;
        return iso;
    }
    }
    return std::nullopt;
}

// ---- the order of the rows, as SQLite sorts them ----------------------------------------

// SQLite sorts null first, then numbers, then text, then blobs.
int classeOrdine(const QVariant& v) {
    if (nullo(v))
        return 0;
    const int id = v.typeId();
    if (id == QMetaType::Bool || numerico(id))
        return 1;
    return id == QMetaType::QByteArray ? 3 : 2;
}

// Compares UTF-8 texts byte by byte as the collations BINARY and NOCASE do (NOCASE folds
// the ASCII letters only).
int confrontaTesti(const QByteArray& a, const QByteArray& b, bool senzaMaiuscole) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a.at(i));
        unsigned char y = static_cast<unsigned char>(b.at(i));
        if (senzaMaiuscole) {
            if (x >= 'A' && x <= 'Z')
                x += 'a' - 'A';
            if (y >= 'A' && y <= 'Z')
                y += 'a' - 'A';
        }
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int confrontaValori(const QVariant& a, const QVariant& b, bool senzaMaiuscole) {
    const int ca = classeOrdine(a);
    const int cb = classeOrdine(b);
    if (ca != cb)
        return ca < cb ? -1 : 1;
    switch (ca) {
    case 0:
        return 0;
    case 1: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    case 3:
        return confrontaTesti(a.toByteArray(), b.toByteArray(), false);
    default:
        // Dates compare as the ISO text they are stored as.
        return confrontaTesti(aDatabase(a).toString().toUtf8(), aDatabase(b).toString().toUtf8(),
                              senzaMaiuscole);
    }
}

bool uguali(const QVariant& a, const QVariant& b) {
    if (nullo(a) || nullo(b))
        return nullo(a) && nullo(b);
    return a == b;
}

// ---- statements ---------------------------------------------------------------------------

QSqlQuery prepara(const QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw ErroreDb(q.lastError());
    return q;
}

void esegui(QSqlQuery& q) {
    if (!q.exec())
        throw ErroreDb(q.lastError());
}

// A SELECT run directly on the connection's SQLite handle. The rows of a data set are
// read through it: Qt's driver converts every text to UTF-16 inside SQLite and keeps each
// row as a list of QVariants that are copied out again, which costs more than the query
// itself on large tables. It also gives the declared column types, which Qt does not.
class Lettura {
public:
    Lettura(const QSqlDatabase& db, const QString& sql) {
        const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
        if (h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0)
            m_db = *static_cast<sqlite3* const*>(h.constData());
        if (!m_db)
            throw ErroreDb(QStringLiteral("La connessione non è un database SQLite aperto."),
                           QString::number(SQLITE_MISUSE));
        const QByteArray testo = sql.toUtf8();
        if (sqlite3_prepare_v2(m_db, testo.constData(), int(testo.size()), &m_st, nullptr) !=
            SQLITE_OK)
            errore();
    }
    ~Lettura() { sqlite3_finalize(m_st); }
    Lettura(const Lettura&) = delete;
    Lettura& operator=(const Lettura&) = delete;

    // Binds the next placeholder, the value converted as the database stores it.
    void lega(const QVariant& valore) {
        const QVariant v = aDatabase(valore);
        const int i = ++m_legati;
        int rc;
        if (nullo(v)) {
            rc = sqlite3_bind_null(m_st, i);
        } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            rc = sqlite3_bind_double(m_st, i, v.toDouble());
        } else if (numerico(v.typeId())) {
            rc = sqlite3_bind_int64(m_st, i, v.toLongLong());
        } else {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text(m_st, i, t.constData(), int(t.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            errore();
    }

    int colonne() const { return sqlite3_column_count(m_st); }
    QString nome(int i) const { return QString::fromUtf8(sqlite3_column_name(m_st, i)); }
    Tipo tipo(int i) const { return tipoDaDichiarato(sqlite3_column_decltype(m_st, i)); }

    // The next row; false after the last one.
    bool passo() {
        const int rc = sqlite3_step(m_st);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            errore();
        return false;
    }

    // A value of the current row, typed by its column.
    QVariant valore(int i, Tipo tipo) const {
        switch (sqlite3_column_type(m_st, i)) {
        case SQLITE_INTEGER: {
            const qint64 n = sqlite3_column_int64(m_st, i);
            if (tipo == Tipo::Booleano)
                return QVariant(n != 0);
            if (tipo == Tipo::Reale)
                return QVariant(double(n));
            if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
                return QVariant(int(n));
            return QVariant(qlonglong(n));
        }
        case SQLITE_FLOAT: {
            const double x = sqlite3_column_double(m_st, i);
            return tipo == Tipo::Booleano ? QVariant(x != 0) : QVariant(x);
        }
        case SQLITE_TEXT: {
            QString s =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_st, i)),
                                  sqlite3_column_bytes(m_st, i));
            return tipo == Tipo::Data ? dataDaIso(s) : QVariant(std::move(s));
        }
        case SQLITE_BLOB:
            return QByteArray(static_cast<const char*>(sqlite3_column_blob(m_st, i)),
                              sqlite3_column_bytes(m_st, i));
        default:
            return {};
        }
    }

private:
    [[noreturn]] void errore() const {
        throw ErroreDb(QString::fromUtf8(sqlite3_errmsg(m_db)),
                       QString::number(sqlite3_errcode(m_db)));
    }
    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_st = nullptr;
    int m_legati = 0;
};

// A savepoint around the statements of one registra(): rolled back unless confirmed, so
// that a failure leaves the database as it was. It nests inside a caller's transaction.
class PuntoSalvataggio {
public:
    explicit PuntoSalvataggio(const QSqlDatabase& db) : m_db(db) {
        esegui(QStringLiteral("SAVEPOINT dataset_registra"));
    }
    ~PuntoSalvataggio() {
        if (m_aperto) {
            QSqlQuery q(m_db);
            q.exec(QStringLiteral("ROLLBACK TO dataset_registra"));
            q.exec(QStringLiteral("RELEASE dataset_registra"));
        }
    }
    PuntoSalvataggio(const PuntoSalvataggio&) = delete;
    PuntoSalvataggio& operator=(const PuntoSalvataggio&) = delete;
    void conferma() {
        esegui(QStringLiteral("RELEASE dataset_registra"));
        m_aperto = false;
    }

private:
    void esegui(const QString& sql) {
        QSqlQuery q(m_db);
        if (!q.exec(sql))
            throw ErroreDb(q.lastError());
    }
    QSqlDatabase m_db;
    bool m_aperto = true;
};

// What one read of the data set learns: the columns, how to read a single row again, and
// the rows.
struct Caricamento {
    QList<Colonna> colonne;
    QHash<QString, int> indici; // lower-case name -> column
    int colId = -1;
    bool modificabile = false;
    QList<TermineOrdine> ordinamento;
    Riga predefiniti;
    QString base;          // the table, or the query between parentheses
    QString where;         // the condition and the master link, without "WHERE"
    QString select;        // the SELECT of the rows, without ORDER BY
    QStringList colLookup; // "l0.\"descr\" AS \"luUm\"" ...
    QString joinLookup;    // " LEFT JOIN \"lstUm\" l0 ON l0.\"ID\" = t.\"um_id\"" ...
    bool legato = false;
    QVariant valoreMaster;
    std::vector<Riga> righe;
};

} // namespace

// ------------------------------------------------------------------------------------------

struct DataSet::Privato {
    explicit Privato(DataSet* ds) : q(ds) {}

    DataSet* q;
    // definition
    QString connessione = QLatin1String(NOME_CONNESSIONE);
    QString tabella, sql, ordine, condizione;
    Predicato predicato;
    bool filtrato = false;
    QPointer<DataSet> master;
    QString campoDettaglio, campoMaster;
    QList<QPointer<DataSet>> dettagli;
    QList<Lookup> lookups;

    // what the last read gave
    Stato stato = Stato::Chiuso;
    Caricamento c;
    // Loaded rows in order and, in order, the indexes of the rows shown.
    std::vector<int> visibili;
    int corrente = -1; // index into visibili
    bool oltreFine = false;

    // the edit buffer
    Riga buffer;
    std::vector<bool> impostati;
    int rigaPrimaInserimento = -1;
    // While the predicate runs, valore(riga, ...) takes loaded rows, not shown ones.
    bool valutando = false;

    bool inModifica() const { return stato == Stato::Modifica || stato == Stato::Inserimento; }
    int conteggio() const { return int(visibili.size()); }

    QSqlDatabase database() const {
        QSqlDatabase db = QSqlDatabase::database(connessione, false);
        if (!db.isOpen())
            throw ErroreDb(QStringLiteral("La connessione %1 non è aperta.").arg(connessione),
                           QString());
        return db;
    }

    int colonnaNota(const QString& campo) const {
        const int i = c.indici.value(campo.toLower(), -1);
        if (i < 0)
            throw Errore(
                QStringLiteral("Il data set %1 non ha il campo %2.").arg(q->m_nome, campo));
        return i;
    }

    const QVariant& cella(int visibile, int colonna) const {
        if (inModifica() && visibile == corrente)
            return buffer.at(colonna);
        return c.righe[visibili[visibile]].at(colonna);
    }

    // ---- composing the SELECT ----

    int indiceLookup(const QString& nome) const {
        for (int i = 0; i < lookups.size(); ++i) {
            if (lookups[i].nome.compare(nome, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    // Each lookup reads its column from a LEFT JOIN on the looked-up table's ID, keyed on a
    // column of the source t or, for a chained lookup, on the column another lookup reads.
    // Lookups with the same table and key share one join (an article's description, unit
    // and AGEA flag are read through one join). Joins on the primary key cost a fraction
    // of correlated subqueries on large tables.
    void componiLookup(Caricamento& k) const {
        QStringList chiaviJoin;
        std::function<QString(int, int)> alias = [&](int i, int profondita) -> QString {
            if (profondita > lookups.size())
                throw Errore(
                    QStringLiteral("I campi di consultazione di %1 si richiamano in cerchio.")
                        .arg(q->m_nome));
            const Lookup& l = lookups[i];
            const int j = indiceLookup(l.chiave);
            const QString chiave =
                j >= 0 ? alias(j, profondita + 1) + QLatin1Char('.') + quota(lookups[j].colonna)
                       : QStringLiteral("t.") + quota(l.chiave);
            const QString chiaveJoin = l.tabella.toLower() + QLatin1Char('\n') + chiave;
            qsizetype n = chiaviJoin.indexOf(chiaveJoin);
            if (n < 0) {
                n = chiaviJoin.size();
                chiaviJoin << chiaveJoin;
                const QString a = QStringLiteral("l") + QString::number(n);
                k.joinLookup += QStringLiteral(" LEFT JOIN %1 %2 ON %2.\"ID\" = %3")
                                    .arg(quota(l.tabella), a, chiave);
            }
            return QStringLiteral("l") + QString::number(n);
        };
        for (int i = 0; i < lookups.size(); ++i)
            k.colLookup << alias(i, 0) + QLatin1Char('.') + quota(lookups[i].colonna) +
                               QStringLiteral(" AS ") + quota(lookups[i].nome);
    }

    // The column of the source that a lookup (through its chain) is keyed on.
    QString radiceLookup(int i) const {
        for (int passi = 0; passi <= lookups.size(); ++passi) {
            const int j = indiceLookup(lookups[i].chiave);
            if (j < 0)
                return lookups[i].chiave;
            i = j;
        }
        return {};
    }

    // The SELECT of the rows of the source that satisfy `where`, with the lookups. The
    // condition runs on the source alone, so its names never clash with a lookup's table.
    static QString componiSelect(const Caricamento& k, const QString& where) {
        const QString sorgente = where.isEmpty()
                                     ? k.base
                                     : QStringLiteral("(SELECT * FROM ") + k.base +
                                           QStringLiteral(" WHERE ") + where + QLatin1Char(')');
        QString s = QStringLiteral("SELECT t.*");
        for (const QString& col : k.colLookup)
            s += QStringLiteral(", ") + col;
        return s + QStringLiteral(" FROM ") + sorgente + QStringLiteral(" t") + k.joinLookup;
    }

    QVariant valoreMasterCorrente() const {
        if (!master || master->riga() < 0 || master->indiceCampo(campoMaster) < 0)
            return {};
        return master->valore(campoMaster);
    }

    static void leggiColonne(const Lettura& lettura, Caricamento& k) {
        for (int i = 0; i < lettura.colonne(); ++i) {
            Colonna col;
            col.nome = lettura.nome(i);
            col.tipo = lettura.tipo(i);
            if (!k.indici.contains(col.nome.toLower()))
                k.indici.insert(col.nome.toLower(), int(k.colonne.size()));
            k.colonne.append(col);
        }
    }

    // The table's own columns (writable unless they are the key) and the schema's defaults.
    void leggiTabella(const QSqlDatabase& db, Caricamento& k) const {
        Lettura info(db, QStringLiteral("PRAGMA table_info(%1)").arg(quota(tabella)));
        QStringList espressioni;
        QList<int> conDefault;
        bool chiaveId = false;
        while (info.passo()) {
            const int i = k.indici.value(info.valore(1, Tipo::Testo).toString().toLower(), -1);
            if (i < 0)
                continue;
            if (info.valore(5, Tipo::Intero).toInt() > 0) {
                chiaveId = i == k.colId && k.colonne[i].tipo == Tipo::Intero;
                continue;
            }
            k.colonne[i].scrivibile = true;
            const QVariant predefinito = info.valore(4, Tipo::Testo);
            if (!nullo(predefinito)) {
                espressioni << predefinito.toString();
                conDefault << i;
            }
        }
        k.modificabile = chiaveId;
        if (!k.modificabile) {
            for (Colonna& col : k.colonne)
                col.scrivibile = false;
        }
        k.predefiniti = Riga(k.colonne.size());
        if (espressioni.isEmpty())
            return;
        Lettura def(db, QStringLiteral("SELECT ") + espressioni.join(QStringLiteral(", ")));
        def.passo();
        for (int j = 0; j < conDefault.size(); ++j) {
            const int i = conDefault[j];
            const QVariant v = def.valore(j, k.colonne[i].tipo);
            k.predefiniti[i] = converti(v, k.colonne[i].tipo).value_or(v);
        }
    }

    QList<TermineOrdine> leggiOrdine(const Caricamento& k) const {
        QList<TermineOrdine> termini;
        for (const QString& parte : ordine.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList parole = parte.simplified().split(QLatin1Char(' '));
            QString nome = parole.value(0);
            if (nome.startsWith(QLatin1Char('[')) && nome.endsWith(QLatin1Char(']')))
                nome = nome.mid(1, nome.size() - 2);
            const int i = k.indici.value(nome.toLower(), -1);
            const QString verso = parole.value(1).toUpper();
            if (i < 0 || parole.size() > 2 ||
                (parole.size() == 2 && verso != QLatin1String("ASC") &&
                 verso != QLatin1String("DESC")))
                throw Errore(
                    QStringLiteral("L'ordine \"%1\" di %2 non è valido.").arg(ordine, q->m_nome));
            const Tipo t = k.colonne[i].tipo;
            termini.append(
                {i, verso == QLatin1String("DESC"), t == Tipo::Testo || t == Tipo::Libero});
        }
        return termini;
    }

    // Reads the data set with the master link value `valoreM`. Changes nothing here:
    // the caller applies the result.
    Caricamento carica(const QVariant& valoreM) const {
        const QSqlDatabase db = database();
        const bool tabellare = !tabella.isEmpty();
        if (!tabellare && sql.trimmed().isEmpty())
            throw Errore(
                QStringLiteral("Il data set %1 non ha né tabella né query.").arg(q->m_nome));
        Caricamento k;
        k.legato = !master.isNull();
        k.valoreMaster = valoreM;

        QString testo;
        if (!tabellare) {
            testo = TraduciSql(sql).trimmed();
            while (testo.endsWith(QLatin1Char(';')))
                testo.chop(1);
        }
        k.base = tabellare ? quota(tabella) : QStringLiteral("(") + testo + QStringLiteral(")");
        QStringList condizioni;
        if (!condizione.trimmed().isEmpty())
            condizioni << QStringLiteral("(") + TraduciSql(condizione) + QStringLiteral(")");
        if (k.legato)
            condizioni << quota(campoDettaglio) + QStringLiteral(" = ?");
        k.where = condizioni.join(QStringLiteral(" AND "));
        componiLookup(k);
        const bool avvolta =
            tabellare || !ordine.trimmed().isEmpty() || !k.where.isEmpty() || !lookups.isEmpty();
        k.select = avvolta ? componiSelect(k, k.where) : testo;

        leggiColonne(Lettura(db, k.select), k);
        k.colId = k.indici.value(QStringLiteral("id"), -1);
        if (tabellare)
            leggiTabella(db, k);
        k.ordinamento = leggiOrdine(k);

        // Columns of the source are named through t, lookups by their own name.
        const int colonneSorgente = int(k.colonne.size() - k.colLookup.size());
        const auto nomeOrdine = [&](int i) {
            return (i < colonneSorgente ? QStringLiteral("t.") : QString()) +
                   quota(k.colonne[i].nome);
        };
        QString completa = k.select;
        QStringList termini;
        for (const TermineOrdine& t : std::as_const(k.ordinamento))
            termini << nomeOrdine(t.colonna) +
                           (t.senzaMaiuscole ? QStringLiteral(" COLLATE NOCASE") : QString()) +
                           (t.discendente ? QStringLiteral(" DESC") : QString());
        // The ID decides between equal keys, so that a registered row has one place.
        if (tabellare && k.colId >= 0)
            termini << nomeOrdine(k.colId);
        if (!termini.isEmpty())
            completa += QStringLiteral(" ORDER BY ") + termini.join(QStringLiteral(", "));

        Lettura lettura(db, completa);
        if (k.legato)
            lettura.lega(valoreM);
        k.righe.reserve(std::max<size_t>(c.righe.size(), 64));
        leggiRighe(lettura, k);
        return k;
    }

    static void leggiRighe(Lettura& lettura, Caricamento& k) {
        const int n = int(k.colonne.size());
        std::vector<Tipo> tipi;
        tipi.reserve(n);
        for (const Colonna& col : std::as_const(k.colonne))
            tipi.push_back(col.tipo);
        while (lettura.passo()) {
            Riga r(n);
            QVariant* valori = r.data();
            for (int i = 0; i < n; ++i)
                valori[i] = lettura.valore(i, tipi[i]);
            k.righe.push_back(std::move(r));
        }
    }

    // The row with `id` read again, with its lookups; none when it no longer belongs to the
    // data set (deleted, or outside its condition or master link).
    std::optional<Riga> leggiRiga(const QSqlDatabase& db, const QVariant& id) const {
        QString where = quota(c.colonne[c.colId].nome) + QStringLiteral(" = ?");
        if (!c.where.isEmpty())
            where = QStringLiteral("(") + c.where + QStringLiteral(") AND ") + where;
        Lettura lettura(db, componiSelect(c, where));
        if (c.legato)
            lettura.lega(c.valoreMaster);
        lettura.lega(id);
        Caricamento k;
        k.colonne = c.colonne;
        leggiRighe(lettura, k);
        if (k.righe.empty())
            return std::nullopt;
        return std::move(k.righe.front());
    }

    // Fills the lookup columns of `r` from its key columns; only when `cambiata` is the
    // root of some lookup (or -1: all of them).
    void aggiornaLookup(Riga& r, int cambiata) const {
        QStringList radici;
        bool serve = false;
        for (int i = 0; i < lookups.size(); ++i) {
            const QString radice = radiceLookup(i);
            if (!radici.contains(radice, Qt::CaseInsensitive))
                radici << radice;
            serve = serve || cambiata < 0 ||
                    radice.compare(c.colonne[cambiata].nome, Qt::CaseInsensitive) == 0;
        }
        if (!serve)
            return;
        QStringList valori;
        for (const QString& radice : std::as_const(radici))
            valori << QStringLiteral("? AS ") + quota(radice);
        Lettura lettura(database(),
                        QStringLiteral("SELECT ") + c.colLookup.join(QStringLiteral(", ")) +
                            QStringLiteral(" FROM (SELECT ") + valori.join(QStringLiteral(", ")) +
                            QStringLiteral(") t") + c.joinLookup);
        for (const QString& radice : std::as_const(radici)) {
            const int i = c.indici.value(radice.toLower(), -1);
            lettura.lega(i >= 0 ? r.at(i) : QVariant());
        }
        lettura.passo();
        for (int i = 0; i < lookups.size(); ++i) {
            const int col = c.indici.value(lookups[i].nome.toLower());
            r[col] = lettura.valore(i, c.colonne[col].tipo);
        }
    }

    // ---- rows shown ----

    bool passaFiltro(int caricata) {
        if (!filtrato || !predicato)
            return true;
        valutando = true;
        struct Fine {
            bool& v;
            ~Fine() { v = false; }
        } fine{valutando};
        return predicato(*q, caricata);
    }

    void ricalcolaVisibili() {
        visibili.clear();
        std::vector<int> nuovi;
        nuovi.reserve(c.righe.size());
        for (int i = 0; i < int(c.righe.size()); ++i) {
            if (passaFiltro(i))
                nuovi.push_back(i);
        }
        visibili = std::move(nuovi);
    }

    int visibileDi(int caricata) const {
        const auto it = std::lower_bound(visibili.begin(), visibili.end(), caricata);
        return it != visibili.end() && *it == caricata ? int(it - visibili.begin()) : -1;
    }

    int limitata(int riga) const {
        return visibili.empty() ? -1 : std::clamp(riga, 0, conteggio() - 1);
    }

    // Removes loaded row `l`, telling the views when it was shown.
    Riga rimuoviCaricata(int l) {
        const auto it = std::lower_bound(visibili.begin(), visibili.end(), l);
        const int v = int(it - visibili.begin());
        const bool mostrata = it != visibili.end() && *it == l;
        if (mostrata) {
            q->beginRemoveRows({}, v, v);
            visibili.erase(it);
        }
        for (auto i = visibili.begin() + v; i != visibili.end(); ++i)
            --*i;
        Riga r = std::move(c.righe[l]);
        c.righe.erase(c.righe.begin() + l);
        if (mostrata)
            q->endRemoveRows();
        return r;
    }

    // Inserts a loaded row at `l`; returns its shown index, -1 when it is not shown.
    int inserisciCaricata(int l, Riga r, bool mostrata) {
        const int v = int(std::lower_bound(visibili.begin(), visibili.end(), l) - visibili.begin());
        if (mostrata)
            q->beginInsertRows({}, v, v);
        c.righe.insert(c.righe.begin() + l, std::move(r));
        for (auto i = visibili.begin() + v; i != visibili.end(); ++i)
            ++*i;
        if (!mostrata)
            return -1;
        visibili.insert(visibili.begin() + v, l);
        q->endInsertRows();
        return v;
    }

    int confrontaRighe(const Riga& a, const Riga& b) const {
        for (const TermineOrdine& t : c.ordinamento) {
            const int r = confrontaValori(a.at(t.colonna), b.at(t.colonna), t.senzaMaiuscole);
            if (r != 0)
                return t.discendente ? -r : r;
        }
        return c.colId >= 0 ? confrontaValori(a.at(c.colId), b.at(c.colId), false) : 0;
    }

    // Where loaded row `l` belongs among the other loaded rows (positions counted
    // without it), after the rows that sort equal.
    int posizioneOrdinata(int l) const {
        const Riga& r = c.righe[l];
        int basso = 0;
        int alto = int(c.righe.size()) - 1;
        while (basso < alto) {
            const int medio = (basso + alto) / 2;
            if (confrontaRighe(r, c.righe[medio < l ? medio : medio + 1]) < 0)
                alto = medio;
            else
                basso = medio + 1;
        }
        return basso;
    }

    // Puts the registered row (the current one) in its place, or drops it when it no
    // longer belongs to the data set, and makes the current row follow it.
    void colloca(std::optional<Riga> nuova) {
        const int vPrima = corrente;
        const int l = visibili[vPrima];
        stato = Stato::Consultazione;
        buffer.clear();
        impostati.clear();
        corrente = -1;
        if (!nuova) {
            rimuoviCaricata(l);
            corrente = limitata(vPrima);
            return;
        }
        c.righe[l] = std::move(*nuova);
        const bool mostrata = passaFiltro(l);
        const int lDopo = posizioneOrdinata(l);
        if (lDopo == l && mostrata) {
            corrente = vPrima;
            emit q->dataChanged(q->index(vPrima, 0), q->index(vPrima, int(c.colonne.size()) - 1));
            return;
        }
        Riga r = rimuoviCaricata(l);
        const int v = inserisciCaricata(lDopo, std::move(r), mostrata);
        corrente = v >= 0 ? v : limitata(vPrima);
    }

    // Replaces everything shown (begin/endResetModel around `cambia`).
    template <class F> void azzera(F&& cambia) {
        q->beginResetModel();
        try {
            cambia();
        } catch (...) {
            q->endResetModel();
            throw;
        }
        q->endResetModel();
    }

    // Forgets the edit buffer and the current row, and shows the loaded rows that pass.
    void svuota() {
        buffer.clear();
        impostati.clear();
        stato = Stato::Consultazione;
        corrente = -1;
        oltreFine = false;
        ricalcolaVisibili();
    }

    void applica(Caricamento&& k) {
        c = std::move(k);
        svuota();
    }

    void cambiaStato(Stato nuovo) {
        if (stato == nuovo)
            return;
        stato = nuovo;
        emit q->statoCambiato();
    }

    // The current row changed: the views are told, then the details follow.
    void annunciaCorrente() {
        emit q->correnteCambiato();
        const QList<QPointer<DataSet>> elenco = dettagli;
        for (const QPointer<DataSet>& det : elenco) {
            if (det)
                det->d->seguiMaster();
        }
    }

    // A detail follows its master's current row: read again when the link value changed,
    // empty (without a query) when the master has no row. An edit of the detail belongs
    // to the master row just left and is discarded.
    void seguiMaster() {
        if (stato == Stato::Chiuso)
            return;
        const QVariant valore = valoreMasterCorrente();
        if (uguali(valore, c.valoreMaster))
            return;
        const Stato prima = stato;
        if (nullo(valore)) {
            azzera([&] {
                c.righe.clear();
                c.valoreMaster = QVariant();
                svuota();
            });
        } else {
            Caricamento k = carica(valore);
            azzera([&] {
                applica(std::move(k));
                corrente = limitata(0);
            });
        }
        if (prima != stato)
            emit q->statoCambiato();
        annunciaCorrente();
    }

    void controllaModificabile(const char* azione) const {
        if (stato == Stato::Chiuso)
            throw Errore(QStringLiteral("Impossibile %1: il data set %2 non è aperto.")
                             .arg(QLatin1String(azione), q->m_nome));
        if (!c.modificabile)
            throw Errore(QStringLiteral("Impossibile %1: il data set %2 è di sola lettura.")
                             .arg(QLatin1String(azione), q->m_nome));
    }

    void controllaSpostamento(int nuova) const {
        if (inModifica() && nuova != corrente)
            throw Errore(QStringLiteral("Il data set %1 ha una riga in modifica: registrarla o "
                                        "annullarla prima di cambiare riga.")
                             .arg(q->m_nome));
    }

    void controllaConsultazione(const char* azione) const {
        if (inModifica())
            throw Errore(QStringLiteral("Impossibile %1: il data set %2 ha una riga in modifica.")
                             .arg(QLatin1String(azione), q->m_nome));
    }
};

// ------------------------------------------------------------------------------------------

DataSet::DataSet(const QString& nome, QObject* parent)
    : QAbstractTableModel(parent), m_nome(nome), d(std::make_unique<Privato>(this)) {}

DataSet::~DataSet() = default;

void DataSet::setConnessione(const QString& nomeConnessione) {
    d->connessione = nomeConnessione;
}

void DataSet::setTabella(const QString& tabella) {
    d->tabella = tabella;
    d->sql.clear();
}

void DataSet::setSql(const QString& sql) {
    d->sql = sql;
    d->tabella.clear();
}

void DataSet::setOrdine(const QString& ordine) {
    d->ordine = ordine;
}

void DataSet::setCondizione(const QString& condizione) {
    d->condizione = condizione;
}

void DataSet::setPredicato(Predicato p) {
    d->predicato = std::move(p);
}

void DataSet::setFiltrato(bool attivo) {
    if (!attivo && !d->filtrato)
        return;
    d->controllaConsultazione("cambiare il filtro");
    d->filtrato = attivo;
    if (d->stato == Stato::Chiuso)
        return;
    const int caricata = d->corrente >= 0 ? d->visibili[d->corrente] : -1;
    d->azzera([&] {
        d->corrente = -1;
        d->ricalcolaVisibili();
        const int v = caricata >= 0 ? d->visibileDi(caricata) : -1;
        d->corrente = v >= 0 ? v : d->limitata(0);
        d->oltreFine = false;
    });
    d->annunciaCorrente();
}

bool DataSet::filtrato() const {
    return d->filtrato;
}

void DataSet::setMaster(DataSet* master, const QString& campoDettaglio,
                        const QString& campoMaster) {
    if (d->master)
        d->master->d->dettagli.removeAll(QPointer<DataSet>(this));
    d->master = master;
    d->campoDettaglio = campoDettaglio;
    d->campoMaster = campoMaster;
    if (master)
        master->d->dettagli.append(QPointer<DataSet>(this));
}

void DataSet::aggiungiLookup(const QString& nome, const QString& chiave, const QString& tabella,
                             const QString& colonna) {
    d->lookups.append({nome, chiave, tabella, colonna});
}

// ---- opening -------------------------------------------------------------------------------

void DataSet::apri() {
    Caricamento k = d->carica(d->valoreMasterCorrente());
    const Stato prima = d->stato;
    d->azzera([&] {
        d->applica(std::move(k));
        d->corrente = d->limitata(0);
    });
    if (prima != d->stato)
        emit statoCambiato();
    d->annunciaCorrente();
}

void DataSet::chiudi() {
    if (d->stato == Stato::Chiuso)
        return;
    d->azzera([&] {
        d->c = Caricamento();
        d->visibili.clear();
        d->buffer.clear();
        d->impostati.clear();
        d->corrente = -1;
        d->oltreFine = false;
        d->stato = Stato::Chiuso;
    });
    emit statoCambiato();
    d->annunciaCorrente();
}

bool DataSet::aperto() const {
    return d->stato != Stato::Chiuso;
}

void DataSet::rinfresca() {
    if (d->stato == Stato::Chiuso) {
        apri();
        return;
    }
    d->controllaConsultazione("rileggere le righe");
    QVariant id;
    const int posizione = d->corrente;
    if (posizione >= 0 && d->c.colId >= 0)
        id = d->cella(posizione, d->c.colId);
    Caricamento k = d->carica(d->valoreMasterCorrente());
    d->azzera([&] {
        d->applica(std::move(k));
        int v = -1;
        if (!nullo(id)) {
            for (int i = 0; i < d->conteggio() && v < 0; ++i) {
                if (uguali(d->cella(i, d->c.colId), id))
                    v = i;
            }
        }
        d->corrente = v >= 0 ? v : d->limitata(posizione);
    });
    d->annunciaCorrente();
}

QStringList DataSet::campi() const {
    QStringList nomi;
    for (const Colonna& col : std::as_const(d->c.colonne))
        nomi << col.nome;
    return nomi;
}

int DataSet::indiceCampo(const QString& campo) const {
    return d->c.indici.value(campo.toLower(), -1);
}

// ---- rows and the current row ------------------------------------------------------------

int DataSet::conteggio() const {
    return d->conteggio();
}

int DataSet::riga() const {
    return d->corrente;
}

void DataSet::setRiga(int riga) {
    if (d->visibili.empty())
        return;
    riga = d->limitata(riga);
    d->controllaSpostamento(riga);
    d->oltreFine = false;
    if (riga == d->corrente)
        return;
    d->corrente = riga;
    d->annunciaCorrente();
}

void DataSet::primo() {
    d->oltreFine = false;
    setRiga(0);
}

void DataSet::ultimo() {
    d->oltreFine = false;
    setRiga(conteggio() - 1);
}

void DataSet::successivo() {
    if (d->corrente + 1 < conteggio())
        setRiga(d->corrente + 1);
    else
        d->oltreFine = true;
}

void DataSet::precedente() {
    if (d->corrente > 0)
        setRiga(d->corrente - 1);
    else
        d->oltreFine = false;
}

bool DataSet::fine() const {
    return d->oltreFine || d->visibili.empty();
}

bool DataSet::localizza(const QString& campo, const QVariant& valore) {
    const int col = d->colonnaNota(campo);
    const QString cercato = TestoValore(valore);
    for (int v = 0; v < conteggio(); ++v) {
        if (TestoValore(d->cella(v, col)) == cercato) {
            setRiga(v);
            return true;
        }
    }
    return false;
}

QVariant DataSet::valore(const QString& campo) const {
    const int col = d->colonnaNota(campo);
    return d->corrente >= 0 ? d->cella(d->corrente, col) : QVariant();
}

QVariant DataSet::valore(int riga, const QString& campo) const {
    const int col = d->colonnaNota(campo);
    if (d->valutando)
        return riga >= 0 && riga < int(d->c.righe.size()) ? d->c.righe[riga].at(col) : QVariant();
    return riga >= 0 && riga < conteggio() ? d->cella(riga, col) : QVariant();
}

QString DataSet::testo(const QString& campo) const {
    return TestoValore(valore(campo));
}

// ---- editing -------------------------------------------------------------------------------

DataSet::Stato DataSet::stato() const {
    return d->stato;
}

void DataSet::modifica() {
    d->controllaModificabile("modificare");
    if (d->inModifica())
        return;
    if (d->corrente < 0)
        throw Errore(QStringLiteral("Il data set %1 non ha righe da modificare.").arg(m_nome));
    d->buffer = d->c.righe[d->visibili[d->corrente]];
    d->impostati.assign(d->c.colonne.size(), false);
    d->cambiaStato(Stato::Modifica);
}

void DataSet::aggiungi() {
    d->controllaModificabile("aggiungere una riga");
    d->controllaConsultazione("aggiungere una riga");
    Riga nuova = d->c.predefiniti;
    std::vector<bool> impostati(d->c.colonne.size(), false);
    if (d->master) {
        const int col = d->colonnaNota(d->campoDettaglio);
        nuova[col] =
            converti(d->valoreMasterCorrente(), d->c.colonne[col].tipo).value_or(QVariant());
        impostati[col] = true;
    }
    if (!d->lookups.isEmpty())
        d->aggiornaLookup(nuova, -1);

    d->rigaPrimaInserimento = d->corrente;
    const int l = int(d->c.righe.size());
    const int v = d->conteggio();
    beginInsertRows({}, v, v);
    d->c.righe.push_back(Riga(d->c.colonne.size()));
    d->visibili.push_back(l);
    d->buffer = std::move(nuova);
    d->impostati = std::move(impostati);
    d->corrente = v;
    d->oltreFine = false;
    d->stato = Stato::Inserimento;
    endInsertRows();
    emit statoCambiato();
    d->annunciaCorrente();
}

void DataSet::imposta(const QString& campo, const QVariant& valore) {
    const int col = d->colonnaNota(campo);
    if (!d->inModifica())
        throw Errore(QStringLiteral("Impossibile impostare il campo %1: il data set %2 non è in "
                                    "modifica.")
                         .arg(campo, m_nome));
    const Colonna& colonna = d->c.colonne[col];
    if (!colonna.scrivibile)
        throw Errore(QStringLiteral("Il campo %1 di %2 non si può modificare.").arg(campo, m_nome));
    const std::optional<QVariant> v = converti(valore, colonna.tipo);
    if (!v)
        throw Errore(QStringLiteral("\"%1\" non è un valore valido per il campo %2.")
                         .arg(valore.toString(), campo));
    Riga nuova = d->buffer;
    nuova[col] = *v;
    d->aggiornaLookup(nuova, col);
    d->buffer = std::move(nuova);
    d->impostati[col] = true;
    emit dataChanged(index(d->corrente, 0), index(d->corrente, columnCount() - 1));
}

void DataSet::registra() {
    if (!d->inModifica())
        return;
    const QSqlDatabase db = d->database();
    PuntoSalvataggio salvataggio(db);
    QStringList nomi;
    QVariantList valori;
    for (int i = 0; i < d->c.colonne.size(); ++i) {
        if (d->c.colonne[i].scrivibile && d->impostati[i]) {
            nomi << quota(d->c.colonne[i].nome);
            valori << aDatabase(d->buffer.at(i));
        }
    }
    QVariant id;
    if (d->stato == Stato::Modifica) {
        id = d->c.righe[d->visibili[d->corrente]].at(d->c.colId);
        if (!nomi.isEmpty()) {
            QSqlQuery q =
                prepara(db, QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                                .arg(quota(d->tabella), nomi.join(QStringLiteral(" = ?, ")),
                                     quota(d->c.colonne[d->c.colId].nome)));
            for (const QVariant& v : std::as_const(valori))
                q.addBindValue(v);
            q.addBindValue(id);
            esegui(q);
        }
    } else {
        const QString sql =
            nomi.isEmpty()
                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quota(d->tabella))
                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(
                          quota(d->tabella), nomi.join(QStringLiteral(", ")),
                          QStringList(nomi.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
        QSqlQuery q = prepara(db, sql);
        for (const QVariant& v : std::as_const(valori))
            q.addBindValue(v);
        esegui(q);
        id = q.lastInsertId();
    }
    std::optional<Riga> nuova = d->leggiRiga(db, id);
    salvataggio.conferma();

    d->colloca(std::move(nuova));
    d->oltreFine = false;
    emit statoCambiato();
    d->annunciaCorrente();
}

void DataSet::annulla() {
    if (d->stato == Stato::Modifica) {
        d->buffer.clear();
        d->impostati.clear();
        d->stato = Stato::Consultazione;
        emit dataChanged(index(d->corrente, 0), index(d->corrente, columnCount() - 1));
        emit statoCambiato();
    } else if (d->stato == Stato::Inserimento) {
        const int v = d->corrente;
        d->buffer.clear();
        d->impostati.clear();
        d->stato = Stato::Consultazione;
        d->corrente = -1;
        d->rimuoviCaricata(d->visibili[v]);
        d->corrente =
            d->rigaPrimaInserimento >= 0 ? d->limitata(d->rigaPrimaInserimento) : d->limitata(0);
        emit statoCambiato();
        d->annunciaCorrente();
    }
}

void DataSet::elimina() {
    d->controllaModificabile("eliminare la riga");
    if (d->stato == Stato::Inserimento) {
        // The new row was never stored: giving it up is its deletion.
        annulla();
        return;
    }
    if (d->corrente < 0)
        return;
    const int v = d->corrente;
    const int l = d->visibili[v];
    QSqlQuery q =
        prepara(d->database(), QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                                   .arg(quota(d->tabella), quota(d->c.colonne[d->c.colId].nome)));
    q.addBindValue(d->c.righe[l].at(d->c.colId));
    esegui(q);

    const bool eraInModifica = d->inModifica();
    d->buffer.clear();
    d->impostati.clear();
    d->stato = Stato::Consultazione;
    d->corrente = -1;
    d->rimuoviCaricata(l);
    d->corrente = d->limitata(v);
    d->oltreFine = false;
    if (eraInModifica)
        emit statoCambiato();
    d->annunciaCorrente();
}

// ---- table model ---------------------------------------------------------------------------

int DataSet::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : conteggio();
}

int DataSet::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(d->c.colonne.size());
}

QVariant DataSet::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= conteggio() || index.column() >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return TestoValore(d->cella(index.row(), index.column()));
    if (role == Qt::EditRole)
        return d->cella(index.row(), index.column());
    return {};
}

bool DataSet::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    try {
        imposta(d->c.colonne[index.column()].nome, value);
    } catch (const Errore&) {
        return false;
    }
    return true;
}

QVariant DataSet::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount())
        return d->c.colonne[section].nome;
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags DataSet::flags(const QModelIndex& index) const {
    if (!index.isValid() || index.row() >= conteggio() || index.column() >= columnCount())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (d->inModifica() && index.row() == d->corrente && d->c.colonne[index.column()].scrivibile)
        f |= Qt::ItemIsEditable;
    return f;
}
