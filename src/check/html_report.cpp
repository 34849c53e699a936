#include "check/html_report.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "check/check_report.h"
#include "common/number_format.h"

namespace plovis {
namespace {

constexpr double kWidth = 760, kHeight = 240;
constexpr double kLeft = 60, kRight = 20, kTop = 16, kBottom = 34;

std::string fixed(double v) {
    return formatPicture(v, "0.0");
}

// Chainage and level of a branch's plot mapped onto the picture.
struct PlotFrame {
    double minChainage = 0, maxChainage = 1, minLevel = 0, maxLevel = 1;
    double x(double c) const {
        return kLeft + (c - minChainage) / (maxChainage - minChainage) * (kWidth - kLeft - kRight);
    }
    double y(double level) const {
        return kTop + (maxLevel - level) / (maxLevel - minLevel) * (kHeight - kTop - kBottom);
    }
};

std::vector<const SectionCheck*> sectionsOf(const DesignCheck& check, int branch) {
    std::vector<const SectionCheck*> out;
    for (const SectionCheck& s : check.sections) {
        if (s.branch == branch) out.push_back(&s);
    }
    return out;
}

PlotFrame frameOf(const std::vector<const SectionCheck*>& sections) {
    PlotFrame f;
    double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
    for (const SectionCheck* s : sections) {
        for (const ProfilePoint& p : s->ground) {
            lo = std::min(lo, p.level);
            hi = std::max(hi, p.level);
        }
        for (double level : {s->startHgl, s->endHgl, s->staticLevel}) {
            lo = std::min(lo, level);
            hi = std::max(hi, level);
        }
    }
    const double margin = std::max(1.0, (hi - lo) * 0.05);
    f.minLevel = lo - margin;
    f.maxLevel = hi + margin;
    f.minChainage = sections.front()->startChainage;
    f.maxChainage = std::max(sections.back()->endChainage, f.minChainage + 1);
    return f;
}

std::string polyline(const std::vector<ProfilePoint>& points, const PlotFrame& f,
                     const char* cssClass) {
    std::string out = "<polyline class=\"" + std::string(cssClass) + "\" points=\"";
    for (const ProfilePoint& p : points)
        out += fixed(f.x(p.chainage)) + "," + fixed(f.y(p.level)) + " ";
    return out + "\"/>\n";
}

std::string axes(const PlotFrame& f) {
    std::string out = "<rect class=\"frame\" x=\"" + fixed(kLeft) + "\" y=\"" + fixed(kTop) +
                      "\" width=\"" + fixed(kWidth - kLeft - kRight) + "\" height=\"" +
                      fixed(kHeight - kTop - kBottom) + "\"/>\n";
    for (int i = 0; i <= 4; ++i) {
        const double level = f.minLevel + (f.maxLevel - f.minLevel) * i / 4;
        const double chainage = f.minChainage + (f.maxChainage - f.minChainage) * i / 4;
        out += "<text class=\"axis\" x=\"" + fixed(kLeft - 4) + "\" y=\"" + fixed(f.y(level) + 3) +
               "\" text-anchor=\"end\">" + formatPicture(level, "#0") + "</text>\n";
        const char* anchor = i == 0 ? "start" : i == 4 ? "end" : "middle";
        out += "<text class=\"axis\" x=\"" + fixed(f.x(chainage)) + "\" y=\"" +
               fixed(kHeight - kBottom + 14) + "\" text-anchor=\"" + anchor + "\">" +
               chainageText(chainage) + "</text>\n";
    }
    return out;
}

std::string problemMarks(const DesignCheck& check, int branch, const PlotFrame& f) {
    std::string out;
    int number = 0;
    for (const DesignProblem& p : check.problems) {
        ++number;
        if (p.branch != branch) continue;
        const std::string x = fixed(f.x(p.chainage)), y = fixed(f.y(p.level));
        out += "<g class=\"problem\"><title>" + escapeHtml(problemLine(p)) + "</title>" +
               "<circle cx=\"" + x + "\" cy=\"" + y + "\" r=\"6\"/>" + "<text x=\"" + x +
               "\" y=\"" + fixed(f.y(p.level) - 9) + "\" text-anchor=\"middle\">" +
               std::to_string(number) + "</text></g>\n";
    }
    return out;
}

std::string limitsTable(const DesignLimits& limits) {
    std::string out =
        "<table class=\"limits\"><tr><th>Limit</th><th>Value</th><th>From</th></tr>\n";
    for (int k = 0; k < kLimitCount; ++k) {
        const auto kind = static_cast<LimitKind>(k);
        out += "<tr><td>" + escapeHtml(limitLabel(kind)) + "</td><td>" +
               generalForm(limits.at(kind).value) + " " + limitUnit(kind) + "</td><td>" +
               escapeHtml(limits.at(kind).source) + "</td></tr>\n";
    }
    return out + "</table>\n";
}

std::string cellsRow(const std::vector<std::string>& cells, const char* tag, bool marked) {
    std::string out = marked ? "<tr class=\"broken\">" : "<tr>";
    for (const std::string& c : cells)
        out += "<" + std::string(tag) + ">" + escapeHtml(c) + "</" + tag + ">";
    return out + "</tr>\n";
}

std::string sectionsTable(const DesignCheck& check) {
    std::string out =
        "<table class=\"sections\">\n" +
        cellsRow({"Row", "Section", "Chainage (m)", "Flow (l/s)", "Velocity (m/s)", "Reynolds",
                  "Static (m)", "Rating (m)", "Head at end (m)", "Least cover (m)", "Problems"},
                 "th", false);
    for (const SectionCheck& s : check.sections) {
        out += cellsRow({std::to_string(s.row), s.from + "-" + s.to, chainageText(s.endChainage),
                         formatPicture(s.flow, "#0.000"), formatPicture(s.velocity, "#0.00"),
                         formatPicture(s.reynolds, "#0"), formatPicture(s.greatestStatic, "#0.00"),
                         s.classHead ? formatPicture(*s.classHead, "#0") : "-",
                         formatPicture(s.endResidual, "#0.00"),
                         s.leastCover ? formatPicture(*s.leastCover, "#0.00") : "-",
                         s.problems ? std::to_string(s.problems) : ""},
                        "td", s.problems > 0);
    }
    return out + "</table>\n";
}

std::string problemList(const DesignCheck& check) {
    if (check.problems.empty())
        return "<p class=\"passed\">Every pipe and node keeps the limits.</p>\n";
    std::string out = "<ol class=\"problems\">\n";
    for (const DesignProblem& p : check.problems)
        out += "<li>" + escapeHtml(problemLine(p)) + "</li>\n";
    return out + "</ol>\n";
}

constexpr const char* kStyle = R"(body{font-family:sans-serif;margin:1.5em;color:#222}
table{border-collapse:collapse;margin:0.5em 0 1em}
th,td{border:1px solid #bbb;padding:2px 6px;font-size:13px;white-space:nowrap}
td{text-align:right}td:nth-child(2){text-align:left}
.limits td{text-align:left}
tr.broken td{background:#fde2e2}
.problems li{color:#a00000}.passed{color:#006000}
svg{border:1px solid #ddd;background:#fff;margin-bottom:1em}
.frame{fill:none;stroke:#999}.axis{font-size:10px;fill:#555}
.ground{fill:none;stroke:#8b5a2b;stroke-width:1.5}
.hgl{fill:none;stroke:#1f5fbf;stroke-width:1.5;stroke-dasharray:6 3}
.static{fill:none;stroke:#2a9d3a;stroke-width:1;stroke-dasharray:2 3}
.problem circle{fill:none;stroke:#d00000;stroke-width:2}
.problem text{font-size:10px;fill:#d00000;font-weight:bold}
.key span{margin-right:1.5em;font-size:13px}
)";

}  // namespace

std::string escapeHtml(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string branchProfileSvg(const DesignCheck& check, int branch) {
    const auto sections = sectionsOf(check, branch);
    if (sections.empty()) return "";
    const PlotFrame f = frameOf(sections);
    std::vector<ProfilePoint> ground, hgl, staticLine;
    for (const SectionCheck* s : sections) {
        ground.insert(ground.end(), s->ground.begin(), s->ground.end());
        hgl.push_back({s->startChainage, s->startHgl});
        hgl.push_back({s->endChainage, s->endHgl});
        staticLine.push_back({s->startChainage, s->staticLevel});
        staticLine.push_back({s->endChainage, s->staticLevel});
    }
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + fixed(kWidth) + "\" height=\"" +
           fixed(kHeight) + "\" viewBox=\"0 0 " + fixed(kWidth) + " " + fixed(kHeight) + "\">\n" +
           axes(f) + polyline(staticLine, f, "static") + polyline(ground, f, "ground") +
           polyline(hgl, f, "hgl") + problemMarks(check, branch, f) + "</svg>\n";
}

std::string checkReportHtml(const DesignCheck& check, const std::string& title) {
    const std::size_t n = check.problems.size();
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Design "
        "check: " +
        escapeHtml(title) + "</title>\n<style>\n" + kStyle + "</style>\n</head>\n<body>\n";
    out += "<h1>Design check: " + escapeHtml(title) + "</h1>\n<p>Sheet \"" +
           escapeHtml(check.sheet) + "\": " + std::to_string(check.sections.size()) + " pipes, " +
           (n == 0 ? "no problem" : std::to_string(n) + (n == 1 ? " problem" : " problems")) +
           ".</p>\n<h2>Limits</h2>\n" + limitsTable(check.limits) + "<h2>Problems</h2>\n" +
           problemList(check) + "<h2>Pipes</h2>\n" + sectionsTable(check) + "<h2>Profiles</h2>\n" +
           "<p class=\"key\"><span style=\"color:#8b5a2b\">&#9472; ground</span><span "
           "style=\"color:#1f5fbf\">- - hydraulic grade line</span><span style=\"color:#2a9d3a\">"
           "&middot;&middot;&middot; static line</span><span style=\"color:#d00000\">&#9675; "
           "problem (its number in the list)</span></p>\n";
    for (int b = 0; b < static_cast<int>(check.branches.size()); ++b) {
        const std::string svg = branchProfileSvg(check, b);
        if (svg.empty()) continue;
        out += "<h3>" + escapeHtml(check.branches[b]) + "</h3>\n" + svg;
    }
    return out + "</body>\n</html>\n";
}

}  // namespace plovis
