// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh main frame per test, with a temporary store, an empty deck and deck messages in boxes.
#ifndef MNEMORA_TESTS_FRAMEFIXTURE_H
#define MNEMORA_TESTS_FRAMEFIXTURE_H

#include "GuiTest.h"

#include <wx/config.h>
#include <wx/ffile.h>
#include <wx/filehistory.h>
#include <wx/menu.h>

#include <gtest/gtest.h>

#include <string>

#include "app/MneFrame.h"
#include "app/Options.h"
#include "app/mneApp.h"
#include "deck/DeckFile.h"
#include "deck/mnemora.h"

/// Writes `bytes` to `path` and returns the path.
inline wxString WriteFile(const wxString& path, const std::string& bytes)
{
    wxFFile file(path, "wb");
    file.Write(bytes.data(), bytes.size());
    return path;
}

/// The bytes of a file, empty when it cannot be read.
inline std::string ReadFile(const wxString& path)
{
    std::string bytes;
    wxFFile file(path, "rb");
    if (file.IsOpened())
    {
        bytes.resize(size_t(file.Length()));
        file.Read(&bytes[0], bytes.size());
    }
    return bytes;
}

/// An XML deck with cards "<prefix>1".."<prefix>n" (answers "A1".."An"), each answered "YN".
inline std::string DeckXml(int count, const std::string& prefix = "Q")
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Mnemoras Version=\"1\">\n";
    for (int i = 1; i <= count; ++i)
        xml += "<Card Question=\"" + prefix + std::to_string(i) + "\" Answer=\"A" +
               std::to_string(i) + "\" History=\"YN\"/>\n";
    return xml + "</Mnemoras>\n";
}

/// Appends a card to the deck.
inline void AddCard(const wxString& question, const wxString& history = wxString())
{
    Card card;
    card.Question = question;
    card.Answer = "answer of " + question;
    card.History = history;
    Cards.push_back(card);
}

/// Replaces the deck with cards "Q1".."Qn" (answers "A1".."An") with `history`, all in play.
inline void MakeDeck(int count, const wxString& history = wxString())
{
    Cards.clear();
    for (int i = 1; i <= count; ++i)
    {
        AddCard(wxString::Format("Q%d", i), history);
        Cards.back().Answer = wxString::Format("A%d", i);
    }
    ActiveCards.clear();
    for (Card& card : Cards)
        ActiveCards.push_back(&card);
}

class FrameTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ConfigPath = UseFreshConfig();
        ResetDeck();
        Dir = MakeTempDir();
        PreviousHandler = SetDeckMessageHandler(nullptr);
        mneApp::InstallDeckMessageBox();
        Frame = new MneFrame();
        Options.DataDirectory = Dir;
        YieldFor(20);
    }

    void TearDown() override
    {
        Modified = false;
        Frame->Destroy();
        YieldFor(20);
        SetDeckMessageHandler(PreviousHandler);
        ResetDeck();
    }

    /// Sends a menu command to the frame as the menu bar does.
    void Menu(int id)
    {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(Frame);
        Frame->ProcessWindowEvent(event);
    }

    /// Toggles a check item the way a click does, then sends its command.
    void ClickCheckItem(int id)
    {
        wxMenuItem* item = Frame->GetMenuBar()->FindItem(id);
        item->Check(!item->IsChecked());
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(Frame);
        event.SetInt(item->IsChecked());
        Frame->ProcessWindowEvent(event);
    }

    bool Enabled(int id) const { return Frame->GetMenuBar()->IsEnabled(id); }
    bool Checked(int id) const { return Frame->GetMenuBar()->IsChecked(id); }

    /// The recent-files list, newest first.
    wxArrayString RecentFiles() const
    {
        wxArrayString files;
        for (size_t i = 0; i < FileHistory->GetCount(); ++i)
            files.Add(FileHistory->GetHistoryFile(i));
        return files;
    }

    MneFrame* Frame = nullptr;
    wxString ConfigPath;
    wxString Dir;
    DeckMessageHandler PreviousHandler;
};

#endif
