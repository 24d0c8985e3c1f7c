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
    d.testoStampaElenco = QStringLiteral("Stampa tutti");
    d.schedaPrimaDiElenco = true;
    d.gruppo = QStringLiteral("Fornitori");
    d.macroElenco = QStringLiteral("mac_StampaElencoFornitori");
    d.macroScheda = QStringLiteral("mac_StampaSchedaFornitore");
    d.parametroScheda = QStringLiteral("Stampa_Fornitore_ID");
    d.larghezzaElenco = 330;
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
    const auto aggiungi = [&](const QString& campo, const QString& etichetta, int riga, int colonna,
                              int larghezza = 1) {
        QLineEdit* box = casella(QStringLiteral("edtFor") + campo.at(0).toUpper() + campo.mid(1));
        g->addWidget(new QLabel(etichetta, corpo), riga, colonna);
        g->addWidget(box, riga, colonna + 1, 1, larghezza);
        m_caselle.append({box, campo});
        return box;
    };
    edtForRagsoc = aggiungi(QStringLiteral("ragsoc"), QStringLiteral("Ragione sociale"), 0, 0, 3);
    aggiungi(QStringLiteral("via"), QStringLiteral("Indirizzo"), 1, 0, 3);
    aggiungi(QStringLiteral("cap"), QStringLiteral("CAP"), 2, 0)->setMaximumWidth(70);
    aggiungi(QStringLiteral("citta"), QStringLiteral("Città"), 2, 2);
    aggiungi(QStringLiteral("prov"), QStringLiteral("Pr."), 3, 0)->setMaximumWidth(40);
    aggiungi(QStringLiteral("nazione"), QStringLiteral("Nazione"), 3, 2);
    aggiungi(QStringLiteral("telefono"), QStringLiteral("Telefono"), 4, 0);
    aggiungi(QStringLiteral("fax"), QStringLiteral("Fax"), 4, 2);
    aggiungi(QStringLiteral("email"), QStringLiteral("Email"), 5, 0, 3);
    aggiungi(QStringLiteral("codfisc"), QStringLiteral("Codice fiscale"), 6, 0);
    aggiungi(QStringLiteral("piva"), QStringLiteral("Partita IVA"), 6, 2);
    for (int n = 1; n <= 3; ++n) {
        aggiungi(QStringLiteral("riferimento%1").arg(n),
                 QStringLiteral("Persona di riferimento %1").arg(n), 6 + n, 0);
        aggiungi(QStringLiteral("telefono%1").arg(n), QStringLiteral("Telefono"), 6 + n, 2);
    }
}

DataSet& PaginaFornitori::dataSet(TdmDati& dati) const {
    return dati.tblFornitori;
}

QList<ColonnaGriglia> PaginaFornitori::colonneElenco() const {
    return {{QStringLiteral("codfor"), QStringLiteral("Codice"), 60},
            {QStringLiteral("ragsoc"), QStringLiteral("Ragione sociale"), 200},
            {QStringLiteral("citta"), QStringLiteral("Città"), 0}};
}

void PaginaFornitori::collegaScheda(CollegamentoCampi& collegamento, TdmDati&) {
    griglia()->nascondiColonna(0);
    for (const auto& [box, campo] : std::as_const(m_caselle))
        collegamento.testo(box, campo);
}

void PaginaFornitori::valoriNuovo(DataSet& ds) {
    ds.imposta(QStringLiteral("codfor"), QStringLiteral("0"));
    for (const auto& [box, campo] : std::as_const(m_caselle))
        ds.imposta(campo, QString());
}

bool& PaginaFornitori::nuovoRecord() const {
    return stato().nuovoFornitore;
}

int& PaginaFornitori::idCorrente() const {
    return stato().idCorrenteFornitori;
}

QWidget* PaginaFornitori::primoCampo() const {
    return edtForRagsoc;
}

QString PaginaFornitori::domandaElimina(const DataSet& ds) const {
    return QStringLiteral("Eliminare il fornitore ") + ds.testo(QStringLiteral("ragsoc")) +
           QStringLiteral("?");
}
