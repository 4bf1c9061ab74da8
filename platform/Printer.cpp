#include "platform/Printer.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>

namespace platform {

namespace {

class QtPrintTarget : public PrintTarget {
public:
    QtPrintTarget()
        : printer_(QPrinter::HighResolution)
    {
    }

    QPainter& beginJob(const QString& title) override
    {
        printer_.setDocName(title);
        if (!painter_.begin(&printer_))
            throw PrinterError(QStringLiteral("Printer selected is not valid"));
        return painter_;
    }
    void newPage() override
    {
        if (!printer_.newPage())
            throw PrinterError(QStringLiteral("Printer selected is not valid"));
    }
    void endJob() override { painter_.end(); }
    void abortJob() override
    {
        printer_.abort();
        painter_.end();
    }
    QPrinter* qtPrinter() override { return &printer_; }

private:
    QPrinter printer_;
    QPainter painter_;
};

Printer* installed = nullptr;

} // namespace

std::unique_ptr<PrintTarget> makeQtPrintTarget()
{
    return std::make_unique<QtPrintTarget>();
}

Printer& printer()
{
    if (installed)
        return *installed;
    static Printer desktop(makeQtPrintTarget());
    return desktop;
}

void setPrinter(Printer* replacement)
{
    installed = replacement;
}

Printer::Printer(std::unique_ptr<PrintTarget> target)
    : target_(std::move(target))
{
}

Printer::~Printer()
{
    if (printing_)
        target_->abortJob();
}

void Printer::beginDoc(const QString& title)
{
    if (printing_)
        throw PrinterError(QStringLiteral("Printing in progress"));
    painter_ = &target_->beginJob(title);
    printing_ = true;
    aborted_ = false;
}

void Printer::endDoc()
{
    requirePrinting();
    printing_ = false;
    painter_ = nullptr;
    target_->endJob();
}

void Printer::abort()
{
    if (!printing_)
        return;
    printing_ = false;
    aborted_ = true;
    painter_ = nullptr;
    target_->abortJob();
}

void Printer::newPage()
{
    requirePrinting();
    target_->newPage();
}

QPainter& Printer::canvas()
{
    requirePrinting();
    return *painter_;
}

void Printer::requirePrinting() const
{
    if (!printing_)
        throw PrinterError::notPrinting();
}

void Printer::stretchDraw(const QRect& area, const QImage& picture)
{
    requirePrinting();
    if (picture.isNull() || area.isEmpty())
        return;
    constexpr int bandRows = 32;
    // Each band ends on the device row where the next one starts, so the bands meet without a seam.
    const auto deviceRow = [&](int row) {
        return area.top()
            + static_cast<int>((qint64 { row } * area.height() + picture.height() / 2) / picture.height());
    };
    for (int top = 0; top < picture.height(); top += bandRows) {
        const int bottom = std::min(top + bandRows, picture.height());
        const QRect band(area.left(), deviceRow(top), area.width(), deviceRow(bottom) - deviceRow(top));
        if (!band.isEmpty())
            painter_->drawImage(band, picture, QRect(0, top, picture.width(), bottom - top));
        QCoreApplication::processEvents();
        if (!printing_)
            return; // aborted while events were let through
    }
}

} // namespace platform
