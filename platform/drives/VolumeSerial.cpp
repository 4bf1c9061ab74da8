#include "platform/drives/VolumeSerial.h"

#include "platform/drives/Drives.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr qint64 isoSectorSize = 2048;
constexpr qint64 firstIsoDescriptor = 16;
// A disc has a handful of volume descriptors; a longer run is no disc worth reading on.
constexpr int mostIsoDescriptors = 64;
constexpr unsigned char isoTerminator = 255;
constexpr qint64 bootSectorSize = 512;

using IsoSector = std::array<unsigned char, isoSectorSize>;
using BootSector = std::array<unsigned char, bootSectorSize>;

// A medium opened for reading at given offsets; never a FIFO or a terminal that could block.
class Medium {
public:
    explicit Medium(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        fd_ = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        struct stat status { };
        if (fd_ >= 0 && (::fstat(fd_, &status) != 0 || !(S_ISREG(status.st_mode) || S_ISBLK(status.st_mode)))) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Medium()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // Fills `buffer` from `offset`; false unless every byte was read.
    template <std::size_t size> bool read(qint64 offset, std::array<unsigned char, size>& buffer) const
    {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got = ::pread(fd_, buffer.data() + done, size - done, static_cast<off_t>(offset) + done);
            if (got <= 0)
                return false;
            done += static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int fd_ = -1;
};

quint32 littleEndian32(const unsigned char* bytes)
{
    return quint32(bytes[0]) | quint32(bytes[1]) << 8 | quint32(bytes[2]) << 16 | quint32(bytes[3]) << 24;
}

unsigned littleEndian16(const unsigned char* bytes)
{
    return unsigned(bytes[0]) | unsigned(bytes[1]) << 8;
}

// The descriptor of the highest type before the set terminator, its bytes summed in four
// interleaved lanes with 8-bit wrap-around, lane 0 the most significant.
std::optional<quint32> isoSerial(const Medium& medium)
{
    IsoSector sector {};
    IsoSector chosen {};
    int chosenType = -1;
    for (int i = 0; i < mostIsoDescriptors; ++i) {
        if (!medium.read((firstIsoDescriptor + i) * isoSectorSize, sector))
            return std::nullopt;
        if (std::memcmp(sector.data() + 1, "CD001", 5) != 0)
            return std::nullopt;
        if (sector[0] == isoTerminator) {
            if (chosenType < 0)
                return std::nullopt;
            std::array<unsigned char, 4> lanes {};
            for (std::size_t byte = 0; byte < chosen.size(); ++byte)
                lanes[byte % 4] = static_cast<unsigned char>(lanes[byte % 4] + chosen[byte]);
            return quint32(lanes[0]) << 24 | quint32(lanes[1]) << 16 | quint32(lanes[2]) << 8 | quint32(lanes[3]);
        }
        if (sector[0] > chosenType) {
            chosenType = sector[0];
            chosen = sector;
        }
    }
    return std::nullopt;
}

// The serial in the extended boot record of a FAT boot sector. FAT32 is told apart by its
// 16-bit sectors-per-FAT field being 0.
std::optional<quint32> fatSerial(const Medium& medium)
{
    BootSector boot {};
    if (!medium.read(0, boot))
        return std::nullopt;
    const bool jump = boot[0] == 0xE9 || boot[0] == 0xEB;
    const unsigned bytesPerSector = littleEndian16(&boot[0x0B]);
    const unsigned sectorsPerCluster = boot[0x0D];
    const unsigned reservedSectors = littleEndian16(&boot[0x0E]);
    const unsigned fatCount = boot[0x10];
    const bool sectorSizeValid
        = bytesPerSector == 512 || bytesPerSector == 1024 || bytesPerSector == 2048 || bytesPerSector == 4096;
    const bool clusterValid = sectorsPerCluster != 0 && (sectorsPerCluster & (sectorsPerCluster - 1)) == 0;
    if (!jump || !sectorSizeValid || !clusterValid || reservedSectors == 0 || fatCount == 0)
        return std::nullopt;
    const bool fat32 = littleEndian16(&boot[0x16]) == 0;
    const std::size_t signature = fat32 ? 0x42 : 0x26;
    // Only an extended boot record carries a serial.
    if (boot[signature] != 0x29 && boot[signature] != 0x28)
        return std::nullopt;
    return littleEndian32(&boot[signature + 1]);
}

QString mountInfoText()
{
    QFile file(QStringLiteral("/proc/self/mountinfo"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

} // namespace

std::optional<quint32> volumeSerialOfMedium(const QString& medium)
{
    const Medium opened(medium);
    if (!opened.isOpen())
        return std::nullopt;
    if (const std::optional<quint32> serial = isoSerial(opened))
        return serial;
    return fatSerial(opened);
}

std::optional<quint32> volumeSerial(const DriveMap& drives, const QString& path)
{
    if (path.size() < 3 || path[1] != u':' || path[2] != u'\\')
        return std::nullopt;
    const std::optional<Drive> drive = drives.drive(path[0]);
    if (!drive)
        return std::nullopt;
    QString medium = drive->medium;
    if (medium.isEmpty() && !drive->root.isEmpty()) {
        const QString canonical = QFileInfo(drive->root).canonicalFilePath();
        const QString folder = canonical.isEmpty() ? drive->root : canonical;
        medium = DriveMap::mediumOfMountSource(DriveMap::mountSourceOf(folder, mountInfoText()));
    }
    if (medium.isEmpty())
        return std::nullopt;
    return volumeSerialOfMedium(medium);
}

} // namespace platform
