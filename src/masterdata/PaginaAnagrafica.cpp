#include "PaginaAnagrafica.h"

#include "AbilitaControlli.h"
#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Messaggi.h"
#include "ReportHost.h"
#include "Ricerca.h"
#include "StampaReport.h"
#include "StatoMain.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PaginaAnagrafica::PaginaAnagrafica(const Definizione& definizione, Messaggi& messaggi,
                                   StatoMain& stato, QWidget* parent)
    : PaginaScheda(parent), m_def(definizione), m_messaggi(messaggi), m_stato(stato) {
    setObjectName(m_def.nomeScheda);
    costruisci();
}

PaginaAnagrafica::~PaginaAnagrafica() = default;

void PaginaAnagrafica::costruisci() {
    const QString& s = m_def.sigla;
    m_pannelli = CreaPannelliScheda(this, s, m_def.larghezzaElenco, m_def.titoloScheda);
    QWidget* alto = m_pannelli.alto;
    auto* nuovo =
        PulsanteScheda(alto, QStringLiteral("btn%1Nuovo").arg(s), QStringLiteral("&Nuovo"));
    auto* modifica =
        PulsanteScheda(alto, QStringLiteral("btn%1Modifica").arg(s), QStringLiteral("&Modifica"));
    auto* elimina =
        PulsanteScheda(alto, QStringLiteral("btn%1Elimina").arg(s), QStringLiteral("&Elimina"));
    auto* elenco =
        PulsanteScheda(alto, QStringLiteral("btn%1StampaElenco").arg(s), m_def.testoStampaElenco);
    auto* scheda =
        PulsanteScheda(alto, QStringLiteral("btn%1StampaScheda").arg(s), QStringLiteral("&Stampa"));
    QHBoxLayout* pulsanti = m_pannelli.pulsanti;
    pulsanti->addWidget(nuovo);
    pulsanti->addWidget(modifica);
    pulsanti->addWidget(elimina);
    pulsanti->addSpacing(24);
    pulsanti->addWidget(m_def.schedaPrimaDiElenco ? scheda : elenco);
    pulsanti->addWidget(m_def.schedaPrimaDiElenco ? elenco : scheda);
    pulsanti->addStretch();

    // Left panel: search box and list.
    QWidget* sinistra = m_pannelli.sinistra;
    auto* riga = new QHBoxLayout;
    riga->addWidget(new QLabel(m_def.etichettaCerca, sinistra));
    m_cerca = new QLineEdit(sinistra);
    m_cerca->setObjectName(QStringLiteral("edt%1Cerca").arg(s));
    m_cerca->setClearButtonEnabled(true);
    riga->addWidget(m_cerca, 1);
    m_pannelli.elenco->addLayout(riga);
    m_griglia = new Griglia(m_def.nomeGriglia, sinistra);
    m_pannelli.elenco->addWidget(m_griglia, 1);

    // Right panel: the card, with Conferma and Annulla.
    QWidget* destra = m_pannelli.destra;
    m_corpo = new QWidget(destra);
    m_pannelli.scheda->addWidget(m_corpo);
    m_pannelli.scheda->addStretch();
    auto* conferme = new QHBoxLayout;
    conferme->addStretch();
    auto* conferma =
        PulsanteScheda(destra, QStringLiteral("btn%1Conferma").arg(s), QStringLiteral("&Conferma"));
    auto* annulla =
        PulsanteScheda(destra, QStringLiteral("btn%1Annulla").arg(s), QStringLiteral("&Annulla"));
    conferme->addWidget(conferma);
    conferme->addWidget(annulla);
    // Escape in the card does what Annulla does.
    m_pannelli.destra->impostaAnnulla(annulla);
    m_pannelli.scheda->addLayout(conferme);

    connect(nuovo, &QPushButton::clicked, this, &PaginaAnagrafica::btnNuovoClick);
    connect(modifica, &QPushButton::clicked, this, &PaginaAnagrafica::btnModificaClick);
    connect(elimina, &QPushButton::clicked, this, &PaginaAnagrafica::btnEliminaClick);
    connect(elenco, &QPushButton::clicked, this, &PaginaAnagrafica::btnStampaElencoClick);
    connect(scheda, &QPushButton::clicked, this, &PaginaAnagrafica::btnStampaSchedaClick);
    connect(conferma, &QPushButton::clicked, this, &PaginaAnagrafica::btnConfermaClick);
    connect(annulla, &QPushButton::clicked, this, &PaginaAnagrafica::btnAnnullaClick);
    connect(m_cerca, &QLineEdit::textChanged, this, &PaginaAnagrafica::AnagCerca_OnChange);
}

void PaginaAnagrafica::aggiungiSottoElenco(QWidget* controllo) {
    controllo->setParent(m_pannelli.sinistra);
    m_pannelli.elenco->addWidget(controllo);
}

void PaginaAnagrafica::aggiungiPulsante(QPushButton* pulsante) {
    pulsante->setParent(m_pannelli.alto);
    m_pannelli.pulsanti->insertWidget(m_pannelli.pulsanti->count() - 1, pulsante);
}

QLineEdit* PaginaAnagrafica::casella(const QString& nome) {
    auto* box = new QLineEdit(m_corpo);
    box->setObjectName(nome);
    return box;
}

QLineEdit* PaginaAnagrafica::casellaTesto(QGridLayout* g, const QString& campo,
                                          const QString& etichetta, int riga, int colonna,
                                          int larghezza) {
    QLineEdit* box =
        casella(QStringLiteral("edt") + m_def.sigla + campo.at(0).toUpper() + campo.mid(1));
    g->addWidget(new QLabel(etichetta, m_corpo), riga, colonna);
    g->addWidget(box, riga, colonna + 1, 1, larghezza);
    m_caselleTesto.append({box, campo});
    return box;
}

void PaginaAnagrafica::caselleIndirizzo(QGridLayout* g, int riga) {
    casellaTesto(g, QStringLiteral("via"), QStringLiteral("Indirizzo"), riga, 0, 3);
    // Short codes get short boxes.
    casellaTesto(g, QStringLiteral("cap"), QStringLiteral("CAP"), riga + 1, 0)->setMaximumWidth(70);
    casellaTesto(g, QStringLiteral("citta"), QStringLiteral("Città"), riga + 1, 2);
    casellaTesto(g, QStringLiteral("prov"), QStringLiteral("Pr."), riga + 2, 0)
        ->setMaximumWidth(40);
    casellaTesto(g, QStringLiteral("nazione"), QStringLiteral("Nazione"), riga + 2, 2);
}

QStringList PaginaAnagrafica::campiTesto() const {
    QStringList campi;
    for (const auto& casella : m_caselleTesto)
        campi << casella.second;
    return campi;
}

void PaginaAnagrafica::collegaDati(TdmDati& dati, const Percorsi& percorsi) {
    m_dati = &dati;
    m_percorsi = percorsi;
    m_griglia->collega(ds(), colonneElenco());
    m_collegamento = new CollegamentoCampi(ds(), this);
    for (const auto& [box, campo] : std::as_const(m_caselleTesto))
        m_collegamento->testo(box, campo);
    collegaScheda(*m_collegamento, dati);
}

DataSet& PaginaAnagrafica::ds() const {
    return (*m_dati).*m_def.dataSet;
}

// Browse mode: list, search and buttons enabled, card disabled; edit mode the reverse.
void PaginaAnagrafica::modalitaModifica(bool modifica) {
    AbilitaModifica(m_pannelli, modifica, m_stato.ColoreDisabilitato);
    if (!modifica)
        m_griglia->setFocus();
}

void PaginaAnagrafica::btnNuovoClick() {
    DataSet& d = ds();
    m_cerca->clear();
    d.setFiltrato(false);
    const bool registrato =
        EseguiOperazione(m_messaggi, QStringLiteral("creare la nuova scheda"), [&] {
            d.aggiungi();
            valoriNuovo(d);
            d.registra();
        });
    if (!registrato) {
        d.annulla();
        return;
    }
    nuovoRecord() = true;
    btnModificaClick();
}

void PaginaAnagrafica::btnModificaClick() {
    if (ds().vuoto())
        return;
    modalitaModifica(true);
    inizioModifica();
    m_stato.ImpostaModifica(true);
    primoCampo()->setFocus();
}

void PaginaAnagrafica::btnConfermaClick() {
    DataSet& d = ds();
    if (!controllaConferma(d))
        return;
    if (!EseguiOperazione(m_messaggi, QStringLiteral("registrare la scheda"),
                          [&] { d.registra(); }))
        return;
    m_dati->Rinfresca(m_def.gruppo);
    modalitaModifica(false);
    fineModifica();
    m_stato.ImpostaModifica(false);
    nuovoRecord() = false;
}

void PaginaAnagrafica::btnAnnullaClick() {
    DataSet& d = ds();
    d.annulla();
    if (nuovoRecord() && !EseguiOperazione(m_messaggi, QStringLiteral("eliminare la nuova scheda"),
                                           [&] { d.elimina(); }))
        return;
    nuovoRecord() = false;
    m_dati->Rinfresca(m_def.gruppo);
    modalitaModifica(false);
    fineModifica();
    m_stato.ImpostaModifica(false);
}

void PaginaAnagrafica::btnEliminaClick() {
    DataSet& d = ds();
    if (d.vuoto() || !m_messaggi.domandaSiNo(domandaElimina(d)))
        return;
    if (!EseguiOperazione(m_messaggi, QStringLiteral("eliminare la scheda"), [&] { d.elimina(); }))
        return;
    d.setFiltrato(false);
    d.rinfresca();
}

void PaginaAnagrafica::btnStampaElencoClick() {
    if (ds().vuoto())
        return;
    StampaConReportHost(m_messaggi, ReportHost(m_percorsi), m_def.macroElenco);
}

void PaginaAnagrafica::btnStampaSchedaClick() {
    if (ds().vuoto())
        return;
    const QString id = ds().valore(QStringLiteral("ID")).toString();
    EseguiOperazione(m_messaggi, QStringLiteral("stampare la scheda"), [&] {
        StampaConReportHost(m_messaggi, ReportHost(m_percorsi), m_def.macroScheda,
                            m_def.parametroScheda, id);
    });
}

void PaginaAnagrafica::Mostra() {
    m_griglia->hide();
    m_cerca->setFocus();
    m_dati->Rinfresca(m_def.gruppo);
    PosizionaId(ds(), idCorrente());
    m_griglia->show();
}

void PaginaAnagrafica::Nascondi() {
    idCorrente() = IdCorrente(ds());
    ds().setFiltrato(false);
    m_cerca->clear();
}

void PaginaAnagrafica::AnagCerca_OnChange() {
    if (!m_dati || ApplicaRicerca(*m_dati, ds(), m_cerca))
        return;
    // Nothing matches: say so and go back one character. Setting the text is a change
    // of the box again, so the cutting repeats until the text matches or is empty.
    m_messaggi.informazione(QStringLiteral("Nessuna corrispondenza"));
    m_cerca->setText(m_cerca->text().chopped(1));
    m_cerca->deselect();
    m_cerca->end(false);
}
