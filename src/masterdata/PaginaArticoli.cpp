#include "PaginaArticoli.h"

#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Messaggi.h"
#include "PannelliScheda.h"
#include "StatoMain.h"
#include "TfrmGiacenze.h"
#include "Utilitylibrary.h"
#include "Visualizzazione.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
PaginaAnagrafica::Definizione definizione() {
    PaginaAnagrafica::Definizione d;
    d.nomeScheda = QStringLiteral("tsArticoli");
    d.sigla = QStringLiteral("Art");
    d.nomeGriglia = QStringLiteral("grArticoli");
    d.titoloScheda = QStringLiteral("Scheda Articolo");
    d.etichettaCerca = QStringLiteral("Descrizione  ");
    d.testoStampaElenco = QStringLiteral("&Inventario");
    d.schedaPrimaDiElenco = false;
    d.gruppo = QStringLiteral("Articoli");
    d.macroElenco = QStringLiteral("mac_StampaElencoArticoli");
    d.macroScheda = QStringLiteral("mac_StampaSchedaArticolo");
    d.parametroScheda = QStringLiteral("Stampa_Articolo_ID");
    d.larghezzaElenco = 430;
    d.dataSet = &TdmDati::tblArticoli;
    d.nuovo = &StatoMain::nuovoArticolo;
    d.idCorrente = &StatoMain::idCorrenteArticoli;
    return d;
}
} // namespace

PaginaArticoli::PaginaArticoli(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaAnagrafica(definizione(), messaggi, stato, parent) {
    auto* legenda = new QLabel(
        QStringLiteral("N.B. : gli articoli in <b><font color=\"#ff0000\">ROSSO</font></b> "
                       "sono prodotti AGEA."));
    legenda->setObjectName(QStringLiteral("lblArtLegenda"));
    aggiungiSottoElenco(legenda);

    auto* giacenze =
        PulsanteScheda(this, QStringLiteral("btnArtGiacenze"), QStringLiteral("Giacenze"));
    aggiungiPulsante(giacenze);
    connect(giacenze, &QPushButton::clicked, this, &PaginaArticoli::btnArtGiacenzeClick);

    QWidget* corpo = corpoScheda();
    auto* g = new QGridLayout(corpo);
    g->setContentsMargins(0, 0, 0, 0);
    edtArtDescr = casella(QStringLiteral("edtArtDescr"));
    luArtUm = new QComboBox(corpo);
    luArtUm->setObjectName(QStringLiteral("luArtUm"));
    cbxArtAgea = new QCheckBox(QStringLiteral("Prodotto AGEA"), corpo);
    cbxArtAgea->setObjectName(QStringLiteral("cbxArtAgea"));
    lblGiac0 = new QLabel(QStringLiteral("Giacenza INIZIALE"), corpo);
    lblGiac0->setObjectName(QStringLiteral("lblGiac0"));
    edtArtGiacenza = casella(QStringLiteral("edtArtGiacenza"));
    edtArtGiacenza->setMaximumWidth(120);
    // The minimum stock belongs to the card but is never shown.
    edtArtScortamin = casella(QStringLiteral("edtArtScortamin"));
    edtArtScortamin->hide();

    g->addWidget(new QLabel(QStringLiteral("Descrizione"), corpo), 0, 0);
    g->addWidget(edtArtDescr, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Unità di misura"), corpo), 1, 0);
    g->addWidget(luArtUm, 1, 1);
    g->addWidget(cbxArtAgea, 2, 1, Qt::AlignLeft);
    g->addWidget(lblGiac0, 3, 0);
    g->addWidget(edtArtGiacenza, 3, 1, Qt::AlignLeft);
    g->setColumnStretch(1, 1);
    mostraGiacenza(false);
}

QList<ColonnaGriglia> PaginaArticoli::colonneElenco() const {
    return {{QStringLiteral("ID"), QStringLiteral("#"), 50},
            {QStringLiteral("descr"), QStringLiteral("Descrizione"), 300},
            {QStringLiteral("luUm"), QStringLiteral("U.M."), 0}};
}

void PaginaArticoli::collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) {
    griglia()->setItemDelegate(new DelegatoAgea(griglia()));
    collegamento.testo(edtArtDescr, QStringLiteral("descr"));
    collegamento.elenco(luArtUm, QStringLiteral("um_id"), dati.tblLstUm, QStringLiteral("descr"));
    collegamento.casella(cbxArtAgea, QStringLiteral("agea"));
    collegamento.numero(edtArtGiacenza, QStringLiteral("giacenza"));
    collegamento.numero(edtArtScortamin, QStringLiteral("scortamin"));
}

void PaginaArticoli::valoriNuovo(DataSet& ds) {
    ds.imposta(QStringLiteral("codint"), QStringLiteral("0"));
    ds.imposta(QStringLiteral("descr"), QString());
    ds.imposta(QStringLiteral("catmerc_id"), 0);
    ds.imposta(QStringLiteral("um_id"), 0);
    ds.imposta(QStringLiteral("giacenza"), 0.0);
    ds.imposta(QStringLiteral("scortamin"), 0.0);
    ds.imposta(QStringLiteral("agea"), false);
}

QWidget* PaginaArticoli::primoCampo() const {
    return edtArtDescr;
}

QString PaginaArticoli::domandaElimina(const DataSet& ds) const {
    return QStringLiteral("Eliminare l'articolo ") + ds.testo(QStringLiteral("descr")) +
           QStringLiteral("?");
}

// The opening stock can be typed only for an article that is being created.
void PaginaArticoli::inizioModifica() {
    mostraGiacenza(nuovoRecord());
}

void PaginaArticoli::fineModifica() {
    mostraGiacenza(false);
}

// The stock of every article at a chosen day, printed or exported.
void PaginaArticoli::btnArtGiacenzeClick() {
    TfrmGiacenze dialogo(messaggi(), percorsi(), window());
    messaggi().esegui(dialogo);
}

// The opening stock box holds a number as the user types it ("1.500" is 1500) or nothing:
// any other text is refused, never stored as a different quantity.
bool PaginaArticoli::controllaConferma(DataSet&) {
    const QString giacenza = edtArtGiacenza->text().trimmed();
    bool ok = true;
    if (!edtArtGiacenza->isHidden() && !giacenza.isEmpty())
        utNumeroDigitato(giacenza, &ok);
    if (!ok) {
        messaggi().informazione(QStringLiteral("La giacenza iniziale non è corretta."));
        edtArtGiacenza->setFocus();
    }
    return ok;
}

void PaginaArticoli::mostraGiacenza(bool visibile) {
    lblGiac0->setVisible(visibile);
    edtArtGiacenza->setVisible(visibile);
}
