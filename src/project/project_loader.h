// Loading a project file into a creature: clears the creature, reads the records, translates
// the paths of renamed object files, adds each part, sets its adjustments and applies them.
// The Project page and the command-line tool share it; what is shown to the user (the
// translation question, the list of translated names, the Select Parts lists) reaches the
// caller through ProjectLoadListener.
#pragma once

#include <string>
#include <vector>

#include "model/creature.h"
#include "project/name_translation_table.h"
#include "project/project_file.h"

namespace bw {

// The translation flags, kept for the whole run. dontAskProject is -1 while the current load
// has not asked yet.
struct TranslationFlags {
    int autoTranslate = 1;
    int dontAskProject = -1;
    int dontAskSession = 0;
    int showTranslationList = 1;
};

// The four check boxes of the translation question.
struct TranslationAnswer {
    bool autoTranslate = true;
    bool dontAskProject = true;
    bool dontAskSession = false;
    bool showTranslationList = true;
};

// The boxes' start states: each flag, with "don't ask again" boxes checked while undecided.
TranslationAnswer QuestionStartState(const TranslationFlags& flags);
void StoreAnswer(const TranslationAnswer& answer, TranslationFlags& flags);

class ProjectLoadListener {
  public:
    virtual ~ProjectLoadListener() = default;
    // Asks whether `oldPath` is to become `newPath`; returns the boxes as the user left them
    // (`start` when the question was closed without OK).
    virtual TranslationAnswer AskTranslation(const std::string& oldPath, const std::string& newPath,
                                             const TranslationAnswer& start) = 0;
    // The translated paths, one entry per translation, when the load is done.
    virtual void ShowTranslationList(const std::vector<std::string>& oldPaths,
                                     const std::vector<std::string>& newPaths) = 0;
    // The body part's list is set to " (none) " while the creature is cleared.
    virtual void ClearSelection(BodyPartId bodyPart) {}
    // A record names `fileName` for `bodyPart` (the list selects the entry equal to it,
    // ignoring case; an empty name selects none, see RecordListEntry), before the part is
    // added.
    virtual void SelectFile(BodyPartId bodyPart, const std::string& fileName) {}
    // A record's part was added (`part`, adjustments applied) or could not be (nullptr).
    virtual void RecordLoaded(const ProjectRecord& record, PartObject* part) {}
};

// Translates every renamed path without asking and shows no list: for loads that no one
// watches (tests, benchmarks).
class AutoTranslatingLoadListener : public ProjectLoadListener {
  public:
    TranslationAnswer AskTranslation(const std::string&, const std::string&,
                                     const TranslationAnswer&) override {
        return {true, true, true, true};
    }
    void ShowTranslationList(const std::vector<std::string>&,
                             const std::vector<std::string>&) override {}
};

struct ProjectLoadResult {
    int recordsRead = 0;
    int partsAdded = 0;
    std::vector<std::string> translatedFrom;
    std::vector<std::string> translatedTo;
};

// Loads the project file at `path`. Object paths that begin with a backslash are relative to
// `objectDirectory`. False, with a warning shown through the creature's Notifier and the
// creature untouched, when the file cannot be read or is no project file of a known version;
// false with a warning too when the file ends before its last record (the records before it
// are loaded). A record that names no body part, or whose object file cannot be added, is
// reported and skipped; loading goes on with the next one.
bool LoadProject(Creature& creature, const std::string& path, const std::string& objectDirectory,
                 TranslationFlags& flags, ProjectLoadListener& listener,
                 ProjectLoadResult* result = nullptr);

}  // namespace bw
