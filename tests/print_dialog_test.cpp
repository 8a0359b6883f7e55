// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog on the real windows: default fields, saving, overwriting and deleting
// layouts, the two refusals, the preview window, and printouts written to PDF files; the
// double-sided settings: the store's keys, the fields, the alignment sheet's question, the
// preview's close box, and default settings exported byte for byte as before they existed.
#include <wx/config.h>
#include <wx/filename.h>
#include <wx/gtk/print.h>
#include <wx/prntbase.h>
#include <wx/utils.h>

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>
#include <tuple>

#include "FrameFixture.h"
#include "GuiTest.h"
#include "PdfTools.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/MneDoubleSidedPrintout.h"
#include "print/MneSingleSidedPrintout.h"
#include "print/MneStudySheetPrintout.h"
#include "print/PdfExport.h"
#include "print/mnePrintDialog.h"
#include "print/mnePrintPreview.h"
#include "print/mneAlignmentDialog.h"

namespace
{
class PrintDialogTest : public testing::Test
{
protected:
    void SetUp() override
    {
        UseFreshConfig();
        LoadOptions();
        ResetDeck();
        FileName = wxFileName("/tmp/Vokabeln.mnd");
        for (int i = 0; i < 3; ++i)
        {
            Card card;
            card.Question = wxString::Format("Frage %d", i);
            card.Answer = wxString::Format("Antwort %d", i);
            Cards.push_back(card);
        }
    }

    void TearDown() override
    {
        if (Dialog)
            Dialog->Destroy();
        YieldFor(20);
    }

    void Open(int printType)
    {
        Dialog = new mnePrintDialog(nullptr, printType);
        Dialog->TransferDataToWindow();
    }

    void Click(int id)
    {
        wxCommandEvent event(wxEVT_BUTTON, id);
        event.SetEventObject(Dialog);
        Dialog->GetEventHandler()->ProcessEvent(event);
    }

    /// The open preview frames, newest last.
    static wxPreviewFrame* PreviewFrame()
    {
        wxPreviewFrame* found = nullptr;
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* frame = dynamic_cast<wxPreviewFrame*>(window))
                if (!frame->IsBeingDeleted())
                    found = frame;
        return found;
    }

    mnePrintDialog* Dialog = nullptr;
};
} // namespace

TEST_F(PrintDialogTest, ShowsTheSelectedLayout)
{
    Open(ptSingleSided);
    EXPECT_EQ(Dialog->GetTitle(), "Print Single Sided Cards");
    EXPECT_EQ(Dialog->LayoutCombo->GetValue(), "8.5\" x 11\" Letter - 2 by 4 cards");
    EXPECT_EQ(Dialog->LayoutCombo->GetCount(), 3u);
    EXPECT_EQ(Dialog->WidthText->GetValue(), "8.50\"");
    EXPECT_EQ(Dialog->HeightText->GetValue(), "11.00\"");
    for (wxTextCtrl* margin : {Dialog->LeftMarginText, Dialog->RightMarginText,
                               Dialog->TopMarginText, Dialog->BottomMarginText})
        EXPECT_EQ(margin->GetValue(), "0.50\"");
    EXPECT_EQ(Dialog->HorizontalSpacingText->GetValue(), "0.20\"");
    EXPECT_EQ(Dialog->VerticalSpacingText->GetValue(), "0.20\"");
    EXPECT_EQ(Dialog->NumColumnsText->GetValue(), "2");
    EXPECT_EQ(Dialog->NumRowsText->GetValue(), "4");
    EXPECT_EQ(Dialog->FontButton->GetLabel(), "Arial 10pt");

    EXPECT_DOUBLE_EQ(mnePrintDialog::ParseInches("2.75\""), 2.75);
    EXPECT_DOUBLE_EQ(mnePrintDialog::ParseInches(" 3\"x"), 3);
    EXPECT_DOUBLE_EQ(mnePrintDialog::ParseInches("zwei"), 0);
    EXPECT_DOUBLE_EQ(mnePrintDialog::ParseInches("inf"), 0);
    EXPECT_DOUBLE_EQ(mnePrintDialog::ParseInches("nan\""), 0);
    EXPECT_EQ(mnePrintDialog::ParseCount("12 Zeilen"), 12);
    EXPECT_EQ(mnePrintDialog::ParseCount("viele"), 0);
    EXPECT_EQ(mnePrintDialog::ParseCount("99999999999999"), INT_MAX);
    const wxFont font(12, wxFONTFAMILY_ROMAN, wxFONTSTYLE_ITALIC, wxFONTWEIGHT_BOLD, true,
                      "  DejaVu Serif ");
    EXPECT_EQ(mnePrintDialog::DescribeFont(font), "DejaVu Serif 12pt, Italic, Bold, Underlined");
}

TEST_F(PrintDialogTest, SaveOverwriteAndDeleteLayouts)
{
    Open(ptDoubleSided);
    Dialog->LayoutCombo->SetValue("Postkarte");
    Dialog->WidthText->SetValue("5.83");
    Dialog->HeightText->SetValue("4.13\"");
    Dialog->BackOffsetXText->SetValue("-0.1\"");
    Dialog->BackOffsetYText->SetValue("4");
    Dialog->FlipEdgeChoice->SetSelection(1);
    Dialog->CutMarksCheck->SetValue(true);
    Click(mnePrintDialog::idSaveLayout);
    ASSERT_EQ(Options.PageLayouts.size(), 4u);
    EXPECT_EQ(Options.PrintPageLayout, 3);
    EXPECT_EQ(Options.PageLayouts[3].Name, "Postkarte");
    EXPECT_DOUBLE_EQ(Options.PageLayouts[3].Width, 5.83);
    EXPECT_EQ(Options.PageLayouts[3].NumRows, 4);
    EXPECT_EQ(Dialog->LayoutCombo->GetCount(), 4u);
    EXPECT_EQ(wxConfigBase::Get()->Read("PrintPageLayoutCount", 0L), 4);
    // The back offset is clamped like the other lengths, and all four are stored.
    LoadOptions();
    EXPECT_EQ(Options.PageLayouts[3].BackOffsetX, -0.1);
    EXPECT_EQ(Options.PageLayouts[3].BackOffsetY, 1);
    EXPECT_TRUE(Options.PageLayouts[3].FlipShortEdge && Options.PageLayouts[3].CutMarks);

    Dialog->NumRowsText->SetValue("2");
    Click(mnePrintDialog::idSaveLayout);
    ASSERT_EQ(Options.PageLayouts.size(), 4u);
    EXPECT_EQ(Options.PageLayouts[3].NumRows, 2);

    Click(mnePrintDialog::idDeleteLayout);
    ASSERT_EQ(Options.PageLayouts.size(), 3u);
    EXPECT_EQ(Options.PrintPageLayout, 0);
    EXPECT_EQ(Dialog->LayoutCombo->GetValue(), Options.PageLayouts[0].Name);
    EXPECT_EQ(Dialog->LayoutCombo->GetCount(), 3u);

    Options.PageLayouts.resize(1);
    Click(mnePrintDialog::idDeleteLayout);
    EXPECT_EQ(Options.PageLayouts.size(), 1u);
}

TEST_F(PrintDialogTest, RefusesGridsThatCannotPrint)
{
    Open(ptSingleSided);
    Dialog->NumRowsText->SetValue("0");
    ExpectMessage rows;
    wxTEST_DIALOG(Click(wxID_OK), rows);
    EXPECT_EQ(rows.Message, "Number of rows and columns must be positive integers.");
    EXPECT_EQ(rows.Caption, "Mnemora");
    EXPECT_TRUE(rows.Style & wxICON_EXCLAMATION);
    // What failed is stored all the same.
    EXPECT_EQ(Options.PageLayouts[0].NumRows, 0);

    Dialog->NumRowsText->SetValue("4");
    Dialog->NumColumnsText->SetValue("3");
    ExpectMessage columns;
    wxTEST_DIALOG(Click(mnePrintDialog::idPrintPreview), columns);
    EXPECT_EQ(columns.Message,
              "Number of columns must be either an even number or 1 for single sided printing.");
    EXPECT_EQ(PreviewFrame(), nullptr);
}

TEST_F(PrintDialogTest, PreviewShowsTheLayoutsPaper)
{
    Options.PrintPageLayout = 2;
    Options.PageLayouts[2].NumColumns = 3;
    Open(ptDoubleSided);
    Click(mnePrintDialog::idPrintPreview);
    wxPreviewFrame* frame = PreviewFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetTitle(), "Mnemora Print Preview");
    auto* preview = dynamic_cast<mnePrintPreview*>(frame->GetControlBar()->GetPrintPreview());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetZoom(), 100);
    const wxSize ppi = wxGetDisplayPPI();
    const int resolution = mnePrintPreview::PrinterResolution(wxPrintData());
    const double scale = static_cast<float>(ppi.y) / resolution;
    EXPECT_EQ(preview->PageSizeOnScreen(), wxSize(static_cast<int>(resolution * 6 * scale),
                                                  static_cast<int>(resolution * 4 * scale)));
    EXPECT_NEAR(preview->PageSizeOnScreen().x, 6 * ppi.y, 1);
    frame->Close(true);
}

TEST_F(PrintDialogTest, PrintoutsToPdf)
{
    if (Output("command -v pdfinfo").empty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is missing";
    const wxString dir = MakeTempDir();
    const auto info = [](const wxString& path)
    { return Output("pdfinfo '" + path.utf8_string() + "'"); };
    const auto text = [](const wxString& path, int page)
    {
        return Output(
            wxString::Format("pdftotext -f %d -l %d '%s' -", page, page, path).utf8_string());
    };

    // Index cards, three of them: sheet by sheet, each front followed by its back.
    Options.PrintPageLayout = 2;
    MneDoubleSidedPrintout front(false), back(true);
    const wxString cards = dir + "/karten.pdf";
    ASSERT_TRUE(PrintToPdf({&front, &back}, Options.PageLayouts[2], cards));
    EXPECT_EQ(PdfPages(info(cards)), 6);
    EXPECT_NE(info(cards).find("432 x 288 pts"), std::string::npos) << info(cards);
    EXPECT_NE(text(cards, 5).find("Frage 2"), std::string::npos) << text(cards, 5);
    EXPECT_NE(text(cards, 2).find("Antwort 0"), std::string::npos) << text(cards, 2);

    MneSingleSidedPrintout pairs;
    const wxString pairsPath = dir + "/paare.pdf";
    ASSERT_TRUE(PrintToPdf({&pairs}, Options.PageLayouts[2], pairsPath));
    EXPECT_EQ(PdfPages(info(pairsPath)), 6);
    EXPECT_NE(text(pairsPath, 2).find("Antwort 0"), std::string::npos) << text(pairsPath, 2);

    for (int i = 3; i < 120; ++i)
        Cards.push_back(Cards.back());
    Options.PrintPageLayout = 0;
    MneStudySheetPrintout sheet;
    const wxString sheetPath = dir + "/bogen.pdf";
    ASSERT_TRUE(PrintToPdf({&sheet}, Options.PageLayouts[0], sheetPath));
    EXPECT_NE(info(sheetPath).find("612 x 792 pts"), std::string::npos) << info(sheetPath);
    EXPECT_GT(sheet.PageCount, 1);
    EXPECT_EQ(PdfPages(info(sheetPath)), sheet.PageCount);
    const std::string first = text(sheetPath, 1);
    EXPECT_NE(
        first.find(wxString::Format("Vokabeln.mnd\nPage 1 of %d", sheet.PageCount).utf8_string()),
        std::string::npos)
        << first;
    EXPECT_NE(first.find("Frage 0"), std::string::npos);

    EXPECT_FALSE(PrintToPdf({&sheet}, Options.PageLayouts[0], dir + "/fehlt/bogen.pdf"));
}

namespace
{
/// Answers the platform print dialog without printing.
class ExpectPrintDialog : public wxExpectModalBase<wxGtkPrintDialog>
{
public:
    explicit ExpectPrintDialog(int answer) : m_answer(answer) {}

protected:
    int OnInvoked(wxGtkPrintDialog*) const override { return m_answer; }

private:
    int m_answer;
};
/// Records the print dialog's title and cancels it.
class ExpectOwnPrintDialog : public wxExpectModalBase<mnePrintDialog>
{
public:
    mutable wxString Title;
    mutable int Type = -1;

protected:
    int OnInvoked(mnePrintDialog* dialog) const override
    {
        Title = dialog->GetTitle();
        Type = dialog->PrintType;
        return wxID_CANCEL;
    }
};

/// Types two readings into the alignment sheet's question.
struct ExpectReading : wxExpectModalBase<mneAlignmentDialog>
{
    ExpectReading(const char* across, const char* down, int answer)
        : Across(across), Down(down), Answer(answer)
    {
    }
    int OnInvoked(mneAlignmentDialog* dialog) const override
    {
        dialog->AcrossText->SetValue(Across);
        dialog->DownText->SetValue(Down);
        return Answer;
    }
    const char *Across, *Down;
    int Answer;
};
} // namespace

TEST_F(PrintDialogTest, DoubleSidedPrintAsksToFlipThePages)
{
    Open(ptDoubleSided);
    ExpectMessage flip;
    wxTEST_DIALOG(Click(wxID_OK), ExpectPrintDialog(wxID_OK), flip, ExpectPrintDialog(wxID_CANCEL));
    EXPECT_EQ(flip.Message, "When the printer finishes, flip the pages over horizontally and "
                            "feed them back into the printer.");
    EXPECT_TRUE(flip.Style & wxICON_INFORMATION);

    // A cancelled first pass prints no back side and says nothing.
    wxTEST_DIALOG(Click(wxID_OK), ExpectPrintDialog(wxID_CANCEL));
}

TEST_F(FrameTest, PrintCommandsOpenTheirDialog)
{
    Cards.push_back(Card());
    const wxString titles[] = {"Print Study Sheet", "Print Single Sided Cards",
                               "Print Double Sided Cards"};
    for (int type = 0; type < 3; ++type)
    {
        ExpectOwnPrintDialog dialog;
        wxTEST_DIALOG(Menu(MneFrame::idPrintStudySheet + type), dialog);
        EXPECT_EQ(dialog.Title, titles[type]);
        EXPECT_EQ(dialog.Type, type);
    }
}

TEST_F(PrintDialogTest, DoubleSidedKeysMissingPresentAndHostile)
{
    wxConfigBase* config = wxConfigBase::Get();
    config->Write("PrintPageLayoutCount", 1L);
    config->Write("PrintPageLayout0\\Name", "alt");
    // First a store from before the double-sided settings, which lacks their keys.
    const char* keys[] = {"BackOffsetX", "BackOffsetY", "FlipShortEdge", "CutMarks"};
    for (const auto& [offset, flag, inches, on] :
         {std::tuple<const char*, const char*, double, bool>{nullptr, nullptr, 0, false},
          {"-0.0625", "0", -0.0625, false},
          {"nan", "x", 0, false},
          {"inf", "7", 0, true},
          {"-inf", "-3", 0, false},
          {"3.5", "", 1, false},
          {"-12", "1e9", -1, false},
          {"Zoll", "99999999999999999999", 0, true}})
    {
        SCOPED_TRACE(testing::Message() << (offset ? offset : "missing") << " " << flag);
        for (int key = 0; key < 4 && offset; ++key)
            config->Write(wxString("PrintPageLayout0\\") + keys[key], key < 2 ? offset : flag);
        LoadOptions();
        EXPECT_EQ(Options.PageLayouts[0].BackOffsetX, inches);
        EXPECT_EQ(Options.PageLayouts[0].BackOffsetY, inches);
        EXPECT_EQ(Options.PageLayouts[0].FlipShortEdge, on);
        EXPECT_EQ(Options.PageLayouts[0].CutMarks, on);
    }
}

TEST_F(PrintDialogTest, AlignmentSheetTurnsTheReadingIntoTheOffset)
{
    Options.PageLayouts[0].FlipShortEdge = true;
    Options.PageLayouts[0].BackOffsetX = 0.5 / 25.4;
    Open(ptDoubleSided);
    // The offset of an earlier sheet survives its field, which shows it rounded.
    Dialog->TransferDataFromWindow();
    EXPECT_EQ(Options.PageLayouts[0].BackOffsetX, 0.5 / 25.4);
    ExpectMessage turn;
    wxTEST_DIALOG(Click(mnePrintDialog::idAlignmentSheet), ExpectMessage(wxID_YES),
                  ExpectPrintDialog(wxID_OK), turn, ExpectPrintDialog(wxID_OK),
                  ExpectReading("1.5", "-0.8", wxID_OK));
    EXPECT_EQ(turn.Message, "When the printer finishes, turn the pages over top to bottom and "
                            "feed them back into the printer.");
    EXPECT_NEAR(Options.PageLayouts[0].BackOffsetX, 2.0 / 25.4, 1e-15);
    EXPECT_NEAR(Options.PageLayouts[0].BackOffsetY, -0.8 / 25.4, 1e-15);
    EXPECT_EQ(Dialog->BackOffsetXText->GetValue(), "0.08\"");
    EXPECT_DOUBLE_EQ(wxConfigBase::Get()->ReadDouble("PrintPageLayout0\\BackOffsetX", 0),
                     Options.PageLayouts[0].BackOffsetX);

    // Saved as one PDF of two pages instead; cancelling the question leaves the offset alone,
    // and so does text that is no number.
    const wxString pdf = MakeTempDir() + "/ausrichtung.pdf";
    wxTEST_DIALOG(Click(mnePrintDialog::idAlignmentSheet), ExpectMessage(wxID_NO),
                  ExpectFileDialog(pdf), ExpectReading("3", "3", wxID_CANCEL));
    EXPECT_EQ(PdfPages(Output(("pdfinfo '" + pdf + "'").utf8_string())), 2);
    wxTEST_DIALOG(Click(mnePrintDialog::idAlignmentSheet), ExpectMessage(wxID_YES),
                  ExpectPrintDialog(wxID_OK), ExpectMessage(), ExpectPrintDialog(wxID_OK),
                  ExpectReading("nan", "viel", wxID_OK));
    EXPECT_NEAR(Options.PageLayouts[0].BackOffsetX, 2.0 / 25.4, 1e-15);
    // A cancelled print asks nothing more.
    wxTEST_DIALOG(Click(mnePrintDialog::idAlignmentSheet), ExpectMessage(wxID_YES),
                  ExpectPrintDialog(wxID_CANCEL));
    wxTEST_DIALOG(Click(mnePrintDialog::idAlignmentSheet), ExpectMessage(wxID_CANCEL));

    // The study sheet has no cells to line up or cut.
    Dialog->Destroy();
    Open(ptStudySheet);
    EXPECT_FALSE(Dialog->BackOffsetXText->IsShown() || Dialog->CutMarksCheck->IsShown());
}

TEST_F(PrintDialogTest, PreviewClosesFromItsTitleBarWhileTheDialogIsModal)
{
    Open(ptDoubleSided);
    bool closed = false;
    Dialog->CallAfter(
        [&]
        {
            Click(mnePrintDialog::idPrintPreview);
            if (wxPreviewFrame* frame = PreviewFrame())
            {
                YieldFor(100);
                // What the window manager sends for the close box.
                gtk_window_close(GTK_WINDOW(frame->GetHandle()));
                YieldFor(200);
                closed = PreviewFrame() == nullptr;
            }
            Dialog->EndModal(wxID_CANCEL);
        });
    Dialog->ShowModal();
    EXPECT_TRUE(closed);
}

TEST_F(PrintDialogTest, DefaultSettingsExportEveryPassByteForByte)
{
    // The references were written before the back offset, flip edge and cut marks existed.
    for (int i = 3; i < 11; ++i)
    {
        Cards.push_back(Card());
        Cards.back().Question = wxString::Format("Frage %d", i);
        Cards.back().Answer = wxString::Format("Antwort %d", i);
    }
    // Without the creation and modification dates, which differ from run to run.
    const auto bytes = [](const wxString& path)
    {
        static const std::regex dates("/(CreationDate|ModDate) \\(D:[^)]*\\)");
        return std::regex_replace(ReadFile(path), dates, "/$1 ()");
    };
    const wxString dir = MakeTempDir() + "/";
    const wxString golden = wxString(std::getenv("MNEMORA_SOURCE_DIR")) + "/tests/data/pdf/";
    for (int layout : {0, 2})
    {
        Options.PrintPageLayout = layout;
        MneStudySheetPrintout sheet;
        MneSingleSidedPrintout single;
        MneDoubleSidedPrintout front(false), back(true);
        const std::pair<wxPrintoutManager*, const char*> passes[] = {
            {&sheet, "sheet"}, {&single, "single"}, {&front, "front"}, {&back, "back"}};
        for (const auto& [printout, kind] : passes)
        {
            const wxString name = wxString::Format("%s%d.pdf", kind, layout);
            ASSERT_TRUE(PrintToPdf({printout}, Options.PageLayouts[layout], dir + name));
            EXPECT_TRUE(bytes(dir + name) == bytes(golden + name)) << name;
        }
    }
}
