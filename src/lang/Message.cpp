#include "lang/Message.h"

#include "core/Cp1252.h"
#include "lang/StringTable.h"

#include <cstdio>

namespace {

MessageSink* g_sink = nullptr;

MessageSink& currentSink()
{
    static StderrMessageSink fallback;
    return g_sink ? *g_sink : fallback;
}

} // namespace

MessageSink* installMessageSink(MessageSink* sink)
{
    MessageSink* previous = g_sink;
    g_sink = sink;
    return previous;
}

int defaultAnswer(int boxType)
{
    switch (boxType & mb::kButtonMask) {
    case mb::kYesNo:
    case mb::kYesNoCancel:
        return mb::kIdYes;
    default:
        return mb::kIdOk;
    }
}

int StderrMessageSink::show(int /*id*/, const std::string& text, int boxType)
{
    const std::string utf8 = cp1252::toUtf8(text);
    std::fprintf(stderr, "%s\n", utf8.c_str());
    std::fflush(stderr);
    return defaultAnswer(boxType);
}

int ShowMessage(const std::string& text, int boxType, int id) { return currentSink().show(id, text, boxType); }

int MessageById(int id, int boxType) { return ShowMessage(LoadText(id), boxType, id); }

int MessageById(int id, int boxType, std::initializer_list<std::string_view> inserts)
{
    return ShowMessage(FormatInserts(LoadText(id), inserts), boxType, id);
}

std::string PathText(const std::filesystem::path& path) { return cp1252::fromUtf8(path.string()); }
