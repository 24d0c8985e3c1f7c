// Reading a data set: the SELECT composed from the definition (table or query, condition,
// master link, lookups, order), the columns and defaults it gives, the rows read through
// Lettura, a single row read again after a registration and the lookups of an edit buffer.

#include "DataSetPrivato.h"

#include "ErroreDb.h"
#include "LetturaSqlite.h"

#include <QRegularExpression>
#include <functional>

namespace dataset {

QString quota(const QString& identificatore) {
    QString s = identificatore;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

} // namespace dataset

using namespace dataset;

namespace {
// "VARCHAR(50)" gives 50; declarations without a length give 0.
int lunghezzaDichiarata(const QString& dichiarato) {
    static const QRegularExpression lunghezza(QStringLiteral("^\\s*(?:VAR)?CHAR(?:ACTER)?\\s*"
                                                             "\\(\\s*(\\d+)\\s*\\)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = lunghezza.match(dichiarato);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}
} // namespace

QSqlDatabase DataSet::Privato::database() const {
    QSqlDatabase db = QSqlDatabase::database(connessione, false);
    if (!db.isOpen())
        throw ErroreDb(QStringLiteral("La connessione %1 non è aperta.").arg(connessione),
                       QString());
    return db;
}

// ---- composing the SELECT ----

int DataSet::Privato::indiceLookup(const QString& nome) const {
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
void DataSet::Privato::componiLookup(Caricamento& k) const {
    QStringList chiaviJoin;
    std::function<QString(int, int)> alias = [&](int i, int profondita) -> QString {
        if (profondita > lookups.size())
            throw Errore(QStringLiteral("I campi di consultazione di %1 si richiamano in cerchio.")
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
QString DataSet::Privato::radiceLookup(int i) const {
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
QString DataSet::Privato::componiSelect(const Caricamento& k, const QString& where) {
    const QString sorgente = where.isEmpty()
                                 ? k.base
                                 : QStringLiteral("(SELECT * FROM ") + k.base +
                                       QStringLiteral(" WHERE ") + where + QLatin1Char(')');
    QString s = QStringLiteral("SELECT t.*");
    for (const QString& col : k.colLookup)
        s += QStringLiteral(", ") + col;
    return s + QStringLiteral(" FROM ") + sorgente + QStringLiteral(" t") + k.joinLookup;
}

QVariant DataSet::Privato::valoreMasterCorrente() const {
    if (!master || master->riga() < 0 || master->indiceCampo(campoMaster) < 0)
        return {};
    return master->valore(campoMaster);
}

void DataSet::Privato::leggiColonne(const Lettura& lettura, Caricamento& k) {
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
void DataSet::Privato::leggiTabella(const QSqlDatabase& db, Caricamento& k) const {
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
        k.colonne[i].lunghezza = lunghezzaDichiarata(info.valore(2, Tipo::Testo).toString());
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

QList<TermineOrdine> DataSet::Privato::leggiOrdine(const Caricamento& k) const {
    QList<TermineOrdine> termini;
    for (const QString& parte : ordine.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList parole = parte.simplified().split(QLatin1Char(' '));
        QString nome = parole.value(0);
        if (nome.startsWith(QLatin1Char('[')) && nome.endsWith(QLatin1Char(']')))
            nome = nome.mid(1, nome.size() - 2);
        const int i = k.indici.value(nome.toLower(), -1);
        const QString verso = parole.value(1).toUpper();
        if (i < 0 || parole.size() > 2 ||
            (parole.size() == 2 && verso != QLatin1String("ASC") && verso != QLatin1String("DESC")))
            throw Errore(
                QStringLiteral("L'ordine \"%1\" di %2 non è valido.").arg(ordine, q->m_nome));
        const Tipo t = k.colonne[i].tipo;
        termini.append({i, verso == QLatin1String("DESC"), t == Tipo::Testo || t == Tipo::Libero});
    }
    return termini;
}

// Reads the data set with the master link value `valoreM`. Changes nothing here:
// the caller applies the result.
Caricamento DataSet::Privato::carica(const QVariant& valoreM) const {
    const QSqlDatabase db = database();
    const bool tabellare = !tabella.isEmpty();
    if (!tabellare && sql.trimmed().isEmpty())
        throw Errore(QStringLiteral("Il data set %1 non ha né tabella né query.").arg(q->m_nome));
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
        return (i < colonneSorgente ? QStringLiteral("t.") : QString()) + quota(k.colonne[i].nome);
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

void DataSet::Privato::leggiRighe(Lettura& lettura, Caricamento& k) {
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
std::optional<Riga> DataSet::Privato::leggiRiga(const QSqlDatabase& db, const QVariant& id) const {
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
void DataSet::Privato::aggiornaLookup(Riga& r, int cambiata) const {
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
    Lettura lettura(database(), QStringLiteral("SELECT ") + c.colLookup.join(QStringLiteral(", ")) +
                                    QStringLiteral(" FROM (SELECT ") +
                                    valori.join(QStringLiteral(", ")) + QStringLiteral(") t") +
                                    c.joinLookup);
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
