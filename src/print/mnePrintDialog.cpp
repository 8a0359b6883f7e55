// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog's controls and its layout, font and print commands.
#include "print/mnePrintDialog.h"

#include <wx/cmndata.h>
#include <wx/filename.h>
#include <wx/filedlg.h>
#include <wx/fontdlg.h>
#include <wx/msgdlg.h>
#include <wx/print.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include <memory>
#include <vector>

#include "app/ButtonStyle.h"
#include "app/Options.h"
#include "app/PanelHeader.h"
#include "deck/mnemora.h"
#include "print/MneDoubleSidedPrintout.h"
#include "print/MneSingleSidedPrintout.h"
#include "print/MneStudySheetPrintout.h"
#include "print/PdfExport.h"
#include "print/mnePrintPreview.h"

namespace
{
PageLayout& SelectedLayout()
{
    return Options.PageLayouts[Options.PrintPageLayout];
}

int FindLayout(const wxString& name)
{
    for (size_t i = 0; i < Options.PageLayouts.size(); ++i)
        if (Options.PageLayouts[i].Name == name)
            return static_cast<int>(i);
    return -1;
}
} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(mnePrintDialog, wxDialog)
    EVT_COMBOBOX(idLayoutCombo, mnePrintDialog::OnLayoutSelected)
    EVT_BUTTON(idSaveLayout, mnePrintDialog::OnSaveLayout)
    EVT_BUTTON(idDeleteLayout, mnePrintDialog::OnDeleteLayout)
    EVT_BUTTON(idCardFont, mnePrintDialog::OnCardFont)
    EVT_BUTTON(wxID_OK, mnePrintDialog::OnPrint)
    EVT_BUTTON(idPrintPreview, mnePrintDialog::OnPrintPreview)
    EVT_BUTTON(idSavePdf, mnePrintDialog::OnSavePdf)
    EVT_BUTTON(idAlignmentSheet, mnePrintDialog::OnAlignmentSheet)
wxEND_EVENT_TABLE()

mnePrintDialog::mnePrintDialog(wxWindow* parent, int printType)
    : wxDialog(parent, wxID_ANY, wxEmptyString), PrintType(printType)
// clang-format on
{
    const wxString titles[] = {_("Print Study Sheet"), _("Print Single Sided Cards"),
                               _("Print Double Sided Cards")};
    SetTitle(titles[printType >= 0 && printType <= 2 ? printType : 0]);

    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    // The header's own border keeps 10 pixels round the row and 20 between its texts.
    top->Add(new PanelHeader(this,
                             _("Choose the layout and format of your cards\nbelow, then press "
                               "the Print button."),
                             _("Print Cards"), 10),
             0, wxEXPAND);

    wxStaticBoxSizer* layoutBox = new wxStaticBoxSizer(wxVERTICAL, this, _("Page Layout"));
    wxWindow* box = layoutBox->GetStaticBox();
    wxBoxSizer* comboRow = new wxBoxSizer(wxHORIZONTAL);
    LayoutCombo = new wxComboBox(box, idLayoutCombo, wxEmptyString, wxDefaultPosition,
                                 wxDefaultSize, 0, nullptr, wxCB_DROPDOWN);
    for (const PageLayout& layout : Options.PageLayouts)
        LayoutCombo->Append(layout.Name);
    comboRow->Add(LayoutCombo, 1, wxALIGN_CENTER_VERTICAL);
    comboRow->Add(LabelSizedButton(box, idSaveLayout, _("&Save")), 0, wxLEFT, 5);
    comboRow->Add(LabelSizedButton(box, idDeleteLayout, _("&Delete")), 0, wxLEFT, 5);
    layoutBox->Add(comboRow, 0, wxEXPAND | wxALL, 5);

    wxFlexGridSizer* size = new wxFlexGridSizer(4, 5, 0);
    WidthText = AddField(size, _("Page dimensions:"));
    // TRANSLATORS: between the page width and height, as in 8.50" x 11.00".
    size->Add(new wxStaticText(box, wxID_ANY, _("x")), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    HeightText = NewField(box);
    size->Add(HeightText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    layoutBox->Add(size, 0, wxALL, 5);

    wxFlexGridSizer* margins = new wxFlexGridSizer(4, 5, 0);
    LeftMarginText = AddField(margins, _("Left margin:"));
    RightMarginText = AddField(margins, _("Right margin:"));
    TopMarginText = AddField(margins, _("Top margin:"));
    BottomMarginText = AddField(margins, _("Bottom margin:"));
    layoutBox->Add(margins, 0, wxALL, 5);

    wxFlexGridSizer* grid = new wxFlexGridSizer(4, 5, 0);
    HorizontalSpacingText = AddField(grid, _("Horizontal spacing:"));
    NumColumnsText = AddField(grid, _("Number of columns:"));
    VerticalSpacingText = AddField(grid, _("Vertical spacing:"));
    NumRowsText = AddField(grid, _("Number of rows:"));
    layoutBox->Add(grid, 0, wxALL, 5);

    // Double-sided cards: where the backs land, and the alignment sheet that measures it.
    wxFlexGridSizer* back = new wxFlexGridSizer(4, 5, 0);
    BackOffsetXText = AddField(back, _("Back offset across:"));
    BackOffsetYText = AddField(back, _("Back offset down:"));
    layoutBox->Add(back, 0, wxALL, 5);
    wxBoxSizer* sheet = new wxBoxSizer(wxHORIZONTAL);
    const wxString edges[] = {_("Flip on long edge"), _("Flip on short edge")};
    FlipEdgeChoice = new wxChoice(box, wxID_ANY, wxDefaultPosition, wxDefaultSize, 2, edges);
    sheet->Add(FlipEdgeChoice, 0, wxALIGN_CENTER_VERTICAL);
    sheet->Add(LabelSizedButton(box, idAlignmentSheet, _("Print Alignment Sheet...")), 0,
               wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
    layoutBox->Add(sheet, 0, wxALL, 5);
    CutMarksCheck = new wxCheckBox(box, wxID_ANY, _("Cut marks"));
    layoutBox->Add(CutMarksCheck, 0, wxALL, 5);
    if (printType != ptDoubleSided)
    {
        layoutBox->Hide(back, true);
        layoutBox->Hide(sheet, true);
    }
    // A study sheet has no cells to cut.
    if (printType != ptDoubleSided && printType != ptSingleSided)
        CutMarksCheck->Hide();
    top->Add(layoutBox, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);

    wxStaticBoxSizer* formatBox = new wxStaticBoxSizer(wxHORIZONTAL, this, _("Card Format"));
    formatBox->Add(new wxStaticText(formatBox->GetStaticBox(), wxID_ANY, _("Card font:")), 0,
                   wxALIGN_CENTER_VERTICAL | wxALL, 5);
    FontButton = new wxButton(formatBox->GetStaticBox(), idCardFont, wxEmptyString);
    formatBox->Add(FontButton, 1, wxALIGN_CENTER_VERTICAL | wxALL, 10);
    top->Add(formatBox, 0, wxEXPAND | wxTOP | wxLEFT | wxRIGHT, 10);

    wxBoxSizer* buttons = new wxBoxSizer(wxHORIZONTAL);
    wxButton* print = new wxButton(this, wxID_OK, _("Print"));
    print->SetDefault();
    buttons->Add(print, 0, wxLEFT | wxRIGHT, 5);
    buttons->Add(new wxButton(this, idPrintPreview, _("Print Preview")), 0, wxLEFT | wxRIGHT, 5);
    buttons->Add(new wxButton(this, idSavePdf, _("Save as &PDF...")), 0, wxLEFT | wxRIGHT, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, _("Cancel")), 0, wxLEFT | wxRIGHT, 5);
    top->Add(buttons, 0, wxALIGN_CENTER | wxALL, 15);

    SetSizerAndFit(top);
}

wxTextCtrl* mnePrintDialog::NewField(wxWindow* box)
{
    wxTextCtrl* field =
        new wxTextCtrl(box, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(50, -1));
    // 50 pixels, or wider where the theme's padding would hide part of a length like 10.00".
    const int needed = field->GetSizeFromTextSize(field->GetTextExtent("10.00\"")).x;
    if (needed > 50)
        field->SetMinSize(wxSize(needed, -1));
    return field;
}

wxTextCtrl* mnePrintDialog::AddField(wxSizer* grid, const wxString& label)
{
    wxWindow* box = LayoutCombo->GetParent();
    grid->Add(new wxStaticText(box, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
    wxTextCtrl* field = NewField(box);
    grid->Add(field, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 10);
    return field;
}

bool mnePrintDialog::TransferDataToWindow()
{
    ShowLayout();
    FontButton->SetLabel(DescribeFont(Options.PrintCardFont));
    return true;
}

bool mnePrintDialog::TransferDataFromWindow()
{
    StoreLayout();
    SaveOptions();
    TransferDataToWindow();
    return true;
}

bool mnePrintDialog::CheckLayout()
{
    TransferDataFromWindow();
    const PageLayout& layout = SelectedLayout();
    if (layout.NumRows <= 0 || layout.NumColumns <= 0)
    {
        wxMessageBox(_("Number of rows and columns must be positive integers."), "Mnemora",
                     wxOK | wxICON_EXCLAMATION, this);
        return false;
    }
    if (PrintType == ptSingleSided && layout.NumColumns % 2 == 1 && layout.NumColumns >= 3)
    {
        wxMessageBox(
            _("Number of columns must be either an even number or 1 for single sided printing."),
            "Mnemora", wxOK | wxICON_EXCLAMATION, this);
        return false;
    }
    return true;
}

wxPrintoutManager* mnePrintDialog::CreatePrintout(bool backSide) const
{
    if (PrintType == ptSingleSided)
        return new MneSingleSidedPrintout;
    if (PrintType == ptDoubleSided)
        return new MneDoubleSidedPrintout(backSide);
    return new MneStudySheetPrintout;
}

void mnePrintDialog::SetPaper(wxPrintData& data) const
{
    const PageLayout& layout = SelectedLayout();
    data.SetPaperId(wxPAPER_NONE);
    data.SetPaperSize(
        wxSize(static_cast<int>(layout.Width * 25.4), static_cast<int>(layout.Height * 25.4)));
}

void mnePrintDialog::OnLayoutSelected(wxCommandEvent&)
{
    StoreLayout();
    const int found = FindLayout(LayoutCombo->GetValue());
    if (found < 0)
        return;
    Options.PrintPageLayout = found;
    ShowLayout();
}

void mnePrintDialog::OnSaveLayout(wxCommandEvent&)
{
    const wxString name = LayoutCombo->GetValue();
    const int found = FindLayout(name);
    if (found >= 0)
        Options.PrintPageLayout = found;
    else
    {
        Options.PrintPageLayout = static_cast<int>(Options.PageLayouts.size());
        PageLayout layout;
        layout.Name = name;
        Options.PageLayouts.push_back(layout);
        LayoutCombo->Append(name);
    }
    StoreLayout();
}

void mnePrintDialog::OnDeleteLayout(wxCommandEvent&)
{
    if (Options.PageLayouts.size() <= 1)
        return;
    const int found = FindLayout(LayoutCombo->GetValue());
    if (found < 0)
        return;
    Options.PrintPageLayout = 0;
    Options.PageLayouts.erase(Options.PageLayouts.begin() + found);
    LayoutCombo->Delete(static_cast<unsigned int>(found));
    TransferDataToWindow();
}

void mnePrintDialog::OnCardFont(wxCommandEvent&)
{
    wxFontData data;
    data.SetInitialFont(Options.PrintCardFont);
    data.SetColour(Options.PrintCardFontColor);
    wxFontDialog dialog(this, data);
    if (dialog.ShowModal() == wxID_CANCEL)
        return;
    const wxFontData& chosen = dialog.GetFontData();
    if (!chosen.GetChosenFont().IsOk())
        return;
    Options.PrintCardFont = chosen.GetChosenFont();
    Options.PrintCardFontColor = chosen.GetColour();
    SaveOptions();
    FontButton->SetLabel(DescribeFont(Options.PrintCardFont));
}

bool mnePrintDialog::PrintOne(wxPrintoutManager* printout)
{
    const std::unique_ptr<wxPrintoutManager> owned(printout);
    wxPrintDialogData dialogData;
    SetPaper(dialogData.GetPrintData());
    wxPrinter printer(&dialogData);
    if (printer.Print(this, printout, true))
        return true;
    if (wxPrinter::GetLastError() == wxPRINTER_ERROR)
        wxMessageBox(_("There was a problem printing.\nYour printer may not be set up correctly."),
                     "Mnemora", wxOK | wxICON_EXCLAMATION, this);
    return false;
}

void mnePrintDialog::OnPrint(wxCommandEvent&)
{
    if (!CheckLayout())
        return;
    TransferDataFromWindow();
    const bool twoPasses = PrintType == ptDoubleSided;
    if (PrintPasses(CreatePrintout(false), twoPasses ? CreatePrintout(true) : nullptr) && twoPasses)
        EndModal(wxID_OK);
}

void mnePrintDialog::OnPrintPreview(wxCommandEvent&)
{
    if (!CheckLayout())
        return;
    // One print data object for every preview of the run.
    static wxPrintData* previewData = new wxPrintData;
    SetPaper(*previewData);
    wxPrintoutManager* printout = CreatePrintout(false);
    printout->ScaleToDevice = true;
    mnePrintPreview* preview = new mnePrintPreview(printout, nullptr, previewData);
    preview->SetZoom(100);
    wxPreviewFrame* frame =
        new wxPreviewFrame(preview, this, _("Mnemora Print Preview"), wxDefaultPosition,
                           wxDefaultSize, wxDEFAULT_FRAME_STYLE, "frame");
    // A plain frame's close box does nothing while this dialog is modal; a dialog's does.
    frame->SetExtraStyle(frame->GetExtraStyle() | wxTOPLEVEL_EX_DIALOG);
    frame->Maximize();
    frame->Centre();
    frame->Initialize();
    frame->Show();
}

void mnePrintDialog::OnSavePdf(wxCommandEvent&)
{
    if (!CheckLayout())
        return;
    std::vector<std::unique_ptr<wxPrintoutManager>> printouts;
    printouts.emplace_back(CreatePrintout(false));
    // Double-sided cards go sheet by sheet, front and back, ready for a duplex printer.
    if (PrintType == ptDoubleSided)
        printouts.emplace_back(CreatePrintout(true));
    std::vector<wxPrintoutManager*> passes;
    for (const auto& printout : printouts)
        passes.push_back(printout.get());
    SavePdf(passes);
}

bool mnePrintDialog::SavePdf(const std::vector<wxPrintoutManager*>& passes)
{
    wxFileDialog dialog(this, _("Save the cards as a PDF"), Options.DataDirectory,
                        FileName.GetName() + ".pdf", _("PDF documents (*.pdf)|*.pdf"),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK)
        return false;
    Options.DataDirectory = wxFileName(dialog.GetPath()).GetPath();
    SaveOptions();
    if (PrintToPdf(passes, SelectedLayout(), dialog.GetPath(), this))
        return true;
    wxMessageBox(_("The PDF could not be written."), "Mnemora", wxOK | wxICON_EXCLAMATION, this);
    return false;
}
