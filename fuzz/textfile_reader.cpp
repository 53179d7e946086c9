// The text table reader on arbitrary lines, with a layout taken from the first
// bytes. Beyond not crashing: field numbers stay within the layout, no line
// gives more fields than active positions, and in delimited files with trimming
// every complete line written back by the writer reads back the same.

#include "textfile/TextTableFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string scratchPath(const char* what) { return "/tmp/qx-fuzz-textfile-" + std::to_string(::getpid()) + "-" + what; }

// Removes the scratch files when the fuzzer ends.
struct ScratchCleanup
{
    ~ScratchCleanup()
    {
        std::remove(scratchPath("in.csv").c_str());
        std::remove(scratchPath("out.csv").c_str());
    }
} scratchCleanup;

void writeFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        std::abort();
    if (size > 0)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
}

TextTableOptions layoutFrom(const std::uint8_t* data)
{
    TextTableOptions o(1 + data[0] % 6);
    o.separatorType = static_cast<SeparatorType>(data[1] % 3);
    o.separator = std::string(1, static_cast<char>(data[2] == 0 || data[2] == '"' || data[2] == '\n' || data[2] == '\r'
                                                       ? ';'
                                                       : data[2]));
    o.trim = data[3] & 1;
    o.firstLineIsHeader = data[3] & 2;
    for (std::size_t i = 0; i < o.positions.size(); ++i) {
        o.positions[i].active = ((data[3] >> (2 + i)) & 1) == 0;
        o.positions[i].skip = (data[1] >> (2 + i % 3)) & 1;
        o.positions[i].size = 1 + (data[2] + 7 * i) % 9;
    }
    if (data[0] & 0x80)
        std::swap(o.positions.front(), o.positions.back());
    return o;
}

using Row = std::vector<std::string>;

std::vector<Row> readRows(const TextTableOptions& o, const std::string& path)
{
    TextTableFile file(TextTableMode::Import);
    file.options() = o;
    if (file.open(path) != TextTableFile::OpenResult::Ok)
        std::abort();
    std::vector<Row> rows;
    while (file.readLine()) {
        Row row(o.positions.size());
        TextTableFile::Field field;
        int count = 0;
        while (file.readField(field)) {
            if (field.number < 0 || static_cast<std::size_t>(field.number) >= row.size()
                || !file.isFieldActive(field.number))
                std::abort();
            row[static_cast<std::size_t>(field.number)] = std::string(field.text);
            ++count;
        }
        if (count > o.activeCount())
            std::abort();
        if (file.lineComplete())
            rows.push_back(std::move(row));
    }
    file.finish();
    return rows;
}

bool hasCarriageReturn(const Row& row)
{
    for (const std::string& text : row) {
        if (text.find('\r') != std::string::npos)
            return true;
    }
    return false;
}

void checkRoundTrip(TextTableOptions o, const std::vector<Row>& rows)
{
    o.firstLineIsHeader = false;
    const std::string path = scratchPath("out.csv");
    std::vector<Row> written;
    {
        TextTableFile file(TextTableMode::Export);
        file.options() = o;
        if (file.open(path) != TextTableFile::OpenResult::Ok)
            std::abort();
        for (const Row& row : rows) {
            if (hasCarriageReturn(row))
                continue;
            written.push_back(row);
            file.beginLine();
            for (int field = file.nextField(); field != TextTableFile::kEndOfLine; field = file.nextField())
                file.writeField(row[static_cast<std::size_t>(field)], true);
            file.endLine();
        }
        if (!file.finish().ok)
            std::abort();
    }
    if (readRows(o, path) != written)
        std::abort();
}

// An import of a FIFO is refused at once instead of waiting for a writer.
void checkFifoOnce()
{
    static bool checked = false;
    if (checked)
        return;
    checked = true;
    const std::string fifo = scratchPath("fifo.csv");
    std::remove(fifo.c_str());
    if (::mkfifo(fifo.c_str(), 0600) != 0)
        return;
    TextTableFile file(TextTableMode::Import);
    file.options() = TextTableOptions(1);
    const bool opened = file.open(fifo) == TextTableFile::OpenResult::Ok;
    std::remove(fifo.c_str());
    if (opened)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    checkFifoOnce();
    if (size < 4)
        return 0;
    const TextTableOptions o = layoutFrom(data);
    const std::string path = scratchPath("in.csv");
    writeFile(path, data + 4, size - 4);
    const std::vector<Row> rows = readRows(o, path);
    if (o.separatorType != SeparatorType::FixedWidth && o.trim && o.separatorChar() != ' ')
        checkRoundTrip(o, rows);
    return 0;
}
