#include "GruppoChiusura.h"

#include "AccessoDati.h"
#include "ChiusuraAnnuale.h"
#include "DataSet.h"
#include "Messaggi.h"
#include "Percorsi.h"
#include "Utilitylibrary.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

namespace {
const QString NESSUN_ANNO = QStringLiteral("--Nessun anno da chiudere--");
const QString NESSUN_ARCHIVIO = QStringLiteral("--Nessun anno da riaprire--");
const QString PREFISSO_ARCHIVIO = QStringLiteral("Dolvera_anno_");
const QString ESTENSIONE_ARCHIVIO = QStringLiteral(".mdb");
} // namespace

GruppoChiusura::GruppoChiusura(Messaggi& messaggi, const Percorsi& percorsi,
                               std::function<void()> termina, QWidget* parent)
    : QGroupBox(QStringLiteral("Chiusura annuale"), parent), m_messaggi(messaggi),
      m_percorsi(percorsi), m_termina(std::move(termina)) {
    setObjectName(QStringLiteral("pnlChiusura"));
    setMinimumWidth(380);
    auto* layout = new QGridLayout(this);
    const auto riga = [&](int r, const QString& didascalia, QWidget* campo, QPushButton* tasto) {
        auto* etichetta = new QLabel(didascalia, this);
        etichetta->setBuddy(campo);
        layout->addWidget(etichetta, r, 0);
        layout->addWidget(campo, r, 1);
        layout->addWidget(tasto, r, 2);
    };
    edtAnnoChiudibile = new QLineEdit(this);
    edtAnnoChiudibile->setObjectName(QStringLiteral("edtAnnoChiudibile"));
    edtAnnoChiudibile->setReadOnly(true);
    btnChiudiAnno = new QPushButton(QStringLiteral("Chiudi anno"), this);
    btnChiudiAnno->setObjectName(QStringLiteral("btnChiudiAnno"));
    riga(0, QStringLiteral("Anno da chiudere:"), edtAnnoChiudibile, btnChiudiAnno);
    cbxAnniChiusi = new QComboBox(this);
    cbxAnniChiusi->setObjectName(QStringLiteral("cbxAnniChiusi"));
    // "Riapri anno" has no action.
    btnRiapriAnno = new QPushButton(QStringLiteral("Riapri anno"), this);
    btnRiapriAnno->setObjectName(QStringLiteral("btnRiapriAnno"));
    riga(1, QStringLiteral("Anni chiusi:"), cbxAnniChiusi, btnRiapriAnno);
    layout->setColumnStretch(1, 1);
    connect(btnChiudiAnno, &QPushButton::clicked, this, &GruppoChiusura::btnChiudiAnnoClick);
    hide();
}

void GruppoChiusura::impostaOsservatore(std::function<void(const QString&)> osservatore) {
    m_osservatore = std::move(osservatore);
}

void GruppoChiusura::tsUtilitaShow() {
    const QString routine = QStringLiteral("TfrmMain::tsUtilitaShow");
    utLogEnter(routine);
    edtAnnoChiudibile->setText(NESSUN_ANNO);
    EseguiOperazione(m_messaggi, QStringLiteral("leggere gli anni da chiudere"), [this] {
        DataSet anni(QStringLiteral("qryAnniChiudibili"));
        Recset(QStringLiteral(" SELECT DISTINCT YEAR(data) AS anno "
                              " FROM ( SELECT data "
                              "        FROM scarichi_mast "
                              "        UNION "
                              "        SELECT data FROM carichi_mast ) "
                              " WHERE YEAR(data) <> YEAR(NOW()) "
                              " ORDER BY YEAR(data)"),
               anni);
        if (!anni.vuoto())
            edtAnnoChiudibile->setText(anni.testo(QStringLiteral("anno")));
    });

    cbxAnniChiusi->clear();
    const QStringList archivi =
        QDir(m_percorsi.PathDb)
            .entryList({PREFISSO_ARCHIVIO + QLatin1Char('*') + ESTENSIONE_ARCHIVIO}, QDir::Files,
                       QDir::Name);
    for (const QString& nome : archivi)
        cbxAnniChiusi->addItem(
            nome.mid(PREFISSO_ARCHIVIO.size(),
                     nome.size() - PREFISSO_ARCHIVIO.size() - ESTENSIONE_ARCHIVIO.size()));
    cbxAnniChiusi->setEnabled(!archivi.isEmpty());
    if (archivi.isEmpty())
        cbxAnniChiusi->addItem(NESSUN_ARCHIVIO);
    cbxAnniChiusi->setCurrentIndex(0);
    utLogExit(routine);
}

void GruppoChiusura::btnChiudiAnnoClick() {
    // Only a year the tab has shown is closed: "--Nessun anno da chiudere--" does nothing.
    static const QRegularExpression annoValido(QStringLiteral("^\\d{4}$"));
    const QString testo = edtAnnoChiudibile->text();
    if (!annoValido.match(testo).hasMatch())
        return;
    const QString routine = QStringLiteral("TfrmMain::btnChiudiAnnoClick");
    utLogEnter(routine);
    utLog(routine, QStringLiteral("anno=\"") + testo + QStringLiteral("\""));
    ChiusuraAnnuale chiusura(m_percorsi, testo.toInt());
    chiusura.impostaOsservatore(m_osservatore);
    QString motivo;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool chiuso = chiusura.esegui(&motivo);
    QGuiApplication::restoreOverrideCursor();
    if (!chiuso) {
        m_messaggi.errore(QStringLiteral("Errore CH01: Impossibile chiudere l'anno\n") + motivo);
        utLogExit(routine);
        return;
    }
    // The data sets no longer match the new file: the program ends, and its next start
    // opens the working database without the year.
    m_messaggi.informazione(
        QStringLiteral("Dolvera verrà ora chiuso. Riaprirlo per continuare a lavorare."));
    utLogExit(routine);
    if (m_termina)
        m_termina();
}
