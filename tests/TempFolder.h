// SPDX-License-Identifier: GPL-3.0-or-later
// A fresh folder under /tmp for each test, with the old one-card deck loaded, file helpers, and
// the cards as question and answer pairs.
#ifndef MNEMORA_TESTS_TEMPFOLDER_H
#define MNEMORA_TESTS_TEMPFOLDER_H

#include <wx/ffile.h>
#include <wx/filename.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "deck/mnemora.h"

/// Question and answer of each card, in order.
using Pairs = std::vector<std::pair<wxString, wxString>>;

/// The cards as their question and answer, for comparing whole decks at once.
inline Pairs PairsOf(const std::vector<Card>& cards)
{
    Pairs pairs;
    for (const Card& card : cards)
        pairs.emplace_back(card.Question, card.Answer);
    return pairs;
}

/// Makes the folder, loads an unmodified deck of one card "old"/"deck", and removes both after.
class TempFolder : public testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/mnemora-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        Folder = pattern;
        Cards.assign(1, Card());
        Cards[0].Question = "old";
        Cards[0].Answer = "deck";
        FileName = wxFileName("Untitled");
        Modified = false;
    }

    void TearDown() override
    {
        wxFileName::Rmdir(Folder, wxPATH_RMDIR_RECURSIVE);
        Cards.clear();
        FileName = wxFileName("Untitled");
        Modified = false;
    }

    /// Writes `bytes` to `name` in the folder and returns its path.
    wxString Write(const wxString& name, const std::string& bytes) const
    {
        wxFFile file(Folder + "/" + name, "wb");
        file.Write(bytes.data(), bytes.size());
        return file.GetName();
    }

    /// The whole file's bytes.
    static std::string Read(const wxString& path)
    {
        std::string bytes;
        wxFFile file(path, "rb");
        bytes.resize(size_t(file.Length()));
        file.Read(&bytes[0], bytes.size());
        return bytes;
    }

    /// The old one-card deck is still there, unmodified.
    static void ExpectOldDeck()
    {
        ASSERT_EQ(Cards.size(), 1u);
        EXPECT_EQ(Cards[0].Question, "old");
        EXPECT_EQ(FileName.GetFullPath(), "Untitled");
        EXPECT_FALSE(Modified);
    }

    wxString Folder;
};

#endif
