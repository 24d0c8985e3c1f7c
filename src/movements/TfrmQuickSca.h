#pragma once

// The quick distribution dialog "Dolvera - Scarico veloce": a beneficiary, found by the
// surname search, and a delivery template. It stores nothing; after it closes the caller
// reads the two choices. The template chosen stays the one offered next time.

#include <QDialog>

class Griglia;
class Messaggi;
class QKeyEvent;
class QLineEdit;
class TdmDati;

class TfrmQuickSca : public QDialog {
    Q_OBJECT

public:
    // The template offered first is the one current in the templates list now.
    TfrmQuickSca(TdmDati& dati, Messaggi& messaggi, QWidget* parent = nullptr);
    ~TfrmQuickSca() override;

    // The template offered when the dialog opens: the one current at its last close.
    int modelloUltimo = 0;
    // The beneficiary and the template current when the dialog last closed, however it
    // closed; 0 for none.
    int nominativoScelto = 0;
    int modelloScelto = 0;

    // Every way of closing ends here: the choices are taken and the search undone.
    void done(int risultato) override;

protected:
    void showEvent(QShowEvent* evento) override;
    // The dialog sees the keys of its controls first.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void FormShow();
    bool FormKeyDown(QObject* controllo, const QKeyEvent* tasto);
    bool FormKeyUp(QObject* controllo, const QKeyEvent* tasto);
    void FormHide();
    void edtQuickNomCercaChange();

    TdmDati& m_dati;
    Messaggi& m_messaggi;
    QLineEdit* edtQuickNomCerca = nullptr;
    Griglia* grQuickNominativi = nullptr;
    Griglia* grQuickModCons = nullptr;
    // Enter went down in this dialog: its release closes it. A release whose press closed
    // a message box is not one.
    bool m_invioPremuto = false;
};
