#pragma once

#include <QTreeWidget>

struct NodoLog;

// The main window's view of the event log (`treeLog`): one item per node of the log tree,
// nested as the log's blocks, one column with the line's text. It is filled from the tree
// as it stands when it is created and then follows every new line by adding that line's
// item alone, so a long session never rebuilds the view.
//
// Any number of views may exist; each one follows the log until it is destroyed.
class AlberoLog : public QTreeWidget {
    Q_OBJECT

public:
    explicit AlberoLog(QWidget* parent = nullptr);
    ~AlberoLog() override;

    // Fills the view again from the log tree as it stands (empty while the log has no line).
    // A view that finds itself out of step with the log (after utLogAzzera) does it alone at
    // the next line.
    void Ricostruisci();
    // The item of the newest line (the end of the chain of last children); nullptr when empty.
    QTreeWidgetItem* UltimoElemento() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The log's observer: passes the new node to every view.
    static void nodoAggiunto(const NodoLog& nodo);
    void aggiungi(const NodoLog& nodo);
    // Scrolls to the newest line once control returns to the event loop (only when visible).
    void mostraUltimo();

    bool m_scorrimentoInAttesa = false;
};
