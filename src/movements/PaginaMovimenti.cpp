#include "PaginaMovimenti.h"

#include "AbilitaControlli.h"
#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Duplicati.h"
#include "Messaggi.h"
#include "ReportHost.h"
#include "RigheArticoli.h"
#include "StampaReport.h"
#include "StatoMain.h"
#include "Utilitylibrary.h"
#include "Visualizzazione.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

PaginaMovimenti::PaginaMovimenti(const Definizione& definizione, Messaggi& messaggi,
                                 StatoMain& stato, QWidget* parent)
    : PaginaScheda(parent), m_def(definizione), m_messaggi(messaggi), m_stato(stato) {
    setObjectName(m_def.nomeScheda);
    costruisci();
}

PaginaMovimenti::~PaginaMovimenti() = default;

void PaginaMovimenti::costruisci() {
    const QString& s = m_def.sigla;
    m_pannelli = CreaPannelliScheda(this, s, 420, m_def.titoloScheda);
    QWidget* alto = m_pannelli.alto;
    auto* nuovo =
        PulsanteScheda(alto, QStringLiteral("btn%1Nuovo").arg(s), QStringLiteral("&Nuovo"));
    auto* elimina =
        PulsanteScheda(alto, QStringLiteral("btn%1Elimina").arg(s), QStringLiteral("&Elimina"));
    m_modifica =
        PulsanteScheda(alto, QStringLiteral("btn%1Modifica").arg(s), QStringLiteral("&Modifica"));
    m_stampa = PulsanteScheda(alto, QStringLiteral("btn%1Stampa").arg(m_def.siglaRighe),
                              QStringLiteral("&Stampa"));
    QHBoxLayout* pulsantiAlto = m_pannelli.pulsanti;
    pulsantiAlto->addWidget(nuovo);
    pulsantiAlto->addWidget(elimina);
    pulsantiAlto->addWidget(m_modifica);
    pulsantiAlto->addSpacing(24);
    pulsantiAlto->addWidget(m_stampa);
    pulsantiAlto->addStretch();

    // Left panel: the month chooser and the documents of the month.
    QWidget* sinistra = m_pannelli.sinistra;
    auto* riga = new QHBoxLayout;
    riga->addWidget(new QLabel(QStringLiteral("Mese"), sinistra));
    m_mese = new QComboBox(sinistra);
    m_mese->setObjectName(QStringLiteral("cbx%1Mese").arg(s));
    m_mese->setMaxVisibleItems(24);
    riga->addWidget(m_mese, 1);
    m_pannelli.elenco->addLayout(riga);
    m_mast = new Griglia(m_def.nomeMast, sinistra);
    m_pannelli.elenco->addWidget(m_mast, 1);

    // Right panel: the card, its lines and Conferma.
    QWidget* destra = m_pannelli.destra;
    m_corpo = new QWidget(destra);
    m_pannelli.scheda->addWidget(m_corpo);
    m_dett = new Griglia(m_def.nomeDett, destra);
    m_dett->setItemDelegate(new DelegatoAgea(m_dett));
    // Tab passes over the lines to the card's buttons; the arrows move among them.
    m_dett->setTabKeyNavigation(false);
    m_pannelli.scheda->addWidget(m_dett, 1);
    auto* pulsanti = new QHBoxLayout;
    const QString& r = m_def.siglaRighe;
    auto* aggiungi = PulsanteScheda(destra, QStringLiteral("btn%1_AggiungiArticolo").arg(r),
                                    QStringLiteral("&Aggiungi articolo (F5)"));
    auto* togli = PulsanteScheda(destra, QStringLiteral("btn%1_EliminaArticolo").arg(r),
                                 QStringLiteral("E&limina articolo (F6)"));
    auto* conferma =
        PulsanteScheda(destra, QStringLiteral("btn%1Conferma").arg(s), QStringLiteral("&Conferma"));
    pulsanti->addWidget(aggiungi);
    pulsanti->addWidget(togli);
    pulsanti->addStretch();
    pulsanti->addWidget(conferma);
    m_pannelli.scheda->addLayout(pulsanti);

    connect(nuovo, &QPushButton::clicked, this, &PaginaMovimenti::btnNuovoClick);
    connect(elimina, &QPushButton::clicked, this, &PaginaMovimenti::btnEliminaClick);
    connect(m_modifica, &QPushButton::clicked, this, &PaginaMovimenti::btnModificaClick);
    connect(m_stampa, &QPushButton::clicked, this, &PaginaMovimenti::btnStampaClick);
    connect(aggiungi, &QPushButton::clicked, this, &PaginaMovimenti::btnAggiungiArticoloClick);
    connect(togli, &QPushButton::clicked, this, &PaginaMovimenti::btnEliminaArticoloClick);
    connect(conferma, &QPushButton::clicked, this, &PaginaMovimenti::btnConfermaClick);
    connect(m_mese, &QComboBox::currentIndexChanged, this, &PaginaMovimenti::cbxMeseChange);
}

QLineEdit* PaginaMovimenti::casella(const QString& nome, QWidget* genitore) {
    auto* box = new QLineEdit(genitore);
    box->setObjectName(nome);
    return box;
}

void PaginaMovimenti::collegaDati(TdmDati& dati, const Percorsi& percorsi,
                                  const DialoghiMovimenti& dialoghi) {
    m_dati = &dati;
    m_percorsi = percorsi;
    m_dialoghi = dialoghi;
    m_mast->collega(mast(), colonneElenco());
    m_dett->collega(dett(), colonneRighe());
    m_collegamento = new CollegamentoCampi(mast(), this);
    collegaScheda(*m_collegamento, dati);
}

QList<ColonnaGriglia> PaginaMovimenti::colonneRighe() const {
    return ColonneRigheArticoli();
}

TabellaRighe PaginaMovimenti::righe() const {
    return {m_def.tabellaRighe, QStringLiteral("master_id"), m_def.documento};
}

DataSet& PaginaMovimenti::mast() const {
    return (*m_dati).*m_def.mast;
}

DataSet& PaginaMovimenti::dett() const {
    return (*m_dati).*m_def.dett;
}

int PaginaMovimenti::idDocumento() const {
    return IdCorrente(mast());
}

QDate PaginaMovimenti::dataDocumento() const {
    return mast().riga() < 0 ? QDate() : mast().valore(QStringLiteral("data")).toDate();
}

// Browse mode: list, month chooser and buttons enabled, card disabled; edit mode the
// reverse.
void PaginaMovimenti::modalitaModifica(bool modifica) {
    AbilitaModifica(m_pannelli, modifica, m_stato.ColoreDisabilitato);
    m_stato.ImpostaModifica(modifica);
    if (!modifica)
        m_mast->setFocus();
}

void PaginaMovimenti::FiltroMese() {
    if (ImpostaFiltroMese(mast(), m_mese))
        m_dati->Rinfresca(m_def.gruppo);
}

void PaginaMovimenti::cbxMeseChange() {
    if (m_dati)
        EseguiOperazione(m_messaggi, QStringLiteral("leggere i documenti del mese"),
                         [this] { FiltroMese(); });
}

void PaginaMovimenti::ricostruisci(int id) {
    QDate primo, ultimo;
    const bool esistono = IntervalloDate(m_def.tabella, primo, ultimo);
    if (esistono) {
        // The document's month is read from the table: the document may lie outside the
        // month now listed.
        QDate mese = utDataDaTesto(
            DbValore(m_def.tabella, QStringLiteral("data"), QStringLiteral("ID=%1").arg(id)));
        if (!mese.isValid())
            mese = ultimo;
        {
            const QSignalBlocker blocco(m_mese);
            RiempiMesi(m_mese, primo, ultimo);
            SelezionaMese(m_mese, mese);
        }
        FiltroMese();
        PosizionaId(mast(), id);
    }
    m_modifica->setEnabled(esistono);
    m_stampa->setEnabled(esistono);
}

void PaginaMovimenti::Mostra() {
    EseguiOperazione(m_messaggi, QStringLiteral("leggere i documenti"),
                     [this] { ricostruisci(m_stato.*m_def.idCorrente); });
}

void PaginaMovimenti::Nascondi() {
    m_stato.*m_def.idCorrente = idDocumento();
}

bool PaginaMovimenti::tabellaVuota(const QString& tabella) {
    return DbValore(tabella, QStringLiteral("COUNT(*)"), QString()).toInt() == 0;
}

int PaginaMovimenti::registraNuovo(const std::function<void(DataSet&)>& valori) {
    DataSet& d = mast();
    int id = 0;
    const bool registrato =
        EseguiOperazione(m_messaggi, QStringLiteral("creare il nuovo documento"), [&] {
            d.aggiungi();
            valori(d);
            d.registra();
            id = d.idRegistrato();
        });
    if (!registrato)
        d.annulla();
    return registrato ? id : 0;
}

void PaginaMovimenti::apriNuovo(int id) {
    EseguiOperazione(m_messaggi, QStringLiteral("leggere i documenti"), [&] { ricostruisci(id); });
    btnModificaClick();
}

void PaginaMovimenti::btnModificaClick() {
    if (mast().vuoto())
        return;
    modalitaModifica(true);
    inizioModifica();
    primoCampo()->setFocus();
}

void PaginaMovimenti::btnConfermaClick() {
    DataSet& d = mast();
    const int id = idDocumento();
    QDate data;
    if (!controllaConferma(data))
        return;
    // The card's pending changes and its date are stored first: a refused store keeps the
    // card open with what was typed.
    const bool registrato =
        EseguiOperazione(m_messaggi, QStringLiteral("registrare il documento"), [&] {
            if (d.valore(QStringLiteral("data")).toDate() != data) {
                if (d.stato() == DataSet::Stato::Consultazione)
                    d.modifica();
                d.imposta(QStringLiteral("data"), data);
            }
            if (d.stato() != DataSet::Stato::Consultazione)
                d.registra();
        });
    if (!registrato)
        return;
    modalitaModifica(false);
    EseguiOperazione(m_messaggi, QStringLiteral("completare il documento"), [&] {
        m_dati->Rinfresca(m_def.gruppo);
        CheckArticoliDuplicatiUnaTabella(m_def.tabellaRighe, QStringLiteral("master_id"), id);
        m_dati->Rinfresca(m_def.gruppo);
        righeDefinitive(data);
    });
    EseguiOperazione(m_messaggi, QStringLiteral("leggere i documenti"), [&] { ricostruisci(id); });
}

bool PaginaMovimenti::leggiData(QDate& data) {
    data = utDataDaTesto(casellaData()->text().trimmed());
    if (!data.isValid())
        m_messaggi.informazione(QStringLiteral("La data del documento non è corretta."));
    return data.isValid();
}

void PaginaMovimenti::btnEliminaClick() {
    DataSet& d = mast();
    if (d.vuoto())
        return;
    const QString domanda = QStringLiteral("Eliminare il documento di %1 n.").arg(m_def.documento) +
                            d.testo(QStringLiteral("nrDocumento")) + QStringLiteral("?");
    if (!m_messaggi.domandaSiNo(domanda))
        return;
    const QDate data = dataDocumento();
    if (EseguiOperazione(m_messaggi, QStringLiteral("eliminare il documento"), [&] {
            d.elimina();
            righeDefinitive(data);
        }))
        EseguiOperazione(m_messaggi, QStringLiteral("leggere i documenti"),
                         [&] { ricostruisci(idDocumento()); });
}

void PaginaMovimenti::btnStampaClick() {
    if (mast().vuoto())
        return;
    const QString id = QString::number(idDocumento());
    EseguiOperazione(m_messaggi, QStringLiteral("stampare il documento"), [&] {
        StampaConReportHost(m_messaggi, ReportHost(m_percorsi), m_def.macroStampa,
                            m_def.parametroStampa, id);
    });
}

void PaginaMovimenti::btnAggiungiArticoloClick() {
    AggiungiRigaArticolo(m_messaggi, *m_dialoghi.selArt, dett(), righe(), idDocumento(),
                         !m_stato.inModifica, [this] { righeDefinitive(dataDocumento()); });
}

void PaginaMovimenti::btnEliminaArticoloClick() {
    EliminaRigaArticolo(m_messaggi, dett(), righe(), [this] {
        if (!m_stato.inModifica)
            righeDefinitive(dataDocumento());
    });
}
