#pragma once

// The inside of a data set: its definition, what its last read learnt (columns, how to
// read a row again, the rows), the rows shown, the current row and the edit buffer.
// Private to the data set's files: DataSetCaricamento.cpp composes the SELECT and reads
// the rows, DataSetRighe.cpp keeps the rows shown and the current row, DataSet.cpp holds
// the public member functions.

#include "Connessione.h"
#include "DataSet.h"
#include "DataSetValori.h"
#include "Errore.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <algorithm>
#include <optional>
#include <vector>

namespace dataset {

class Lettura;

using Riga = QList<QVariant>;

struct Colonna {
    QString nome;
    Tipo tipo = Tipo::Libero;
    // A column of the table itself that registra() writes (not the ID, not a lookup).
    bool scrivibile = false;
    // The declared length of a text column ("VARCHAR(50)" gives 50); 0 when unlimited.
    int lunghezza = 0;
};

struct Lookup {
    QString nome, chiave, tabella, colonna;
};

struct TermineOrdine {
    int colonna;
    bool discendente;
    bool senzaMaiuscole; // COLLATE NOCASE
};

// An identifier between double quotes, for SQL.
QString quota(const QString& identificatore);

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

} // namespace dataset

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
    QList<dataset::Lookup> lookups;

    // what the last read gave
    Stato stato = Stato::Chiuso;
    dataset::Caricamento c;
    // Loaded rows in order and, in order, the indexes of the rows shown.
    std::vector<int> visibili;
    int corrente = -1; // index into visibili
    bool oltreFine = false;
    // The ID of the row the last registra() wrote.
    QVariant idRegistrato;

    // the edit buffer
    dataset::Riga buffer;
    std::vector<bool> impostati;
    int rigaPrimaInserimento = -1;
    // While the predicate runs, valore(riga, ...) takes loaded rows, not shown ones.
    bool valutando = false;

    // ---- small helpers on the path of every row, defined here so that they inline ----
    bool inModifica() const { return stato == Stato::Modifica || stato == Stato::Inserimento; }
    int conteggio() const { return int(visibili.size()); }

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

    int limitata(int riga) const {
        return visibili.empty() ? -1 : std::clamp(riga, 0, conteggio() - 1);
    }

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

    // ---- composing the SELECT and reading (DataSetCaricamento.cpp) ----
    QSqlDatabase database() const;
    int indiceLookup(const QString& nome) const;
    void componiLookup(dataset::Caricamento& k) const;
    QString radiceLookup(int i) const;
    static QString componiSelect(const dataset::Caricamento& k, const QString& where);
    QVariant valoreMasterCorrente() const;
    static void leggiColonne(const dataset::Lettura& lettura, dataset::Caricamento& k);
    void leggiTabella(const QSqlDatabase& db, dataset::Caricamento& k) const;
    QList<dataset::TermineOrdine> leggiOrdine(const dataset::Caricamento& k) const;
    dataset::Caricamento carica(const QVariant& valoreM) const;
    static void leggiRighe(dataset::Lettura& lettura, dataset::Caricamento& k);
    std::optional<dataset::Riga> leggiRiga(const QSqlDatabase& db, const QVariant& id) const;
    void aggiornaLookup(dataset::Riga& r, int cambiata) const;

    // ---- rows shown, current row, state (DataSetRighe.cpp) ----
    void ricalcolaVisibili();
    int visibileDi(int caricata) const;
    dataset::Riga rimuoviCaricata(int l);
    int inserisciCaricata(int l, dataset::Riga r, bool mostrata);
    int confrontaRighe(const dataset::Riga& a, const dataset::Riga& b) const;
    int posizioneOrdinata(int l) const;
    void colloca(std::optional<dataset::Riga> nuova);
    void svuota();
    void applica(dataset::Caricamento&& k);
    void cambiaStato(Stato nuovo);
    void annunciaCorrente();
    void seguiMaster();
    void controllaModificabile(const char* azione) const;
    void controllaSpostamento(int nuova) const;
    void controllaConsultazione(const char* azione) const;
};
