#pragma once

// The copies dialog "Stampa" of the quick distribution: once the printer is ready the user
// prints the distribution card in one copy, in two, or not at all.

#include <QDialog>

class TfrmStampa : public QDialog {
    Q_OBJECT

public:
    // The dialog's results besides QDialog::Rejected ("Annulla").
    static constexpr int UnaCopia = 101;
    static constexpr int DueCopie = 102;

    // Centred on `finestra`, the main window.
    explicit TfrmStampa(QWidget* finestra = nullptr);

    // The copies a result asks for: 1, 2, or 0 for Annulla.
    static int copie(int risultato);
};
