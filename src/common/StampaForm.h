#pragma once

// Printing a window's drawing as one page. The printed documents (register page, register
// cover) are drawn with QPainter by a renderer of their own, in the window's pixel
// coordinates, so that the same drawing goes to the screen, a printer or a PDF with real
// text; they are never printed as a captured image of the widgets.

#include <QPageLayout>
#include <QSize>
#include <QString>

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

// Prints the document as one page, at the top left of the printable area, in a print job
// of its own: sets the printer's orientation and, when `titolo` is not empty, the job's
// title. False when the printer cannot be opened.
bool StampaForm(QPrinter& printer, const ModuloStampabile& modulo,
                QPageLayout::Orientation orientamento, const QString& titolo, ScalaStampa scala);
