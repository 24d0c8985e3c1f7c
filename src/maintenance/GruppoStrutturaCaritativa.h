#pragma once

// The "Struttura caritativa" group of the "Utilità" tab: the name, address, contacts and
// tax numbers of the organisation that runs the store (the one row of datiAzienda), which
// the register cover and the Annex 9 declarations print. It is edited like a record card:
// Modifica opens the boxes and keeps the user on the tab, Conferma stores, Annulla gives
// the changes up.

#include <QGroupBox>
#include <QList>
#include <utility>

class DataSet;
class Messaggi;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class TdmDati;
struct StatoMain;

class GruppoStrutturaCaritativa : public QGroupBox {
    Q_OBJECT

public:
    // The group is named "gbStrutturaCaritativa"; it starts in browse mode.
    GruppoStrutturaCaritativa(Messaggi& messaggi, StatoMain& stato, QWidget* parent = nullptr);
    ~GruppoStrutturaCaritativa() override;

    // Binds the boxes to the current row of tblDatiAzienda, the data set the prints read.
    void collegaDati(TdmDati& dati);

    // Opens the boxes for editing; on a table without its row, a new row is prepared,
    // stored by Conferma.
    void btnAzModificaClick();
    // Stores what was typed, the province in capitals. A failed write is shown and the
    // boxes stay open with what was typed.
    void btnAzConfermaClick();
    // Gives up what was typed: the boxes show the stored values again.
    void btnAzAnnullaClick();

protected:
    // Escape in the open boxes does what Annulla does.
    void keyPressEvent(QKeyEvent* evento) override;

private:
    QLineEdit* casella(const QString& campo);
    void modalitaModifica(bool modifica);
    DataSet& ds() const;

    Messaggi& m_messaggi;
    StatoMain& m_stato;
    TdmDati* m_dati = nullptr;
    QList<std::pair<QLineEdit*, QString>> m_caselle;
    QWidget* m_campi = nullptr;
    QPushButton* btnAzModifica = nullptr;
    QPushButton* btnAzConferma = nullptr;
    QPushButton* btnAzAnnulla = nullptr;
};
