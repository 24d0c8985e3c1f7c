#include "PaginaCarichi.h"

#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Messaggi.h"
#include "StatoMain.h"
#include "TfrmNewCar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
PaginaMovimenti::Definizione definizione() {
    return {.nomeScheda = QStringLiteral("tsCarichi"),
            .sigla = QStringLiteral("Car"),
            .siglaRighe = QStringLiteral("Car"),
            .nomeMast = QStringLiteral("grCarichiMast"),
            .nomeDett = QStringLiteral("grCarichiDett"),
            .titoloScheda = QStringLiteral("Dettagli Carico"),
            .tabella = QStringLiteral("carichi_mast"),
            .tabellaRighe = QStringLiteral("carichi_dett"),
            .gruppo = QStringLiteral("Carichi"),
            .documento = QStringLiteral("carico"),
            .macroStampa = QStringLiteral("mac_StampaSchedaCarico"),
            .parametroStampa = QStringLiteral("Stampa_Carico_ID"),
            .mast = &TdmDati::tblCarichi_mast,
            .dett = &TdmDati::tblCarichi_dett,
            .idCorrente = &StatoMain::idCorrenteCarichi};
}
} // namespace

PaginaCarichi::PaginaCarichi(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaMovimenti(definizione(), messaggi, stato, parent) {
    QWidget* corpo = corpoScheda();
    auto* g = new QGridLayout(corpo);
    g->setContentsMargins(0, 0, 0, 0);
    edtCarForID = new QComboBox(corpo);
    edtCarForID->setObjectName(QStringLiteral("edtCarForID"));
    edtCarData = casella(QStringLiteral("edtCarData"), corpo);
    edtCarData->setMaximumWidth(100);
    edtCarNrDocumento = casella(QStringLiteral("edtCarNrDocumento"), corpo);
    g->addWidget(new QLabel(QStringLiteral("Fornitore"), corpo), 0, 0);
    g->addWidget(edtCarForID, 0, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Del"), corpo), 1, 0);
    g->addWidget(edtCarData, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Documento n."), corpo), 1, 2);
    g->addWidget(edtCarNrDocumento, 1, 3);
}

QList<ColonnaGriglia> PaginaCarichi::colonneElenco() const {
    return {{QStringLiteral("ID"), QStringLiteral("ID"), 40},
            {QStringLiteral("nrDocumento"), QStringLiteral("Num.doc."), 0,
             QStringLiteral("DDT 123/25")},
            {QStringLiteral("data"), QStringLiteral("Data"), 0, QStringLiteral("00/00/0000")},
            {QStringLiteral("luFornitoreRagsoc"), QStringLiteral("Fornitore"), 0}};
}

void PaginaCarichi::collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) {
    collegamento.elenco(edtCarForID, QStringLiteral("fornitore_id"), dati.tblFornitori,
                        QStringLiteral("ragsoc"));
    collegamento.mostra(edtCarData, QStringLiteral("data"));
    collegamento.testo(edtCarNrDocumento, QStringLiteral("nrDocumento"));
}

QWidget* PaginaCarichi::primoCampo() const {
    return edtCarForID;
}

void PaginaCarichi::btnNuovoClick() {
    bool nessunArticolo = false;
    bool nessunFornitore = false;
    if (!EseguiOperazione(messaggi(), QStringLiteral("leggere gli articoli e i fornitori"), [&] {
            nessunArticolo = tabellaVuota(QStringLiteral("articoli"));
            nessunFornitore = tabellaVuota(QStringLiteral("fornitori"));
        }))
        return;
    if (nessunArticolo) {
        messaggi().informazione(QStringLiteral("Non ci sono articoli."));
        return;
    }
    if (nessunFornitore) {
        messaggi().informazione(QStringLiteral("Non ci sono fornitori"));
        return;
    }
    TfrmNewCar& dialogo = *dialoghi().newCar;
    if (messaggi().esegui(dialogo) == QDialog::Rejected)
        return;
    const int id = registraNuovo([&](DataSet& d) {
        d.imposta(QStringLiteral("data"), dialogo.dataScelta());
        d.imposta(QStringLiteral("nrDocumento"), dialogo.numeroScelto());
        d.imposta(QStringLiteral("fornitore_id"), dialogo.fornitoreScelto());
    });
    if (id != 0)
        apriNuovo(id);
}
