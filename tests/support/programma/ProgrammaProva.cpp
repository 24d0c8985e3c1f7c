#include "ProgrammaProva.h"

#include "Connessione.h"
#include "Datamodule.h"
#include "Utilitylibrary.h"
#include "main.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabBar>
#include <QTabWidget>

namespace {
QSqlQuery interroga(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
    if (!q.exec(sql))
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q;
}
} // namespace

ProgrammaProva::ProgrammaProva(const QStringList& sql) {
    utLogAzzera();
    if (!sql.isEmpty()) {
        const QString nome = QStringLiteral("preparazione");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
            db.setDatabaseName(m_cartella.fileDb());
            QVERIFY(db.open());
            for (const QString& istruzione : sql) {
                QSqlQuery q(db);
                QVERIFY2(q.exec(istruzione), qPrintable(istruzione + ": " + q.lastError().text()));
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(nome);
    }
    m_main = std::make_unique<TfrmMain>(m_cartella.percorso(), m_messaggi);
    QVERIFY(m_main->avviato());
    m_dati = std::make_unique<TdmDati>(m_main->percorsi(), m_messaggi);
    QVERIFY(m_dati->pronto());
    m_main->ImpostaDati(*m_dati);
    m_main->show();
    QApplication::setActiveWindow(m_main.get());
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

ProgrammaProva::~ProgrammaProva() {
    // The window goes before the data module, as when the program ends.
    m_main.reset();
    m_dati.reset();
}

bool ProgrammaProva::clicca(const QString& nome) {
    auto* pulsante = trova<QAbstractButton>(nome);
    if (!pulsante || !pulsante->isVisible() || !pulsante->isEnabled())
        return false;
    QTest::mouseClick(pulsante, Qt::LeftButton);
    return true;
}

bool ProgrammaProva::scrivi(const QString& nome, const QString& testo) {
    auto* box = trova<QWidget>(nome);
    if (!box || !box->isVisible() || !box->isEnabled())
        return false;
    box->setFocus();
    QTest::keyClicks(box, testo);
    return true;
}

bool ProgrammaProva::vaiScheda(const QString& nome) {
    auto* schede = trova<QTabWidget>(QStringLiteral("pcMain"));
    auto* pagina = trova<QWidget>(nome);
    const int indice = schede->indexOf(pagina);
    if (indice < 0)
        return false;
    QTabBar* barra = schede->tabBar();
    QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(indice).center());
    return schede->currentWidget() == pagina;
}

QString ProgrammaProva::schedaAttiva() const {
    return trova<QTabWidget>(QStringLiteral("pcMain"))->currentWidget()->objectName();
}

void ProgrammaProva::tasto(Qt::Key tasto, Qt::KeyboardModifiers modificatori) {
    QWidget* destinatario =
        QApplication::focusWidget() ? QApplication::focusWidget() : m_main.get();
    QTest::keyClick(destinatario, tasto, modificatori);
}

QVariant ProgrammaProva::valore(const QString& sql) const {
    QSqlQuery q = interroga(sql);
    return q.next() ? q.value(0) : QVariant();
}

QStringList ProgrammaProva::righe(const QString& sql) const {
    QSqlQuery q = interroga(sql);
    QStringList righe;
    while (q.next()) {
        QStringList colonne;
        for (int i = 0; i < q.record().count(); ++i)
            colonne << q.value(i).toString();
        righe << colonne.join(QLatin1Char('|'));
    }
    return righe;
}

void ProgrammaProva::esegui(const QString& sql) const {
    QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
    QVERIFY2(q.exec(sql), qPrintable(sql + ": " + q.lastError().text()));
}

QStringList ProgrammaProva::stampe() const {
    QStringList file;
    const QDir cartella(m_cartella.file(QStringLiteral("Stampe")));
    const QFileInfoList elenco =
        cartella.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (const QFileInfo& info : elenco)
        file << info.absoluteFilePath();
    return file;
}

QString ProgrammaProva::testoPdf(const QString& file) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), file, QStringLiteral("-")});
    pdftotext.waitForFinished(-1);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}
