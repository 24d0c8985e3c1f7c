#pragma once

class QColor;
class QWidget;

// Puts every data control inside `controllo` into the enabled or disabled state: edit
// boxes, drop-down lists, buttons, check boxes, radio buttons and memos follow `abilita`;
// grids too, with a white background when enabled and `coloreDisabilitato` when not.
// Containers are walked child by child; labels, images and other controls stay as they are.
void AbilitaControlli(QWidget* controllo, bool abilita, const QColor& coloreDisabilitato);
