// The subcommands of bwtool. Exit statuses: 0 success; 1 a file could not be read or written,
// a part could not be added, or the tool failed otherwise; 2 bad arguments (one line on
// standard error says which).
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

namespace bw::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFileError = 1;
inline constexpr int kExitUsage = 2;

// Parses `args` (the arguments after the program name) and runs the subcommand they name.
// --help and --version print on standard output.
int RunCommand(const std::vector<std::string>& args);

// Adds --objects DIR to `command`, storing the directory in `directory` (a string, or an
// optional one; it must outlive the parse); the caller adds ->required() where the command
// cannot go without it.
template <typename Directory>
CLI::Option* AddObjectsOption(CLI::App& command, Directory& directory,
                              const std::string& description) {
    return command.add_option("--objects", directory, description)->type_name("DIR")->take_last();
}

// What a subcommand does once its arguments parsed: returns the exit status.
using CommandAction = std::function<int()>;

// Each adds its subcommand to `app`; when the subcommand's arguments are parsed and checked,
// `action` is set to run it. A check that fails throws CLI::ValidationError.
void AddInfoCommand(CLI::App& app, CommandAction& action);
void AddAssembleCommand(CLI::App& app, CommandAction& action);
void AddCutCommand(CLI::App& app, CommandAction& action);
void AddRandomCommand(CLI::App& app, CommandAction& action);
#if BW_HAS_RENDER
void AddRenderCommand(CLI::App& app, CommandAction& action);
#endif

}  // namespace bw::tool
