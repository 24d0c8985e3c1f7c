#include "TfrmGiacenze.h"

#include "Connessione.h"
#include "ErroreDb.h"
#include "Formati.h"
#include "GiacenzeAllaData.h"
#include "Messaggi.h"
#include "ReportHost.h"
#include "StampaReport.h"

#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QVBoxLayout>

namespace {

// A text typed by the user that a spreadsheet would read as a formula gets an apostrophe
// in front, which the spreadsheet shows as text.
QString testoSicuro(const QString& testo) {
    static const QString formula = QStringLiteral("=+-@\t\r");
    if (!testo.isEmpty() && formula.contains(testo.at(0)))
        return QLatin1Char('\'') + testo;
    return testo;
}

// A quantity as the CSV holds it: decimal comma, no "-0".
QString numero(const QVariant& v) {
    const double n = v.toDouble();
    return utTestoNumero(n == 0 ? 0.0 : n);
}

QString cellaCsv(const QString& testo) {
    static const QString speciali = QStringLiteral(";\"\r\n");
    bool quota = testo.startsWith(QLatin1Char(' ')) || testo.endsWith(QLatin1Char(' '));
    for (const QChar c : testo)
        quota = quota || speciali.contains(c);
    if (!quota)
        return testo;
    QString doppio = testo;
    doppio.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doppio + QLatin1Char('"');
}

// A new file in `cartella` named `base`.csv, or `base` (2).csv ... when taken.
QString nuovoFile(const QDir& cartella, const QString& base, QFile& file) {
    for (int n = 1; n < 1000; ++n) {
        const QString nome =
            n == 1 ? base + QStringLiteral(".csv") : QStringLiteral("%1 (%2).csv").arg(base).arg(n);
        file.setFileName(cartella.filePath(nome));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return file.fileName();
    }
    return {};
}

} // namespace

TfrmGiacenze::TfrmGiacenze(Messaggi& messaggi, const Percorsi& percorsi, QWidget* parent)
    : QDialog(parent), m_messaggi(messaggi), m_percorsi(percorsi) {
    setObjectName(QStringLiteral("frmGiacenze"));
    setWindowTitle(QStringLiteral("Giacenze alla data"));

    edtGiacData = new QDateEdit(QDate::currentDate(), this);
    edtGiacData->setObjectName(QStringLiteral("edtGiacData"));
    edtGiacData->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    edtGiacData->setCalendarPopup(true);
    auto* spiegazione = new QLabel(QStringLiteral("Giacenze a fine giornata, compresi i movimenti "
                                                  "del giorno.\nIn testa gli articoli sotto la "
                                                  "scorta minima."),
                                   this);
    auto* stampa = new QPushButton(QStringLiteral("Stampa"), this);
    stampa->setObjectName(QStringLiteral("btnGiacStampa"));
    stampa->setDefault(true);
    auto* csv = new QPushButton(QStringLiteral("Esporta CSV"), this);
    csv->setObjectName(QStringLiteral("btnGiacEsportaCsv"));
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("btnGiacChiudi"));

    auto* data = new QHBoxLayout;
    data->addWidget(new QLabel(QStringLiteral("Giacenze al"), this));
    data->addWidget(edtGiacData);
    data->addStretch();
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(stampa);
    pulsanti->addWidget(csv);
    pulsanti->addStretch();
    pulsanti->addWidget(chiudi);
    auto* principale = new QVBoxLayout(this);
    principale->setContentsMargins(16, 16, 16, 12);
    principale->setSpacing(12);
    principale->addLayout(data);
    principale->addWidget(spiegazione);
    principale->addLayout(pulsanti);
    setFixedSize(sizeHint());

    connect(stampa, &QPushButton::clicked, this, &TfrmGiacenze::btnGiacStampaClick);
    connect(csv, &QPushButton::clicked, this, &TfrmGiacenze::btnGiacEsportaCsvClick);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmGiacenze::btnGiacStampaClick() {
    const QDate giorno = edtGiacData->date();
    EseguiOperazione(m_messaggi, QStringLiteral("stampare le giacenze"), [&] {
        StampaConReportHost(m_messaggi, ReportHost(m_percorsi),
                            QStringLiteral("mac_StampaGiacenzeAllaData"),
                            QStringLiteral("Pivot_giac_data"), ParametroGiacenzeAllaData(giorno));
    });
}

void TfrmGiacenze::btnGiacEsportaCsvClick() {
    const QDate giorno = edtGiacData->date();
    QByteArray testo;
    if (!EseguiOperazione(m_messaggi, QStringLiteral("leggere le giacenze"),
                          [&] { testo = TestoCsv(TabellaGiacenze(giorno)); }))
        return;
    QDir cartella(m_percorsi.PathApp);
    const QString base = QStringLiteral("Giacenze al %1 %2")
                             .arg(giorno.toString(QStringLiteral("dd-MM-yyyy")),
                                  QTime::currentTime().toString(QStringLiteral("HH.mm.ss")));
    QFile file;
    const QString nome =
        cartella.mkpath(QStringLiteral("Stampe")) && cartella.cd(QStringLiteral("Stampe"))
            ? nuovoFile(cartella, base, file)
            : QString();
    if (nome.isEmpty() || file.write(testo) != testo.size() || !file.flush()) {
        if (!nome.isEmpty())
            file.remove();
        m_messaggi.errore(QStringLiteral("Impossibile scrivere il file delle giacenze in ") +
                          QDir::toNativeSeparators(m_percorsi.PathApp + QStringLiteral("Stampe")) +
                          QStringLiteral(".\n") + file.errorString());
        return;
    }
    file.close();
    m_messaggi.informazione(QStringLiteral("Giacenze esportate nel file:\n") +
                            QDir::toNativeSeparators(nome));
}

QList<QStringList> TfrmGiacenze::TabellaGiacenze(const QDate& giorno) {
    ReportHost::ImpostaParametro(QStringLiteral("Pivot_giac_data"),
                                 ParametroGiacenzeAllaData(giorno));
    QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
    q.setForwardOnly(true);
    if (!q.exec(SqlGiacenzeAllaData()))
        throw ErroreDb(q.lastError());
    QList<QStringList> tabella{{QStringLiteral("Codice"), QStringLiteral("Articolo"),
                                QStringLiteral("U.M."), QStringLiteral("Giacenza"),
                                QStringLiteral("Scorta minima"), QStringLiteral("Sotto scorta")}};
    while (q.next()) {
        tabella.append({testoSicuro(q.value(1).toString()), testoSicuro(q.value(2).toString()),
                        testoSicuro(q.value(3).toString()), numero(q.value(4)), numero(q.value(5)),
                        q.value(6).isNull() ? QString() : QStringLiteral("Sì")});
    }
    return tabella;
}

QByteArray TfrmGiacenze::TestoCsv(const QList<QStringList>& tabella) {
    QString testo;
    for (const QStringList& riga : tabella) {
        QStringList celle;
        for (const QString& cella : riga)
            celle << cellaCsv(cella);
        testo += celle.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + testo.toUtf8();
}
