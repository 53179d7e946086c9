#pragma once
// The program's icon and the About box's picture, drawn rather than shipped.

#include <QIcon>
#include <QPixmap>

QPixmap programPixmap(int size);
QIcon programIcon();
