// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's CSV output and the reference files cut into cells, for
// tests: plain commas, no quoting (none of these texts quote).
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace veltrax::test_support {

// One line's cells; a trailing comma gives a last, empty cell.
inline std::vector<std::string> CsvCells(const std::string& line)
{
    std::vector<std::string> cells;
    std::istringstream l(line);
    for (std::string c; std::getline(l, c, ',');)
        cells.push_back(c);
    if (!line.empty() && line.back() == ',')
        cells.emplace_back();
    return cells;
}

// Every line's cells, the first line left out when it is the header.
inline std::vector<std::vector<std::string>> CsvRows(const std::string& text, bool skipFirstLine = false)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    std::string line;
    if (skipFirstLine)
        std::getline(in, line);
    while (std::getline(in, line))
        rows.push_back(CsvCells(line));
    return rows;
}

}  // namespace veltrax::test_support
