#pragma once

// The "Nominativi" tab: the people and households the food bank helps. A beneficiary
// needs a first name and a surname; the family size counts the people served by each
// distribution and is at least 1 once the card is confirmed.

#include "PaginaAnagrafica.h"

class QPlainTextEdit;

class PaginaNominativi : public PaginaAnagrafica {
    Q_OBJECT

public:
    PaginaNominativi(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);

protected:
    QList<ColonnaGriglia> colonneElenco() const override;
    void collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) override;
    void valoriNuovo(DataSet& ds) override;
    QWidget* primoCampo() const override;
    QString domandaElimina(const DataSet& ds) const override;
    bool controllaConferma(DataSet& ds) override;

private:
    QLineEdit* edtNomCognome = nullptr;
    QLineEdit* edtNomNome = nullptr;
    QLineEdit* edtNumFam = nullptr;
    QPlainTextEdit* edtNomNote = nullptr;
    QPlainTextEdit* edtNomDettFamiliari = nullptr;
};
