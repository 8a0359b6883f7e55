// The main frame driven through its real menu commands.
#include "GuiTest.h"

#include <gtest/gtest.h>

#include "app/MneFrame.h"
#include "deck/mnemora.h"

TEST(Frame, NewDeckIsUntitled)
{
    MneFrame* frame = new MneFrame();
    YieldFor(50);
    EXPECT_EQ(frame->GetTitle(), "Untitled - Mnemora");
    frame->Destroy();
    YieldFor(20);
}
