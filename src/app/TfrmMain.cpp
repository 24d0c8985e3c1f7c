#include "main.h"

#include "AlberoLog.h"
#include "Allegati9.h"
#include "ControlloAggiornamenti.h"
#include "CopiaDatabase.h"
#include "CopieAutomatiche.h"
#include "Duplicati.h"
#include "EtichettaLink.h"
#include "PaginaAllegato9.h"
#include "PaginaArticoli.h"
#include "PaginaCarichi.h"
#include "PaginaFornitori.h"
#include "PaginaModelli.h"
#include "PaginaNominativi.h"
#include "PaginaRegistro.h"
#include "PaginaScarichi.h"
#include "PaginaUtilita.h"
#include "Registro.h"
#include "TfrmAttendere.h"
#include "TfrmNewCar.h"
#include "TfrmQuickSca.h"
#include "TfrmRegagea.h"
#include "TfrmSelArt.h"
#include "TfrmSelCausale.h"
#include "TfrmSelNom.h"
#include "TfrmStampa.h"
#include "Utilitylibrary.h"
#include "VersionInfo.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLockFile>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString CHIAVE_ODBC = QStringLiteral("SOFTWARE\\ODBC\\ODBC.INI\\SolvaneODBC");
const QString CHIAVE_CURVER = QStringLiteral("SOFTWARE\\Classes\\Access.Application\\CurVer");
} // namespace

TfrmMain::TfrmMain(const QString& cartella, Messaggi& messaggi, QWidget* parent)
    : QWidget(parent), m_messaggi(messaggi), m_attendere(std::make_unique<TfrmAttendere>()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Dolvera"));
    CreaControlli();
    m_avviato = ControlliInstallazione(cartella);
    m_utilita->impostaPercorsi(m_percorsi);
    m_utilita->impostaTermina([this] { Termina(); });
    m_inEsecuzione = m_avviato;
}

TfrmMain::~TfrmMain() {
    qApp->removeEventFilter(this);
    modificaCambiata = nullptr;
}

void TfrmMain::CreaControlli() {
    setMinimumWidth(760);
    pcMain = new QTabWidget(this);
    pcMain->setObjectName(QStringLiteral("pcMain"));
    // Tab captions in bold 16-pixel Arial, dark red; all ten tabs fit the window's width.
    pcMain->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { font: bold 16px \"Arial\"; color: rgb(128, 0, 0); "
                       "padding: 4px 5px; margin-right: 1px; background: #e6e6e6; "
                       "border: 1px solid #b4b4b4; border-bottom: none; "
                       "border-top-left-radius: 3px; border-top-right-radius: 3px; }"
                       "QTabBar::tab:selected { background: white; }"));
    treeLog = new AlberoLog(this);
    treeLog->hide();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* colonna = new QVBoxLayout;
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);
    colonna->addWidget(pcMain, 1);
    lblSchedaInModifica = new QLabel(
        QStringLiteral("Scheda in modifica: premere Conferma o Annulla per cambiare scheda."),
        this);
    lblSchedaInModifica->setObjectName(QStringLiteral("lblSchedaInModifica"));
    lblSchedaInModifica->setContentsMargins(8, 2, 8, 4);
    lblSchedaInModifica->hide();
    colonna->addWidget(lblSchedaInModifica);
    layout->addLayout(colonna, 1);
    layout->addWidget(treeLog);
    modificaCambiata = [this] {
        lblSchedaInModifica->setVisible(inModifica);
        // While a card is open the tabs cannot change: the tab bar leaves the round of
        // Tab and Shift+Tab, which stays on the card's fields and buttons.
        pcMain->tabBar()->setFocusPolicy(inModifica ? Qt::NoFocus : Qt::TabFocus);
    };

    tsMenu = CreaPaginaStart();
    pcMain->addTab(tsMenu, QStringLiteral("Start"));
    m_anagrafiche = {new PaginaArticoli(m_messaggi, *this), new PaginaNominativi(m_messaggi, *this),
                     new PaginaFornitori(m_messaggi, *this)};
    pcMain->addTab(m_anagrafiche[0], QStringLiteral("Articoli"));
    pcMain->addTab(m_anagrafiche[1], QStringLiteral("Nominativi"));
    pcMain->addTab(m_anagrafiche[2], QStringLiteral("Fornitori"));
    m_modelli = new PaginaModelli(m_messaggi, *this);
    pcMain->addTab(m_modelli, QStringLiteral("Modelli di consegna"));
    m_carichi = new PaginaCarichi(m_messaggi, *this);
    m_scarichi = new PaginaScarichi(m_messaggi, *this);
    pcMain->addTab(m_carichi, QStringLiteral("Carichi"));
    pcMain->addTab(m_scarichi, QStringLiteral("Scarichi"));
    m_registro = new PaginaRegistro(m_messaggi, *this);
    pcMain->addTab(m_registro, QStringLiteral("Registro"));
    m_allegato9 = new PaginaAllegato9(m_messaggi, *this);
    pcMain->addTab(m_allegato9, QStringLiteral("Giornaliero"));
    m_utilita = new PaginaUtilita(m_messaggi, *this);
    pcMain->addTab(m_utilita, QStringLiteral("Utilità"));
    m_schedaAttiva = pcMain->currentWidget();
    connect(pcMain, &QTabWidget::currentChanged, this, &TfrmMain::SchedaCambiata);

    // The guard of the tabs and the shortcuts see every event of the window's controls
    // before the controls do.
    qApp->installEventFilter(this);
    AggiungiTasto(nullptr, Qt::Key_Home, [this] { AlternaAlberoLog(); });
    // The lines of receipts and distributions, in browse mode as well as in edit mode.
    for (PaginaMovimenti* pagina :
         {static_cast<PaginaMovimenti*>(m_carichi), static_cast<PaginaMovimenti*>(m_scarichi)}) {
        AggiungiTasto(pagina, Qt::Key_F5, [pagina] { pagina->btnAggiungiArticoloClick(); });
        AggiungiTasto(pagina, Qt::Key_F6, [pagina] { pagina->btnEliminaArticoloClick(); });
    }
    // The lines of the delivery templates, in either state as well.
    AggiungiTasto(m_modelli, Qt::Key_F5, [this] { m_modelli->btnCons_AggiungiArticoloClick(); });
    AggiungiTasto(m_modelli, Qt::Key_F6, [this] { m_modelli->btnCons_EliminaArticoloClick(); });
    // The quick distribution.
    AggiungiTasto(m_scarichi, Qt::Key_F12, [this] { m_scarichi->btnQuickScaClick(); });
    // From the start page straight to a new receipt.
    AggiungiTasto(tsMenu, Qt::Key_F11, [this] {
        pcMain->setCurrentWidget(m_carichi);
        m_carichi->btnNuovoClick();
    });
    // From the start page to "Scarichi", and there the quick distribution.
    AggiungiTasto(tsMenu, Qt::Key_F12, [this] {
        pcMain->setCurrentWidget(m_scarichi);
        m_scarichi->btnQuickScaClick();
    });
}

// The start page: the logo, the version, the update notice, the link to the maker's web page
// and the log-view button.
QWidget* TfrmMain::CreaPaginaStart() {
    // The logo lives in a resource of this static library: register it before reading it.
    Q_INIT_RESOURCE(immagini);
    auto* pagina = new QWidget;
    pagina->setObjectName(QStringLiteral("tsMenu"));
    auto* start = new QVBoxLayout(pagina);
    start->addStretch();
    auto* logo = new QLabel(pagina);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/immagini/logo.jpg")));
    logo->setAlignment(Qt::AlignCenter);
    start->addWidget(logo);
    // The application title stands under the logo: every window and box is captioned
    // "Dolvera" alone.
    auto* titolo = new QLabel(TITOLO_APPLICAZIONE, pagina);
    titolo->setObjectName(QStringLiteral("lblTitolo"));
    titolo->setAlignment(Qt::AlignCenter);
    titolo->setStyleSheet(QStringLiteral("font-size: 15px; font-style: italic; color: #703010;"));
    start->addWidget(titolo);
    lblVersione = new QLabel(pagina);
    lblVersione->setObjectName(QStringLiteral("lblVersione"));
    lblVersione->setAlignment(Qt::AlignCenter);
    start->addWidget(lblVersione);
    lblDbVers = new QLabel(pagina);
    lblDbVers->setObjectName(QStringLiteral("lblDbVers"));
    lblDbVers->setAlignment(Qt::AlignCenter);
    lblDbVers->hide();
    start->addWidget(lblDbVers);
    pnlUpdate = new QWidget(pagina);
    pnlUpdate->setObjectName(QStringLiteral("pnlUpdate"));
    auto* avviso = new QVBoxLayout(pnlUpdate);
    auto* nuovaVersione = new QLabel(
        QStringLiteral("Attenzione: è stata rilasciata una nuova versione di Dolvera"), pnlUpdate);
    nuovaVersione->setObjectName(QStringLiteral("lblUpdate"));
    nuovaVersione->setAlignment(Qt::AlignCenter);
    QFont carattere(QStringLiteral("Arial"));
    carattere.setPixelSize(16);
    carattere.setBold(true);
    nuovaVersione->setFont(carattere);
    avviso->addWidget(nuovaVersione);
    auto* lblUpdateAvailable =
        new QLabel(QStringLiteral("Per scaricarla vai sul nostro sito e clicca su "
                                  "\"Scarica ultimo aggiornamento\""),
                   pnlUpdate);
    lblUpdateAvailable->setObjectName(QStringLiteral("lblUpdateAvailable"));
    lblUpdateAvailable->setAlignment(Qt::AlignCenter);
    QFont normale(QStringLiteral("Arial"));
    normale.setPixelSize(13);
    lblUpdateAvailable->setFont(normale);
    avviso->addWidget(lblUpdateAvailable);
    pnlUpdate->hide();
    start->addWidget(pnlUpdate);
    // The maker's web page, where a new release is downloaded.
    auto* lblWebSiteGo = new EtichettaLink(SITO_WEB.toString(), pagina);
    lblWebSiteGo->setObjectName(QStringLiteral("lblWebSiteGo"));
    carattere.setUnderline(true);
    lblWebSiteGo->setFont(carattere);
    QPalette blu = lblWebSiteGo->palette();
    blu.setColor(QPalette::WindowText, Qt::blue);
    lblWebSiteGo->setPalette(blu);
    connect(lblWebSiteGo, &EtichettaLink::cliccata, this,
            [] { QDesktopServices::openUrl(SITO_WEB); });
    start->addWidget(lblWebSiteGo, 0, Qt::AlignCenter);
    start->addStretch();
    btnLogTree = new QPushButton(QStringLiteral("Log"), pagina);
    btnLogTree->setObjectName(QStringLiteral("btnLogTree"));
    connect(btnLogTree, &QPushButton::clicked, this, &TfrmMain::AlternaAlberoLog);
    start->addWidget(btnLogTree, 0, Qt::AlignRight);
    return pagina;
}

// The installation checks; each step runs only when the previous ones succeeded.
bool TfrmMain::ControlliInstallazione(const QString& cartella) {
    const QString routine = QStringLiteral("TfrmMain::TfrmMain");
    // 1. The program folder and the database files.
    m_percorsi = Percorsi::daCartella(QFileInfo(cartella).absoluteFilePath());
    // One instance per program folder, before any file of it is touched.
    if (!BloccaCartella())
        return false;

    // 2. Log rotation, three generations; failures are ignored.
    const QString log = m_percorsi.PathApp + QStringLiteral("Dolvera.LOG");
    const QString log1 = m_percorsi.PathApp + QStringLiteral("Dolvera-1.LOG");
    const QString log2 = m_percorsi.PathApp + QStringLiteral("Dolvera-2.LOG");
    if (QFile::exists(log2))
        QFile::remove(log2);
    if (QFile::exists(log1))
        QFile::rename(log1, log2);
    if (QFile::exists(log))
        QFile::rename(log, log1);
    utLogImpostaFile(log);

    // 3.
    utLogEnter(routine);

    // 4. The working database, made from the template at the first start.
    if (!QFile::exists(m_percorsi.FileDb)) {
        if (!QFile::exists(m_percorsi.FileDb0)) {
            Fallimento(QStringLiteral("ERRORE #1: Impossibile trovare il database."), false);
            return false;
        }
        if (!QFile::rename(m_percorsi.FileDb0, m_percorsi.FileDb)) {
            Fallimento(QStringLiteral("ERRORE #2: Impossibile rinominare il database."), false);
            return false;
        }
    }

    // 5. and 6. The data source must name the working database.
    Registro registro(Registro::filePredefinito(m_percorsi.PathApp));
    QString dbq;
    if (!registro.leggi(CHIAVE_ODBC, QStringLiteral("DBQ"), dbq) || dbq.isEmpty()) {
        Fallimento(QStringLiteral("ERRORE #3: Impossibile modificare le impostazioni di sistema."),
                   true,
                   QStringLiteral("ERRORE #3: Impossibile modificare le impostazioni di sistema"));
        return false;
    }
    if (m_percorsi.FileDb.toLower() != dbq.toLower() &&
        !registro.scrivi(CHIAVE_ODBC, QStringLiteral("DBQ"), m_percorsi.FileDb)) {
        Fallimento(QStringLiteral("ERRORE #4: Impossibile modificare le impostazioni di sistema."),
                   true);
        return false;
    }

    // 7. to 9. The report host.
    QString identificatore;
    if (!registro.leggi(CHIAVE_CURVER, QString(), identificatore) || identificatore.isEmpty()) {
        Fallimento(QStringLiteral("ERRORE #5: Impossibile trovare Access."), true);
        return false;
    }
    utLog(routine, QStringLiteral("ACCESSEXE #5: cv=[") + identificatore + QStringLiteral("]"));
    const QString classe = QStringLiteral("SOFTWARE\\Classes\\") + identificatore;
    QString comando;
    if ((!registro.leggi(classe + QStringLiteral("\\shell\\New\\command"), QString(), comando) ||
         comando.isEmpty()) &&
        (!registro.leggi(classe + QStringLiteral("\\shell\\Open\\command"), QString(), comando) ||
         comando.isEmpty())) {
        Fallimento(QStringLiteral("ERRORE #6: Impossibile trovare Access."), true);
        return false;
    }
    utLog(routine, QStringLiteral("ACCESSEXE #6/2: cmd=[") + comando + QStringLiteral("]"));
    m_percorsi.AccessExe = utTestoTra(comando, QStringLiteral("\""), QStringLiteral("\""));
    if (m_percorsi.AccessExe.isEmpty() || !QFileInfo(m_percorsi.AccessExe).isFile()) {
        Fallimento(QStringLiteral("ERRORE #7: Impossibile trovare Access."), true);
        return false;
    }
    utLog(routine, QStringLiteral("AccessExe=[") + m_percorsi.AccessExe + QStringLiteral("]"));
    if (!VerificaDatabaseAvvio(routine))
        return false;

    // 10.
    nuovoArticolo = false;
    nuovoNominativo = false;
    nuovoFornitore = false;
    pcMain->setCurrentIndex(0);
    ColoreDisabilitato = QColor(225, 225, 225);

    // 11. The version embedded in the executable.
    QString versione;
    GetVersionInfo(QCoreApplication::applicationFilePath(), QStringLiteral("FileVersion"),
                   versione);
    lblVersione->setText(QStringLiteral("Versione ") + versione);
    utLog(routine, QStringLiteral("Versione eseguibile:") + versione);

    // 12. Size, position, the controls hidden for good and browse state on every record tab.
    resize(869, 681);
    if (const QScreen* schermo = QGuiApplication::primaryScreen())
        move(schermo->availableGeometry().center() - rect().center());
    for (const char* nome : {"btnArtElimina", "btnNomElimina", "btnForElimina", "btnCarElimina",
                             "btnScaElimina", "btnLogTree", "btnRegStampa", "btnRegStampaTutti"}) {
        if (auto* pulsante = findChild<QWidget*>(QLatin1String(nome)))
            pulsante->hide();
    }
    for (const char* nome : {"pnlArtLeft", "pnlArtTop", "pnlNomLeft", "pnlNomTop", "pnlForLeft",
                             "pnlForTop", "pnlModConsLeft", "pnlModConsTop", "pnlCarLeft",
                             "pnlCarTop", "pnlScaLeft", "pnlScaTop"}) {
        if (auto* pannello = findChild<QWidget*>(QLatin1String(nome)))
            AbilitaControlli(pannello, true, ColoreDisabilitato);
    }
    for (const char* nome : {"pnlArtRight", "pnlNomRight", "pnlForRight", "pnlModConsRight",
                             "pnlCarRight", "pnlScaRight"}) {
        if (auto* pannello = findChild<QWidget*>(QLatin1String(nome)))
            AbilitaControlli(pannello, false, ColoreDisabilitato);
    }
    inModifica = false;
    idCorrenteArticoli = idCorrenteNominativi = idCorrenteFornitori = 0;
    idCorrenteModelli = idCorrenteCarichi = idCorrenteScarichi = 0;
    idCorrenteAllegati9 = idCorrenteRapporti = 0;
    meseCorrente = utTestoData(QDate(2000, 1, 1));
    utLogExit(routine);
    return true;
}

bool TfrmMain::BloccaCartella() {
    m_blocco = std::make_unique<QLockFile>(m_percorsi.PathApp + QStringLiteral("Dolvera.lock"));
    // A running instance keeps its lock however long it runs; the lock of a process that
    // no longer exists is taken over.
    m_blocco->setStaleLockTime(0);
    if (m_blocco->tryLock(0))
        return true;
    const bool altraIstanza = m_blocco->error() == QLockFile::LockFailedError;
    m_blocco.reset();
    // A folder where no lock can be written (read-only, immutable) lets no instance
    // change its files either: the checks that follow say what fails.
    if (!altraIstanza)
        return true;
    m_messaggi.errore(QStringLiteral("Dolvera è già in esecuzione."));
    return false;
}

bool TfrmMain::VerificaDatabaseAvvio(const QString& routine) {
    // A process ended in the middle of a change leaves its journal beside the file: the
    // engine undoes that change when a writable connection first reads the file, and a
    // read-only check could not. Let it do so before the check.
    if (QFile::exists(m_percorsi.FileDb + QStringLiteral("-journal")) &&
        !FileSolaLettura(m_percorsi.FileDb)) {
        const QString recupero = QStringLiteral("RecuperoJournal");
        try {
            ApriConnessione(m_percorsi.FileDb, recupero);
        } catch (const ErroreDb&) {
            // A file that cannot be opened is named by the check below.
        }
        ChiudiConnessione(recupero);
    }
    QString motivo;
    if (VerificaDatabase(m_percorsi.FileDb, true, &motivo, true))
        return true;
    const QString nome = QDir::toNativeSeparators(m_percorsi.FileDb);
    QString testo = QStringLiteral("ERRORE #14: Il database \"") + nome +
                    QStringLiteral("\" è danneggiato o non è un database di Dolvera.");
    const QDate ultima = UltimaCopiaAutomatica(m_percorsi.PathApp);
    if (ultima.isValid()) {
        const QString copia =
            QDir::toNativeSeparators(FileCopiaAutomatica(m_percorsi.PathApp, ultima));
        testo += QStringLiteral("\nLa copia automatica più recente è \"") + copia +
                 QStringLiteral("\" (") + utTestoData(ultima) +
                 QStringLiteral("). Per ripristinarla chiudere Dolvera, conservare a parte "
                                "il file danneggiato e copiare al suo posto la copia, "
                                "con il nome Dolvera.mdb.");
    }
    utLog(routine, QStringLiteral("ERRORE #14: Database danneggiato o non di Dolvera: ") + motivo);
    m_messaggi.errore(testo);
    return false;
}

void TfrmMain::Fallimento(const QString& testo, bool logga, const QString& testoLog) {
    if (logga)
        utLog(QStringLiteral("TfrmMain::TfrmMain"), testoLog.isEmpty() ? testo : testoLog);
    m_messaggi.errore(testo);
}

void TfrmMain::ImpostaDati(TdmDati& dati) {
    m_dati = &dati;
    m_selArt = std::make_unique<TfrmSelArt>(dati, m_messaggi);
    m_newCar = std::make_unique<TfrmNewCar>(dati, m_messaggi);
    m_selCausale = std::make_unique<TfrmSelCausale>(dati, m_messaggi);
    m_selNom = std::make_unique<TfrmSelNom>(dati, m_messaggi);
    m_quickSca = std::make_unique<TfrmQuickSca>(dati, m_messaggi);
    // The copies dialog is centred on this window.
    m_stampa = std::make_unique<TfrmStampa>(this);
    m_regagea = std::make_unique<TfrmRegagea>(dati, m_messaggi, m_percorsi);
    for (PaginaAnagrafica* pagina : std::as_const(m_anagrafiche))
        pagina->collegaDati(dati, m_percorsi);
    const DialoghiMovimenti dialoghi{m_selArt.get(), m_newCar.get(),   m_selCausale.get(),
                                     m_selNom.get(), m_quickSca.get(), m_stampa.get()};
    m_modelli->collegaDati(dati, m_percorsi, *m_selArt);
    m_carichi->collegaDati(dati, m_percorsi, dialoghi);
    m_scarichi->collegaDati(dati, m_percorsi, dialoghi);
    m_allegato9->collegaDati(dati, m_percorsi);
    m_registro->collegaDati(dati, m_percorsi, *m_regagea);
    m_utilita->collegaDati(dati);
    // The ID column of the articles and receipts lists and the article number of the
    // distribution lines are hidden for good.
    findChild<Griglia*>(QStringLiteral("grArticoli"))->nascondiColonna(0);
    findChild<Griglia*>(QStringLiteral("grCarichiMast"))->nascondiColonna(0);
    findChild<Griglia*>(QStringLiteral("grScarichiDett"))->nascondiColonna(3);
    lblDbVers->setText(QStringLiteral("DB:") + QString::number(dati.versioneDb()));
}

// The active tab changed: the tab left saves its state, the tab shown re-reads its own.
void TfrmMain::SchedaCambiata(int indice) {
    auto* lasciata = qobject_cast<PaginaScheda*>(m_schedaAttiva);
    m_schedaAttiva = pcMain->widget(indice);
    if (!m_dati)
        return;
    if (lasciata)
        lasciata->Nascondi();
    if (auto* mostrata = qobject_cast<PaginaScheda*>(m_schedaAttiva))
        mostrata->Mostra();
}

bool TfrmMain::eventFilter(QObject* oggetto, QEvent* evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonDblClick &&
        tipo != QEvent::Wheel && tipo != QEvent::KeyPress && tipo != QEvent::KeyRelease)
        return false;
    auto* controllo = qobject_cast<QWidget*>(oggetto);
    if (!controllo || controllo->window() != this)
        return false;
    switch (tipo) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        // While a record is being edited the tabs cannot be changed.
        return inModifica && controllo == pcMain->tabBar();
    case QEvent::KeyPress: {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        const bool tabulazione = tasto->key() == Qt::Key_Tab || tasto->key() == Qt::Key_Backtab;
        const bool cambiaScheda =
            (tasto->modifiers() & Qt::ControlModifier) &&
            (tabulazione || tasto->key() == Qt::Key_PageUp || tasto->key() == Qt::Key_PageDown);
        // Plain Tab and Shift+Tab on the tab bar move the focus on, they do not change tab.
        const bool suSchede = controllo == pcMain->tabBar() &&
                              !(tabulazione && !(tasto->modifiers() & Qt::ControlModifier));
        return inModifica && (cambiaScheda || suSchede);
    }
    case QEvent::KeyRelease: {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        return !tasto->isAutoRepeat() && TastoRilasciato(tasto->key(), tasto->modifiers());
    }
    default:
        return false;
    }
}

void TfrmMain::AggiungiTasto(QWidget* scheda, int tasto, std::function<void()> azione) {
    // The log view is the one shortcut that needs its modifiers: Ctrl+Alt+Home.
    const bool conModificatori = tasto == Qt::Key_Home;
    m_tasti.append(
        {scheda, tasto, Qt::ControlModifier | Qt::AltModifier, conModificatori, std::move(azione)});
}

bool TfrmMain::TastoRilasciato(int tasto, Qt::KeyboardModifiers modificatori) {
    QWidget* attiva = pcMain->currentWidget();
    for (const RegolaTasto& regola : std::as_const(m_tasti)) {
        if ((regola.scheda && regola.scheda != attiva) || regola.tasto != tasto)
            continue;
        if (regola.conModificatori && (modificatori & (Qt::ControlModifier | Qt::AltModifier |
                                                       Qt::ShiftModifier)) != regola.modificatori)
            continue;
        regola.azione();
        return true;
    }
    return false;
}

void TfrmMain::AlternaAlberoLog() {
    if (treeLog->isVisible()) {
        treeLog->hide();
        pcMain->setMinimumWidth(0);
        pcMain->setMaximumWidth(QWIDGETSIZE_MAX);
        resize(869, 681);
        return;
    }
    // 1280 pixels wide, or as wide as the screen leaves room for, frame included; the tree
    // keeps at least a readable width, the tabs giving up what it needs.
    const QRect schermo = screen()->availableGeometry();
    const int cornice = frameGeometry().width() - width();
    const int totale = std::min(1280, schermo.width() - cornice);
    const int albero = std::max(totale - pcMain->width(), std::min(240, totale / 3));
    const int larghezza = totale - albero;
    pcMain->setMinimumWidth(0);
    pcMain->setFixedWidth(larghezza);
    treeLog->setFixedWidth(albero);
    treeLog->show();
    resize(totale, height());
    // A window that now reaches past the screen's right edge moves left.
    const QRect finestra = frameGeometry();
    const int destra = schermo.x() + schermo.width();
    if (finestra.x() + finestra.width() > destra)
        move(std::max(schermo.x(), destra - finestra.width()), finestra.y());
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (!inModifica) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    m_messaggi.informazione(QStringLiteral("Confermare o annullare la scheda in modifica prima "
                                           "di chiudere Dolvera."));
}

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmMain::FormShow() {
    const QString routine = QStringLiteral("TfrmMain::FormShow");
    utLogEnter(routine);
    if (!FIRSTIME) {
        utLogExit(routine);
        return;
    }
    utLog(routine, QStringLiteral("FIRSTIME"));
    m_attendere->Mostra({this, m_regagea.get()});
    // A read-only database is said once, here: the program reads it and stores nothing,
    // so the repairs that write are left for a start on a writable file.
    if (m_dati && m_dati->solaLettura())
        m_messaggi.informazione(QStringLiteral("Il database \"") +
                                QDir::toNativeSeparators(m_percorsi.FileDb) +
                                QStringLiteral("\" è di sola lettura: le modifiche non saranno "
                                               "registrate."));
    else
        RiparazioniAvvio();
    // The daily automatic copy of the database, once the repairs have put it in order.
    if (m_dati)
        m_utilita->CopiaAutomatica();
    // A newer release on the maker's server shows its notice on the start page.
    pnlUpdate->setVisible(ControlloAggiornamenti(Registro::filePredefinito(m_percorsi.PathApp)));
    m_utilita->RipristinaStampante();
    m_attendere->Nascondi();

    // A screen lower than 768 pixels cannot show the program's windows.
    const QScreen* schermo = screen() ? screen() : QGuiApplication::primaryScreen();
    if (schermo && schermo->geometry().height() < 768) {
        m_messaggi.errore(QStringLiteral("La risoluzione dello schermo è troppo bassa.\n"
                                         "Aumentare la risoluzione e riavviare Dolvera."));
        Termina();
        return;
    }
    FIRSTIME = false;
    utLogExit(routine);
}

void TfrmMain::RiparazioniAvvio() {
    if (!m_dati)
        return;
    EseguiOperazione(m_messaggi, QStringLiteral("controllare le dichiarazioni di consegna"),
                     [this] { CheckAll9(*m_dati, m_messaggi); });
    EseguiOperazione(m_messaggi, QStringLiteral("completare il numero dei destinatari"),
                     [] { CompletaNrBeneficiati(); });
    EseguiOperazione(m_messaggi, QStringLiteral("unire gli articoli duplicati"),
                     [] { CheckArticoliDuplicati(); });
}

void TfrmMain::Termina() {
    m_inEsecuzione = false;
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(1); });
}
