#pragma once

// The "Registro" tab: the AGEA articles, a month among those with movements, the month's
// register of the selected article, the register page window and the register prints of
// the report host.

#include "PaginaScheda.h"
#include "Percorsi.h"

class Griglia;
class Messaggi;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TdmDati;
class TfrmRegagea;
struct StatoMain;

class PaginaRegistro : public PaginaScheda {
    Q_OBJECT

public:
    // The page is named "tsRapporti".
    PaginaRegistro(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);

    // `regagea` is the register page window that "Apri registro" opens; it lives as long as
    // the page.
    void collegaDati(TdmDati& dati, const Percorsi& percorsi, TfrmRegagea& regagea);
    void Mostra() override;
    void Nascondi() override;

    // Rebuilds grVideoAgea: the month chosen in cbxRegMese for the article selected in
    // grArtAgea, after writing that month into parametri.
    void RefreshRegagea();
    void ArticoloChange();
    void btnApriRegageaClick();
    // The register of the selected article, through the report host.
    void btnRegStampaClick();
    // The register of every AGEA article, with its cover, through the report host.
    void btnRegStampaTuttiClick();

private:
    void costruisci();
    // The ID of the article selected in grArtAgea; 0 when the list is empty.
    int articoloSelezionato() const;
    // grVideoAgea with the heading row alone.
    void svuotaGriglia();
    void scriviRiga(int riga, const QStringList& celle);

    Messaggi& m_messaggi;
    StatoMain& m_stato;
    TdmDati* m_dati = nullptr;
    Percorsi m_percorsi;
    TfrmRegagea* m_regagea = nullptr;
    // True while the tab is the active one.
    bool m_attiva = false;
    // True while Mostra rebuilds the lists: their changes refresh the register once, at its end.
    bool m_mostrando = false;

    QWidget* pnlRegistro = nullptr;
    QPushButton* btnApriRegagea = nullptr;
    QPushButton* btnRegStampaTutti = nullptr;
    QPushButton* btnRegStampa = nullptr;
    QComboBox* cbxRegMese = nullptr;
    Griglia* grArtAgea = nullptr;
    QTableWidget* grVideoAgea = nullptr;
    QLabel* pnlNessunMovimento = nullptr;
};
