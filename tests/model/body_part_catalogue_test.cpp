#include "model/body_part_catalogue.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace bw {
namespace {

using ::testing::ElementsAre;

// The type code column of the catalogue, in BodyPartId order, and the names in type code order,
// written out independently of the tables under test.
constexpr std::array<int, kBodyPartCount> kExpectedTypeCodes{
    0, 19, 20, 15, 16, 17, 18, 21, 7, 3, 5, 1, 4, 6, 2, 8, 11, 9, 13, 12, 10, 14};
const std::array<std::string, kBodyPartCount> kExpectedTypeCodeNames{
    "Head",          "Left hand",  "Right hand", "Left arm", "Right arm", "Left forearm",
    "Right forearm", "Upper body", "Stomach",    "Left leg", "Right leg", "Left thigh",
    "Right thigh",   "Left foot",  "Right foot", "Left eye", "Right eye", "Nose",
    "Mouth",         "Left ear",   "Right ear",  "Neck"};

std::vector<TypeCode> AllTypeCodes() {
    std::vector<TypeCode> codes;
    for (int c = 0; c < kBodyPartCount; ++c) codes.push_back(TypeCode{c});
    return codes;
}

TypeCode Code(const char* name) {
    const std::optional<TypeCode> code = TypeCodeOfName(name);
    EXPECT_TRUE(code.has_value()) << name;
    return code.value_or(TypeCode{-1});
}

const SetConnection* FindSet(TypeCode code, int set) {
    for (const SetConnection& c : ConnectionsOfTypeCode(code))
        if (c.ownSet == set) return &c;
    return nullptr;
}

// The neighbours of strictly higher rank of a body part.
std::vector<TypeCode> HigherNeighbours(TypeCode code) {
    std::vector<TypeCode> result;
    for (const SetConnection& c : ConnectionsOfTypeCode(code))
        if (RankOfTypeCode(c.neighbour) > RankOfTypeCode(code)) result.push_back(c.neighbour);
    return result;
}

std::optional<TypeCode> Parent(TypeCode code) {
    const std::vector<TypeCode> higher = HigherNeighbours(code);
    if (higher.size() != 1) return std::nullopt;
    return higher.front();
}

bool IsBelow(TypeCode code, TypeCode ancestor) {
    for (std::optional<TypeCode> p = Parent(code); p; p = Parent(*p))
        if (*p == ancestor) return true;
    return false;
}

TEST(BodyPartCatalogueNumbering, BothNumberingsMapOntoEachOther) {
    std::set<TypeCode> seen;
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const std::optional<TypeCode> code = TypeCodeOfBodyPart(id);
        ASSERT_TRUE(code.has_value()) << id;
        EXPECT_EQ(int(*code), kExpectedTypeCodes[id]) << BodyPartName(id);
        EXPECT_EQ(TypeCodeName(*code), BodyPartName(id));
        EXPECT_EQ(BodyPartOfTypeCode(*code), id);
        EXPECT_EQ(BodyPartIdOfName(BodyPartName(id)), id);
        seen.insert(*code);
    }
    EXPECT_EQ(seen.size(), std::size_t(kBodyPartCount));
    for (TypeCode code : AllTypeCodes()) {
        EXPECT_EQ(TypeCodeName(code), kExpectedTypeCodeNames[std::size_t(code)]);
        EXPECT_EQ(TypeCodeOfName(kExpectedTypeCodeNames[std::size_t(code)]), code);
    }
    EXPECT_EQ(BodyPartName(0), "Head");
    EXPECT_EQ(BodyPartName(21), "Right foot");
    EXPECT_EQ(TypeCodeOfBodyPart(8), TypeCode{7});
    EXPECT_EQ(TypeCodeName(TypeCode{7}), "Upper body");
}

TEST(BodyPartCatalogueNumbering, OutOfRangeValuesGiveNothing) {
    for (int bad : {-1, kBodyPartCount}) {
        EXPECT_FALSE(IsValidBodyPartId(bad));
        EXPECT_FALSE(IsValidTypeCode(TypeCode{bad}));
        EXPECT_EQ(BodyPartName(bad), "");
        EXPECT_EQ(TypeCodeName(TypeCode{bad}), "");
        EXPECT_EQ(TypeCodeOfBodyPart(bad), std::nullopt);
        EXPECT_EQ(BodyPartOfTypeCode(TypeCode{bad}), std::nullopt);
        EXPECT_EQ(RankOfTypeCode(TypeCode{bad}), -1);
        EXPECT_TRUE(ConnectionsOfTypeCode(TypeCode{bad}).empty());
        EXPECT_TRUE(ChainsOfTypeCode(TypeCode{bad}).empty());
        EXPECT_EQ(TaperAxisOfBodyPart(bad), std::nullopt);
    }
}

TEST(BodyPartCatalogueNames, LookupIsExactAndCaseSensitive) {
    EXPECT_EQ(TypeCodeOfName("Left forearm"), TypeCode{5});
    EXPECT_EQ(TypeCodeOfName("Left Forearm"), std::nullopt);
    EXPECT_EQ(TypeCodeOfName("Right Forearm"), std::nullopt);
    EXPECT_EQ(TypeCodeOfName("left forearm"), std::nullopt);
    EXPECT_EQ(TypeCodeOfName("Left forearm "), std::nullopt);
    EXPECT_EQ(TypeCodeOfName("Left"), std::nullopt);
    EXPECT_EQ(TypeCodeOfName(""), std::nullopt);
    EXPECT_EQ(BodyPartIdOfName("Left Forearm"), std::nullopt);
    EXPECT_EQ(BodyPartIdOfName("Left forearm"), 10);
}

TEST(BodyPartCatalogueNames, ConverterWritesCapitalForearmDirectories) {
    EXPECT_EQ(ConverterDirectoryName(10), "Left Forearm");
    EXPECT_EQ(ConverterDirectoryName(13), "Right Forearm");
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        if (id == 10 || id == 13) continue;
        EXPECT_EQ(ConverterDirectoryName(id), BodyPartName(id));
    }
}

TEST(ConnectionTable, EveryEntryHasItsMirror) {
    int entries = 0;
    for (TypeCode code : AllTypeCodes()) {
        for (const SetConnection& c : ConnectionsOfTypeCode(code)) {
            ++entries;
            ASSERT_TRUE(IsValidTypeCode(c.neighbour));
            const SetConnection* mirror = FindSet(c.neighbour, c.neighbourSet);
            ASSERT_NE(mirror, nullptr) << TypeCodeName(code) << " set " << c.ownSet << " -> "
                                       << TypeCodeName(c.neighbour) << " set " << c.neighbourSet;
            EXPECT_EQ(mirror->neighbour, code) << TypeCodeName(code) << " set " << c.ownSet;
            EXPECT_EQ(mirror->neighbourSet, c.ownSet) << TypeCodeName(code) << " set " << c.ownSet;
        }
    }
    EXPECT_EQ(entries, 2 * 21 + 2);  // 21 tree edges plus nose-mouth, each seen from both ends
    const SetConnection* neckToHead = FindSet(Code("Neck"), 2);
    ASSERT_NE(neckToHead, nullptr);
    EXPECT_EQ(neckToHead->neighbour, Code("Head"));
    EXPECT_EQ(neckToHead->neighbourSet, 1);
}

TEST(ConnectionTable, SetsAreNumberedFromOneInOrderAndFitTheFile) {
    for (TypeCode code : AllTypeCodes()) {
        int expected = 1;
        for (const SetConnection& c : ConnectionsOfTypeCode(code)) {
            EXPECT_EQ(c.ownSet, expected++) << TypeCodeName(code);
            EXPECT_LE(c.ownSet, kMaxConnectionSets);
        }
        EXPECT_GE(expected, 2) << TypeCodeName(code) << " has no sets";
    }
    EXPECT_EQ(ConnectionsOfTypeCode(Code("Head")).size(), 7u);
}

TEST(ConnectionTable, EveryPartButTheUpperBodyHasExactlyOneHigherNeighbour) {
    for (TypeCode code : AllTypeCodes()) {
        const std::size_t higher = HigherNeighbours(code).size();
        if (code == Code("Upper body")) {
            EXPECT_EQ(higher, 0u);
            EXPECT_EQ(RankOfTypeCode(code), 4);
        } else {
            EXPECT_EQ(higher, 1u) << TypeCodeName(code);
        }
    }
    // The tree as the creature hangs it together.
    EXPECT_EQ(Parent(Code("Neck")), Code("Upper body"));
    EXPECT_EQ(Parent(Code("Stomach")), Code("Upper body"));
    EXPECT_EQ(Parent(Code("Right arm")), Code("Upper body"));
    EXPECT_EQ(Parent(Code("Left forearm")), Code("Left arm"));
    EXPECT_EQ(Parent(Code("Right hand")), Code("Right forearm"));
    EXPECT_EQ(Parent(Code("Head")), Code("Neck"));
    EXPECT_EQ(Parent(Code("Mouth")), Code("Head"));
    EXPECT_EQ(Parent(Code("Left ear")), Code("Head"));
    EXPECT_EQ(Parent(Code("Left thigh")), Code("Stomach"));
    EXPECT_EQ(Parent(Code("Right leg")), Code("Right thigh"));
    EXPECT_EQ(Parent(Code("Left foot")), Code("Left leg"));
    // Nose and mouth, both rank 0, also meet each other.
    const SetConnection* noseToMouth = FindSet(Code("Nose"), 2);
    ASSERT_NE(noseToMouth, nullptr);
    EXPECT_EQ(noseToMouth->neighbour, Code("Mouth"));
    EXPECT_EQ(RankOfTypeCode(Code("Nose")), RankOfTypeCode(Code("Mouth")));
}

TEST(AttachedPartsTable, ChainsAgreeWithTheConnectionTable) {
    int chains = 0;
    for (TypeCode code : AllTypeCodes()) {
        for (const AttachedChain& chain : ChainsOfTypeCode(code)) {
            ++chains;
            const SetConnection* set = FindSet(code, chain.ownSet);
            ASSERT_NE(set, nullptr) << TypeCodeName(code) << " set " << chain.ownSet;
            ASSERT_FALSE(chain.chain.empty());
            EXPECT_EQ(chain.chain.front(), set->neighbour)
                << TypeCodeName(code) << " set " << chain.ownSet;
            EXPECT_EQ(chain.neighbourSet, set->neighbourSet)
                << TypeCodeName(code) << " set " << chain.ownSet;
        }
    }
    EXPECT_EQ(chains, 21);
}

TEST(AttachedPartsTable, EachChainIsTheSubtreeHangingOffThatSet) {
    for (TypeCode code : AllTypeCodes()) {
        for (const SetConnection& set : ConnectionsOfTypeCode(code)) {
            const auto chains = ChainsOfTypeCode(code);
            const auto found =
                std::find_if(chains.begin(), chains.end(),
                             [&](const AttachedChain& c) { return c.ownSet == set.ownSet; });
            const bool child = Parent(set.neighbour) == code;
            ASSERT_EQ(found != chains.end(), child) << TypeCodeName(code) << " set " << set.ownSet
                                                    << " towards " << TypeCodeName(set.neighbour);
            if (!child) continue;
            std::set<TypeCode> expected{set.neighbour};
            for (TypeCode other : AllTypeCodes())
                if (IsBelow(other, set.neighbour)) expected.insert(other);
            const std::set<TypeCode> actual(found->chain.begin(), found->chain.end());
            EXPECT_EQ(actual, expected) << TypeCodeName(code) << " set " << set.ownSet;
            EXPECT_EQ(actual.size(), found->chain.size()) << "repeated body part in a chain";
        }
    }
    const auto upperBody = ChainsOfTypeCode(Code("Upper body"));
    ASSERT_EQ(upperBody.size(), 4u);
    EXPECT_THAT(std::vector<TypeCode>(upperBody[2].chain.begin(), upperBody[2].chain.end()),
                ElementsAre(Code("Neck"), Code("Head"), Code("Left eye"), Code("Right eye"),
                            Code("Nose"), Code("Mouth"), Code("Left ear"), Code("Right ear")));
}

TEST(ConnectionLabels, ShowTheNeighbourOrNotAvailable) {
    const BodyPartId leftLeg = *BodyPartIdOfName("Left leg");
    EXPECT_EQ(ConnectionLabel(leftLeg, 1), "To foot");
    EXPECT_EQ(ConnectionLabel(leftLeg, 2), "To thigh");
    EXPECT_EQ(ConnectionLabel(leftLeg, 3), "Not availible");
    const BodyPartId rightThigh = *BodyPartIdOfName("Right thigh");
    EXPECT_EQ(ConnectionLabel(rightThigh, 1), "To leg");
    EXPECT_EQ(ConnectionLabel(rightThigh, 2), "To stomach");
    EXPECT_EQ(ConnectionLabel(0, 5), "To Mouth");
    EXPECT_EQ(ConnectionLabel(0, 7), "To right ear");
    EXPECT_EQ(ConnectionLabel(*BodyPartIdOfName("Mouth"), 1), "To Head");
    EXPECT_EQ(ConnectionLabel(*BodyPartIdOfName("Mouth"), 2), "Not availible");
    EXPECT_EQ(ConnectionLabel(*BodyPartIdOfName("Right hand"), 1), "To forearm");
    EXPECT_EQ(ConnectionLabel(*BodyPartIdOfName("Upper body"), 4), "To right arm");
    EXPECT_EQ(ConnectionLabel(0, 0), "Not availible");
    EXPECT_EQ(ConnectionLabel(0, 8), "Not availible");
    EXPECT_EQ(ConnectionLabel(-1, 1), "Not availible");
    // A body part has a label for each set it has, except that the nose and the mouth label only
    // their set towards the head.
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        std::size_t sets = ConnectionsOfTypeCode(*TypeCodeOfBodyPart(id)).size();
        if (BodyPartName(id) == "Nose" || BodyPartName(id) == "Mouth") sets = 1;
        for (int set = 1; set <= kConnectionLabelCount; ++set)
            EXPECT_EQ(ConnectionLabel(id, set) != "Not availible", std::size_t(set) <= sets)
                << BodyPartName(id) << " set " << set;
    }
}

TEST(TaperAxes, FollowTheDirectionEachPartPoints) {
    EXPECT_EQ(TaperAxisOfBodyPart(*BodyPartIdOfName("Head"))->FileValue(), 2);
    EXPECT_EQ(TaperAxisOfBodyPart(*BodyPartIdOfName("Left ear"))->FileValue(), 1);
    EXPECT_EQ(TaperAxisOfBodyPart(*BodyPartIdOfName("Right ear"))->FileValue(), -1);
    EXPECT_EQ(TaperAxisOfBodyPart(*BodyPartIdOfName("Nose"))->FileValue(), 3);
    EXPECT_EQ(TaperAxisOfBodyPart(*BodyPartIdOfName("Left forearm"))->FileValue(), 1);
    EXPECT_EQ(TaperAxisOfBodyPart(*BodyPartIdOfName("Right hand"))->FileValue(), -1);
    EXPECT_EQ(TaperAxisOfBodyPart(*BodyPartIdOfName("Left thigh"))->FileValue(), -2);
    EXPECT_EQ(TaperAxisOfBodyPart(*BodyPartIdOfName("Right foot"))->FileValue(), -2);
    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        const std::optional<TaperAxis> axis = TaperAxisOfBodyPart(id);
        ASSERT_TRUE(axis) << BodyPartName(id);
        EXPECT_EQ(TaperAxis::FromFileValue(axis->FileValue()), axis) << BodyPartName(id);
    }
}

}  // namespace
}  // namespace bw
