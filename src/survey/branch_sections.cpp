#include "survey/branch_sections.h"

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

// Writes the lengths and levels of one branch's sections, asking about what cannot be found;
// false when the user chose to stop there.
bool writeBranchLengths(Worksheet& sheet, UserInterface& ui, const GroundProfile& ground,
                        const PipeBranch& branch, int& row) {
    row = branch.headRow;
    sheet.clearRange("E" + std::to_string(row) + ":AS" + std::to_string(row));
    const std::int32_t g = findBranch(ground, branch.name);
    if (g < 0) return !askExit(ui, branch.name);
    const SurveyBranch& points = ground.branches[g];
    for (std::int32_t i = 0; i <= branch.lastSection; ++i) {
        const PointRange range =
            findPointRange(ground, branch.fromLabels[i], branch.toLabels[i], g);
        if (range.first < 0 || range.last < 0) {
            if (askExit(ui, branch.fromLabels[i] + "-" + branch.toLabels[i])) return false;
            continue;
        }
        const double length = sectionLength(points, range.first, range.last);
        row = branch.headRow + 1 + i;
        put(sheet, row, kLength, length);
        put(sheet, row, kDesignLength, length * 1.1);
        put(sheet, row, kFromLevel, points.levels[range.first]);
        put(sheet, row, kToLevel, points.levels[range.last]);
    }
    return true;
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
    for (const SurveyBranch& branch : context.branches) {
        sections.push_back(sectionsOf(branch));
        lastRow += 1 + sections.back().size();
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
    return writeBranches(workbook, ui, writes, report);
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
    const bool ok = readBook(workbook, ui, sectionListBook(), true, visit);
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
    const std::string first = std::to_string(kFirstRow);
    const std::string last = std::to_string(kLastOutputRow);
    const BranchWrites writes{.sheet = sheet,
                              .branchCount = context.sections.size(),
                              .clearFirst = {"E" + first + ":F" + last, "I" + first + ":J" + last},
                              .firstRow = kFirstRow,
                              .write = [&](std::size_t s, int& row) {
                                  return writeBranchLengths(sheet, ui, ground, context.sections[s],
                                                            row);
                              }};
    return writeBranches(workbook, ui, writes, true);
}

bool askExit(UserInterface& ui, const std::string& text) {
    const Message question{"It could not find data for branch " + text + "." +
                               " Do you want to exit and correct it first.",
                           Buttons::YesNo, Icon::None, "Assure it"};
    return ui.showMessage(question) == Answer::Yes;
}

}  // namespace plovis
