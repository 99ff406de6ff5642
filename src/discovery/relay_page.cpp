// SPDX-License-Identifier: MIT
#include "discovery/relay_page.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace Discovery {

namespace {

constexpr std::array<std::string_view, 5> kTagWords = {"BODY", "HTML", "TABLE", "TITLE", "TR"};

std::string UpperAscii(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// Deletes the line's first tag (first "<" through first ">") when its
// upper-cased text contains `word`.
void StripFirstTagIfItHolds(std::string& line, std::string_view word)
{
    const std::size_t open = line.find('<');
    const std::size_t close = line.find('>');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return;
    if (UpperAscii(line.substr(open, close - open + 1)).find(word) != std::string::npos)
        line.erase(open, close - open + 1);
}

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
        for (std::size_t pos = 0; pos < line.size(); ++pos) {
            if (line[pos] != '>')
                continue;
            const std::size_t before = line.size();
            for (std::string_view word : kTagWords)
                StripFirstTagIfItHolds(line, word);
            // Nothing stripped: the first tag stays as it is, and so would every later test.
            if (line.size() == before)
                break;
        }
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
        const int row = static_cast<int>(std::min<std::size_t>(r, 1'000'000));
        if (r != 0 && state.grid.gridRowCount() < row + 1)
            state.grid.setGridRowCount(row + 1);

        DeviceInfo info{};
        int cell = 0;
        for (std::size_t step = 0; step < line.size(); ++step) {
            const std::size_t open = line.find(kOpen);
            const std::size_t close = line.find(kClose);
            if (open == std::string::npos || close == std::string::npos)
                break; // no cell left: the remaining steps would find none either
            const std::size_t from = open + kOpen.size();
            const std::string value = close > from ? line.substr(from, close - from) : std::string();
            if (r != 0 && cell <= DeviceGrid::kMacColumn) {
                // Cells map to the grid's columns: model, proj, name, ip, port, netmask, mac.
                static constexpr std::array<int, 7> kFieldOfCell = {kModel, kProj, kName, kIp,
                                                                    kTriggerPort, kNetmask, kMac};
                std::span<char> field = FieldAt(info, kFieldOfCell[static_cast<std::size_t>(cell)]);
                CopyToField(field, value);
                state.grid.setCell(cell, row, FieldText(std::span<const char>(field)));
            }
            ++cell;
            if (close >= open)
                line.erase(open, close + kClose.size() - open);
            else if (cell > DeviceGrid::kMacColumn)
                break; // a "</td>" before the first "<td>" deletes nothing: only empty cells would follow
        }
        if (r != 0) {
            state.grid.setGridRowCount(row + 1);
            state.appendDevice(info);
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
