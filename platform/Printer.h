// The application's one printer object: begin a job, paint its pages, end or abort it. Where the
// pages go is a PrintTarget: Qt's printer on the desktop, a recording stand-in in tests.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <memory>

class QPainter;
class QPrinter;

namespace platform {

class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // Starts a job and returns the painter on its first page; throws PrinterError when it cannot.
    virtual QPainter& beginJob(const QString& title) = 0;
    virtual void newPage() = 0;
    virtual void endJob() = 0;
    // Abandons the job: nothing more of it reaches the printer.
    virtual void abortJob() = 0;
    // Qt's printer behind this target, for the print dialog; none for stand-ins.
    virtual QPrinter* qtPrinter() { return nullptr; }
};

class Printer {
public:
    explicit Printer(std::unique_ptr<PrintTarget> target);
    ~Printer();

    void beginDoc(const QString& title = QString());
    // Throws "Printer is not currently printing" when no job is open, also after an abort.
    void endDoc();
    // Ends the running job at once; does nothing when no job is open.
    void abort();
    void newPage();

    bool printing() const { return printing_; }
    bool aborted() const { return aborted_; }

    // The painter on the current page; only while printing.
    QPainter& canvas();

    // Draws `picture` stretched into `area` of the current page. The picture is handed over in
    // bands, and waiting window events are let through between them, so that an abort can reach
    // the job; drawing stops as soon as the job is aborted.
    void stretchDraw(const QRect& area, const QImage& picture);

    PrintTarget& target() { return *target_; }

private:
    void requirePrinting() const;

    std::unique_ptr<PrintTarget> target_;
    QPainter* painter_ = nullptr;
    bool printing_ = false;
    bool aborted_ = false;
};

// The application-wide printer (Qt's default printer unless a test installed another).
Printer& printer();
// Installs `replacement` (not owned); nullptr restores the desktop printer.
void setPrinter(Printer* replacement);

// The desktop target: Qt's printer, in high resolution.
std::unique_ptr<PrintTarget> makeQtPrintTarget();

} // namespace platform
