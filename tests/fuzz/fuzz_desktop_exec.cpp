// Arbitrary text as a desktop entry's Exec value: splitting and expanding never crash; arguments
// quoted the way the entry format quotes them split back into the same arguments; and a command
// with no field code gets the file after its own arguments.
#include "platform/desktop/DesktopEntry.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const std::optional<QStringList> split = platform::splitExec(text);
    platform::DesktopEntry entry;
    entry.exec = text;
    const std::optional<QStringList> command = platform::commandForFile(entry, QStringLiteral("/f"));
    if (command && !split)
        std::abort();
    if (split && !split->isEmpty() && !split->first().isEmpty() && !text.contains(u'%')) {
        if (!command || *command != *split + QStringList { QStringLiteral("/f") })
            std::abort();
    }

    // Each line of the input as one argument, quoted.
    const QStringList arguments = text.split(u'\n');
    QStringList quoted;
    for (const QString& argument : arguments) {
        QString one = QStringLiteral("\"");
        for (const QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                one += u'\\';
            one += c;
        }
        quoted << one + u'"';
    }
    const std::optional<QStringList> back = platform::splitExec(quoted.join(u' '));
    if (!back || *back != arguments)
        std::abort();
    return 0;
}
