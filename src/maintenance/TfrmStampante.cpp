#include "TfrmStampante.h"

#include "PannelliScheda.h"
#include "Stampanti.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfrmStampante::TfrmStampante(QWidget* parent) : QDialog(parent) {
    // Tab and Shift+Tab follow the controls as they appear on screen.
    TabulazioneInOrdineVisivo(this);
    setObjectName(QStringLiteral("dlgPrinter"));
    setWindowTitle(QStringLiteral("Dolvera - Imposta stampante"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* etichetta = new QLabel(QStringLiteral("Stampante per le stampe di Dolvera:"), this);
    layout->addWidget(etichetta);
    m_elenco = new QListWidget(this);
    m_elenco->setObjectName(QStringLiteral("lstStampanti"));
    m_elenco->setSelectionMode(QAbstractItemView::SingleSelection);
    etichetta->setBuddy(m_elenco);
    layout->addWidget(m_elenco);

    auto* pulsanti = new QDialogButtonBox(this);
    m_ok = pulsanti->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);
    QPushButton* annulla =
        pulsanti->addButton(QStringLiteral("&Annulla"), QDialogButtonBox::RejectRole);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    layout->addWidget(pulsanti);
    connect(pulsanti, &QDialogButtonBox::accepted, this, &TfrmStampante::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &TfrmStampante::reject);

    // The current printer is selected; one no longer installed has no row, and then
    // nothing is selected until the user picks a printer.
    const QString corrente = utStampanteCorrente();
    const QStringList stampanti = utStampantiDisponibili();
    for (const QString& nome : stampanti) {
        auto* voce = new QListWidgetItem(nome, m_elenco);
        if (nome == corrente && !m_elenco->currentItem())
            m_elenco->setCurrentItem(voce);
    }
    m_ok->setEnabled(m_elenco->currentItem() != nullptr);
    connect(m_elenco, &QListWidget::itemSelectionChanged, this,
            [this] { m_ok->setEnabled(!stampanteSelezionata().isEmpty()); });
    connect(m_elenco, &QListWidget::itemDoubleClicked, this, &TfrmStampante::accept);

    // Tall enough for a handful of printers without scrolling.
    m_elenco->setMinimumSize(320, 160);
}

QString TfrmStampante::stampanteSelezionata() const {
    const QList<QListWidgetItem*> selezionate = m_elenco->selectedItems();
    return selezionate.isEmpty() ? QString() : selezionate.first()->text();
}

void TfrmStampante::accept() {
    const QString nome = stampanteSelezionata();
    if (nome.isEmpty())
        return;
    utImpostaStampanteCorrente(nome);
    QDialog::accept();
}
