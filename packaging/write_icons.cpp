// Writes a program's icons for the desktop's hicolor theme at build time, from the drawing the
// program uses for its window icon: a PNG at each of the theme's sizes and a scalable SVG.
//   write_icons kavrino|ztr_search <icon name> <theme folder>
// A build tool only; it is not installed.
#include "kavrino/TurtlePictures.h"
#include "platform/ProgramIcon.h"
#include "ztr_search/CatalogueIcon.h"

#include <QDir>
#include <QFont>
#include <QCoreApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

namespace {

bool writeSvg(platform::IconPainting painting, const QString& fileName, const QString& title)
{
    QSvgGenerator svg;
    svg.setFileName(fileName);
    svg.setSize(QSize(platform::iconGrid, platform::iconGrid));
    svg.setViewBox(QRect(0, 0, platform::iconGrid, platform::iconGrid));
    svg.setTitle(title);
    svg.setDescription(QStringLiteral("Drawn by the program's own code"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The icon holds no text, but the generator writes the painter's font into every group, and
    // without a font of its own that is an invalid size.
    painter.setFont(QFont(QStringLiteral("sans-serif"), 8));
    painting(painter);
    return painter.end();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: write_icons kavrino|ztr_search <icon name> <theme folder>\n");
        return 2;
    }
    const QString program = arguments.at(1);
    const QString iconName = arguments.at(2);
    const QDir theme(arguments.at(3));
    platform::IconPainting painting = nullptr;
    if (program == QLatin1String("kavrino"))
        painting = kavrino::paintTurtleIcon;
    else if (program == QLatin1String("ztr_search"))
        painting = paintCatalogueIcon;
    else {
        std::fprintf(stderr, "write_icons: no icon is drawn for %s\n", qPrintable(program));
        return 2;
    }

    for (int size : platform::iconSizes()) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = theme.filePath(folder + u'/' + iconName + QStringLiteral(".png"));
        if (!theme.mkpath(folder) || !platform::paintIcon(painting, size).save(file, "PNG")) {
            std::fprintf(stderr, "write_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    const QString svgFile = theme.filePath(QStringLiteral("scalable/apps/") + iconName + QStringLiteral(".svg"));
    if (!theme.mkpath(QStringLiteral("scalable/apps")) || !writeSvg(painting, svgFile, iconName)) {
        std::fprintf(stderr, "write_icons: cannot write %s\n", qPrintable(svgFile));
        return 1;
    }
    return 0;
}
