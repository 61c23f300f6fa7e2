// SPDX-License-Identifier: GPL-3.0-or-later
// The one reader of the settings file, for the window and the companion: INI
// files as Qt's settings store writes and reads them ("[Group]" headers,
// "key=value" lines, comments, quoted and escaped values). No Qt.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace veltrax {

class IniFile {
public:
    // Reads the text of a file (UTF-8) as the window's settings store
    // (QSettings, INI format) reads it. Never fails: a line that is neither a
    // header nor a key with a value is passed over.
    //  - Lines end at "\n", "\r" or "\r\n"; a backslash right before the
    //    line end joins the next line on. A leading byte-order mark is skipped.
    //  - ";" outside double quotes starts a comment up to the line end. A line
    //    starting with "#" is a comment for people, but the settings store
    //    reads "#x=1" as a key "#x", and so does this reader.
    //  - "[Group]" up to the first "]" (or the line end), blanks around the
    //    name dropped. Keys before any header, and in a group named "General"
    //    (in any case), belong to the group "" (the settings store's top level).
    //  - Group and key names lose the blanks around them; %XX stands for the
    //    character U+00XX, %UXXXX for the UTF-16 unit XXXX, a backslash for "/".
    //  - A value loses the blanks before it and, outside quotes, after it;
    //    double quotes are dropped (blanks after a closing one too); escapes
    //    \a \b \f \n \r \t \v \" \? \' \\, \x (hex) and \ (octal) digits give
    //    their character anywhere in the value, any other escaped character
    //    is dropped. A comma outside quotes makes a list: its items, each
    //    trimmed the same way, joined again with commas. "@ByteArray(...)" and "@String(...)" are unwrapped, "@@" stands
    //    for "@", and the other "@Type(...)" values of the store read as "".
    //  - A line whose key name is empty ("=x") is passed over. A key given
    //    twice keeps its last value.
    static IniFile Parse(std::string_view text);

    // The value of key in group, nullopt when absent.
    std::optional<std::string> Value(std::string_view group, std::string_view key) const;

    // The lines that are neither blank, a comment, a "[Group]" header nor a
    // "key=value" line: how many, and the first one (its number, from 1, and
    // its text without the line end; a "\r" before the "\n" is part of the
    // line end). Such lines are passed over.
    int StrayLineCount() const { return strayCount_; }
    const std::optional<std::pair<int, std::string>>& FirstStrayLine() const { return firstStray_; }
    // True when the text has stray lines and not one header, key or comment
    // (blank lines count for neither): not a settings file at all.
    bool OnlyStrayLines() const { return strayCount_ > 0 && !understood_; }

private:
    std::map<std::pair<std::string, std::string>, std::string, std::less<>> values_;
    std::optional<std::pair<int, std::string>> firstStray_;
    int strayCount_ = 0;
    bool understood_ = false;
};

enum class IniRead {
    Ok,          // the file was read
    Missing,     // there is no such file (nothing is wrong)
    Unreadable,  // it exists but cannot be read; `why` says so
};

// Reads the file at path into file.
IniRead ReadIniFile(const std::string& path, IniFile& file, std::string& why);

}  // namespace veltrax
