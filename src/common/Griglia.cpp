#include "Griglia.h"

#include "DataSet.h"

#include <QHeaderView>
#include <QIdentityProxyModel>

namespace {
// The data set under the list's own column titles.
class Intestazioni : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QHash<int, QString> titoli;

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && titoli.contains(section))
            return titoli.value(section);
        return QIdentityProxyModel::headerData(section, orientation, role);
    }
};
} // namespace

Griglia::Griglia(const QString& nome, QWidget* parent) : QTableView(parent) {
    setObjectName(nome);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
}

void Griglia::collega(DataSet& ds, const QList<ColonnaGriglia>& colonne) {
    m_ds = &ds;
    m_colonne = colonne;
    auto* intestazioni = new Intestazioni(this);
    intestazioni->setSourceModel(&ds);
    m_intestazioni = intestazioni;
    setModel(intestazioni);
    QHeaderView* testata = horizontalHeader();
    for (int c = 0; c < ds.columnCount(); ++c)
        setColumnHidden(c, true);
    for (int i = 0; i < colonne.size(); ++i) {
        const int c = ds.indiceCampo(colonne[i].campo);
        Q_ASSERT_X(c >= 0, "Griglia::collega", qPrintable(colonne[i].campo));
        intestazioni->titoli.insert(c, colonne[i].titolo);
        setColumnHidden(c, false);
        testata->moveSection(testata->visualIndex(c), i);
        if (colonne[i].larghezza > 0)
            setColumnWidth(c, colonne[i].larghezza);
    }
    connect(&ds, &DataSet::correnteCambiato, this, &Griglia::seguiDataSet);
    connect(&ds, &QAbstractItemModel::modelReset, this, &Griglia::seguiDataSet);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& corrente) { seguiSelezione(corrente); });
    seguiDataSet();
}

void Griglia::nascondiColonna(int indice) {
    setColumnHidden(colonnaModello(indice), true);
}

bool Griglia::colonnaNascosta(int indice) const {
    return isColumnHidden(colonnaModello(indice));
}

int Griglia::colonnaModello(int indice) const {
    return m_ds->indiceCampo(m_colonne.at(indice).campo);
}

// The data set moved: select its current row.
void Griglia::seguiDataSet() {
    if (m_sincronizzando)
        return;
    m_sincronizzando = true;
    const int riga = m_ds->riga();
    if (riga < 0) {
        selectionModel()->clear();
    } else {
        int colonna = colonnaModello(0);
        for (int i = 0; i < m_colonne.size() && isColumnHidden(colonna); ++i)
            colonna = colonnaModello(i);
        const QModelIndex indice = model()->index(riga, colonna);
        selectionModel()->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
        scrollTo(indice);
    }
    m_sincronizzando = false;
}

// The user moved the selection: the data set follows.
void Griglia::seguiSelezione(const QModelIndex& corrente) {
    if (m_sincronizzando || !corrente.isValid() || corrente.row() == m_ds->riga())
        return;
    m_sincronizzando = true;
    m_ds->setRiga(corrente.row());
    m_sincronizzando = false;
}
