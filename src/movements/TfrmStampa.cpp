#include "TfrmStampa.h"

#include "PannelliScheda.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmStampa::TfrmStampa(QWidget* finestra) : QDialog(finestra) {
    // Tab and Shift+Tab follow the controls as they appear on screen.
    TabulazioneInOrdineVisivo(this);
    setObjectName(QStringLiteral("frmStampa"));
    setWindowTitle(QStringLiteral("Stampa"));

    auto* testo =
        new QLabel(QStringLiteral("Scegliere un'opzione quando la stampante è pronta"), this);
    testo->setAlignment(Qt::AlignCenter);
    auto* una = new QPushButton(QStringLiteral("&1 copia"), this);
    una->setObjectName(QStringLiteral("btnStampaUnaCopia"));
    una->setDefault(true);
    auto* due = new QPushButton(QStringLiteral("&2 copie"), this);
    due->setObjectName(QStringLiteral("btnStampaDueCopie"));
    auto* annulla = new QPushButton(QStringLiteral("&Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnStampaAnnulla"));

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(una);
    pulsanti->addWidget(due);
    pulsanti->addWidget(annulla);
    pulsanti->addStretch();
    auto* principale = new QVBoxLayout(this);
    principale->setContentsMargins(16, 16, 16, 12);
    principale->setSpacing(16);
    principale->addWidget(testo);
    principale->addLayout(pulsanti);
    setFixedSize(sizeHint());

    connect(una, &QPushButton::clicked, this, [this] { done(UnaCopia); });
    connect(due, &QPushButton::clicked, this, [this] { done(DueCopie); });
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
}

int TfrmStampa::copie(int risultato) {
    switch (risultato) {
    case UnaCopia:
        return 1;
    case DueCopie:
        return 2;
    default:
        return 0;
    }
}
