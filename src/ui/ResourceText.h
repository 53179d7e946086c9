#pragma once
// Window code's dialog templates come as resource text (a folder's "*.qxr",
// compiled in as "<folder>/Resources.inc"); this adds such a text to the
// program's resource registry the first time it is asked for.

#include <string_view>

void registerResourceTextOnce(std::string_view text);
