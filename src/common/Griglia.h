#pragma once

// A read-only list over a data set: whole-row selection, the selected row always the data
// set's current row (in both directions), and the columns the list names, in its order and
// with its titles. Columns of numbers are right-aligned, titles included.

#include <QList>
#include <QSet>
#include <QString>
#include <QTableView>

class DataSet;
class QIdentityProxyModel;

struct ColonnaGriglia {
    QString campo;
    QString titolo;
    // Width in pixels; 0 lets the column take what is left. The column is never narrower
    // than its title, nor than `esempio`, a usual content, in the list's fonts.
    int larghezza = 0;
    QString esempio{};
};

class Griglia : public QTableView {
    Q_OBJECT

public:
    explicit Griglia(const QString& nome, QWidget* parent = nullptr);

    // Shows `ds` with the given columns (the other fields stay hidden).
    void collega(DataSet& ds, const QList<ColonnaGriglia>& colonne);
    DataSet* dataSet() const { return m_ds; }
    // Column `indice` of the list as given to collega().
    void nascondiColonna(int indice);
    bool colonnaNascosta(int indice) const;
    // The model column showing column `indice` of the list.
    int colonnaModello(int indice) const;
    // The width column `indice` of the list needs for its title and usual content.
    int larghezzaMinima(int indice) const;

private:
    // Shows the list's columns, in its order and with its titles, the others hidden.
    void applicaColonne();
    void seguiDataSet();
    void seguiSelezione(const QModelIndex& corrente);

    DataSet* m_ds = nullptr;
    QIdentityProxyModel* m_intestazioni = nullptr;
    QList<ColonnaGriglia> m_colonne;
    // The list's columns hidden for good (nascondiColonna).
    QSet<int> m_nascoste;
    bool m_sincronizzando = false;
};
