#pragma once

// A receipt, a distribution or a delivery template holds at most one line per article.
// Line editing may add an article a document already lists; these routines merge such
// duplicates: per (document, article) one line keeps the summed quantity, the others go.

#include <QString>

// Merges the duplicate lines of one line table (`tabella`, whose document column is
// `campoMaster`): the lowest ID of each group keeps the total. The update and the delete
// of one group run in one transaction. Throws ErroreDb with the engine's own reason; groups
// already merged stay merged, unless the engine rolled the whole transaction back itself (a
// full disk). A merge is logged once it is committed.
//
// With `documento` only the lines of that document are merged. The whole table is merged
// at start-up; afterwards a document can gain a duplicate only while its card is being
// edited (a line added in browse mode is merged at once), so confirming a card merges its
// own document only, which on a table of hundreds of thousands of lines is what keeps
// Conferma quick.
void CheckArticoliDuplicatiUnaTabella(const QString& tabella, const QString& campoMaster,
                                      int documento = 0);
// The merge on the templates' lines, then the distributions', then the receipts'.
void CheckArticoliDuplicati();
