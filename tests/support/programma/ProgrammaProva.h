#pragma once

// The whole program on a temporary program folder, for the tests that drive the real
// windows: the main window and the data module started as at a normal start, the main
// window shown offscreen, message boxes answered by a scripted responder. A test clicks
// and types by control name, answers boxes, and reads the database, the log and the
// printed PDF files.

#include "CartellaProgramma.h"
#include "Messaggi.h"
#include "main.h"

#include <QStringList>
#include <QTest>
#include <QVariant>
#include <memory>

// Fails the test when a box came that was not expected, or an expected one never came.
#define SENZA_PROBLEMI(p) QVERIFY2((p).problemi().isEmpty(), qPrintable((p).problemi().join('\n')))

class ProgrammaProva {
public:
    // `sql` runs on the database before the program starts (the rows a test needs); with
    // `solaLettura` the file is then made read-only, and the notice of it expected.
    explicit ProgrammaProva(const QStringList& sql = {}, bool solaLettura = false);
    ~ProgrammaProva();

    TfrmMain& main() const { return *m_main; }
    TdmDati& dati() const { return *m_dati; }
    MessaggiPreparati& messaggi() { return m_messaggi; }
    const CartellaProgramma& cartella() const { return m_cartella; }

    // The control of the main window named `nome` (nullptr when there is none).
    template <typename T = QWidget> T* trova(const QString& nome) const {
        return m_main->findChild<T*>(nome);
    }
    // Clicks the button `nome`; false when it is missing, hidden or disabled.
    bool clicca(const QString& nome);
    // Gives the focus to the box `nome` and types `testo` into it, any letter included.
    bool scrivi(const QString& nome, const QString& testo);
    // Clicks the tab of page `nome`; true when that page is the active page afterwards.
    bool vaiScheda(const QString& nome);
    // The page now active.
    QString schedaAttiva() const;
    // Presses and releases `tasto` on the control that has the focus.
    void tasto(Qt::Key tasto, Qt::KeyboardModifiers modificatori = Qt::NoModifier);
    // Presses Tab (`avanti`) or Shift+Tab until the focus is back on the control that had it,
    // at most `massimo` times: the names of the controls visited, that control last.
    QStringList giroTab(bool avanti, int massimo = 30);

    // The rows the list `griglia` shows: the cells of its visible columns, in their order on
    // screen, joined by "|".
    QStringList elenco(const QString& griglia) const;
    // The selected row of the list `griglia` as elenco() shows it; empty when there is none.
    QString rigaCorrente(const QString& griglia) const;
    // Clicks row `riga` of the list `griglia`; true when that row is selected afterwards.
    bool cliccaRiga(const QString& griglia, int riga);
    // Replaces the whole text of the box `nome` as the user does: select everything, delete,
    // type (a line break with Return). False when the box is missing, hidden or disabled.
    bool sostituisci(const QString& nome, const QString& testo);
    // The text of the box `nome`, one line or a memo.
    QString testo(const QString& nome) const;
    // Clicks the indicator of the check box `nome`; true when that changed its state.
    bool spunta(const QString& nome);
    // True when every control of `nomi` exists and is enabled (`atteso` true) or disabled.
    bool abilitati(const QStringList& nomi, bool atteso) const;
    // The browse/edit switch of a panel: "modifica" when the controls `scheda` are enabled
    // and `elenco` disabled, "consultazione" the other way round, "misto" otherwise.
    QString stato(const QStringList& scheda, const QStringList& elenco) const;

    // The first column of the first row of a query on the program's database.
    QVariant valore(const QString& sql) const;
    // Every row of a query, its columns joined by "|".
    QStringList righe(const QString& sql) const;
    void esegui(const QString& sql) const;

    // The PDF files printed so far, oldest first, and the text of one of them.
    QStringList stampe() const;
    static QString testoPdf(const QString& file);
    // Clicks the print button `pulsante` and returns the text of the PDF file it printed;
    // empty when the button could not be clicked or no new file came.
    QString stampa(const QString& pulsante);

    // Boxes that were not expected and expected boxes that never came.
    QStringList problemi() const { return m_messaggi.problemi(); }

private:
    CartellaProgramma m_cartella;
    MessaggiPreparati m_messaggi;
    std::unique_ptr<TfrmMain> m_main;
    std::unique_ptr<TdmDati> m_dati;
};
