#include "cli/CliHelp.h"

#include <array>
#include <cstring>
#include <utility>

namespace {

constexpr const char* kHomeOption =
    "  --home DIR   the program folder (default: QUANTORIX_HOME, else the folder of\n"
    "               quantorix-cli when it holds quantorix.ini or brisel.dat, else\n"
    "               ~/.local/share/quantorix; see 'where'); its quantorix.ini,\n"
    "               brisel.dat and filter.dat are used as the window program uses them\n";

constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kHelp = {{
    {"dump", "usage: quantorix-cli dump [--home DIR] [--filter NAME | --no-filter] FILE.bsl...\n"
             "\n"
             "Loads the call files as File > Open does, rates every call with the settings\n"
             "of the program folder and prints each call that the filter lets through, in\n"
             "load order, as CSV on standard output.\n"
             "\n"
             "options:\n"
             "  --filter NAME  apply the saved filter NAME instead of the default filter\n"
             "  --no-filter    print every call\n"},
    {"export", "usage: quantorix-cli export [--home DIR] [--filter NAME | --no-filter] --out FILE FILE.bsl...\n"
               "\n"
               "File > Export... for scripts: loads the call files, filters them with the\n"
               "default filter (or NAME, or none), sorts them by the calls list's two sort\n"
               "keys and writes them to FILE in the layout of INI section \"ListCalls\"\n"
               "(fields, separator, quotes and header line as the export options dialog\n"
               "last stored them). Prints the closing message; exit 0 on success, 1 when a\n"
               "file cannot be read or written, 2 for wrong arguments.\n"
               "\n"
               "options:\n"
               "  --out FILE     the text file to write (never one of the call files)\n"
               "  --filter NAME  apply the saved filter NAME instead of the default filter\n"
               "  --no-filter    export every call\n"},
    {"task", "usage: quantorix-cli task [--home DIR] [--pdf FILE.pdf] TEXT\n"
             "\n"
             "Runs a report task as the window program does when it is started with one,\n"
             "and prints the name of the report file written. TEXT is the task text, or\n"
             "\"@\" and the name of a task file (relative names are taken in the program\n"
             "folder). A task text is a list of keyword=\"value\" assignments:\n"
             "  from=\"...\"    required: today, yesterday, current, previous, YYYYMMDD or YYYYMMDDhhmm\n"
             "  to=\"...\"      required: as from (the whole last day unless a time is given)\n"
             "  report=\"...\"  required: the template's name (a .xml file in Reports)\n"
             "  out=\"...\"     required: the report file to write (without folder: in Reports;\n"
             "                without extension: the template's, usually .htm)\n"
             "  calls=\"...\"   the folder of the monthly (YYYY_MM.bsl) or daily\n"
             "                (YYYY_MM_DD.bsl) call files\n"
             "  filter=\"...\"  a saved filter applied to the loaded calls\n"
             "  type=\"N\"      report kind 0 (summary) to 9\n"
             "  detail=\"...\"  the individual the kind is about (employee, extension, ...)\n"
             "\n"
             "example:\n"
             "  quantorix-cli task 'from=\"previous\" to=\"previous\" report=\"Summary by employee\" out=\"monthly\"'\n"
             "\n"
             "With --pdf FILE.pdf the report is written as a PDF file as well, with the\n"
             "page setup and page numbers of the report window (INI section \"PageSettings\");\n"
             "no display is needed.\n"
             "\n"
             "Exit 0 when the report was written, 1 otherwise (the message on standard error).\n"},
    {"import-list", "usage: quantorix-cli import-list [--home DIR] LIST FILE\n"
                    "\n"
                    "Imports a settings list from the text file FILE, as the settings sheet's\n"
                    "Import button does, and saves the settings database. The file's layout is\n"
                    "the one the list's import options last stored in quantorix.ini.\n"
                    "LIST: directory, trunks, contacts, projects, prefixes:N, holidays,\n"
                    "      exchange-rates, tolls:N (N the carrier, 1 to 6).\n"
                    "Exit 4 when another workstation has the settings open for editing.\n"},
    {"export-list", "usage: quantorix-cli export-list [--home DIR] LIST FILE\n"
                    "\n"
                    "Writes a settings list to the text file FILE, as the settings sheet's\n"
                    "Export button does, in the layout last stored for the list in quantorix.ini.\n"
                    "LIST: directory, trunks, contacts, projects, prefixes:N, holidays,\n"
                    "      exchange-rates, tolls:N (N the carrier, 1 to 6).\n"},
    {"explain", "usage: quantorix-cli explain [--home DIR] --record N [--json] FILE.bsl...\n"
                "\n"
                "Explains how call N was classified and priced, step by step, with the\n"
                "settings of the program folder. N counts from 1 over the records of the\n"
                "files in the order given, before any filter. --json prints one JSON object\n"
                "whose member \"cost\" is the call's cost with full precision.\n"
                "Exit 1 when a file cannot be read or N lies beyond the last record.\n"},
    {"check", "usage: quantorix-cli check [--home DIR] [--filter NAME | --no-filter] [--list RULE] FILE.bsl...\n"
              "\n"
              "Checks the calls the filter lets through and prints one line per rule,\n"
              "RULE<TAB>COUNT: zero-cost, unknown-destination, unknown-extension,\n"
              "unknown-trunk, unknown-account, supplied-cost-differs, duplicates,\n"
              "invalid-date. --list RULE prints that rule's calls as dump does.\n"
              "Exit 1 when any rule other than duplicates found calls (for cron).\n"},
    {"compare-carriers",
     "usage: quantorix-cli compare-carriers [--home DIR] [--filter NAME | --no-filter] [--csv] FILE.bsl...\n"
     "\n"
     "Prices the calls the filter lets through as if their trunks belonged to\n"
     "each of the six carriers in turn, and prints per carrier the calls priced,\n"
     "the calls it could not price, the total and the difference to the actual\n"
     "total. --csv: carrier,name,priced,unpriced,total,difference.\n"},
    {"where", "usage: quantorix-cli where [--home DIR]\n"
              "\n"
              "Prints the program folder in use, how it was chosen, the shared defaults\n"
              "and, for each file of the installation, where it comes from.\n"},
}};

} // namespace

std::string_view commandHelp(std::string_view name)
{
    for (const auto& [command, text] : kHelp)
        if (command == name)
            return text;
    return {};
}

std::string_view homeOptionHelp() { return kHomeOption; }

bool asksForHelp(int argc, char** argv, int first)
{
    for (int i = first; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return true;
    return false;
}
