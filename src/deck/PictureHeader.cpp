// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the dimensions from the headers of the common picture formats.
#include "deck/PictureHeader.h"

#include <wx/ffile.h>

#include <cstdint>
#include <cstring>

namespace
{
constexpr long MaxSide = 16384;
constexpr long long MaxPixels = 64LL * 1024 * 1024;

uint32_t Big(const unsigned char* p, int bytes)
{
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | p[i];
    return value;
}

uint32_t Little(const unsigned char* p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | p[i];
    return value;
}

wxSize Clamped(uint32_t width, uint32_t height)
{
    // Beyond what an int holds is too large anyway; keep it positive and huge.
    const auto side = [](uint32_t v) { return v > 0x7FFFFFFF ? 0x7FFFFFFF : int(v); };
    return wxSize(side(width), side(height));
}

// Walks the JPEG markers up to the first frame header, which holds the size.
wxSize JpegSize(wxFFile& file)
{
    unsigned char marker[4];
    for (int segments = 0; segments < 4096; ++segments)
    {
        if (file.Read(marker, 4) != 4 || marker[0] != 0xFF)
            return wxDefaultSize;
        const unsigned char type = marker[1];
        if (type == 0xFF) // fill byte: the marker starts one byte later
        {
            if (!file.Seek(-3, wxFromCurrent))
                return wxDefaultSize;
            continue;
        }
        if ((type >= 0xD0 && type <= 0xD7) || type == 0x01) // markers without a length
        {
            if (!file.Seek(-2, wxFromCurrent))
                return wxDefaultSize;
            continue;
        }
        const uint32_t length = Big(marker + 2, 2);
        const bool frame =
            type >= 0xC0 && type <= 0xCF && type != 0xC4 && type != 0xC8 && type != 0xCC;
        if (frame)
        {
            unsigned char header[5];
            if (length < 7 || file.Read(header, 5) != 5)
                return wxDefaultSize;
            return Clamped(Big(header + 3, 2), Big(header + 1, 2));
        }
        if (length < 2 || !file.Seek(wxFileOffset(length) - 2, wxFromCurrent))
            return wxDefaultSize;
    }
    return wxDefaultSize;
}
} // namespace

wxSize ReadPictureSize(const wxString& path)
{
    wxFFile file(path, "rb");
    unsigned char head[26] = {};
    if (!file.IsOpened() || file.Read(head, sizeof head) < 10)
        return wxDefaultSize;
    if (std::memcmp(head, "\x89PNG\r\n\x1A\n", 8) == 0 && std::memcmp(head + 12, "IHDR", 4) == 0)
        return Clamped(Big(head + 16, 4), Big(head + 20, 4));
    if (std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0)
        return Clamped(Little(head + 6, 2), Little(head + 8, 2));
    if (head[0] == 'B' && head[1] == 'M')
    {
        if (Little(head + 14, 4) == 12)
            return Clamped(Little(head + 18, 2), Little(head + 20, 2));
        const int32_t height = int32_t(Little(head + 22, 4));
        return Clamped(Little(head + 18, 4), height < 0 ? uint32_t(-int64_t(height)) : height);
    }
    if (head[0] == 0xFF && head[1] == 0xD8 && file.Seek(2))
        return JpegSize(file);
    return wxDefaultSize;
}

bool IsPictureTooLarge(const wxSize& size)
{
    return size.x > MaxSide || size.y > MaxSide ||
           static_cast<long long>(size.x) * size.y > MaxPixels;
}
