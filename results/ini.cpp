// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/ini.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <vector>

namespace veltrax {
namespace {

bool Blank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && Blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && Blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool LineEnd(char c)
{
    return c == '\n' || c == '\r';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

constexpr uint32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacement;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The next code point of UTF-8 text at i (moved past it); a byte that does
// not start a well-formed sequence counts as one code point of its own.
uint32_t NextCodePoint(std::string_view s, size_t& i)
{
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    const int extra = c >= 0xF0 && c < 0xF5 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 ? 1 : 0;
    if (c < 0x80 || extra == 0 || i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return c;
    }
    uint32_t cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((b(i + static_cast<size_t>(k)) & 0xC0) != 0x80) {
            ++i;
            return c;
        }
        cp = (cp << 6) | (b(i + static_cast<size_t>(k)) & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    return cp;
}

// Group and key names: %XX is the character U+00XX, %UXXXX one UTF-16 unit
// (two of them may form a pair), a backslash stands for "/".
std::string DecodeName(std::string_view s)
{
    std::string out;
    uint32_t high = 0;  // a UTF-16 high surrogate waiting for its pair
    const auto unit = [&](uint32_t u) {
        if (high && u >= 0xDC00 && u <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
            high = 0;
            return;
        }
        if (high)
            AppendUtf8(out, kReplacement);
        high = 0;
        if (u >= 0xD800 && u <= 0xDBFF)
            high = u;
        else
            AppendUtf8(out, u);
    };
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '%' && i + 5 < s.size() && s[i + 1] == 'U' && HexDigit(s[i + 2]) >= 0 &&
            HexDigit(s[i + 3]) >= 0 && HexDigit(s[i + 4]) >= 0 && HexDigit(s[i + 5]) >= 0) {
            unit(static_cast<uint32_t>(HexDigit(s[i + 2]) << 12 | HexDigit(s[i + 3]) << 8 | HexDigit(s[i + 4]) << 4 |
                                       HexDigit(s[i + 5])));
            i += 6;
        } else if (s[i] == '%' && i + 2 < s.size() && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
            unit(static_cast<uint32_t>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2])));
            i += 3;
        } else if (s[i] == '\\') {
            unit('/');
            ++i;
        } else {
            unit(NextCodePoint(s, i));
        }
    }
    if (high)
        AppendUtf8(out, kReplacement);
    return out;
}

bool StartsWith(std::string_view s, std::string_view prefix)
{
    return s.substr(0, prefix.size()) == prefix;
}

// The settings store's typed values: "@ByteArray(...)" and "@String(...)"
// unwrapped, the store's other "@Type(...)" values (which are no text) as "",
// "@@..." as "@...".
std::string Untyped(const std::string& s)
{
    if (s.empty() || s[0] != '@')
        return s;
    if (s.back() == ')') {
        const std::string_view v(s);
        if (StartsWith(v, "@ByteArray(")) {
            // Latin-1 bytes: each character is one byte.
            const std::string_view inner = v.substr(11, v.size() - 12);
            std::string bytes;
            for (size_t i = 0; i < inner.size();) {
                const uint32_t cp = NextCodePoint(inner, i);
                bytes.push_back(static_cast<char>(cp <= 0xFF ? cp : '?'));
            }
            return bytes;
        }
        if (StartsWith(v, "@String("))
            return s.substr(8, s.size() - 9);
        for (const char* typed : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("})
            if (StartsWith(v, typed))
                return {};
        if (v == "@Invalid()")
            return {};
    }
    if (s.size() >= 2 && s[1] == '@')
        return s.substr(1);
    return s;
}

// A value, from just after its "=" to its comment or line end (joined lines
// keep their backslash and line end, which the escapes drop).
std::string DecodeValue(std::string_view s)
{
    std::vector<std::string> items;
    std::string item;
    bool inQuotes = false;
    bool itemQuoted = false;  // a quoted item keeps its blanks
    size_t keep = 0;          // item's text up to here is not trimmed (escapes)
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < s.size() && Blank(s[i]))
            ++i;
        keep = item.size();
    };
    const auto trimItem = [&] {
        if (!itemQuoted)
            while (item.size() > keep && Blank(item.back()))
                item.pop_back();
    };
    skipBlanks();
    while (i < s.size()) {
        const char c = s[i++];
        if (c == '\\') {
            if (i >= s.size())
                break;
            const char e = s[i++];
            switch (e) {
            case 'a': item += '\a'; break;
            case 'b': item += '\b'; break;
            case 'f': item += '\f'; break;
            case 'n': item += '\n'; break;
            case 'r': item += '\r'; break;
            case 't': item += '\t'; break;
            case 'v': item += '\v'; break;
            case '"': case '?': case '\'': case '\\': item += e; break;
            case 'x': {
                uint64_t v = 0;
                bool any = false;
                for (; i < s.size() && HexDigit(s[i]) >= 0; ++i, any = true)
                    v = std::min<uint64_t>(v * 16 + static_cast<uint64_t>(HexDigit(s[i])), 0x110000);
                if (any)
                    AppendUtf8(item, static_cast<uint32_t>(v));
                break;
            }
            case '\n':
            case '\r':
                // A joined line: the backslash and the line end go.
                if (i < s.size() && LineEnd(s[i]) && s[i] != e)
                    ++i;
                break;
            default:
                if (e >= '0' && e <= '7') {
                    uint64_t v = static_cast<uint64_t>(e - '0');
                    for (; i < s.size() && s[i] >= '0' && s[i] <= '7'; ++i)
                        v = std::min<uint64_t>(v * 8 + static_cast<uint64_t>(s[i] - '0'), 0x110000);
                    AppendUtf8(item, static_cast<uint32_t>(v));
                }
                break;  // any other escaped character is dropped
            }
            keep = item.size();
        } else if (c == '"') {
            itemQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            trimItem();
            items.push_back(item);
            item.clear();
            itemQuoted = false;
            skipBlanks();
        } else {
            item.push_back(c);
        }
    }
    trimItem();
    if (items.empty())
        return Untyped(item);
    items.push_back(item);
    // A list: "@@" items lose one "@"; an item starting with a single "@"
    // turns the list into one the window reads as "".
    std::string joined;
    for (size_t k = 0; k < items.size(); ++k) {
        std::string_view v = items[k];
        if (!v.empty() && v[0] == '@') {
            if (v.size() < 2 || v[1] != '@')
                return {};
            v.remove_prefix(1);
        }
        if (k > 0)
            joined += ',';
        joined += v;
    }
    return joined;
}

bool IsGeneral(std::string_view group)
{
    static constexpr std::string_view kGeneral = "general";
    if (group.size() != kGeneral.size())
        return false;
    for (size_t i = 0; i < group.size(); ++i)
        if (static_cast<char>(std::tolower(static_cast<unsigned char>(group[i]))) != kGeneral[i])
            return false;
    return true;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text)
{
    IniFile f;
    if (StartsWith(text, "\xEF\xBB\xBF"))  // a byte-order mark
        text.remove_prefix(3);
    std::string group;
    int number = 1;  // of the line being read, from 1
    size_t i = 0;
    while (i < text.size()) {
        // One line, with the lines a backslash joins to it: up to its line
        // end, its "=" and its comment.
        const size_t begin = i;
        const int firstNumber = number;
        size_t eq = std::string_view::npos, comment = std::string_view::npos;
        bool inQuotes = false;
        while (i < text.size() && !LineEnd(text[i])) {
            const char c = text[i];
            if (c == '\\' && i + 1 < text.size()) {
                if (LineEnd(text[i + 1])) {
                    i += 2;
                    if (i < text.size() && LineEnd(text[i]) && text[i] != text[i - 1])
                        ++i;
                    ++number;
                } else {
                    i += 2;
                }
                continue;
            }
            if (c == '=' && eq == std::string_view::npos) {
                eq = i - begin;
            } else if (c == '"' && eq != std::string_view::npos) {
                inQuotes = !inQuotes;
            } else if (c == ';' && !inQuotes) {
                comment = i - begin;
                while (i < text.size() && !LineEnd(text[i]))
                    ++i;
                break;
            }
            ++i;
        }
        const std::string_view whole = text.substr(begin, i - begin);
        if (i < text.size()) {  // the line end: \n, \r or \r\n
            ++i;
            if (text[i - 1] == '\r' && i < text.size() && text[i] == '\n')
                ++i;
        }
        ++number;
        if (eq != std::string_view::npos && comment != std::string_view::npos && eq > comment)
            eq = std::string_view::npos;
        const std::string_view content = whole.substr(0, comment);
        const std::string_view line = Trim(content);

        bool known = comment != std::string_view::npos && line.empty();
        if (!line.empty() && line[0] == '#')
            known = true;  // a comment to people; "#x=1" still a key below
        if (!line.empty() && line[0] == '[') {
            const size_t close = line.find(']');  // none: the name runs to the line end
            group = DecodeName(Trim(line.substr(1, close == std::string_view::npos ? close : close - 1)));
            if (IsGeneral(group))
                group.clear();
            known = true;
        } else if (eq != std::string_view::npos) {
            const std::string key = DecodeName(Trim(content.substr(0, eq)));
            if (!key.empty()) {
                f.values_[{group, key}] = DecodeValue(content.substr(eq + 1));
                known = true;
            }
        }
        if (known) {
            f.understood_ = true;
        } else if (!line.empty()) {
            if (!f.firstStray_)
                f.firstStray_.emplace(firstNumber, std::string(whole));
            ++f.strayCount_;
        }
    }
    return f;
}

std::optional<std::string> IniFile::Value(std::string_view group, std::string_view key) const
{
    const auto it = values_.find(std::make_pair(std::string(group), std::string(key)));
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

IniRead ReadIniFile(const std::string& path, IniFile& file, std::string& why)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return IniRead::Missing;
        why = std::strerror(errno);
        return IniRead::Unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        why = "not a regular file";
        return IniRead::Unreadable;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf())) {
        // An empty file reads as nothing at all, which is fine.
        if (in && st.st_size == 0) {
            file = IniFile();
            return IniRead::Ok;
        }
        why = "cannot be read";
        return IniRead::Unreadable;
    }
    file = IniFile::Parse(text.str());
    return IniRead::Ok;
}

}  // namespace veltrax
