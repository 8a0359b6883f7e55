// SPDX-License-Identifier: GPL-3.0-or-later
// The PDF export of the card printouts: pages as they were before the double-sided settings
// existed, sheets in duplex order, and the back offset and flip edge on the exported pages.
#include <wx/config.h>
#include <wx/filename.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "GuiTest.h"
#include "PdfTools.h"
#include "app/Options.h"
#include "deck/mnemora.h"
#include "print/MneDoubleSidedPrintout.h"
#include "print/MneSingleSidedPrintout.h"
#include "print/MneStudySheetPrintout.h"
#include "print/PdfExport.h"

namespace
{
class PdfPagesTest : public testing::Test
{
protected:
    void SetUp() override
    {
        UseFreshConfig();
        LoadOptions();
        ResetDeck();
        FileName = wxFileName("/tmp/Vokabeln.mnd");
        for (int i = 0; i < 11; ++i)
        {
            Card card;
            card.Question = wxString::Format("Frage %d", i);
            card.Answer = wxString::Format("Antwort %d", i);
            Cards.push_back(card);
        }
        Dir = MakeTempDir();
    }

    /// The printout exported alone on the selected layout, as bytes without dates.
    std::string Export(wxPrintoutManager& printout, const wxString& name)
    {
        const wxString path = Dir + "/" + name + ".pdf";
        EXPECT_TRUE(PrintToPdf({&printout}, Options.PageLayouts[Options.PrintPageLayout], path));
        return PdfWithoutDates(path);
    }

    wxString Dir;
};

std::string Golden(const std::string& name)
{
    return std::string(std::getenv("MNEMORA_SOURCE_DIR")) + "/tests/data/pdf/" + name + ".pdf";
}
} // namespace

TEST_F(PdfPagesTest, DefaultSettingsKeepEveryPageByteForByte)
{
    // The references were written by the program before the back offset, flip edge and cut
    // marks existed; with those at their defaults each pass exports the same bytes.
    const bool write = std::getenv("MNEMORA_WRITE_GOLDEN") != nullptr;
    for (int layout : {0, 2})
    {
        Options.PrintPageLayout = layout;
        MneStudySheetPrintout sheet;
        MneSingleSidedPrintout single;
        MneDoubleSidedPrintout front(false), back(true);
        const std::pair<wxPrintoutManager*, std::string> passes[] = {
            {&sheet, "sheet"}, {&single, "single"}, {&front, "front"}, {&back, "back"}};
        for (const auto& [printout, kind] : passes)
        {
            const std::string name = kind + std::to_string(layout);
            const std::string bytes = Export(*printout, name);
            if (write)
                std::ofstream(Golden(name), std::ios::binary) << bytes;
            EXPECT_TRUE(bytes == PdfWithoutDates(Golden(name))) << name;
        }
    }
}
