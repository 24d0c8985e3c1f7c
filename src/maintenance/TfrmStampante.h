#pragma once

// The printer setup dialog of the "Utilità" tab: the printers the program can print to
// (the installed ones and "PDF"), the current one selected. OK makes the selected printer
// the current one; Annulla leaves the current printer as it was.

#include <QDialog>

class QListWidget;
class QPushButton;

class TfrmStampante : public QDialog {
    Q_OBJECT

public:
    // The dialog is named "dlgPrinter".
    explicit TfrmStampante(QWidget* parent = nullptr);

    // The printer selected in the list; empty when none is.
    QString stampanteSelezionata() const;

public slots:
    void accept() override;

private:
    QListWidget* m_elenco = nullptr;
    QPushButton* m_ok = nullptr;
};
