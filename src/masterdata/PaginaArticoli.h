#pragma once

// The "Articoli" tab: the goods the food bank stocks, their unit of measure, whether they
// are AGEA products and, for a new article, the opening stock.

#include "PaginaAnagrafica.h"

class QCheckBox;
class QComboBox;

class PaginaArticoli : public PaginaAnagrafica {
    Q_OBJECT

public:
    PaginaArticoli(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);

    // "Giacenze": the stock at a date, printed or written as a CSV file.
    void btnArtGiacenzeClick();

protected:
    QList<ColonnaGriglia> colonneElenco() const override;
    void collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) override;
    void valoriNuovo(DataSet& ds) override;
    QWidget* primoCampo() const override;
    QString domandaElimina(const DataSet& ds) const override;
    void inizioModifica() override;
    void fineModifica() override;
    bool controllaConferma(DataSet& ds) override;

private:
    void mostraGiacenza(bool visibile);

    QLineEdit* edtArtDescr = nullptr;
    QComboBox* luArtUm = nullptr;
    QCheckBox* cbxArtAgea = nullptr;
    QLabel* lblGiac0 = nullptr;
    QLineEdit* edtArtGiacenza = nullptr;
    QLineEdit* edtArtScortamin = nullptr;
};
