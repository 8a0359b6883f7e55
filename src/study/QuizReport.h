// SPDX-License-Identifier: GPL-3.0-or-later
// Grading of a finished quiz and the plain-text report of it.
#ifndef MNEMORA_STUDY_QUIZREPORT_H
#define MNEMORA_STUDY_QUIZREPORT_H

#include <wx/datetime.h>
#include <wx/filename.h>
#include <wx/string.h>

#include <functional>
#include <vector>

/// Letter grade of a percentage: "A" to "F" (with an "E" band), then "-" or "+" by the last digit.
wxString GradeLetter(float percentage);

/// The comment on a quiz percentage; a perfect score's comment depends on the local hour (0-23).
wxString QuizComment(double percentage, int hour);

/// Percentage of correct answers, in double precision; 0 for a quiz without questions.
double QuizPercentage(int correct, int total);

/// The local time for the comment and the report's date; tests set a fixed time.
extern std::function<wxDateTime()> QuizClock;

/// One asked card of the report.
struct QuizReportLine
{
    wxString Question; ///< The question's list label.
    wxString Answer;   ///< The answer's list label.
    bool Correct = false;
};

/// Everything the quiz report shows.
struct QuizReport
{
    wxString DeckPath; ///< Full path of the deck file; empty for a deck never saved.
    wxDateTime Date;
    int Correct = 0;
    int Total = 0;
    bool ShowTime = false;
    wxString TimeTaken;
    std::vector<QuizReportLine> Lines; ///< In the order the quiz asked them.
};

/// The report's text, every line ended by CR LF.
wxString QuizReportText(const QuizReport& report);

/// The deck file as the report names it: its full path, or empty while it is the unsaved
/// "Untitled".
wxString ReportDeckPath(const wxFileName& deckFile);

/// Writes text as UTF-8 into a new temporary file "mne*.txt" that did not exist before and
/// returns its path; empty, and nothing reported, when that fails.
wxString WriteQuizReport(const wxString& text);

#endif
