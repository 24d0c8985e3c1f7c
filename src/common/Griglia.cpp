#include "Griglia.h"

#include "DataSet.h"

#include <QHeaderView>
#include <QIdentityProxyModel>
#include <algorithm>

namespace {
// Room beside a cell's or a title's text: the view's margins and the grid line.
constexpr int MARGINE = 12;

// The data set under the list's own column titles, numbers right-aligned: the one place
// where every list aligns its quantities, counts and document numbers.
class Intestazioni : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QHash<int, QString> titoli;

    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole && index.isValid() && numerica(index.column()))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QIdentityProxyModel::data(index, role);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && titoli.contains(section))
            return titoli.value(section);
        if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole && numerica(section))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

private:
    bool numerica(int colonna) const {
        const auto* ds = static_cast<const DataSet*>(sourceModel());
        return ds && ds->colonnaNumerica(colonna);
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
    // The columns of a list are sized to fit it, the last one taking what is left; a list
    // too narrow for its columns scrolls sideways rather than hiding the last one.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void Griglia::collega(DataSet& ds, const QList<ColonnaGriglia>& colonne) {
    m_ds = &ds;
    m_colonne = colonne;
    auto* intestazioni = new Intestazioni(this);
    intestazioni->setSourceModel(&ds);
    m_intestazioni = intestazioni;
    setModel(intestazioni);
    applicaColonne();
    connect(&ds, &DataSet::correnteCambiato, this, &Griglia::seguiDataSet);
    // A data set opened again on another statement may bring other columns: the list
    // shows its own columns again.
    connect(&ds, &QAbstractItemModel::modelReset, this, [this] {
        applicaColonne();
        seguiDataSet();
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& corrente) { seguiSelezione(corrente); });
    seguiDataSet();
}

void Griglia::applicaColonne() {
    auto* intestazioni = static_cast<Intestazioni*>(m_intestazioni);
    QHeaderView* testata = horizontalHeader();
    intestazioni->titoli.clear();
    for (int c = 0; c < m_ds->columnCount(); ++c)
        setColumnHidden(c, true);
    for (int i = 0; i < m_colonne.size(); ++i) {
        const int c = m_ds->indiceCampo(m_colonne[i].campo);
        if (c < 0)
            continue;
        intestazioni->titoli.insert(c, m_colonne[i].titolo);
        setColumnHidden(c, m_nascoste.contains(i));
        testata->moveSection(testata->visualIndex(c), i);
        // A column that takes what is left is never narrower than its title: it starts at
        // that width, which is also what the header keeps for it when the list narrows.
        setColumnWidth(c, std::max(m_colonne[i].larghezza, larghezzaMinima(i)));
    }
}

int Griglia::larghezzaMinima(int indice) const {
    const ColonnaGriglia& colonna = m_colonne.at(indice);
    // The title in the header's font, the usual content in the cells' font.
    const int titolo = horizontalHeader()->fontMetrics().horizontalAdvance(colonna.titolo);
    const int esempio = fontMetrics().horizontalAdvance(colonna.esempio);
    return std::max(titolo, esempio) + MARGINE;
}

void Griglia::nascondiColonna(int indice) {
    m_nascoste.insert(indice);
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
