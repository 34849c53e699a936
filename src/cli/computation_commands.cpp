#include "cli/computation_commands.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <memory>

#include "cli/workbook_command.h"
#include "commands/command_table.h"

namespace plovis {
namespace {

// A limit of a check: a plain number from 0 up to `most`.
CLI::Validator limitUpTo(double most) {
    return CLI::Validator(
        [most](const std::string& text) {
            double x = 0;
            const bool number = CLI::detail::lexical_cast(text, x);
            if (number && std::isfinite(x) && x >= 0 && x <= most) return std::string();
            return "takes a number from 0 to " + std::to_string(static_cast<int>(most)) + ", not " +
                   text;
        },
        "NUMBER");
}

void addCheckOption(CLI::App& sub, CheckOption option, CommandSettings& settings) {
    SurveyTolerances& t = settings.survey;
    if (option == CheckOption::Allowance) {
        sub.add_option("--allowance", t.allowanceMm,
                       "The misclosure allowed at a station levelled twice, in mm per root km "
                       "levelled (default 12: ordinary levelling)")
            ->check(limitUpTo(1000));
    } else if (option == CheckOption::AngleTolerance) {
        sub.add_option("--angle-tolerance", t.angleToleranceMinutes,
                       "How far, in minutes of arc, the fore and back angles of a leg may differ "
                       "(default 30)")
            ->check(limitUpTo(5400));
    }
}

}  // namespace

CliCommand computationCommand(const CommandEntry& entry) {
    auto settings = std::make_shared<CommandSettings>();
    WorkbookCommandDefinition definition = commandDefinition(entry);
    definition.asksQuestions = true;
    const CheckOption option = entry.checkOption;
    definition.addOptions = [settings, option](CLI::App& sub) {
        addCheckOption(sub, option, *settings);
    };
    const auto body = entry.workbookBody;
    return workbookCommand(definition, [settings, body](SpreadsheetHost& host, UserInterface& ui) {
        return body(host, ui, *settings);
    });
}

}  // namespace plovis
