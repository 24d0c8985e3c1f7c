#pragma once

// The application shell: process entry, the main window TfrmMain and its start-up checks.

#include "Common.h"
#include "Datamodule.h"
#include "Percorsi.h"

#include <QColor>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QTabWidget;
class TfrmAttendere;

// The application title: the product name and a one-line slogan about the AGEA register.
inline const QString TITOLO_APPLICAZIONE =
    QStringLiteral("Dolvera - Il registro AGEA sempre in ordine, giorno per giorno");

class TfrmMain : public QWidget {
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
    // Shows the schema version of the data module created after the window.
    void ImpostaDati(const TdmDati& dati);

    // The first-show sequence, run at every show; only the first does the work.
    void FormShow();

    // Start-up state of the window.
    QColor ColoreDisabilitato{225, 225, 225};
    bool nuovoArticolo = false;
    bool nuovoNominativo = false;
    bool nuovoFornitore = false;
    bool inModifica = false;
    int idCorrenteArticoli = 0;
    int idCorrenteNominativi = 0;
    int idCorrenteFornitori = 0;
    int idCorrenteModelli = 0;
    int idCorrenteCarichi = 0;
    int idCorrenteScarichi = 0;
    int idCorrenteAllegati9 = 0;
    int idCorrenteRapporti = 0;
    QString meseCorrente;
    // True until the end of the first show.
    bool FIRSTIME = true;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool ControlliInstallazione(const QString& cartella);
    void CreaControlli();
    // Shows (and logs, when `logga`) a start-up failure and marks the program to end.
    void Fallimento(const QString& testo, bool logga, const QString& testoLog = {});
    void Termina();

    Messaggi& m_messaggi;
    Percorsi m_percorsi;
    std::unique_ptr<TfrmAttendere> m_attendere;
    bool m_avviato = false;
    bool m_inEsecuzione = true;

    QTabWidget* pcMain = nullptr;
    QWidget* tsMenu = nullptr;
    QLabel* lblVersione = nullptr;
    QLabel* lblDbVers = nullptr;
};
