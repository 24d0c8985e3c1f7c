#include "Messaggi.h"

#include "Errore.h"

#include <QApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace {
const QString TITOLO = QStringLiteral("Dolvera");

QString nomeTipo(Messaggi::Tipo tipo) {
    switch (tipo) {
    case Messaggi::Tipo::Informazione:
        return QStringLiteral("informazione");
    case Messaggi::Tipo::Errore:
        return QStringLiteral("errore");
    case Messaggi::Tipo::SiNo:
        return QStringLiteral("domanda Sì/No");
    case Messaggi::Tipo::OkAnnulla:
        return QStringLiteral("domanda OK/Annulla");
    }
    return {};
}
} // namespace

bool CaricaTraduzioniQt() {
    auto* app = QCoreApplication::instance();
    if (!app)
        return false;
    // Italian whatever the system's language: the whole program speaks Italian.
    auto* traduzioni = new QTranslator(app);
    if (!traduzioni->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(traduzioni)) {
        delete traduzioni;
        return false;
    }
    return true;
}

bool Messaggi::mostra(Tipo tipo, const QString& testo) {
    QWidget* padre = QApplication::activeWindow();
    switch (tipo) {
    case Tipo::Informazione:
        QMessageBox::information(padre, titolo(), testo);
        return true;
    case Tipo::Errore:
        QMessageBox::critical(padre, titolo(), testo);
        return true;
    case Tipo::SiNo:
        return QMessageBox::question(padre, titolo(), testo, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    case Tipo::OkAnnulla:
        return QMessageBox::question(padre, titolo(), testo, QMessageBox::Ok | QMessageBox::Cancel,
                                     QMessageBox::Ok) == QMessageBox::Ok;
    }
    return false;
}

bool Messaggi::domandaSiNo(const QString& testo, const QString& titolo) {
    m_titolo = titolo;
    const bool si = mostra(Tipo::SiNo, testo);
    m_titolo.clear();
    return si;
}

QString Messaggi::titolo() const {
    return m_titolo.isEmpty() ? TITOLO : m_titolo;
}

bool EseguiOperazione(Messaggi& messaggi, const QString& cosa,
                      const std::function<void()>& operazione) {
    try {
        operazione();
        return true;
    } catch (const Errore& e) {
        messaggi.errore(QStringLiteral("Impossibile ") + cosa + QStringLiteral(".\n") +
                        e.messaggio());
        return false;
    }
}

int Messaggi::eseguiDialogo(QDialog& dialogo) {
    return dialogo.exec();
}

void MessaggiPreparati::attendi(Tipo tipo, const QString& testo, bool risposta) {
    m_attese.push_back({false, tipo, testo, risposta, {}});
}

void MessaggiPreparati::attendiDialogo(std::function<int(QDialog&)> azione) {
    m_attese.push_back({true, Tipo::Informazione, {}, true, std::move(azione)});
}

QStringList MessaggiPreparati::problemi() const {
    QStringList elenco = m_inattesi;
    for (const Attesa& a : m_attese)
        elenco << (a.dialogo ? QStringLiteral("dialogo atteso e non aperto")
                             : QStringLiteral("atteso e non mostrato: ") + nomeTipo(a.tipo) +
                                   QStringLiteral(": ") + a.testo);
    return elenco;
}

void MessaggiPreparati::azzera() {
    m_attese.clear();
    m_mostrati.clear();
    m_inattesi.clear();
}

bool MessaggiPreparati::mostra(Tipo tipo, const QString& testo) {
    const QString voce = nomeTipo(tipo) + QStringLiteral(": ") + testo;
    m_mostrati << voce;
    if (m_attese.empty() || m_attese.front().dialogo || m_attese.front().tipo != tipo ||
        (!m_attese.front().testo.isEmpty() && m_attese.front().testo != testo)) {
        m_inattesi << QStringLiteral("inatteso: ") + voce;
        return false;
    }
    const bool risposta = m_attese.front().risposta;
    m_attese.pop_front();
    return risposta;
}

int MessaggiPreparati::eseguiDialogo(QDialog& dialogo) {
    if (m_attese.empty() || !m_attese.front().dialogo) {
        m_inattesi << QStringLiteral("dialogo inatteso: ") + dialogo.objectName();
        return QDialog::Rejected;
    }
    auto azione = std::move(m_attese.front().azione);
    m_attese.pop_front();
    return azione(dialogo);
}
