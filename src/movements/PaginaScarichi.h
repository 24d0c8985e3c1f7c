#pragma once

// The "Scarichi" tab: every issue of goods from the store, one distribution per document,
// with its reason, usually a beneficiary, the number of people served and one line per
// article and quantity, listed month by month. Confirming a distribution keeps the Annex 9
// declarations in step with the delivery days. The quick distribution makes the usual
// delivery to a beneficiary in one step, from a delivery template.

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
    // "Veloce (F12)": a beneficiary and a template chosen, today's delivery to that
    // beneficiary stored with the template's lines, the day's declaration, the card printed
    // in the copies asked for, and the new distribution shown in its month.
    void btnQuickScaClick();

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
    // Stores today's reason-1 distribution to `nominativo` with the lines of template
    // `modello`, and returns its ID; 0, with the error shown and nothing stored, on failure.
    int registraScaricoVeloce(int nominativo, int modello);
    // The card of distribution `id` in the copies the copies dialog asks for.
    void stampaCopie(int id);

    QLineEdit* txtScaCognome = nullptr;
    QLineEdit* txtScaNome = nullptr;
    QPushButton* btnScaNom = nullptr;
    QLineEdit* edtScaNrDocumento = nullptr;
    QLineEdit* edtScaData = nullptr;
    QComboBox* luCausale = nullptr;
    QLineEdit* edtScaNrBeneficiati = nullptr;
    QPushButton* btnQuickSca = nullptr;
};
