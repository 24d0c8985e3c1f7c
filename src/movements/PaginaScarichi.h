#pragma once

// The "Scarichi" tab: every issue of goods from the store, one distribution per document,
// with its reason, usually a beneficiary, the number of people served and one line per
// article and quantity, listed month by month. Confirming a distribution keeps the Annex 9
// declarations in step with the delivery days.

#include "PaginaMovimenti.h"

class QComboBox;
class QPushButton;

class PaginaScarichi : public PaginaMovimenti {
    Q_OBJECT

public:
    PaginaScarichi(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);

    // The next number, the reason and, for a delivery to people, the beneficiary.
    void btnNuovoClick() override;
    // "...": another beneficiary for the distribution, stored at once.
    void btnScaNomClick();
    // The reason was changed in the card: beneficiary and recipients follow, stored at once.
    void dsScarichi_mastDataChange();

protected:
    QList<ColonnaGriglia> colonneElenco() const override;
    QList<ColonnaGriglia> colonneRighe() const override;
    void collegaScheda(CollegamentoCampi& collegamento, TdmDati& dati) override;
    QWidget* primoCampo() const override;
    QLineEdit* casellaData() const override { return edtScaData; }
    void inizioModifica() override;
    bool controllaConferma(QDate& data) override;
    void righeDefinitive(const QDate& data) override;

private:
    // The household size of beneficiary `id`; 0 for none.
    static int numeroFamiliari(int id);
    // "..." and "Numero destinatari" enabled as reason `causale` allows.
    void abilitaPerCausale(int causale);

    QLineEdit* txtScaCognome = nullptr;
    QLineEdit* txtScaNome = nullptr;
    QPushButton* btnScaNom = nullptr;
    QLineEdit* edtScaNrDocumento = nullptr;
    QLineEdit* edtScaData = nullptr;
    QComboBox* luCausale = nullptr;
    QLineEdit* edtScaNrBeneficiati = nullptr;
};
