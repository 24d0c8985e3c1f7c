#pragma once

// The declaration form "Allegato 9": the one-page "Dichiarazione di consegna agli indigenti
// di prodotti alimentari gratuiti" of a delivery day, drawn in the window's pixels (594 x 939,
// white) so that the same drawing goes to a printer, a PDF with real text or an image. It
// is never shown on screen: it exists to be printed, and shows the declaration that is
// current in the data sets it is bound to.

#include "StampaForm.h"

#include <QString>

class DataSet;

class TfrmAll9 : public ModuloStampabile {
public:
    static constexpr int LARGHEZZA = 594;
    static constexpr int ALTEZZA = 939;
    // The window's caption: "Dichiarazione di consegna agli indigenti".
    static QString didascalia();

    // The current row of `allegati9` gives number and date, the current row of
    // `destinatari` the persons reached, every row of `righe` one product line
    // ("descr", "um", "quanti"). Unbound, or without a current row, the fields are empty.
    void collega(const DataSet& allegati9, const DataSet& destinatari, const DataSet& righe);

    // The organisation in the header: name, "city (province)" and street.
    QString lblRagsoc;
    QString lblCitta;
    QString lblVia;

    QSize dimensione() const override;
    void disegna(QPainter& painter) const override;

    // The product lines the table holds; the lines after them are not drawn.
    static int righeTabella();

private:
    void disegnaTabella(QPainter& painter) const;

    const DataSet* m_allegati9 = nullptr;
    const DataSet* m_destinatari = nullptr;
    const DataSet* m_righe = nullptr;
};
