#include "TfrmSelNom.h"

#include "Datamodule.h"
#include "Griglia.h"
#include "Messaggi.h"
#include "PannelliScheda.h"
#include "Ricerca.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmSelNom::TfrmSelNom(TdmDati& dati, Messaggi& messaggi, QWidget* parent)
    : QDialog(parent), m_dati(dati), m_messaggi(messaggi) {
    // Tab and Shift+Tab follow the controls as they appear on screen.
    TabulazioneInOrdineVisivo(this);
    setObjectName(QStringLiteral("frmSelNom"));
    setWindowTitle(QStringLiteral("Dolvera - Selezione nominativo"));
    resize(560, 480);

    auto* cerca = new QGroupBox(QStringLiteral("Cerca Nominativo"), this);
    auto* riga = new QHBoxLayout(cerca);
    riga->addWidget(new QLabel(QStringLiteral("Cognome"), cerca));
    edtSelNomCerca = new QLineEdit(cerca);
    edtSelNomCerca->setObjectName(QStringLiteral("edtSelNomCerca"));
    edtSelNomCerca->setClearButtonEnabled(true);
    riga->addWidget(edtSelNomCerca, 1);

    // The list shows the beneficiaries' own data set: the row chosen here is the current
    // beneficiary everywhere.
    grNominativi = new Griglia(QStringLiteral("grNominativi"), this);
    grNominativi->collega(m_dati.tblNominativi,
                          {{QStringLiteral("cognome"), QStringLiteral("Cognome"), 170},
                           {QStringLiteral("nome"), QStringLiteral("Nome"), 150},
                           {QStringLiteral("citta"), QStringLiteral("Città")}});

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("btnSelNomOk"));
    ok->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("&Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnSelNomAnnulla"));
    auto* btnAnonimo = new QPushButton(QStringLiteral("A&nonimo"), this);
    btnAnonimo->setObjectName(QStringLiteral("btnAnonimo"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(btnAnonimo);
    pulsanti->addStretch();
    pulsanti->addWidget(ok);
    pulsanti->addWidget(annulla);

    auto* principale = new QVBoxLayout(this);
    principale->addWidget(cerca);
    principale->addWidget(grNominativi, 1);
    principale->addLayout(pulsanti);

    connect(edtSelNomCerca, &QLineEdit::textChanged, this, &TfrmSelNom::edtSelNomCercaChange);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnAnonimo, &QPushButton::clicked, this, [this] { done(TfrmSelNom::Anonimo); });
}

TfrmSelNom::~TfrmSelNom() = default;

void TfrmSelNom::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormShow();
}

// Every show starts from the whole list, on the first beneficiary.
void TfrmSelNom::FormShow() {
    edtSelNomCerca->clear();
    edtSelNomCerca->setFocus();
    m_dati.tblNominativi.setFiltrato(false);
    m_dati.tblNominativi.primo();
}

// The search of the dialog: a text that matches nobody leaves the list empty, silently.
void TfrmSelNom::edtSelNomCercaChange() {
    ApplicaRicerca(m_dati, m_dati.tblNominativi, edtSelNomCerca);
}

void TfrmSelNom::done(int risultato) {
    if (risultato == QDialog::Accepted) {
        const DataSet& nominativi = m_dati.tblNominativi;
        // OK on an empty list would choose nobody, as Anonimo does, without saying so.
        if (nominativi.riga() < 0) {
            m_messaggi.informazione(QStringLiteral(
                "Nessun nominativo selezionato: cambiare la ricerca o premere Anonimo."));
            edtSelNomCerca->setFocus();
            return;
        }
        nominativoScelto = nominativi.valore(QStringLiteral("ID")).toInt();
    } else if (risultato == Anonimo) {
        nominativoScelto = 0;
    }
    FormHide();
    QDialog::done(risultato);
}

// The beneficiaries' list is shared with the "Nominativi" tab: it is left unfiltered, and
// the data module no longer searches with this dialog's box.
void TfrmSelNom::FormHide() {
    if (m_dati.cercaAttivo.data() == edtSelNomCerca)
        m_dati.cercaAttivo = nullptr;
    m_dati.tblNominativi.setFiltrato(false);
}
