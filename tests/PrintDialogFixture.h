// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog opened on a deck of three text cards, its buttons clicked as events, and an
// answer for the platform print dialog.
#ifndef MNEMORA_TESTS_PRINTDIALOGFIXTURE_H
#define MNEMORA_TESTS_PRINTDIALOGFIXTURE_H

#include <wx/filename.h>
#include <wx/gtk/print.h>
#include <wx/prntbase.h>

#include <gtest/gtest.h>

#include "GuiTest.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/mnePrintDialog.h"

/// The print dialog's button ids.
enum
{
    idSaveLayout = 10000,
    idDeleteLayout = 10001,
    idPrintPreview = 10004,
    idAlignmentSheet = 10006
};

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

#endif
