#pragma once

// The "Carichi" tab: every arrival of goods, one receipt per delivery document of a
// supplier, with one line per article and quantity, listed month by month.

#include "PaginaMovimenti.h"

class QComboBox;

class PaginaCarichi : public PaginaMovimenti {
    Q_OBJECT

public:
    PaginaCarichi(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);

    // The supplier, date and number come from the new-receipt dialog.
    void btnNuovoClick() override;

protected:
    QList<ColonnaGriglia> colonneElenco() const override;
    void collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) override;
    QWidget* primoCampo() const override;
    QLineEdit* casellaData() const override { return edtCarData; }

private:
    QComboBox* edtCarForID = nullptr;
    QLineEdit* edtCarData = nullptr;
    QLineEdit* edtCarNrDocumento = nullptr;
};
