#pragma once
#include <QFont>
#include <QPaintDevice>
#include <QPainter>

// The colours of report pages.
namespace ReportInk {
inline const QColor Ink(25, 25, 25);
inline const QColor Quiet(95, 95, 95);
inline const QColor Rule(150, 150, 150);
inline const QColor Shade(236, 239, 243);
inline const QColor HeadingShade(214, 221, 230);
}  // namespace ReportInk

// The layout is set in millimetres on the page; the painter works in device pixels.
class ReportPainter {
public:
    explicit ReportPainter(QPainter& painter)
        : painter(painter), perMm(painter.device()->logicalDpiX() / 25.4)
    {
    }

    QPainter& painter;
    const double perMm;

    QRectF Mm(double x, double y, double w, double h) const { return {x * perMm, y * perMm, w * perMm, h * perMm}; }

    static QFont Font(double points, bool bold = false)
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(points);
        font.setBold(bold);
        // No ligatures: a reader copying a hash or a name from the PDF gets its letters.
        font.setStyleStrategy(QFont::PreferNoShaping);
        return font;
    }

    // Draws text into a box of the given width; returns the height it took, in mm.
    double Text(double x, double y, double w, const QString& text, const QFont& font,
                const QColor& color = ReportInk::Ink, int flags = Qt::AlignLeft | Qt::TextWordWrap)
    {
        painter.setFont(font);
        painter.setPen(color);
        QRectF used;
        painter.drawText(Mm(x, y, w, 1000.0), flags, text, &used);
        return used.height() / perMm;
    }

    void Line(double x1, double y, double x2, const QColor& color = ReportInk::Rule, double thickness = 0.25)
    {
        painter.setPen(QPen(color, thickness * perMm));
        painter.drawLine(QPointF(x1 * perMm, y * perMm), QPointF(x2 * perMm, y * perMm));
    }

    void Fill(double x, double y, double w, double h, const QColor& color)
    {
        painter.fillRect(Mm(x, y, w, h), color);
    }
};

