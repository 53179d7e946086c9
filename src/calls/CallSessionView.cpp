// The visible list of a session: sorting, number search, hiding rows, saving.
#include "calls/CallFileRecord.h"
#include "calls/CallSession.h"
#include "calls/NumberPattern.h"
#include "core/SaveFile.h"

#include <algorithm>
#include <system_error>

namespace {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec) && !ec)
        return true;
    std::error_code ea, eb;
    const auto ca = std::filesystem::weakly_canonical(a, ea);
    const auto cb = std::filesystem::weakly_canonical(b, eb);
    return !ea && !eb && ca == cb;
}

} // namespace

void CallSession::sortVisible(std::size_t inOrder)
{
    if (!m_less || m_visibleLength < 2)
        return;
    auto less = [this](std::uint32_t a, std::uint32_t b) { return m_less(m_table[a], m_table[b]); };
    std::uint32_t* rows = m_visible.data();
    if (inOrder > 0 && inOrder <= m_visibleLength && m_visibleLength - inOrder <= kInsertionLimit) {
        for (std::size_t i = inOrder; i < m_visibleLength; ++i) {
            for (std::size_t j = i; j > 0 && less(rows[j], rows[j - 1]); --j)
                std::swap(rows[j], rows[j - 1]);
        }
        return;
    }
    if (m_sorter)
        m_sorter(calls(), std::span(rows, m_visibleLength));
    else
        std::stable_sort(rows, rows + m_visibleLength, less);
    if (m_visibleLength == m_count) {
        m_sortedAll.assign(rows, rows + m_visibleLength);
        m_sortedAllValid = true;
    }
}

std::optional<std::size_t> CallSession::findNext(std::string_view pattern, bool exact)
{
    for (std::size_t row = m_lastFound ? *m_lastFound + 1 : 0; row < m_visibleLength; ++row) {
        if (matchDialedNumber(visibleCall(row).number(), pattern, exact)) {
            m_lastFound = row;
            return row;
        }
    }
    if (m_visibleLength != 0)
        m_lastFound = m_visibleLength - 1;
    return std::nullopt;
}

void CallSession::clearVisible()
{
    m_visibleLength = 0;
    m_lastFound.reset();
}

bool CallSession::restoreVisible(std::span<const std::uint32_t> rows, bool inOrder)
{
    if (rows.size() > m_count)
        return false;
    if (inOrder) {
        std::copy(rows.begin(), rows.end(), m_visible.data());
    } else {
        std::vector<std::uint8_t> shown(m_count, 0);
        for (const std::uint32_t row : rows) {
            if (row >= m_count || shown[row])
                return false;
            shown[row] = 1;
        }
        std::size_t length = 0;
        for (std::size_t i = 0; i < m_count; ++i) {
            if (shown[i])
                m_visible[length++] = static_cast<std::uint32_t>(i);
        }
    }
    m_visibleLength = rows.size();
    m_lastFound.reset();
    if (!inOrder)
        sortVisible(0);
    return true;
}

void CallSession::removeVisibleRows(std::span<const std::size_t> rows)
{
    std::vector<bool> drop(m_visibleLength, false);
    for (const std::size_t row : rows) {
        if (row < m_visibleLength)
            drop[row] = true;
    }
    std::size_t kept = 0;
    for (std::size_t row = 0; row < m_visibleLength; ++row) {
        if (!drop[row])
            m_visible[kept++] = m_visible[row];
    }
    m_visibleLength = kept;
    m_lastFound.reset();
}

std::optional<std::size_t> CallSession::rowOf(std::uint32_t tableIndex) const
{
    const auto rows = visible();
    const auto it = std::find(rows.begin(), rows.end(), tableIndex);
    return it == rows.end() ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(it - rows.begin()));
}

SaveResult CallSession::saveCalls(const std::filesystem::path& path, bool visibleOnly, std::string* error) const
{
    for (const std::filesystem::path& open : m_openFiles) {
        if (sameFile(path, open))
            return SaveResult::RefusedOpenFile;
    }
    std::vector<std::uint32_t> selection;
    if (visibleOnly) {
        selection.assign(visible().begin(), visible().end());
        std::sort(selection.begin(), selection.end());
    }
    const std::size_t total = visibleOnly ? selection.size() : m_count;
    const bool saved = saveFileAtomically(
        path,
        [&](std::ostream& out) {
            std::vector<char> buffer;
            buffer.reserve(4096 * CallFileRecord::kSize);
            for (std::size_t i = 0; i < total && out; ++i) {
                const CallFileRecord record = CallFileRecord::fromCall(m_table[visibleOnly ? selection[i] : i]);
                buffer.insert(buffer.end(), record.bytes.begin(), record.bytes.end());
                if (buffer.size() == buffer.capacity() || i + 1 == total) {
                    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                    buffer.clear();
                }
            }
            return static_cast<bool>(out);
        },
        error);
    return saved ? SaveResult::Ok : SaveResult::WriteFailed;
}
