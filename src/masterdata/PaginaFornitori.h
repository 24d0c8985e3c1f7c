#pragma once

// The "Fornitori" tab: the suppliers and donors the food bank receives goods from.

#include "PaginaAnagrafica.h"

class PaginaFornitori : public PaginaAnagrafica {
    Q_OBJECT

public:
    PaginaFornitori(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);

protected:
    QList<ColonnaGriglia> colonneElenco() const override;
    void collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) override;
    void valoriNuovo(DataSet& ds) override;
    QWidget* primoCampo() const override;
    QString domandaElimina(const DataSet& ds) const override;

private:
    QLineEdit* edtForRagsoc = nullptr;
};
