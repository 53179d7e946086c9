#pragma once
// Messages shown to the user. The engine never talks to windows: it hands the
// text to the installed MessageSink. The GUI installs one that shows message
// boxes; without one, messages go to standard error (the command-line tool).

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

// Box types and answers, with the values of the system's message box so the
// GUI sink can map them one to one.
namespace mb {
inline constexpr int kOk = 0x00;
inline constexpr int kOkCancel = 0x01;
inline constexpr int kYesNoCancel = 0x03;
inline constexpr int kYesNo = 0x04;
inline constexpr int kButtonMask = 0x0F;
inline constexpr int kIconStop = 0x10; // also "error"
inline constexpr int kIconQuestion = 0x20;
inline constexpr int kIconExclamation = 0x30;
inline constexpr int kIconInformation = 0x40;
inline constexpr int kIconMask = 0xF0;

inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
} // namespace mb

class MessageSink
{
public:
    virtual ~MessageSink() = default;
    // Shows `text` (Windows-1252 bytes, lines separated by '\n') and returns the
    // answer (mb::kIdOk, mb::kIdYes, ...). `id` is the string id the text came
    // from, or 0 for a text made up by the caller.
    virtual int show(int id, const std::string& text, int boxType) = 0;
};

// The sink used from now on; nullptr restores the default one. Returns the previous sink
// (nullptr when it was the default). The caller keeps ownership.
MessageSink* installMessageSink(MessageSink* sink);

// Writes the text to standard error (converted to UTF-8) and answers as if the
// first button had been pressed: OK for kOk/kOkCancel, Yes for kYesNo/kYesNoCancel.
class StderrMessageSink : public MessageSink
{
public:
    int show(int id, const std::string& text, int boxType) override;
};

// The answer the first button of `boxType` gives.
int defaultAnswer(int boxType);

// Shows the (translated) text of string `id`. With inserts, "%1".."%99" in the
// text are replaced as the system message formatter does (FormatInserts);
// without inserts the text is shown as it is.
int MessageById(int id, int boxType = mb::kOk);
int MessageById(int id, int boxType, std::initializer_list<std::string_view> inserts);

// Shows a text the caller has already made (e.g. from LoadText and FormatPrintf).
int ShowMessage(const std::string& text, int boxType = mb::kOk, int id = 0);

// A path as a text for a "%1" insert (Windows-1252 bytes).
std::string PathText(const std::filesystem::path& path);
