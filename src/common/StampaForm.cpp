#include "StampaForm.h"

#include "Messaggi.h"
#include "Stampanti.h"
#include "Utilitylibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

LavoroStampa::LavoroStampa(QPrinter& printer, QPageLayout::Orientation orientamento,
                           const QString& titolo)
    : m_printer(printer) {
    m_printer.setPageOrientation(orientamento);
    if (!titolo.isEmpty())
        m_printer.setDocName(titolo);
}

LavoroStampa::~LavoroStampa() {
    fine();
}

bool LavoroStampa::prossimoFoglio() {
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(&m_printer))
            return false;
    } else if (!m_printer.newPage()) {
        return false;
    }
    return m_painter->isActive();
}

bool LavoroStampa::pagina(const ModuloStampabile& modulo, ScalaStampa scala) {
    if (!prossimoFoglio())
        return false;
    const double fattore = fattoreScala(m_printer, modulo.dimensione(), scala);
    m_painter->save();
    m_painter->scale(fattore, fattore);
    modulo.disegna(*m_painter);
    m_painter->restore();
    return true;
}

bool LavoroStampa::paginaImmagine(const ModuloStampabile& modulo, int margineX, int margineY) {
    // The painter's origin is then the sheet's corner and width() x height() the sheet.
    if (!m_painter)
        m_printer.setFullPage(true);
    if (!prossimoFoglio())
        return false;
    const QSize cliente = modulo.dimensione();
    const QRect destinazione = RettangoloStampaImmagine(
        QSize(m_printer.width(), m_printer.height()), cliente, margineX, margineY);
    if (destinazione.isEmpty())
        return true;
    m_painter->save();
    m_painter->translate(destinazione.topLeft());
    m_painter->scale(double(destinazione.width()) / cliente.width(),
                     double(destinazione.height()) / cliente.height());
    // The image holds the window's area only: what lies beyond its edges is not printed.
    m_painter->setClipRect(QRect(QPoint(0, 0), cliente));
    modulo.disegna(*m_painter);
    m_painter->restore();
    return true;
}

bool LavoroStampa::fine() {
    if (!m_painter)
        return true;
    const bool ok = !m_painter->isActive() || m_painter->end();
    m_painter.reset();
    return ok;
}

bool StampaForm(QPrinter& printer, const ModuloStampabile& modulo,
                QPageLayout::Orientation orientamento, const QString& titolo, ScalaStampa scala) {
    LavoroStampa lavoro(printer, orientamento, titolo);
    const bool stampato = lavoro.pagina(modulo, scala);
    return lavoro.fine() && stampato;
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
    LavoroStampa lavoro(printer, orientamento, titolo);
    const bool stampato = lavoro.paginaImmagine(modulo, margineX, margineY);
    return lavoro.fine() && stampato;
}

bool StampaDocumento(Messaggi& messaggi, const QString& routine, const QString& titolo,
                     const QString& cartellaProgramma,
                     const std::function<bool(QPrinter&)>& lavoro) {
    QPrinter printer(QPrinter::HighResolution);
    const QString stampante = utStampanteCorrente();
    QString motivo;
    if (!utPreparaStampante(printer, stampante, titolo, cartellaProgramma)) {
        motivo = QStringLiteral("impossibile creare il file della stampa nella cartella \"%1\".")
                     .arg(QDir::toNativeSeparators(cartellaProgramma + QStringLiteral("Stampe")));
    } else if (lavoro(printer)) {
        utLog(routine, QStringLiteral("...stampato."));
        return true;
    } else {
        // The file reserved for the job stays empty: it is no print, and goes.
        const QString file = printer.outputFileName();
        if (!file.isEmpty() && QFileInfo(file).size() == 0)
            QFile::remove(file);
        motivo = QStringLiteral("la stampante \"%1\" non può essere aperta.").arg(stampante);
    }
    utLog(routine, QStringLiteral("Stampa non riuscita: ") + motivo);
    messaggi.errore(QStringLiteral("Stampa non riuscita: ") + motivo);
    return false;
}
