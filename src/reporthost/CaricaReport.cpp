#include "CaricaReport.h"

#include "ErroreDb.h"
#include "Formati.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

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
        return utTestoNumero(v.toDouble());
    case Formato::NumeroNonZero:
        return v.toDouble() == 0 ? QString() : utTestoNumero(v.toDouble());
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
    case Formato::NumeroNonZero:
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

BloccoReport bloccoTabella(const SezioneDef& sezione, const QString& titolo) {
    BloccoReport b;
    b.tipo = BloccoReport::Tipo::Tabella;
    b.titolo = titolo;
    b.vuoto = sezione.vuoto;
    for (const ColonnaDef& c : sezione.colonne)
        b.colonne.append({c.etichetta, c.larghezza, allineamento(c.formato)});
    return b;
}

// The rows of a table section: one block, or one block per group.
void caricaTabella(QSqlQuery& q, const SezioneDef& sezione, QVector<BloccoReport>& blocchi) {
    const qsizetype primo = blocchi.size();
    QVariant gruppo;
    while (q.next()) {
        const bool nuovoGruppo =
            !sezione.campoGruppo.isEmpty() && campoRiga(q, sezione.campoGruppo) != gruppo;
        if (blocchi.size() == primo || nuovoGruppo) {
            QString titolo = sezione.titolo;
            if (!sezione.campoGruppo.isEmpty()) {
                gruppo = campoRiga(q, sezione.campoGruppo);
                titolo = campoRiga(q, sezione.campoTitoloGruppo).toString();
            }
            blocchi.append(bloccoTabella(sezione, titolo));
        }
        QStringList riga;
        for (const ColonnaDef& c : sezione.colonne)
            riga << valore(q, c);
        blocchi.last().righe.append(riga);
    }
    if (blocchi.size() == primo)
        blocchi.append(bloccoTabella(sezione, sezione.titolo));
}

} // namespace

Report CaricaReport(const DefinizioneReport& definizione, const QString& connessione) {
    const QSqlDatabase db = QSqlDatabase::database(connessione, false);
    Report report;
    report.titolo = definizione.titolo;
    report.stampa = QDateTime::currentDateTime();
    report.organizzazione =
        primoTesto(db, QStringLiteral("SELECT ragsoc FROM datiAzienda ORDER BY ID LIMIT 1"), {});

    for (const QString& nome : definizione.richiesti) {
        if (primoTesto(db, QStringLiteral("SELECT %1 FROM parametri").arg(nome), {}).isEmpty())
            throw Errore(QStringLiteral("Il parametro %1 non è impostato.").arg(nome));
    }
    QVariant parametro;
    if (!definizione.parametro.isEmpty())
        parametro = leggiParametro(db, definizione.parametro);
    if (!definizione.sqlSottotitolo.isEmpty())
        report.sottotitolo = primoTesto(db, definizione.sqlSottotitolo, parametro);

    for (const SezioneDef& sezione : definizione.sezioni) {
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
            for (const ColonnaDef& c : sezione.colonne)
                b.campi.append({c.etichetta, valore(q, c)});
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
