#pragma once

#include <QApplication>

class Messaggi;

// The application object: an error that escapes an event handler is shown as an error box
// and the program goes on, as a desktop program's users expect.
class Applicazione : public QApplication {
    Q_OBJECT

public:
    Applicazione(int& argc, char** argv);
    void ImpostaMessaggi(Messaggi* messaggi) { m_messaggi = messaggi; }
    bool notify(QObject* destinatario, QEvent* evento) override;

private:
    Messaggi* m_messaggi = nullptr;
};
