#include "platform/desktop/DesktopEntry.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

// The escapes of a string value: \s \n \t \r \\; any other backslash stays as it is.
QString unescapeValue(const QString& value)
{
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            result += value[i];
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case u's': result += u' '; break;
        case u'n': result += u'\n'; break;
        case u't': result += u'\t'; break;
        case u'r': result += u'\r'; break;
        case u'\\': result += u'\\'; break;
        default: result += u'\\'; result += next;
        }
    }
    return result;
}

// A list value: items end at unescaped ";", and "\;" is a semicolon inside an item.
QStringList listValue(const QString& value)
{
    QStringList items;
    QString item;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size() && value[i + 1] == u';') {
            item += u';';
            ++i;
        } else if (value[i] == u';') {
            items << unescapeValue(item);
            item.clear();
        } else {
            item += value[i];
        }
    }
    if (!item.isEmpty())
        items << unescapeValue(item);
    items.removeAll(QString());
    return items;
}

bool booleanValue(const QString& value)
{
    return value.trimmed() == u"true";
}

} // namespace

bool DesktopEntry::isStartable() const
{
    if (type != u"Application" || hidden || exec.trimmed().isEmpty())
        return false;
    return tryExec.isEmpty() || !findProgram(tryExec).isEmpty();
}

std::optional<DesktopEntry> parseDesktopEntry(const QString& text)
{
    DesktopEntry entry;
    bool inGroup = false;
    bool seenGroup = false;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            // Only the first group of that name counts; the file's actions come after it.
            if (inGroup)
                break;
            inGroup = line == u"[Desktop Entry]";
            seenGroup = seenGroup || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == u"Type")
            entry.type = unescapeValue(value);
        else if (key == u"Name")
            entry.name = unescapeValue(value);
        else if (key == u"Icon")
            entry.icon = unescapeValue(value);
        else if (key == u"Exec")
            entry.exec = unescapeValue(value);
        else if (key == u"TryExec")
            entry.tryExec = unescapeValue(value);
        else if (key == u"MimeType")
            entry.mimeTypes = listValue(value);
        else if (key == u"Hidden")
            entry.hidden = booleanValue(value);
    }
    if (!seenGroup)
        return std::nullopt;
    return entry;
}

std::optional<DesktopEntry> readDesktopEntry(const QString& fileName, const QString& id)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<DesktopEntry> entry = parseDesktopEntry(QString::fromUtf8(file.readAll()));
    if (entry) {
        entry->id = id;
        entry->fileName = fileName;
    }
    return entry;
}

std::optional<QStringList> splitExec(const QString& exec)
{
    // Double quotes with their backslash escapes as the entry format has them; single quotes and
    // backslashes outside quotes as a shell reads them, because desktops accept those too.
    QStringList arguments;
    QString argument;
    bool inArgument = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArgument)
                arguments << argument;
            argument.clear();
            inArgument = false;
        } else if (c == u'"') {
            inArgument = true;
            for (++i;; ++i) {
                if (i >= exec.size())
                    return std::nullopt;
                if (exec[i] == u'"')
                    break;
                if (exec[i] == u'\\' && i + 1 < exec.size() && QStringView(u"\"`$\\").contains(exec[i + 1]))
                    ++i;
                argument += exec[i];
            }
        } else if (c == u'\'') {
            inArgument = true;
            const qsizetype end = exec.indexOf(u'\'', i + 1);
            if (end < 0)
                return std::nullopt;
            argument += exec.mid(i + 1, end - i - 1);
            i = end;
        } else if (c == u'\\' && i + 1 < exec.size()) {
            inArgument = true;
            argument += exec[++i];
        } else {
            inArgument = true;
            argument += c;
        }
    }
    if (inArgument)
        arguments << argument;
    return arguments;
}

std::optional<QStringList> commandForFile(const DesktopEntry& entry, const QString& file, const QStringList& parameters)
{
    const std::optional<QStringList> arguments = splitExec(entry.exec);
    if (!arguments || arguments->isEmpty())
        return std::nullopt;
    const QString url = QString::fromUtf8(QUrl::fromLocalFile(file).toEncoded());
    QStringList command;
    bool fileGiven = false;
    for (const QString& argument : *arguments) {
        if (argument == u"%i") {
            if (!entry.icon.isEmpty())
                command << QStringLiteral("--icon") << entry.icon;
            continue;
        }
        QString expanded;
        bool onlyDropped = true;
        for (qsizetype i = 0; i < argument.size(); ++i) {
            if (argument[i] != u'%' || i + 1 == argument.size()) {
                expanded += argument[i];
                onlyDropped = false;
                continue;
            }
            const QChar code = argument[++i];
            switch (code.unicode()) {
            // A command takes the file once; a second file code has nothing left to take.
            case u'f':
            case u'F':
                if (!fileGiven) {
                    expanded += file;
                    onlyDropped = false;
                }
                fileGiven = true;
                break;
            case u'u':
            case u'U':
                if (!fileGiven) {
                    expanded += url;
                    onlyDropped = false;
                }
                fileGiven = true;
                break;
            case u'c':
                expanded += entry.name;
                onlyDropped = false;
                break;
            case u'k':
                expanded += entry.fileName;
                onlyDropped = false;
                break;
            case u'%':
                expanded += u'%';
                onlyDropped = false;
                break;
            default: break; // the deprecated codes and unknown ones are dropped
            }
        }
        if (!onlyDropped || argument.isEmpty())
            command << expanded;
    }
    if (command.isEmpty() || command.first().isEmpty())
        return std::nullopt;
    // An application registered for a type but with no file code is still handed the file.
    if (!fileGiven)
        command << file;
    command << parameters;
    return command;
}

QString findProgram(const QString& program)
{
    if (program.isEmpty())
        return {};
    if (!program.contains(u'/'))
        return QStandardPaths::findExecutable(program);
    const QFileInfo info(program);
    return info.isFile() && info.isExecutable() && info.isAbsolute() ? program : QString();
}

} // namespace platform
