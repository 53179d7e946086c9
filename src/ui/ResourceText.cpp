#include "ui/ResourceText.h"

#include "lang/Resources.h"

#include <set>

void registerResourceTextOnce(std::string_view text)
{
    static std::set<const char*> registered;
    if (!registered.insert(text.data()).second)
        return;
    ResourceSet set;
    parseResourceText(text, set); // checked by the tests
    ResourceRegistry::global().add(set);
}
