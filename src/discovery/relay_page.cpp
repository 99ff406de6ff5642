// SPDX-License-Identifier: MIT
#include "discovery/relay_page.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace Discovery {

namespace {

constexpr std::array<std::string_view, 5> kTagWords = {"BODY", "HTML", "TABLE", "TITLE", "TR"};

// Which of the tag words (bit i for kTagWords[i]) the upper-cased tag holds.
unsigned TagWordsIn(std::string_view tag)
{
    std::string upper(tag);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    unsigned words = 0;
    for (std::size_t i = 0; i < kTagWords.size(); ++i)
        if (upper.find(kTagWords[i]) != std::string::npos)
            words |= 1u << i;
    return words;
}

// One line of CleanHtml. The edited line is line[0, kept) + line[tail, end):
// a stripped tag is always the line's first, so the text before it (which
// holds no "<" and no ">") moves down once and the rest is never shifted.
void CleanLine(std::string& line)
{
    constexpr std::size_t npos = std::string::npos;
    const std::size_t end = line.size();
    std::size_t kept = 0;
    std::size_t tail = 0;
    // The first tag of the edited line and the words it holds, found once per tail.
    std::size_t open = npos;
    std::size_t close = npos;
    unsigned words = 0;
    std::size_t tagOfTail = npos;
    const auto firstTag = [&] {
        if (tagOfTail == tail)
            return;
        tagOfTail = tail;
        open = line.find('<', tail);
        close = line.find('>', tail);
        const bool isTag = open != npos && close != npos && close > open;
        words = isTag ? TagWordsIn(std::string_view(line).substr(open, close - open + 1)) : 0;
    };

    std::size_t pos = 0; // the scan position in the edited line
    while (pos < kept + (end - tail)) {
        const std::size_t gt = line.find('>', pos < kept ? tail : tail + (pos - kept));
        if (gt == npos)
            break;
        pos = kept + (gt - tail);
        bool stripped = false;
        for (std::size_t i = 0; i < kTagWords.size(); ++i) {
            firstTag();
            if ((words & (1u << i)) == 0)
                continue;
            if (kept != tail)
                std::memmove(line.data() + kept, line.data() + tail, open - tail);
            kept += open - tail;
            tail = close + 1;
            stripped = true;
        }
        // Nothing stripped: the first tag stays as it is, and so would every later test.
        if (!stripped)
            break;
        ++pos;
    }
    line.erase(kept, tail - kept);
}

// The edited line of PhaseItem: line[0, kept) + line[tail, end). A deleted
// cell always starts at the first "<td>", so the text before it moves down
// once; no marker lies wholly in the kept part, one may straddle the join.
class EditedLine {
public:
    explicit EditedLine(std::string& line) : m_line(line), m_end(line.size()) {}

    std::size_t size() const { return m_kept + (m_end - m_tail); }
    char at(std::size_t x) const { return x < m_kept ? m_line[x] : m_line[m_tail + (x - m_kept)]; }

    std::size_t find(std::string_view marker) const
    {
        const std::size_t first = m_kept >= marker.size() ? m_kept - (marker.size() - 1) : 0;
        for (std::size_t s = first; s < m_kept; ++s) {
            std::size_t i = 0;
            while (i < marker.size() && s + i < size() && at(s + i) == marker[i])
                ++i;
            if (i == marker.size())
                return s;
        }
        const std::size_t found = m_line.find(marker, m_tail);
        return found == std::string::npos ? found : m_kept + (found - m_tail);
    }

    // The text [from, to), at most `limit` characters of it.
    std::string text(std::size_t from, std::size_t to, std::size_t limit) const
    {
        std::string value;
        for (std::size_t x = from; x < to && value.size() < limit; ++x)
            value += at(x);
        return value;
    }

    // Deletes [from, to), where `from` is the first "<td>" and `to` lies past the join.
    void erase(std::size_t from, std::size_t to)
    {
        const std::size_t newTail = m_tail + (to - m_kept);
        if (from > m_kept)
            std::memmove(m_line.data() + m_kept, m_line.data() + m_tail, from - m_kept);
        m_kept = from;
        m_tail = newTail;
    }

    void finish() { m_line.erase(m_kept, m_tail - m_kept); }

private:
    std::string& m_line;
    std::size_t m_end;
    std::size_t m_kept = 0;
    std::size_t m_tail = 0;
};

} // namespace

std::string RelayPageUrl(const std::string& relayHost, const std::string& projectFilter)
{
    return "http://" + relayHost + "/device.get?DeviceType=" + projectFilter;
}

void CleanHtml(std::vector<std::string>& lines)
{
    // Emptied lines are dropped in one pass: erasing them one by one would
    // make a page of blank lines cost minutes.
    std::size_t kept = 0;
    for (std::string& line : lines) {
        CleanLine(line);
        if (!line.empty()) {
            if (&lines[kept] != &line)
                lines[kept] = std::move(line);
            ++kept;
        }
    }
    lines.resize(kept);
}

void PhaseItem(DiscoveryState& state, std::vector<std::string>& lines)
{
    static constexpr std::string_view kOpen = "<td>";
    static constexpr std::string_view kClose = "</td>";
    // `r` is both the grid row and where the line is kept: a line that
    // empties is dropped and the next one takes its row.
    std::size_t r = 0;
    for (std::string& line : lines) {
        // The datagram road's cap holds for a page too: a page of one-letter
        // lines would otherwise list half a million devices.
        if (state.deviceLimitReached())
            break;
        const int row = static_cast<int>(std::min<std::size_t>(r, 1'000'000));
        if (r != 0 && state.grid.gridRowCount() < row + 1)
            state.grid.setGridRowCount(row + 1);

        DeviceInfo info{};
        int cell = 0;
        EditedLine edited(line);
        for (std::size_t step = 0; step < edited.size(); ++step) {
            const std::size_t open = edited.find(kOpen);
            const std::size_t close = open == std::string::npos ? open : edited.find(kClose);
            if (close == std::string::npos)
                break; // no cell left: the remaining steps would find none either
            if (r != 0 && cell <= DeviceGrid::kMacColumn) {
                // Cells map to the grid's columns: model, proj, name, ip, port, netmask, mac.
                static constexpr std::array<int, 7> kFieldOfCell = {kModel, kProj, kName, kIp,
                                                                    kTriggerPort, kNetmask, kMac};
                std::span<char> field = FieldAt(info, kFieldOfCell[static_cast<std::size_t>(cell)]);
                CopyToField(field, edited.text(open + kOpen.size(), close, field.size()));
                state.grid.setCell(cell, row, FieldText(std::span<const char>(field)));
            }
            ++cell;
            if (close >= open)
                edited.erase(open, close + kClose.size());
            else if (cell > DeviceGrid::kMacColumn)
                break; // a "</td>" before the first "<td>" deletes nothing: only empty cells would follow
        }
        edited.finish();
        if (r != 0) {
            state.grid.setGridRowCount(row + 1);
            state.appendDevice(info);
            state.countRoundDevice();
        }
        if (!line.empty()) {
            if (&lines[r] != &line)
                lines[r] = std::move(line);
            ++r;
        }
    }
    lines.resize(r);
}

std::vector<std::string> RelayPageLines(std::string_view page)
{
    page = page.substr(0, std::min(page.find('\0'), page.size()));
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < page.size()) {
        std::size_t end = page.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(page.substr(start));
            break;
        }
        lines.emplace_back(page.substr(start, end - start));
        start = end + (page[end] == '\r' && end + 1 < page.size() && page[end + 1] == '\n' ? 2 : 1);
    }
    if (lines.size() <= 4) {
        for (const std::string& line : lines) {
            if (line.find("No available items") != std::string::npos) {
                lines.clear();
                break;
            }
        }
    }
    return lines;
}

} // namespace Discovery
