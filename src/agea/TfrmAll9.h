#pragma once

// The declaration form "Allegato 9": the "Dichiarazione di consegna agli indigenti di
// prodotti alimentari gratuiti" of a delivery day, drawn in the window's pixels (594 x 939,
// white) so that the same drawing goes to a printer, a PDF with real text or an image. It
// is never shown on screen: it exists to be printed, and shows the declaration that is
// current in the data sets it is bound to. A day with more products than the table holds
// takes several sheets: each is the whole form with the next products in its table, marked
// "foglio 1 di 2", "foglio 2 di 2" ...

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

    // The product lines the table of one sheet holds.
    static int righeTabella();
    // The sheets the current declaration takes: 1, or more when its products do not fit.
    int fogli() const;
    // The sheet that disegna() draws, from 0; 0 after collega().
    int foglio() const { return m_foglio; }
    void impostaFoglio(int foglio);

private:
    void disegnaTabella(QPainter& painter) const;

    const DataSet* m_allegati9 = nullptr;
    const DataSet* m_destinatari = nullptr;
    const DataSet* m_righe = nullptr;
    int m_foglio = 0;
};
