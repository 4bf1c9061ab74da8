#include "support/DiscImages.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtDebug>

namespace testing {

namespace {

bool run(const QString& program, const QStringList& arguments)
{
    if (program.isEmpty())
        return false;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning() << program << arguments << process.readAllStandardError();
        return false;
    }
    return true;
}

} // namespace

QString systemTool(const QString& name)
{
    const QString path = QStandardPaths::findExecutable(name);
    return path.isEmpty()
        ? QStandardPaths::findExecutable(name, { QStringLiteral("/usr/sbin"), QStringLiteral("/sbin") })
        : path;
}

QString makeIsoImage(const QString& tree, const QString& image, const QString& volumeName, bool joliet)
{
    QStringList arguments { QStringLiteral("-as"), QStringLiteral("mkisofs"), QStringLiteral("-V"), volumeName };
    if (joliet)
        arguments << QStringLiteral("-J");
    arguments << QStringLiteral("-o") << image << tree;
    return run(systemTool(QStringLiteral("xorriso")), arguments) ? image : QString();
}

QString makeFatImage(const QTemporaryDir& dir, int bits, const QString& volumeId)
{
    const QString image = dir.filePath(QStringLiteral("fat%1-%2.img").arg(bits).arg(volumeId));
    const QString kilobytes = bits == 12 ? QStringLiteral("1440")
        : bits == 16                     ? QStringLiteral("20480")
                                         : QStringLiteral("40960");
    const bool made = run(systemTool(QStringLiteral("mkfs.fat")),
        { QStringLiteral("-C"), QStringLiteral("-F"), QString::number(bits), QStringLiteral("-i"), volumeId, image,
            kilobytes });
    return made ? image : QString();
}

quint32 isoSerialOfBytes(const QByteArray& image, int* chosenType)
{
    QByteArray chosen;
    int highest = -1;
    for (qsizetype offset = 16 * 2048; offset + 2048 <= image.size(); offset += 2048) {
        const QByteArray sector = image.mid(offset, 2048);
        const int type = static_cast<unsigned char>(sector[0]);
        if (type == 255)
            break;
        if (type > highest) {
            highest = type;
            chosen = sector;
        }
    }
    unsigned lanes[4] = { 0, 0, 0, 0 };
    for (qsizetype i = 0; i < chosen.size(); ++i)
        lanes[i % 4] = (lanes[i % 4] + static_cast<unsigned char>(chosen[i])) % 256;
    if (chosenType)
        *chosenType = highest;
    return lanes[0] << 24 | lanes[1] << 16 | lanes[2] << 8 | lanes[3];
}

QByteArray fileBytes(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace testing
