#include "platform/Help.h"

#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/Forms.h"
#include "platform/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QWidget>

namespace platform {

namespace {

const char* const helpWindowName = "platformHelpWindow";

} // namespace

QString helpFilePath(const QString& fileName)
{
    if (QFileInfo(fileName).isAbsolute() || fileName.contains(u'/'))
        return fileName;
    return QDir(programFolder(ProgramFolder::Data)).filePath(fileName);
}

QTextBrowser* helpWindow(QWidget* owner)
{
    return owner ? owner->findChild<QTextBrowser*>(QLatin1String(helpWindowName), Qt::FindDirectChildrenOnly) : nullptr;
}

void showHelpContents(QWidget* owner, const QString& fileName)
{
    const QString path = helpFilePath(fileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw HelpFileError(path);
    const QString text = QString::fromUtf8(file.readAll());

    QTextBrowser* window = helpWindow(owner);
    if (!window) {
        // A child of its owner, so that it closes and goes with the program's main window.
        window = new QTextBrowser(owner);
        window->setObjectName(QLatin1String(helpWindowName));
        window->setWindowFlags(Qt::Window);
        window->setOpenExternalLinks(true);
        window->setFont(fontWithPoints(QStringLiteral("MS Sans Serif"), 10));
        window->resize(560, 480);
    }
    window->setSearchPaths({ QFileInfo(path).absolutePath() });
    window->setHtml(text);
    const QString title = window->documentTitle();
    window->setWindowTitle(title.isEmpty() ? QFileInfo(path).completeBaseName() : title);
    showForm(window);
}

} // namespace platform
