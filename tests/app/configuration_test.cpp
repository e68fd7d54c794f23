#include "app/configuration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/recording_notifier.h"
#include "support/unprivileged_user.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

Configuration Read(std::string_view text) {
    Configuration configuration;
    configuration.objectDir = "left over";
    ReadConfigurationText(text, configuration);
    return configuration;
}

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class ConfigurationFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = fs::temp_directory_path() /
                     ("bw_configuration_test_" + std::to_string(getpid()) + "_" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }
    void TearDown() override {
        fs::permissions(directory_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(directory_);
    }
    fs::path directory_;
};

TEST(ConfigurationTextTest, EmptyTextGivesTheDefaults) {
    const Configuration configuration = Read("");
    EXPECT_EQ(configuration.objectDir, "");
    EXPECT_EQ(configuration.convertObjectName, "NewObject");
    EXPECT_EQ(configuration.bgColor, (std::array<float, 4>{0, 0, 0, 0}));
    EXPECT_EQ(configuration.wireColor, (std::array<float, 4>{0.8f, 0.8f, 0.8f, 0}));
    EXPECT_EQ(FormatConfiguration(configuration),
              "ConvertObjectDir \nConvertObjectName NewObject\nObjectDir \nProjectDir \n"
              "BgColor 0.000000 0.000000 0.000000 0.000000\n"
              "WireColor 0.800000 0.800000 0.800000 0.000000\n");
}

TEST(ConfigurationTextTest, KeywordsAreRecognisedInAnyCaseAndOtherWordsSkipped) {
    const Configuration configuration = Read(
        "objectdir /lower\nnoise words 12\nPROJECTDIR /upper\ncOnVeRtObJeCtNaMe Beast\n"
        "bgcolor 0.1 0.2 0.3 0.4\n");
    EXPECT_EQ(configuration.objectDir, "/lower");
    EXPECT_EQ(configuration.projectDir, "/upper");
    EXPECT_EQ(configuration.convertObjectName, "Beast");
    EXPECT_EQ(configuration.bgColor, (std::array<float, 4>{0.1f, 0.2f, 0.3f, 0.4f}));
}

TEST(ConfigurationTextTest, ValuesAreWholeLinesAfterOneSeparator) {
    const std::string longPath = "/" + std::string(2000, 'x') + " with blanks";
    const Configuration configuration = Read("ObjectDir  /starts with a blank\nProjectDir " +
                                             longPath + "\nConvertObjectDir\nConvertObjectName");
    EXPECT_EQ(configuration.objectDir, " /starts with a blank");
    EXPECT_EQ(configuration.projectDir, longPath);
    // A keyword at its line's end has an empty value and does not take the next line.
    EXPECT_EQ(configuration.convertObjectDir, "");
    EXPECT_EQ(configuration.convertObjectName, "");
}

TEST(ConfigurationTextTest, CrLfLineEndsAreNotPartOfValues) {
    const Configuration configuration =
        Read("ObjectDir /a b\r\nProjectDir\r\nWireColor 1 0.5 0.25 1\r\nConvertObjectName N\r\n");
    EXPECT_EQ(configuration.objectDir, "/a b");
    EXPECT_EQ(configuration.projectDir, "");
    EXPECT_EQ(configuration.convertObjectName, "N");
    EXPECT_EQ(configuration.wireColor, (std::array<float, 4>{1, 0.5f, 0.25f, 1}));
}

TEST(ConfigurationTextTest, ShortColourLineKeepsTheMissingComponents) {
    const Configuration configuration =
        Read("WireColor 0.5 0.25 ObjectDir /objects\nBgColor 1e0 +0.5 -2 0x1p-1");
    EXPECT_EQ(configuration.wireColor, (std::array<float, 4>{0.5f, 0.25f, 0.8f, 0}));
    EXPECT_EQ(configuration.objectDir, "/objects");
    // Numbers are read with the leniency of formatted input.
    EXPECT_EQ(configuration.bgColor, (std::array<float, 4>{1, 0.5f, -2, 0.5f}));
}

TEST(ConfigurationTextTest, NumbersIgnoreTheProcessLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
    Configuration configuration = Read("BgColor 0.5 0,25 1 1");
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(configuration.bgColor, (std::array<float, 4>{0.5f, 0, 0, 0}));
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    configuration.bgColor = {0.5f, 0.25f, 1, 1};
    const std::string text = FormatConfiguration(configuration);
    std::setlocale(LC_ALL, "C");
    EXPECT_NE(text.find("BgColor 0.500000 0.250000 1.000000 1.000000\n"), std::string::npos);
}

TEST(ConfigurationTextTest, StartDirectoryDropsOneTrailingSeparatorButNotTheRoot) {
    EXPECT_EQ(StartDirectoryFromPath("/home/ann/"), "/home/ann");
    EXPECT_EQ(StartDirectoryFromPath("/home/ann"), "/home/ann");
    EXPECT_EQ(StartDirectoryFromPath("/"), "/");
    EXPECT_EQ(ConfigurationFilePath("/"), "/bw.cfg");
    EXPECT_EQ(ConfigurationFilePath("/home/ann"), "/home/ann/bw.cfg");
    EXPECT_EQ(CaptureStartDirectory(), fs::current_path().string());
}

TEST_F(ConfigurationFileTest, MissingFileGivesTheDefaultsSilently) {
    Configuration configuration;
    configuration.objectDir = "stale";
    EXPECT_FALSE(ReadConfigurationFile(directory_.string(), configuration));
    Configuration expected;
    expected.startDirectory = directory_.string();
    EXPECT_EQ(configuration, expected);
}

TEST_F(ConfigurationFileTest, WrittenFileReadsBackAndRewritesByteForByte) {
    Configuration original;
    original.startDirectory = directory_.string();
    original.objectDir = "/objects/with blank";
    original.projectDir = "";
    original.convertObjectDir = "  two leading blanks";
    original.convertObjectName = "Beast";
    original.bgColor = {0.1f, 0.2f, 0.3f, 1};
    original.wireColor = {1.5f, -0.25f, 0, 0.7f};
    test::RecordingNotifier notifier;
    ASSERT_TRUE(WriteConfigurationFile(original, notifier));
    const std::string first = FileText(directory_ / "bw.cfg");

    Configuration read;
    ASSERT_TRUE(ReadConfigurationFile(directory_.string(), read));
    EXPECT_EQ(read, original);
    ASSERT_TRUE(WriteConfigurationFile(read, notifier));
    EXPECT_EQ(FileText(directory_ / "bw.cfg"), first);
    EXPECT_TRUE(notifier.messages.empty());
}

TEST(ConfigurationTextTest, ValuesWithLineBreaksAreWrittenAsTheDefaultAndInjectNothing) {
    Configuration configuration;
    configuration.objectDir = "/a\nProjectDir /injected";
    configuration.projectDir = "/projects";
    configuration.convertObjectDir = "/b\r";
    configuration.convertObjectName = "Name\r\nBgColor 1 1 1 1";
    const std::string text = FormatConfiguration(configuration);
    EXPECT_EQ(text,
              "ConvertObjectDir \nConvertObjectName NewObject\nObjectDir \nProjectDir /projects\n"
              "BgColor 0.000000 0.000000 0.000000 0.000000\n"
              "WireColor 0.800000 0.800000 0.800000 0.000000\n");
    Configuration read;
    ReadConfigurationText(text, read);
    EXPECT_EQ(read.projectDir, "/projects");
    EXPECT_EQ(read.objectDir, "");
    EXPECT_EQ(read.convertObjectName, "NewObject");
    EXPECT_EQ(read.bgColor, (std::array<float, 4>{0, 0, 0, 0}));
}

TEST_F(ConfigurationFileTest, FailedWriteReportsAndLeavesWhatWasThere) {
    // A directory where the file belongs cannot be replaced by the file.
    fs::create_directory(directory_ / "bw.cfg");
    std::ofstream(directory_ / "bw.cfg" / "keep") << "kept";
    Configuration configuration;
    configuration.startDirectory = directory_.string();
    test::RecordingNotifier notifier;
    EXPECT_FALSE(WriteConfigurationFile(configuration, notifier));
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text, "Unable to open config file for writing!");
    EXPECT_EQ(notifier.messages[0].caption, "Error");
    EXPECT_EQ(notifier.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(FileText(directory_ / "bw.cfg" / "keep"), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 1);
}

TEST_F(ConfigurationFileTest, FailedWriteKeepsTheOldFile) {
    std::ofstream(directory_ / "bw.cfg") << "ObjectDir /old\n";
    test::HandToUnprivilegedUser(directory_.string());
    fs::permissions(directory_, fs::perms::owner_read | fs::perms::owner_exec);
    // As a user the read-only folder binds (root gives up its rights in a child process).
    const std::optional<int> result = test::RunAsUnprivilegedUser([&] {
        if (access(directory_.c_str(), W_OK) == 0) return 3;
        Configuration configuration;
        configuration.startDirectory = directory_.string();
        test::RecordingNotifier notifier;
        if (WriteConfigurationFile(configuration, notifier)) return 1;
        return notifier.messages.size() == 1 ? 0 : 2;
    });
    if (!result) GTEST_SKIP() << "no user whom file permissions bind";
    ASSERT_NE(*result, 3) << "permissions do not bind the unprivileged user";
    EXPECT_EQ(*result, 0) << "1: the write went ahead, 2: not one message";
    EXPECT_EQ(FileText(directory_ / "bw.cfg"), "ObjectDir /old\n");
}

}  // namespace
}  // namespace bw
