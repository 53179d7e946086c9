#include "report/ReportSegment.h"

#include <algorithm>

namespace {

std::string literalText(std::string_view stretch)
{
    std::string literal;
    std::size_t pos = 0;
    while (auto text = findElement(stretch, pos, ReportElement::Text, true)) {
        literal += text->inner;
        pos = text->end;
    }
    return literal;
}

ReportField fieldOf(const ReportAttributes& attributes)
{
    ReportField field;
    field.field = lookupField(attributes[ReportAttr::Field], reportfield::kLastVarField);
    field.width = std::clamp(attributes.number(ReportAttr::Width), 0, kMaxFieldWidth);
    field.align = lookupAlign(attributes[ReportAttr::Align]);
    field.zeroFill = attributes.number(ReportAttr::ZeroFill) != 0 ? 1 : 0;
    field.modifier = lookupModifier(attributes[ReportAttr::Modifier]);
    return field;
}

} // namespace

ReportSegment compileSegment(std::string_view stretch)
{
    ReportSegment segment;
    segment.pieces.clear();
    std::size_t pos = 0;
    while (auto var = findElement(stretch, pos, ReportElement::Var, false)) {
        segment.pieces.push_back(literalText(stretch.substr(pos, var->begin - pos)));
        segment.fields.push_back(fieldOf(var->attributes));
        pos = var->end;
    }
    segment.pieces.push_back(literalText(stretch.substr(pos)));
    return segment;
}
