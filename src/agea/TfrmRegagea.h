#pragma once

// The register page window "Registro di carico e scarico AGEA": one page of one sheet of
// the month's AGEA register (four articles side by side, a carried-forward row and 24
// movement rows), with month, page and sheet navigation, and the prints of the sheet shown
// and of the whole month with its cover. The page is drawn by DisegnoRegagea, which paints
// the screen and the printer alike; the window adds the screen layout's buttons.

#include "DisegnoRegagea.h"
#include "Percorsi.h"

#include <QChar>
#include <QDate>
#include <QDialog>
#include <array>
#include <functional>

class Messaggi;
class QAbstractButton;
class QComboBox;
class QDateEdit;
class QLabel;
class QPrinter;
class TdmDati;

// A number of the register read from its database text; a text that is no number is an
// error (Errore), not a silent 0.
double NumeroRegistro(const QString& testo);
// The recipient of a register row: every "{dest}" replaced by `dest`, "/" when empty.
QString DestinatarioRegistro(const QString& testo, const QString& dest);

class TfrmRegagea : public QDialog {
    Q_OBJECT

public:
    // The organisation labels of the print layout are read from datiAzienda here, and
    // again at every print.
    TfrmRegagea(TdmDati& dati, Messaggi& messaggi, const Percorsi& percorsi,
                QWidget* parent = nullptr);
    ~TfrmRegagea() override;

    // The main window's month chooser: the window opens on the month it names.
    void impostaSceltaMese(const QComboBox* cbxRegMese);

    // Opens the register on `mese` (the first day of a month): page 1, sheet A.
    void Aggiorna(const QDate& mese);
    // Writes Pivot_mese and Pivot_giac_data for `mese` and reopens qryPivot.
    void ImpostaMesePivot(const QDate& mese);
    // Lays page `pagina` (from 1) of sheet `lettera` into the grid.
    void MostraPagina(int pagina, QChar lettera);
    void CompilaRighe(int pagina);
    void CompilaArticolo(int id, int k, int pagina);
    void SvuotaArticolo(int k);
    int PaginaCorrente() const;
    // The letter of the pressed sheet button; a null character after "Errore #REG01".
    QChar FoglioCorrente();
    void PreparaStampa();
    void PreparaVideo();

    // "Stampa questo foglio" and "Stampa tutto il mese".
    void vid_btnStampaFoglioClick();
    void StampaRegistroMese();

    // The page as drawn: labels, cells, layout.
    const DisegnoRegagea& disegno() const { return m_disegno; }
    QDate mese() const;

protected:
    void showEvent(QShowEvent* evento) override;
    void paintEvent(QPaintEvent* evento) override;

private:
    void FormShow();
    // The organisation's name and address of the print layout, from datiAzienda.
    void LeggiStruttura();
    void creaPulsanti();
    void cambiaMese(int mesi);
    void cambiaPagina(int passo);
    // The pages of the month: one for every 24 rows of qryPivot, and one more.
    int numeroPagine() const;
    // The sheets of the AGEA articles, four articles a sheet.
    static int numeroFogli();
    // Runs the print job `lavoro` titled `titolo`; a failure is shown.
    void stampa(const QString& titolo, const std::function<bool(QPrinter&)>& lavoro);

    TdmDati& m_dati;
    Messaggi& m_messaggi;
    Percorsi m_percorsi;
    const QComboBox* m_sceltaMese = nullptr;
    DisegnoRegagea m_disegno;
    // Month, earliest month and latest movement: hidden date controls, as SpostaMese moves.
    QDateEdit* datRegMese = nullptr;
    QDateEdit* datRegMeseMin = nullptr;
    QDateEdit* datRegMeseMax = nullptr;
    QLabel* vid_lblRegMese = nullptr;
    // The sheet buttons A to N, in letter order.
    std::array<QAbstractButton*, 14> vid_btnFoglio{};
};
