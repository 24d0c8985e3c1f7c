#pragma once

class QColor;
class QPushButton;
class QString;
class QWidget;

// Puts every data control inside `controllo` into the enabled or disabled state: edit
// boxes, drop-down lists, buttons, check boxes, radio buttons and memos follow `abilita`;
// grids too, with a white background when enabled and `coloreDisabilitato` when not.
// Containers are walked child by child; labels, images and other controls stay as they are.
void AbilitaControlli(QWidget* controllo, bool abilita, const QColor& coloreDisabilitato);

// The browse and edit states of a record tab: in browse mode the list panel and the top
// buttons are enabled and the card is not; in edit mode the reverse.
void AbilitaModifica(QWidget* elenco, QWidget* pulsanti, QWidget* scheda, bool modifica,
                     const QColor& coloreDisabilitato);

// A button of a record tab's panels, named `nome`, at least 96 pixels wide.
QPushButton* PulsanteScheda(QWidget* genitore, const QString& nome, const QString& testo);
