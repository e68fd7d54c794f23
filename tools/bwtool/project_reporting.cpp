#include "bwtool/project_reporting.h"

#include <iostream>

#include "project/project_loader.h"

namespace bw::tool {
namespace {

// Translates renamed paths without asking again, reports the list like any message, and the
// reason of every record whose part could not be added.
class TranslatingListener : public ProjectLoadListener {
  public:
    TranslatingListener(Notifier& notifier, const Creature& creature)
        : notifier_(notifier), creature_(creature) {}
    TranslationAnswer AskTranslation(const std::string&, const std::string&,
                                     const TranslationAnswer&) override {
        return {true, true, true, true};
    }
    void ShowTranslationList(const std::vector<std::string>& oldPaths,
                             const std::vector<std::string>& newPaths) override {
        std::string text = "Original name:";
        for (const std::string& p : oldPaths) text += "\n" + p;
        text += "\nNew name:";
        for (const std::string& p : newPaths) text += "\n" + p;
        notifier_.ShowMessage(text, "Translated Body Part Names", MessageIcon::Information);
    }
    void RecordLoaded(const ProjectRecord&, PartObject* part) override {
        if (!part) ReportAddFailure(creature_);
    }

  private:
    Notifier& notifier_;
    const Creature& creature_;
};

}  // namespace

void ReportAddFailure(const Creature& creature) {
    const Creature::AddFailure& failure = creature.LastAddFailure();
    std::cerr << "error: " << failure.path << ": " << failure.reason << "\n";
}

bool LoadProjectReporting(Creature& creature, const std::string& project,
                          const std::string& objectDirectory, ReportingNotifier& notifier) {
    TranslatingListener listener(notifier, creature);
    TranslationFlags flags;
    ProjectLoadResult loaded;
    return LoadProject(creature, project, objectDirectory, flags, listener, &loaded) &&
           loaded.partsAdded >= loaded.recordsRead;
}

}  // namespace bw::tool
