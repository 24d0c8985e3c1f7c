#include "AlberoLog.h"

#include "Utilitylibrary.h"

#include <QTimer>
#include <QVarLengthArray>
#include <algorithm>
#include <vector>

namespace {

// The views following the log; the log has one observer, which passes each node to them all.
std::vector<AlberoLog*>& viste() {
    static std::vector<AlberoLog*> v;
    return v;
}

QTreeWidgetItem* nuovoElemento(const NodoLog& nodo) {
    return new QTreeWidgetItem(QStringList(nodo.testo));
}

} // namespace

AlberoLog::AlberoLog(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("treeLog"));
    setColumnCount(1);
    setHeaderHidden(true);
    // Every line is one text row: uniform heights keep tens of thousands of rows fast.
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);

    if (viste().empty())
        utLogImpostaOsservatore(&AlberoLog::nodoAggiunto);
    viste().push_back(this);
    Ricostruisci();
}

AlberoLog::~AlberoLog() {
    auto& v = viste();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    if (v.empty())
        utLogImpostaOsservatore({});
}

void AlberoLog::nodoAggiunto(const NodoLog& nodo) {
    for (AlberoLog* vista : viste())
        vista->aggiungi(nodo);
}

void AlberoLog::Ricostruisci() {
    clear();
    const NodoLog* radice = utLogRadice();
    if (!radice)
        return;
    // Items are built detached and each one's children added in one go; the finished tree
    // enters the view at once. The walk keeps its own stack: the nesting has no fixed bound.
    struct Passo {
        const NodoLog* nodo;
        QTreeWidgetItem* elemento;
    };
    QTreeWidgetItem* elementoRadice = nuovoElemento(*radice);
    std::vector<Passo> pila{{radice, elementoRadice}};
    while (!pila.empty()) {
        const Passo passo = pila.back();
        pila.pop_back();
        QList<QTreeWidgetItem*> figli;
        figli.reserve(qsizetype(passo.nodo->figli.size()));
        for (const auto& figlio : passo.nodo->figli) {
            QTreeWidgetItem* elemento = nuovoElemento(*figlio);
            figli.append(elemento);
            pila.push_back({figlio.get(), elemento});
        }
        passo.elemento->addChildren(figli);
    }
    addTopLevelItem(elementoRadice);
    expandAll();
    mostraUltimo();
}

QTreeWidgetItem* AlberoLog::UltimoElemento() const {
    if (topLevelItemCount() == 0)
        return nullptr;
    QTreeWidgetItem* elemento = topLevelItem(topLevelItemCount() - 1);
    while (elemento->childCount() > 0)
        elemento = elemento->child(elemento->childCount() - 1);
    return elemento;
}

// The log adds every node as the last child of its current parent, and that parent is always
// on the chain of last children from the root (it is the root, the newest node, or an
// ancestor of it). So the new node's parent item is found by following that chain, one step
// per level, and the view is checked against the log on the way: above the parent each item
// holds as many children as its node, the parent one fewer. A view out of step (the log was
// emptied with utLogAzzera, whose first new node leaves the root with one child while the
// view's root already has some) is rebuilt instead.
void AlberoLog::aggiungi(const NodoLog& nodo) {
    QVarLengthArray<const NodoLog*, 32> antenati; // from the parent up to the root
    for (const NodoLog* n = nodo.padre; n; n = n->padre)
        antenati.append(n);

    QTreeWidgetItem* elemento = topLevelItemCount() == 1 ? topLevelItem(0) : nullptr;
    bool inPasso = elemento && !antenati.isEmpty();
    for (qsizetype i = antenati.size() - 1; inPasso && i > 0; --i) {
        const NodoLog* n = antenati[i];
        inPasso = qsizetype(n->figli.size()) == elemento->childCount() &&
                  n->figli.back().get() == antenati[i - 1];
        if (inPasso)
            elemento = elemento->child(elemento->childCount() - 1);
    }
    if (inPasso) {
        const NodoLog* padre = antenati.front();
        inPasso = qsizetype(padre->figli.size()) == elemento->childCount() + 1 &&
                  padre->figli.back().get() == &nodo;
    }
    if (!inPasso) {
        Ricostruisci();
        return;
    }

    elemento->addChild(nuovoElemento(nodo));
    // The newest block stays open, up to the root, so its lines can be seen.
    for (QTreeWidgetItem* e = elemento; e; e = e->parent()) {
        if (!e->isExpanded())
            e->setExpanded(true);
    }
    mostraUltimo();
}

void AlberoLog::mostraUltimo() {
    if (!isVisible() || m_scorrimentoInAttesa)
        return;
    // One scroll for a whole burst of lines, done when the routine that logs them returns.
    m_scorrimentoInAttesa = true;
    QTimer::singleShot(0, this, [this] {
        m_scorrimentoInAttesa = false;
        if (QTreeWidgetItem* ultimo = UltimoElemento())
            scrollToItem(ultimo);
    });
}

void AlberoLog::showEvent(QShowEvent* event) {
    QTreeWidget::showEvent(event);
    // Lines logged while the view was hidden did not scroll it.
    mostraUltimo();
}
