// SPDX-License-Identifier: GPL-3.0-or-later
// Card face drawing on any device context: one side into a rectangle, a whole card as a row,
// and wrapped card text with its inline styles. Screen, list and paper all draw through here.
#ifndef MNEMORA_STUDY_CARDDRAW_H
#define MNEMORA_STUDY_CARDDRAW_H

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

struct Card;

/// Draws one side of card into the rectangle: picture left and text right, or either alone.
/// With draw false nothing is drawn (the clipping still changes and is removed at the end).
void DrawCardSide(wxDC& dc, const Card& card, int x, int y, int width, int height, bool answerSide,
                  bool draw);

/// Lays card out as one row, question column left and answer column right; draws it when draw
/// is true and returns the row height (extraHeight plus the taller column).
int DrawCardRow(wxDC& dc, const Card& card, int x, int y, int width, bool draw, int extraHeight);

/// Draws (or with draw false only measures) text wrapped in rect with its inline styles, in
/// the DC's font, which the DC has again afterwards. Returns the widest line and the height.
wxSize DrawFormattedText(wxDC& dc, const wxString& text, const wxRect& rect, int alignment,
                         bool draw);

/// The height that text takes in rect, top-left aligned.
int FormattedTextHeight(wxDC& dc, const wxString& text, const wxRect& rect);

/// How many leading characters of paragraph fit on one line narrower than maxWidth, in the
/// DC's current font.
int FitLine(wxDC& dc, const wxString& paragraph, int maxWidth);

/// Draws bitmap scaled by the two factors, without mask and without smoothing, its top-left
/// corner at (x, y); the DC's own scale is the same afterwards.
void DrawScaledBitmap(wxDC& dc, const wxBitmap& bitmap, int x, int y, double scaleX, double scaleY);

/// Forgets every cached text width (for measurements of the uncached cost).
void ClearTextWidthCache();

#endif
