#pragma once

// The "Giornaliero" tab: the Annex 9 declarations month by month, the goods of the current
// one, and its print on the declaration form.

#include "PaginaScheda.h"
#include "Percorsi.h"

#include <memory>

class Griglia;
class Messaggi;
class QComboBox;
class QLineEdit;
class QPushButton;
class TdmDati;
class TfrmAll9;
struct StatoMain;

class PaginaAllegato9 : public PaginaScheda {
    Q_OBJECT

public:
    // The page is named "tsAllegato9".
    PaginaAllegato9(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);
    ~PaginaAllegato9() override;

    void collegaDati(TdmDati& dati, const Percorsi& percorsi);
    void Mostra() override;
    void Nascondi() override;
    void btnAll9StampaClick();

private:
    void costruisci();
    // Shows the declarations of the month chosen in cbxAllMese, both ends included.
    void FiltroMeseAllegati9();

    Messaggi& m_messaggi;
    StatoMain& m_stato;
    TdmDati* m_dati = nullptr;
    Percorsi m_percorsi;
    // The declaration form, bound to the same data sets as the tab.
    std::unique_ptr<TfrmAll9> m_modulo;

    QComboBox* cbxAllMese = nullptr;
    Griglia* grAllegati9 = nullptr;
    Griglia* grGiornalieroAll9Dett = nullptr;
    QPushButton* btnAll9Stampa = nullptr;
    QLineEdit* edtAll9Data = nullptr;
    QLineEdit* edtAll9Numero = nullptr;
    QLineEdit* edtAll9Anno = nullptr;
    QLineEdit* edtAll9Dest = nullptr;
};
