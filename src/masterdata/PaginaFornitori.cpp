#include "PaginaFornitori.h"

#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "StatoMain.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
PaginaAnagrafica::Definizione definizione() {
    PaginaAnagrafica::Definizione d;
    d.nomeScheda = QStringLiteral("tsFornitori");
    d.sigla = QStringLiteral("For");
    d.nomeGriglia = QStringLiteral("grFornitori");
    d.titoloScheda = QStringLiteral("Scheda Fornitore");
    d.etichettaCerca = QStringLiteral("Ragione sociale  ");
    d.testoStampaElenco = QStringLiteral("Stampa &tutti");
    d.schedaPrimaDiElenco = true;
    d.gruppo = QStringLiteral("Fornitori");
    d.macroElenco = QStringLiteral("mac_StampaElencoFornitori");
    d.macroScheda = QStringLiteral("mac_StampaSchedaFornitore");
    d.parametroScheda = QStringLiteral("Stampa_Fornitore_ID");
    d.larghezzaElenco = 330;
    d.dataSet = &TdmDati::tblFornitori;
    d.nuovo = &StatoMain::nuovoFornitore;
    d.idCorrente = &StatoMain::idCorrenteFornitori;
    return d;
}
} // namespace

PaginaFornitori::PaginaFornitori(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaAnagrafica(definizione(), messaggi, stato, parent) {
    QWidget* corpo = corpoScheda();
    auto* g = new QGridLayout(corpo);
    g->setContentsMargins(0, 0, 0, 0);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    edtForRagsoc =
        casellaTesto(g, QStringLiteral("ragsoc"), QStringLiteral("Ragione sociale"), 0, 0, 3);
    caselleIndirizzo(g, 1);
    casellaTesto(g, QStringLiteral("telefono"), QStringLiteral("Telefono"), 4, 0);
    casellaTesto(g, QStringLiteral("fax"), QStringLiteral("Fax"), 4, 2);
    casellaTesto(g, QStringLiteral("email"), QStringLiteral("Email"), 5, 0, 3);
    casellaTesto(g, QStringLiteral("codfisc"), QStringLiteral("Codice fiscale"), 6, 0);
    casellaTesto(g, QStringLiteral("piva"), QStringLiteral("Partita IVA"), 6, 2);
    for (int n = 1; n <= 3; ++n) {
        casellaTesto(g, QStringLiteral("riferimento%1").arg(n),
                     QStringLiteral("Persona di riferimento %1").arg(n), 6 + n, 0);
        casellaTesto(g, QStringLiteral("telefono%1").arg(n), QStringLiteral("Telefono"), 6 + n, 2);
    }
}

QList<ColonnaGriglia> PaginaFornitori::colonneElenco() const {
    return {{QStringLiteral("codfor"), QStringLiteral("Codice"), 60},
            {QStringLiteral("ragsoc"), QStringLiteral("Ragione sociale"), 0,
             QStringLiteral("Banco Alimentare della Lombardia")},
            {QStringLiteral("citta"), QStringLiteral("Città"), 0}};
}

void PaginaFornitori::collegaScheda(CollegamentoCampi&, TdmDati&) {
    griglia()->nascondiColonna(0);
}

void PaginaFornitori::valoriNuovo(DataSet& ds) {
    ds.imposta(QStringLiteral("codfor"), QStringLiteral("0"));
    for (const QString& campo : campiTesto())
        ds.imposta(campo, QString());
}

QWidget* PaginaFornitori::primoCampo() const {
    return edtForRagsoc;
}

QString PaginaFornitori::domandaElimina(const DataSet& ds) const {
    return QStringLiteral("Eliminare il fornitore ") + ds.testo(QStringLiteral("ragsoc")) +
           QStringLiteral("?");
}
