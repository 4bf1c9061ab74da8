// The catalogue's icon, drawn in code: a cover disc under a magnifying glass. It is the window
// icon and, written out at build time, the icon of the desktop's menu entry.
#pragma once

#include <QIcon>

class QPainter;

// Paints the icon in a box of platform::iconGrid units.
void paintCatalogueIcon(QPainter& painter);
QIcon catalogueIcon();
