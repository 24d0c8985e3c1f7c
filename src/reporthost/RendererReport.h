#pragma once

// Lays a report out on pages and paints them on any paint device: a printer, a PDF writer,
// an image. Every page but a cover carries the organisation, the time of print, the title
// (and subtitle) at the top and the page number at the bottom, counted from the first page
// after the cover; the column headings of a table are repeated on every page it spans. The layout
// is computed once, in points, on the printable area; painting scales it to the target rectangle,
// so the text stays text.

#include "Report.h"

#include <QColor>
#include <QHash>
#include <QRectF>
#include <QSizeF>
#include <QVector>

class QPagedPaintDevice;
class QPainter;

class RendererReport {
public:
    RendererReport(const Report& report, const QSizeF& areaPunti);

    int pagine() const { return static_cast<int>(m_pagine.size()); }
    // Paints page `pagina` (from 0) with the printable area fitted to `destinazione`.
    void disegnaPagina(QPainter& painter, int pagina, const QRectF& destinazione) const;

    // Prints every page on A4 paper with margins of 15 mm. False when the device cannot
    // be painted on.
    static bool stampa(const Report& report, QPagedPaintDevice& dispositivo);

    // A laid-out page is a list of elements: texts, rules and filled backgrounds, in layout
    // units (a tenth of a point).
    enum class Stile { Testo, Grassetto, Corsivo, Piccolo, Titolo, Sottotitolo, Sezione, Evidenza };

    struct Elemento {
        enum class Tipo { Testo, Linea, Sfondo };
        Tipo tipo = Tipo::Testo;
        QRectF rettangolo; // a line runs from its top left to its bottom right corner
        Stile stile = Stile::Testo;
        int allineamento = 0;
        QString testo;
        QColor colore = Qt::black;
        double spessore = 0;                 // of a line
        Qt::PenStyle tratto = Qt::SolidLine; // of a line
        bool unaRiga = false;                // a text never wrapped
    };

private:
    void impagina();
    void impaginaCopertina(const BloccoReport& blocco);
    void impaginaCampi(const BloccoReport& blocco);
    void impaginaTabella(const BloccoReport& blocco);
    void impaginaFirma(const BloccoReport& blocco);
    void misuraColonne();
    QVector<double> bordiColonne(const BloccoReport& blocco) const;
    static QString chiaveColonne(const BloccoReport& blocco);

    void nuovaPagina();
    // Starts a new page unless `altezza` fits below the current position (or the page is
    // still empty).
    void riserva(double altezza);
    double altezzaTitoloSezione() const;
    void aggiungiTitoloSezione(const QString& titolo);
    double altezzaTesto(const QString& testo, Stile stile, double larghezza) const;
    void aggiungiTesto(const QRectF& r, Stile stile, int allineamento, const QString& testo,
                       const QColor& colore, bool unaRiga = false);
    // A rule across the page at height y.
    void aggiungiLinea(double y, const QColor& colore, double spessore);

    QVector<Elemento> cornice(int pagina) const;
    // The number printed on a page, and how many pages are numbered: covers are not.
    int numeroPagina(int pagina) const;
    int pagineNumerate() const;

    Report m_report;
    QSizeF m_area; // in layout units
    double m_altoCorpo = 0;
    double m_bassoCorpo = 0;
    double m_y = 0;
    QVector<QVector<Elemento>> m_pagine;
    QVector<bool> m_frontespizi; // per page: a cover
    // Per set of column headings, the widest text of each column that is never wrapped.
    QHash<QString, QVector<double>> m_testoColonne;
};
