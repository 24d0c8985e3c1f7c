#include "PaginaUtilita.h"

#include "GruppoBackup.h"
#include "GruppoChiusura.h"
#include "GruppoStrutturaCaritativa.h"
#include "Messaggi.h"
#include "Registro.h"
#include "Stampanti.h"
#include "TfrmStampante.h"
#include "Utilitylibrary.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString CHIAVE_DOLVERA = QStringLiteral("SOFTWARE\\Brevantoria\\Dolvera");
const QString VALORE_STAMPANTE = QStringLiteral("Printer");
} // namespace

PaginaUtilita::PaginaUtilita(Messaggi& messaggi, StatoMain& stato, QWidget* parent)
    : PaginaScheda(parent), m_messaggi(messaggi) {
    setObjectName(QStringLiteral("tsUtilita"));
    // The groups of the page stand in a grid from the top left corner, those of a column
    // as wide as its widest; the space left over stays at the right and at the bottom.
    auto* pagina = new QVBoxLayout(this);
    auto* gruppi = new QGridLayout;
    gruppi->setSpacing(12);
    gruppi->addWidget(CreaGruppoStampante(), 0, 0, Qt::AlignTop);
    m_backup = new GruppoBackup(
        messaggi, m_percorsi,
        [this] {
            if (m_termina)
                m_termina();
        },
        this);
    gruppi->addWidget(m_backup, 0, 1, Qt::AlignTop);
    m_strutturaCaritativa = new GruppoStrutturaCaritativa(messaggi, stato, this);
    gruppi->addWidget(m_strutturaCaritativa, 1, 0, Qt::AlignTop);
    m_chiusura = new GruppoChiusura(
        messaggi, m_percorsi,
        [this] {
            if (m_termina)
                m_termina();
        },
        this);
    gruppi->addWidget(m_chiusura, 1, 1, Qt::AlignTop);
    auto* righe = new QHBoxLayout;
    righe->addLayout(gruppi);
    righe->addStretch(1);
    pagina->addLayout(righe);
    pagina->addStretch(1);
    MostraStampante();
}

PaginaUtilita::~PaginaUtilita() = default;

QGroupBox* PaginaUtilita::CreaGruppoStampante() {
    auto* gruppo = new QGroupBox(QStringLiteral("Stampante"), this);
    gruppo->setObjectName(QStringLiteral("gbStampante"));
    gruppo->setMinimumWidth(380);
    auto* layout = new QGridLayout(gruppo);
    auto* didascalia = new QLabel(QStringLiteral("Le stampe di Dolvera vanno su:"), gruppo);
    layout->addWidget(didascalia, 0, 0, 1, 2);
    lblPrinter = new QLabel(gruppo);
    lblPrinter->setObjectName(QStringLiteral("lblPrinter"));
    QFont grassetto = lblPrinter->font();
    grassetto.setBold(true);
    lblPrinter->setFont(grassetto);
    // A long printer name is cut at the label's end instead of widening the page.
    lblPrinter->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(lblPrinter, 1, 0);
    auto* imposta = new QPushButton(QStringLiteral("Imposta stampante"), gruppo);
    imposta->setObjectName(QStringLiteral("btnImpostaStampante"));
    layout->addWidget(imposta, 1, 1);
    layout->setColumnStretch(0, 1);
    connect(imposta, &QPushButton::clicked, this, &PaginaUtilita::btnImpostaStampanteClick);
    return gruppo;
}

void PaginaUtilita::collegaDati(TdmDati& dati) {
    m_strutturaCaritativa->collegaDati(dati);
}

void PaginaUtilita::impostaPercorsi(const Percorsi& percorsi) {
    m_percorsi = percorsi;
}

void PaginaUtilita::impostaTermina(std::function<void()> termina) {
    m_termina = std::move(termina);
}

void PaginaUtilita::Mostra() {
    m_chiusura->tsUtilitaShow();
}

void PaginaUtilita::MostraStampante() {
    const QString nome = utStampanteCorrente();
    lblPrinter->setText(nome);
    lblPrinter->setToolTip(nome);
}

void PaginaUtilita::btnImpostaStampanteClick() {
    const QString routine = QStringLiteral("TfrmMain::btnImpostaStampanteClick");
    utLogEnter(routine);
    // OK in the dialog changes the current printer, Annulla keeps it: either way the
    // current printer is shown and stored.
    {
        TfrmStampante dialogo(this);
        m_messaggi.esegui(dialogo);
    }
    const QString nome = utStampanteCorrente();
    MostraStampante();
    if (!Registro(Registro::filePredefinito(m_percorsi.PathApp))
             .scrivi(CHIAVE_DOLVERA, VALORE_STAMPANTE, nome)) {
        // The printer stays current until the program ends: only its storing failed.
        const QString errore =
            QStringLiteral("ERRORE #PRN01: Impossibile memorizzare la stampante per usi futuri.");
        utLog(routine, errore);
        m_messaggi.errore(errore);
    } else {
        utLog(routine, QStringLiteral("Stampante registrata"));
    }
    utLogExit(routine);
}

void PaginaUtilita::CopiaAutomatica() {
    m_backup->CopiaAutomatica();
}

void PaginaUtilita::RipristinaStampante() {
    const QString routine = QStringLiteral("TfrmMain::FormShow");
    // An unreadable value counts as the empty text, which names no printer.
    QString memorizzata;
    Registro(Registro::filePredefinito(m_percorsi.PathApp))
        .leggi(CHIAVE_DOLVERA, VALORE_STAMPANTE, memorizzata);
    if (memorizzata == QLatin1String("-1")) {
        utImpostaStampanteCorrente(QString());
    } else if (utStampantiDisponibili().contains(memorizzata, Qt::CaseSensitive)) {
        utImpostaStampanteCorrente(memorizzata);
    } else if (!memorizzata.isEmpty()) {
        // A printer no longer installed: the current printer stays, without telling the
        // user, who sees it in lblPrinter.
        utLog(routine,
              QStringLiteral("Stampante non disponibile: [") + memorizzata + QStringLiteral("]"));
    }
    MostraStampante();
    utLog(routine, QStringLiteral("Stampante=[") + utStampanteCorrente() + QStringLiteral("]"));
}
