#pragma once

// The message service: every box of the program (information, error, Yes/No, OK/Cancel,
// captioned "Dolvera") and every modal dialog goes through it, so that a test can script
// the answers with MessaggiPreparati.

#include "Avvisi.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class QDialog;
class QWidget;

class Messaggi : public Avvisi {
public:
    enum class Tipo { Informazione, Errore, SiNo, OkAnnulla };

    ~Messaggi() override = default;

    void informazione(const QString& testo) { mostra(Tipo::Informazione, testo); }
    void errore(const QString& testo) override { mostra(Tipo::Errore, testo); }
    // True for Yes.
    bool domandaSiNo(const QString& testo) { return mostra(Tipo::SiNo, testo); }
    // The same question under the caption `titolo` instead of "Dolvera".
    bool domandaSiNo(const QString& testo, const QString& titolo);
    // True for OK.
    bool domandaOkAnnulla(const QString& testo) { return mostra(Tipo::OkAnnulla, testo); }
    // Runs a modal dialog and returns its result (QDialog::Accepted or Rejected).
    int esegui(QDialog& dialogo) { return eseguiDialogo(dialogo); }

protected:
    // Shows the box; true for Yes or OK (and for the one-button boxes).
    virtual bool mostra(Tipo tipo, const QString& testo);
    virtual int eseguiDialogo(QDialog& dialogo);
    // The caption of the box being shown.
    QString titolo() const;

private:
    QString m_titolo;
};

// Installs Qt's own Italian translations (qtbase_it.qm of the Qt installation), so that
// the standard buttons and dialogs read "Sì", "No", "OK", "Annulla"; false when they are
// not installed (the buttons then stay in English).
bool CaricaTraduzioniQt();

// Runs a database operation of the user's; an error is shown as "Impossibile <cosa>." with
// the reason on the next line, and false returned.
bool EseguiOperazione(Messaggi& messaggi, const QString& cosa,
                      const std::function<void()>& operazione);

// The scripted responder of the tests: each box must be the next one expected, with the
// expected text, and receives the prepared answer. Anything else is recorded as unexpected
// (and answered No / Cancel), so that the test can fail on it at its end.
class MessaggiPreparati : public Messaggi {
public:
    // The next box: its kind, its text (empty for any text) and the answer.
    void attendi(Tipo tipo, const QString& testo, bool risposta = true);
    // The next modal dialog: `azione` drives it and returns its result.
    void attendiDialogo(std::function<int(QDialog&)> azione);

    // Every box shown, in order, as "<kind>: <text>".
    const QStringList& mostrati() const { return m_mostrati; }
    // Boxes and dialogs that were not expected, and expectations left unused.
    QStringList problemi() const;
    // Forgets everything (between test cases).
    void azzera();

protected:
    bool mostra(Tipo tipo, const QString& testo) override;
    int eseguiDialogo(QDialog& dialogo) override;

private:
    struct Attesa {
        bool dialogo = false;
        Tipo tipo = Tipo::Informazione;
        QString testo;
        bool risposta = true;
        std::function<int(QDialog&)> azione;
    };
    std::deque<Attesa> m_attese;
    QStringList m_mostrati;
    QStringList m_inattesi;
};
