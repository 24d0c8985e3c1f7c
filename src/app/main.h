#pragma once

// The application shell: process entry, the main window TfrmMain and its start-up checks.

#include "Common.h"
#include "Datamodule.h"
#include "Percorsi.h"

#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class AlberoLog;
class QLockFile;
class PaginaAllegato9;
class PaginaAnagrafica;
class PaginaCarichi;
class PaginaModelli;
class PaginaRegistro;
class PaginaScarichi;
class PaginaUtilita;
class TfrmNewCar;
class TfrmQuickSca;
class TfrmRegagea;
class TfrmSelArt;
class TfrmSelCausale;
class TfrmSelNom;
class TfrmStampa;
class QLabel;
class QPushButton;
class QTabWidget;
class TfrmAttendere;

// The application title: the product name and a one-line slogan about the AGEA register.
inline const QString TITOLO_APPLICAZIONE =
    QStringLiteral("Dolvera - Il registro AGEA sempre in ordine, giorno per giorno");

// The main window: one tab per area of work, the guard that keeps the user on a tab while
// a record is being edited, the keyboard shortcuts and the log view. Its shared state
// (edit flag, new-record flags, saved rows) is the StatoMain it inherits.
class TfrmMain : public QWidget, public StatoMain {
    Q_OBJECT

public:
    // Runs the installation checks on the program folder `cartella`. When one fails it shows
    // its message and avviato() is false: the program must end.
    TfrmMain(const QString& cartella, Messaggi& messaggi, QWidget* parent = nullptr);
    ~TfrmMain() override;

    bool avviato() const { return m_avviato; }
    // False once the first show has found a reason to end the program.
    bool inEsecuzione() const { return m_inEsecuzione; }
    const Percorsi& percorsi() const { return m_percorsi; }
    // Binds the tabs to the data module created after the window, creates the dialogs that
    // read it and shows its schema version.
    void ImpostaDati(TdmDati& dati);

    // The first-show sequence, run at every show; only the first does the work.
    void FormShow();

    // A keyboard shortcut of tab `scheda` (any tab when null), run when `tasto` is released.
    // The rules are tried in the order they were added against the tab active when the key
    // was released; the first that matches runs, and a tab it switches to does not receive
    // the same key.
    void AggiungiTasto(QWidget* scheda, int tasto, std::function<void()> azione);
    // Shows or hides the log view at the right of the tabs.
    void AlternaAlberoLog();

    // True until the end of the first show.
    bool FIRSTIME = true;

protected:
    void showEvent(QShowEvent* event) override;
    // The window does not close while a card is being edited: the edit is confirmed or
    // cancelled first, as for a change of tab.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    struct RegolaTasto {
        QWidget* scheda;
        int tasto;
        Qt::KeyboardModifiers modificatori;
        bool conModificatori;
        std::function<void()> azione;
    };
    QWidget* CreaPaginaStart();
    // The repairs of the first show: Annex 9 numbering, missing recipients, duplicate lines.
    void RiparazioniAvvio();
    void SchedaCambiata(int indice);
    bool TastoRilasciato(int tasto, Qt::KeyboardModifiers modificatori);

    bool ControlliInstallazione(const QString& cartella);
    void CreaControlli();
    // Shows (and logs, when `logga`) a start-up failure and marks the program to end.
    void Fallimento(const QString& testo, bool logga, const QString& testoLog = {});
    // Takes the folder's lock; false, with the notice shown, while another instance runs.
    bool BloccaCartella();
    // The working database must be a sound Dolvera database before anything reads or
    // repairs it; false, with the numbered error shown and logged, when it is not.
    bool VerificaDatabaseAvvio(const QString& routine);
    void Termina();

    Messaggi& m_messaggi;
    Percorsi m_percorsi;
    TdmDati* m_dati = nullptr;
    std::unique_ptr<TfrmAttendere> m_attendere;
    // Held while the program runs on its folder: a second start on it stops at once.
    std::unique_ptr<QLockFile> m_blocco;
    bool m_avviato = false;
    bool m_inEsecuzione = true;
    QList<RegolaTasto> m_tasti;
    QWidget* m_schedaAttiva = nullptr;

    QTabWidget* pcMain = nullptr;
    QWidget* tsMenu = nullptr;
    QLabel* lblVersione = nullptr;
    QLabel* lblDbVers = nullptr;
    // Under the tabs while a card is open: why the tab cannot change.
    QLabel* lblSchedaInModifica = nullptr;
    QWidget* pnlUpdate = nullptr;
    QPushButton* btnLogTree = nullptr;
    QList<PaginaAnagrafica*> m_anagrafiche;
    PaginaModelli* m_modelli = nullptr;
    PaginaCarichi* m_carichi = nullptr;
    PaginaScarichi* m_scarichi = nullptr;
    PaginaRegistro* m_registro = nullptr;
    PaginaAllegato9* m_allegato9 = nullptr;
    PaginaUtilita* m_utilita = nullptr;
    // The dialogs of the movement tabs, created with the data module and reused.
    std::unique_ptr<TfrmSelArt> m_selArt;
    std::unique_ptr<TfrmNewCar> m_newCar;
    std::unique_ptr<TfrmSelCausale> m_selCausale;
    std::unique_ptr<TfrmSelNom> m_selNom;
    std::unique_ptr<TfrmQuickSca> m_quickSca;
    std::unique_ptr<TfrmStampa> m_stampa;
    // The register page window that the "Registro" tab opens.
    std::unique_ptr<TfrmRegagea> m_regagea;
    AlberoLog* treeLog = nullptr;
};
