#pragma once

// The new-receipt dialog "Dolvera - Dettagli carico": supplier, date and document number
// of a new goods receipt.

#include "DataSet.h"

#include <QDate>
#include <QDialog>

class Messaggi;
class QComboBox;
class QDateEdit;
class QLineEdit;
class TdmDati;

class TfrmNewCar : public QDialog {
    Q_OBJECT

public:
    TfrmNewCar(TdmDati& dati, Messaggi& messaggi, QWidget* parent = nullptr);
    ~TfrmNewCar() override;

    // The choices, read after the dialog closed with OK.
    int fornitoreScelto() const;
    QDate dataScelta() const;
    QString numeroScelto() const;

    // Closing with OK passes the supplier and number checks first, however OK came.
    void done(int risultato) override;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void FormShow();
    bool FormCloseQuery();
    // Fills the supplier list again, keeping the supplier chosen before when it still exists.
    void riempiFornitori();

    Messaggi& m_messaggi;
    // The suppliers offered, by name; read on every show.
    DataSet m_fornitori{QStringLiteral("qryNewCarFornitori")};
    QComboBox* edtNewCar_forId = nullptr;
    QDateEdit* edtNewCar_data = nullptr;
    QLineEdit* edtNewCar_docNum = nullptr;
    int m_fornitore = 0;
    QDate m_data;
    QString m_numero;
};
