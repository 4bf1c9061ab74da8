#include "support/RecordingPrinter.h"

#include "platform/Errors.h"

namespace testing {

QPainter& RecordingPrintTarget::beginJob(const QString& title)
{
    if (failToStart) {
        failToStart = false;
        throw platform::PrinterError(QStringLiteral("Printer selected is not valid"));
    }
    ++started;
    titles << title;
    startPage();
    return painter_;
}

void RecordingPrintTarget::startPage()
{
    pages.append(QImage(pageSize, QImage::Format_RGB32));
    pages.last().fill(Qt::white);
    painter_.begin(&pages.last());
}

void RecordingPrintTarget::newPage()
{
    painter_.end();
    startPage();
}

void RecordingPrintTarget::endJob()
{
    painter_.end();
    ++ended;
}

void RecordingPrintTarget::abortJob()
{
    painter_.end();
    ++aborted;
}

RecordingPrinter::RecordingPrinter()
    : target_(new RecordingPrintTarget), printer_(std::unique_ptr<platform::PrintTarget>(target_))
{
    platform::setPrinter(&printer_);
}

RecordingPrinter::~RecordingPrinter()
{
    platform::setPrinter(nullptr);
}

} // namespace testing
