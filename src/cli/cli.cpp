#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <istream>
#include <ostream>

#include "cli/output_files.h"

namespace plovis {
namespace {

constexpr const char* kDescription =
    "PLOVIS: profiles, schematics, survey reductions and pipe design for gravity-fed rural\n"
    "water-supply schemes kept in a spreadsheet workbook (.xlsx).\n\n"
    "Run `plovis help <command>` for the options of one command.\n"
    "Exit status: 0 done, 1 the command reported a failure, 2 the command ended the application,\n"
    "64 usage error.";

struct Parsed {
    std::unique_ptr<CLI::App> app;
    std::vector<std::pair<CLI::App*, CommandBody>> bodies;
    std::string helpTopic;
    CLI::App* help = nullptr;
};

Parsed buildApp(const std::vector<CliCommand>& commands) {
    Parsed p;
    p.app = std::make_unique<CLI::App>(kDescription, "plovis");
    p.app->set_version_flag("--version", std::string("plovis ") + PLOVIS_VERSION);
    p.app->require_subcommand(0, 1);
    p.help = p.app->add_subcommand("help", "Show the options of a command, or this overview");
    p.help->add_option("command", p.helpTopic, "The command to explain");
    for (const auto& c : commands) {
        CLI::App* sub = p.app->add_subcommand(c.name, c.summary);
        p.bodies.emplace_back(sub, c.define(*sub));
    }
    return p;
}

// The program's own help. App::help() would give the help of the command parsed instead, which
// after `plovis help` is the help command's.
std::string overview(const Parsed& p) {
    return p.app->get_formatter()->make_help(p.app.get(), p.app->get_name(),
                                             CLI::AppFormatMode::Normal);
}

int showHelp(Parsed& p, std::ostream& out, std::ostream& err) {
    if (p.helpTopic.empty()) {
        out << overview(p);
        return kExitDone;
    }
    for (auto& [sub, body] : p.bodies) {
        if (sub->get_name() == p.helpTopic) {
            out << sub->help(p.app->get_name());  // "Usage: plovis cells", as cells --help says
            return kExitDone;
        }
    }
    err << "plovis: there is no command \"" << p.helpTopic << "\"\n\n" << overview(p);
    return kExitUsage;
}

}  // namespace

void addConsoleOptions(CLI::App& sub, const std::shared_ptr<ConsoleOptions>& options) {
    auto* yes = sub.add_flag_callback(
        "--yes", [options] { options->preset = Answer::Yes; },
        "Answer every question Yes (or OK); the answer is printed with the question");
    auto* no = sub.add_flag_callback(
        "--no", [options] { options->preset = Answer::No; },
        "Answer every question No (or Cancel)");
    yes->excludes(no);
    sub.add_flag("--quiet", options->quiet, "Do not print progress lines");
}

int runWithConsole(const ConsoleStreams& streams, const ConsoleOptions& options,
                   const std::function<bool(ConsoleUserInterface&)>& body) {
    ConsoleUserInterface ui(streams, options);
    try {
        const bool done = body(ui);
        if (ui.endRequested()) return kExitEnded;
        return done ? kExitDone : kExitFailed;
    } catch (const ApplicationEnds&) {
        return kExitEnded;
    } catch (const UsageError& e) {
        streams.err << "plovis: " << e.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& e) {
        streams.err << "plovis: " << e.what() << '\n';
        return kExitFailed;
    }
}

namespace {

int runParsed(const std::vector<std::string>& args, const ConsoleStreams& streams,
              const std::vector<CliCommand>& commands) {
    Parsed p = buildApp(commands);
    std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 parses a reversed list
    try {
        p.app->parse(reversed);
    } catch (const CLI::CallForHelp&) {
        streams.out << p.app->help();
        return kExitDone;
    } catch (const CLI::CallForVersion&) {
        streams.out << "plovis " << PLOVIS_VERSION << '\n';
        return kExitDone;
    } catch (const CLI::ParseError& e) {
        // A command's own --help arrives here too, as CallForHelp raised inside the subcommand.
        if (e.get_exit_code() == 0) {
            for (auto* sub : p.app->get_subcommands())
                streams.out << sub->help();
            if (p.app->get_subcommands().empty()) streams.out << p.app->help();
            return kExitDone;
        }
        streams.err << "plovis: " << e.what() << "\n\n" << p.app->help();
        return kExitUsage;
    }
    if (p.help->parsed()) return showHelp(p, streams.out, streams.err);
    for (auto& [sub, body] : p.bodies) {
        if (sub->parsed()) {
            return body(streams);
        }
    }
    // Without a command the program opens the desktop application; here there is no screen.
    streams.err << "plovis: there is no display for the desktop application; give a command.\n\n"
                << p.app->help();
    return kExitUsage;
}

}  // namespace

int runCli(const std::vector<std::string>& args, ConsoleStreams streams,
           const std::vector<CliCommand>& commands) {
    const int status = runParsed(args, streams, commands);
    // What a command printed is its result (a table of cells, a report): output lost to a full
    // disk or a closed pipe is a failure, not a success with half a table. The stream keeps no
    // cause, only that a write failed.
    streams.out.flush();
    if (streams.out) return status;
    streams.err << "plovis: the output could not be written\n";
    return status == kExitDone ? kExitFailed : status;
}

}  // namespace plovis
