// SPDX-License-Identifier: GPL-3.0-or-later
// A small reader of INI files as the window's settings store writes them:
// "[Group]" headers, "key=value" lines, comments, quoted values. No Qt.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace veltrax {
namespace cli {

class IniFile {
public:
    // Reads the text of a file. Never fails: a line that is neither a header
    // nor a key with a value is passed over. Keys before any header, and in a
    // group named "General", belong to the group "" (the settings store's
    // top level). Group and key names are kept as written, with %XX escapes
    // decoded; a value loses the blanks around it and its double quotes, with
    // \" \\ \n \r \t inside quotes decoded; @ByteArray(...) is unwrapped. A key
    // given twice keeps its last value.
    static IniFile Parse(std::string_view text);

    // The value of key in group, nullopt when absent.
    std::optional<std::string> Value(std::string_view group, std::string_view key) const;

private:
    std::map<std::pair<std::string, std::string>, std::string, std::less<>> values_;
};

enum class IniRead {
    Ok,          // the file was read
    Missing,     // there is no such file (nothing is wrong)
    Unreadable,  // it exists but cannot be read; `why` says so
};

// Reads the file at path into file.
IniRead ReadIniFile(const std::string& path, IniFile& file, std::string& why);

}  // namespace cli
}  // namespace veltrax
