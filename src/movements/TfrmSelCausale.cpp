#include "TfrmSelCausale.h"

#include "AccessoDati.h"
#include "Datamodule.h"
#include "Messaggi.h"
#include "PannelliScheda.h"
#include "Utilitylibrary.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmSelCausale::TfrmSelCausale(TdmDati& dati, Messaggi& messaggi, QWidget* parent)
    : QDialog(parent), m_dati(dati), m_messaggi(messaggi) {
    // Tab and Shift+Tab follow the controls as they appear on screen.
    TabulazioneInOrdineVisivo(this);
    setObjectName(QStringLiteral("frmSelCausale"));
    setWindowTitle(QStringLiteral("Seleziona causale"));

    auto* etichetta =
        new QLabel(QStringLiteral("Selezionare la causale per il nuovo scarico"), this);
    cbxCausale = new QComboBox(this);
    cbxCausale->setObjectName(QStringLiteral("cbxCausale"));
    cbxCausale->setEditable(true);
    // A typed text is looked up when the dialog closes, never added to the list.
    cbxCausale->setInsertPolicy(QComboBox::NoInsert);
    cbxCausale->setMinimumWidth(300);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("btnSelCausaleOk"));
    ok->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("&Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnSelCausaleAnnulla"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(ok);
    pulsanti->addWidget(annulla);

    auto* principale = new QVBoxLayout(this);
    principale->addWidget(etichetta);
    principale->addWidget(cbxCausale);
    principale->addLayout(pulsanti);

    cbxCausale->installEventFilter(this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmSelCausale::~TfrmSelCausale() = default;

void TfrmSelCausale::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormShow();
}

// Enter in the combo box closes with OK, also while the box shows a completion of the
// typed text (the box would take the first Enter to confirm the completion).
bool TfrmSelCausale::eventFilter(QObject* oggetto, QEvent* evento) {
    if (oggetto == cbxCausale && evento->type() == QEvent::KeyPress) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

// The reasons in order of ID, the first one chosen; the reason 0 is never offered.
void TfrmSelCausale::FormShow() {
    cbxCausale->clear();
    const DataSet& causali = m_dati.tblLstCausali;
    for (int r = 0; r < causali.conteggio(); ++r) {
        if (causali.valore(r, QStringLiteral("ID")).toInt() != 0)
            cbxCausale->addItem(TestoValore(causali.valore(r, QStringLiteral("descr"))));
    }
    cbxCausale->setCurrentIndex(cbxCausale->count() > 0 ? 0 : -1);
    cbxCausale->setFocus();
}

void TfrmSelCausale::done(int risultato) {
    if (risultato == QDialog::Accepted && !FormCloseQuery())
        return;
    QDialog::done(risultato);
}

// The typed text must name a reason of the list; a missing one counts as -1.
bool TfrmSelCausale::FormCloseQuery() {
    QString testo = cbxCausale->currentText();
    // A reason typed in other capitals is the entry of the list.
    const int voce = cbxCausale->findText(testo, Qt::MatchFixedString);
    if (voce >= 0)
        testo = cbxCausale->itemText(voce);
    QString letto;
    if (!EseguiOperazione(m_messaggi, QStringLiteral("cercare la causale"), [&] {
            letto = DbValore(QStringLiteral("lstCausali"), QStringLiteral("ID"),
                             QStringLiteral("descr='") + utTestoSql(testo) + QStringLiteral("'"));
        }))
        return false;
    bool numero = false;
    int id = letto.toInt(&numero);
    if (!numero)
        id = -1;
    // The reason 0 is not in the list: typed, it is refused like any other unknown text.
    if (id <= 0) {
        m_messaggi.informazione(QStringLiteral("Scegliere una causale tra quelle della lista."));
        cbxCausale->setFocus();
        return false;
    }
    causaleScelta = id;
    return true;
}
