#pragma once

// The "Modelli di consegna" tab: the named parcels the food bank hands out again and again,
// each a list of articles and quantities that a quick distribution copies in one step. A
// template moves no stock. Nuovo stores a template with an empty name at once; its lines are
// stored as soon as they are added or removed, in browse mode too; Conferma stores the name
// and merges the lines that name one article twice. There is no Annulla.

#include "PaginaScheda.h"
#include "PannelliScheda.h"
#include "Percorsi.h"

class CollegamentoCampi;
class DataSet;
class Griglia;
class Messaggi;
class QLineEdit;
class TdmDati;
class TfrmSelArt;
struct StatoMain;

class PaginaModelli : public PaginaScheda {
    Q_OBJECT

public:
    PaginaModelli(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);
    ~PaginaModelli() override;

    // Binds the list and the card to the data module; the picker chooses the lines' articles.
    void collegaDati(TdmDati& dati, const Percorsi& percorsi, TfrmSelArt& selArt);

    // The tab became the active page: re-read, back on the template it was on.
    void Mostra() override;
    // The tab stopped being the active page: remember the current template.
    void Nascondi() override;

    void btnModNuovoClick();
    void btnModModificaClick();
    void btnModCons_ConfermaClick();
    void btnModEliminaClick();
    void btnModStampaClick();
    void btnModStampaElencoClick();
    void btnCons_AggiungiArticoloClick();
    void btnCons_EliminaArticoloClick();

private:
    void costruisci();
    void modalitaModifica(bool modifica);
    DataSet& mast() const;
    DataSet& dett() const;
    // The ID of the current template, 0 when there is none.
    int idModello() const;

    Messaggi& m_messaggi;
    StatoMain& m_stato;
    TdmDati* m_dati = nullptr;
    TfrmSelArt* m_selArt = nullptr;
    Percorsi m_percorsi;
    CollegamentoCampi* m_collegamento = nullptr;
    PannelliScheda m_pannelli{};
    Griglia* grModCons = nullptr;
    Griglia* grConsDett = nullptr;
    QLineEdit* edtModCons_descr = nullptr;
};
