// SPDX-License-Identifier: GPL-3.0-or-later
// A small JSON reader for the tests: objects, arrays, strings (with \uXXXX
// escapes and surrogate pairs), numbers read so that doubles round-trip
// exactly, true, false and null. Parse() throws std::runtime_error with the
// byte offset on malformed input.
#pragma once

#include <charconv>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace minijson {

struct Value {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string string;
    std::vector<Value> array;
    std::map<std::string, Value> object;

    bool Has(const std::string& key) const { return kind == Kind::Object && object.count(key) != 0; }

    // Member or element; throws when absent or of another kind.
    const Value& operator[](const std::string& key) const
    {
        if (kind != Kind::Object)
            throw std::runtime_error("not an object (looking for \"" + key + "\")");
        const auto it = object.find(key);
        if (it == object.end())
            throw std::runtime_error("no member \"" + key + "\"");
        return it->second;
    }
    const Value& operator[](size_t i) const
    {
        if (kind != Kind::Array || i >= array.size())
            throw std::runtime_error("no element " + std::to_string(i));
        return array[i];
    }
    double Num() const
    {
        if (kind != Kind::Number)
            throw std::runtime_error("not a number");
        return number;
    }
    const std::string& Str() const
    {
        if (kind != Kind::String)
            throw std::runtime_error("not a string");
        return string;
    }
};

namespace detail {

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    Value Document()
    {
        Value v = Any();
        Blank();
        if (i_ != s_.size())
            Fail("text after the value");
        return v;
    }

private:
    std::string_view s_;
    size_t i_ = 0;
    int depth_ = 0;

    [[noreturn]] void Fail(const std::string& what) const
    {
        throw std::runtime_error("JSON: " + what + " at byte " + std::to_string(i_));
    }

    void Blank()
    {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }

    bool Take(char c)
    {
        Blank();
        if (i_ < s_.size() && s_[i_] == c) {
            ++i_;
            return true;
        }
        return false;
    }

    void Expect(char c)
    {
        if (!Take(c))
            Fail(std::string("expected '") + c + "'");
    }

    bool Word(std::string_view w)
    {
        if (s_.substr(i_, w.size()) != w)
            return false;
        i_ += w.size();
        return true;
    }

    Value Any()
    {
        if (++depth_ > 200)
            Fail("nesting too deep");
        Blank();
        if (i_ >= s_.size())
            Fail("unexpected end");
        Value v;
        const char c = s_[i_];
        if (c == '{') {
            ++i_;
            v.kind = Value::Kind::Object;
            if (!Take('}')) {
                do {
                    Blank();
                    if (i_ >= s_.size() || s_[i_] != '"')
                        Fail("expected a member name");
                    std::string key = String();
                    Expect(':');
                    v.object[key] = Any();
                } while (Take(','));
                Expect('}');
            }
        } else if (c == '[') {
            ++i_;
            v.kind = Value::Kind::Array;
            if (!Take(']')) {
                do
                    v.array.push_back(Any());
                while (Take(','));
                Expect(']');
            }
        } else if (c == '"') {
            v.kind = Value::Kind::String;
            v.string = String();
        } else if (Word("true")) {
            v.kind = Value::Kind::Bool;
            v.boolean = true;
        } else if (Word("false")) {
            v.kind = Value::Kind::Bool;
        } else if (Word("null")) {
            v.kind = Value::Kind::Null;
        } else {
            v.kind = Value::Kind::Number;
            v.number = Number();
        }
        --depth_;
        return v;
    }

    static bool Digit(char c) { return c >= '0' && c <= '9'; }

    double Number()
    {
        const size_t start = i_;
        auto digits = [&] {
            const size_t from = i_;
            while (i_ < s_.size() && Digit(s_[i_]))
                ++i_;
            return i_ - from;
        };
        if (i_ < s_.size() && s_[i_] == '-')
            ++i_;
        const size_t intStart = i_;
        const size_t n = digits();
        if (n == 0 || (n > 1 && s_[intStart] == '0'))
            Fail("malformed number");
        if (i_ < s_.size() && s_[i_] == '.') {
            ++i_;
            if (digits() == 0)
                Fail("malformed number");
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-'))
                ++i_;
            if (digits() == 0)
                Fail("malformed number");
        }
        double v = 0;
        const auto r = std::from_chars(s_.data() + start, s_.data() + i_, v);
        if (r.ec != std::errc() || r.ptr != s_.data() + i_)
            Fail("number out of range");
        return v;
    }

    unsigned Hex4()
    {
        if (i_ + 4 > s_.size())
            Fail("short \\u escape");
        unsigned v = 0;
        for (int k = 0; k < 4; ++k) {
            const char c = s_[i_++];
            v <<= 4;
            if (c >= '0' && c <= '9')
                v |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                v |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                v |= static_cast<unsigned>(c - 'A' + 10);
            else
                Fail("bad hex digit in \\u escape");
        }
        return v;
    }

    static void Utf8(std::string& out, uint32_t cp)
    {
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

    // At the opening quote; UTF-8 bytes are copied as they stand.
    std::string String()
    {
        ++i_;
        std::string out;
        for (;;) {
            if (i_ >= s_.size())
                Fail("unterminated string");
            const char c = s_[i_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                Fail("control character in string");
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (i_ >= s_.size())
                Fail("unterminated escape");
            const char e = s_[i_++];
            switch (e) {
            case '"': out.push_back('"'); break;
            case '\\': out.push_back('\\'); break;
            case '/': out.push_back('/'); break;
            case 'b': out.push_back('\b'); break;
            case 'f': out.push_back('\f'); break;
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            case 't': out.push_back('\t'); break;
            case 'u': {
                uint32_t cp = Hex4();
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    if (!Word("\\u"))
                        Fail("high surrogate without its low half");
                    const uint32_t lo = Hex4();
                    if (lo < 0xDC00 || lo > 0xDFFF)
                        Fail("high surrogate without its low half");
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (lo - 0xDC00);
                } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                    Fail("lone low surrogate");
                }
                Utf8(out, cp);
                break;
            }
            default: Fail("unknown escape");
            }
        }
    }
};

}  // namespace detail

inline Value Parse(std::string_view text)
{
    return detail::Parser(text).Document();
}

}  // namespace minijson
