// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz results dialog and the opening of its report in the desktop's text viewer.
#include "study/mneQuizDialog.h"

#include <wx/button.h>
#include <wx/mimetype.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#ifdef __WXGTK__
#include <gio/gio.h>
#endif

#include <memory>

#include "app/Options.h"
#include "app/mneApp.h"
#include "deck/mnemora.h"
#include "study/MneTestPanel.h"
#include "study/QuizReport.h"

namespace
{
// Each asked card's result: this quiz's own answer where the panel recorded one, otherwise
// the newest entry of the card's history.
bool AnsweredCorrectly(const MneTestPanel* panel, size_t index)
{
    if (panel && index < panel->QuizAnswers.size() && panel->QuizAnswers[index] != 0)
        return panel->QuizAnswers[index] == 'Y';
    const wxString& history = ActiveCards[index]->History;
    return !history.empty() && history.Last() == 'Y';
}

#ifdef __WXGTK__
// Opens the report with the XDG default application for plain text (mimeapps.list), started
// the desktop's way. False when the desktop names no such application; when it names one that
// cannot start, nothing else is tried either, as another program's guess would do no better.
bool OpenWithDefaultApp(const wxString& path)
{
    GAppInfo* app = g_app_info_get_default_for_type("text/plain", FALSE);
    if (!app)
        return false;
    GFile* file = g_file_new_for_path(path.fn_str());
    GList* files = g_list_append(nullptr, file);
    g_app_info_launch(app, files, nullptr, nullptr);
    g_list_free(files);
    g_object_unref(file);
    g_object_unref(app);
    return true;
}
#endif
} // namespace

std::function<void(const wxString&)> ShowReportFile = OpenInTextViewer;

mneQuizDialog::mneQuizDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _("Quiz Results"), wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX)
{
    const int total = static_cast<int>(ActiveCards.size());
    const double percentage = QuizPercentage(QuizCorrectCount, total);
    wxBoxSizer* sizer = new wxBoxSizer(wxVERTICAL);

    GradeText =
        new wxStaticText(this, wxID_ANY,
                         wxString::Format(_("Grade: %s (%.2f%%)"),
                                          GradeLetter(static_cast<float>(percentage)), percentage));
    GradeText->SetFont(wxFont(24, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_NORMAL));
    sizer->Add(GradeText, 0, wxALIGN_CENTER | wxALL, 10);

    CommentText = new wxStaticText(this, wxID_ANY,
                                   QuizComment(percentage, QuizClock().GetHour(wxDateTime::Local)));
    sizer->Add(CommentText, 0, wxALIGN_CENTER | wxALL, 10);

    CountsText = new wxStaticText(this, wxID_ANY,
                                  wxString::Format(_("Correct answers: %d\nIncorrect answers: %d"),
                                                   QuizCorrectCount, total - QuizCorrectCount));
    sizer->Add(CountsText, 0, wxALIGN_CENTER | wxALL, 10);

    if (Options.ShowTimer)
    {
        const MneTestPanel* panel = dynamic_cast<MneTestPanel*>(parent);
        TimeText = new wxStaticText(this, wxID_ANY,
                                    _("Time taken: ") +
                                        (panel ? panel->TimerLabel->GetLabel() : wxString()));
        sizer->Add(TimeText, 0, wxALIGN_CENTER | wxALL, 10);
    }

    ViewButton = new wxButton(this, idViewResults, _("View Quiz Results"));
    sizer->Add(ViewButton, 0, wxALIGN_CENTER | wxALL, 10);
    SetSizerAndFit(sizer);
}

void mneQuizDialog::OnViewResults(wxCommandEvent&)
{
    const MneTestPanel* panel = dynamic_cast<MneTestPanel*>(GetParent());
    QuizReport report;
    report.DeckPath = ReportDeckPath(FileName);
    report.Date = QuizClock();
    report.Correct = QuizCorrectCount;
    report.Total = static_cast<int>(ActiveCards.size());
    report.ShowTime = Options.ShowTimer;
    if (panel)
        report.TimeTaken = panel->TimerLabel->GetLabel();
    for (size_t i = 0; i < ActiveCards.size(); ++i)
        report.Lines.push_back({ActiveCards[i]->GetQuestionLabel(),
                                ActiveCards[i]->GetAnswerLabel(), AnsweredCorrectly(panel, i)});

    const wxString path = WriteQuizReport(QuizReportText(report));
    if (path.empty())
        return;
    ReportPath = path;
    if (ShowReportFile)
        ShowReportFile(path);
}

wxString MimeOpenCommand(const wxString& path)
{
    wxMimeTypesManager* manager = MimeManager ? MimeManager : wxTheMimeTypesManager;
    std::unique_ptr<wxFileType> type(manager->GetFileTypeFromExtension("txt"));
    if (!type)
        return wxString();
    return type->GetOpenCommand(path);
}

void OpenInTextViewer(const wxString& reportPath)
{
#ifdef __WXGTK__
    if (OpenWithDefaultApp(reportPath))
        return;
#endif
    const wxString command = MimeOpenCommand(reportPath);
    if (!command.empty())
        wxExecute(command, wxEXEC_ASYNC);
}

void mneQuizDialog::OnCharHook(wxKeyEvent& event)
{
    // Without a Cancel button the toolkit leaves Escape alone; here it closes the results.
    if (event.GetKeyCode() == WXK_ESCAPE && !event.HasAnyModifiers())
        Close();
    else
        event.Skip();
}

// Kept as written: the formatter does not know the event table macros.
// clang-format off
wxBEGIN_EVENT_TABLE(mneQuizDialog, wxDialog)
    EVT_BUTTON(idViewResults, mneQuizDialog::OnViewResults)
    EVT_CHAR_HOOK(mneQuizDialog::OnCharHook)
wxEND_EVENT_TABLE()
