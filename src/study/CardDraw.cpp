// SPDX-License-Identifier: GPL-3.0-or-later
// Card face drawing on a device context. The wrapping rules live in TextLayout; this file
// supplies the DC's measuring and drawing, with a cache of text extents because every extent
// costs a full text layout in the toolkit.
#include "study/CardDraw.h"

#include <wx/affinematrix2d.h>
#include <wx/font.h>
#include <wx/graphics.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <typeinfo>
#include <unordered_map>

#include "deck/Card.h"
#include "study/TextLayout.h"

namespace
{
constexpr int RowMeasureHeight = 16777216;

struct Extent
{
    int Width;
    int Height;
};

using ExtentTable = std::unordered_map<std::wstring, Extent>;

// Extents by measuring context (DC kind, scales, resolution) and font. A text's extent depends
// on nothing else, so a cached value is the value the DC would return.
std::unordered_map<std::string, ExtentTable> ExtentTables;
size_t CachedExtents = 0;
int LiveMeasurers = 0;
constexpr size_t MaxCachedExtents = 50000;
constexpr size_t MaxExtentTables = 64;

/// Measures and draws card text through a DC; gives the DC its font back when it goes.
class DcMeasurer : public TextMeasurer
{
public:
    explicit DcMeasurer(wxDC& dc)
        : m_dc(dc), m_callerFont(dc.GetFont()),
          m_base(m_callerFont.IsOk() ? m_callerFont : *wxNORMAL_FONT)
    {
        // Tables are only dropped while no measurer holds a pointer into them.
        if (LiveMeasurers++ == 0 && ExtentTables.size() > MaxExtentTables)
        {
            ExtentTables.clear();
            CachedExtents = 0;
        }
    }

    ~DcMeasurer() override
    {
        if (m_selected != 0 && m_callerFont.IsOk())
            m_dc.SetFont(m_callerFont);
        --LiveMeasurers;
    }

    int TextWidth(std::wstring_view text, int style) override
    {
        return text.empty() ? 0 : Measure(text, style).Width;
    }

    int LineHeight() override { return Measure(L" ", 0).Height; }

    void DrawRun(std::wstring_view text, int x, int y, int style) override
    {
        Select(style);
        m_dc.DrawText(wxString(text.data(), text.size()), x, y);
    }

private:
    Extent Measure(std::wstring_view text, int style)
    {
        ExtentTable& table = Table(style);
        std::wstring key(text);
        const auto found = table.find(key);
        if (found != table.end())
            return found->second;
        Select(style);
        wxCoord width = 0;
        wxCoord height = 0;
        m_dc.GetTextExtent(wxString(text.data(), text.size()), &width, &height);
        if (CachedExtents >= MaxCachedExtents)
        {
            for (auto& entry : ExtentTables)
                entry.second.clear();
            CachedExtents = 0;
        }
        table.emplace(std::move(key), Extent{width, height});
        ++CachedExtents;
        return Extent{width, height};
    }

    const wxFont& Font(int style)
    {
        if (!(style & tsStyled))
            return m_base;
        wxFont& font = m_fonts[style];
        if (!font.IsOk())
        {
            font = m_base;
            font.SetWeight((style & tsBold) ? wxFONTWEIGHT_BOLD : wxFONTWEIGHT_NORMAL);
            font.SetUnderlined((style & tsUnderline) != 0);
            font.SetStyle((style & tsItalic) ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
        }
        return font;
    }

    ExtentTable& Table(int style)
    {
        if (m_tables[style])
            return *m_tables[style];
        if (m_context.empty())
        {
            double userX = 1, userY = 1, logicalX = 1, logicalY = 1;
            m_dc.GetUserScale(&userX, &userY);
            m_dc.GetLogicalScale(&logicalX, &logicalY);
            const wxSize ppi = m_dc.GetPPI();
            char scales[200];
            std::snprintf(scales, sizeof scales, "|%a|%a|%a|%a|%a|%d|%d|", userX, userY, logicalX,
                          logicalY, m_dc.GetContentScaleFactor(), ppi.x, ppi.y);
            m_context = std::string(typeid(*m_dc.GetImpl()).name()) + scales;
        }
        const wxFont& font = Font(style);
        std::string key = m_context + font.GetNativeFontInfoDesc().utf8_string();
        if (font.GetUnderlined())
            key += "|u";
        m_tables[style] = &ExtentTables[key];
        return *m_tables[style];
    }

    void Select(int style)
    {
        if (style == m_selected)
            return;
        m_dc.SetFont(Font(style));
        m_selected = style;
    }

    wxDC& m_dc;
    const wxFont m_callerFont;
    const wxFont m_base;
    int m_selected = 0;
    std::string m_context;
    wxFont m_fonts[tsStyleCount];
    ExtentTable* m_tables[tsStyleCount] = {};
};

// A clipping box never has a negative size, even for a side narrower than its frame.
void ClipTo(wxDC& dc, int x, int y, int width, int height)
{
    dc.DestroyClippingRegion();
    dc.SetClippingRegion(x, y, std::max(0, width), std::max(0, height));
}
} // namespace

wxSize DrawFormattedText(wxDC& dc, const wxString& text, const wxRect& rect, int alignment,
                         bool draw)
{
    DcMeasurer measurer(dc);
    return DrawFormattedText(measurer, text, rect, alignment, draw);
}

int FormattedTextHeight(wxDC& dc, const wxString& text, const wxRect& rect)
{
    return DrawFormattedText(dc, text, rect, 0, false).y;
}

int FitLine(wxDC& dc, const wxString& paragraph, int maxWidth)
{
    DcMeasurer measurer(dc);
    const std::wstring chars = paragraph.ToStdWstring();
    return FitLine(measurer, chars, maxWidth, 0);
}

void DrawScaledBitmap(wxDC& dc, const wxBitmap& bitmap, int x, int y, double scaleX, double scaleY)
{
    if (!bitmap.IsOk() || !std::isfinite(scaleX) || !std::isfinite(scaleY) || scaleX <= 0 ||
        scaleY <= 0)
        return;
    // The DC's own scaling stretches the picture; every DC of this toolkit samples a bitmap
    // drawn that way with the nearest-neighbour filter, and a graphics context is told so too.
    double userX = 1, userY = 1;
    dc.GetUserScale(&userX, &userY);
    const wxPoint deviceOrigin = dc.GetDeviceOrigin();
    const wxPoint target(dc.LogicalToDeviceX(x), dc.LogicalToDeviceY(y));
    wxGraphicsContext* gc = dc.GetGraphicsContext();
    const wxInterpolationQuality quality =
        gc ? gc->GetInterpolationQuality() : wxINTERPOLATION_DEFAULT;
    if (gc)
        gc->SetInterpolationQuality(wxINTERPOLATION_NONE);
    if (dc.CanUseTransformMatrix() && !dc.GetTransformMatrix().IsIdentity())
    {
        // A turned page: the device origin no longer says where a logical point lands, so the
        // picture is placed and stretched by the transformation itself.
        const wxAffineMatrix2D page = dc.GetTransformMatrix();
        wxAffineMatrix2D placed = page;
        placed.Translate(x, y);
        placed.Scale(scaleX, scaleY);
        dc.SetTransformMatrix(placed);
        dc.DrawBitmap(bitmap, 0, 0, false);
        dc.SetTransformMatrix(page);
        if (gc)
            gc->SetInterpolationQuality(quality);
        return;
    }
    dc.SetUserScale(userX * scaleX, userY * scaleY);
    // Drawn at the logical origin, the corner lands exactly on the device origin, which is
    // moved to the device pixel of (x, y) for the time of the call.
    const wxPoint logicalOrigin = dc.GetLogicalOrigin();
    dc.SetDeviceOrigin(deviceOrigin.x + target.x - dc.LogicalToDeviceX(logicalOrigin.x),
                       deviceOrigin.y + target.y - dc.LogicalToDeviceY(logicalOrigin.y));
    dc.DrawBitmap(bitmap, logicalOrigin.x, logicalOrigin.y, false);
    dc.SetDeviceOrigin(deviceOrigin.x, deviceOrigin.y);
    dc.SetUserScale(userX, userY);
    if (gc)
        gc->SetInterpolationQuality(quality);
}

void DrawCardSide(wxDC& dc, const Card& card, int x, int y, int width, int height, bool answerSide,
                  bool draw)
{
    const wxString& text = answerSide ? card.Answer : card.Question;
    const wxBitmap& bitmap = answerSide ? card.AnswerBitmap : card.QuestionBitmap;
    ClipTo(dc, x - 1, y - 1, width + 2, height + 2);
    if (draw && bitmap.IsOk())
    {
        const int bw = bitmap.GetWidth();
        const int bh = bitmap.GetHeight();
        const int area = text.empty() ? width - 20 : width / 2 - 20;
        const float scale = FitScale(bw, bh, area, height - 20);
        const wxPoint corner = AlignBox(wxALIGN_CENTER, wxRect(x + 10, y + 10, area, height - 20),
                                        static_cast<int>(bw * scale), static_cast<int>(bh * scale));
        DrawScaledBitmap(dc, bitmap, corner.x, corner.y, scale, scale);
        if (!text.empty())
            DrawFormattedText(dc, text, wxRect(x + width / 2 + 10, y, area, height), wxALIGN_CENTER,
                              true);
    }
    else if (draw)
        DrawFormattedText(dc, text, wxRect(x + 10, y + 10, width - 20, height - 20), wxALIGN_CENTER,
                          true);
    dc.DestroyClippingRegion();
}

int DrawCardRow(wxDC& dc, const Card& card, int x, int y, int width, bool draw, int extraHeight)
{
    struct Column
    {
        int X;
        const wxString& Text;
        const wxBitmap& Bitmap;
        float Scale;
        int Block;
    };
    const int half = width / 2;
    const int columnWidth = half - 20;
    Column columns[2] = {{x + 10, card.Question, card.QuestionBitmap, 0, 0},
                         {x + half + 10, card.Answer, card.AnswerBitmap, 0, 0}};
    int rowHeight = 0;
    for (Column& column : columns)
    {
        const int textHeight = FormattedTextHeight(
            dc, column.Text, wxRect(column.X, y, columnWidth, RowMeasureHeight));
        column.Block = textHeight;
        if (column.Bitmap.IsOk())
        {
            column.Scale = FitScale(column.Bitmap.GetWidth(), column.Bitmap.GetHeight(),
                                    columnWidth, RowMeasureHeight);
            column.Block =
                static_cast<int>(column.Bitmap.GetHeight() * column.Scale + textHeight + 10);
        }
        rowHeight = std::max(rowHeight, column.Block);
    }
    rowHeight += extraHeight;

    for (const Column& column : columns)
    {
        ClipTo(dc, column.X - 1, y - 1, columnWidth + 2, rowHeight + 2);
        const wxRect cell(column.X, y, columnWidth, rowHeight);
        if (column.Bitmap.IsOk())
        {
            const float pictureHeight = column.Bitmap.GetHeight() * column.Scale;
            const wxPoint corner =
                AlignBox(wxALIGN_CENTER, cell,
                         static_cast<int>(column.Bitmap.GetWidth() * column.Scale), column.Block);
            if (draw)
            {
                DrawScaledBitmap(dc, column.Bitmap, corner.x, corner.y, column.Scale, column.Scale);
                const int textY = static_cast<int>(pictureHeight + corner.y + 10);
                DrawFormattedText(dc, column.Text, wxRect(column.X, textY, columnWidth, rowHeight),
                                  wxALIGN_CENTER_HORIZONTAL, true);
            }
        }
        else if (draw)
            DrawFormattedText(dc, column.Text, cell, wxALIGN_CENTER, true);
    }
    dc.DestroyClippingRegion();
    return rowHeight;
}

void ClearTextWidthCache()
{
    for (auto& entry : ExtentTables)
        entry.second.clear();
    CachedExtents = 0;
}
