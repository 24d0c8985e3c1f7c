#include "Visualizzazione.h"

#include "AccessoDati.h"
#include "DataSet.h"
#include "Utilitylibrary.h"

#include <QAbstractProxyModel>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace {

const QColor ROSSO_AGEA(255, 0, 0);
const QColor BLU_SELEZIONE(0, 0, 231);

// The data set behind a grid's model and the index in it: proxies (titles, sorting,
// filters) are walked down until the data set is reached. Null when the model is not a
// data set.
const DataSet* dataSetDi(QModelIndex& indice) {
    const QAbstractItemModel* modello = indice.model();
    while (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(modello)) {
        indice = proxy->mapToSource(indice);
        modello = indice.model();
    }
    return qobject_cast<const DataSet*>(modello);
}

bool colonnaDescrizione(const QString& campo) {
    return campo == QLatin1String("descr") || campo == QLatin1String("luArticoloDescr");
}

// A stored date read back as a date: "05/03/2024", or with its time "05/03/2024 10:30:00".
QDate dataDaValore(const QString& testo) {
    const QDate data = utDataDaTesto(testo);
    return data.isValid() ? data : utDataOraDaTesto(testo).date();
}

} // namespace

// ---- grid cells ----------------------------------------------------------------------------

void DisegnaCellaAgea(QPainter* painter, const QStyleOptionViewItem& opzione,
                      const QModelIndex& indice) {
    QModelIndex sorgente = indice;
    const DataSet* ds = dataSetDi(sorgente);
    bool agea = false;
    bool descrizione = false;
    if (ds) {
        // A grid on an empty data set draws nothing, not even an empty cell; nor does a
        // cell left over from rows that a re-read has removed.
        const QStringList campi = ds->campi();
        if (sorgente.row() < 0 || sorgente.row() >= ds->conteggio() || sorgente.column() < 0 ||
            sorgente.column() >= campi.size())
            return;
        descrizione = colonnaDescrizione(campi.at(sorgente.column()));
        // The row being drawn decides, not the data set's current row.
        if (descrizione && ds->indiceCampo(QStringLiteral("agea")) >= 0)
            agea = ds->valore(sorgente.row(), QStringLiteral("agea")).toBool();
    }

    QStyleOptionViewItem o(opzione);
    const bool selezionata = o.state & QStyle::State_Selected;
    if (selezionata) {
        // The selection is drawn here, so that it is white on blue with any style: the
        // style then draws the cell as unselected over the blue.
        painter->fillRect(o.rect, BLU_SELEZIONE);
        o.state &= ~QStyle::State_Selected;
        o.backgroundBrush = Qt::NoBrush;
    }
    QColor colore = selezionata ? QColor(Qt::white) : QColor(Qt::black);
    if (agea && descrizione) {
        colore = ROSSO_AGEA;
        o.font.setBold(true);
    }
    o.palette.setColor(QPalette::Text, colore);
    o.palette.setColor(QPalette::HighlightedText, colore);

    const QWidget* widget = o.widget;
    QStyle* stile = widget ? widget->style() : QApplication::style();
    stile->drawControl(QStyle::CE_ItemViewItem, &o, painter, widget);
}

void DelegatoAgea::paint(QPainter* painter, const QStyleOptionViewItem& opzione,
                         const QModelIndex& indice) const {
    QStyleOptionViewItem o(opzione);
    initStyleOption(&o, indice);
    DisegnaCellaAgea(painter, o, indice);
}

// ---- records and layouts -------------------------------------------------------------------

bool Posiziona(DataSet& ds, const QString& campo, const QString& valore) {
    return ds.localizza(campo, valore);
}

void ImpostaLayoutStampa(QWidget* contenitore, bool stampa) {
    const QList<QWidget*> figli =
        contenitore->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* figlio : figli) {
        const QString prefisso = figlio->objectName().left(4);
        if (prefisso == QLatin1String("prn_"))
            figlio->setVisible(stampa);
        else if (prefisso == QLatin1String("vid_"))
            figlio->setVisible(!stampa);
    }
}

// ---- date ranges ---------------------------------------------------------------------------

bool IntervalloDate(const QString& tabella, QDate& primo, QDate& ultimo) {
    const QString minimo = DbValore(tabella, QStringLiteral("MIN(data)"), QString());
    if (minimo.isEmpty())
        return false;
    const QString massimo = DbValore(tabella, QStringLiteral("MAX(data)"), QString());
    const QDate da = dataDaValore(minimo);
    const QDate a = dataDaValore(massimo);
    if (!da.isValid() || !a.isValid())
        throw Errore(QStringLiteral("La tabella %1 contiene una data non valida: '%2'.")
                         .arg(tabella, da.isValid() ? massimo : minimo));
    primo = da;
    ultimo = a;
    return true;
}

bool IntervalloMovimenti(QDate& primo, QDate& ultimo) {
    QDate primoScarichi, ultimoScarichi, primoCarichi, ultimoCarichi;
    const bool scarichi =
        IntervalloDate(QStringLiteral("scarichi_mast"), primoScarichi, ultimoScarichi);
    const bool carichi =
        IntervalloDate(QStringLiteral("carichi_mast"), primoCarichi, ultimoCarichi);
    if (scarichi && carichi) {
        primo = utDataMin(primoScarichi, primoCarichi);
        ultimo = utDataMax(ultimoScarichi, ultimoCarichi);
    } else if (scarichi) {
        primo = primoScarichi;
        ultimo = ultimoScarichi;
    } else if (carichi) {
        primo = primoCarichi;
        ultimo = ultimoCarichi;
    }
    return scarichi || carichi;
}

// ---- months --------------------------------------------------------------------------------

QString EtichettaMeseAnno(const QDate& data) {
    return utMeseAnno(data);
}

void ImpostaMese(QLabel* didascalia, QDateEdit* data, const QDate& valore) {
    didascalia->setText(EtichettaMeseAnno(valore));
    data->setDate(valore);
}

bool SpostaMese(QLabel* didascalia, QDateEdit* data, const QDateEdit* minimo,
                const QDateEdit* massimo, int mesi) {
    // QDate::addMonths keeps the day, clamped to the length of the new month.
    const QDate nuova = data->date().addMonths(mesi);
    if (nuova < minimo->date() || nuova > massimo->date()) {
        QApplication::beep();
        return false;
    }
    ImpostaMese(didascalia, data, nuova);
    return true;
}

void RiempiMesi(QComboBox* mesi, const QDate& da, const QDate& a) {
    mesi->clear();
    if (!da.isValid() || !a.isValid())
        return;
    QStringList etichette;
    for (QDate d = da; utIndiceMese(d) <= utIndiceMese(a); d = d.addMonths(1))
        etichette << utMeseAnno(d);
    mesi->addItems(etichette);
}

void SelezionaMese(QComboBox* mesi, const QDate& data) {
    mesi->setCurrentIndex(
        mesi->findText(utMeseAnno(data), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

bool ImpostaFiltroMese(DataSet& ds, const QComboBox* mesi) {
    if (mesi->currentIndex() < 0)
        return false;
    const auto [primo, ultimo] = utLimitiMese(utDataDaMeseAnno(mesi->currentText()));
    ds.setCondizione(QStringLiteral("data >= '") + utTestoData(primo) +
                     QStringLiteral("' AND data <= '") + utTestoData(ultimo) + QStringLiteral("'"));
    return true;
}

void SelezionaMeseRecord(QComboBox* mesi, DataSet& ds, int id, const QDate& predefinita) {
    QDate data = predefinita;
    if (Posiziona(ds, QStringLiteral("ID"), QString::number(id))) {
        const QDate delRecord = ds.valore(QStringLiteral("data")).toDate();
        if (delRecord.isValid())
            data = delRecord;
    }
    SelezionaMese(mesi, data);
}
