#include "GruppoStrutturaCaritativa.h"

#include "AbilitaControlli.h"
#include "CollegamentoCampi.h"
#include "Datamodule.h"
#include "Messaggi.h"
#include "PannelliScheda.h"
#include "StatoMain.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace {
const QString PROVINCIA = QStringLiteral("prov");

// Turns whatever is typed or pasted into capitals as it enters the box: province codes
// are written "MI", not "mi".
class Maiuscole : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& testo, int&) const override {
        testo = testo.toUpper();
        return Acceptable;
    }
};
} // namespace

GruppoStrutturaCaritativa::GruppoStrutturaCaritativa(Messaggi& messaggi, StatoMain& stato,
                                                     QWidget* parent)
    : QGroupBox(QStringLiteral("Struttura caritativa"), parent), m_messaggi(messaggi),
      m_stato(stato) {
    setObjectName(QStringLiteral("gbStrutturaCaritativa"));
    // Wide enough for a long name and e-mail address to be read whole.
    setMinimumWidth(600);
    auto* layout = new QVBoxLayout(this);
    m_campi = new QWidget(this);
    layout->addWidget(m_campi);

    // Labels and boxes in three pairs of columns; the long texts span the row.
    auto* g = new QGridLayout(m_campi);
    g->setContentsMargins(0, 0, 0, 0);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 2);
    const auto metti = [&](const QString& campo, const QString& etichetta, int riga, int colonna,
                           int larghezza) {
        QLineEdit* box = casella(campo);
        auto* didascalia = new QLabel(etichetta, m_campi);
        didascalia->setBuddy(box);
        g->addWidget(didascalia, riga, colonna);
        g->addWidget(box, riga, colonna + 1, 1, larghezza);
        return box;
    };
    metti(QStringLiteral("ragsoc"), QStringLiteral("Ragione sociale"), 0, 0, 5);
    metti(QStringLiteral("via"), QStringLiteral("Indirizzo"), 1, 0, 5);
    metti(QStringLiteral("cap"), QStringLiteral("CAP"), 2, 0, 1)->setMaximumWidth(70);
    metti(QStringLiteral("citta"), QStringLiteral("Città"), 2, 2, 1);
    QLineEdit* prov = metti(PROVINCIA, QStringLiteral("Pr."), 2, 4, 1);
    prov->setMaximumWidth(40);
    prov->setValidator(new Maiuscole(prov));
    metti(QStringLiteral("telefono"), QStringLiteral("Telefono"), 3, 0, 1);
    metti(QStringLiteral("email"), QStringLiteral("E-mail"), 3, 2, 3);
    // A tax code of sixteen characters is seen whole, and the telephone above it with it.
    QLineEdit* codfisc =
        metti(QStringLiteral("codfisc"), QStringLiteral("Codice fiscale"), 4, 0, 1);
    codfisc->setMinimumWidth(
        codfisc->fontMetrics().horizontalAdvance(QStringLiteral("RSSMRA80A01H501U")) + 12);
    metti(QStringLiteral("piva"), QStringLiteral("Partita IVA"), 4, 2, 1);

    auto* pulsanti = new QHBoxLayout;
    btnAzModifica =
        PulsanteScheda(this, QStringLiteral("btnAzModifica"), QStringLiteral("&Modifica"));
    btnAzConferma =
        PulsanteScheda(this, QStringLiteral("btnAzConferma"), QStringLiteral("&Conferma"));
    btnAzAnnulla = PulsanteScheda(this, QStringLiteral("btnAzAnnulla"), QStringLiteral("&Annulla"));
    pulsanti->addWidget(btnAzModifica);
    pulsanti->addStretch();
    pulsanti->addWidget(btnAzConferma);
    pulsanti->addWidget(btnAzAnnulla);
    layout->addLayout(pulsanti);
    connect(btnAzModifica, &QPushButton::clicked, this,
            &GruppoStrutturaCaritativa::btnAzModificaClick);
    connect(btnAzConferma, &QPushButton::clicked, this,
            &GruppoStrutturaCaritativa::btnAzConfermaClick);
    connect(btnAzAnnulla, &QPushButton::clicked, this,
            &GruppoStrutturaCaritativa::btnAzAnnullaClick);
    modalitaModifica(false);
}

GruppoStrutturaCaritativa::~GruppoStrutturaCaritativa() = default;

QLineEdit* GruppoStrutturaCaritativa::casella(const QString& campo) {
    auto* box = new QLineEdit(m_campi);
    box->setObjectName(QStringLiteral("edtAz_") + campo);
    m_caselle.append({box, campo});
    return box;
}

void GruppoStrutturaCaritativa::collegaDati(TdmDati& dati) {
    m_dati = &dati;
    // The boxes take the columns' lengths as their maximum.
    auto* collegamento = new CollegamentoCampi(ds(), this);
    for (const auto& [box, campo] : std::as_const(m_caselle))
        collegamento->testo(box, campo);
}

DataSet& GruppoStrutturaCaritativa::ds() const {
    return m_dati->tblDatiAzienda;
}

// Browse mode: boxes closed, Modifica only; edit mode the reverse.
void GruppoStrutturaCaritativa::modalitaModifica(bool modifica) {
    AbilitaControlli(m_campi, modifica, m_stato.ColoreDisabilitato);
    btnAzModifica->setEnabled(!modifica);
    btnAzConferma->setEnabled(modifica);
    btnAzAnnulla->setEnabled(modifica);
}

void GruppoStrutturaCaritativa::btnAzModificaClick() {
    if (!m_dati)
        return;
    DataSet& d = ds();
    // A database without the organisation's row gets one, written only by Conferma.
    if (d.vuoto() && !EseguiOperazione(m_messaggi, QStringLiteral("creare i dati della struttura"),
                                       [&] { d.aggiungi(); }))
        return;
    modalitaModifica(true);
    m_stato.ImpostaModifica(true);
    m_caselle.first().first->setFocus();
}

void GruppoStrutturaCaritativa::btnAzConfermaClick() {
    DataSet& d = ds();
    const bool registrato =
        EseguiOperazione(m_messaggi, QStringLiteral("registrare i dati della struttura"), [&] {
            // Also a province stored before in small letters is written in capitals.
            const QString provincia = d.testo(PROVINCIA);
            if (provincia != provincia.toUpper()) {
                if (d.stato() == DataSet::Stato::Consultazione)
                    d.modifica();
                d.imposta(PROVINCIA, provincia.toUpper());
            }
            d.registra();
        });
    if (!registrato)
        return;
    modalitaModifica(false);
    m_stato.ImpostaModifica(false);
}

void GruppoStrutturaCaritativa::btnAzAnnullaClick() {
    ds().annulla();
    modalitaModifica(false);
    m_stato.ImpostaModifica(false);
}

void GruppoStrutturaCaritativa::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier &&
        btnAzAnnulla->isEnabled()) {
        btnAzAnnulla->click();
        return;
    }
    QGroupBox::keyPressEvent(evento);
}
