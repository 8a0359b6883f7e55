// SPDX-License-Identifier: GPL-3.0-or-later
// The media list of Anki deck packages, in its JSON and its protobuf form.
#include "deck/AnkiMediaMap.h"

#include <cstdint>

namespace
{
// A small reader of the JSON object {"0": "name.jpg", ...}.
class JsonObject
{
public:
    explicit JsonObject(const std::string& text)
        : m_p(text.data()), m_end(text.data() + text.size())
    {
    }

    bool Read(AnkiMediaMap& map)
    {
        if (!Take('{'))
            return false;
        if (Take('}'))
            return AtEnd();
        do
        {
            wxString member;
            wxString name;
            if (!String(member) || !Take(':') || !String(name))
                return false;
            map.emplace(name, member.utf8_string());
        } while (Take(','));
        return Take('}') && AtEnd();
    }

private:
    void Space()
    {
        while (m_p != m_end && (*m_p == ' ' || *m_p == '\t' || *m_p == '\n' || *m_p == '\r'))
            ++m_p;
    }

    bool Take(char c)
    {
        Space();
        if (m_p == m_end || *m_p != c)
            return false;
        ++m_p;
        return true;
    }

    bool AtEnd()
    {
        Space();
        return m_p == m_end;
    }

    bool Hex4(unsigned& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i, ++m_p)
        {
            if (m_p == m_end)
                return false;
            const char c = *m_p;
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                return false;
            value = value * 16 + unsigned(digit);
        }
        return true;
    }

    bool String(wxString& text)
    {
        if (!Take('"'))
            return false;
        std::string plain;
        while (m_p != m_end && *m_p != '"')
        {
            if (*m_p != '\\')
            {
                plain += *m_p++;
                continue;
            }
            if (++m_p == m_end)
                return false;
            const char c = *m_p++;
            static const char Escaped[] = "\"\\/bfnrt";
            static const char Meant[] = "\"\\/\b\f\n\r\t";
            const char* which = c == '\0' ? nullptr : std::char_traits<char>::find(Escaped, 8, c);
            if (which != nullptr)
            {
                plain += Meant[which - Escaped];
                continue;
            }
            unsigned code;
            if (c != 'u' || !Hex4(code))
                return false;
            if (code >= 0xD800 && code <= 0xDBFF && m_end - m_p >= 6 && m_p[0] == '\\' &&
                m_p[1] == 'u')
            {
                const char* back = m_p;
                m_p += 2;
                unsigned low;
                if (Hex4(low) && low >= 0xDC00 && low <= 0xDFFF)
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                else
                    m_p = back;
            }
            if (code >= 0xD800 && code <= 0xDFFF)
                code = 0xFFFD;
            plain += wxString(wxUniChar(code)).utf8_string();
        }
        if (m_p == m_end)
            return false;
        ++m_p;
        text = wxString::FromUTF8(plain);
        return text.empty() == plain.empty();
    }

    const char* m_p;
    const char* m_end;
};

// Protobuf wire format: varints and length-delimited fields.
bool Varint(const unsigned char*& p, const unsigned char* end, std::uint64_t& value)
{
    value = 0;
    for (int shift = 0; p != end && shift < 64; shift += 7)
    {
        const unsigned char byte = *p++;
        value |= std::uint64_t(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0)
            return true;
    }
    return false;
}

// Skips a field of wire type `type`; false when it runs past the end or is unknown.
bool SkipField(const unsigned char*& p, const unsigned char* end, unsigned type)
{
    std::uint64_t value;
    switch (type)
    {
    case 0:
        return Varint(p, end, value);
    case 1:
        if (end - p < 8)
            return false;
        p += 8;
        return true;
    case 2:
        if (!Varint(p, end, value) || value > std::uint64_t(end - p))
            return false;
        p += value;
        return true;
    case 5:
        if (end - p < 4)
            return false;
        p += 4;
        return true;
    default:
        return false;
    }
}

// One MediaEntry: name (1), size (2), sha1 (3), legacy member name (255).
bool ReadEntry(const unsigned char* p, const unsigned char* end, size_t position, AnkiMediaMap& map)
{
    std::string name;
    std::string member = std::to_string(position);
    while (p != end)
    {
        std::uint64_t key;
        if (!Varint(p, end, key))
            return false;
        const unsigned type = unsigned(key & 7);
        const std::uint64_t field = key >> 3;
        if (field == 1 && type == 2)
        {
            std::uint64_t length;
            if (!Varint(p, end, length) || length > std::uint64_t(end - p))
                return false;
            name.assign(reinterpret_cast<const char*>(p), size_t(length));
            p += length;
        }
        else if (field == 255 && type == 0)
        {
            std::uint64_t legacy;
            if (!Varint(p, end, legacy))
                return false;
            member = std::to_string(legacy);
        }
        else if (!SkipField(p, end, type))
            return false;
    }
    const wxString text = wxString::FromUTF8(name);
    if (text.empty() != name.empty())
        return false;
    map.emplace(text, member);
    return true;
}
} // namespace

bool ParseAnkiMediaMap(const std::string& bytes, AnkiMediaMap& map)
{
    size_t first = bytes.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && bytes[first] == '{')
        return JsonObject(bytes).Read(map);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* end = p + bytes.size();
    for (size_t position = 0; p != end;)
    {
        std::uint64_t key;
        if (!Varint(p, end, key))
            return false;
        if (key != (1 << 3 | 2))
        {
            if (!SkipField(p, end, unsigned(key & 7)))
                return false;
            continue;
        }
        std::uint64_t length;
        if (!Varint(p, end, length) || length > std::uint64_t(end - p))
            return false;
        if (!ReadEntry(p, p + length, position++, map))
            return false;
        p += length;
    }
    return true;
}
