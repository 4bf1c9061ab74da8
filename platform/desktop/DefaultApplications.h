// Which application the desktop opens a type of file with, read from the XDG folders: the
// mimeapps.list files (defaults, added and removed associations) and the MimeType keys of the
// desktop entries, in the order the freedesktop association rules give them. It only reads.
#pragma once

#include "platform/desktop/DesktopEntry.h"

#include <QHash>
#include <QStringList>
#include <optional>
#include <vector>

class QMimeType;

namespace platform {

struct XdgFolders {
    QStringList config; // XDG_CONFIG_HOME, then each of XDG_CONFIG_DIRS
    QStringList data; // XDG_DATA_HOME, then each of XDG_DATA_DIRS
    QStringList desktopNames; // XDG_CURRENT_DESKTOP, lower-cased, in its order

    static XdgFolders ofEnvironment();
};

class DesktopApplications {
public:
    explicit DesktopApplications(const XdgFolders& folders);

    // The default application for a type known by any of `names` (its name and its aliases),
    // without looking at the types it derives from.
    std::optional<DesktopEntry> defaultForType(const QStringList& names) const;

    // The default application for files of `type` or, when it has none, of the nearest type it is
    // a kind of, "application/octet-stream" left out.
    std::optional<DesktopEntry> defaultFor(const QMimeType& type) const;

    // The mimeapps.list files read, most preferred first.
    QStringList associationFiles() const { return listFiles_; }

private:
    struct Associations {
        QHash<QString, QStringList> defaults, added, removed; // keyed by lower-case type
    };

    const DesktopEntry* startable(const QString& id) const;

    QStringList listFiles_;
    std::vector<Associations> lists_;
    std::vector<DesktopEntry> entries_; // folder by folder in precedence order, each by id
    QHash<QString, std::size_t> byId_;
};

} // namespace platform
