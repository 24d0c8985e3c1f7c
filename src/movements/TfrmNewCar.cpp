#include "TfrmNewCar.h"

#include "Connessione.h"
#include "Datamodule.h"
#include "Formati.h"
#include "Messaggi.h"
#include "PannelliScheda.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmNewCar::TfrmNewCar(TdmDati& dati, Messaggi& messaggi, QWidget* parent)
    : QDialog(parent), m_messaggi(messaggi) {
    // Tab and Shift+Tab follow the controls as they appear on screen.
    TabulazioneInOrdineVisivo(this);
    setObjectName(QStringLiteral("frmNewCar"));
    setWindowTitle(QStringLiteral("Dolvera - Dettagli carico"));

    m_fornitori.setConnessione(QLatin1String(NOME_CONNESSIONE));
    m_fornitori.setSql(QStringLiteral("SELECT ID, ragsoc FROM fornitori"));
    m_fornitori.setOrdine(QStringLiteral("ragsoc"));

    auto* intestazione = new QLabel(QStringLiteral("Carico"), this);
    intestazione->setObjectName(QStringLiteral("lblNewCar"));
    QFont f = intestazione->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.5);
    intestazione->setFont(f);

    edtNewCar_forId = new QComboBox(this);
    edtNewCar_forId->setObjectName(QStringLiteral("edtNewCar_forId"));
    edtNewCar_forId->setMinimumWidth(260);
    edtNewCar_forId->setMaxVisibleItems(24);
    edtNewCar_data = new QDateEdit(this);
    edtNewCar_data->setObjectName(QStringLiteral("edtNewCar_data"));
    edtNewCar_data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edtNewCar_data->setCalendarPopup(true);
    edtNewCar_docNum = new QLineEdit(this);
    edtNewCar_docNum->setObjectName(QStringLiteral("edtNewCar_docNum"));
    // The number goes into the receipt as typed: no longer than its column.
    if (const int lunghezza = dati.tblCarichi_mast.lunghezzaCampo(QStringLiteral("nrDocumento")))
        edtNewCar_docNum->setMaxLength(lunghezza);

    auto* campi = new QFormLayout;
    campi->addRow(QStringLiteral("Fornitore"), edtNewCar_forId);
    campi->addRow(QStringLiteral("Del"), edtNewCar_data);
    campi->addRow(QStringLiteral("Documento n."), edtNewCar_docNum);

    auto* ok = new QPushButton(QStringLiteral("&Ok"), this);
    ok->setObjectName(QStringLiteral("btnNewCarOk"));
    ok->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("&Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnNewCarAnnulla"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(ok);
    pulsanti->addWidget(annulla);

    auto* principale = new QVBoxLayout(this);
    principale->addWidget(intestazione);
    principale->addLayout(campi);
    principale->addLayout(pulsanti);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmNewCar::~TfrmNewCar() = default;

int TfrmNewCar::fornitoreScelto() const {
    return m_fornitore;
}

QDate TfrmNewCar::dataScelta() const {
    return m_data;
}

QString TfrmNewCar::numeroScelto() const {
    return m_numero;
}

void TfrmNewCar::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormShow();
}

// A new receipt is dated today and has no number yet; the supplier stays the one chosen
// the time before, among the suppliers as they are now.
void TfrmNewCar::FormShow() {
    riempiFornitori();
    edtNewCar_data->setDate(QDate::currentDate());
    edtNewCar_docNum->clear();
    edtNewCar_forId->setFocus();
}

void TfrmNewCar::riempiFornitori() {
    const QVariant prima = edtNewCar_forId->currentData();
    edtNewCar_forId->clear();
    EseguiOperazione(m_messaggi, QStringLiteral("leggere i fornitori"), [this] {
        if (m_fornitori.aperto())
            m_fornitori.rinfresca();
        else
            m_fornitori.apri();
    });
    for (int r = 0; r < m_fornitori.conteggio(); ++r)
        edtNewCar_forId->addItem(m_fornitori.valore(r, QStringLiteral("ragsoc")).toString(),
                                 m_fornitori.valore(r, QStringLiteral("ID")));
    edtNewCar_forId->setCurrentIndex(prima.isValid() ? edtNewCar_forId->findData(prima) : -1);
}

void TfrmNewCar::done(int risultato) {
    if (risultato == QDialog::Accepted && !FormCloseQuery())
        return;
    QDialog::done(risultato);
}

// A receipt needs its supplier and the number of its document; any date will do.
bool TfrmNewCar::FormCloseQuery() {
    if (edtNewCar_forId->currentIndex() < 0) {
        m_messaggi.informazione(QStringLiteral("Scegliere un fornitore."));
        edtNewCar_forId->setFocus();
        return false;
    }
    // A number of blanks only is no number.
    if (edtNewCar_docNum->text().trimmed().isEmpty()) {
        m_messaggi.informazione(QStringLiteral("Inserire un numero di documento"));
        edtNewCar_docNum->setFocus();
        return false;
    }
    m_fornitore = edtNewCar_forId->currentData().toInt();
    m_data = edtNewCar_data->date();
    // One line: pasted line breaks and tabs are stored as blanks.
    m_numero = utUnaRiga(edtNewCar_docNum->text());
    return true;
}
