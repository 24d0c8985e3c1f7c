#include "TfrmSelectFolder.h"

#include "PannelliScheda.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

TfrmSelectFolder::TfrmSelectFolder(QWidget* parent) : QDialog(parent) {
    // Tab and Shift+Tab follow the controls as they appear on screen.
    TabulazioneInOrdineVisivo(this);
    setObjectName(QStringLiteral("TfrmSelectFolder"));
    setWindowTitle(QStringLiteral("Seleziona cartella"));
    setModal(true);
    resize(480, 440);

    auto* layout = new QVBoxLayout(this);
    lblCommento = new QLabel(this);
    lblCommento->setObjectName(QStringLiteral("lblCommento"));
    lblCommento->setWordWrap(true);
    QFont grassetto = lblCommento->font();
    grassetto.setBold(true);
    lblCommento->setFont(grassetto);
    layout->addWidget(lblCommento);
    drvDischi = new QComboBox(this);
    drvDischi->setObjectName(QStringLiteral("drvDischi"));
    layout->addWidget(drvDischi);
    dirCartelle = new QTreeView(this);
    dirCartelle->setObjectName(QStringLiteral("dirCartelle"));
    dirCartelle->setHeaderHidden(true);
    layout->addWidget(dirCartelle, 1);
    edtCartella = new QLineEdit(this);
    edtCartella->setObjectName(QStringLiteral("edtCartella"));
    layout->addWidget(edtCartella);

    auto* pulsanti = new QDialogButtonBox(this);
    btnOk = pulsanti->addButton(QStringLiteral("&Ok"), QDialogButtonBox::AcceptRole);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnOk->setEnabled(false);
    pulsanti->addButton(QStringLiteral("&Annulla"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btnAnnulla"));
    layout->addWidget(pulsanti);
    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(drvDischi, &QComboBox::activated, this, &TfrmSelectFolder::discoScelto);
    connect(edtCartella, &QLineEdit::textChanged, this,
            [this] { btnOk->setEnabled(QFileInfo(cartella()).isDir()); });
    // A path typed by hand is shown in the tree as soon as it names a folder; the box keeps
    // the text as typed.
    connect(edtCartella, &QLineEdit::textEdited, this, [this] {
        if (!m_modello || !QFileInfo(cartella()).isDir())
            return;
        m_scorri = true;
        const QSignalBlocker blocco(dirCartelle->selectionModel());
        dirCartelle->setCurrentIndex(m_modello->index(cartella()));
        dirCartelle->scrollTo(dirCartelle->currentIndex());
    });
}

void TfrmSelectFolder::impostaCommento(const QString& testo) {
    lblCommento->setText(testo);
}

QString TfrmSelectFolder::cartella() const {
    const QString testo = edtCartella->text().trimmed();
    return testo.isEmpty()
               ? QString()
               : QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(testo)).absoluteFilePath());
}

void TfrmSelectFolder::showEvent(QShowEvent* event) {
    if (!m_modello) {
        m_modello = new QFileSystemModel(this);
        m_modello->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
        m_modello->setRootPath(QDir::rootPath());
        dirCartelle->setModel(m_modello);
        for (int colonna = 1; colonna < m_modello->columnCount(); ++colonna)
            dirCartelle->hideColumn(colonna);
        connect(dirCartelle->selectionModel(), &QItemSelectionModel::currentChanged, this,
                [this](const QModelIndex& corrente) {
                    edtCartella->setText(QDir::toNativeSeparators(m_modello->filePath(corrente)));
                });
        // The folders are read and sorted in the background: the chosen one is brought
        // into view again once they stand in their places.
        connect(dirCartelle, &QTreeView::pressed, this, [this] { m_scorri = false; });
        connect(dirCartelle->verticalScrollBar(), &QScrollBar::actionTriggered, this,
                [this] { m_scorri = false; });
        const auto scorri = [this] {
            if (m_scorri)
                dirCartelle->scrollTo(dirCartelle->currentIndex(),
                                      QAbstractItemView::PositionAtCenter);
        };
        connect(m_modello, &QFileSystemModel::directoryLoaded, this, scorri, Qt::QueuedConnection);
        connect(m_modello, &QFileSystemModel::layoutChanged, this, scorri, Qt::QueuedConnection);
    }
    // The volumes are listed again at every show: a USB stick may have been plugged in.
    drvDischi->clear();
    drvDischi->addItem(QStringLiteral("Cartella personale (%1)").arg(QDir::homePath()),
                       QDir::homePath());
    const QList<QStorageInfo> volumi = QStorageInfo::mountedVolumes();
    for (const QStorageInfo& volume : volumi) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString nome = volume.displayName();
        drvDischi->addItem(nome == volume.rootPath()
                               ? nome
                               : QStringLiteral("%1 (%2)").arg(nome, volume.rootPath()),
                           volume.rootPath());
    }
    mostraCartella(QFileInfo(cartella()).isDir() ? cartella() : QDir::homePath());
    QDialog::showEvent(event);
}

void TfrmSelectFolder::discoScelto(int indice) {
    mostraCartella(drvDischi->itemData(indice).toString());
    dirCartelle->expand(dirCartelle->currentIndex());
}

void TfrmSelectFolder::mostraCartella(const QString& percorso) {
    edtCartella->setText(QDir::toNativeSeparators(percorso));
    if (!m_modello)
        return;
    dirCartelle->setCurrentIndex(m_modello->index(percorso));
    dirCartelle->scrollTo(dirCartelle->currentIndex(), QAbstractItemView::PositionAtCenter);
    m_scorri = true;
}
