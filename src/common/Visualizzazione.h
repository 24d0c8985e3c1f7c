#pragma once

// The display helpers that several screens share: AGEA articles standing out in the grids,
// positioning a data set on a record, the screen and print layouts of a window, the date
// range of the movements and the month selectors of the lists.

#include <QDate>
#include <QString>
#include <QStyledItemDelegate>

class DataSet;
class QComboBox;
class QDateEdit;
class QLabel;
class QWidget;

// ---------------------------------------------------------------------------------------
// Grid cells
// ---------------------------------------------------------------------------------------

// Draws one cell of a grid whose model is a DataSet, directly or behind proxy models.
// `opzione` is the cell's style option already filled for the index (initStyleOption).
// Nothing is drawn when the data set has no rows. The description column ("descr" or
// "luArticoloDescr") of a row whose field "agea" is true is drawn red and bold; every
// other cell plain, black. A selected cell is drawn on blue (0, 0, 231), its plain text
// white, whatever the widget style; an AGEA description stays red and bold.
void DisegnaCellaAgea(QPainter* painter, const QStyleOptionViewItem& opzione,
                      const QModelIndex& indice);

// The delegate of the grids that show articles: every cell through DisegnaCellaAgea.
class DelegatoAgea : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& opzione,
               const QModelIndex& indice) const override;
};

// ---------------------------------------------------------------------------------------
// Records and layouts
// ---------------------------------------------------------------------------------------

// Makes current the first row whose field `campo` equals `valore` (exact, case-sensitive).
// False, and the current row unchanged, when there is none.
bool Posiziona(DataSet& ds, const QString& campo, const QString& valore);

// Switches a window between its screen and print layouts: among the direct children of
// `contenitore`, those named "prn_..." are shown only when printing, those named "vid_..."
// only on screen. Nested controls follow their own parent's visibility and are not touched.
void ImpostaLayoutStampa(QWidget* contenitore, bool stampa);

// ---------------------------------------------------------------------------------------
// Date ranges
// ---------------------------------------------------------------------------------------

// The earliest and latest "data" of the table. False, and both dates left as they were,
// when the table has no dated row. Throws Errore when a stored date cannot be read.
bool IntervalloDate(const QString& tabella, QDate& primo, QDate& ultimo);
// The range of the movements: distributions ("scarichi_mast") and receipts
// ("carichi_mast") together. False, and both dates untouched, when there is none.
bool IntervalloMovimenti(QDate& primo, QDate& ultimo);

// ---------------------------------------------------------------------------------------
// Months
// ---------------------------------------------------------------------------------------

// "Marzo 2013".
QString EtichettaMeseAnno(const QDate& data);
// Shows the month of `data` in the caption and puts `data` in the date control.
void ImpostaMese(QLabel* didascalia, QDateEdit* data, const QDate& valore);
// Moves the date control by `mesi` calendar months (the day kept, clamped to the length
// of the month) and updates the caption. Outside the dates of `minimo` and `massimo`
// (both included) it beeps, changes nothing and returns false.
bool SpostaMese(QLabel* didascalia, QDateEdit* data, const QDateEdit* minimo,
                const QDateEdit* massimo, int mesi);
// Fills the combo box with the label of every month from the month of `da` to the month
// of `a`, both included, oldest first; empty when `da` comes after `a`.
void RiempiMesi(QComboBox* mesi, const QDate& da, const QDate& a);
// Selects the item equal to the month label of `data`; when there is none nothing is
// selected (index -1).
void SelezionaMese(QComboBox* mesi, const QDate& data);
// Limits the data set to the rows whose "data" lies in the month chosen in `mesi`, first
// and last day included (the condition applies from the next read). False, and nothing
// changed, when no month is chosen.
bool ImpostaFiltroMese(DataSet& ds, const QComboBox* mesi);
// Selects the month of the record `id` of the data set (its field "data"), making that
// record current; the month of `predefinita` when the record does not exist or has no date.
void SelezionaMeseRecord(QComboBox* mesi, DataSet& ds, int id, const QDate& predefinita);
