#pragma once

// The folder picker of the backup and the restore: a drive or mounted volume (a USB stick,
// a network share) chosen in drvDischi, a folder in the tree dirCartelle under it, the
// folder's path in edtCartella, which can also be typed. The caller sets the instruction
// in lblCommento and reads cartella() after "Ok". One picker serves the program's whole
// run, so it opens again on the folder chosen last.

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

class TfrmSelectFolder : public QDialog {
    Q_OBJECT

public:
    // The dialog is named "TfrmSelectFolder".
    explicit TfrmSelectFolder(QWidget* parent = nullptr);

    void impostaCommento(const QString& testo);
    // The folder chosen: an absolute path without trailing slash; "Ok" is enabled only
    // while it names an existing folder.
    QString cartella() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Makes `percorso` the chosen folder, in the box and in the tree.
    void mostraCartella(const QString& percorso);
    void discoScelto(int indice);

    QLabel* lblCommento = nullptr;
    QComboBox* drvDischi = nullptr;
    QTreeView* dirCartelle = nullptr;
    QLineEdit* edtCartella = nullptr;
    QPushButton* btnOk = nullptr;
    // Created at the first show: the program starts without scanning the disks.
    QFileSystemModel* m_modello = nullptr;
    // The folder just chosen by program or typed is kept in view while its parents load;
    // a folder the user opens in the tree afterwards does not move the view.
    bool m_scorri = false;
};
