#pragma once

// Printing a window's drawing as one page. The printed documents (register page, register
// cover, Annex 9 declaration) are drawn with QPainter by a renderer of their own, in the window's
// pixel coordinates, so that the same drawing goes to the screen, a printer or a PDF with real
// text; they are never printed as a captured image of the widgets.

#include <QPageLayout>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class Messaggi;
class QPainter;
class QPrinter;

// A document as the window shows it: `dimensione` pixels large, drawn by `disegna` from
// the top left corner (0, 0) in window pixels.
class ModuloStampabile {
public:
    virtual ~ModuloStampabile() = default;
    virtual QSize dimensione() const = 0;
    virtual void disegna(QPainter& painter) const = 0;
};

// The print scale of a window: the largest size that fits the printable page keeping the
// proportions (the register page), or its natural size at 96 pixels per inch (the cover).
enum class ScalaStampa { AdattaPagina, Naturale };

// A print job of several pages, each a document drawn at the top left of the printable
// area at its own scale. The printer is opened at the first page; with the PDF printer the
// job is one file.
class LavoroStampa {
public:
    // Sets the printer's orientation and, when `titolo` is not empty, the job's title.
    LavoroStampa(QPrinter& printer, QPageLayout::Orientation orientamento, const QString& titolo);
    ~LavoroStampa();
    LavoroStampa(const LavoroStampa&) = delete;
    LavoroStampa& operator=(const LavoroStampa&) = delete;

    // Draws the document on the next sheet. False when the printer cannot be opened or
    // cannot start a new sheet.
    bool pagina(const ModuloStampabile& modulo, ScalaStampa scala);
    // Draws the document on the next sheet as StampaImmagineForm() places it: stretched into
    // RettangoloStampaImmagine() of the whole sheet, nothing outside the window's area. The
    // printer is switched to full-page mode when the job opens, so a job uses either this or
    // pagina(), not both. False as for pagina().
    bool paginaImmagine(const ModuloStampabile& modulo, int margineX, int margineY);
    // Ends the job; false when the printer could not complete it.
    bool fine();

private:
    // Opens the printer at the first sheet, else starts the next one.
    bool prossimoFoglio();

    QPrinter& m_printer;
    std::unique_ptr<QPainter> m_painter;
};

// Prints the document as one page, at the top left of the printable area, in a print job
// of its own: sets the printer's orientation and, when `titolo` is not empty, the job's
// title. False when the printer cannot be opened.
bool StampaForm(QPrinter& printer, const ModuloStampabile& modulo,
                QPageLayout::Orientation orientamento, const QString& titolo, ScalaStampa scala);

// Where the image of a window of `cliente` pixels goes on a page of `pagina` device units,
// `margineX` and `margineY` from its top left corner: the largest size that leaves those
// margins on both sides, the proportions kept. The scale is the smaller of the horizontal
// and vertical factors, each in single precision, and the far corner is truncated toward
// zero: a page of 4800 x 6600 with margins 300 and a window of 594 x 939 gives the
// rectangle from (300, 300) to (4095, 6299), the far corner excluded.
QRect RettangoloStampaImmagine(QSize pagina, QSize cliente, int margineX, int margineY);

// Prints the document as one page stretched into RettangoloStampaImmagine() of the whole
// sheet (the printer is switched to full-page mode, so the margins are measured from the
// paper's edge, whatever margins the driver keeps), in a print job of its own: sets the
// printer's orientation and, when `titolo` is not empty, the job's title. Nothing outside
// the window's own area is drawn. False when the printer cannot be opened. A document of
// several sheets goes through LavoroStampa::paginaImmagine().
bool StampaImmagineForm(QPrinter& printer, const ModuloStampabile& modulo,
                        QPageLayout::Orientation orientamento, const QString& titolo, int margineX,
                        int margineY);

// Prints a job titled `titolo` on the program's current printer (for "PDF" a file in
// Stampe/ of the program folder `cartellaProgramma`): `lavoro` draws the pages. Logs
// "...stampato." in the block of `routine`, or "Stampa non riuscita: " and the reason,
// which is also shown; an empty file left by a job that never started is removed.
bool StampaDocumento(Messaggi& messaggi, const QString& routine, const QString& titolo,
                     const QString& cartellaProgramma,
                     const std::function<bool(QPrinter&)>& lavoro);
