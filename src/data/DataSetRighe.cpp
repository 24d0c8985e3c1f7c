// The rows a data set shows: the filter over the loaded rows, a registered row moved to
// its place in the order, the current row and the details that follow it, and the checks
// of the state before a change.

#include "DataSetPrivato.h"

#include "Errore.h"

#include <algorithm>

using namespace dataset;

// ---- rows shown ----

void DataSet::Privato::ricalcolaVisibili() {
    visibili.clear();
    std::vector<int> nuovi;
    nuovi.reserve(c.righe.size());
    for (int i = 0; i < int(c.righe.size()); ++i) {
        if (passaFiltro(i))
            nuovi.push_back(i);
    }
    visibili = std::move(nuovi);
}

int DataSet::Privato::visibileDi(int caricata) const {
    const auto it = std::lower_bound(visibili.begin(), visibili.end(), caricata);
    return it != visibili.end() && *it == caricata ? int(it - visibili.begin()) : -1;
}

// Removes loaded row `l`, telling the views when it was shown.
Riga DataSet::Privato::rimuoviCaricata(int l) {
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
int DataSet::Privato::inserisciCaricata(int l, Riga r, bool mostrata) {
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

int DataSet::Privato::confrontaRighe(const Riga& a, const Riga& b) const {
    for (const TermineOrdine& t : c.ordinamento) {
        const int r = confrontaValori(a.at(t.colonna), b.at(t.colonna), t.senzaMaiuscole);
        if (r != 0)
            return t.discendente ? -r : r;
    }
    return c.colId >= 0 ? confrontaValori(a.at(c.colId), b.at(c.colId), false) : 0;
}

// Where loaded row `l` belongs among the other loaded rows (positions counted
// without it), after the rows that sort equal.
int DataSet::Privato::posizioneOrdinata(int l) const {
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
void DataSet::Privato::colloca(std::optional<Riga> nuova) {
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

// Forgets the edit buffer and the current row, and shows the loaded rows that pass.
void DataSet::Privato::svuota() {
    buffer.clear();
    impostati.clear();
    stato = Stato::Consultazione;
    corrente = -1;
    oltreFine = false;
    ricalcolaVisibili();
}

void DataSet::Privato::applica(Caricamento&& k) {
    c = std::move(k);
    svuota();
}

void DataSet::Privato::cambiaStato(Stato nuovo) {
    if (stato == nuovo)
        return;
    stato = nuovo;
    emit q->statoCambiato();
}

// The current row changed: the views are told, then the details follow.
void DataSet::Privato::annunciaCorrente() {
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
void DataSet::Privato::seguiMaster() {
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

void DataSet::Privato::controllaModificabile(const char* azione) const {
    if (stato == Stato::Chiuso)
        throw Errore(QStringLiteral("Impossibile %1: il data set %2 non è aperto.")
                         .arg(QLatin1String(azione), q->m_nome));
    if (!c.modificabile)
        throw Errore(QStringLiteral("Impossibile %1: il data set %2 è di sola lettura.")
                         .arg(QLatin1String(azione), q->m_nome));
}

void DataSet::Privato::controllaSpostamento(int nuova) const {
    if (inModifica() && nuova != corrente)
        throw Errore(QStringLiteral("Il data set %1 ha una riga in modifica: registrarla o "
                                    "annullarla prima di cambiare riga.")
                         .arg(q->m_nome));
}

void DataSet::Privato::controllaConsultazione(const char* azione) const {
    if (inModifica())
        throw Errore(QStringLiteral("Impossibile %1: il data set %2 ha una riga in modifica.")
                         .arg(QLatin1String(azione), q->m_nome));
}
