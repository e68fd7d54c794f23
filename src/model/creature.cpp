#include "model/creature.h"

#include <memory>

#include "model/part_transform.h"
#include "model/set_weld.h"

namespace bw {
namespace {

std::string ConnectMismatchText(const PartObject& x, const PartObject& y, std::size_t countA,
                                std::size_t countB) {
    const std::string& xt = x.TypeName();
    const std::string& yt = y.TypeName();
    return "Trying to connect " + xt + " to " + yt + "...\n" + xt +
           " has : " + std::to_string(countA) + " points\n" + yt +
           " wants: " + std::to_string(countB) + " points\n" + xt + " bwo: " + x.Name() + "\n" +
           yt + " bwo: " + y.Name();
}

std::string AttachMismatchText(std::size_t countA, std::size_t countB) {
    return "Object you are trying to connect have: " + std::to_string(countA) +
           " points\n Object that it will be connected to have: " + std::to_string(countB) +
           " points";
}

// The program's own caption, spelled as users and stored logs know it; not a typo to mend.
const std::string kCantConnect = "Cant connect object!";

}  // namespace

void Creature::Warn(const std::string& text, const std::string& caption) {
    (route_ ? *route_ : notifier_)
        .ShowMessage(text, caption, MessageIcon::Warning, MessageButtons::Ok);
}

bool Creature::AddPart(const std::string& name, const std::string& path, BodyPartId bodyPart) {
    lastAddFailure_ = {path, {}};
    // The reason is in place before the message, so a notifier may read it while it shows it.
    const auto fail = [&](const std::string& caption) {
        Warn(path, caption);
        return false;
    };
    auto part = std::make_unique<PartObject>();
    if (!part->LoadObjectFile(path, &lastAddFailure_.reason)) return fail("Unable to add object");
    if (const auto axis = TaperAxisOfBodyPart(bodyPart))
        part->adjustments.taperAxis = axis->FileValue();
    lastAddFailure_.reason = "the name could not be stored";
    if (!part->SetName(path)) return fail("Unable to set object name");
    if (!part->SetTypeName(name)) return fail("Unable to set object type");
    lastAddFailure_.reason = "the file has no points (no 'PNTS' chunk)";
    if (!part->CheckPoints()) return fail("Unable to calculate object type");
    part->bodyPart = bodyPart;
    lastAddFailure_.reason = TypeCodeOfName(name)
                                 ? "its connection sets do not fit the parts it connects to"
                                 : "\"" + name + "\" is no body part";
    if (!ConnectPart(part.release())) return false;
    lastAddFailure_ = {};
    return true;
}

bool Creature::RemovePart(const std::string& name) {
    for (int i = 0; i < parts_.Count(); ++i) {
        if (static_cast<PartObject*>(parts_.At(i))->TypeName() == name) {
            parts_.RemoveAt(i);
            parts_.RebuildIndex();
            return true;
        }
    }
    return false;
}

void Creature::ReplaceParts(std::vector<std::unique_ptr<PartObject>> parts) {
    while (parts_.Count() > 0) parts_.RemoveAt(parts_.Count() - 1);
    for (std::unique_ptr<PartObject>& part : parts) {
        if (!part) continue;
        part->panX = panX;
        part->panY = panY;
        parts_.Append(part.release());
    }
    parts_.RebuildIndex();
}

PartObject* Creature::PartOfTypeCode(TypeCode code) const {
    PartObject* found = nullptr;
    for (int i = 0; i < parts_.Count(); ++i) {
        PartObject* part = Part(i);
        if (part->GetTypeCode() == code) found = part;
    }
    return found;
}

bool Creature::IsInCreature(const PartObject* part) const {
    for (int i = 0; i < parts_.Count(); ++i)
        if (Part(i) == part) return true;
    return false;
}

void Creature::AppendPart(PartObject* part) {
    part->panX = panX;
    part->panY = panY;
    parts_.Append(part);
    parts_.RebuildIndex();
}

bool Creature::ConnectPart(PartObject* raw) {
    std::unique_ptr<PartObject> x(raw);

    // Replacement: the new part takes over the highlight of the part it replaces.
    for (int i = 0; i < parts_.Count(); ++i) {
        auto* old = static_cast<PartObject*>(parts_.At(i));
        if (old->TypeName() == x->TypeName()) {
            x->highlight = old->highlight;
            parts_.RemoveAt(i);
            break;
        }
    }
    parts_.RebuildIndex();

    const std::optional<TypeCode> code = TypeCodeOfName(x->TypeName());
    if (!code) return false;
    x->SetTypeCode(*code);
    const int ownRank = RankOfTypeCode(*code);

    // At most one part per type code, so at most one record per set.
    std::array<NeighbourRecord, kMaxConnectionSets> records{};
    std::size_t recordCount = 0;
    for (const SetConnection& connection : ConnectionsOfTypeCode(*code)) {
        for (int k = 0; k < parts_.Count() && recordCount < records.size(); ++k) {
            if (Part(k)->GetTypeCode() == connection.neighbour) {
                records[recordCount++] = {connection.ownSet, RankOfTypeCode(connection.neighbour),
                                          k, connection.neighbourSet};
            }
        }
    }

    if (recordCount == 0) {
        AppendPart(x.release());
        return true;
    }

    if (recordCount == 1) {
        const NeighbourRecord& r = records.front();
        if (!MoveOntoNeighbour(*x, r)) return false;
        PartObject* y = Part(r.index);
        WeldSets(*x, x->ConnectionSet(r.ownSet - 1), *y, y->ConnectionSet(r.neighbourSet - 1));
        AppendPart(x.release());
        return true;
    }

    // Several neighbours: the part moves only towards its parent (the one of higher rank).
    for (std::size_t i = 0; i < recordCount; ++i) {
        if (records[i].rank > ownRank && !MoveOntoNeighbour(*x, records[i])) return false;
    }
    // MoveAttachedParts destroys a part that is not in the creature when it fails.
    if (!MoveAttachedParts(x.get())) {
        static_cast<void>(x.release());
        return false;
    }
    WeldConnections(x.get());
    AppendPart(x.release());
    return true;
}

bool Creature::MoveOntoNeighbour(PartObject& x, const NeighbourRecord& record) {
    PartObject* y = Part(record.index);
    const auto a = x.ConnectionSet(record.ownSet - 1);
    const auto b = y->ConnectionSet(record.neighbourSet - 1);
    if (a.size() != b.size()) {
        Warn(ConnectMismatchText(x, *y, a.size(), b.size()), "Can't connect object!");
        return false;
    }
    MoveSetOnto(x, a, *y, b);
    return true;
}

bool Creature::MoveAttachedParts(PartObject* x) {
    std::array<PartObject*, kBodyPartCount> byType{};
    for (int i = 0; i < parts_.Count(); ++i) {
        PartObject* part = Part(i);
        if (IsValidTypeCode(part->GetTypeCode())) byType[std::size_t(part->GetTypeCode())] = part;
    }
    for (const AttachedChain& entry : ChainsOfTypeCode(x->GetTypeCode())) {
        PartObject* y = byType[std::size_t(entry.chain.front())];
        if (!y) continue;
        const auto a = x->ConnectionSet(entry.ownSet - 1);
        const auto b = y->ConnectionSet(entry.neighbourSet - 1);
        if (a.size() != b.size()) {
            Warn(AttachMismatchText(a.size(), b.size()), kCantConnect);
            if (!IsInCreature(x)) delete x;
            return false;
        }
        const Vec3d offset = SetCentroid(*x, a) - SetCentroid(*y, b);
        if (a.empty()) continue;
        for (TypeCode member : entry.chain) {
            if (PartObject* moved = byType[std::size_t(member)])
                moved->Translate(float(offset.x), float(offset.y), float(offset.z));
        }
    }
    return true;
}

bool Creature::WeldConnections(PartObject* x) {
    for (const SetConnection& connection : ConnectionsOfTypeCode(x->GetTypeCode())) {
        PartObject* y = PartOfTypeCode(connection.neighbour);
        if (!y) continue;
        const auto a = x->ConnectionSet(connection.ownSet - 1);
        const auto b = y->ConnectionSet(connection.neighbourSet - 1);
        if (a.size() != b.size()) {
            Warn(AttachMismatchText(a.size(), b.size()), kCantConnect);
            break;
        }
        WeldSets(*x, a, *y, b);
    }
    WeldNoseMouth();
    return true;
}

bool Creature::WeldNoseMouth() {
    PartObject* nose = nullptr;
    PartObject* mouth = nullptr;
    for (int i = 0; i < parts_.Count(); ++i) {
        PartObject* part = Part(i);
        if (part->TypeName() == "Nose") nose = part;
        if (part->TypeName() == "Mouth") mouth = part;
    }
    if (!nose || !mouth) return true;
    const auto a = nose->ConnectionSet(1);
    const auto b = mouth->ConnectionSet(1);
    if (a.size() != b.size()) {
        Warn(AttachMismatchText(a.size(), b.size()), kCantConnect);
        return false;
    }
    WeldSets(*nose, a, *mouth, b);
    return true;
}

void Creature::ApplyAdjustments(PartObject* part) {
    TransformPart(*part);
    MoveAttachedParts(part);
    WeldConnections(part);
}

PartObject* Creature::FindPartForEdit(BodyPartId bodyPart) {
    ClearHighlights();
    const std::optional<TypeCode> code = TypeCodeOfBodyPart(bodyPart);
    if (!code) return nullptr;
    for (int i = 0; i < parts_.Count(); ++i) {
        PartObject* part = Part(i);
        if (part->GetTypeCode() == *code) {
            part->highlight = 1;
            return part;
        }
    }
    return nullptr;
}

void Creature::ClearHighlights() {
    for (int i = 0; i < parts_.Count(); ++i) Part(i)->highlight = 0;
}

void Creature::PropagatePan() {
    for (int i = 0; i < parts_.Count(); ++i) {
        Part(i)->panX = panX;
        Part(i)->panY = panY;
    }
}

void Creature::ResetPan() {
    panX = 0.0f;
    panY = 0.0f;
    PropagatePan();
}

void Creature::ResetRotation() {
    pitch = 0.0f;
    yaw = 0.0f;
}

void Creature::ResetView() {
    ResetPan();
    ResetRotation();
}

}  // namespace bw
