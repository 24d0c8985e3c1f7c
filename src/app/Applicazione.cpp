#include "Applicazione.h"

#include "Errore.h"
#include "Messaggi.h"

Applicazione::Applicazione(int& argc, char** argv) : QApplication(argc, argv) {
    CaricaTraduzioniQt();
}

bool Applicazione::notify(QObject* destinatario, QEvent* evento) {
    try {
        return QApplication::notify(destinatario, evento);
    } catch (const Errore& e) {
        if (m_messaggi)
            m_messaggi->errore(e.messaggio());
    } catch (const std::exception& e) {
        if (m_messaggi)
            m_messaggi->errore(QString::fromLocal8Bit(e.what()));
    }
    return false;
}
