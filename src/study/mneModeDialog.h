// SPDX-License-Identifier: GPL-3.0-or-later
// The study mode dialog: Learn, Quiz or Review.
#ifndef MNEMORA_STUDY_MNEMODEDIALOG_H
#define MNEMORA_STUDY_MNEMODEDIALOG_H

#include <wx/dialog.h>

class wxRadioButton;

/// Lets the user choose Options.TestMode; the caller presets and reads the radio buttons.
class mneModeDialog : public wxDialog
{
public:
    /// Ids of this window's controls; other windows use the same numbers for their own.
    enum WindowIds
    {
        idLearn = 10000,
        idQuiz,
        idReview
    };
    static_assert(idReview == 10002, "ids are numbered as before");

    explicit mneModeDialog(wxWindow* parent);

    wxRadioButton* LearnRadio = nullptr;  ///< id 10000
    wxRadioButton* QuizRadio = nullptr;   ///< id 10001
    wxRadioButton* ReviewRadio = nullptr; ///< id 10002

private:
    void OnRadio(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};

#endif
