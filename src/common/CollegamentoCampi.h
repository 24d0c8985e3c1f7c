#pragma once

// The controls of a record card bound to the current row of a data set: each control
// shows its field, follows the data set when the row changes, and writes the field as
// soon as the user changes the control, putting the data set into its edit state. Text
// boxes take the field's declared length as their maximum length, so a text longer than
// its column can never be typed or pasted.

#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class DataSet;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

class CollegamentoCampi : public QObject {
    Q_OBJECT

public:
    explicit CollegamentoCampi(DataSet& ds, QObject* parent = nullptr);

    // A text field; line breaks, tabs and other control characters become blanks.
    void testo(QLineEdit* box, const QString& campo);
    // A number field, read by utNumeroDigitato (decimal comma, a point between groups of
    // three digits); an empty box writes 0, a text that is no number writes nothing. A
    // whole-number field (`intero`) takes no decimal comma and is written only whole numbers.
    void numero(QLineEdit* box, const QString& campo, bool intero = false);
    // Shows the field only: the card writes it itself when it is confirmed.
    void mostra(QLineEdit* box, const QString& campo);
    // A multi-line text field.
    void memo(QPlainTextEdit* box, const QString& campo);
    // A true/false field.
    void casella(QCheckBox* box, const QString& campo);
    // A key field chosen by the descriptions `campoTesto` of the rows of `voci`, in the
    // order of `voci`; the row's ID is written.
    void elenco(QComboBox* box, const QString& campo, DataSet& voci, const QString& campoTesto);

    // Shows the current row again in every control.
    void aggiorna();

private:
    // Adds a control by the function that shows its field.
    void aggiungi(std::function<void()> mostra);
    void scrivi(const QString& campo, const QVariant& valore);
    static void riempiElenco(QComboBox* box, const DataSet& voci, const QString& campoTesto);

    DataSet& m_ds;
    QList<std::function<void()>> m_legami;
    // Set while the controls are being filled (their change signals must not write) and
    // while a control writes its field (the data set's change must not refill it).
    bool m_aggiornando = false;
    bool m_scrivendo = false;
};
