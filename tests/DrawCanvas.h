// SPDX-License-Identifier: GPL-3.0-or-later
// A memory bitmap to draw card faces into, and pixel helpers for the drawing tests.
#ifndef MNEMORA_TESTS_DRAWCANVAS_H
#define MNEMORA_TESTS_DRAWCANVAS_H

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/image.h>

#include <ostream>

/// A white bitmap with a memory DC on it, black text in the test font.
class DrawCanvas
{
public:
    explicit DrawCanvas(int width = 400, int height = 300);

    /// Ends drawing and returns the pixels.
    wxImage Image();

    wxMemoryDC dc;

private:
    wxBitmap m_bitmap;
};

/// The card font of the drawing tests.
wxFont TestFont();
/// The test font with the three style attributes set as the text markers set them.
wxFont Styled(bool bold, bool underline, bool italic);
/// Height of one text line in the test font.
int LineHeight();

/// Colour of one pixel.
wxColour At(const wxImage& image, int x, int y);
/// Bounding box of every pixel in area (default: all) that differs from background.
wxRect InkBox(const wxImage& image, const wxColour& background = *wxWHITE,
              const wxRect& area = wxRect());
/// Bounding box of the pixels within tolerance of colour in each channel, empty when none are.
wxRect ColourBox(const wxImage& image, const wxColour& colour, int tolerance = 0);

/// True when both images have the same size and pixels.
bool SamePixels(const wxImage& a, const wxImage& b);
/// A picture of one colour.
wxBitmap SolidBitmap(int width, int height, const wxColour& colour);

void PrintTo(const wxColour& colour, std::ostream* os);
void PrintTo(const wxRect& rect, std::ostream* os);

#endif
