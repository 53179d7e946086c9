#include "cli/CliCommand.h"
#include "cli/CliHelp.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

std::vector<const CliCommand*>& registry()
{
    static std::vector<const CliCommand*> commands;
    return commands;
}

void printUsage(FILE* out)
{
    std::fprintf(out, "usage: quantorix-cli COMMAND [--home DIR] ...\n\ncommands:\n");
    for (const CliCommand* command : CliCommand::all())
        std::fprintf(out, "  %-12s %s\n", command->name.c_str(), command->usage.c_str());
    std::fprintf(out, "\n\"quantorix-cli COMMAND --help\" describes a command.\n");
}

int printCommandHelp(const CliCommand& command)
{
    const std::string_view help = commandHelp(command.name);
    if (help.empty())
        std::printf("usage: quantorix-cli %s %s\n", command.name.c_str(), command.usage.c_str());
    else
        std::fwrite(help.data(), 1, help.size(), stdout);
    const std::string_view home = homeOptionHelp();
    std::printf("\ncommon option:\n");
    std::fwrite(home.data(), 1, home.size(), stdout);
    return 0;
}

// A PDF is laid out with fonts, which takes a QGuiApplication; the tool shows
// no window, so it runs on the "offscreen" platform unless told otherwise.
bool needsGui(int argc, char** argv)
{
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], "--pdf") == 0 || std::strncmp(argv[i], "--pdf=", 6) == 0)
            return true;
    return false;
}

} // namespace

CliCommand::CliCommand(std::string name_, std::string usage_, Run run_)
    : name(std::move(name_))
    , usage(std::move(usage_))
    , run(std::move(run_))
{
    registry().push_back(this);
}

const std::vector<const CliCommand*>& CliCommand::all() { return registry(); }

std::string takeHomeOption(std::vector<std::string>& args)
{
    std::string home;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--home" && i + 1 < args.size()) {
            home = args[i + 1];
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                       args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
            --i;
        } else if (args[i].rfind("--home=", 0) == 0) {
            home = args[i].substr(7);
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            --i;
        }
    }
    return home;
}

bool takeUnknownOption(std::vector<std::string>& args, std::string* unknown)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return false;
        }
        if (args[i].size() > 1 && args[i][0] == '-') {
            if (unknown)
                *unknown = args[i];
            return true;
        }
    }
    return false;
}

int main(int argc, char** argv)
{
    std::unique_ptr<QCoreApplication> app;
    if (needsGui(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const bool helpCommand = argc >= 2 && (std::strcmp(argv[1], "help") == 0);
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0
        || (helpCommand && argc == 2)) {
        printUsage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    // "help COMMAND" is "COMMAND --help".
    const char* name = helpCommand ? argv[2] : argv[1];
    for (const CliCommand* command : CliCommand::all()) {
        if (command->name != name)
            continue;
        if (helpCommand || asksForHelp(argc, argv, 2))
            return printCommandHelp(*command);
        return command->run(std::vector<std::string>(argv + 2, argv + argc));
    }
    std::fprintf(stderr, "quantorix-cli: unknown command '%s'\n\n", name);
    printUsage(stderr);
    return 2;
}
