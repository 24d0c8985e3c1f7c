#include "ControlloAggiornamenti.h"

#include "Registro.h"
#include "Utilitylibrary.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <memory>

namespace {
const QString ROUTINE = QStringLiteral("TfrmMain::ControlloAggiornamenti");
const QString CHIAVE_DOLVERA = QStringLiteral("SOFTWARE\\Brevantoria\\Dolvera");
const QString VALORE_INSTALLATA = QStringLiteral("LastUpdate");
const QString VALORE_SERVER = QStringLiteral("UpdateServer");
// The longest reply read: a date and time needs twenty bytes.
constexpr qsizetype MASSIMO_RISPOSTA = 1023;

// The address of the update page on `server`; an empty address when `server` is anything
// but a host with an optional port (a path, a query or a user name would change the page
// asked for).
QUrl indirizzoPagina(const QString& server) {
    const QString host = server.trimmed();
    const QUrl url(QStringLiteral("http://") + host + PAGINA_AGGIORNAMENTI, QUrl::StrictMode);
    if (host.isEmpty() || !url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() ||
        url.path() != PAGINA_AGGIORNAMENTI || url.hasQuery() || url.hasFragment())
        return {};
    return url;
}
} // namespace

QDateTime DataUltimaVersione(const QString& server, int limiteMs, QString& motivo) {
    motivo.clear();
    const QUrl url = indirizzoPagina(server);
    if (url.isEmpty()) {
        motivo = QStringLiteral("indirizzo del server non valido [") + server + QLatin1Char(']');
        return {};
    }
    QNetworkAccessManager rete;
    rete.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest richiesta(url);
    richiesta.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("wininet1"));
    richiesta.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                           QNetworkRequest::AlwaysNetwork);
    richiesta.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    const std::unique_ptr<QNetworkReply> risposta(rete.get(richiesta));

    // The reply is read as it comes, and no further than its first 1023 bytes: a server
    // that sends more is not read to its end.
    QByteArray corpo;
    QEventLoop attesa;
    QObject::connect(risposta.get(), &QNetworkReply::readyRead, &attesa, [&] {
        corpo += risposta->read(MASSIMO_RISPOSTA - corpo.size());
        if (corpo.size() >= MASSIMO_RISPOSTA)
            attesa.quit();
    });
    QObject::connect(risposta.get(), &QNetworkReply::finished, &attesa, &QEventLoop::quit);
    QTimer::singleShot(limiteMs, &attesa, &QEventLoop::quit);
    // The main window is disabled behind the wait window; user input waits for the start.
    if (!risposta->isFinished())
        attesa.exec(QEventLoop::ExcludeUserInputEvents);

    const bool completa = risposta->isFinished();
    if (completa && corpo.size() < MASSIMO_RISPOSTA)
        corpo += risposta->read(MASSIMO_RISPOSTA - corpo.size());
    const int stato = risposta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (!completa && corpo.size() < MASSIMO_RISPOSTA) {
        motivo = QStringLiteral("nessuna risposta entro %1 ms").arg(limiteMs);
    } else if (completa && risposta->error() != QNetworkReply::NoError) {
        motivo = QStringLiteral("server non raggiungibile (") + risposta->errorString() +
                 QLatin1Char(')');
    } else if (stato / 100 != 2) {
        motivo = QStringLiteral("risposta HTTP ") + QString::number(stato);
    }
    if (!risposta->isFinished())
        risposta->abort();
    if (!motivo.isEmpty())
        return {};

    const QString testo = QString::fromUtf8(corpo);
    const QDateTime data = utDataOraDaTesto(testo);
    if (!data.isValid())
        motivo = QStringLiteral("la risposta non è una data [") + NormalizzaSpazi(testo).left(80) +
                 QLatin1Char(']');
    return data;
}

bool ControlloAggiornamenti(const QString& fileRegistro, int limiteMs) {
    utLogEnter(ROUTINE);
    const Registro registro(fileRegistro);
    QString testoInstallata;
    registro.leggi(CHIAVE_DOLVERA, VALORE_INSTALLATA, testoInstallata);
    utLog(ROUTINE, VALORE_INSTALLATA + QStringLiteral("=[") + testoInstallata + QLatin1Char(']'));
    // A missing or unreadable release date counts as a release older than any other.
    QDate installata = utDataOraDaTesto(testoInstallata).date();
    if (!installata.isValid())
        installata = QDate(1900, 1, 1);

    bool avviso = false;
    QString server;
    if (!registro.leggi(CHIAVE_DOLVERA, VALORE_SERVER, server) || server.trimmed().isEmpty()) {
        utLog(ROUTINE, QStringLiteral("Nessun avviso: nessun server degli aggiornamenti"));
    } else {
        utLog(ROUTINE, VALORE_SERVER + QStringLiteral("=[") + server + QLatin1Char(']'));
        QString motivo;
        const QDateTime ultima = DataUltimaVersione(server, limiteMs, motivo);
        if (!ultima.isValid()) {
            // Offline, a server that hangs or a reply that is no date say nothing about
            // the releases: no notice.
            utLog(ROUTINE, QStringLiteral("Nessun avviso: ") + motivo);
        } else {
            // Whole days: a release of the same day, at any time, is the installed one.
            avviso = ultima.date() > installata;
            utLog(ROUTINE,
                  QStringLiteral("Ultima versione: ") + utTestoDataOra(ultima) +
                      (avviso ? QStringLiteral(", nuova") : QStringLiteral(", installata")));
        }
    }
    utLogExit(ROUTINE);
    return avviso;
}
