#include "ProgrammaProva.h"

#include "Connessione.h"
#include "Datamodule.h"
#include "Utilitylibrary.h"
#include "main.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>

namespace {
QSqlQuery interroga(const QString& sql) {
    QSqlQuery q(QSqlDatabase::database(NOME_CONNESSIONE));
    if (!q.exec(sql))
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q;
}

// Types `testo` key by key into `box`. QTest knows only the ASCII keys: any other letter
// goes as the key event that carries it, as a keyboard with that letter sends it.
void batti(QWidget* box, const QString& testo) {
    for (const QChar c : testo) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
}
} // namespace

ProgrammaProva::ProgrammaProva(const QStringList& sql, bool solaLettura) {
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
    if (solaLettura) {
        QVERIFY(QFile::setPermissions(m_cartella.fileDb(), QFile::ReadOwner | QFile::ReadGroup));
        m_messaggi.attendi(Messaggi::Tipo::Informazione,
                           QStringLiteral("Il database \"") + m_cartella.fileDb() +
                               QStringLiteral("\" è di sola lettura: le modifiche non saranno "
                                              "registrate."));
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
    batti(box, testo);
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

QStringList ProgrammaProva::giroTab(bool avanti, int massimo) {
    const QWidget* partenza = QApplication::focusWidget();
    QStringList visitati;
    while (visitati.size() < massimo &&
           (visitati.isEmpty() || QApplication::focusWidget() != partenza)) {
        tasto(avanti ? Qt::Key_Tab : Qt::Key_Backtab, avanti ? Qt::NoModifier : Qt::ShiftModifier);
        visitati << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                 : QString());
    }
    return visitati;
}

QStringList ProgrammaProva::elenco(const QString& griglia) const {
    const auto* vista = trova<QTableView>(griglia);
    if (!vista)
        return {};
    const QHeaderView* testata = vista->horizontalHeader();
    QStringList righe;
    for (int r = 0; r < vista->model()->rowCount(); ++r) {
        QStringList celle;
        for (int v = 0; v < testata->count(); ++v) {
            const int c = testata->logicalIndex(v);
            if (!vista->isColumnHidden(c))
                celle << vista->model()->index(r, c).data().toString();
        }
        righe << celle.join(QLatin1Char('|'));
    }
    return righe;
}

QString ProgrammaProva::rigaCorrente(const QString& griglia) const {
    const auto* vista = trova<QTableView>(griglia);
    return vista ? elenco(griglia).value(vista->currentIndex().row()) : QString();
}

bool ProgrammaProva::cliccaRiga(const QString& griglia, int riga) {
    auto* vista = trova<QTableView>(griglia);
    if (!vista || !vista->isVisible() || !vista->isEnabled() || riga < 0 ||
        riga >= vista->model()->rowCount())
        return false;
    // The first column shown on screen: a hidden one has no place to click.
    const QHeaderView* testata = vista->horizontalHeader();
    int colonna = -1;
    for (int v = 0; v < testata->count() && colonna < 0; ++v) {
        if (!vista->isColumnHidden(testata->logicalIndex(v)))
            colonna = testata->logicalIndex(v);
    }
    const QModelIndex indice = vista->model()->index(riga, colonna);
    vista->scrollTo(indice);
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, vista->visualRect(indice).center());
    return vista->currentIndex().row() == riga;
}

bool ProgrammaProva::sostituisci(const QString& nome, const QString& testo) {
    auto* box = trova<QWidget>(nome);
    if (!box || !box->isVisible() || !box->isEnabled())
        return false;
    box->setFocus();
    if (auto* riga = qobject_cast<QLineEdit*>(box))
        riga->selectAll();
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
        memo->selectAll();
    else
        return false;
    QTest::keyClick(box, Qt::Key_Delete);
    const QStringList righe = testo.split(QLatin1Char('\n'));
    for (int i = 0; i < righe.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        batti(box, righe[i]);
    }
    return true;
}

QString ProgrammaProva::testo(const QString& nome) const {
    if (const auto* memo = trova<QPlainTextEdit>(nome))
        return memo->toPlainText();
    const auto* riga = trova<QLineEdit>(nome);
    return riga ? riga->text() : QString();
}

bool ProgrammaProva::spunta(const QString& nome) {
    auto* casella = trova<QCheckBox>(nome);
    if (!casella || !casella->isVisible() || !casella->isEnabled())
        return false;
    QStyleOptionButton opzioni;
    opzioni.initFrom(casella);
    const QRect indicatore =
        casella->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opzioni, casella);
    const bool prima = casella->isChecked();
    QTest::mouseClick(casella, Qt::LeftButton, {}, indicatore.center());
    return casella->isChecked() != prima;
}

bool ProgrammaProva::abilitati(const QStringList& nomi, bool atteso) const {
    return std::all_of(nomi.begin(), nomi.end(), [&](const QString& nome) {
        const QWidget* controllo = trova<QWidget>(nome);
        return controllo && controllo->isEnabled() == atteso;
    });
}

QString ProgrammaProva::stato(const QStringList& scheda, const QStringList& elenco) const {
    if (abilitati(scheda, true) && abilitati(elenco, false))
        return QStringLiteral("modifica");
    if (abilitati(scheda, false) && abilitati(elenco, true))
        return QStringLiteral("consultazione");
    return QStringLiteral("misto");
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

QString ProgrammaProva::stampa(const QString& pulsante) {
    const QStringList prima = stampe();
    if (!clicca(pulsante))
        return {};
    QString nuovo;
    const bool stampato = QTest::qWaitFor([&] {
        for (const QString& file : stampe()) {
            if (!prima.contains(file))
                nuovo = file;
        }
        return !nuovo.isEmpty();
    });
    return stampato ? testoPdf(nuovo) : QString();
}
