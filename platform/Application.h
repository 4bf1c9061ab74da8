// The application object: its title and help file, the windows it creates in order (the first
// is the main window), the message loop and the request to terminate. One per program.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

namespace platform {

class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The title on the task bar and the caption of message boxes.
    static void setTitle(const QString& title);
    static QString title();

    static void setHelpFile(const QString& fileName);
    static QString helpFile();

    // Creates a window of type Form; the first window created becomes the main window.
    template <typename Form>
    void createForm(Form*& instance)
    {
        instance = new Form();
        adopt(instance);
    }

    QWidget* mainForm() const;

    // Shows the main window and runs the message loop until the application terminates.
    int run();

    // Closes every window and ends the message loop once the running handler has returned.
    static void terminate();

private:
    void adopt(QWidget* form);

    std::vector<QWidget*> forms_;
};

} // namespace platform
