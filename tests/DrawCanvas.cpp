// SPDX-License-Identifier: GPL-3.0-or-later
// Pixel helpers for the card drawing tests.
#include "DrawCanvas.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

DrawCanvas::DrawCanvas(int width, int height) : m_bitmap(width, height, 24)
{
    dc.SelectObject(m_bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetFont(TestFont());
    dc.SetTextForeground(*wxBLACK);
}

wxImage DrawCanvas::Image()
{
    dc.SelectObject(wxNullBitmap);
    return m_bitmap.ConvertToImage();
}

wxFont TestFont()
{
    return wxFont(14, wxFONTFAMILY_SWISS, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL);
}

wxFont Styled(bool bold, bool underline, bool italic)
{
    wxFont font = TestFont();
    font.SetWeight(bold ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
    font.SetUnderlined(underline);
    font.SetStyle(italic ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
    return font;
}

int LineHeight()
{
    DrawCanvas canvas;
    return canvas.dc.GetTextExtent(" ").y;
}

wxColour At(const wxImage& image, int x, int y)
{
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

wxRect InkBox(const wxImage& image, const wxColour& background, const wxRect& area)
{
    const wxRect region = area.IsEmpty() ? wxRect(0, 0, image.GetWidth(), image.GetHeight()) : area;
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = region.y; y <= region.GetBottom(); ++y)
        for (int x = region.x; x <= region.GetRight(); ++x)
            if (At(image, x, y) != background)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? wxRect() : wxRect(left, top, right - left + 1, bottom - top + 1);
}

wxRect ColourBox(const wxImage& image, const wxColour& colour, int tolerance)
{
    wxRect box;
    const unsigned char* pixel = image.GetData();
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x, pixel += 3)
            if (std::abs(pixel[0] - colour.Red()) <= tolerance &&
                std::abs(pixel[1] - colour.Green()) <= tolerance &&
                std::abs(pixel[2] - colour.Blue()) <= tolerance)
                box.Union(wxRect(x, y, 1, 1));
    return box;
}

bool SamePixels(const wxImage& a, const wxImage& b)
{
    return a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight() &&
           std::memcmp(a.GetData(), b.GetData(), size_t(a.GetWidth()) * a.GetHeight() * 3) == 0;
}

wxBitmap SolidBitmap(int width, int height, const wxColour& colour)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), colour.Red(), colour.Green(), colour.Blue());
    return wxBitmap(image);
}

void PrintTo(const wxColour& colour, std::ostream* os)
{
    *os << colour.GetAsString(wxC2S_HTML_SYNTAX).utf8_string();
}

void PrintTo(const wxRect& rect, std::ostream* os)
{
    *os << "(" << rect.x << ", " << rect.y << ", " << rect.width << ", " << rect.height << ")";
}
