#include "PaginaNominativi.h"

#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Messaggi.h"
#include "StatoMain.h"
#include "Utilitylibrary.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
PaginaAnagrafica::Definizione definizione() {
    PaginaAnagrafica::Definizione d;
    d.nomeScheda = QStringLiteral("tsNominativi");
    d.sigla = QStringLiteral("Nom");
    d.nomeGriglia = QStringLiteral("grNominativi");
    d.titoloScheda = QStringLiteral("Scheda Nominativo");
    d.etichettaCerca = QStringLiteral("Cognome  ");
    d.testoStampaElenco = QStringLiteral("Stampa &tutti");
    d.schedaPrimaDiElenco = true;
    d.gruppo = QStringLiteral("Nominativi");
    d.macroElenco = QStringLiteral("mac_StampaElencoNominativi");
    d.macroScheda = QStringLiteral("mac_StampaSchedaNominativo");
    d.parametroScheda = QStringLiteral("Stampa_Nominativo_ID");
    d.larghezzaElenco = 330;
    d.dataSet = &TdmDati::tblNominativi;
    d.nuovo = &StatoMain::nuovoNominativo;
    d.idCorrente = &StatoMain::idCorrenteNominativi;
    return d;
}

constexpr int MASSIMO_FAMILIARI = 32767;

// The text fields a new beneficiary starts with empty.
const QStringList CAMPI_VUOTI = {
    QStringLiteral("cognome"),      QStringLiteral("nome"),        QStringLiteral("via"),
    QStringLiteral("cap"),          QStringLiteral("citta"),       QStringLiteral("prov"),
    QStringLiteral("nazione"),      QStringLiteral("nazionalita"), QStringLiteral("telefono1"),
    QStringLiteral("telefono2"),    QStringLiteral("email"),       QStringLiteral("codfisc"),
    QStringLiteral("statoCivile"),  QStringLiteral("natoA"),       QStringLiteral("note"),
    QStringLiteral("dettFamiliari")};
} // namespace

PaginaNominativi::PaginaNominativi(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaAnagrafica(definizione(), messaggi, stato, parent) {
    QWidget* corpo = corpoScheda();
    auto* g = new QGridLayout(corpo);
    g->setContentsMargins(0, 0, 0, 0);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    edtNomCognome = casellaTesto(g, QStringLiteral("cognome"), QStringLiteral("Cognome"), 0, 0);
    edtNomNome = casellaTesto(g, QStringLiteral("nome"), QStringLiteral("Nome"), 0, 2);
    caselleIndirizzo(g, 1);
    casellaTesto(g, QStringLiteral("telefono1"), QStringLiteral("Telefono 1"), 4, 0);
    casellaTesto(g, QStringLiteral("telefono2"), QStringLiteral("Telefono 2"), 4, 2);
    casellaTesto(g, QStringLiteral("email"), QStringLiteral("Email"), 5, 0, 3);
    casellaTesto(g, QStringLiteral("natoIl"), QStringLiteral("Nato il"), 6, 0);
    casellaTesto(g, QStringLiteral("natoA"), QStringLiteral("Nato a"), 6, 2);
    casellaTesto(g, QStringLiteral("nazionalita"), QStringLiteral("Nazionalità"), 7, 0);
    casellaTesto(g, QStringLiteral("statoCivile"), QStringLiteral("Stato civile"), 7, 2);
    casellaTesto(g, QStringLiteral("codfisc"), QStringLiteral("Codice fiscale"), 8, 0);

    edtNomNote = new QPlainTextEdit(corpo);
    edtNomNote->setObjectName(QStringLiteral("edtNomNote"));
    edtNomNote->setFixedHeight(52);
    g->addWidget(new QLabel(QStringLiteral("Note"), corpo), 9, 0, Qt::AlignTop);
    g->addWidget(edtNomNote, 9, 1, 1, 3);

    auto* etichettaFam = new QLabel(
        QStringLiteral("Numero componenti nucleo famigliare (inclusa questa persona)"), corpo);
    g->addWidget(etichettaFam, 10, 0, 1, 3);
    edtNumFam = casella(QStringLiteral("edtNumFam"));
    edtNumFam->setMaxLength(9);
    edtNumFam->setMaximumWidth(70);
    g->addWidget(edtNumFam, 10, 3);

    g->addWidget(new QLabel(QStringLiteral("Dettagli componenti nucleo famigliare"), corpo), 11, 0,
                 1, 4);
    edtNomDettFamiliari = new QPlainTextEdit(corpo);
    edtNomDettFamiliari->setObjectName(QStringLiteral("edtNomDettFamiliari"));
    edtNomDettFamiliari->setFixedHeight(90);
    g->addWidget(edtNomDettFamiliari, 12, 0, 1, 4);
}

QList<ColonnaGriglia> PaginaNominativi::colonneElenco() const {
    return {{QStringLiteral("cognome"), QStringLiteral("Cognome"), 0,
             QStringLiteral("Esposito Bianchi")},
            {QStringLiteral("nome"), QStringLiteral("Nome"), 0, QStringLiteral("Maria Grazia")},
            {QStringLiteral("citta"), QStringLiteral("Città"), 0}};
}

void PaginaNominativi::collegaScheda(CollegamentoCampi& collegamento, TdmDati&) {
    collegamento.memo(edtNomNote, QStringLiteral("note"));
    collegamento.memo(edtNomDettFamiliari, QStringLiteral("dettFamiliari"));
    // The family size is read from its box when the card is confirmed.
    collegamento.mostra(edtNumFam, QStringLiteral("numFamiliari"));
}

void PaginaNominativi::valoriNuovo(DataSet& ds) {
    for (const QString& campo : CAMPI_VUOTI)
        ds.imposta(campo, QString());
    ds.imposta(QStringLiteral("natoIl"), QStringLiteral("0"));
    ds.imposta(QStringLiteral("numFamiliari"), 0);
}

QWidget* PaginaNominativi::primoCampo() const {
    return edtNomCognome;
}

QString PaginaNominativi::domandaElimina(const DataSet& ds) const {
    return QStringLiteral("Eliminare il nominativo ") + ds.testo(QStringLiteral("cognome")) +
           QStringLiteral(" ") + ds.testo(QStringLiteral("nome")) + QStringLiteral("?");
}

// A beneficiary needs both names; the family size stored is at least 1, whatever was typed.
bool PaginaNominativi::controllaConferma(DataSet& ds) {
    if (edtNomNome->text().isEmpty() || edtNomCognome->text().isEmpty()) {
        messaggi().informazione(QStringLiteral("Inserire nome e cognome, o premere Annulla"));
        return false;
    }
    // An empty box stores 1; a text that is no whole number ("2,5", "abc") is refused
    // rather than stored as something the user did not type.
    const QString testoFamiglia = edtNumFam->text().trimmed();
    bool ok = true;
    const int famiglia = testoFamiglia.isEmpty() ? 1 : utInteroDigitato(testoFamiglia, &ok);
    if (!ok) {
        messaggi().informazione(
            QStringLiteral("Il numero dei componenti del nucleo famigliare non è corretto."));
        edtNumFam->setFocus();
        return false;
    }
    // The column holds a 16-bit number: a larger one is a typing slip, not a family.
    if (famiglia > MASSIMO_FAMILIARI) {
        messaggi().informazione(
            QStringLiteral("Il numero dei componenti del nucleo famigliare non può superare %1.")
                .arg(MASSIMO_FAMILIARI));
        return false;
    }
    if (ds.stato() == DataSet::Stato::Consultazione)
        ds.modifica();
    ds.imposta(QStringLiteral("numFamiliari"), famiglia >= 1 ? famiglia : 1);
    return true;
}
