// SPDX-License-Identifier: GPL-3.0-or-later
// Quiz grades, comments and the report file.
#include "study/QuizReport.h"

#include <wx/intl.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "deck/WriteAll.h"

std::function<wxDateTime()> QuizClock = [] { return wxDateTime::Now(); };

wxString GradeLetter(float percentage)
{
    wxString letter;
    if (percentage < 50)
        letter = "F";
    else if (percentage < 60)
        letter = "E";
    else if (percentage < 70)
        letter = "D";
    else if (percentage < 80)
        letter = "C";
    else if (percentage < 90)
        letter = "B";
    else
        letter = "A";
    const float rest = std::fmod(percentage, 10.0f);
    wxString suffix;
    if (rest < 3)
        suffix = "-";
    else if (rest > 7)
        suffix = "+";
    if (percentage == 100)
        suffix = "+";
    return letter + suffix;
}

wxString QuizComment(double percentage, int hour)
{
    if (percentage < 70)
        return _("Not so great. You need more practice!");
    if (percentage < 80)
        return _("Not bad, but you need more practice!");
    if (percentage < 90)
        return _("Good score! You're starting to learn the material.");
    if (percentage < 95)
        return _("Excellent score! Just a little more studying and you'll really know the "
                 "material...");
    if (percentage < 100)
        return _("Excellent score! You definitely know the material.");
    if (hour >= 20)
        return _("Perfect score!! Turn off the computer and go to bed, you don't need any more "
                 "studying.");
    return _("Perfect score!! Turn off the computer and go outside, you don't need any more "
             "studying.");
}

double QuizPercentage(int correct, int total)
{
    return total > 0 ? static_cast<double>(correct) / total * 100.0 : 0.0;
}

wxString QuizReportText(const QuizReport& report)
{
    const wxString end = "\r\n";
    const double percentage = QuizPercentage(report.Correct, report.Total);
    wxString text;
    text << "Mnemora Quiz Results" << end << end;
    text << "File:\t" << report.DeckPath << end;
    text << "Date:\t" << report.Date.Format("%c") << end << end;
    text << wxString::Format("Grade: %s (%.2f%%)", GradeLetter(static_cast<float>(percentage)),
                             percentage)
         << end;
    text << wxString::Format("Correct Answers: %d", report.Correct) << end;
    text << wxString::Format("Incorrect Answers: %d", report.Total - report.Correct) << end;
    if (report.ShowTime)
        text << _("Time taken: ") << report.TimeTaken << end;
    text << end;
    for (const QuizReportLine& line : report.Lines)
        text << (line.Correct ? "Correct  " : "Incorrect") << "\t" << line.Question << " / "
             << line.Answer << end;
    return text;
}

wxString ReportDeckPath(const wxFileName& deckFile)
{
    if (deckFile.GetPath().empty() && deckFile.GetFullName() == "Untitled")
        return wxString();
    wxFileName full(deckFile);
    full.MakeAbsolute();
    return full.GetFullPath();
}

wxString WriteQuizReport(const wxString& text)
{
    // One new file per report, created under a name nobody held before, so that nothing is
    // written through a file (or link) that someone else put there.
    std::string name(wxFileName::GetTempDir().fn_str());
    name += "/mneXXXXXX.txt";
    const int fd = mkstemps(&name[0], 4);
    if (fd < 0)
        return wxString();
    const wxScopedCharBuffer bytes = text.utf8_str();
    const bool written = WriteAll(fd, bytes.data(), bytes.length());
    // Failures stay silent, and a report cut short is not shown.
    if (close(fd) != 0 || !written)
    {
        unlink(name.c_str());
        return wxString();
    }
    return wxString(name.c_str(), *wxConvFileName);
}
