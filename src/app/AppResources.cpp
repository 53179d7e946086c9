#include "app/AppResources.h"

#include "lang/Resources.h"

#include <string_view>

namespace {

constexpr std::string_view kResourceText =
#include "app/AppResources.inc"
    ;

} // namespace

void appres::registerResources()
{
    static const bool registered = [] {
        ResourceSet set;
        parseResourceText(kResourceText, set); // checked by the tests
        ResourceRegistry::global().add(set);
        return true;
    }();
    (void)registered;
}
