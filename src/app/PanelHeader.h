// SPDX-License-Identifier: GPL-3.0-or-later
// The header row of the content panels and the print dialog: a description beside a large title.
#ifndef MNEMORA_APP_PANELHEADER_H
#define MNEMORA_APP_PANELHEADER_H

#include <wx/sizer.h>

#include <functional>

class wxSizeEvent;
class wxStaticText;

/// A row with a description at the left and a title in 22-point bold roman type at the right.
/// While the description's written lines fit beside the title they stay as written; in a
/// narrower window it flows as running text, so that the row grows by whole lines instead of
/// losing the last one.
class PanelHeader : public wxBoxSizer
{
public:
    /// Measures the width of one line of text in pixels.
    using LineMeasure = std::function<int(const wxString& line)>;

    /// Creates both texts in `window`, each with `border` pixels on all sides. The caller adds
    /// the row to the window's sizer.
    PanelHeader(wxWindow* window, const wxString& description, const wxString& title,
                int border = 5);
    ~PanelHeader() override;

    /// Shows another title and makes room for the whole of it.
    void SetTitle(const wxString& title);
    /// Shows another description, broken for the room beside the title.
    void SetDescription(const wxString& description);

    /// The controls that show the title and the description.
    wxStaticText* TitleLabel() const { return Title; }
    wxStaticText* DescriptionLabel() const { return Description; }

    /// `text` broken into lines no wider than `width`. While every written line fits, the lines
    /// stay as written; otherwise each paragraph (lines up to an empty line) flows as running
    /// text, so that no line ends while the next word would still fit. Line breaks and blanks at
    /// the end are dropped. A word wider than `width` stands on a line of its own.
    static wxString FlowText(const wxString& text, int width, const LineMeasure& measure);

private:
    /// The width left to the description in the window's present width.
    int Room();
    /// Breaks the description for the room it has now; true when its label changed.
    bool FitDescription();
    void OnSize(wxSizeEvent& event);

    wxWindow* Window;
    wxStaticText* Description;
    wxStaticText* Title;
    const int Border;
    /// The description follows the width of a panel; a dialog is fitted to the row instead.
    const bool Flows;
    wxString DescriptionText; ///< The description as written.
    int FittedRoom = -1;      ///< The room the description was last broken for.
};

#endif
