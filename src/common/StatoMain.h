#pragma once

#include <QColor>
#include <QString>

#include <functional>

// The state the main window shares with its tab pages: the edit flag that keeps the user
// on a tab while a record is being edited, the new-record flags, the row each record tab
// returns to when it is shown again, and the colour of disabled grids.
struct StatoMain {
    QColor ColoreDisabilitato{225, 225, 225};
    // True while a record of some tab is being created or modified: the tab cannot change.
    bool inModifica = false;
    // Called when the edit flag is set or cleared through ImpostaModifica: the main window
    // shows why the tab cannot change.
    std::function<void()> modificaCambiata;
    void ImpostaModifica(bool modifica) {
        inModifica = modifica;
        if (modificaCambiata)
            modificaCambiata();
    }
    // The record being edited on the tab was created by Nuovo and is already stored.
    bool nuovoArticolo = false;
    bool nuovoNominativo = false;
    bool nuovoFornitore = false;
    // The ID of each tab's current row, saved when the tab is left; 0 matches no row.
    int idCorrenteArticoli = 0;
    int idCorrenteNominativi = 0;
    int idCorrenteFornitori = 0;
    int idCorrenteModelli = 0;
    int idCorrenteCarichi = 0;
    int idCorrenteScarichi = 0;
    int idCorrenteAllegati9 = 0;
    int idCorrenteRapporti = 0;
    // The month the register tab shows (a month label), or a text that equals none.
    QString meseCorrente;
};
