// The update check of the first show against a local HTTP server, and the web page link.

#include "ControlloAggiornamenti.h"
#include "ProgrammaProva.h"
#include "Registro.h"
#include "Utilitylibrary.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>

namespace {
// An HTTP server on 127.0.0.1 that answers each request with `corpo`, or never when `muto`.
struct ServerProva : QTcpServer {
    QByteArray richiesta;
    explicit ServerProva(const QByteArray& corpo, bool muto = false) {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [=, this] {
            QTcpSocket* s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [=, this] {
                richiesta += s->readAll();
                if (muto || !richiesta.endsWith("\r\n\r\n"))
                    return;
                s->write("HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(corpo.size()) +
                         "\r\n\r\n" + corpo);
                s->disconnectFromHost();
            });
        });
    }
    QString indirizzo() const { return "127.0.0.1:" + QString::number(serverPort()); }
};
} // namespace

class TestControlloAggiornamenti : public QObject {
    Q_OBJECT

    QList<QUrl> m_aperti;

public slots:
    void apri(const QUrl& url) { m_aperti << url; } // stands in for the browser

private slots:
    void primaApparizione_data() {
        QTest::addColumn<QString>("installata");
        QTest::addColumn<QByteArray>("risposta"); // empty: the folder's server, not listening
        QTest::addColumn<QString>("riga");        // ", nuova" with the notice
        QTest::newRow("giorno dopo") << "10/05/2024 23:59:59" << QByteArray("11/05/2024 00:00:01")
                                     << "Ultima versione: 11/05/2024 00:00:01, nuova";
        QTest::newRow("stesso giorno")
            << "10/05/2024 08:00:00" << QByteArray("10/05/2024 23:59\r\n")
            << "Ultima versione: 10/05/2024 23:59:00, installata";
        QTest::newRow("senza LastUpdate")
            << "" << QByteArray("01/01/2024") << "Ultima versione: 01/01/2024, nuova";
        QTest::newRow("non una data")
            << "10/05/2024" << QByteArray("<b>Errore</b>\n")
            << "Nessun avviso: la risposta non è una data [<b>Errore</b>]";
        QTest::newRow("nessuno in ascolto")
            << "01/01/2000" << QByteArray() << "Nessun avviso: server non raggiungibile (";
    }
    void primaApparizione() {
        QFETCH(QString, installata);
        QFETCH(QByteArray, risposta);
        QFETCH(QString, riga);
        ServerProva server(risposta);
        CartellaProgramma cartella;
        Registro registro(cartella.fileRegistro());
        const QString chiave = "SOFTWARE\\Brevantoria\\Dolvera";
        QVERIFY(registro.scrivi(chiave, "LastUpdate", installata));
        if (!risposta.isEmpty())
            QVERIFY(registro.scrivi(chiave, "UpdateServer", server.indirizzo()));
        utLogAzzera();
        MessaggiPreparati messaggi;
        TfrmMain frm(cartella.percorso(), messaggi);
        TdmDati dati(frm.percorsi(), messaggi);
        frm.ImpostaDati(dati);
        frm.show();
        QCOMPARE(frm.findChild<QWidget*>("pnlUpdate")->isVisible(), riga.endsWith(", nuova"));
        QVERIFY(frm.isEnabled() && frm.inEsecuzione() && messaggi.problemi().isEmpty());
        const QStringList log = cartella.righeLog();
        QVERIFY2(log.filter(riga).size() == 1, qPrintable(log.join('\n')));
        for (const char* attesa :
             {"GET /SERV_LastDolveraUpdateDateTime.asp HTTP/1.1\r\n",
              "\r\nUser-Agent: wininet1\r\n", "\r\nCache-Control: no-cache\r\n"})
            QVERIFY2(risposta.isEmpty() || server.richiesta.contains(attesa), attesa);
    }

    // A server that takes the request and never answers holds the start only up to the limit.
    void serverMuto() {
        ServerProva server("01/01/2030", true);
        QString motivo;
        QElapsedTimer tempo;
        tempo.start();
        QVERIFY(!DataUltimaVersione(server.indirizzo(), 300, motivo).isValid());
        QVERIFY2(tempo.elapsed() >= 290 && tempo.elapsed() < 1500,
                 qPrintable(QString::number(tempo.elapsed())));
        QCOMPARE(motivo, "nessuna risposta entro 300 ms");
    }

    void collegamentoAlSito() {
        ProgrammaProva p;
        auto* link = p.trova<QLabel>("lblWebSiteGo");
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QDesktopServices::setUrlHandler(SITO_WEB.scheme(), this, "apri");
        QTest::mouseClick(link, Qt::LeftButton);
        QDesktopServices::unsetUrlHandler(SITO_WEB.scheme());
        QCOMPARE(m_aperti, QList<QUrl>{SITO_WEB});
        SENZA_PROBLEMI(p);
    }
};

QTEST_MAIN(TestControlloAggiornamenti)
#include "tst_controlloaggiornamenti.moc"
