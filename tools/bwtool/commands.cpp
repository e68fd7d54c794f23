// Parses bwtool's arguments and dispatches to the subcommand.
#include "bwtool/commands.h"

#include <iostream>

namespace bw::tool {

namespace {

// The parser's message as one line.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

int RunCommand(const std::vector<std::string>& args) {
    CLI::App app(
        "Inspects Beastwright object files, assembles and exports creatures, makes "
        "random creatures in batches, cuts prepared objects into parts and draws pictures of "
        "parts and creatures.",
        "bwtool");
    app.set_version_flag("--version", "bwtool " BW_VERSION);
    app.require_subcommand(1);
    app.footer(
        "Exit status: 0 success; 1 a file could not be read or written or a part could "
        "not be added; 2 bad arguments.\nRun 'bwtool COMMAND --help' for a command's "
        "options.");
    CommandAction action;
    AddInfoCommand(app, action);
    AddAssembleCommand(app, action);
    AddCutCommand(app, action);
    AddRandomCommand(app, action);
#if BW_HAS_RENDER
    AddRenderCommand(app, action);
#endif
    // A first word that is no option and no command would only be reported as a missing
    // command.
    const auto isCommand = [&app](const std::string& word) {
        for (const CLI::App* sub : app.get_subcommands({}))
            if (sub->get_name() == word) return true;
        return false;
    };
    if (!args.empty() && !args[0].empty() && args[0][0] != '-' && !isCommand(args[0])) {
#if BW_HAS_RENDER
        const char* commands = "info, assemble, cut, random and render";
#else
        const char* commands = "info, assemble, cut and random";
#endif
        std::cerr << "bwtool: unknown command \"" << args[0] << "\"; the commands are " << commands
                  << " (see bwtool --help)\n";
        return kExitUsage;
    }
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e, std::cout, std::cerr);  // --help, --version
        std::string command = "bwtool";
        for (const CLI::App* sub : app.get_subcommands()) command += " " + sub->get_name();
        std::cerr << command << ": " << OneLine(e.what()) << " (see " << command << " --help)\n";
        return kExitUsage;
    }
    return action ? action() : kExitUsage;
}

}  // namespace bw::tool
