// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog's fields: the selected layout shown and read back, lengths and counts
// parsed, and the font button's label.
#include "print/mnePrintDialog.h"

#include <climits>
#include <cmath>
#include <cstdlib>

#include "app/Options.h"

namespace
{
wxString FormatInches(double inches)
{
    return wxString::Format("%.2f\"", inches);
}
} // namespace

void mnePrintDialog::ShowLayout()
{
    const PageLayout& layout = Options.PageLayouts[Options.PrintPageLayout];
    LayoutCombo->SetValue(layout.Name);
    WidthText->SetValue(FormatInches(layout.Width));
    HeightText->SetValue(FormatInches(layout.Height));
    LeftMarginText->SetValue(FormatInches(layout.LeftMargin));
    RightMarginText->SetValue(FormatInches(layout.RightMargin));
    TopMarginText->SetValue(FormatInches(layout.TopMargin));
    BottomMarginText->SetValue(FormatInches(layout.BottomMargin));
    HorizontalSpacingText->SetValue(FormatInches(layout.HorizontalSpacing));
    VerticalSpacingText->SetValue(FormatInches(layout.VerticalSpacing));
    NumColumnsText->SetValue(wxString::Format("%d", layout.NumColumns));
    NumRowsText->SetValue(wxString::Format("%d", layout.NumRows));
    BackOffsetXText->SetValue(FormatInches(layout.BackOffsetX));
    BackOffsetYText->SetValue(FormatInches(layout.BackOffsetY));
    FlipEdgeChoice->SetSelection(layout.FlipShortEdge ? 1 : 0);
    CutMarksCheck->SetValue(layout.CutMarks);
}

void mnePrintDialog::StoreLayout()
{
    PageLayout& layout = Options.PageLayouts[Options.PrintPageLayout];
    layout.Width = ParseInches(WidthText->GetValue());
    layout.Height = ParseInches(HeightText->GetValue());
    layout.LeftMargin = ParseInches(LeftMarginText->GetValue());
    layout.RightMargin = ParseInches(RightMarginText->GetValue());
    layout.TopMargin = ParseInches(TopMarginText->GetValue());
    layout.BottomMargin = ParseInches(BottomMarginText->GetValue());
    layout.HorizontalSpacing = ParseInches(HorizontalSpacingText->GetValue());
    layout.VerticalSpacing = ParseInches(VerticalSpacingText->GetValue());
    layout.NumColumns = ParseCount(NumColumnsText->GetValue());
    layout.NumRows = ParseCount(NumRowsText->GetValue());
    // An offset read off an alignment sheet is finer than the field shows; an untouched field
    // keeps it whole.
    const auto offset = [](const wxTextCtrl* field, double stored)
    {
        return field->GetValue() == FormatInches(stored)
                   ? stored
                   : ClampBackOffset(ParseInches(field->GetValue()));
    };
    layout.BackOffsetX = offset(BackOffsetXText, layout.BackOffsetX);
    layout.BackOffsetY = offset(BackOffsetYText, layout.BackOffsetY);
    layout.FlipShortEdge = FlipEdgeChoice->GetSelection() == 1;
    layout.CutMarks = CutMarksCheck->GetValue();
    SaveOptions();
}

double mnePrintDialog::ParseInches(const wxString& text)
{
    wxString number = text;
    number.Replace("\"", wxEmptyString);
    // Read in the user's language, as the fields are written: "8,50" in German.
    const double inches = std::strtod(number.utf8_string().c_str(), nullptr);
    return std::isfinite(inches) ? inches : 0;
}

int mnePrintDialog::ParseCount(const wxString& text)
{
    const long value = std::strtol(text.utf8_string().c_str(), nullptr, 10);
    return static_cast<int>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

wxString mnePrintDialog::DescribeFont(const wxFont& font)
{
    if (!font.IsOk())
        return wxEmptyString;
    wxString text = font.GetFaceName().Strip(wxString::both);
    if (text.empty())
    {
        switch (font.GetFamily())
        {
        case wxFONTFAMILY_DEFAULT:
            // TRANSLATORS: font family on the print font button.
            text = _("Default");
            break;
        case wxFONTFAMILY_DECORATIVE:
            text = _("Decorative");
            break;
        case wxFONTFAMILY_ROMAN:
            text = _("Roman");
            break;
        case wxFONTFAMILY_SCRIPT:
            text = _("Script");
            break;
        case wxFONTFAMILY_SWISS:
            text = _("Swiss");
            break;
        case wxFONTFAMILY_MODERN:
            text = _("Modern");
            break;
        default:
            break;
        }
    }
    text += wxString::Format(" %dpt", font.GetPointSize());
    if (font.GetStyle() == wxFONTSTYLE_ITALIC)
        text += ", " + _("Italic");
    else if (font.GetStyle() == wxFONTSTYLE_SLANT)
        text += ", " + _("Slant");
    if (font.GetWeight() == wxFONTWEIGHT_LIGHT)
        text += ", " + _("Light");
    else if (font.GetWeight() == wxFONTWEIGHT_BOLD)
        text += ", " + _("Bold");
    if (font.GetUnderlined())
        text += ", " + _("Underlined");
    return text;
}
