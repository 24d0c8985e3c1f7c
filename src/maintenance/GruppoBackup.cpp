#include "GruppoBackup.h"

#include "Connessione.h"
#include "CopiaDatabase.h"
#include "CopieAutomatiche.h"
#include "Messaggi.h"
#include "Percorsi.h"
#include "TfrmSelectFolder.h"
#include "Utilitylibrary.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {
const QString STESSA_CARTELLA =
    QStringLiteral("La cartella scelta è la stessa cartella dove risiede il programma. "
                   "Selezionare una cartella differente.");
const QString DATABASE = QStringLiteral("Dolvera.mdb");
// The name under which a restored file waits in the program folder for its rename.
const QString IN_RIPRISTINO = QStringLiteral(".ripristino");

// The database files of a folder: every "*.mdb" entry that is a file, hidden ones included.
QStringList FileDatabase(const QString& cartella) {
    return QDir(cartella).entryList({QStringLiteral("*.mdb")},
                                    QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// True when the two paths lead to the same folder, whatever the name used (letter case
// on a case-insensitive volume, a link, "..").
bool StessaCartella(const QString& a, const QString& b) {
    std::error_code errore;
    return std::filesystem::equivalent(QFile::encodeName(a).toStdString(),
                                       QFile::encodeName(b).toStdString(), errore);
}

// The rename that puts a complete file in place, replacing the one there (QFile::rename
// refuses to replace).
bool Sostituisci(const QString& da, const QString& a, QString* motivo) {
    if (std::rename(QFile::encodeName(da).constData(), QFile::encodeName(a).constData()) == 0)
        return true;
    *motivo = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

// The wait cursor while files are checked or copied; never over a message box.
class CursoreAttesa {
public:
    CursoreAttesa() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursoreAttesa() { QGuiApplication::restoreOverrideCursor(); }
    CursoreAttesa(const CursoreAttesa&) = delete;
    CursoreAttesa& operator=(const CursoreAttesa&) = delete;
};

QString Elenco(const QStringList& righe) {
    return QStringLiteral("- ") + righe.join(QStringLiteral("\n- "));
}
} // namespace

GruppoBackup::GruppoBackup(Messaggi& messaggi, const Percorsi& percorsi,
                           std::function<void()> termina, QWidget* parent)
    : QGroupBox(QStringLiteral("Backup"), parent), m_messaggi(messaggi), m_percorsi(percorsi),
      m_termina(std::move(termina)), m_selectFolder(new TfrmSelectFolder(this)) {
    setObjectName(QStringLiteral("gbBackup"));
    auto* layout = new QVBoxLayout(this);
    auto* spiegazione = new QLabel(QStringLiteral("Copia dei dati su un'altra cartella (una "
                                                  "chiavetta USB, un disco esterno) e ripristino "
                                                  "da una copia."),
                                   this);
    spiegazione->setWordWrap(true);
    layout->addWidget(spiegazione);
    for (const auto& [nome, testo, azione] :
         {std::tuple(QStringLiteral("btnEseguiBackup"), QStringLiteral("Esegui backup"),
                     &GruppoBackup::btnEseguiBackupClick),
          std::tuple(QStringLiteral("btnRipristinaBackup"), QStringLiteral("Ripristina backup"),
                     &GruppoBackup::btnRipristinaBackupClick)}) {
        auto* pulsante = new QPushButton(testo, this);
        pulsante->setObjectName(nome);
        layout->addWidget(pulsante);
        connect(pulsante, &QPushButton::clicked, this, azione);
    }
    lblCopiaAutomatica = new QLabel(this);
    lblCopiaAutomatica->setObjectName(QStringLiteral("lblCopiaAutomatica"));
    lblCopiaAutomatica->setWordWrap(true);
    layout->addWidget(lblCopiaAutomatica);
}

GruppoBackup::~GruppoBackup() = default;

QString GruppoBackup::ScegliCartella(const QString& commento) {
    m_selectFolder->impostaCommento(commento);
    if (m_messaggi.esegui(*m_selectFolder) != QDialog::Accepted ||
        m_selectFolder->cartella().isEmpty())
        return {};
    const QString cartella = m_selectFolder->cartella();
    return cartella.endsWith(QLatin1Char('/')) ? cartella : cartella + QLatin1Char('/');
}

bool GruppoBackup::CartellaProgramma(const QString& cartella, const QString& routine) {
    if (!StessaCartella(cartella, m_percorsi.PathApp))
        return false;
    utLog(routine, QStringLiteral("Cartella del programma: nulla da fare"));
    m_messaggi.informazione(STESSA_CARTELLA);
    return true;
}

void GruppoBackup::btnEseguiBackupClick() {
    const QString routine = QStringLiteral("TfrmMain::btnEseguiBackupClick");
    utLogEnter(routine);
    const QString destinazione = ScegliCartella(
        QStringLiteral("Selezionare la cartella su cui si vuole salvare la copia di backup."));
    utLog(routine, QStringLiteral("Cartella=[") + destinazione + QStringLiteral("]"));
    if (destinazione.isEmpty() || CartellaProgramma(destinazione, routine)) {
        utLogExit(routine);
        return;
    }
    // Each file is written under a temporary name and renamed over the previous copy only
    // when complete: a failed copy leaves the previous backup of that file whole.
    const QStringList nomi = FileDatabase(m_percorsi.PathApp);
    QStringList falliti;
    {
        const CursoreAttesa attesa;
        for (const QString& nome : nomi) {
            QString motivo;
            const bool copiato =
                nome == DATABASE
                    ? CopiaDatabaseAperto(destinazione + nome, &motivo)
                    : CopiaFileSicura(m_percorsi.PathApp + nome, destinazione + nome, &motivo);
            utLog(routine, copiato ? QStringLiteral("Copiato ") + nome
                                   : QStringLiteral("ERRORE #BCK01: ") + motivo);
            if (!copiato)
                falliti << nome + QStringLiteral(": ") + motivo;
        }
    }
    if (falliti.isEmpty()) {
        m_messaggi.informazione(QStringLiteral("Backup effettuato"));
    } else {
        m_messaggi.errore(QStringLiteral("ERRORE #BCK01: Backup non riuscito. File non copiati "
                                         "(%1 su %2; la copia precedente, se c'era, resta "
                                         "com'era):\n")
                              .arg(falliti.size())
                              .arg(nomi.size()) +
                          Elenco(falliti));
    }
    utLogExit(routine);
}

void GruppoBackup::btnRipristinaBackupClick() {
    const QString routine = QStringLiteral("TfrmMain::btnRipristinaBackupClick");
    utLogEnter(routine);
    const QString origine = ScegliCartella(
        QStringLiteral("Selezionare la cartella da cui si vuole ripristinare la copia di backup."));
    utLog(routine, QStringLiteral("Cartella=[") + origine + QStringLiteral("]"));
    if (origine.isEmpty() || CartellaProgramma(origine, routine)) {
        utLogExit(routine);
        return;
    }
    // Every file is checked before anything changes: a damaged copy is refused whole.
    const QStringList nomi = FileDatabase(origine);
    QStringList difettosi;
    {
        const CursoreAttesa attesa;
        for (const QString& nome : nomi) {
            QString motivo;
            if (!VerificaDatabase(origine + nome, nome == DATABASE, &motivo))
                difettosi << motivo;
        }
    }
    if (nomi.isEmpty() || !difettosi.isEmpty()) {
        const QString testo =
            nomi.isEmpty()
                ? QStringLiteral("Nessun database da ripristinare nella cartella scelta.")
                : QStringLiteral("ERRORE #BCK02: Ripristino annullato, nessun file è stato "
                                 "modificato. File non utilizzabili:\n") +
                      Elenco(difettosi);
        utLog(routine, NormalizzaSpazi(testo));
        m_messaggi.errore(testo);
        utLogExit(routine);
        return;
    }
    utLog(routine, QStringLiteral("File verificati: ") + nomi.join(QStringLiteral(", ")));
    if (!m_messaggi.domandaSiNo(
            QStringLiteral("ATTENZIONE: ripristinando il backup tutti i dati e le "
                           "movimentazioni correnti saranno cancellati, e verranno utilizzati "
                           "i dati e le movimentazioni ripristinati.\n\nProcedere con il "
                           "ripristino?"),
            QStringLiteral("Conferma ripristino backup"))) {
        utLog(routine, QStringLiteral("Ripristino non confermato"));
        utLogExit(routine);
        return;
    }

    // While the connection is open, a failure leaves everything as it was.
    QString errore;
    {
        const CursoreAttesa attesa;
        errore = PreparaRipristino(origine, nomi, routine);
    }
    if (!errore.isEmpty()) {
        utLog(routine, NormalizzaSpazi(errore));
        m_messaggi.errore(errore);
        utLogExit(routine);
        return;
    }

    // Now only renames, in the same folder, remain.
    ChiudiConnessione();
    utLog(routine, QStringLiteral("#2: Connessione chiusa"));
    QStringList falliti;
    for (const QString& nome : nomi) {
        const QString destinazione = m_percorsi.PathApp + nome;
        QString motivo;
        if (Sostituisci(destinazione + IN_RIPRISTINO, destinazione, &motivo)) {
            utLog(routine, QStringLiteral("#3: Ripristinato ") + nome);
        } else {
            falliti << nome + QStringLiteral(": ") + motivo;
            QFile::remove(destinazione + IN_RIPRISTINO);
            utLog(routine,
                  QStringLiteral("ERRORE #BCK04: ") + nome + QStringLiteral(": ") + motivo);
        }
    }
    if (!falliti.isEmpty())
        m_messaggi.errore(QStringLiteral("ERRORE #BCK04: Questi file non sono stati ripristinati "
                                         "e restano com'erano:\n") +
                          Elenco(falliti));
    m_messaggi.informazione(
        QStringLiteral("Riavviare Dolvera per utilizzare i dati ripristinati dal backup."));
    utLogExit(routine);
    // The data sets no longer match the files: the program never goes on without them.
    if (m_termina)
        m_termina();
}

QString GruppoBackup::PreparaRipristino(const QString& origine, const QStringList& nomi,
                                        const QString& routine) {
    if (nomi.contains(DATABASE)) {
        const QString cartella = CartellaCopie(m_percorsi.PathApp);
        const QString conservata =
            cartella + QStringLiteral("Dolvera prima del ripristino ") +
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) +
            QStringLiteral(".mdb");
        QString motivo = QStringLiteral("impossibile creare la cartella");
        if (!QDir().mkpath(cartella) || !CopiaDatabaseAperto(conservata, &motivo))
            return QStringLiteral("ERRORE #BCK03: Ripristino annullato: impossibile conservare "
                                  "una copia del database attuale in \"%1\" (%2).")
                .arg(QDir::toNativeSeparators(cartella), motivo);
        utLog(routine, QStringLiteral("#1: Database attuale conservato: ") + conservata);
    }
    QStringList preparati;
    for (const QString& nome : nomi) {
        const QString preparato = m_percorsi.PathApp + nome + IN_RIPRISTINO;
        QString motivo;
        if (!CopiaFileSicura(origine + nome, preparato, &motivo)) {
            for (const QString& file : std::as_const(preparati))
                QFile::remove(file);
            return QStringLiteral("ERRORE #BCK03: Ripristino annullato, nessun file è stato "
                                  "modificato: %1.")
                .arg(motivo);
        }
        preparati << preparato;
    }
    return {};
}

void GruppoBackup::CopiaAutomatica(const QDate& oggi) {
    const EsitoCopiaAutomatica esito = ::CopiaAutomatica(m_percorsi.PathApp, oggi);
    MostraUltimaCopia();
    if (!esito.errore.isEmpty())
        m_messaggi.errore(QStringLiteral("ERRORE #BCK05: Copia automatica del database non "
                                         "riuscita: ") +
                          esito.errore);
}

void GruppoBackup::MostraUltimaCopia() {
    const QDate ultima = UltimaCopiaAutomatica(m_percorsi.PathApp);
    lblCopiaAutomatica->setText(ultima.isValid() ? QStringLiteral("Ultima copia automatica: ") +
                                                       utTestoData(ultima)
                                                 : QStringLiteral("Nessuna copia automatica"));
    lblCopiaAutomatica->setToolTip(QDir::toNativeSeparators(CartellaCopie(m_percorsi.PathApp)));
}
