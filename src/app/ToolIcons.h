#pragma once
// The toolbar's icons: the desktop's icon theme under the freedesktop names,
// else the program's own set (the style's standard pixmaps, and a drawn help
// icon). Every icon gets a disabled look of its own, grey and faint, so that a
// button that cannot be used now is told apart at a glance.

#include <QIcon>
#include <QStyle>

struct ToolIcon
{
    const char* themeName;           // freedesktop icon name
    QStyle::StandardPixmap fallback; // the program's own, when the theme has none
};

// `drawHelp`: the fallback is the program's help icon, not the style's.
QIcon toolIcon(const ToolIcon& icon, const QStyle& style, bool drawHelp = false);

// The disabled look of a pixmap: grey, at a third of its opacity.
QPixmap disabledLook(const QPixmap& pixmap);
