#include "textfile/TextTableFile.h"

#include "lang/StringTable.h"
#include "prefs/ProfileText.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

bool isWhite(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view trimRight(std::string_view s)
{
    while (!s.empty() && isWhite(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view trimBoth(std::string_view s)
{
    while (!s.empty() && isWhite(s.front()))
        s.remove_prefix(1);
    return trimRight(s);
}

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

} // namespace

TextTableFile::TextTableFile(TextTableMode mode)
    : m_mode(mode)
{ }

TextTableFile::~TextTableFile() { closeFile(); }

void TextTableFile::loadOptions(const IniProfile& ini, std::string_view section, int fieldCount, int firstTitleId)
{
    m_options.load(ini, section, fieldCount);
    if (firstTitleId != 0) {
        m_titles.clear();
        for (int i = 0; i < fieldCount; ++i)
            m_titles.push_back(LoadText(firstTitleId + i));
    }
    m_titles.resize(static_cast<std::size_t>(std::max(fieldCount, 0)));
}

void TextTableFile::prepareLayout()
{
    m_separator = m_options.separatorChar();
    m_activeCount = m_options.activeCount();
    m_trimAll = m_options.trim || (m_mode == TextTableMode::Import && m_options.fixedWidth());
    m_fieldActive.assign(m_options.positions.size(), false);
    for (const TextTablePosition& p : m_options.positions) {
        if (p.field >= 0 && static_cast<std::size_t>(p.field) < m_fieldActive.size())
            m_fieldActive[static_cast<std::size_t>(p.field)] = p.active;
    }
}

TextTableFile::OpenResult TextTableFile::open(const std::filesystem::path& path)
{
    closeFile();
    prepareLayout();
    m_path = path;
    m_ioFailed = false;
    m_buffer.clear();
    m_bufferPos = 0;
    m_readPos = kNoPosition;
    m_current = kNoPosition;

    if (m_mode == TextTableMode::Export) {
        if (!m_save.open(path))
            return OpenResult::CannotOpen;
        m_buffer.reserve(kBufferSize + 4096);
        if (m_options.firstLineIsHeader) {
            beginLine();
            for (int field = nextField(); field != kEndOfLine; field = nextField()) {
                const std::size_t title = static_cast<std::size_t>(field);
                writeField(title < m_titles.size() ? std::string_view(m_titles[title]) : std::string_view(), true);
            }
            endLine();
        }
    } else {
        m_lineTooLong = false;
        if (m_input.open(path) != InputFile::Status::Ok)
            return OpenResult::CannotOpen;
        if (m_options.firstLineIsHeader)
            readLine();
    }
    m_counters = {};
    return OpenResult::Ok;
}

bool TextTableFile::openWithOptions(IniProfile& ini, std::string_view section, int fieldCount, int firstTitleId,
                                    TextTableFrontEnd& frontEnd)
{
    loadOptions(ini, section, fieldCount, firstTitleId);
    std::filesystem::path path;
    if (m_mode == TextTableMode::Import) {
        const std::filesystem::path suggested = m_options.file.empty() ? ini.path().parent_path() / "Import" / ""
                                                                       : std::filesystem::path(m_options.file);
        path = frontEnd.chooseFile(m_mode, suggested);
        if (path.empty())
            return false;
    }
    if (!frontEnd.editOptions(*this))
        return false;
    m_options.confirm(m_mode);
    saveOptions(ini, section);
    if (m_options.activeCount() == 0)
        return false;
    if (m_mode == TextTableMode::Export) {
        path = frontEnd.chooseFile(m_mode, m_options.file);
        if (path.empty())
            return false;
    }
    m_options.file = path.string();
    profiletext::write(ini, section, "File", m_options.file);
    if (open(path) != OpenResult::Ok) {
        frontEnd.showError(openErrorText(path));
        return false;
    }
    return true;
}

std::string TextTableFile::fileTypeFilter(TextTableMode mode)
{
    std::string filter;
    auto add = [&](int id, const char* extension) {
        filter += FormatPrintf("%s (*%s)|*%s|", {LoadText(id), extension, extension});
    };
    add(sid::kFileTypeCsv, ".csv");
    add(sid::kFileTypeText, ".txt");
    if (mode == TextTableMode::Import)
        add(sid::kFileTypeAll, ".*");
    return filter;
}

std::string TextTableFile::openErrorText(const std::filesystem::path& path)
{
    return FormatInserts(LoadText(sid::kErrorOpeningFile), {path.string()});
}

// --- Writer ---

void TextTableFile::beginLine()
{
    m_position = 0;
    m_current = kNoPosition;
    m_fieldsInLine = 0;
}

int TextTableFile::nextField()
{
    const auto& positions = m_options.positions;
    while (m_position < positions.size() && !positions[m_position].active)
        ++m_position;
    if (m_position == positions.size()) {
        m_current = kNoPosition;
        return kEndOfLine;
    }
    m_current = m_position++;
    return positions[m_current].field;
}

void TextTableFile::writeField(std::string_view text, bool leftAligned)
{
    if (!m_save.isOpen() || m_current == kNoPosition)
        return;
    const TextTablePosition& p = m_options.positions[m_current];
    if (m_options.fixedWidth()) {
        const std::size_t width = static_cast<std::size_t>(p.size);
        const std::string_view cut = text.substr(0, width);
        if (!leftAligned)
            appendFill(width - cut.size(), ' ');
        append(cut);
        if (leftAligned)
            appendFill(width - cut.size(), ' ');
        m_buffer += ' ';
    } else {
        appendFill(static_cast<std::size_t>(p.skip) + (m_fieldsInLine > 0 ? 1 : 0), m_separator);
        appendDelimited(text);
    }
    ++m_fieldsInLine;
    m_current = kNoPosition;
}

void TextTableFile::endLine()
{
    if (!m_save.isOpen())
        return;
    m_buffer += "\r\n";
    ++m_counters.lines;
    if (m_buffer.size() >= kBufferSize)
        flushBuffer();
}

void TextTableFile::append(std::string_view bytes)
{
    const auto firstBreak = std::find_if(bytes.begin(), bytes.end(), isLineBreak);
    if (firstBreak == bytes.end()) {
        m_buffer += bytes;
        return;
    }
    for (char c : bytes)
        m_buffer += isLineBreak(c) ? ' ' : c;
}

void TextTableFile::appendFill(std::size_t count, char c) { m_buffer.append(count, c); }

void TextTableFile::appendDelimited(std::string_view text)
{
    if (text.find(m_separator) == std::string_view::npos && text.find('"') == std::string_view::npos) {
        append(text);
        return;
    }
    // Quoted, with inner quotes doubled, so that the reader gives back the same text.
    m_buffer += '"';
    for (std::size_t from = 0;;) {
        const std::size_t quote = text.find('"', from);
        append(text.substr(from, quote == std::string_view::npos ? quote : quote + 1 - from));
        if (quote == std::string_view::npos)
            break;
        m_buffer += '"';
        from = quote + 1;
    }
    m_buffer += '"';
}

void TextTableFile::flushBuffer()
{
    if (!m_buffer.empty() && !m_save.write(m_buffer))
        m_ioFailed = true;
    m_buffer.clear();
}

// --- Reader ---

bool TextTableFile::fillBuffer()
{
    m_buffer.erase(0, m_bufferPos);
    m_bufferPos = 0;
    const std::size_t kept = m_buffer.size();
    m_buffer.resize(kept + kBufferSize);
    const long long got = m_input.read(m_buffer.data() + kept, kBufferSize);
    m_buffer.resize(kept + static_cast<std::size_t>(std::max(got, 0LL)));
    if (got < 0)
        m_ioFailed = true;
    return got > 0;
}

bool TextTableFile::readLine()
{
    if (!m_input.isOpen() || m_lineTooLong)
        return false;
    m_line.clear();
    bool any = false;
    for (;;) {
        const char* begin = m_buffer.data() + m_bufferPos;
        const std::size_t available = m_buffer.size() - m_bufferPos;
        if (available > 0) {
            any = true;
            const char* end = static_cast<const char*>(std::memchr(begin, '\n', available));
            if (end) {
                m_line.append(begin, end);
                m_bufferPos += static_cast<std::size_t>(end - begin) + 1;
                break;
            }
            m_line.append(begin, available);
            m_bufferPos = m_buffer.size();
        }
        if (m_line.size() > kMaxLineLength) {
            m_lineTooLong = true;
            m_ioFailed = true;
            return false;
        }
        if (!fillBuffer()) {
            if (!any)
                return false;
            break;
        }
    }
    if (!m_line.empty() && m_line.back() == '\r')
        m_line.pop_back();
    m_position = 0;
    m_fieldsInLine = 0;
    m_readPos = 0;
    ++m_counters.lines;
    return true;
}

// The column at the read position. A double quote before the column's
// separator makes the column quoted: its text is what follows that quote up to
// the closing quote, two quotes in a row standing for one quote of the text;
// separators inside do not end it, and the column ends at the first separator
// after the closing quote. False when the closing quote is missing.
bool TextTableFile::readColumn(std::string_view& text)
{
    const std::string_view rest = std::string_view(m_line).substr(m_readPos);
    std::size_t separator = rest.find(m_separator);
    const std::size_t quote = rest.substr(0, separator).find('"');
    if (quote == std::string_view::npos) {
        text = rest.substr(0, separator);
    } else {
        // Undouble the quotes in place: the text only shrinks, and the line
        // beyond the closing quote is not touched.
        char* const begin = m_line.data() + m_readPos + quote + 1;
        char* out = begin;
        std::size_t at = quote + 1;
        for (;; ++at) {
            if (at >= rest.size()) {
                m_readPos = kNoPosition;
                return false;
            }
            if (rest[at] == '"') {
                if (at + 1 >= rest.size() || rest[at + 1] != '"')
                    break;
                ++at;
            }
            *out++ = rest[at];
        }
        text = std::string_view(begin, static_cast<std::size_t>(out - begin));
        separator = rest.find(m_separator, at + 1);
    }
    m_readPos = separator == std::string_view::npos ? kNoPosition : m_readPos + separator + 1;
    return true;
}

bool TextTableFile::readField(Field& field)
{
    if (m_fieldsInLine >= m_activeCount || m_readPos == kNoPosition)
        return false;
    const auto& positions = m_options.positions;
    while (m_position < positions.size() && !positions[m_position].active)
        ++m_position;
    if (m_position == positions.size())
        return false;
    const TextTablePosition& p = positions[m_position++];

    std::string_view text;
    if (m_options.fixedWidth()) {
        const std::size_t end = m_readPos + static_cast<std::size_t>(p.size);
        text = std::string_view(m_line).substr(m_readPos, static_cast<std::size_t>(p.size));
        m_readPos = end < m_line.size() ? end + 1 : kNoPosition; // past the blank between fields
    } else {
        for (int i = 0; i < p.skip; ++i) {
            std::string_view skipped;
            if (!readColumn(skipped) || m_readPos == kNoPosition) {
                m_readPos = kNoPosition;
                return false;
            }
        }
        if (!readColumn(text))
            return false;
    }
    // Without trimming, only the line's end loses its white space.
    text = m_trimAll ? trimBoth(text) : m_readPos == kNoPosition ? trimRight(text) : text;
    field.number = p.field;
    field.text = text;
    ++m_fieldsInLine;
    return true;
}

bool TextTableFile::isFieldActive(int field) const
{
    return field >= 0 && static_cast<std::size_t>(field) < m_fieldActive.size()
           && m_fieldActive[static_cast<std::size_t>(field)];
}

// --- Closing ---

TextTableFile::Outcome TextTableFile::finish()
{
    if (m_save.isOpen()) {
        flushBuffer();
        if (m_ioFailed || !m_save.commit())
            m_ioFailed = true;
    }
    closeFile();

    Outcome outcome;
    outcome.ok = !m_ioFailed;
    if (m_lineTooLong) {
        outcome.message = FormatInserts(LoadText(sid::kImportLineTooLong),
                                        {std::to_string(m_counters.lines + 1), std::to_string(kMaxLineLength),
                                         m_path.string()});
    } else if (m_ioFailed) {
        const int id = m_mode == TextTableMode::Export ? sid::kErrorSavingFile : sid::kErrorOpeningFile;
        outcome.message = FormatInserts(LoadText(id), {m_path.string()});
    } else if (m_mode == TextTableMode::Export) {
        outcome.message = FormatPrintf(LoadText(sid::kRecordsExported), {m_counters.lines});
    } else {
        outcome.message = FormatPrintf(LoadText(sid::kRecordsImported),
                                       {m_counters.processed, m_counters.added, m_counters.updated});
    }
    return outcome;
}

void TextTableFile::closeFile()
{
    m_save.discard();
    m_input.close();
    m_buffer.clear();
    m_line.clear();
    m_line.shrink_to_fit();
}
