// A print target for tests: each page is painted into an image, and the jobs that were started,
// ended and aborted are counted. Installing a RecordingPrinter makes it the application's printer.
#pragma once

#include "platform/Printer.h"

#include <QImage>
#include <QList>
#include <QPainter>

namespace testing {

class RecordingPrintTarget : public platform::PrintTarget {
public:
    // The page in device pixels: A4 at 100 dots per inch.
    static constexpr QSize pageSize{827, 1169};

    QPainter& beginJob(const QString& title) override;
    void newPage() override;
    void endJob() override;
    void abortJob() override;

    bool failToStart = false; // makes the next beginJob throw, as a missing printer does
    int started = 0;
    int ended = 0;
    int aborted = 0;
    QStringList titles;
    // Pages of finished jobs, and of the running one.
    QList<QImage> pages;

private:
    void startPage();
    QPainter painter_;
};

class RecordingPrinter {
public:
    RecordingPrinter();
    ~RecordingPrinter();
    platform::Printer& printer() { return printer_; }
    RecordingPrintTarget& target() { return *target_; }

private:
    RecordingPrintTarget* target_;
    platform::Printer printer_;
};

} // namespace testing
