#include "CaricaReport.h"

#include "ErroreDb.h"
#include "Formati.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The most decimals a quantity is printed with: the gram of a kilogram.
constexpr int MAX_DECIMALI = 3;

// Runs a statement with every "?" bound to `parametro`.
QSqlQuery esegui(const QSqlDatabase& db, const QString& sql, const QVariant& parametro) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw ErroreDb(q.lastError());
    for (qsizetype i = sql.count(QLatin1Char('?')); i > 0; --i)
        q.addBindValue(parametro);
    if (!q.exec())
        throw ErroreDb(q.lastError());
    return q;
}

QString testo(const QVariant& v, Formato formato) {
    if (v.isNull())
        return {};
    switch (formato) {
    case Formato::Testo:
        break;
    case Formato::Intero: {
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        return ok ? QString::number(n) : v.toString();
    }
    case Formato::Numero:
    case Formato::Quantita: // its decimals are set once the table is read (completaGruppo)
        return utTestoNumero(v.toDouble());
    case Formato::Data: {
        const QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
        return d.isValid() ? utTestoData(d) : v.toString();
    }
    case Formato::SiNo:
        return v.toInt() != 0 ? QStringLiteral("Sì") : QStringLiteral("No");
    }
    return v.toString();
}

QVariant campoRiga(const QSqlQuery& q, const QString& nome) {
    const int i = q.record().indexOf(nome);
    if (i < 0)
        throw Errore(QStringLiteral("La colonna \"%1\" manca nel risultato.").arg(nome));
    return q.value(i);
}

// The printed text of a column on the current row.
QString valore(const QSqlQuery& q, const ColonnaDef& colonna) {
    QStringList parti;
    for (const QString& nome : colonna.campi) {
        const QString t = testo(campoRiga(q, nome), colonna.formato).trimmed();
        if (!t.isEmpty())
            parti << t;
    }
    return parti.join(colonna.separatore);
}

Qt::Alignment allineamento(Formato formato) {
    switch (formato) {
    case Formato::Intero:
    case Formato::Numero:
    case Formato::Quantita:
        return Qt::AlignRight;
    case Formato::Data:
    case Formato::SiNo:
        return Qt::AlignHCenter;
    case Formato::Testo:
        break;
    }
    return Qt::AlignLeft;
}

// The ID held by the column `nome` of the single row of parametri.
qlonglong leggiParametro(const QSqlDatabase& db, const QString& nome) {
    QSqlQuery q = esegui(db, QStringLiteral("SELECT %1 FROM parametri").arg(nome), {});
    if (!q.next())
        throw Errore(QStringLiteral("La tabella parametri è vuota: manca %1.").arg(nome));
    const QString letto = q.value(0).toString().trimmed();
    bool ok = false;
    const qlonglong id = letto.toLongLong(&ok);
    if (!ok || id < 0)
        throw Errore(
            QStringLiteral("Il parametro %1 non contiene un identificativo valido: \"%2\".")
                .arg(nome, letto));
    return id;
}

QString primoTesto(const QSqlDatabase& db, const QString& sql, const QVariant& parametro) {
    QSqlQuery q = esegui(db, sql, parametro);
    return q.next() ? q.value(0).toString().trimmed() : QString();
}

// Checks a column of parametri that the report's views read: a value the views would read
// as nothing (a month that is not a date, an article that is not AGEA) would print an
// empty or wrong document, so the report stops with a message instead.
void verificaParametro(const QSqlDatabase& db, const ParametroDef& parametro) {
    const QString letto =
        primoTesto(db, QStringLiteral("SELECT %1 FROM parametri").arg(parametro.nome), {});
    if (letto.isEmpty())
        throw Errore(QStringLiteral("Il parametro %1 non è impostato.").arg(parametro.nome));
    switch (parametro.tipo) {
    case ParametroDef::Tipo::Data: {
        // The database keeps the program's short date as ISO text, a time possibly after it.
        const QDate data = QDate::fromString(letto.left(10), Qt::ISODate);
        if (data.isValid() && (letto.size() == 10 || letto.at(10) == QLatin1Char(' ') ||
                               letto.at(10) == QLatin1Char('T')))
            return;
        throw Errore(QStringLiteral("Il parametro %1 non contiene una data valida: \"%2\".")
                         .arg(parametro.nome, letto));
    }
    case ParametroDef::Tipo::ArticoloAgea: {
        bool ok = false;
        const qlonglong id = letto.toLongLong(&ok);
        if (ok && id == 0)
            return;
        if (ok && id > 0 &&
            primoTesto(db,
                       QStringLiteral("SELECT COUNT(*) FROM articoli WHERE ID = ? AND agea = 1"),
                       id) != QLatin1String("0"))
            return;
        throw Errore(QStringLiteral("Il parametro %1 non indica un articolo AGEA: \"%2\" "
                                    "(0 per tutti gli articoli AGEA).")
                         .arg(parametro.nome, letto));
    }
    }
}

// The decimals `n` needs, up to MAX_DECIMALI: 12.5 needs 1, 3.25 needs 2. The noise of
// sums in double precision (0.1 + 0.2) does not count.
int decimali(double n) {
    double v = std::abs(n);
    for (int d = 0; d < MAX_DECIMALI; ++d, v *= 10) {
        if (std::abs(v - std::round(v)) < 1e-9 * std::max(1.0, v))
            return d;
    }
    return MAX_DECIMALI;
}

QString testoQuantita(const QVariant& v, int decimali) {
    if (v.isNull())
        return {};
    double n = v.toDouble();
    if (std::abs(n) < 0.5 * std::pow(10.0, -decimali))
        n = 0; // no "-0,00"
    return utLocale().toString(n, 'f', decimali);
}

qsizetype indiceColonna(const SezioneDef& sezione, const QString& campo) {
    for (qsizetype i = 0; i < sezione.colonne.size(); ++i) {
        if (sezione.colonne.at(i).campi.value(0) == campo)
            return i;
    }
    throw Errore(QStringLiteral("Il report non ha una colonna \"%1\".").arg(campo));
}

// A table, or one group of it, as it is read: the printed rows, and the values of its
// quantity columns (null in the other columns), printed once every row is known.
struct Gruppo {
    BloccoReport blocco;
    QVector<QVariantList> quantita;
};

Gruppo nuovoGruppo(const SezioneDef& sezione, const QString& titolo) {
    Gruppo g;
    g.blocco.tipo = BloccoReport::Tipo::Tabella;
    g.blocco.titolo = titolo;
    g.blocco.vuoto = sezione.vuoto;
    for (const ColonnaDef& c : sezione.colonne)
        g.blocco.colonne.append({c.etichetta, c.larghezza, allineamento(c.formato), c.unaRiga});
    if (!sezione.campoRiporto.isEmpty())
        g.blocco.colonnaRiporto = static_cast<int>(indiceColonna(sezione, sezione.campoRiporto));
    return g;
}

// A quantity with the decimals it needs: 4,5  2  0,125.
QString testoTotale(double n) {
    n = std::round(n * std::pow(10.0, MAX_DECIMALI)) / std::pow(10.0, MAX_DECIMALI);
    return testoQuantita(n, decimali(n));
}

// The summary of a closing row Riepilogo: "3 articoli — kg 4,5; litri 2", the units in the
// order they first appear; a line whose article has no unit is summed apart.
QString riepilogo(const SezioneDef& sezione, const ChiusuraDef& chiusura, const Gruppo& g) {
    const qsizetype colonnaQta = indiceColonna(sezione, chiusura.campo);
    const qsizetype colonnaUnita = indiceColonna(sezione, chiusura.campoUnita);
    QStringList unita;
    QHash<QString, double> somme;
    for (qsizetype r = 0; r < g.blocco.righe.size(); ++r) {
        const QString u = g.blocco.righe.at(r).value(colonnaUnita);
        if (!somme.contains(u))
            unita << u;
        somme[u] += g.quantita.at(r).at(colonnaQta).toDouble();
    }
    QStringList parti;
    for (const QString& u : unita)
        parti << (u.isEmpty() ? QStringLiteral("senza unità di misura") : u) + QLatin1Char(' ') +
                     testoTotale(somme.value(u));
    const qsizetype n = g.blocco.righe.size();
    return QStringLiteral("%1 %2 — %3")
        .arg(n)
        .arg(n == 1 ? QStringLiteral("articolo") : QStringLiteral("articoli"),
             parti.join(QStringLiteral("; ")));
}

// Adds the closing rows and prints the quantities, every column with the decimals its
// most precise value needs, the closing values included.
BloccoReport completaGruppo(const SezioneDef& sezione, Gruppo g) {
    const qsizetype colonne = sezione.colonne.size();
    QVector<QVariantList> valori = g.quantita;
    if (!g.blocco.righe.isEmpty()) {
        for (const ChiusuraDef& c : sezione.chiusura) {
            QStringList celle(colonne);
            celle[0] = c.etichetta;
            QVariantList riga(colonne);
            const qsizetype i = indiceColonna(sezione, c.campo);
            switch (c.modo) {
            case ChiusuraDef::Modo::Ultimo:
                riga[i] = g.quantita.last().at(i);
                break;
            case ChiusuraDef::Modo::Somma: {
                double somma = 0;
                for (const QVariantList& r : g.quantita)
                    somma += r.at(i).toDouble();
                riga[i] = somma;
                break;
            }
            case ChiusuraDef::Modo::Riepilogo:
                celle[0] += QStringLiteral(": ") + riepilogo(sezione, c, g);
                break;
            }
            valori.append(riga);
            g.blocco.chiusura.append(celle);
        }
    }
    for (qsizetype i = 0; i < colonne; ++i) {
        if (sezione.colonne.at(i).formato != Formato::Quantita)
            continue;
        int d = 0;
        for (const QVariantList& r : valori) {
            if (!r.at(i).isNull())
                d = std::max(d, decimali(r.at(i).toDouble()));
        }
        for (qsizetype r = 0; r < valori.size(); ++r) {
            QStringList& celle = r < g.blocco.righe.size()
                                     ? g.blocco.righe[r]
                                     : g.blocco.chiusura[r - g.blocco.righe.size()];
            celle[i] = testoQuantita(valori.at(r).at(i), d);
        }
    }
    return g.blocco;
}

// The rows of a table section: one block, or one block per group.
void caricaTabella(QSqlQuery& q, const SezioneDef& sezione, QVector<BloccoReport>& blocchi) {
    std::optional<Gruppo> gruppo;
    QVariant chiave;
    while (q.next()) {
        const bool nuovoGruppoQui =
            !sezione.campoGruppo.isEmpty() && campoRiga(q, sezione.campoGruppo) != chiave;
        if (!gruppo || nuovoGruppoQui) {
            if (gruppo)
                blocchi.append(completaGruppo(sezione, *gruppo));
            QString titolo = sezione.titolo;
            if (!sezione.campoGruppo.isEmpty()) {
                chiave = campoRiga(q, sezione.campoGruppo);
                titolo = valore(q, sezione.titoloGruppo);
            }
            gruppo = nuovoGruppo(sezione, titolo);
        }
        QStringList riga;
        QVariantList quantita;
        for (const ColonnaDef& c : sezione.colonne) {
            riga << valore(q, c);
            quantita << (c.formato == Formato::Quantita ? campoRiga(q, c.campi.value(0))
                                                        : QVariant());
        }
        gruppo->blocco.righe.append(riga);
        gruppo->quantita.append(quantita);
    }
    blocchi.append(
        completaGruppo(sezione, gruppo ? *gruppo : nuovoGruppo(sezione, sezione.titolo)));
}

} // namespace

Report CaricaReport(const DefinizioneReport& definizione, const QString& connessione) {
    const QSqlDatabase db = QSqlDatabase::database(connessione, false);
    Report report;
    report.titolo = definizione.titolo;
    report.stampa = QDateTime::currentDateTime();
    report.organizzazione =
        primoTesto(db, QStringLiteral("SELECT ragsoc FROM datiAzienda ORDER BY ID LIMIT 1"), {});

    for (const ParametroDef& richiesto : definizione.richiesti)
        verificaParametro(db, richiesto);
    QVariant parametro;
    if (!definizione.parametro.isEmpty())
        parametro = leggiParametro(db, definizione.parametro);
    if (!definizione.sqlTitolo.isEmpty()) {
        const QString titolo = primoTesto(db, definizione.sqlTitolo, parametro);
        if (!titolo.isEmpty())
            report.titolo = titolo;
    }
    if (!definizione.sqlSottotitolo.isEmpty())
        report.sottotitolo = primoTesto(db, definizione.sqlSottotitolo, parametro);

    for (const SezioneDef& sezione : definizione.sezioni) {
        if (sezione.tipo == SezioneDef::Tipo::Firma && sezione.sql.isEmpty()) {
            BloccoReport firma;
            firma.tipo = BloccoReport::Tipo::Firma;
            firma.firme << sezione.titolo;
            report.blocchi.append(firma);
            continue;
        }
        QSqlQuery q = esegui(db, sezione.sql, parametro);
        if (sezione.tipo == SezioneDef::Tipo::Tabella) {
            caricaTabella(q, sezione, report.blocchi);
            continue;
        }
        if (!q.next()) {
            if (sezione.tipo == SezioneDef::Tipo::Campi && report.blocchi.isEmpty())
                throw Errore(QStringLiteral("Il record da stampare non esiste (%1 = %2).")
                                 .arg(definizione.parametro, parametro.toString()));
            continue;
        }
        BloccoReport b;
        b.titolo = sezione.titolo;
        if (sezione.tipo == SezioneDef::Tipo::Campi) {
            b.tipo = BloccoReport::Tipo::Campi;
            for (const ColonnaDef& c : sezione.colonne) {
                const QString v = valore(q, c);
                if (!v.isEmpty() || !sezione.tralasciaVuoti)
                    b.campi.append({c.etichetta, v});
            }
        } else if (sezione.tipo == SezioneDef::Tipo::Firma) {
            b.tipo = BloccoReport::Tipo::Firma;
            for (const ColonnaDef& c : sezione.colonne) {
                const QString v = valore(q, c);
                if (!v.isEmpty())
                    b.firme << v;
            }
        } else {
            b.tipo = BloccoReport::Tipo::Copertina;
            for (const ColonnaDef& c : sezione.colonne) {
                const QString v = valore(q, c);
                if (!v.isEmpty())
                    b.copertina.append({c.etichetta + v, c.evidenza});
            }
        }
        report.blocchi.append(b);
    }
    return report;
}
