#include "PaginaModelli.h"

#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Duplicati.h"
#include "Griglia.h"
#include "Messaggi.h"
#include "ReportHost.h"
#include "RigheArticoli.h"
#include "StampaReport.h"
#include "StatoMain.h"
#include "Visualizzazione.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QString GRUPPO = QStringLiteral("Modelli");

TabellaRighe righeModelli() {
    return {QStringLiteral("cons_dett"), QStringLiteral("modelli_id"),
            QStringLiteral("modello di consegna")};
}
} // namespace

PaginaModelli::PaginaModelli(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaScheda(parent), m_messaggi(messaggi), m_stato(stato) {
    setObjectName(QStringLiteral("tsModelli"));
    costruisci();
}

PaginaModelli::~PaginaModelli() = default;

void PaginaModelli::costruisci() {
    m_pannelli = CreaPannelliScheda(this, QStringLiteral("ModCons"), 300,
                                    QStringLiteral("Modello di consegna"));
    QWidget* alto = m_pannelli.alto;
    auto* nuovo = PulsanteScheda(alto, QStringLiteral("btnModNuovo"), QStringLiteral("&Nuovo"));
    auto* modifica =
        PulsanteScheda(alto, QStringLiteral("btnModModifica"), QStringLiteral("&Modifica"));
    auto* elimina =
        PulsanteScheda(alto, QStringLiteral("btnModElimina"), QStringLiteral("&Elimina"));
    auto* stampa = PulsanteScheda(alto, QStringLiteral("btnModStampa"), QStringLiteral("&Stampa"));
    auto* stampaTutti =
        PulsanteScheda(alto, QStringLiteral("btnModStampaElenco"), QStringLiteral("Stampa &tutti"));
    stampaTutti->hide();
    QHBoxLayout* pulsantiAlto = m_pannelli.pulsanti;
    pulsantiAlto->addWidget(nuovo);
    pulsantiAlto->addWidget(modifica);
    pulsantiAlto->addWidget(elimina);
    pulsantiAlto->addSpacing(24);
    pulsantiAlto->addWidget(stampa);
    pulsantiAlto->addWidget(stampaTutti);
    pulsantiAlto->addStretch();

    grModCons = new Griglia(QStringLiteral("grModCons"), m_pannelli.sinistra);
    m_pannelli.elenco->addWidget(grModCons, 1);

    // The card: the name, the lines, their buttons and Conferma.
    QWidget* destra = m_pannelli.destra;
    auto* nome = new QHBoxLayout;
    nome->addWidget(new QLabel(QStringLiteral("Nome modello"), destra));
    edtModCons_descr = new QLineEdit(destra);
    edtModCons_descr->setObjectName(QStringLiteral("edtModCons_descr"));
    nome->addWidget(edtModCons_descr, 1);
    m_pannelli.scheda->addLayout(nome);
    grConsDett = new Griglia(QStringLiteral("grConsDett"), destra);
    grConsDett->setItemDelegate(new DelegatoAgea(grConsDett));
    // Tab passes over the lines to the card's buttons; the arrows move among them.
    grConsDett->setTabKeyNavigation(false);
    m_pannelli.scheda->addWidget(grConsDett, 1);
    auto* aggiungi = PulsanteScheda(destra, QStringLiteral("btnCons_AggiungiArticolo"),
                                    QStringLiteral("&Aggiungi articolo (F5)"));
    auto* togli = PulsanteScheda(destra, QStringLiteral("btnCons_EliminaArticolo"),
                                 QStringLiteral("E&limina articolo (F6)"));
    auto* conferma =
        PulsanteScheda(destra, QStringLiteral("btnModCons_Conferma"), QStringLiteral("&Conferma"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(aggiungi);
    pulsanti->addWidget(togli);
    pulsanti->addStretch();
    pulsanti->addWidget(conferma);
    m_pannelli.scheda->addLayout(pulsanti);

    connect(nuovo, &QPushButton::clicked, this, &PaginaModelli::btnModNuovoClick);
    connect(modifica, &QPushButton::clicked, this, &PaginaModelli::btnModModificaClick);
    connect(elimina, &QPushButton::clicked, this, &PaginaModelli::btnModEliminaClick);
    connect(stampa, &QPushButton::clicked, this, &PaginaModelli::btnModStampaClick);
    connect(stampaTutti, &QPushButton::clicked, this, &PaginaModelli::btnModStampaElencoClick);
    connect(aggiungi, &QPushButton::clicked, this, &PaginaModelli::btnCons_AggiungiArticoloClick);
    connect(togli, &QPushButton::clicked, this, &PaginaModelli::btnCons_EliminaArticoloClick);
    connect(conferma, &QPushButton::clicked, this, &PaginaModelli::btnModCons_ConfermaClick);
}

void PaginaModelli::collegaDati(TdmDati& dati, const Percorsi& percorsi, TfrmSelArt& selArt) {
    m_dati = &dati;
    m_percorsi = percorsi;
    m_selArt = &selArt;
    grModCons->collega(mast(), {{QStringLiteral("descr"), QStringLiteral("Nome modello"), 0},
                                {QStringLiteral("ID"), QStringLiteral("ID"), 40}});
    grModCons->nascondiColonna(1);
    grConsDett->collega(dett(), ColonneRigheArticoli());
    m_collegamento = new CollegamentoCampi(mast(), this);
    m_collegamento->testo(edtModCons_descr, QStringLiteral("descr"));
}

DataSet& PaginaModelli::mast() const {
    return m_dati->tblCons_mast;
}

DataSet& PaginaModelli::dett() const {
    return m_dati->tblCons_dett;
}

int PaginaModelli::idModello() const {
    return IdCorrente(mast());
}

// Browse mode: list and buttons enabled, card disabled; edit mode the reverse, and the tab
// cannot be left.
void PaginaModelli::modalitaModifica(bool modifica) {
    AbilitaModifica(m_pannelli, modifica, m_stato.ColoreDisabilitato);
    m_stato.ImpostaModifica(modifica);
    if (modifica)
        edtModCons_descr->setFocus();
    else
        grModCons->setFocus();
}

void PaginaModelli::Mostra() {
    // The list is hidden while the data set moves back to the remembered template.
    grModCons->hide();
    EseguiOperazione(m_messaggi, QStringLiteral("leggere i modelli di consegna"), [this] {
        m_dati->Rinfresca(GRUPPO);
        PosizionaId(mast(), m_stato.idCorrenteModelli);
    });
    grModCons->show();
}

void PaginaModelli::Nascondi() {
    m_stato.idCorrenteModelli = idModello();
}

void PaginaModelli::btnModNuovoClick() {
    DataSet& d = mast();
    const bool registrato =
        EseguiOperazione(m_messaggi, QStringLiteral("creare il nuovo modello di consegna"), [&] {
            d.aggiungi();
            // An empty name, not a missing one: the template exists from now on.
            d.imposta(QStringLiteral("descr"), QStringLiteral(""));
            d.registra();
        });
    if (!registrato) {
        d.annulla();
        return;
    }
    btnModModificaClick();
}

void PaginaModelli::btnModModificaClick() {
    if (mast().vuoto())
        return;
    modalitaModifica(true);
}

void PaginaModelli::btnModCons_ConfermaClick() {
    DataSet& d = mast();
    const int id = idModello();
    // The name is stored first: a refused store keeps the card open with what was typed.
    if (!EseguiOperazione(m_messaggi, QStringLiteral("registrare il modello di consegna"),
                          [&] { d.registra(); }))
        return;
    modalitaModifica(false);
    EseguiOperazione(m_messaggi, QStringLiteral("completare il modello di consegna"), [&] {
        m_dati->Rinfresca(GRUPPO);
        // Only this template can have gained a duplicate: lines added in browse mode are
        // merged at once.
        CheckArticoliDuplicatiUnaTabella(righeModelli().tabella, righeModelli().campoMaster, id);
        m_dati->Rinfresca(GRUPPO);
    });
}

void PaginaModelli::btnModEliminaClick() {
    DataSet& d = mast();
    if (d.vuoto())
        return;
    const QString domanda = QStringLiteral("Eliminare il modello di consegna ") +
                            d.testo(QStringLiteral("descr")) + QStringLiteral("?");
    if (!m_messaggi.domandaSiNo(domanda))
        return;
    // The database deletes the template's lines with it.
    EseguiOperazione(m_messaggi, QStringLiteral("eliminare il modello di consegna"), [&] {
        d.elimina();
        d.setFiltrato(false);
        m_dati->Rinfresca(GRUPPO);
    });
}

void PaginaModelli::btnModStampaClick() {
    if (mast().vuoto())
        return;
    const QString id = QString::number(idModello());
    EseguiOperazione(m_messaggi, QStringLiteral("stampare il modello di consegna"), [&] {
        StampaConReportHost(m_messaggi, ReportHost(m_percorsi), QStringLiteral("mac_StampaModCons"),
                            QStringLiteral("Stampa_ModCons_id"), id);
    });
}

void PaginaModelli::btnModStampaElencoClick() {
    m_messaggi.informazione(QStringLiteral("Non ancora implementato"));
}

void PaginaModelli::btnCons_AggiungiArticoloClick() {
    AggiungiRigaArticolo(m_messaggi, *m_selArt, dett(), righeModelli(), idModello(),
                         !m_stato.inModifica);
}

void PaginaModelli::btnCons_EliminaArticoloClick() {
    EliminaRigaArticolo(m_messaggi, dett(), righeModelli());
}
