#include "project/project_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "project/project_file_writer.h"

namespace bw {
namespace {

// Every field different from its default and from the others.
PartAdjustments DistinctAdjustments(int seed) {
    PartAdjustments a;
    for (int i = 0; i < 9; ++i) a.adjustPosition[i] = seed + i - 4;
    for (int i = 0; i < 3; ++i) a.sliderStep[i] = 0.02f * (i + 1) + seed;
    for (int i = 0; i < 9; ++i) a.scaleValue[i] = -0.125f * (i + 1) + seed;
    for (int i = 0; i < 3; ++i) a.scaleLock[i] = (seed + i) % 3;
    a.taperAxis = -3;
    a.taperLock = 2;
    a.taperStep = 0.5f + seed;
    for (int i = 0; i < 3; ++i) a.taperValue[i] = 1.25f * (i + 1) + seed;
    for (int i = 0; i < 3; ++i) a.taperAdjustPosition[i] = 10 * (i + 1) + seed;
    return a;
}

std::vector<ProjectRecord> TwoRecords() {
    std::vector<ProjectRecord> records(2);
    records[0].typeCode = TypeCode{13};
    records[0].bodyPart = 18;
    records[0].name = "Left foot";
    records[0].objectPath = "\\Left foot\\Fantasy Three  Toes.bwo";
    records[0].adjustments = DistinctAdjustments(1);
    records[1].name = "Head";
    records[1].objectPath = "\\Head\\" + std::string(1000, 'h') + ".bwo";
    records[1].adjustments = DistinctAdjustments(2);
    return records;
}

std::string Format(const std::vector<ProjectRecord>& records, std::string_view version) {
    std::string bytes;
    EXPECT_TRUE(FormatProject(records, version, bytes, nullptr));
    return bytes;
}

std::vector<ProjectRecord> ReadAll(std::string_view text, bool complete = true) {
    ProjectHeader header;
    std::vector<ProjectRecord> records;
    std::string reason;
    EXPECT_EQ(ReadProjectRecords(text, header, records, &reason), complete) << reason;
    return records;
}

TEST(ProjectFileReaderTest, ProFileReadsBackAll34Fields) {
    const std::vector<ProjectRecord> written = TwoRecords();
    const std::string text = Format(written, kProjectVersionPro);
    ProjectReader reader(text);
    ProjectHeader header;
    ASSERT_TRUE(reader.ReadHeader(header, nullptr));
    EXPECT_EQ(header.version, "20");
    EXPECT_TRUE(header.IsPro());
    EXPECT_EQ(header.count, 2);
    for (const ProjectRecord& expected : written) {
        ProjectRecord record;
        ASSERT_TRUE(reader.NextRecord(record, nullptr));
        EXPECT_EQ(record.typeCode, expected.typeCode);
        EXPECT_EQ(record.bodyPart, expected.bodyPart);
        EXPECT_EQ(record.name, expected.name);
        EXPECT_EQ(record.objectPath, expected.objectPath);
        EXPECT_EQ(record.adjustments, expected.adjustments);
        EXPECT_EQ(record.fieldsRead, 34);
        EXPECT_TRUE(record.IsValid());
        EXPECT_TRUE(record.HasTaperAxisFromFile());
    }
    ProjectRecord beyond;
    std::string reason = "unchanged";
    EXPECT_FALSE(reader.NextRecord(beyond, &reason));
    EXPECT_TRUE(reader.Complete());
    EXPECT_EQ(reason, "unchanged");
}

TEST(ProjectFileReaderTest, StandardFileLeavesTheTaperAtItsDefaults) {
    const std::vector<ProjectRecord> records = ReadAll(Format(TwoRecords(), "1"));
    ASSERT_EQ(records.size(), 2u);
    const PartAdjustments& read = records[1].adjustments;
    PartAdjustments expected = DistinctAdjustments(2);
    expected.taperAxis = 0;
    expected.taperLock = 0;
    expected.taperStep = 0.01f;
    expected.taperValue = {};
    expected.taperAdjustPosition = {};
    EXPECT_EQ(read, expected);
    EXPECT_EQ(records[1].fieldsRead, 25);
    EXPECT_FALSE(records[1].HasTaperAxisFromFile());
}

TEST(ProjectFileReaderTest, AcceptsLfLineEndsAndForwardSlashes) {
    const std::vector<ProjectRecord> records = ReadAll(
        "BW20\n2\n8\n15\nStomach\n/Stomach/S.bwo\n1 2 3\n"
        "7 8 Upper body\n/Upper body/U.bwo\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].name, "Stomach");
    EXPECT_EQ(records[0].objectPath, "/Stomach/S.bwo");
    EXPECT_EQ(FromPortablePath(records[0].objectPath), "/Stomach/S.bwo");
    EXPECT_EQ(records[0].adjustments.adjustPosition[2], 3);
    // The body part's line may carry the name; a missing parameter line reads no field.
    EXPECT_EQ(records[1].name, "Upper body");
    EXPECT_EQ(records[1].objectPath, "/Upper body/U.bwo");
    EXPECT_EQ(records[1].fieldsRead, 0);
    EXPECT_EQ(records[1].adjustments.adjustPosition[2], 3);
}

TEST(ProjectFileReaderTest, ShortParameterLineKeepsThePreviousRecordsValues) {
    std::string text = Format(TwoRecords(), "20");
    const std::size_t secondLine = text.rfind("\r\n", text.size() - 8) + 2;
    text = text.substr(0, secondLine) + "5 6 x 0 0 0\r\n     ";
    const std::vector<ProjectRecord> records = ReadAll(text);
    ASSERT_EQ(records.size(), 2u);
    PartAdjustments expected = DistinctAdjustments(1);
    expected.adjustPosition[0] = 5;
    expected.adjustPosition[1] = 6;
    EXPECT_EQ(records[1].adjustments, expected);
    EXPECT_EQ(records[1].fieldsRead, 2);
    EXPECT_TRUE(records[1].HasTaperAxisFromFile());
}

TEST(ProjectFileReaderTest, ShortFirstProLineLeavesTheTaperAtItsDefaults) {
    const std::vector<ProjectRecord> records = ReadAll(
        "BW20\r\n1\r\n0\r\n0\r\nHead\r\n\\Head\\H.bwo\r\n"
        "1 0 0 0 0 0 0 0 0 0.5 0.5 0.5 1 0 0 0 0 0 0 0 0 2 0 0 0 \r\n     ");
    ASSERT_EQ(records.size(), 1u);
    PartAdjustments expected;
    expected.adjustPosition[0] = 1;
    expected.sliderStep = {0.5f, 0.5f, 0.5f};
    expected.scaleValue[0] = 1;
    expected.scaleLock[0] = 2;
    EXPECT_EQ(records[0].adjustments, expected);
    EXPECT_EQ(records[0].fieldsRead, 25);
    EXPECT_FALSE(records[0].HasTaperAxisFromFile());
}

TEST(ProjectFileReaderTest, RefusesTextThatIsNoProjectFileOfAKnownVersion) {
    for (const char* text : {"", "BW\r\n0\r\n", "B2\r\n0\r\n", "BW3\r\n1\r\n0\r\n0\r\nHead\r\n",
                             "XYZ20\r\n0\r\n", "BW20\r\n\r\n", "BW20\r\nmany\r\n", "BW1 -1\r\n"}) {
        ProjectReader reader(text);
        ProjectHeader header;
        std::string reason;
        EXPECT_FALSE(reader.ReadHeader(header, &reason)) << text;
        EXPECT_FALSE(reason.empty()) << text;
        ProjectRecord record;
        EXPECT_FALSE(reader.NextRecord(record, nullptr)) << text;
        EXPECT_FALSE(reader.Complete());
    }
}

TEST(ProjectFileReaderTest, TheHeadersLettersAreIgnoredOnlyItsVersionCounts) {
    for (const auto& [letters, pro] : std::vector<std::pair<std::string, bool>>{
             {"XY", true}, {"bw", true}, {"??", false}, {"BW", false}}) {
        const std::string text = letters + (pro ? "20" : "1") +
                                 "\r\n1\r\n0\r\n0\r\nHead\r\n\\Head\\H.bwo\r\n" +
                                 "0 0 0 0 0 0 0 0 0 0.5 0.5 0.5 1 0 0 0 0 0 0 0 0 2 0 0 0 3 1 0.25 "
                                 "0.75 0 0 4 0 0 \r\n     ";
        ProjectHeader header;
        std::vector<ProjectRecord> records;
        std::string reason;
        ASSERT_TRUE(ReadProjectRecords(text, header, records, &reason))
            << letters << ": " << reason;
        EXPECT_EQ(header.IsPro(), pro) << letters;
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].adjustments.taperAxis, pro ? 3 : 0) << letters;
        EXPECT_EQ(records[0].objectPath, "\\Head\\H.bwo");
    }
}

TEST(ProjectFileReaderTest, BlanksAtTheStartOfTheNameLineAreNotPartOfTheName) {
    const std::vector<ProjectRecord> records = ReadAll(
        "BW20\r\n3\r\n0\r\n0\r\n  Head\r\n\\Head\\H.bwo\r\n0\r\n"
        "     13\r\n18\r\n\tLeft foot  \r\n  \\Left foot\\F.bwo\r\n0\r\n"
        "     19 1 Left ear\r\n\\Left ear\\E.bwo\r\n0\r\n     ");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].name, "Head");
    EXPECT_EQ(records[0].objectPath, "\\Head\\H.bwo");
    // Blanks inside and at the end of the name stay; the path line is read whole.
    EXPECT_EQ(records[1].name, "Left foot  ");
    EXPECT_EQ(records[1].objectPath, "  \\Left foot\\F.bwo");
    EXPECT_EQ(records[2].name, "Left ear") << "a name on the body part's own line";
    EXPECT_EQ(records[2].bodyPart, 1);
}

TEST(ProjectFileReaderTest, OutOfRangeNumbersAreFlaggedAndReadingGoesOn) {
    std::vector<ProjectRecord> written = TwoRecords();
    written[0].typeCode = TypeCode{22};
    written[1].bodyPart = -1;
    written.push_back(written[1]);
    written[2].bodyPart = 21;
    const std::vector<ProjectRecord> records = ReadAll(Format(written, "20"));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_FALSE(records[0].IsValid());
    EXPECT_FALSE(records[1].IsValid());
    EXPECT_TRUE(records[2].IsValid());
    EXPECT_EQ(records[2].name, "Head");
}

TEST(ProjectFileReaderTest, StopsCleanlyAtAnEarlyEndOrABrokenRecord) {
    std::string text = Format(TwoRecords(), "20");
    text.replace(6, 1, "2000000000");
    EXPECT_EQ(ReadAll(text, false).size(), 2u);

    // Cut inside the second record: its name is there, its object path is not.
    std::string cut = Format(TwoRecords(), "20");
    cut.resize(cut.find("Head\r\n") + 6);
    ProjectReader reader(cut);
    ProjectHeader header;
    ASSERT_TRUE(reader.ReadHeader(header, nullptr));
    ProjectRecord record;
    EXPECT_TRUE(reader.NextRecord(record, nullptr));
    std::string reason;
    EXPECT_FALSE(reader.NextRecord(record, &reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(reader.Complete());
    EXPECT_FALSE(reader.NextRecord(record, nullptr));

    // A type code that is no number leaves nothing to read in step.
    EXPECT_EQ(ReadAll("BW1\r\n2\r\nHead\r\n0\r\nHead\r\n\\Head\\H.bwo\r\n", false).size(), 0u);
}

TEST(ProjectFileReaderTest, CrOnlyLineEndsReadLikeCrLf) {
    const std::vector<ProjectRecord> written = TwoRecords();
    std::string text = Format(written, "20");
    std::string crOnly;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r')) crOnly += text[i];
    ASSERT_EQ(std::count(crOnly.begin(), crOnly.end(), '\n'), 0);
    const std::vector<ProjectRecord> records = ReadAll(crOnly);
    ASSERT_EQ(records.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(records[i].name, written[i].name);
        EXPECT_EQ(records[i].objectPath, written[i].objectPath);
        EXPECT_EQ(records[i].adjustments, written[i].adjustments);
        EXPECT_EQ(records[i].fieldsRead, 34);
    }
    // In a text with LF line ends a lone CR stays part of its line, as before.
    const std::vector<ProjectRecord> mixed =
        ReadAll("BW1\r\n1\r\n0\r\n0\r\nHead\r\n\\Head\\A\rB.bwo\n1\r\n");
    ASSERT_EQ(mixed.size(), 1u);
    EXPECT_EQ(mixed[0].objectPath, "\\Head\\A\rB.bwo");
}

TEST(ProjectFileReaderTest, CountAboveTheIntegerRangeIsRefusedSayingSo) {
    ProjectReader reader("BW20\r\n99999999999999999999\r\n0\r\n0\r\nHead\r\n");
    ProjectHeader header;
    std::string reason;
    EXPECT_FALSE(reader.ReadHeader(header, &reason));
    EXPECT_EQ(reason, "the record count 99999999999999999999 is too large (at most 2147483647)");
    // The largest count still reads, and an early end names the count the file gave.
    ProjectReader largest("BW20\r\n2147483647\r\n");
    ASSERT_TRUE(largest.ReadHeader(header, &reason)) << reason;
    ProjectRecord record;
    EXPECT_FALSE(largest.NextRecord(record, &reason));
    EXPECT_EQ(reason, "the file ends after 0 of 2147483647 records");
}

TEST(ProjectFileReaderTest, ProLineEndingRightAfterTheTaperAxisKeepsThatAxis) {
    const std::vector<ProjectRecord> records = ReadAll(
        "BW20\r\n1\r\n13\r\n18\r\nLeft foot\r\n\\Left foot\\F.bwo\r\n"
        "0 0 0 0 0 0 0 0 0 0.5 0.5 0.5 0 0 0 0 0 0 0 0 0 0 0 0 0 3\r\n     ");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fieldsRead, 26);
    EXPECT_TRUE(records[0].HasTaperAxisFromFile());
    EXPECT_EQ(records[0].adjustments.taperAxis, 3);
    EXPECT_EQ(records[0].adjustments.taperStep, 0.01f);  // field 28 not given: the default
}

}  // namespace
}  // namespace bw
