#include "StagedFile.h"

#include "RenderError.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

namespace halvo::render
{
namespace
{
TEST(StagedFile, TheTargetAppearsWholeOnlyOnCommit)
{
    const test::ScratchDirectory scratch;
    const auto target = scratch.file("out.wav");
    {
        StagedFile file(target, "WAV file");
        file.stream().writeText("complete", false, false, nullptr);
        EXPECT_FALSE(target.exists());
        file.commit();
    }
    EXPECT_EQ(target.loadFileAsString(), "complete");
    EXPECT_EQ(scratch.names(), juce::StringArray("out.wav"));
}

TEST(StagedFile, AnAbandonedFileLeavesAnOldTargetAsItWasAndNoLitter)
{
    const test::ScratchDirectory scratch;
    const auto target = scratch.file("out.wav");
    ASSERT_TRUE(target.replaceWithText("earlier render"));
    {
        StagedFile file(target, "WAV file");
        file.stream().writeText("half", false, false, nullptr);
    }
    EXPECT_EQ(target.loadFileAsString(), "earlier render");
    EXPECT_EQ(scratch.names(), juce::StringArray("out.wav"));
}

TEST(StagedFile, AnUnwritableTargetIsRefusedUpFront)
{
    const test::ScratchDirectory scratch;
    for (const auto& [target, reason] :
         {std::pair{scratch.file("missing/out.wav"), "its folder does not exist"},
          std::pair{scratch.path(), "it is a directory"}})
    {
        try
        {
            StagedFile file(target, "plot");
            ADD_FAILURE() << "accepted " << target.getFullPathName();
        }
        catch (const RenderError& error)
        {
            const std::string message = error.what();
            EXPECT_NE(message.find("cannot write the plot"), std::string::npos) << message;
            EXPECT_NE(message.find(reason), std::string::npos) << message;
        }
    }
    EXPECT_TRUE(scratch.names().isEmpty());
}

} // namespace
} // namespace halvo::render
