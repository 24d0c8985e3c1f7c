#include "PannelliScheda.h"

#include "AbilitaControlli.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

PannelliScheda CreaPannelliScheda(QWidget* pagina, const QString& sigla, int larghezzaElenco,
                                  const QString& titoloScheda) {
    PannelliScheda p{};
    auto* principale = new QVBoxLayout(pagina);
    principale->setContentsMargins(8, 8, 8, 8);

    p.alto = new QWidget(pagina);
    p.alto->setObjectName(QStringLiteral("pnl%1Top").arg(sigla));
    p.pulsanti = new QHBoxLayout(p.alto);
    p.pulsanti->setContentsMargins(0, 0, 0, 0);
    principale->addWidget(p.alto);

    auto* centro = new QHBoxLayout;
    principale->addLayout(centro, 1);
    p.sinistra = new QWidget(pagina);
    p.sinistra->setObjectName(QStringLiteral("pnl%1Left").arg(sigla));
    p.sinistra->setFixedWidth(larghezzaElenco);
    p.elenco = new QVBoxLayout(p.sinistra);
    p.elenco->setContentsMargins(0, 0, 0, 0);
    centro->addWidget(p.sinistra);

    p.destra = new QGroupBox(titoloScheda, pagina);
    p.destra->setObjectName(QStringLiteral("pnl%1Right").arg(sigla));
    p.scheda = new QVBoxLayout(p.destra);
    centro->addWidget(p.destra, 1);
    return p;
}

void AbilitaModifica(const PannelliScheda& pannelli, bool modifica,
                     const QColor& coloreDisabilitato) {
    AbilitaControlli(pannelli.destra, modifica, coloreDisabilitato);
    AbilitaControlli(pannelli.sinistra, !modifica, coloreDisabilitato);
    AbilitaControlli(pannelli.alto, !modifica, coloreDisabilitato);
}

QPushButton* PulsanteScheda(QWidget* genitore, const QString& nome, const QString& testo) {
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    b->setMinimumWidth(96);
    return b;
}
