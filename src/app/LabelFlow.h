// SPDX-License-Identifier: GPL-3.0-or-later
// Breaks a panel's description into lines that fit the room beside the panel's title.
#ifndef MNEMORA_APP_LABELFLOW_H
#define MNEMORA_APP_LABELFLOW_H

#include <wx/string.h>

#include <functional>

class wxStaticText;

/// Measures the width of one line of text in pixels.
using LineMeasure = std::function<int(const wxString& line)>;

/// `text` broken into lines no wider than `width`. While every written line fits, the lines
/// stay as written; otherwise each paragraph (lines up to an empty line) flows as running text,
/// so that no line ends while the next word would still fit. Line breaks and blanks at the end
/// are dropped. A word wider than `width` stands on a line of its own.
wxString FlowText(const wxString& text, int width, const LineMeasure& measure);

/// Shows `text` in `label`, broken as FlowText does for `width` pixels in the label's font.
/// True when the label changed, so that the caller lays its window out again.
bool FitLabelToWidth(wxStaticText* label, const wxString& text, int width);

#endif
