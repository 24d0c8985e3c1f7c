#pragma once

// The browse and edit workflow shared by the articles, beneficiaries and suppliers tabs: a
// list with its search box on the left, the record card on the right, the buttons on top.
// In browse mode the list, the search box and the buttons are enabled and the card is not;
// Nuovo and Modifica switch to edit mode (the card only), Conferma and Annulla back.

#include "Griglia.h"
#include "PaginaScheda.h"
#include "PannelliScheda.h"
#include "Percorsi.h"

#include <QList>
#include <QString>
#include <functional>

class CollegamentoCampi;
class DataSet;
class Messaggi;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class TdmDati;
struct StatoMain;

class PaginaAnagrafica : public PaginaScheda {
    Q_OBJECT

public:
    // Everything that names a tab's controls, reports and state.
    struct Definizione {
        QString nomeScheda;        // "tsArticoli"
        QString sigla;             // "Art": btnArtNuovo, pnlArtLeft, edtArtCerca ...
        QString nomeGriglia;       // "grArticoli"
        QString titoloScheda;      // "Scheda Articolo"
        QString etichettaCerca;    // "Descrizione  "
        QString testoStampaElenco; // "Inventario"
        bool schedaPrimaDiElenco;  // order of the two print buttons
        QString gruppo;            // the data sets re-read: "Articoli"
        QString macroElenco, macroScheda, parametroScheda;
        int larghezzaElenco; // width of the left panel
        // The tab's data set in the data module, its new-record flag and its saved row in
        // the main window's state.
        DataSet TdmDati::*dataSet;
        bool StatoMain::*nuovo;
        int StatoMain::*idCorrente;
    };

    PaginaAnagrafica(const Definizione& definizione, Messaggi& messaggi, StatoMain& stato,
                     QWidget* parent = nullptr);
    ~PaginaAnagrafica() override;

    // Binds the list and the card to the data module's data set of the tab.
    void collegaDati(TdmDati& dati, const Percorsi& percorsi);

    // The tab became the active page: re-read, back on the row it was on.
    void Mostra() override;
    // The tab stopped being the active page: remember the row, show all rows again.
    void Nascondi() override;

    // The button handlers of the tab.
    void btnNuovoClick();
    void btnModificaClick();
    void btnConfermaClick();
    void btnAnnullaClick();
    void btnEliminaClick();
    void btnStampaElencoClick();
    void btnStampaSchedaClick();
    // The search box's text changed.
    void AnagCerca_OnChange();

protected:
    // The columns of the list.
    virtual QList<ColonnaGriglia> colonneElenco() const = 0;
    // Binds the card's controls to the data set's fields.
    virtual void collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) = 0;
    // The values of a new record, on the data set in its insert state.
    virtual void valoriNuovo(DataSet& ds) = 0;
    // The card's first field, focused when editing starts.
    virtual QWidget* primoCampo() const = 0;
    // The question asked before the current record is deleted.
    virtual QString domandaElimina(const DataSet& ds) const = 0;
    // Extra work when editing starts and ends.
    virtual void inizioModifica() {}
    virtual void fineModifica() {}
    // The tab's checks before the record is stored; false keeps the card in edit mode (the
    // tab shows its own message). The data set may be put into its edit state here.
    virtual bool controllaConferma(DataSet&) { return true; }

    // A box of the card named `nome` (its place, label and field are the caller's).
    QLineEdit* casella(const QString& nome);
    // A text box of the card on the field `campo`, named after it ("cognome" of the "Nom"
    // tab is edtNomCognome), with its label, in row `riga` of the card's grid `g`: the label
    // in column `colonna`, the box after it spanning `larghezza` columns. It is bound to its
    // field when the card is.
    QLineEdit* casellaTesto(QGridLayout* g, const QString& campo, const QString& etichetta,
                            int riga, int colonna, int larghezza = 1);
    // The address on rows `riga` to `riga` + 2 of the card's grid: "Indirizzo" (via), "CAP"
    // and "Città", "Pr." and "Nazione".
    void caselleIndirizzo(QGridLayout* g, int riga);
    // The fields of the boxes made by casellaTesto(), in their order.
    QStringList campiTesto() const;
    QWidget* corpoScheda() const { return m_corpo; }
    Griglia* griglia() const { return m_griglia; }
    // Adds a control below the list.
    void aggiungiSottoElenco(QWidget* controllo);
    // Adds a button to the top panel, after the print buttons.
    void aggiungiPulsante(QPushButton* pulsante);
    const Percorsi& percorsi() const { return m_percorsi; }
    Messaggi& messaggi() const { return m_messaggi; }
    // The record being edited was created by Nuovo.
    bool& nuovoRecord() const { return m_stato.*m_def.nuovo; }

private:
    void costruisci();
    void modalitaModifica(bool modifica);
    DataSet& ds() const;
    int& idCorrente() const { return m_stato.*m_def.idCorrente; }

    Definizione m_def;
    Messaggi& m_messaggi;
    StatoMain& m_stato;
    TdmDati* m_dati = nullptr;
    Percorsi m_percorsi;
    CollegamentoCampi* m_collegamento = nullptr;
    QList<std::pair<QLineEdit*, QString>> m_caselleTesto;

    PannelliScheda m_pannelli{};
    QWidget* m_corpo = nullptr;
    Griglia* m_griglia = nullptr;
    QLineEdit* m_cerca = nullptr;
};
