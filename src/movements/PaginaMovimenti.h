#pragma once

// The browse and edit workflow shared by the goods receipts and distributions tabs: the
// documents of one month on the left with the month chooser, the card of the current
// document on the right with its lines, the buttons on top. Headers are created by Nuovo
// (each tab asks its own questions first) and stored at once; lines are added through the
// article picker and stored at once; Conferma stores the header's pending changes and
// merges the lines that name the same article twice. There is no Annulla.

#include "Griglia.h"
#include "PaginaScheda.h"
#include "PannelliScheda.h"
#include "Percorsi.h"

#include <QDate>
#include <QList>
#include <QString>
#include <functional>

class CollegamentoCampi;
class DataSet;
class Messaggi;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class TdmDati;
class TfrmNewCar;
class TfrmQuickSca;
class TfrmSelArt;
class TfrmSelCausale;
class TfrmSelNom;
class TfrmStampa;
struct StatoMain;
struct TabellaRighe;

// The dialogs of the movement tabs, created once with the data module and reused.
struct DialoghiMovimenti {
    TfrmSelArt* selArt = nullptr;
    TfrmNewCar* newCar = nullptr;
    TfrmSelCausale* selCausale = nullptr;
    TfrmSelNom* selNom = nullptr;
    TfrmQuickSca* quickSca = nullptr;
    TfrmStampa* stampa = nullptr;
};

class PaginaMovimenti : public PaginaScheda {
    Q_OBJECT

public:
    struct Definizione {
        QString nomeScheda;      // "tsCarichi"
        QString sigla;           // "Car": pnlCarLeft, btnCarNuovo, cbxCarMese ...
        QString siglaRighe;      // "Car": btnCar_AggiungiArticolo; "Scar" for distributions
        QString nomeMast;        // "grCarichiMast"
        QString nomeDett;        // "grCarichiDett"
        QString titoloScheda;    // "Dettagli Carico"
        QString tabella;         // "carichi_mast"
        QString tabellaRighe;    // "carichi_dett"
        QString gruppo;          // "Carichi": the data sets re-read
        QString documento;       // "carico": the word of the questions
        QString macroStampa;     // "mac_StampaSchedaCarico"
        QString parametroStampa; // "Stampa_Carico_ID"
        DataSet TdmDati::*mast;
        DataSet TdmDati::*dett;
        int StatoMain::*idCorrente;
    };

    PaginaMovimenti(const Definizione& definizione, Messaggi& messaggi, StatoMain& stato,
                    QWidget* parent = nullptr);
    ~PaginaMovimenti() override;

    // Binds the lists and the card to the data module; the dialogs ask for new documents
    // and lines.
    void collegaDati(TdmDati& dati, const Percorsi& percorsi, const DialoghiMovimenti& dialoghi);

    // The tab became the active page: the months of the documents, the month of the
    // document it was on, that document current.
    void Mostra() override;
    // The tab stopped being the active page: remember the current document.
    void Nascondi() override;

    virtual void btnNuovoClick() = 0;
    void btnModificaClick();
    void btnConfermaClick();
    void btnEliminaClick();
    void btnStampaClick();
    void btnAggiungiArticoloClick();
    void btnEliminaArticoloClick();
    // The month chooser changed: the documents of the chosen month.
    void cbxMeseChange();

protected:
    // The columns of the documents list.
    virtual QList<ColonnaGriglia> colonneElenco() const = 0;
    // The columns of the lines list.
    virtual QList<ColonnaGriglia> colonneRighe() const;
    // Binds the card's controls (made on corpoScheda()) to the header's fields.
    virtual void collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) = 0;
    // The control focused when editing starts.
    virtual QWidget* primoCampo() const = 0;
    // The box of the document's date: shown by the card, written at Conferma.
    virtual QLineEdit* casellaData() const = 0;
    // Extra work when editing starts.
    virtual void inizioModifica() {}
    // The checks before the header is stored, the date box read into `data` among them;
    // false keeps the card in edit mode with the reason shown.
    virtual bool controllaConferma(QDate& data) { return leggiData(data); }
    // The date box read into `data`; false, with "La data del documento non è corretta."
    // shown, when it holds no date.
    bool leggiData(QDate& data);
    // The tab's work once the lines of the document of `data` stand as they are stored:
    // after Conferma, and after a line added or removed, or a document deleted, outside
    // edit mode, which no Conferma follows.
    virtual void righeDefinitive(const QDate&) {}

    // Stores a new header with the values `valori` sets on the data set in its insert
    // state and returns its ID; 0, with the error shown, when it could not be stored.
    int registraNuovo(const std::function<void(DataSet&)>& valori);
    // Lists the new document `id` in its own month (also when it is the first of its month
    // or of all), makes it current and starts editing it.
    void apriNuovo(int id);
    // True when the table has no rows.
    static bool tabellaVuota(const QString& tabella);
    // The month of document `id` selected, its documents listed and `id` current; the
    // latest month when `id` does not exist.
    void ricostruisci(int id);

    QWidget* corpoScheda() const { return m_corpo; }
    QLineEdit* casella(const QString& nome, QWidget* genitore);
    Griglia* grigliaMast() const { return m_mast; }
    Griglia* grigliaDett() const { return m_dett; }
    Messaggi& messaggi() const { return m_messaggi; }
    StatoMain& stato() const { return m_stato; }
    TdmDati& dati() const { return *m_dati; }
    const DialoghiMovimenti& dialoghi() const { return m_dialoghi; }
    const Percorsi& percorsi() const { return m_percorsi; }
    // The buttons of the top panel, ending with a stretch: a tab adds its own before it.
    QHBoxLayout* pulsantiAlto() const { return m_pannelli.pulsanti; }
    DataSet& mast() const;
    DataSet& dett() const;
    // The ID of the current document, 0 when there is none.
    int idDocumento() const;
    // The date of the current document; invalid when there is none.
    QDate dataDocumento() const;

private:
    void costruisci();
    void modalitaModifica(bool modifica);
    void FiltroMese();
    // The documents' line table.
    TabellaRighe righe() const;

    Definizione m_def;
    Messaggi& m_messaggi;
    StatoMain& m_stato;
    TdmDati* m_dati = nullptr;
    DialoghiMovimenti m_dialoghi;
    Percorsi m_percorsi;
    CollegamentoCampi* m_collegamento = nullptr;
    PannelliScheda m_pannelli{};
    QWidget* m_corpo = nullptr;
    Griglia* m_mast = nullptr;
    Griglia* m_dett = nullptr;
    QComboBox* m_mese = nullptr;
    QPushButton* m_modifica = nullptr;
    QPushButton* m_stampa = nullptr;
};
