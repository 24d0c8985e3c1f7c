#pragma once

// The reason dialog "Seleziona causale" of a new distribution.

#include <QDialog>

class Messaggi;
class QComboBox;
class TdmDati;

class TfrmSelCausale : public QDialog {
    Q_OBJECT

public:
    TfrmSelCausale(TdmDati& dati, Messaggi& messaggi, QWidget* parent = nullptr);
    ~TfrmSelCausale() override;

    // The ID of the reason chosen, after the dialog closed with OK.
    int causaleScelta = 0;

    // Closing with OK looks the typed reason up first, however OK came.
    void done(int risultato) override;

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void FormShow();
    bool FormCloseQuery();

    TdmDati& m_dati;
    Messaggi& m_messaggi;
    QComboBox* cbxCausale = nullptr;
};
