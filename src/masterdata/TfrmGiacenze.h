#pragma once

// The dialog "Giacenze" of the "Articoli" tab: the stock of every article at the end of a
// chosen day (today at first), printed through the report host or written as a CSV file
// into Stampe/ of the program folder. Articles below their minimum stock come first.

#include "Percorsi.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QStringList>

class Messaggi;
class QDateEdit;

class TfrmGiacenze : public QDialog {
    Q_OBJECT

public:
    TfrmGiacenze(Messaggi& messaggi, const Percorsi& percorsi, QWidget* parent = nullptr);

    void btnGiacStampaClick();
    void btnGiacEsportaCsvClick();

    // The stock table at the end of `giorno`, heading first, values as the CSV holds them.
    // Writes parametri.Pivot_giac_data. Throws ErroreDb.
    static QList<QStringList> TabellaGiacenze(const QDate& giorno);
    // The table as a CSV file an Italian spreadsheet opens at once: UTF-8 with BOM, ";"
    // between cells, lines ended by CR LF, cells quoted where needed.
    static QByteArray TestoCsv(const QList<QStringList>& tabella);

private:
    Messaggi& m_messaggi;
    Percorsi m_percorsi;
    QDateEdit* edtGiacData = nullptr;
};
