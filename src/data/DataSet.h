#pragma once

// A data set: the rows of one table (editable) or of one query (read only), kept in
// memory in a given order and shown to grids as a table model, with a current row, an
// edit buffer (browse, edit and insert states), a filter (an SQL condition and/or a
// predicate on the loaded rows), an optional master data set whose current row selects
// the rows of this one, and lookup columns read from other tables.
//
// SQL given to a data set (condition, query text) is in the program's Access dialect and
// runs through TraduciSql. Values come out typed by the column's declared type: DATETIME
// columns as QDate (QDateTime when a time is stored), BOOLEAN as bool, INTEGER as int,
// FLOAT as double, the rest as QString; SQL null as a null QVariant.
// Database errors are thrown as ErroreDb and leave the data set as it was.

#include <QAbstractTableModel>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>

class DataSet : public QAbstractTableModel {
    Q_OBJECT

public:
    enum class Stato { Chiuso, Consultazione, Modifica, Inserimento };
    // Decides whether loaded row `riga` is shown while the filter is active. While it
    // runs, valore(riga, campo) reads loaded rows (shown or not).
    using Predicato = std::function<bool(const DataSet& ds, int riga)>;

    explicit DataSet(const QString& nome, QObject* parent = nullptr);
    ~DataSet() override;

    // ---- definition (before apri, or followed by rinfresca) ----
    void setConnessione(const QString& nomeConnessione);
    // An editable data set over a table with an INTEGER PRIMARY KEY column "ID".
    void setTabella(const QString& tabella);
    // A read-only data set over a query (Access dialect). Without order, condition,
    // master or lookups the text runs as it stands.
    void setSql(const QString& sql);
    // ORDER BY terms, e.g. "data, nrDocumento"; text is ordered without regard to case.
    void setOrdine(const QString& ordine);
    // A WHERE condition in the Access dialect, applied when the rows are read.
    void setCondizione(const QString& condizione);
    // A predicate applied to the loaded rows while the filter is active.
    void setPredicato(Predicato p);
    // Switches the predicate on or off; the rows shown change at once.
    void setFiltrato(bool attivo);
    bool filtrato() const;
    // Rows whose campoDettaglio equals campoMaster of the master's current row; no rows
    // when the master is empty. Follows the master's current row.
    void setMaster(DataSet* master, const QString& campoDettaglio, const QString& campoMaster);
    // A read-only column `nome` showing `colonna` of the row of `tabella` whose ID equals
    // the field `chiave` of this data set (which may itself be a lookup column).
    void aggiungiLookup(const QString& nome, const QString& chiave, const QString& tabella,
                        const QString& colonna);

    // ---- opening ----
    void apri();
    void chiudi();
    bool aperto() const;
    // Re-reads the rows, keeping the current row (by ID, else by position) where it exists.
    void rinfresca();

    const QString& nome() const { return m_nome; }
    QStringList campi() const;
    int indiceCampo(const QString& campo) const;
    // The most characters a text column of the table holds (its declared length); 0 for
    // any other column.
    int lunghezzaCampo(const QString& campo) const;
    // Column `colonna` holds numbers: declared INTEGER or FLOAT or, for an expression of a
    // query (no declared type), its first value that is not null is a number.
    bool colonnaNumerica(int colonna) const;

    // ---- rows and the current row ----
    int conteggio() const;
    bool vuoto() const { return conteggio() == 0; }
    // The current row (0-based), -1 when there is none.
    int riga() const;
    void setRiga(int riga);
    void primo();
    void ultimo();
    void successivo();
    void precedente();
    // True after successivo() from the last row, or on an empty data set.
    bool fine() const;
    // Makes current the first row whose field equals `valore` (compared as text, exactly).
    bool localizza(const QString& campo, const QVariant& valore);

    // The field of the current row (of the edit buffer while editing).
    QVariant valore(const QString& campo) const;
    QVariant valore(int riga, const QString& campo) const;
    // The field as display text: dates dd/MM/yyyy, numbers with a decimal comma, null "".
    QString testo(const QString& campo) const;

    // ---- editing ----
    Stato stato() const;
    // Edit the current row; nothing is written until registra().
    void modifica();
    // A new row after the last one, with the columns' default values and, for a detail
    // data set, the master's link value.
    void aggiungi();
    // Sets a field of the edit buffer (in Modifica or Inserimento); lookups follow.
    void imposta(const QString& campo, const QVariant& valore);
    // Writes the edit buffer (UPDATE or INSERT), re-reads the row and places it in order.
    // Throws ErroreDb and stays in the edit state on failure.
    void registra();
    // The ID of the row the last registra() wrote, also when the condition does not show
    // it (a new document of another month); 0 before any.
    int idRegistrato() const;
    // Discards the edit buffer.
    void annulla();
    // Deletes the current row; the next row (else the previous) becomes current.
    void elimina();

    // ---- table model ----
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The current row changed (scrolling, re-reading, a new master row, delete ...).
    void correnteCambiato();
    void statoCambiato();

private:
    struct Privato;
    QString m_nome;
    std::unique_ptr<Privato> d;
};
