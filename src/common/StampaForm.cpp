#include "StampaForm.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

namespace {

// Printer pixels per window pixel.
double fattoreScala(const QPrinter& printer, QSize dimensione, ScalaStampa scala) {
    if (scala == ScalaStampa::Naturale || dimensione.isEmpty())
        return printer.resolution() / 96.0;
    // The printable area: the painter's origin is its top left corner.
    const double orizzontale = double(printer.width()) / dimensione.width();
    const double verticale = double(printer.height()) / dimensione.height();
    return std::min(orizzontale, verticale);
}

} // namespace

bool StampaForm(QPrinter& printer, const ModuloStampabile& modulo,
                QPageLayout::Orientation orientamento, const QString& titolo, ScalaStampa scala) {
    printer.setPageOrientation(orientamento);
    if (!titolo.isEmpty())
        printer.setDocName(titolo);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double fattore = fattoreScala(printer, modulo.dimensione(), scala);
    painter.scale(fattore, fattore);
    modulo.disegna(painter);
    return painter.end();
}
