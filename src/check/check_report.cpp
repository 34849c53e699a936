#include "check/check_report.h"

#include <algorithm>
#include <vector>

#include "common/number_format.h"

namespace plovis {
namespace {

using Cells = std::vector<std::string>;

std::string optionalFigure(const std::optional<double>& v, const char* picture) {
    return v ? formatPicture(*v, picture) : "-";
}

Cells sectionCells(const SectionCheck& s) {
    return {std::to_string(s.row),
            s.from + "-" + s.to,
            chainageText(s.endChainage),
            formatPicture(s.flow, "#0.000"),
            formatPicture(s.velocity, "#0.00"),
            formatPicture(s.reynolds, "#0"),
            formatPicture(s.greatestStatic, "#0.00"),
            optionalFigure(s.classHead, "#0"),
            formatPicture(s.endResidual, "#0.00"),
            optionalFigure(s.leastCover, "#0.00"),
            s.problems == 0 ? "" : std::to_string(s.problems)};
}

// Text columns (the section) are aligned left, figures right.
std::string formatRows(const std::vector<Cells>& rows) {
    std::vector<std::size_t> width(rows.front().size(), 0);
    for (const Cells& r : rows) {
        for (std::size_t k = 0; k < r.size(); ++k)
            width[k] = std::max(width[k], r[k].size());
    }
    std::string out;
    for (const Cells& r : rows) {
        std::string line;
        for (std::size_t k = 0; k < r.size(); ++k) {
            const std::string pad(width[k] - r[k].size(), ' ');
            line += (k == 0 ? "" : "  ") + (k == 1 ? r[k] + pad : pad + r[k]);
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += line + "\n";
    }
    return out;
}

}  // namespace

std::string limitsText(const DesignLimits& limits) {
    std::string out = "Limits:";
    for (int k = 0; k < kLimitCount; ++k) {
        const auto kind = static_cast<LimitKind>(k);
        const Limit& l = limits.at(kind);
        out += "\n  " + std::string(limitLabel(kind)) + ": " + generalForm(l.value) + " " +
               limitUnit(kind) + " (" + l.source + ")";
    }
    return out + "\n";
}

std::string sectionTable(const DesignCheck& check) {
    std::vector<Cells> rows = {{"Row", "Section", "Chainage", "Flow", "Velocity", "Reynolds",
                                "Static", "Rating", "Head at end", "Least cover", "Problems"},
                               {"", "", "m", "l/s", "m/s", "", "m", "m", "m", "m", ""}};
    for (const SectionCheck& s : check.sections)
        rows.push_back(sectionCells(s));
    return formatRows(rows);
}

std::string problemLine(const DesignProblem& p) {
    return "Row " + std::to_string(p.row) + ", node " + p.node + ", chainage " +
           chainageText(p.chainage) + ": " + p.text;
}

std::string checkReportText(const DesignCheck& check) {
    const std::size_t n = check.problems.size();
    std::string out =
        "Design check of \"" + check.sheet + "\": " + std::to_string(check.sections.size()) +
        " pipes, " +
        (n == 0 ? "no problem" : std::to_string(n) + (n == 1 ? " problem" : " problems")) +
        ".\n\n" + limitsText(check.limits) + "\n" + sectionTable(check) +
        "(Chainage: of the end node along the branch; Static: the greatest static head along the "
        "pipe; Rating: the head its class bears; Least cover: the grade line's least height "
        "above the ground between the nodes.)\n\n";
    if (n == 0) return out + "Every pipe and node keeps the limits.\n";
    out += "Problems:\n";
    for (const DesignProblem& p : check.problems)
        out += "  " + problemLine(p) + "\n";
    return out;
}

}  // namespace plovis
