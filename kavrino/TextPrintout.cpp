#include "kavrino/TextPrintout.h"

#include "platform/Printer.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <cmath>
#include <vector>

namespace kavrino {

namespace {

QFont fontForDevice(const QFont& screenFont)
{
    // Pixel sizes are device pixels: on a printer they would shrink to a speck.
    QFont font(screenFont);
    if (screenFont.pixelSize() > 0)
        font.setPointSizeF(screenFont.pixelSize() * 72.0 / 96.0);
    return font;
}

QRectF printableArea(const QPaintDevice& page)
{
    const double marginX = printMarginMillimetres / 25.4 * page.logicalDpiX();
    const double marginY = printMarginMillimetres / 25.4 * page.logicalDpiY();
    const QRectF area(marginX, marginY, page.width() - 2 * marginX, page.height() - 2 * marginY);
    return area.isValid() ? area : QRectF(0, 0, page.width(), page.height());
}

} // namespace

int printPlainText(
    platform::Printer& printer, const QString& title, const QString& text, const QFont& font, const QColor& color)
{
    printer.beginDoc(title);
    try {
        QPainter* painter = &printer.canvas();
        // Every page is a device of its own, but they all have the first one's size and resolution.
        const QFont printFont(fontForDevice(font), painter->device());
        const QRectF area = printableArea(*painter->device());
        // A new page may come with a fresh painter state.
        auto preparePainter = [&] {
            painter = &printer.canvas();
            painter->setFont(printFont);
            painter->setPen(color);
        };
        preparePainter();

        QTextOption wrapping;
        wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        int pages = 1;
        qreal y = area.top();
        for (const QString& paragraph : text.split(u'\n')) {
            QTextLayout layout(paragraph, printFont);
            layout.setTextOption(wrapping);
            layout.beginLayout();
            std::vector<QTextLine> lines;
            qreal lineTop = 0;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(area.width());
                line.setPosition(QPointF(0, lineTop));
                lineTop += line.height();
                lines.push_back(line);
            }
            layout.endLayout();

            for (const QTextLine& line : lines) {
                // A line taller than the page still goes on a page of its own rather than nowhere.
                if (y + line.height() > area.bottom() && y > area.top()) {
                    printer.newPage();
                    ++pages;
                    preparePainter();
                    y = area.top();
                }
                line.draw(painter, QPointF(area.left(), y - line.y()));
                y += line.height();
            }
        }
        printer.endDoc();
        return pages;
    } catch (...) {
        printer.abort();
        throw;
    }
}

} // namespace kavrino
