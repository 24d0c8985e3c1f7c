#pragma once

// The three panels of a record tab: the buttons on top, the list on the left, the card on
// the right, and their browse and edit states.

class QColor;
class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QString;
class QVBoxLayout;
class QWidget;

struct PannelliScheda {
    // "pnl<sigla>Top": the buttons of browse mode, added left to right.
    QWidget* alto;
    QHBoxLayout* pulsanti;
    // "pnl<sigla>Left", of fixed width: the list and what goes with it, top to bottom.
    QWidget* sinistra;
    QVBoxLayout* elenco;
    // "pnl<sigla>Right", the card under its title, top to bottom.
    QGroupBox* destra;
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
