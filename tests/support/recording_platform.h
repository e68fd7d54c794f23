// Recording fakes of the ui platform services: every request is kept and the answers are
// scripted, so a test asserts the exact title, filter and proposed name and no dialog blocks.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform_dialogs.h"
#include "select/random_source.h"

namespace bw::test {

class RecordingFileDialogs : public FileDialogs {
  public:
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override {
        opened.push_back(request);
        return Next();
    }
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override {
        saved.push_back(request);
        return Next();
    }
    // Answers to the next dialogs, in order; nullopt cancels. Once they run out, cancel.
    std::deque<std::optional<std::string>> answers;
    std::vector<FileDialogRequest> opened;
    std::vector<FileDialogRequest> saved;

  private:
    std::optional<std::string> Next() {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class RecordingColourChooser : public ColourChooser {
  public:
    std::optional<Rgb8> ChooseColour(const Rgb8& initial) override {
        shown.push_back(initial);
        return answer;
    }
    std::optional<Rgb8> answer;  // nullopt cancels
    std::vector<Rgb8> shown;
};

class RecordingShellOpener : public ShellOpener {
  public:
    int Open(const std::string& target) override {
        targets.push_back(target);
        return result;
    }
    int result = kShellOpenSuccess;
    std::vector<std::string> targets;
};

// Counts up from 0 (modulo RandomSource::kMax + 1), restarting at every seed: the same
// sequence every time.
class CountingRandom : public RandomSource {
  public:
    void Seed() override {
        next_ = 0;
        ++seeds;
    }
    int Next() override {
        const int value = next_;
        next_ = (next_ + 1) % (kMax + 1);
        return value;
    }
    int seeds = 0;

  private:
    int next_ = 0;
};

}  // namespace bw::test
