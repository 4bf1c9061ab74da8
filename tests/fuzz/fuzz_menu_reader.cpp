// Arbitrary bytes as a menu file: reading either format never crashes, and on small files it gives
// exactly what the step-by-step reading of the tests gives, entries, leftovers and faults alike.
#include "platform/TextFile.h"
#include "support/LiteralMenuReader.h"
#include "ztr_search/MenuReader.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

using testing::LiteralMenuRead;

LiteralMenuRead readWith(std::vector<MenuEntry> (*reader)(QStringList&), QStringList lines)
{
    LiteralMenuRead read;
    try {
        for (const MenuEntry& entry : reader(lines))
            read.rows << QStringList { entry.title, entry.description, entry.installer, entry.requirements };
        read.remaining = lines;
    } catch (const MenuFormatError& error) {
        switch (error.fault) {
        case MenuFormatError::Fault::MissingKeyLine: read.outcome = LiteralMenuRead::Outcome::MissingKeyLine; break;
        case MenuFormatError::Fault::MissingTitleLine: read.outcome = LiteralMenuRead::Outcome::MissingTitleLine; break;
        case MenuFormatError::Fault::NothingAfterLine: read.outcome = LiteralMenuRead::Outcome::NothingAfterLine; break;
        }
        read.key = error.key;
        read.entry = error.entry;
    }
    return read;
}

// The step-by-step reading is quadratic; beyond this it would slow the fuzzing down.
constexpr std::size_t largestCompared = 2048;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text
        = platform::decodeText(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const MenuText file(text);
    const QStringList& lines = file.lines();
    const LiteralMenuRead braced = readWith(readBracedFormat, lines);
    const LiteralMenuRead section = readWith(readSectionFormat, lines);
    if (size > largestCompared)
        return 0;
    if (lines != testing::literalMenuLines(text))
        std::abort();
    if (!(braced == testing::literalReadBraced(lines)) || !(section == testing::literalReadSection(lines)))
        std::abort();
    QString cut = text;
    QString literalCut = text;
    if (cutBracedValue(cut) != testing::literalCutBracedValue(literalCut) || cut != literalCut)
        std::abort();
    return 0;
}
