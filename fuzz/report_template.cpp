// Reads arbitrary bytes as a report template and walks everything the report
// engine would reach: the parse must end in a tree or a CReportException, never
// in a crash, a hang or a runaway allocation.
#include "report/ReportTemplate.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void walk(const ReportContainer& container)
{
    for (const ReportNode& child : container.children) {
        if (child.kind != ReportElement::Group)
            continue;
        try {
            walk(child.content());
        } catch (const CReportException& error) {
            (void)reportErrorMessage(error);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const ReportTemplate report = ReportTemplate::parse(std::move(text));
        (void)report.outputExtension();
        walk(report.content());
    } catch (const CReportException& error) {
        (void)reportErrorMessage(error);
    }
    return 0;
}
