#include "TfrmQuickSca.h"

#include "AccessoDati.h"
#include "Datamodule.h"
#include "Griglia.h"
#include "Messaggi.h"
#include "PannelliScheda.h"
#include "Ricerca.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {
bool eInvio(const QKeyEvent* tasto) {
    return tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter;
}

bool eFreccia(const QKeyEvent* tasto) {
    return tasto->key() == Qt::Key_Up || tasto->key() == Qt::Key_Down;
}

} // namespace

TfrmQuickSca::TfrmQuickSca(TdmDati& dati, Messaggi& messaggi, QWidget* parent)
    : QDialog(parent), m_dati(dati), m_messaggi(messaggi) {
    // Tab and Shift+Tab follow the controls as they appear on screen.
    TabulazioneInOrdineVisivo(this);
    setObjectName(QStringLiteral("frmQuickSca"));
    setWindowTitle(QStringLiteral("Dolvera - Scarico veloce"));
    resize(760, 480);

    // Left: the beneficiaries, over their own data set (the row chosen here is the current
    // beneficiary everywhere), with the surname search.
    auto* nominativi = new QGroupBox(QStringLiteral("Nominativi"), this);
    auto* sinistra = new QVBoxLayout(nominativi);
    auto* riga = new QHBoxLayout;
    riga->addWidget(new QLabel(QStringLiteral("Cognome"), nominativi));
    edtQuickNomCerca = new QLineEdit(nominativi);
    edtQuickNomCerca->setObjectName(QStringLiteral("edtQuickNomCerca"));
    edtQuickNomCerca->setClearButtonEnabled(true);
    riga->addWidget(edtQuickNomCerca, 1);
    sinistra->addLayout(riga);
    grQuickNominativi = new Griglia(QStringLiteral("grQuickNominativi"), nominativi);
    grQuickNominativi->collega(m_dati.tblNominativi,
                               {{QStringLiteral("cognome"), QStringLiteral("Cognome"), 150},
                                {QStringLiteral("nome"), QStringLiteral("Nome"), 130},
                                {QStringLiteral("citta"), QStringLiteral("Città")}});
    sinistra->addWidget(grQuickNominativi, 1);

    // Right: the delivery templates, by name.
    auto* modelli = new QGroupBox(QStringLiteral("Modelli di consegna"), this);
    auto* destra = new QVBoxLayout(modelli);
    grQuickModCons = new Griglia(QStringLiteral("grQuickModCons"), modelli);
    grQuickModCons->collega(m_dati.tblCons_mast,
                            {{QStringLiteral("descr"), QStringLiteral("Nome modello")}});
    destra->addWidget(grQuickModCons, 1);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("btnQuickOk"));
    ok->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("&Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnQuickAnnulla"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(ok);
    pulsanti->addWidget(annulla);

    auto* liste = new QHBoxLayout;
    liste->addWidget(nominativi, 3);
    liste->addWidget(modelli, 2);
    auto* principale = new QVBoxLayout(this);
    principale->addLayout(liste, 1);
    principale->addLayout(pulsanti);

    modelloUltimo = IdCorrente(m_dati.tblCons_mast);

    connect(edtQuickNomCerca, &QLineEdit::textChanged, this, &TfrmQuickSca::edtQuickNomCercaChange);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    for (QWidget* controllo : std::initializer_list<QWidget*>{edtQuickNomCerca, grQuickNominativi,
                                                              grQuickModCons, ok, annulla})
        controllo->installEventFilter(this);
}

TfrmQuickSca::~TfrmQuickSca() = default;

void TfrmQuickSca::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormShow();
}

// Every show starts from the whole list of beneficiaries and the template used last. The
// templates are read again: the list is short, and the tab that edits it may not be the
// only writer.
void TfrmQuickSca::FormShow() {
    edtQuickNomCerca->clear();
    edtQuickNomCerca->setFocus();
    m_invioPremuto = false;
    m_dati.tblNominativi.setFiltrato(false);
    EseguiOperazione(m_messaggi, QStringLiteral("leggere i modelli di consegna"), [this] {
        m_dati.tblCons_mast.rinfresca();
        PosizionaId(m_dati.tblCons_mast, modelloUltimo);
    });
}

// The search of the dialog: a text that matches nobody leaves the list empty, silently.
void TfrmQuickSca::edtQuickNomCercaChange() {
    ApplicaRicerca(m_dati, m_dati.tblNominativi, edtQuickNomCerca);
}

bool TfrmQuickSca::eventFilter(QObject* oggetto, QEvent* evento) {
    // Only the dialog's own controls are watched.
    if (evento->type() == QEvent::KeyPress)
        return FormKeyDown(oggetto, static_cast<QKeyEvent*>(evento));
    if (evento->type() == QEvent::KeyRelease)
        return FormKeyUp(oggetto, static_cast<QKeyEvent*>(evento));
    return QDialog::eventFilter(oggetto, evento);
}

// The arrows belong to the beneficiaries wherever the focus is, but in the templates list;
// they act on release, so their press is swallowed. Enter also acts on release, except on
// a button, which Enter presses.
bool TfrmQuickSca::FormKeyDown(QObject* controllo, const QKeyEvent* tasto) {
    if (eFreccia(tasto))
        return controllo != grQuickModCons;
    if (eInvio(tasto) && !qobject_cast<QAbstractButton*>(controllo)) {
        m_invioPremuto = true;
        return true;
    }
    return false;
}

bool TfrmQuickSca::FormKeyUp(QObject* controllo, const QKeyEvent* tasto) {
    if (eFreccia(tasto)) {
        if (controllo == grQuickModCons)
            return false;
        if (!tasto->isAutoRepeat()) {
            DataSet& nominativi = m_dati.tblNominativi;
            if (tasto->key() == Qt::Key_Up)
                nominativi.precedente();
            else
                nominativi.successivo();
        }
        return true;
    }
    if (!eInvio(tasto) || tasto->isAutoRepeat() || !m_invioPremuto)
        return false;
    m_invioPremuto = false;
    accept();
    return true;
}

void TfrmQuickSca::done(int risultato) {
    const DataSet& nominativi = m_dati.tblNominativi;
    // OK on an empty list (a search that matches nobody) would make a distribution for
    // nobody.
    if (risultato == QDialog::Accepted && nominativi.riga() < 0) {
        m_messaggi.informazione(QStringLiteral(
            "Nessun nominativo selezionato: cambiare la ricerca o premere Annulla."));
        edtQuickNomCerca->setFocus();
        return;
    }
    nominativoScelto = IdCorrente(nominativi);
    modelloScelto = modelloUltimo = IdCorrente(m_dati.tblCons_mast);
    FormHide();
    QDialog::done(risultato);
}

// The beneficiaries' list is shared with the "Nominativi" tab: it is left unfiltered, and
// the data module no longer searches with this dialog's box.
void TfrmQuickSca::FormHide() {
    if (m_dati.cercaAttivo.data() == edtQuickNomCerca)
        m_dati.cercaAttivo = nullptr;
    m_dati.tblNominativi.setFiltrato(false);
}
