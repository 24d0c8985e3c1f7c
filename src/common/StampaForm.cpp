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

QRect RettangoloStampaImmagine(QSize pagina, QSize cliente, int margineX, int margineY) {
    if (cliente.isEmpty())
        return {};
    const float sx = float(pagina.width() - 2 * margineX) / float(cliente.width());
    const float sy = float(pagina.height() - 2 * margineY) / float(cliente.height());
    const float s = sx < sy ? sx : sy;
    // The products are worked out in double from the single-precision factor, then cut
    // toward zero, so that the image never reaches past the far margins.
    const int destra = int(margineX + cliente.width() * double(s));
    const int basso = int(margineY + cliente.height() * double(s));
    return QRect(margineX, margineY, destra - margineX, basso - margineY);
}

bool StampaImmagineForm(QPrinter& printer, const ModuloStampabile& modulo,
                        QPageLayout::Orientation orientamento, const QString& titolo, int margineX,
                        int margineY) {
    printer.setPageOrientation(orientamento);
    printer.setDocName(titolo);
    // The painter's origin is then the sheet's corner and width() x height() the sheet.
    printer.setFullPage(true);
    const QSize cliente = modulo.dimensione();
    const QRect destinazione = RettangoloStampaImmagine(QSize(printer.width(), printer.height()),
                                                        cliente, margineX, margineY);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    if (!destinazione.isEmpty()) {
        painter.translate(destinazione.topLeft());
        painter.scale(double(destinazione.width()) / cliente.width(),
                      double(destinazione.height()) / cliente.height());
        // The image holds the window's area only: what lies beyond its edges is not printed.
        painter.setClipRect(QRect(QPoint(0, 0), cliente));
        modulo.disegna(painter);
    }
    return painter.end();
}
