#pragma once

// The article picker "Dolvera - Selezione Articolo": finds an article by its description
// and takes a quantity, for one line of a receipt, a distribution or a template. It stores
// nothing; after it closes with OK the caller reads the article and the quantity.

#include <QDialog>

class Griglia;
class Messaggi;
class QKeyEvent;
class QLabel;
class QLineEdit;
class TdmDati;

class TfrmSelArt : public QDialog {
    Q_OBJECT

public:
    TfrmSelArt(TdmDati& dati, Messaggi& messaggi, QWidget* parent = nullptr);
    ~TfrmSelArt() override;

    // The article current when the dialog closed with OK, and the quantity typed.
    int articoloScelto() const;
    double quantitaScelta() const;

    // Closing with OK passes the quantity and article checks first, however OK came.
    void done(int risultato) override;

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void FormShow();
    void SelArt_Criteri_Change();
    bool SelArt_KeyDown(QKeyEvent* tasto);
    bool SelArt_KeyUp(QKeyEvent* tasto);
    bool FormCloseQuery();
    // Re-reads the list on `sql`; a database error is shown and leaves the list empty.
    void apriElenco(const QString& sql);
    // The up-down control: the quantity moved by `passo`, kept within 0 and 100.
    void passoQuantita(int passo);
    void mostraUm();

    TdmDati& m_dati;
    Messaggi& m_messaggi;
    QLineEdit* edtSelArt_Descr = nullptr;
    QLineEdit* edtSelArt_Cod = nullptr;
    QLineEdit* edtSelArt_Qta = nullptr;
    QWidget* UpDown1 = nullptr;
    QLabel* DBText1 = nullptr;
    Griglia* grArticoli = nullptr;
    // Enter went down in one of the boxes: its release closes the dialog. A release
    // whose press closed a message box is not one.
    bool m_invioPremuto = false;
    int m_articolo = 0;
    double m_quantita = 0;
};
