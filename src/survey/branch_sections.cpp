#include "survey/branch_sections.h"

#include "common/listing.h"
#include "survey/book_reader.h"
#include "survey/sheet_output.h"

namespace plovis {
namespace {

constexpr int kFirstRow = 15;

enum Column {
    kNumber = 2,
    kFromLabel = 3,
    kToLabel = 4,
    kLength = 5,
    kDesignLength = 6,
    kFromLevel = 9,
    kToLevel = 10
};

// Takes the section list's sheet, reporting a missing one as the list's reader does.
Worksheet* sectionSheet(Workbook& workbook, UserInterface& ui) {
    const BookLayout layout = sectionListBook();
    try {
        return &workbook.sheet(layout.sheetName);
    } catch (const HostError&) {
        ui.showMessage(layout.missingSheet);
        return nullptr;
    }
}

// Writes a branch's header row and its sections from `row` on.
void writeSectionList(Worksheet& sheet, const std::string& name,
                      const std::vector<SectionLabels>& sections, int& row) {
    put(sheet, row, kNumber, std::string());
    put(sheet, row, kFromLabel, name);
    ++row;
    for (std::size_t n = 0; n < sections.size(); ++n) {
        put(sheet, row, kNumber, static_cast<double>(n + 1));
        put(sheet, row, kFromLabel, sections[n].first);
        put(sheet, row, kToLabel, sections[n].second);
        ++row;
    }
}

// What the lengths pass did, for the command's summary.
struct LengthTally {
    std::size_t written = 0;           // sections given their lengths and levels
    std::vector<std::string> skipped;  // what was not found, and so left unwritten
    std::string stoppedAt;             // where the user chose to stop, if anywhere
};

// Asks about what cannot be found and notes it; true when the user chose to stop there.
bool stopsAt(UserInterface& ui, LengthTally& tally, const std::string& what,
             const std::string& noted) {
    const bool stop = askExit(ui, what);
    if (stop) {
        tally.stoppedAt = noted;
    } else {
        tally.skipped.push_back(noted);
    }
    return stop;
}

// Writes the lengths and levels of one branch's sections, asking about what cannot be found;
// false when the user chose to stop there.
bool writeBranchLengths(Worksheet& sheet, UserInterface& ui, const GroundProfile& ground,
                        const PipeBranch& branch, int& row, LengthTally& tally) {
    row = branch.headRow;
    sheet.clearRange("E" + std::to_string(row) + ":AS" + std::to_string(row));
    const std::int32_t g = findBranch(ground, branch.name);
    if (g < 0) {
        return !stopsAt(
            ui, tally, branch.name,
            "branch " + branch.name + " (row " + std::to_string(row) + ", not in GroundProfile)");
    }
    const SurveyBranch& points = ground.branches[g];
    for (std::int32_t i = 0; i <= branch.lastSection; ++i) {
        const PointRange range =
            findPointRange(ground, branch.fromLabels[i], branch.toLabels[i], g);
        if (range.first < 0 || range.last < 0) {
            const std::string section = branch.fromLabels[i] + "-" + branch.toLabels[i];
            if (stopsAt(ui, tally, section,
                        "section " + section + " (row " + std::to_string(branch.headRow + 1 + i) +
                            ", labels not found in GroundProfile branch " + points.name + ")"))
                return false;
            continue;
        }
        const double length = sectionLength(points, range.first, range.last);
        row = branch.headRow + 1 + i;
        put(sheet, row, kLength, length);
        put(sheet, row, kDesignLength, length * 1.1);
        put(sheet, row, kFromLevel, points.levels[range.first]);
        put(sheet, row, kToLevel, points.levels[range.last]);
        ++tally.written;
    }
    return true;
}

std::string lengthSummary(const LengthTally& tally) {
    std::string text = "PD-CW-Sample: lengths and levels of " +
                       counted(tally.written, "section", "sections") + " written (E, F, I, J)";
    if (!tally.skipped.empty()) text += "; skipped: " + listed(tally.skipped);
    if (!tally.stoppedAt.empty()) text += "; stopped on the answer Yes at " + tally.stoppedAt;
    return text;
}

}  // namespace

std::vector<SectionLabels> sectionsOf(const SurveyBranch& branch) {
    std::vector<SectionLabels> sections;
    std::string from = branch.labels[0];
    for (std::int32_t j = 1; j <= branch.lastPoint - 1; ++j) {
        if (branch.codes[j] != 1) continue;
        sections.emplace_back(from, branch.labels[j]);
        from = branch.labels[j];
    }
    sections.emplace_back(from, branch.labels[branch.lastPoint]);
    return sections;
}

double sectionLength(const SurveyBranch& branch, std::int32_t first, std::int32_t last) {
    double length = 0;
    for (std::int32_t j = first + 1; j <= last; ++j)
        length += branch.distances[j];
    return length;
}

bool listBranchSections(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui,
                        bool report) {
    if (!attachSpreadsheet(host, ui)) return false;
    Workbook& workbook = host.activeWorkbook();
    if (!readGroundProfile(context, workbook, ui, true)) return false;
    Worksheet* sheet = sectionSheet(workbook, ui);
    if (!sheet) return false;

    std::vector<std::vector<SectionLabels>> sections;
    long long lastRow = kFirstRow - 1;
    std::size_t sectionCount = 0;
    for (const SurveyBranch& branch : context.branches) {
        sections.push_back(sectionsOf(branch));
        lastRow += 1 + sections.back().size();
        sectionCount += sections.back().size();
    }
    if (lastRow > kLastOutputRow) {
        reportNoRoom(ui, "The section list", *sheet);
        return false;
    }
    const BranchWrites writes{
        .sheet = *sheet,
        .branchCount = context.branches.size(),
        .clearFirst = {"B" + std::to_string(kFirstRow) + ":D" + std::to_string(kLastOutputRow)},
        .firstRow = kFirstRow,
        .write = [&](std::size_t b, int& row) {
            writeSectionList(*sheet, context.branches[b].name, sections[b], row);
            return true;
        }};
    const bool done = writeBranches(workbook, ui, writes, report);
    if (done) {
        context.summary.push_back("PD-CW-Sample: " + counted(sectionCount, "section", "sections") +
                                  " of " + counted(sections.size(), "branch", "branches") +
                                  " listed in B:D of rows " + std::to_string(kFirstRow) + "-" +
                                  std::to_string(lastRow));
    }
    return done;
}

bool readSectionTable(SurveyContext& context, Workbook& workbook, UserInterface& ui) {
    std::vector<PipeBranch> sections;
    const BookVisitor visit{[&](const Worksheet& sheet, int row) {
                                sections.emplace_back();
                                sections.back().name = textAt(sheet, row, kFromLabel);
                                sections.back().headRow = row;
                            },
                            [&](const Worksheet& sheet, int row, int section) {
                                PipeBranch& b = sections.back();
                                b.fromLabels.push_back(textAt(sheet, row, kFromLabel));
                                b.toLabels.push_back(textAt(sheet, row, kToLabel));
                                b.lastSection = section;
                            }};
    const bool ok = readBook(workbook, ui, sectionListBook(), true, visit, context.report);
    context.sections = ok ? std::move(sections) : std::vector<PipeBranch>{};
    return ok;
}

bool computeSectionLengths(SurveyContext& context, SpreadsheetHost& host, UserInterface& ui) {
    if (!attachSpreadsheet(host, ui)) return false;
    Workbook& workbook = host.activeWorkbook();
    if (!readGroundProfile(context, workbook, ui, true)) return false;
    if (!readSectionTable(context, workbook, ui)) return false;
    Worksheet& sheet = workbook.sheet(sectionListBook().sheetName);

    const GroundProfile ground = indexGroundProfile(context.branches);
    LengthTally tally;
    const std::string first = std::to_string(kFirstRow);
    const std::string last = std::to_string(kLastOutputRow);
    const BranchWrites writes{.sheet = sheet,
                              .branchCount = context.sections.size(),
                              .clearFirst = {"E" + first + ":F" + last, "I" + first + ":J" + last},
                              .firstRow = kFirstRow,
                              .write = [&](std::size_t s, int& row) {
                                  return writeBranchLengths(sheet, ui, ground, context.sections[s],
                                                            row, tally);
                              }};
    const bool done = writeBranches(workbook, ui, writes, true);
    context.summary.push_back(lengthSummary(tally));
    return done;
}

bool askExit(UserInterface& ui, const std::string& text) {
    const Message question{"It could not find data for branch " + text + "." +
                               " Do you want to exit and correct it first.",
                           Buttons::YesNo, Icon::None, "Assure it"};
    return ui.showMessage(question) == Answer::Yes;
}

}  // namespace plovis
