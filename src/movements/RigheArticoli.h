#pragma once

// The lines of a receipt, a distribution or a delivery template: one article and its
// quantity each, added through the article picker and stored at once, removed after a
// question. The three tabs share these steps and the columns their lines are listed with.

#include "Griglia.h"

#include <QList>
#include <QString>
#include <functional>

class DataSet;
class Messaggi;
class TfrmSelArt;

// The line table of one kind of document.
struct TabellaRighe {
    QString tabella;     // "carichi_dett"
    QString campoMaster; // the document's column: "master_id", "modelli_id" for templates
    QString documento;   // the word of the delete question: "carico", "modello di consegna"
};

// "Descrizione", "U.M." and "Quantità" of each line.
QList<ColonnaGriglia> ColonneRigheArticoli();

// Adds to document `documento` a line of `righe` (the detail of the documents' data set)
// with the article and quantity chosen in the picker; nothing when `documento` is 0 or the
// picker is cancelled. With `subito` no Conferma follows (browse mode): the document's
// lines naming one article twice are merged at once, then `completa` runs. An error is
// shown, and no line is left half added.
void AggiungiRigaArticolo(Messaggi& messaggi, TfrmSelArt& selArt, DataSet& righe,
                          const TabellaRighe& tabella, int documento, bool subito,
                          const std::function<void()>& completa = {});

// Asks "Eliminare l'articolo <descrizione> dal presente <documento>?" and on Yes deletes
// the current line of `righe`, then runs `completa`. Nothing when there is no line.
void EliminaRigaArticolo(Messaggi& messaggi, DataSet& righe, const TabellaRighe& tabella,
                         const std::function<void()>& completa = {});
