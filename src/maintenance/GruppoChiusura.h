#pragma once

// The "Chiusura annuale" group of the "Utilità" tab: the year that would be closed, the
// button that closes it into its archive "Dolvera_anno_<anno>.mdb" and then ends the
// program, and the list of the years already archived. The group is hidden when it is
// created and nothing in the program shows it.

#include <QGroupBox>
#include <functional>

class Messaggi;
class QComboBox;
class QLineEdit;
class QPushButton;
struct Percorsi;

class GruppoChiusura : public QGroupBox {
    Q_OBJECT

public:
    // The group is named "pnlChiusura". `percorsi` is read at each operation (the program
    // folder is known only after the installation checks); `termina` ends the program
    // after a closing has replaced its database file.
    GruppoChiusura(Messaggi& messaggi, const Percorsi& percorsi, std::function<void()> termina,
                   QWidget* parent = nullptr);
    // Passed to each closing: called after every step that changes the folder's files.
    void impostaOsservatore(std::function<void(const QString& passo)> osservatore);

    // The tab is shown: the earliest year with documents other than the current one, and
    // the years whose archive is in the program folder.
    void tsUtilitaShow();
    // Closes the year shown; on success tells the user that the program ends, and ends it.
    void btnChiudiAnnoClick();

private:
    Messaggi& m_messaggi;
    const Percorsi& m_percorsi;
    std::function<void()> m_termina;
    std::function<void(const QString&)> m_osservatore;
    QLineEdit* edtAnnoChiudibile = nullptr;
    QPushButton* btnChiudiAnno = nullptr;
    QComboBox* cbxAnniChiusi = nullptr;
    QPushButton* btnRiapriAnno = nullptr;
};
