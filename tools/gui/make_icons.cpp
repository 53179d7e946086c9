// make_icons DIR SIZE...: writes the program's icon, as the window draws it, as
// DIR/SIZExSIZE/apps/org.quantorix.Quantorix.png for each size (the hicolor
// icon theme's layout) for the desktop entry of the installed program.

#include "app/ProgramIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: make_icons DIR SIZE...\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        if (size <= 0 || !QDir().mkpath(folder)
            || !programPixmap(size).save(folder + QStringLiteral("/org.quantorix.Quantorix.png"), "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write the %s icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
