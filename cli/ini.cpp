// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ini.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace veltrax {
namespace cli {
namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
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

// Group and key names: "%2F" and the like stand for one byte.
std::string DecodeName(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() + 0 && HexDigit(s[i + 1]) >= 0 && HexDigit(s[i + 2]) >= 0) {
            out.push_back(static_cast<char>(HexDigit(s[i + 1]) * 16 + HexDigit(s[i + 2])));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// A value: quoted stretches lose their quotes and have their escapes decoded,
// blanks outside quotes around the value are dropped.
std::string DecodeValue(std::string_view s)
{
    s = Trim(s);
    std::string out;
    bool quoted = false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && quoted && i + 1 < s.size()) {
            const char e = s[++i];
            out.push_back(e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e);
        } else {
            out.push_back(c);
        }
    }
    const std::string_view wrap = "@ByteArray(";
    if (out.size() > wrap.size() && out.compare(0, wrap.size(), wrap) == 0 && out.back() == ')')
        out = out.substr(wrap.size(), out.size() - wrap.size() - 1);
    return out;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text)
{
    IniFile f;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")  // a byte-order mark
        text.remove_prefix(3);
    std::string group;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            const size_t close = line.find(']');
            if (close != std::string_view::npos) {
                group = DecodeName(Trim(line.substr(1, close - 1)));
                if (group == "General")
                    group.clear();
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string key = DecodeName(Trim(line.substr(0, eq)));
        if (key.empty())
            continue;
        f.values_[{group, key}] = DecodeValue(line.substr(eq + 1));
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

}  // namespace cli
}  // namespace veltrax
