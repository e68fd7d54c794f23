#include "project/project_loader.h"

#include <vector>

#include "model/file_io.h"
#include "model/message_limiter.h"
#include "project/project_file_reader.h"
#include "project/project_paths.h"

namespace bw {
namespace {

const std::string kLoadCaption = "Unable to load project";
const std::string kRecordCaption = "Project record skipped";

// Sets the fields of the part that the record carries: 1-24 always, 26-34 from a Pro file
// that gave them (a Pro line cut short before the taper fields keeps the part's own axis).
void SetAdjustments(PartObject& part, const ProjectRecord& record, bool pro) {
    PartAdjustments& to = part.adjustments;
    const PartAdjustments& from = record.adjustments;
    to.adjustPosition = from.adjustPosition;
    to.sliderStep = from.sliderStep;
    to.scaleValue = from.scaleValue;
    to.scaleLock = from.scaleLock;
    if (!pro) return;
    if (record.HasTaperAxisFromFile()) to.taperAxis = from.taperAxis;
    to.taperLock = from.taperLock;
    to.taperStep = from.taperStep;
    to.taperValue = from.taperValue;
    to.taperAdjustPosition = from.taperAdjustPosition;
}

// Sends the creature's messages to a load's limiter for as long as it lives.
class MessageRoute {
  public:
    MessageRoute(Creature& creature, Notifier& notifier) : creature_(creature) {
        creature_.RouteMessagesTo(&notifier);
    }
    ~MessageRoute() { creature_.RouteMessagesTo(nullptr); }
    MessageRoute(const MessageRoute&) = delete;
    MessageRoute& operator=(const MessageRoute&) = delete;

  private:
    Creature& creature_;
};

}  // namespace

TranslationAnswer QuestionStartState(const TranslationFlags& flags) {
    return {flags.autoTranslate != 0, flags.dontAskProject != 0, flags.dontAskSession != 0,
            flags.showTranslationList != 0};
}

void StoreAnswer(const TranslationAnswer& answer, TranslationFlags& flags) {
    flags.autoTranslate = answer.autoTranslate ? 1 : 0;
    flags.dontAskProject = answer.dontAskProject ? 1 : 0;
    flags.dontAskSession = answer.dontAskSession ? 1 : 0;
    flags.showTranslationList = answer.showTranslationList ? 1 : 0;
}

namespace {

// A record's renamed object path, asked about as the flags say and taken when they say so.
void TranslateRecord(ProjectRecord& record, TranslationFlags& flags, ProjectLoadListener& listener,
                     ProjectLoadResult& out) {
    static const NameTranslationTable table;
    // Only paths below the object directory name files of the library.
    const bool relative = !record.objectPath.empty() && record.objectPath.front() == '\\';
    const std::optional<std::string> renamed =
        relative ? table.Translate(record.objectPath) : std::nullopt;
    if (!renamed) return;
    if (flags.dontAskProject < 1) {
        const TranslationAnswer start = QuestionStartState(flags);
        StoreAnswer(listener.AskTranslation(record.objectPath, *renamed, start), flags);
    }
    if (flags.dontAskSession != 0) flags.dontAskProject = 1;
    if (flags.autoTranslate != 0) {
        out.translatedFrom.push_back(record.objectPath);
        out.translatedTo.push_back(*renamed);
        record.objectPath = *renamed;
    }
}

// A valid record's part added to the creature with its adjustments; the listener hears of it.
void LoadRecord(Creature& creature, ProjectRecord& record, bool pro,
                const std::string& objectDirectory, TranslationFlags& flags,
                ProjectLoadListener& listener, MessageLimiter& notifier, ProjectLoadResult& out) {
    TranslateRecord(record, flags, listener, out);
    const BodyPartId listPart = BodyPartOfTypeCode(record.typeCode).value_or(record.bodyPart);
    listener.SelectFile(listPart, RecordListEntry(record.name, record.objectPath));

    const std::string file = ObjectPathOfStored(record.objectPath, objectDirectory);
    PartObject* part = nullptr;
    if (creature.AddPart(record.name, file, record.bodyPart)) {
        part = creature.Part(creature.PartCount() - 1);
        SetAdjustments(*part, record, pro);
        creature.ApplyAdjustments(part);
        ++out.partsAdded;
    }
    listener.RecordLoaded(record, part);
    notifier.EndRecord(part == nullptr, file);
}

}  // namespace

bool LoadProject(Creature& creature, const std::string& path, const std::string& objectDirectory,
                 TranslationFlags& flags, ProjectLoadListener& listener,
                 ProjectLoadResult* result) {
    std::vector<std::uint8_t> bytes;
    std::string reason;
    if (!ReadWholeFile(path, bytes, &reason)) {
        creature.GetNotifier().ShowMessage(path + "\n" + reason, kLoadCaption);
        return false;
    }
    // The records are read where the bytes lie: a project may be large.
    ProjectReader reader(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    // The first failures are shown as they come, the rest in one message at the end.
    MessageLimiter notifier(creature.GetNotifier());
    const MessageRoute route(creature, notifier);
    ProjectHeader header;
    if (!reader.ReadHeader(header, &reason)) {
        notifier.ShowMessage(path + "\n" + reason, kLoadCaption);
        return false;
    }

    for (BodyPartId id = 0; id < kBodyPartCount; ++id) {
        listener.ClearSelection(id);
        creature.RemovePart(std::string(BodyPartName(id)));
    }
    if (flags.dontAskSession == 1) flags.dontAskProject = 1;

    ProjectLoadResult local;
    ProjectLoadResult& out = result ? *result : local;
    out = {};
    ProjectRecord record;
    while (reader.NextRecord(record, &reason)) {
        ++out.recordsRead;
        if (record.IsValid()) {
            LoadRecord(creature, record, header.IsPro(), objectDirectory, flags, listener, notifier,
                       out);
            continue;
        }
        notifier.ShowMessage(path + "\nRecord " + std::to_string(out.recordsRead) +
                                 " names no body part (type code " +
                                 std::to_string(int(record.typeCode)) + ", body part " +
                                 std::to_string(record.bodyPart) + "); it is skipped.",
                             kRecordCaption);
        notifier.EndRecord(true, "Record " + std::to_string(out.recordsRead));
    }
    notifier.Finish();
    const bool complete = reader.Complete();
    if (!complete) notifier.ShowMessage(path + "\n" + reason, kLoadCaption);

    if (flags.showTranslationList != 0 && !out.translatedFrom.empty())
        listener.ShowTranslationList(out.translatedFrom, out.translatedTo);
    flags.dontAskProject = -1;
    return complete;
}

}  // namespace bw
