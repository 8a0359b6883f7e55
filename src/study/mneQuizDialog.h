// SPDX-License-Identifier: GPL-3.0-or-later
// The results of a finished quiz: grade, comment, counts, time and the text report.
#ifndef MNEMORA_STUDY_MNEQUIZDIALOG_H
#define MNEMORA_STUDY_MNEQUIZDIALOG_H

#include <wx/dialog.h>

#include <functional>

class wxButton;
class wxStaticText;

/// Shown modally by the study panel after the last card of a quiz.
class mneQuizDialog : public wxDialog
{
public:
    /// Ids of this window's controls; other windows use the same numbers for their own.
    enum WindowIds
    {
        idViewResults = 10000
    };

    /// Builds the dialog from the finished run; parent is the study panel.
    explicit mneQuizDialog(wxWindow* parent);

    wxStaticText* GradeText = nullptr;   ///< "Grade: A- (90.00%)"
    wxStaticText* CommentText = nullptr; ///< The comment on the score.
    wxStaticText* CountsText = nullptr;  ///< Correct and incorrect answers.
    wxStaticText* TimeText = nullptr;    ///< The time taken; null when the timer is hidden.
    wxButton* ViewButton = nullptr;      ///< "View Quiz Results"
    wxString ReportPath;                 ///< The report written last; empty before.

private:
    void OnViewResults(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    wxDECLARE_EVENT_TABLE();
};

/// Shows a written report file; tests replace it so that nothing is really opened.
extern std::function<void(const wxString& reportPath)> ShowReportFile;

/// The default of ShowReportFile: the desktop's default application for text/plain, else the
/// open command that the file-type database gives for "txt"; nothing when there is neither.
void OpenInTextViewer(const wxString& reportPath);

/// The file-type database's open command for a ".txt" file; empty when there is none.
wxString MimeOpenCommand(const wxString& path);

#endif
