// SPDX-License-Identifier: MIT
#pragma once
// The relay page rules done literally, one edit of a whole line at a time,
// as the reference that the linear CleanHtml and PhaseItem must match.

#include "discovery/discovery_state.h"

#include <array>
#include <cctype>
#include <string>
#include <vector>

namespace LiteralRules {

inline void CleanHtml(std::vector<std::string>& lines)
{
    static constexpr std::array<const char*, 5> kWords = {"BODY", "HTML", "TABLE", "TITLE", "TR"};
    for (std::size_t n = 0; n < lines.size();) {
        std::string s = lines[n];
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '>')
                continue;
            for (const char* word : kWords) {
                const std::size_t open = s.find('<');
                const std::size_t close = s.find('>');
                std::string tag;
                if (open != std::string::npos && close != std::string::npos && close > open)
                    tag = s.substr(open, close - open + 1);
                for (char& c : tag)
                    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
                if (tag.find(word) != std::string::npos)
                    s.erase(open, close - open + 1);
            }
        }
        if (s.empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(n));
        } else {
            lines[n] = s;
            ++n;
        }
    }
}

inline void PhaseItem(Discovery::DiscoveryState& state, std::vector<std::string>& lines)
{
    using namespace Discovery;
    static constexpr std::array<int, 7> kFieldOfCell = {kModel, kProj, kName, kIp, kTriggerPort, kNetmask, kMac};
    for (std::size_t r = 0; r < lines.size();) {
        const int row = static_cast<int>(std::min<std::size_t>(r, 1'000'000));
        if (r != 0 && state.grid.gridRowCount() < row + 1)
            state.grid.setGridRowCount(row + 1);
        std::string s = lines[r];
        DeviceInfo info{};
        int cell = 0;
        for (std::size_t step = 0; step < s.size(); ++step) {
            const std::size_t open = s.find("<td>");
            const std::size_t close = s.find("</td>");
            if (open == std::string::npos || close == std::string::npos)
                continue;
            const std::size_t from = open + 4;
            const std::string value = close > from ? s.substr(from, close - from) : std::string();
            if (r != 0 && cell <= 6) {
                std::span<char> field = FieldAt(info, kFieldOfCell[static_cast<std::size_t>(cell)]);
                CopyToField(field, value);
                state.grid.setCell(cell, row, FieldText(std::span<const char>(field)));
            }
            if (close >= open)
                s.erase(open, close + 5 - open);
            ++cell;
        }
        if (r != 0) {
            state.grid.setGridRowCount(row + 1);
            state.devices.push_back(info);
        }
        if (s.empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(r));
        } else {
            lines[r] = s;
            ++r;
        }
    }
}

} // namespace LiteralRules
