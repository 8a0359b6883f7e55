// SPDX-License-Identifier: GPL-3.0-or-later
// The double-sided settings of a page layout: the store's keys, the print dialog's fields, the
// message between the passes, the alignment sheet's question, and the preview's close box.
#include <wx/config.h>

#include <gtk/gtk.h>

#include <gtest/gtest.h>

#include <cmath>

#include "GuiTest.h"
#include "PdfTools.h"
#include "PrintDialogFixture.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/mneAlignmentDialog.h"

namespace
{
/// Types two readings into the alignment sheet's question.
class ExpectReading : public wxExpectModalBase<mneAlignmentDialog>
{
public:
    ExpectReading(const wxString& across, const wxString& down, int answer)
        : m_across(across), m_down(down), m_answer(answer)
    {
    }

protected:
    int OnInvoked(mneAlignmentDialog* dialog) const override
    {
        dialog->AcrossText->SetValue(m_across);
        dialog->DownText->SetValue(m_down);
        return m_answer;
    }

private:
    wxString m_across, m_down;
    int m_answer;
};
} // namespace

TEST_F(PrintDialogTest, KeysMissingPresentAndHostile)
{
    wxConfigBase* config = wxConfigBase::Get();
    config->Write("PrintPageLayoutCount", 1L);
    config->Write("PrintPageLayout0\\Name", "alt");
    LoadOptions();
    EXPECT_EQ(Options.PageLayouts[0].BackOffsetX, 0);
    EXPECT_EQ(Options.PageLayouts[0].BackOffsetY, 0);
    EXPECT_FALSE(Options.PageLayouts[0].FlipShortEdge);
    EXPECT_FALSE(Options.PageLayouts[0].CutMarks);

    const struct
    {
        const char *offset, *flag;
        double inches;
        bool on;
    } cases[] = {{"0.25", "1", 0.25, true}, {"-0.0625", "0", -0.0625, false},
                 {"nan", "x", 0, false},    {"inf", "7", 0, true},
                 {"-inf", "-3", 0, false},  {"3.5", "", 1, false},
                 {"-12", "1e9", -1, false}, {"Zoll", "99999999999999999999", 0, true}};
    for (const auto& c : cases)
    {
        config->Write("PrintPageLayout0\\BackOffsetX", c.offset);
        config->Write("PrintPageLayout0\\BackOffsetY", c.offset);
        config->Write("PrintPageLayout0\\FlipShortEdge", c.flag);
        config->Write("PrintPageLayout0\\CutMarks", c.flag);
        LoadOptions();
        EXPECT_EQ(Options.PageLayouts[0].BackOffsetX, c.inches) << c.offset;
        EXPECT_EQ(Options.PageLayouts[0].BackOffsetY, c.inches) << c.offset;
        EXPECT_EQ(Options.PageLayouts[0].FlipShortEdge, c.on) << c.flag;
        EXPECT_EQ(Options.PageLayouts[0].CutMarks, c.on) << c.flag;
    }
    Options.PageLayouts[0].BackOffsetX = 1.5 / 25.4;
    Options.PageLayouts[0].FlipShortEdge = true;
    SaveOptions();
    LoadOptions();
    EXPECT_DOUBLE_EQ(Options.PageLayouts[0].BackOffsetX, 1.5 / 25.4);
    EXPECT_TRUE(Options.PageLayouts[0].FlipShortEdge);
}

TEST_F(PrintDialogTest, FieldsEditSaveAndKeepTheExactOffset)
{
    Open(ptDoubleSided);
    EXPECT_EQ(Dialog->BackOffsetXText->GetValue(), "0.00\"");
    EXPECT_EQ(Dialog->FlipEdgeChoice->GetStringSelection(), "Flip on long edge");
    EXPECT_FALSE(Dialog->CutMarksCheck->GetValue());
    // An offset from an alignment sheet survives the fields, which show it rounded.
    Options.PageLayouts[0].BackOffsetX = 1.5 / 25.4;
    Dialog->ShowLayout();
    EXPECT_EQ(Dialog->BackOffsetXText->GetValue(), "0.06\"");
    Dialog->TransferDataFromWindow();
    EXPECT_EQ(Options.PageLayouts[0].BackOffsetX, 1.5 / 25.4);

    Dialog->BackOffsetXText->SetValue("-0.1\"");
    Dialog->BackOffsetYText->SetValue("4");
    Dialog->FlipEdgeChoice->SetSelection(1);
    Dialog->CutMarksCheck->SetValue(true);
    Dialog->LayoutCombo->SetValue("Kopie");
    Click(idSaveLayout);
    ASSERT_EQ(Options.PrintPageLayout, 3);
    const PageLayout& copy = Options.PageLayouts[3];
    EXPECT_EQ(copy.BackOffsetX, -0.1);
    EXPECT_EQ(copy.BackOffsetY, 1);
    EXPECT_TRUE(copy.FlipShortEdge && copy.CutMarks);
    EXPECT_EQ(wxConfigBase::Get()->ReadDouble("PrintPageLayout3\\BackOffsetX", 0), -0.1);
    EXPECT_EQ(wxConfigBase::Get()->ReadLong("PrintPageLayout3\\FlipShortEdge", 0), 1);
    Dialog->TransferDataFromWindow();
    EXPECT_EQ(Dialog->BackOffsetYText->GetValue(), "1.00\"");

    // The study sheet has no cells to line up or cut.
    Dialog->Destroy();
    Open(ptStudySheet);
    EXPECT_FALSE(Dialog->BackOffsetXText->IsShown());
    EXPECT_FALSE(Dialog->CutMarksCheck->IsShown());
}

TEST_F(PrintDialogTest, AlignmentSheetTurnsTheReadingIntoTheOffset)
{
    Options.PageLayouts[0].FlipShortEdge = true;
    Options.PageLayouts[0].BackOffsetX = 0.5 / 25.4;
    Open(ptDoubleSided);
    ExpectMessage turn;
    wxTEST_DIALOG(Click(idAlignmentSheet), ExpectMessage(wxID_YES), ExpectPrintDialog(wxID_OK),
                  turn, ExpectPrintDialog(wxID_OK), ExpectReading("1.5", "-0.8", wxID_OK));
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
    wxTEST_DIALOG(Click(idAlignmentSheet), ExpectMessage(wxID_NO), ExpectFileDialog(pdf),
                  ExpectReading("3", "3", wxID_CANCEL));
    EXPECT_EQ(PdfPages(Output(("pdfinfo '" + pdf + "'").utf8_string())), 2);
    wxTEST_DIALOG(Click(idAlignmentSheet), ExpectMessage(wxID_YES), ExpectPrintDialog(wxID_OK),
                  ExpectMessage(), ExpectPrintDialog(wxID_OK),
                  ExpectReading("nan", "viel", wxID_OK));
    EXPECT_NEAR(Options.PageLayouts[0].BackOffsetX, 2.0 / 25.4, 1e-15);
    // A cancelled print asks nothing more.
    wxTEST_DIALOG(Click(idAlignmentSheet), ExpectMessage(wxID_YES), ExpectPrintDialog(wxID_CANCEL));
    wxTEST_DIALOG(Click(idAlignmentSheet), ExpectMessage(wxID_CANCEL));
}

TEST_F(PrintDialogTest, PreviewClosesFromItsTitleBarWhileTheDialogIsModal)
{
    Open(ptDoubleSided);
    bool closed = false;
    Dialog->CallAfter(
        [&]
        {
            Click(idPrintPreview);
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
