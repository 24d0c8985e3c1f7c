#include "main.h"

#include "Registro.h"
#include "TfrmAttendere.h"
#include "Utilitylibrary.h"
#include "VersionInfo.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

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
    m_inEsecuzione = m_avviato;
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreaControlli() {
    setMinimumWidth(760);
    pcMain = new QTabWidget(this);
    pcMain->setObjectName(QStringLiteral("pcMain"));
    // Tab captions in bold 16-pixel Arial, dark red.
    pcMain->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { font: bold 16px \"Arial\"; color: rgb(128, 0, 0); }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pcMain);

    tsMenu = new QWidget;
    tsMenu->setObjectName(QStringLiteral("tsMenu"));
    pcMain->addTab(tsMenu, QStringLiteral("Start"));
    auto* start = new QVBoxLayout(tsMenu);
    start->addStretch();
    lblVersione = new QLabel(tsMenu);
    lblVersione->setObjectName(QStringLiteral("lblVersione"));
    lblVersione->setAlignment(Qt::AlignCenter);
    start->addWidget(lblVersione);
    lblDbVers = new QLabel(tsMenu);
    lblDbVers->setObjectName(QStringLiteral("lblDbVers"));
    lblDbVers->setAlignment(Qt::AlignCenter);
    lblDbVers->hide();
    start->addWidget(lblDbVers);
}

// The installation checks; each step runs only when the previous ones succeeded.
bool TfrmMain::ControlliInstallazione(const QString& cartella) {
    const QString routine = QStringLiteral("TfrmMain::TfrmMain");
    // 1. The program folder and the database files.
    m_percorsi = Percorsi::daCartella(QFileInfo(cartella).absoluteFilePath());

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

    // 12. Size, position and browse state.
    resize(869, 681);
    if (const QScreen* schermo = QGuiApplication::primaryScreen())
        move(schermo->availableGeometry().center() - rect().center());
    inModifica = false;
    idCorrenteArticoli = idCorrenteNominativi = idCorrenteFornitori = 0;
    idCorrenteModelli = idCorrenteCarichi = idCorrenteScarichi = 0;
    idCorrenteAllegati9 = idCorrenteRapporti = 0;
    meseCorrente = utTestoData(QDate(2000, 1, 1));
    utLogExit(routine);
    return true;
}

void TfrmMain::Fallimento(const QString& testo, bool logga, const QString& testoLog) {
    if (logga)
        utLog(QStringLiteral("TfrmMain::TfrmMain"), testoLog.isEmpty() ? testo : testoLog);
    m_messaggi.errore(testo);
}

void TfrmMain::ImpostaDati(const TdmDati& dati) {
    lblDbVers->setText(QStringLiteral("DB:") + QString::number(dati.versioneDb()));
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
    m_attendere->Mostra({this});
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

void TfrmMain::Termina() {
    m_inEsecuzione = false;
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(1); });
}
