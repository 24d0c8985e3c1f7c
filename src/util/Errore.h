#pragma once

#include <QString>
#include <exception>

// An error the program raises and a caller higher up shows to the user: a database
// error, a log file that cannot be opened, a text that is not the expected month label.
class Errore : public std::exception {
public:
    explicit Errore(QString messaggio)
        : m_messaggio(std::move(messaggio)), m_utf8(m_messaggio.toUtf8()) {}
    const QString& messaggio() const { return m_messaggio; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_messaggio;
    QByteArray m_utf8;
};
