#include "PannelliScheda.h"

#include "AbilitaControlli.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
void RaccogliControlli(QWidget* genitore, QWidget* contenitore, QList<QWidget*>& trovati) {
    for (QObject* figlio : genitore->children()) {
        auto* w = qobject_cast<QWidget*>(figlio);
        if (!w || w->isWindow() || !w->isVisibleTo(contenitore))
            continue;
        if (w->focusPolicy() & Qt::TabFocus) {
            if (w->isEnabled())
                trovati.append(w);
        } else {
            RaccogliControlli(w, contenitore, trovati);
        }
    }
}
} // namespace

QList<QWidget*> ControlliInOrdineVisivo(QWidget* contenitore) {
    QList<QWidget*> trovati;
    RaccogliControlli(contenitore, contenitore, trovati);
    auto rettangolo = [contenitore](const QWidget* w) {
        return QRect(w->mapTo(contenitore, QPoint(0, 0)), w->size());
    };
    std::stable_sort(trovati.begin(), trovati.end(), [&](const QWidget* a, const QWidget* b) {
        return rettangolo(a).top() < rettangolo(b).top();
    });
    // A control whose middle lies within the height of a row's first control is on that
    // row: a label-high box beside a taller one reads as one line.
    QList<QWidget*> ordinati;
    for (qsizetype inizio = 0; inizio < trovati.size();) {
        const QRect primo = rettangolo(trovati.at(inizio));
        qsizetype fine = inizio + 1;
        while (fine < trovati.size() && rettangolo(trovati.at(fine)).center().y() <= primo.bottom())
            ++fine;
        QList<QWidget*> riga = trovati.mid(inizio, fine - inizio);
        std::stable_sort(riga.begin(), riga.end(), [&](const QWidget* a, const QWidget* b) {
            return rettangolo(a).left() < rettangolo(b).left();
        });
        ordinati += riga;
        inizio = fine;
    }
    return ordinati;
}

namespace {
class OrdineVisivo : public QObject {
public:
    explicit OrdineVisivo(QWidget* finestra) : QObject(finestra) {
        finestra->installEventFilter(this);
    }

    bool eventFilter(QObject* oggetto, QEvent* evento) override {
        // At the show the layout has placed the controls: their order on screen is known.
        if (evento->type() == QEvent::Show && oggetto == parent()) {
            const QList<QWidget*> controlli =
                ControlliInOrdineVisivo(static_cast<QWidget*>(oggetto));
            for (qsizetype i = 1; i < controlli.size(); ++i)
                QWidget::setTabOrder(controlli.at(i - 1), controlli.at(i));
        }
        return false;
    }
};
} // namespace

void TabulazioneInOrdineVisivo(QWidget* finestra) {
    new OrdineVisivo(finestra);
}

PannelloScheda::PannelloScheda(const QString& titolo, QWidget* genitore)
    : QGroupBox(titolo, genitore) {}

bool PannelloScheda::focusNextPrevChild(bool avanti) {
    const QList<QWidget*> controlli = ControlliInOrdineVisivo(this);
    QWidget* attuale = QApplication::focusWidget();
    if (controlli.isEmpty() || !attuale || !isAncestorOf(attuale))
        return QGroupBox::focusNextPrevChild(avanti);
    qsizetype i = 0;
    while (i < controlli.size() && controlli.at(i) != attuale &&
           !controlli.at(i)->isAncestorOf(attuale))
        ++i;
    const qsizetype n = controlli.size();
    // From a control outside the list (none should be) Tab starts at the first one.
    const qsizetype prossimo = i == n ? 0 : (i + (avanti ? 1 : n - 1)) % n;
    controlli.at(prossimo)->setFocus(avanti ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void PannelloScheda::keyPressEvent(QKeyEvent* evento) {
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier && m_annulla &&
        m_annulla->isVisible() && m_annulla->isEnabled()) {
        m_annulla->click();
        return;
    }
    QGroupBox::keyPressEvent(evento);
}

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

    p.destra = new PannelloScheda(titoloScheda, pagina);
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
