#include "platform/desktop/DefaultApplications.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>

namespace platform {

namespace {

QHash<QString, QStringList>* groupNamed(const QString& header, QHash<QString, QStringList>& defaults,
    QHash<QString, QStringList>& added, QHash<QString, QStringList>& removed)
{
    if (header == u"[Default Applications]")
        return &defaults;
    if (header == u"[Added Associations]")
        return &added;
    if (header == u"[Removed Associations]")
        return &removed;
    return nullptr;
}

QStringList lowerCased(QStringList names)
{
    for (QString& name : names)
        name = name.toLower();
    return names;
}

} // namespace

XdgFolders XdgFolders::ofEnvironment()
{
    XdgFolders folders;
    folders.config = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    folders.data = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& name : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        folders.desktopNames << name.toLower();
    return folders;
}

DesktopApplications::DesktopApplications(const XdgFolders& folders)
{
    // Desktop-specific lists before the common one in each folder; the config folders before the
    // data folders, whose lists are the older place for them.
    QStringList listFolders = folders.config;
    for (const QString& data : folders.data)
        listFolders << QDir(data).filePath(QStringLiteral("applications"));
    for (const QString& folder : listFolders) {
        for (const QString& desktop : folders.desktopNames)
            listFiles_ << QDir(folder).filePath(desktop + QStringLiteral("-mimeapps.list"));
        listFiles_ << QDir(folder).filePath(QStringLiteral("mimeapps.list"));
    }
    for (const QString& fileName : std::as_const(listFiles_)) {
        QFile file(fileName);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        Associations list;
        QHash<QString, QStringList>* group = nullptr;
        for (const QString& raw : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith(u'#'))
                continue;
            if (line.startsWith(u'[')) {
                group = groupNamed(line, list.defaults, list.added, list.removed);
                continue;
            }
            const qsizetype equals = line.indexOf(u'=');
            if (!group || equals <= 0)
                continue;
            QStringList ids = line.mid(equals + 1).split(u';', Qt::SkipEmptyParts);
            for (QString& id : ids)
                id = id.trimmed();
            (*group)[line.left(equals).trimmed().toLower()] << ids;
        }
        lists_.push_back(std::move(list));
    }

    // An entry in a more preferred folder hides one of the same id further down, even a hidden one.
    for (const QString& data : folders.data) {
        const QString applications = QDir(data).filePath(QStringLiteral("applications"));
        std::vector<DesktopEntry> found;
        QDirIterator it(applications, { QStringLiteral("*.desktop") }, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString fileName = it.next();
            const QString id = QDir(applications).relativeFilePath(fileName).replace(u'/', u'-');
            if (byId_.contains(id))
                continue;
            if (std::optional<DesktopEntry> entry = readDesktopEntry(fileName, id))
                found.push_back(std::move(*entry));
        }
        std::sort(found.begin(), found.end(), [](const DesktopEntry& a, const DesktopEntry& b) { return a.id < b.id; });
        for (DesktopEntry& entry : found) {
            if (byId_.contains(entry.id))
                continue;
            byId_.insert(entry.id, entries_.size());
            entries_.push_back(std::move(entry));
        }
    }
}

const DesktopEntry* DesktopApplications::startable(const QString& id) const
{
    const auto it = byId_.constFind(id);
    if (it == byId_.constEnd())
        return nullptr;
    const DesktopEntry& entry = entries_[*it];
    return entry.isStartable() ? &entry : nullptr;
}

std::optional<DesktopEntry> DesktopApplications::defaultForType(const QStringList& names) const
{
    const QStringList types = lowerCased(names);
    // A default that is no longer installed gives way to the next one named.
    for (const Associations& list : lists_)
        for (const QString& type : types)
            for (const QString& id : list.defaults.value(type))
                if (const DesktopEntry* entry = startable(id))
                    return *entry;

    // A removal in one list holds for the added associations of the lists after it and for the
    // types the entries name themselves.
    QSet<QString> removed;
    for (const Associations& list : lists_) {
        for (const QString& type : types)
            for (const QString& id : list.added.value(type))
                if (!removed.contains(id))
                    if (const DesktopEntry* entry = startable(id))
                        return *entry;
        for (const QString& type : types)
            for (const QString& id : list.removed.value(type))
                removed.insert(id);
    }
    for (const DesktopEntry& entry : entries_) {
        if (removed.contains(entry.id) || !entry.isStartable())
            continue;
        for (const QString& type : entry.mimeTypes)
            if (types.contains(type.toLower()))
                return entry;
    }
    return std::nullopt;
}

std::optional<DesktopEntry> DesktopApplications::defaultFor(const QMimeType& type) const
{
    if (!type.isValid())
        return std::nullopt;
    if (std::optional<DesktopEntry> entry = defaultForType(QStringList { type.name() } + type.aliases()))
        return entry;
    // Every file is a stream of bytes at bottom; a handler for those (a hex viewer) is no program
    // to start a file with.
    const QMimeDatabase database;
    for (const QString& ancestor : type.allAncestors()) {
        if (ancestor == u"application/octet-stream")
            continue;
        const QMimeType parent = database.mimeTypeForName(ancestor);
        QStringList names { ancestor };
        if (parent.isValid())
            names << parent.name() << parent.aliases();
        if (std::optional<DesktopEntry> entry = defaultForType(names))
            return entry;
    }
    return std::nullopt;
}

} // namespace platform
