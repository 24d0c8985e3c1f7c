#pragma once

// The three panels of a record tab: the buttons on top, the list on the left, the card on
// the right, and their browse and edit states.

#include <QAbstractButton>
#include <QGroupBox>
#include <QList>
#include <QPointer>

class QColor;
class QHBoxLayout;
class QKeyEvent;
class QPushButton;
class QString;
class QVBoxLayout;
class QWidget;

// The focusable controls inside `contenitore` in the order the eye reads them: rows from top
// to bottom, each row from left to right. A control that takes the focus counts once, with
// whatever it holds inside (the box of a date editor, the cells of a grid).
QList<QWidget*> ControlliInOrdineVisivo(QWidget* contenitore);

// Each time `finestra` (a dialog) is shown, Tab and Shift+Tab take its controls in their
// visual order, whatever the order they were made in.
void TabulazioneInOrdineVisivo(QWidget* finestra);

// The card of a record tab. Tab and Shift+Tab go round its fields and buttons in their
// visual order and never leave the card, so that Conferma and Annulla are always within
// reach; Escape presses Annulla where the card has one.
class PannelloScheda : public QGroupBox {
    Q_OBJECT

public:
    PannelloScheda(const QString& titolo, QWidget* genitore);
    // The button that Escape presses while the focus is in the card.
    void impostaAnnulla(QAbstractButton* annulla) { m_annulla = annulla; }

protected:
    bool focusNextPrevChild(bool avanti) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    QPointer<QAbstractButton> m_annulla;
};

struct PannelliScheda {
    // "pnl<sigla>Top": the buttons of browse mode, added left to right.
    QWidget* alto;
    QHBoxLayout* pulsanti;
    // "pnl<sigla>Left", of fixed width: the list and what goes with it, top to bottom.
    QWidget* sinistra;
    QVBoxLayout* elenco;
    // "pnl<sigla>Right", the card under its title, top to bottom.
    PannelloScheda* destra;
    QVBoxLayout* scheda;
};

// Lays the three panels out on `pagina`, the card taking the width the list leaves.
PannelliScheda CreaPannelliScheda(QWidget* pagina, const QString& sigla, int larghezzaElenco,
                                  const QString& titoloScheda);

// In browse mode the list panel and the top buttons are enabled and the card is not; in
// edit mode the reverse.
void AbilitaModifica(const PannelliScheda& pannelli, bool modifica,
                     const QColor& coloreDisabilitato);

// A button of a record tab's panels, named `nome`, at least 96 pixels wide.
QPushButton* PulsanteScheda(QWidget* genitore, const QString& nome, const QString& testo);
