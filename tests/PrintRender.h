// SPDX-License-Identifier: GPL-3.0-or-later
// Printout pages drawn into bitmaps as a printer would get them, and decks of picture cards
// whose sides are told apart by colour.
#ifndef MNEMORA_TESTS_PRINTRENDER_H
#define MNEMORA_TESTS_PRINTRENDER_H

#include <wx/colour.h>
#include <wx/image.h>

#include "print/wxPrintoutManager.h"

/// The colour of a card side in MakePictureDeck.
wxColour SideColour(int card, bool answer);

/// A deck of count picture cards, each side a solid colour of its own, pictures width x height.
void MakePictureDeck(int count, int width = 4, int height = 4);

/// Page `page` of printout on white paper of the selected layout, printerPpi pixels per inch on
/// paper, drawn into a bitmap of bitmapPpi pixels per inch, with a screen of screenPpi. Page 1
/// counts the pages first.
wxImage RenderPage(wxPrintoutManager& printout, int page, int bitmapPpi, int printerPpi,
                   int screenPpi = 100);

/// Bounding box of the pixels of colour in image, empty when there are none.
wxRect ColourBox(const wxImage& image, const wxColour& colour, int tolerance = 0);

#endif
