// The public member functions of DataSet: definition, opening, navigation, editing and
// the table model. The inside of a data set is in DataSetPrivato.h.

#include "DataSet.h"

#include "AccessoDati.h"
#include "DataSetPrivato.h"
#include "Errore.h"
#include "LetturaSqlite.h"
#include "Transazione.h"

#include <QSqlQuery>
#include <optional>

using namespace dataset;

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

int DataSet::lunghezzaCampo(const QString& campo) const {
    return d->c.colonne[d->colonnaNota(campo)].lunghezza;
}

bool DataSet::colonnaNumerica(int colonna) const {
    if (colonna < 0 || colonna >= columnCount())
        return false;
    switch (d->c.colonne[colonna].tipo) {
    case dataset::Tipo::Intero:
    case dataset::Tipo::Reale:
        return true;
    case dataset::Tipo::Libero:
        for (int r = 0; r < conteggio(); ++r) {
            const QVariant& v = d->cella(r, colonna);
            if (!dataset::nullo(v))
                return dataset::numerico(v.typeId());
        }
        return false;
    default:
        return false;
    }
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
    // The write and the re-read of the row stand or fall together.
    Transazione salvataggio(QStringLiteral("dataset_registra"), db);
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
    d->idRegistrato = id;

    d->colloca(std::move(nuova));
    d->oltreFine = false;
    emit statoCambiato();
    d->annunciaCorrente();
}

int DataSet::idRegistrato() const {
    return d->idRegistrato.toInt();
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
