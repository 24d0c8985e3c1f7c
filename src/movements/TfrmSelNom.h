#pragma once

// The beneficiary picker "Dolvera - Selezione nominativo", with its search box and the
// "Anonimo" choice.

#include <QDialog>

class Griglia;
class Messaggi;
class QLineEdit;
class TdmDati;

class TfrmSelNom : public QDialog {
    Q_OBJECT

public:
    // The result of the dialog closed by "Anonimo" (nominativoScelto is then 0).
    static constexpr int Anonimo = 2;

    TfrmSelNom(TdmDati& dati, Messaggi& messaggi, QWidget* parent = nullptr);
    ~TfrmSelNom() override;

    // The ID of the beneficiary chosen with OK, 0 after Anonimo; unchanged by Annulla.
    int nominativoScelto = 0;

    // Every way of closing ends here: the choice is taken and the search undone.
    void done(int risultato) override;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void FormShow();
    void FormHide();
    void edtSelNomCercaChange();

    TdmDati& m_dati;
    Messaggi& m_messaggi;
    QLineEdit* edtSelNomCerca = nullptr;
    Griglia* grNominativi = nullptr;
};
