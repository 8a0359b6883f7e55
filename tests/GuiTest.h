// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for tests that drive the real windows under Xvfb.
#ifndef MNEMORA_TESTS_GUITEST_H
#define MNEMORA_TESTS_GUITEST_H

#include <wx/string.h>

#include <functional>
#include <stdexcept>
#include <string>

/// Thrown when a modal dialog shows up that no expectation answers.
class UnexpectedDialog : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

#include <wx/modalhook.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

/// Dialog hook for wxTEST_DIALOG that fails the test instead of showing the dialog.
class ThrowingModalHook : public wxTestingModalHook
{
public:
    ThrowingModalHook(const char* file, int line, const char* func)
        : wxTestingModalHook(file, line, func)
    {
    }

protected:
    void ReportFailure(const wxString& msg) override { throw UnexpectedDialog(msg.utf8_string()); }
};

#undef wxTEST_DIALOG_HOOK_CLASS
#define wxTEST_DIALOG_HOOK_CLASS ThrowingModalHook

/// Answers a file dialog with a path, which GTK applies only after the loop has run.
class ExpectFileDialog : public wxExpectModalBase<wxFileDialog>
{
public:
    explicit ExpectFileDialog(const wxString& path, int id = wxID_OK) : m_path(path), m_id(id) {}

protected:
    int OnInvoked(wxFileDialog* dlg) const override;

private:
    wxString m_path;
    int m_id;
};

/// Answers a message box and records its text, caption, style and parent for later checks.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog>
{
public:
    explicit ExpectMessage(int answer = wxID_OK) : m_answer(answer) {}

    mutable wxString Message;
    mutable wxString Caption;
    mutable long Style = 0;
    mutable wxWindow* Parent = nullptr;

protected:
    int OnInvoked(wxMessageDialog* dlg) const override
    {
        Message = dlg->GetMessage();
        Caption = dlg->GetTitle();
        Style = dlg->GetMessageDialogStyle();
        Parent = dlg->GetParent();
        return m_answer;
    }

private:
    int m_answer;
};

/// Answers a dialog of type T with `answer` after `action` has read or set its controls.
template <class T> class ExpectDialog : public wxExpectModalBase<T>
{
public:
    ExpectDialog(std::function<void(T*)> action, int answer = wxID_OK)
        : m_action(std::move(action)), m_answer(answer)
    {
    }

protected:
    int OnInvoked(T* dialog) const override
    {
        m_action(dialog);
        return m_answer;
    }

private:
    std::function<void(T*)> m_action;
    int m_answer;
};

/// Runs pending events for a while so that windows are laid out and painted.
void YieldFor(int milliseconds = 50);

/// A fresh temporary folder, removed when the test program ends.
wxString MakeTempDir();

/// Points the configuration store at a new empty temporary file and returns its path.
wxString UseFreshConfig();

/// Empties the deck: no cards, none active or new, named "Untitled", not modified.
void ResetDeck();

/// Clicks the button `id` inside `parent` as the user does.
void ClickButton(wxWindow* parent, int id);

#endif
