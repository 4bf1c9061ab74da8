#include "platform/Dialogs.h"

#include "platform/Application.h"
#include "platform/Printer.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace platform {

namespace {

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

std::optional<QString> runFileDialog(const FileDialogOptions& options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(dialogParent(), options.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!options.filter.isEmpty())
        dialog.setNameFilters(toQtFilter(options.filter).split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(options.defaultExtension);
    // A name typed without an extension takes that of the chosen file type, when it names one.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &options](const QString& filter) {
        const QStringList qtFilters = toQtFilter(options.filter).split(QStringLiteral(";;"));
        const QStringList parts = options.filter.split(u'|');
        const qsizetype pattern = 2 * qtFilters.indexOf(filter) + 1;
        const QString chosen = pattern > 0 && pattern < parts.size() ? parts.at(pattern) : QString();
        static const QRegularExpression oneExtension(QStringLiteral("^\\*\\.(\\w+)$"));
        const QRegularExpressionMatch match = oneExtension.match(chosen);
        dialog.setDefaultSuffix(match.hasMatch() ? match.captured(1) : options.defaultExtension);
    });
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

// Qt's font dialog offers no colour, so it is embedded beside a colour button.
std::optional<FontChoice> runFontDialog(const FontChoice& initial)
{
    QDialog dialog(dialogParent());
    dialog.setWindowTitle(QFontDialog::tr("Select Font"));
    auto* fonts = new QFontDialog(initial.font, &dialog);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);
    QColor color = initial.color;
    auto* colorButton = new QPushButton(QColorDialog::tr("Select Color"), &dialog);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        const QColor chosen = QColorDialog::getColor(color, &dialog);
        if (chosen.isValid())
            color = chosen;
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addWidget(colorButton);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FontChoice { fonts->currentFont(), color };
}

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

class DesktopDialogs : public DialogService {
public:
    void showMessage(const QString& caption, const QString& text, MessageIcon icon) override
    {
        QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::Ok, dialogParent());
        box.setTextFormat(Qt::PlainText); // the text may quote what the user typed
        box.exec();
    }
    bool askYesNo(const QString& caption, const QString& text, MessageIcon icon) override
    {
        QMessageBox box(toQtIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, dialogParent());
        box.setTextFormat(Qt::PlainText);
        return box.exec() == QMessageBox::Yes;
    }
    std::optional<QString> openFile(const FileDialogOptions& options) override
    {
        return runFileDialog(options, QFileDialog::AcceptOpen);
    }
    std::optional<QString> saveFile(const FileDialogOptions& options) override
    {
        return runFileDialog(options, QFileDialog::AcceptSave);
    }
    std::optional<QString> openPicture(const FileDialogOptions& options) override
    {
        return runFileDialog(options, QFileDialog::AcceptOpen);
    }
    std::optional<QString> savePicture(const FileDialogOptions& options) override
    {
        return runFileDialog(options, QFileDialog::AcceptSave);
    }
    std::optional<QColor> chooseColor(const QColor& initial) override
    {
        const QColor chosen = QColorDialog::getColor(initial, dialogParent());
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }
    std::optional<FontChoice> chooseFont(const FontChoice& initial) override { return runFontDialog(initial); }
    bool choosePrinter(Printer& printer) override
    {
        QPrinter* qtPrinter = printer.target().qtPrinter();
        if (!qtPrinter)
            return false;
        QPrintDialog dialog(qtPrinter, dialogParent());
        return dialog.exec() == QDialog::Accepted;
    }
};

DialogService* installed = nullptr;

} // namespace

DialogService& dialogs()
{
    if (installed)
        return *installed;
    static DesktopDialogs desktop;
    return desktop;
}

void setDialogService(DialogService* service)
{
    installed = service;
}

void showMessage(const QString& text)
{
    dialogs().showMessage(Application::title(), text, MessageIcon::None);
}

QString toQtFilter(const QString& filter)
{
    static const QRegularExpression separators(QStringLiteral("[;\\s]+"));
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        QStringList each = parts.at(i + 1).split(separators, Qt::SkipEmptyParts);
        // "*.*" matches every file on the original platform, names without a dot included.
        for (QString& pattern : each)
            if (pattern == u"*.*")
                pattern = QStringLiteral("*");
        const QString patterns = each.join(u' ');
        // Qt reads the patterns from the parentheses that end the description.
        if (description.endsWith(QStringLiteral("(%1)").arg(patterns)))
            entries << description;
        else
            entries << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    if (parts.size() % 2 == 1 && !parts.constLast().isEmpty())
        entries << parts.constLast();
    return entries.join(QStringLiteral(";;"));
}

} // namespace platform
