// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the errors the toolkit would show and counts its warnings, so that tests can see that a
// failure was reported.
#ifndef MNEMORA_TESTS_ERRORLOG_H
#define MNEMORA_TESTS_ERRORLOG_H

#include <wx/log.h>

#include <vector>

/// A log target that keeps every error message, in order; the active target while it lives.
class ErrorLog : public wxLog
{
public:
    ErrorLog() : m_previous(wxLog::SetActiveTarget(this)) {}
    ~ErrorLog() override { wxLog::SetActiveTarget(m_previous); }

    std::vector<wxString> Errors;
    int Warnings = 0;

    /// The newest error, or an empty text.
    wxString Last() const { return Errors.empty() ? wxString() : Errors.back(); }
    /// Every error, one a line.
    wxString All() const
    {
        wxString text;
        for (const wxString& error : Errors)
            text += error + "\n";
        return text;
    }

protected:
    void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo&) override
    {
        if (level <= wxLOG_Error)
            Errors.push_back(message);
        Warnings += level == wxLOG_Warning;
    }

private:
    wxLog* m_previous;
};

#endif
