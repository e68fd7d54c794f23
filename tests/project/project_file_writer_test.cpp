#include "project/project_file_writer.h"

#include <gtest/gtest.h>

#include <clocale>
#include <vector>

namespace bw {
namespace {

ProjectRecord Record(int typeCode, BodyPartId bodyPart, std::string name, std::string path) {
    ProjectRecord record;
    record.typeCode = TypeCode{typeCode};
    record.bodyPart = bodyPart;
    record.name = std::move(name);
    record.objectPath = std::move(path);
    return record;
}

std::string Format(const std::vector<ProjectRecord>& records, std::string_view version) {
    std::string bytes;
    std::string reason;
    EXPECT_TRUE(FormatProject(records, version, bytes, &reason)) << reason;
    return bytes;
}

const std::string kDefaultFields =
    "0 0 0 0 0 0 0 0 0 0.010000 0.010000 0.010000 0.000000 0.000000 0.000000 0.000000 0.000000 "
    "0.000000 0.000000 0.000000 0.000000 0 0 0 0";

TEST(ProjectFileWriterTest, ProFileHoldsEveryFieldWithABlankBeforeTheLineEnd) {
    std::vector<ProjectRecord> records{
        Record(13, 18, "Left foot", "\\Left foot\\Fantasy-ThreeToes.bwo"),
        Record(0, 0, "Head", "\\Head\\Male-Slim.bwo")};
    records[0].adjustments.taperAxis = -2;
    records[0].adjustments.scaleValue[4] = -0.5f;
    records[0].adjustments.taperAdjustPosition[2] = -7;
    records[0].adjustments.reserved = 9;  // never written
    EXPECT_EQ(Format(records, kProjectVersionPro),
              "BW20\r\n2\r\n"
              "13\r\n18\r\nLeft foot\r\n\\Left foot\\Fantasy-ThreeToes.bwo\r\n"
              "0 0 0 0 0 0 0 0 0 0.010000 0.010000 0.010000 0.000000 0.000000 0.000000 0.000000 "
              "-0.500000 0.000000 0.000000 0.000000 0.000000 0 0 0 0 "
              "-2 0 0.010000 0.000000 0.000000 0.000000 0 0 -7 \r\n     "
              "0\r\n0\r\nHead\r\n\\Head\\Male-Slim.bwo\r\n" +
                  kDefaultFields + " 0 0 0.010000 0.000000 0.000000 0.000000 0 0 0 \r\n     ");
}

TEST(ProjectFileWriterTest, StandardFileStopsAfterField25) {
    std::vector<ProjectRecord> records{Record(21, 7, "Neck", "\\Neck\\A b.bwo")};
    records[0].adjustments.taperAxis = 2;
    records[0].adjustments.taperValue[0] = 3;
    EXPECT_EQ(Format(records, kProjectVersionStandard),
              "BW1\r\n1\r\n21\r\n7\r\nNeck\r\n\\Neck\\A b.bwo\r\n" + kDefaultFields + "\r\n     ");
    EXPECT_EQ(Format({}, kProjectVersionStandard), "BW1\r\n0\r\n");
}

TEST(ProjectFileWriterTest, DecimalSeparatorIsAFullStopInAnyLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale installed";
    std::vector<ProjectRecord> records{Record(0, 0, "Head", "\\Head\\H.bwo")};
    records[0].adjustments.taperStep = 0.25f;
    const std::string bytes = Format(records, kProjectVersionPro);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(bytes.find(','), std::string::npos);
    EXPECT_NE(bytes.find(" 0.250000 "), std::string::npos);
}

TEST(ProjectFileWriterTest, RefusesWhatCouldNotBeReadBack) {
    std::string bytes = "untouched";
    std::string reason;
    EXPECT_FALSE(FormatProject({}, "3", bytes, &reason));
    EXPECT_FALSE(FormatProject({}, "", bytes, &reason));
    EXPECT_FALSE(FormatProject({}, "2 0", bytes, &reason));
    const std::vector<ProjectRecord> broken{Record(0, 0, "Head", "\\Head\\two\nlines.bwo")};
    EXPECT_FALSE(FormatProject(broken, "20", bytes, &reason));
    EXPECT_NE(reason.find("Head"), std::string::npos);
    EXPECT_EQ(bytes, "untouched");
}

TEST(ProjectFileWriterTest, PortablePathsUseBackslashes) {
    EXPECT_EQ(ToPortablePath("/Left foot/X.bwo"), "\\Left foot\\X.bwo");
    EXPECT_EQ(FromPortablePath("\\Left foot/X.bwo"), "/Left foot/X.bwo");
}

}  // namespace
}  // namespace bw
