// SPDX-License-Identifier: GPL-3.0-or-later
// Test main for logic tests: initialises the toolkit's base library only, no display.
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer initializer(argc, argv);
    if (!initializer.IsOk())
        return 1;
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxInitAllImageHandlers();
    return RUN_ALL_TESTS();
}
