// The values behind the Preference page and the manual: directories from what the user chose or
// typed, the 8-bit colour conversions, and the manual's path and failure texts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/colour_channels.h"
#include "app/directory_choice.h"
#include "app/manual_location.h"

namespace bw {
namespace {

TEST(DirectoryChoiceTest, ChosenPathIsCutAtItsLastSeparatorAndKeptWhole) {
    EXPECT_EQ(DirectoryOfChosenPath("/home/ann/Objects/(none)"), "/home/ann/Objects");
    EXPECT_EQ(DirectoryOfChosenPath("/home/ann/Objects/Head/Male-Slim.bwo"),
              "/home/ann/Objects/Head");
    EXPECT_EQ(DirectoryOfChosenPath("/notes.txt"), "") << "a file in the root gives the root";
    EXPECT_EQ(DirectoryOfChosenPath("(none)"), "");
    // A directory far beyond 255 characters is not shortened into another one.
    const std::string deep = "/" + std::string(300, 'a') + "/" + std::string(200, 'b');
    EXPECT_EQ(DirectoryOfChosenPath(deep + "/(none)"), deep);
    EXPECT_EQ(DirectoryOfChosenPath(deep + "/(none)").size(), 502u);
}

TEST(DirectoryChoiceTest, FieldTextLosesOneTrailingSeparator) {
    EXPECT_EQ(DirectoryOfFieldText("/home/ann/Objects/"), "/home/ann/Objects");
    EXPECT_EQ(DirectoryOfFieldText("/home/ann/Objects"), "/home/ann/Objects");
    EXPECT_EQ(DirectoryOfFieldText("/"), "");
    EXPECT_EQ(DirectoryOfFieldText("/a b/  "), "/a b/  ") << "blanks belong to the name";
}

TEST(DirectoryChoiceTest, LineBreaksAreFoundAnywhere) {
    EXPECT_FALSE(HoldsLineBreak("/home/ann/Objects with blanks"));
    EXPECT_TRUE(HoldsLineBreak("/home/ann\nObjectDir /tmp"));
    EXPECT_TRUE(HoldsLineBreak("/home/ann\r"));
    EXPECT_FALSE(HoldsLineBreak(""));
}

TEST(ColourChannelsTest, ComponentsBecomeTruncatedChannels) {
    EXPECT_EQ(ColourChannel(1.0f), 255);
    EXPECT_EQ(ColourChannel(0.8f), 204);
    EXPECT_EQ(ColourChannel(0.0f), 0);
    EXPECT_EQ(ColourChannel(0.5f), 127) << "127.5 is truncated, not rounded";
    EXPECT_EQ(ColourChannel(0.1f), 25);
    EXPECT_EQ((ColourChannels({0.1f, 0.2f, 0.3f})), (std::array<int, 3>{25, 51, 76}));
}

TEST(ColourChannelsTest, ComponentsOutsideTheRangeGiveTheNearestChannel) {
    EXPECT_EQ(ColourChannel(1.2f), 255);
    EXPECT_EQ(ColourChannel(2.0f), 255);
    EXPECT_EQ(ColourChannel(-0.5f), 0);
    EXPECT_EQ(ColourChannel(1e30f), 255);
    EXPECT_EQ(ColourChannel(std::numeric_limits<float>::infinity()), 255);
    EXPECT_EQ(ColourChannel(-std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(ColourChannel(std::nanf("")), 0);
}

TEST(ColourChannelsTest, ChannelsBecomeComponentsAndBackUnchanged) {
    EXPECT_EQ(ColourComponent(255), 1.0f);
    EXPECT_EQ(ColourComponent(0), 0.0f);
    EXPECT_FLOAT_EQ(ColourComponent(204), 0.8f);
    for (int channel = 0; channel <= 255; ++channel)
        EXPECT_EQ(ColourChannel(ColourComponent(channel)), channel) << channel;
}

TEST(ManualLocationTest, ManualLiesTwoLevelsAboveTheObjectDirectory) {
    EXPECT_EQ(ManualPath("/usr/share/beastwright/Objects/Library"),
              "/usr/share/beastwright/Objects/Library/../../Doc/StandaloneManual.html");
    EXPECT_EQ(ManualPath(""), "/../../Doc/StandaloneManual.html");
}

TEST(ManualLocationTest, FailureTextsNameTheCodeAndWhatItMeans) {
    const std::string path = "/../../Doc/StandaloneManual.html";
    EXPECT_EQ(ManualOpenFailureText(2, path), "returned: 2\nThe specified file was not found.");
    EXPECT_EQ(ManualOpenFailureText(3, path), "returned: 3\nThe specified path was not found.");
    EXPECT_EQ(ManualOpenFailureText(31, path),
              "returned: 31\nThere is no application associated with the given filename "
              "extension.");
    EXPECT_EQ(ManualOpenFailureText(0, path),
              "returned: 0\nThe operating system is out of memory or resources.");
    EXPECT_EQ(ManualOpenFailureText(32, path),
              "returned: 32\nThe specified dynamic-link library was not found.");
    // Codes without a meaning of their own name the manual instead.
    EXPECT_EQ(ManualOpenFailureText(4, path), "returned: 4\n" + path);
    EXPECT_EQ(ManualOpenFailureText(-1, path), "returned: -1\n" + path);
}

}  // namespace
}  // namespace bw
