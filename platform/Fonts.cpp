#include "platform/Fonts.h"

#include <QStringList>
#include <cmath>

namespace platform {

QStringList substituteFaces(const QString& face)
{
    if (face.compare(u"MS Sans Serif", Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    if (face.compare(u"Fixedsys", Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Terminus"), QStringLiteral("DejaVu Sans Mono")};
    if (face.compare(u"Times New Roman", Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")};
    return {face};
}

QFont fontWithPixelHeight(const QString& face, int pixels)
{
    QFont font;
    font.setFamilies(substituteFaces(face));
    font.setPixelSize(pixels);
    if (face.compare(u"Fixedsys", Qt::CaseInsensitive) == 0)
        font.setBold(true); // the original face is a heavy bitmap font
    return font;
}

int pixelsForPoints(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

QFont fontWithPoints(const QString& face, int points)
{
    return fontWithPixelHeight(face, pixelsForPoints(points));
}

QFont defaultWindowFont()
{
    return fontWithPoints(QStringLiteral("MS Sans Serif"), 8);
}

} // namespace platform
