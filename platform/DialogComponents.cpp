#include "platform/DialogComponents.h"

#include "platform/Printer.h"

namespace platform {

bool ColorDialog::execute()
{
    const std::optional<QColor> chosen = dialogs().chooseColor(color_);
    if (!chosen)
        return false;
    color_ = *chosen;
    return true;
}

bool FontDialog::execute()
{
    const std::optional<FontChoice> chosen = dialogs().chooseFont(font_);
    if (!chosen)
        return false;
    font_ = *chosen;
    return true;
}

bool PictureFileDialog::execute()
{
    const std::optional<QString> chosen
        = mode_ == Mode::Open ? dialogs().openPicture(options_) : dialogs().savePicture(options_);
    if (!chosen)
        return false;
    options_.fileName = *chosen;
    return true;
}

bool PrintDialog::execute()
{
    return dialogs().choosePrinter(printer());
}

} // namespace platform
