// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog: choose, edit, save and delete page layouts, pick the print font, then print,
// preview or save the cards as a PDF.
#ifndef MNEMORA_PRINT_MNEPRINTDIALOG_H
#define MNEMORA_PRINT_MNEPRINTDIALOG_H

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/font.h>
#include <wx/textctrl.h>

#include <vector>

class wxPrintData;
class wxPrintoutManager;

/// Print types the dialog is opened with.
enum PrintTypes
{
    ptStudySheet = 0,
    ptSingleSided = 1,
    ptDoubleSided = 2
};

/// Modal dialog that edits the selected page layout in place and starts printing.
class mnePrintDialog : public wxDialog
{
public:
    /// Ids of this window's controls; other windows use the same numbers for their own.
    enum WindowIds
    {
        idSaveLayout = 10000,
        idDeleteLayout,
        idLayoutCombo,
        idCardFont,
        idPrintPreview,
        idSavePdf,
        idAlignmentSheet
    };
    static_assert(idPrintPreview == 10004, "ids are numbered as before");

    /// printType is one of PrintTypes.
    mnePrintDialog(wxWindow* parent, int printType);

    bool TransferDataToWindow() override;
    bool TransferDataFromWindow() override;

    /// Writes the selected layout into the controls.
    void ShowLayout();
    /// Reads the fields into the selected layout and saves the settings.
    void StoreLayout();
    /// Stores the fields and checks rows and columns; false (after a message) when printing
    /// may not go on.
    bool CheckLayout();
    /// A new printout of the dialog's print type; backSide picks the double-sided back pass.
    wxPrintoutManager* CreatePrintout(bool backSide) const;

    /// The text as inches: double-quote characters dropped, the leading number read, 0 if none.
    static double ParseInches(const wxString& text);
    /// A count: the leading decimal integer, 0 if none.
    static int ParseCount(const wxString& text);
    /// The font button's label: face (or family), size and style words.
    static wxString DescribeFont(const wxFont& font);
    /// The message between the passes of double-sided cards, for the layout's flip edge.
    static wxString FlipMessage(bool shortEdge);

    /// The print type the dialog was opened with.
    const int PrintType;

    wxComboBox* LayoutCombo = nullptr;
    wxTextCtrl* WidthText = nullptr;
    wxTextCtrl* HeightText = nullptr;
    wxTextCtrl* LeftMarginText = nullptr;
    wxTextCtrl* RightMarginText = nullptr;
    wxTextCtrl* TopMarginText = nullptr;
    wxTextCtrl* BottomMarginText = nullptr;
    wxTextCtrl* HorizontalSpacingText = nullptr;
    wxTextCtrl* NumColumnsText = nullptr;
    wxTextCtrl* VerticalSpacingText = nullptr;
    wxTextCtrl* NumRowsText = nullptr;
    wxTextCtrl* BackOffsetXText = nullptr;
    wxTextCtrl* BackOffsetYText = nullptr;
    /// "Flip on long edge" (0) or "Flip on short edge" (1).
    wxChoice* FlipEdgeChoice = nullptr;
    wxCheckBox* CutMarksCheck = nullptr;
    wxButton* FontButton = nullptr;

private:
    wxTextCtrl* AddField(wxSizer* grid, const wxString& label);
    /// A length or count field, wide enough to show a length whole.
    static wxTextCtrl* NewField(wxWindow* box);
    /// Print data for a custom paper of the selected layout, in whole millimetres.
    void SetPaper(wxPrintData& data) const;
    /// Prints one printout with the platform dialog; false after a cancel or an error (shown).
    bool PrintOne(wxPrintoutManager* printout);
    /// Prints front, then (when given) asks to turn the sheets and prints back; takes both.
    bool PrintPasses(wxPrintoutManager* front, wxPrintoutManager* back);
    /// Asks for a file and writes the passes into it as one PDF; false after a cancel or an
    /// error (shown).
    bool SavePdf(const std::vector<wxPrintoutManager*>& passes);

    void OnLayoutSelected(wxCommandEvent& event);
    void OnSaveLayout(wxCommandEvent& event);
    void OnDeleteLayout(wxCommandEvent& event);
    void OnCardFont(wxCommandEvent& event);
    void OnPrint(wxCommandEvent& event);
    void OnPrintPreview(wxCommandEvent& event);
    void OnSavePdf(wxCommandEvent& event);
    void OnAlignmentSheet(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};

#endif
