// The 22 body parts of a creature: names, the two numberings, the connection tables, the
// chains of parts that move together, the converter's set labels and the taper axes.
//
// Two numberings are used side by side:
//  - BodyPartId: catalogue order, 0 "Head" ... 21 "Right foot" (pages, project file, converter,
//    object file header);
//  - type code: connection order, 0 "Head", 1 "Left hand" ... 21 "Neck" (connection tables and
//    every PartObject of a creature).
// Everything here is a compiled-in constant.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/taper_axis.h"

namespace bw {

using BodyPartId = int;
// A distinct type, so that a type code never passes for a BodyPartId or a plain number:
// TypeCode{n} makes one, int(code) reads it where files and tables need the number.
enum class TypeCode : int {};

inline constexpr int kBodyPartCount = 22;
inline constexpr int kMaxConnectionSets = 8;
// The converter page shows seven connection set rows per body part.
inline constexpr int kConnectionLabelCount = 7;

// One set of a body part and the neighbour it meets there. Sets are numbered from 1 (set 1 is
// the object file's 'P001' chunk).
struct SetConnection {
    int ownSet;
    TypeCode neighbour;
    int neighbourSet;
};

// A set of a body part that has parts hanging off it: the neighbour's matching set and the
// chain of body parts (type codes) that move together, the direct neighbour first.
struct AttachedChain {
    int ownSet;
    int neighbourSet;
    std::span<const TypeCode> chain;
};

// Catalogue lookups (BodyPartId). Out-of-range ids give empty names and nullopt.
bool IsValidBodyPartId(BodyPartId id);
std::string_view BodyPartName(BodyPartId id);
std::optional<BodyPartId> BodyPartIdOfName(std::string_view name);  // exact match
std::optional<TypeCode> TypeCodeOfBodyPart(BodyPartId id);
std::optional<TaperAxis> TaperAxisOfBodyPart(BodyPartId id);  // none for bad ids
// Label of connection set row `set` (1..7) on the converter page; "Not availible" where none.
std::string_view ConnectionLabel(BodyPartId id, int set);

// Type code lookups. Out-of-range codes give empty names, rank -1 and empty tables.
bool IsValidTypeCode(TypeCode code);
std::string_view TypeCodeName(TypeCode code);
// The first type code whose name equals `name` byte for byte; nullopt when none does.
std::optional<TypeCode> TypeCodeOfName(std::string_view name);
std::optional<BodyPartId> BodyPartOfTypeCode(TypeCode code);
int RankOfTypeCode(TypeCode code);
std::span<const SetConnection> ConnectionsOfTypeCode(TypeCode code);
std::span<const AttachedChain> ChainsOfTypeCode(TypeCode code);

// The directory name the converter writes for a body part ("Left Forearm" and "Right Forearm"
// with a capital F, every other body part by its catalogue name).
std::string_view ConverterDirectoryName(BodyPartId id);
// Those names for every body part, indexed by BodyPartId.
std::array<std::string_view, kBodyPartCount> ConverterDirectoryNames();

}  // namespace bw
