// SPDX-License-Identifier: MIT
// quendrel-cli: the window's search and network setup, from a terminal.
#include "cli/assign_command.h"
#include "cli/interfaces_command.h"
#include "cli/search_command.h"
#include "cli/setup_command.h"
#include "cli/watch_command.h"
#include "quendrel_version.h"
#include "resources/language.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: quendrel-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  search [--relay HOST] [--transport TCP|UDP|HttpCmd] [--project TEXT]\n"
    "         [--format table|csv|json] [--all-fields] [--interface NAME]... [--quiet]\n"
    "      Searches like the window's search button: a local broadcast on every\n"
    "      adapter (or the named ones), or through a relay host (transport TCP\n"
    "      unless given; --transport needs --relay). The project filter defaults\n"
    "      to ALL. Every format lists the devices that pass the filter; table and\n"
    "      CSV show the grid's seven columns, with --all-fields also gateway, DNS,\n"
    "      dev and note (JSON always has every field).\n"
    "  watch [--every SECONDS] [--relay HOST] [--transport TCP|UDP|HttpCmd]\n"
    "        [--project TEXT] [--interface NAME]... [--quiet]\n"
    "      Searches every SECONDS (default 15) and prints one JSON line per\n"
    "      change: {\"event\":\"found\"|\"changed\"|\"gone\",\"device\":{...},\"time\":...}.\n"
    "      A device (ip and mac; a UPnP camera by ip and port) is gone after two\n"
    "      rounds without it. Ctrl+C or SIGTERM ends it (exit status 0).\n"
    "  setup --mac MAC (--dhcp | --static --ip A --netmask M --gateway G --dns D)\n"
    "        [--force] [--relay HOST] [--transport TCP|UDP|HttpCmd] [--interface NAME]...\n"
    "        [--quiet]\n"
    "      Searches, finds the device by its MAC (written with \":\" or \"-\", in\n"
    "      either letter case) and sends it the control package that the network\n"
    "      setup dialog sends, through the adapter it answered on. Addresses no\n"
    "      device can use are refused, and so is a gateway outside the subnet of\n"
    "      ip and netmask unless --force is given (G 0.0.0.0 means no gateway).\n"
    "  assign --from A --netmask M --gateway G --dns D [--project TEXT] [--mac MAC]...\n"
    "         [--current-ip A] [--interface NAME]... [--dry-run] [--wait SECONDS]\n"
    "         [--force] [--format table|csv|json] [--quiet]\n"
    "  assign --plan FILE.csv [--dry-run] [--wait SECONDS] [--force] [...]\n"
    "      Gives many devices static addresses in one step. Searches once, takes\n"
    "      the devices of the project (or those named by --mac or --current-ip),\n"
    "      ordered by MAC, and plans consecutive addresses upward from --from in\n"
    "      its subnet, skipping the network and broadcast addresses, the gateway,\n"
    "      the DNS, this PC's addresses, every address a device holds and every\n"
    "      address a host on the LAN answers ARP for. A plan file (heading\n"
    "      mac,ip,netmask,gateway,dns) gives each device its own line instead.\n"
    "      --dry-run prints the plan. Otherwise one control package goes to each\n"
    "      device, and searches every few seconds confirm each device at its new\n"
    "      address (its MAC answering from it) until --wait SECONDS pass (90).\n"
    "      Statuses: planned, confirmed, not seen, other address. A gateway\n"
    "      outside the subnet is refused unless --force. Nothing is sent when any\n"
    "      device or address is refused (exit status 2).\n"
    "  interfaces [--interface NAME]...\n"
    "      Lists the adapters a local broadcast search would use.\n"
    "  language [--all]\n"
    "      Prints the language module the window loads for this locale, found\n"
    "      beside the program, or that it shows its built-in English texts.\n"
    "      --all lists every language's module under its locale abbreviation\n"
    "      (\"missing\" where it is not there). This program prints English.\n"
    "\n"
    "Options:\n"
    "  --help      this text\n"
    "  --version   the program's version\n"
    "\n"
    "An option's value may also follow it after \"=\" (--format=csv). --transport\n"
    "takes its word in any letter case. --interface must name an adapter that\n"
    "\"quendrel-cli interfaces\" lists; another name is refused.\n"
    "Diagnostic lines go to stderr unless --quiet.\n"
    "Exit status: 0 when the command ran (a search that found nothing included),\n"
    "1 when the device was not found or sending failed (assign: a device not\n"
    "confirmed), 2 for bad options (assign: a refused plan; nothing was sent).\n";

// The window program lies beside this one (in the build tree and in the
// installed program directory alike); its module is looked up the way the
// window looks it up at start-up, from the resolved path of this program.
int LanguageCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const bool all = args.size() == 1 && args.front() == "--all";
    if (!args.empty() && !all) {
        err << "quendrel-cli language: unknown option \"" << args.front() << "\" (see quendrel-cli --help)\n";
        return 2;
    }
    const QString window = QFileInfo(Resources::ProgramFilePath()).absolutePath() + QStringLiteral("/quendrel");
    if (all) {
        for (const quint16 locale : Resources::ModuleLocales()) {
            const QString abbreviation = Resources::LocaleAbbreviation(locale);
            QString found;
            for (const QString& name : Resources::ModuleFileNames(window, abbreviation)) {
                if (QFileInfo(name).isFile()) {
                    found = name;
                    break;
                }
            }
            out << abbreviation.toStdString() << ' ' << (found.isEmpty() ? std::string("missing") : found.toStdString())
                << '\n';
        }
        return 0;
    }
    Resources::ChooseLanguage(QLocale::system(), window);
    const QString module = Resources::CurrentModulePath();
    Resources::UnloadResourceModule(); // the command line itself stays English
    out << (module.isEmpty() ? std::string("built-in English texts") : module.toStdString()) << '\n';
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // What this program prints stays English whatever the locale: scripts read
    // it. Only the window follows the user's language.
    QCoreApplication app(argc, argv);

    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << "quendrel-cli: missing command (see quendrel-cli --help)\n";
        return 2;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
    }
    if (command == "--help" || command == "-h" || command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "quendrel-cli " << QUENDREL_VERSION_TEXT << '\n';
        return 0;
    }
    if (command == "search")
        return Cli::SearchCommand(args, std::cout, std::cerr);
    if (command == "watch")
        return Cli::WatchCommand(args, std::cout, std::cerr);
    if (command == "setup")
        return Cli::SetupCommand(args, std::cout, std::cerr);
    if (command == "assign")
        return Cli::AssignCommand(args, std::cout, std::cerr);
    if (command == "language")
        return LanguageCommand(args, std::cout, std::cerr);
    if (command == "interfaces")
        return Cli::InterfacesCommand(args, std::cout, std::cerr);
    std::cerr << "quendrel-cli: unknown command \"" << command << "\" (see quendrel-cli --help)\n";
    return 2;
}
