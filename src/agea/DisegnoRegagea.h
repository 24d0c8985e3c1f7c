#pragma once

// The drawings of the AGEA register: a page of the register window (1016 x 703 pixels,
// the official register page: heading, organisation, four article blocks over a grid of a
// carried-forward row and 24 movement rows, stamp and signature) and the cover that opens
// a month's register ("Copertina Registro Agea"). Each paints the screen, a printer or an
// image alike, in the window's pixel coordinates.

#include "StampaForm.h"

#include <QString>
#include <array>

class DisegnoRegagea : public ModuloStampabile {
public:
    static constexpr int LARGHEZZA = 1016;
    static constexpr int ALTEZZA = 703;
    // The grid: date, number, four blocks of unit, load, unload and stock, recipient.
    static constexpr int COLONNE = 19;
    // The carried-forward row and the 24 movement rows of a page.
    static constexpr int RIGHE = 25;
    static constexpr int RIGHE_PAGINA = 24;

    // The print layout adds the organisation, the second title line, the sheet letter and
    // the stamp and signature lines; the screen layout draws only what both share (the
    // window puts its own controls around it).
    bool stampa = false;

    QString lblPagNo = QStringLiteral("1");
    QString prn_lblPagLett = QStringLiteral("A");
    // Organisation name, and its address "via - cap città (prov)".
    QString prn_lblStrutCar1;
    QString prn_lblStrutCar2;
    std::array<QString, 4> lblProdotto{QStringLiteral("PRODOTTO"), QStringLiteral("PRODOTTO"),
                                       QStringLiteral("PRODOTTO"), QStringLiteral("PRODOTTO")};
    // celle[riga][colonna] of grRegagea.
    std::array<std::array<QString, COLONNE>, RIGHE> celle{};

    QSize dimensione() const override;
    void disegna(QPainter& painter) const override;

    // The left edge and width of each grid column, in window pixels.
    static int xColonna(int colonna);
    static int larghezzaColonna(int colonna);
};

class TfrmCopertinaRegagea : public ModuloStampabile {
public:
    // The window's caption.
    static QString didascalia();

    QString lblStrutturaCaritativa;
    QString lblIndirizzo;
    QString lblCitta;
    QString lblProv;
    QString lblTotPag;
    QString lblPag0;
    QString lblPagN;
    QString lblMese;

    QSize dimensione() const override;
    void disegna(QPainter& painter) const override;
};
