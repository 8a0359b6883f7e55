// SPDX-License-Identifier: GPL-3.0-or-later
// HTML fields of imported notes turned into card text with the card markup.
#include "deck/HtmlField.h"

namespace
{
bool IsNameChar(wxUniChar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The value of attribute `name` in the inside of a tag (between '<' and '>'), entities decoded.
wxString Attribute(const wxString& tag, const wxString& name)
{
    const wxString lower = tag.Lower();
    size_t pos = 0;
    while ((pos = lower.find(name, pos)) != wxString::npos)
    {
        const size_t after = pos + name.length();
        const bool starts = pos > 0 && !IsNameChar(lower[pos - 1]) && lower[pos - 1] != '-';
        size_t i = after;
        while (i < tag.length() && tag[i] == ' ')
            ++i;
        if (!starts || i >= tag.length() || tag[i] != '=')
        {
            pos = after;
            continue;
        }
        ++i;
        while (i < tag.length() && tag[i] == ' ')
            ++i;
        wxString raw;
        if (i < tag.length() && (tag[i] == '"' || tag[i] == '\''))
        {
            const size_t close = tag.find(tag[i], i + 1);
            raw = tag.substr(i + 1, close == wxString::npos ? wxString::npos : close - i - 1);
        }
        else
        {
            size_t end = i;
            while (end < tag.length() && tag[end] != ' ' && tag[end] != '/')
                ++end;
            raw = tag.substr(i, end - i);
        }
        wxString value;
        for (size_t k = 0; k < raw.length(); ++k)
        {
            wxUniChar c;
            size_t length;
            if (raw[k] == '&' && DecodeHtmlEntity(raw, k, c, length))
            {
                value += c;
                k += length - 1;
            }
            else
                value += raw[k];
        }
        return value;
    }
    return wxString();
}

// Cloze deletions "{{c1::text}}" or "{{c1::text::hint}}" keep their text.
wxString RemoveCloze(const wxString& text)
{
    wxString out;
    size_t pos = 0;
    for (;;)
    {
        const size_t open = text.find("{{c", pos);
        size_t digits = open == wxString::npos ? open : open + 3;
        while (digits != wxString::npos && digits < text.length() && text[digits] >= '0' &&
               text[digits] <= '9')
            ++digits;
        const size_t close = digits == wxString::npos ? digits : text.find("}}", digits);
        if (open == wxString::npos || digits == open + 3 || close == wxString::npos ||
            text.compare(digits, 2, "::") != 0)
        {
            if (open == wxString::npos || close == wxString::npos)
            {
                out += text.substr(pos);
                return out;
            }
            out += text.substr(pos, open + 3 - pos);
            pos = open + 3;
            continue;
        }
        out += text.substr(pos, open - pos);
        const wxString inner = text.substr(digits + 2, close - digits - 2);
        out += inner.substr(0, inner.find("::"));
        pos = close + 2;
    }
}

// Takes the first "[sound:name]" whose file exists out of the text.
wxString TakeSound(wxString& text, const std::function<bool(const wxString&)>& exists)
{
    size_t pos = 0;
    while ((pos = text.find("[sound:", pos)) != wxString::npos)
    {
        const size_t close = text.find(']', pos);
        if (close == wxString::npos)
            break;
        const wxString name = text.substr(pos + 7, close - pos - 7);
        if (exists(name))
        {
            text.erase(pos, close + 1 - pos);
            return name;
        }
        pos = close;
    }
    return wxString();
}
} // namespace

bool DecodeHtmlEntity(const wxString& text, size_t pos, wxUniChar& c, size_t& length)
{
    const size_t semicolon = text.find(';', pos);
    if (semicolon == wxString::npos || semicolon - pos > 10 || semicolon == pos + 1)
        return false;
    const wxString name = text.substr(pos + 1, semicolon - pos - 1);
    length = semicolon + 1 - pos;
    if (name[0] == '#')
    {
        const bool hex = name.length() > 1 && (name[1] == 'x' || name[1] == 'X');
        const wxString digits = name.Mid(hex ? 2 : 1);
        unsigned long value;
        if (digits.empty() || !digits.ToULong(&value, hex ? 16 : 10) || digits[0] == '+' ||
            digits[0] == '-' || digits[0] == ' ')
            return false;
        // No card text holds a NUL, a lone surrogate or a value past Unicode.
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            value = 0xFFFD;
        c = wxUniChar(value == '\r' ? '\n' : value);
        return true;
    }
    static const struct
    {
        const char* name;
        unsigned value;
    } Named[] = {{"amp", '&'},   {"lt", '<'},      {"gt", '>'},       {"quot", '"'},
                 {"apos", '\''}, {"nbsp", 0x00A0}, {"ndash", 0x2013}, {"mdash", 0x2014}};
    for (const auto& entity : Named)
    {
        if (name == entity.name)
        {
            c = wxUniChar(entity.value);
            return true;
        }
    }
    return false;
}

HtmlSide ConvertHtmlField(const wxString& html, const std::function<bool(const wxString&)>& exists)
{
    HtmlSide side;
    wxString& out = side.Text;
    out.reserve(html.length());
    const size_t size = html.length();
    for (size_t i = 0; i < size; ++i)
    {
        const wxUniChar c = html[i];
        if (c == '&')
        {
            wxUniChar decoded;
            size_t length;
            if (DecodeHtmlEntity(html, i, decoded, length))
            {
                out += decoded;
                i += length - 1;
                continue;
            }
        }
        if (c == '\r')
        {
            if (i + 1 == size || html[i + 1] != '\n')
                out += '\n';
            continue;
        }
        if (c != '<')
        {
            out += c;
            continue;
        }
        if (html.compare(i, 4, "<!--") == 0)
        {
            const size_t close = html.find("-->", i + 4);
            i = close == wxString::npos ? size - 1 : close + 2;
            continue;
        }
        const size_t close = html.find('>', i);
        if (close == wxString::npos)
        {
            out += c;
            continue;
        }
        const wxString tag = html.substr(i + 1, close - i - 1);
        i = close;
        const bool ending = !tag.empty() && tag[0] == '/';
        size_t nameEnd = ending ? 1 : 0;
        while (nameEnd < tag.length() && IsNameChar(tag[nameEnd]))
            ++nameEnd;
        const wxString name = tag.substr(ending ? 1 : 0, nameEnd - (ending ? 1 : 0)).Lower();
        if (name == "b" || name == "strong")
            out += "**";
        else if (name == "i" || name == "em")
            out += "//";
        else if (name == "u")
            out += "__";
        else if (name == "br" || (ending && (name == "div" || name == "p")))
            out += '\n';
        else if (name == "img" && !ending && side.Picture.empty())
        {
            const wxString source = Attribute(tag, "src");
            if (!source.empty() && exists(source))
                side.Picture = source;
        }
    }
    out = RemoveCloze(out);
    side.Sound = TakeSound(out, exists);
    // A closing block at the end of the field adds no empty line.
    while (!out.empty() && out.Last() == '\n')
        out.RemoveLast();
    return side;
}
