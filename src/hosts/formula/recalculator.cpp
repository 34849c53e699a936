#include "hosts/formula/recalculator.h"

#include <algorithm>
#include <optional>

#include "common/text.h"
#include "hosts/formula/function_table.h"
#include "hosts/formula/lexer.h"
#include "hosts/formula/parser.h"

namespace plovis::formula {
namespace {

// How many cells of a circular reference a message names.
constexpr std::size_t kNamedCells = 4;

std::string quotedSheet(const std::string& name) {
    std::string out = "'";
    for (char c : name)
        out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

// Where a reference of the formula in the cell lands; none when it falls off the sheet.
template <typename Cell>
std::optional<Area> placed(const Reference& r, const Cell& c) {
    const auto place = [&](const RefEnd& e, int& row, int& column) {
        row = e.rowRelative ? c.row + e.row : e.row;
        column = e.columnRelative ? c.column + e.column : e.column;
        return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns;
    };
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!place(r.first, r1, c1) || !place(r.last, r2, c2)) return std::nullopt;
    return Area{r.sheet < 0 ? c.sheet : r.sheet, spanning({r1, c1, r1, c1}, {r2, c2, r2, c2})};
}

bool hasChildren(NodeKind k) {
    return k == NodeKind::Unary || k == NodeKind::Percent || k == NodeKind::Binary ||
           k == NodeKind::Call || k == NodeKind::Range;
}

}  // namespace

// Resolving a sheet's name does not read the sheet's cells.
int Recalculator::sheetNumber(std::string_view name) const {
    for (int i = 0; i < wb_.sheetCount(); ++i) {
        if (equalsIgnoringCase(wb_.sheetName(i), name)) return i;
    }
    return -1;
}

void Recalculator::changed(int sheet, int row, int column, bool calculate) {
    pending_.push_back({sheet, row, column, calculate});
}

CompiledFormula Recalculator::compileText(std::string_view text, int row, int column) const {
    const auto sheets = [this](std::string_view name) { return sheetNumber(name); };
    return parse(lex(text, row, column, sheets), functionNumber);
}

int Recalculator::compile(int sheet, const FormulaEntry& f) {
    const MemoryWorksheet& s = wb_.sheetAt(sheet);
    int row = static_cast<int>(f.key >> 16), column = static_cast<int>(f.key & 0xFFFF);
    const FormulaEntry* source = &f;
    // A cell filled from another (a shared formula) is compiled as the other was written, once.
    if (f.length == 0) {
        row = f.originRow;
        column = f.originColumn;
        if (const auto it = byOrigin_.find({sheet, row, column}); it != byOrigin_.end()) {
            return it->second;
        }
        source = s.formulaEntry(row, column);
        if (!source || source->length == 0) return -1;
    }
    const auto sheets = [this](std::string_view name) { return sheetNumber(name); };
    const Lexed lexed = lex(s.formulaText(*source), row, column, sheets);
    auto [it, fresh] = byKey_.try_emplace(lexed.key, static_cast<int>(compiled_.size()));
    if (fresh) compiled_.push_back(parse(lexed, functionNumber));
    if (f.length == 0) byOrigin_.emplace(std::tuple{sheet, row, column}, it->second);
    return it->second;
}

int Recalculator::enroll(int sheet, int row, int column, const FormulaEntry& f) {
    const int compiled = compile(sheet, f);
    if (compiled < 0) return -1;
    const int id = static_cast<int>(cells_.size());
    cells_.push_back({sheet, row, column, compiled, f.array});
    at_[key(sheet, row, column)] = id;
    link(id);
    return id;
}

void Recalculator::linkReference(const Reference& r, const FormulaCell& c, int id) {
    const auto a = placed(r, c);
    if (!a) return;
    if (a->range.rowCount() == 1 && a->range.columnCount() == 1) {
        graph_.addCell(a->sheet, a->range.firstRow, a->range.firstColumn, id);
    } else {
        graph_.addArea(a->sheet, a->range, id);
    }
}

// A range with a computed end, A1:INDEX(B1:B10,4), reads at most the rectangle spanning the
// references it is built from.
void Recalculator::linkSpan(const CompiledFormula& f, const Node& range, const FormulaCell& c,
                            int id) {
    std::optional<Area> span;
    bool oneSheet = true;
    const auto add = [&](const Reference& r) {
        const auto a = placed(r, c);
        if (!a) return;
        oneSheet = oneSheet && (!span || span->sheet == a->sheet);
        span = Area{a->sheet, span ? spanning(span->range, a->range) : a->range};
    };
    std::vector<std::int32_t> todo(f.args.begin() + range.index,
                                   f.args.begin() + range.index + range.count);
    while (!todo.empty()) {
        const Node& n = f.nodes[todo.back()];
        todo.pop_back();
        if (n.kind == NodeKind::Reference) add(f.refs[n.index]);
        const CompiledFormula* named =
            n.kind == NodeKind::Name ? name(f.texts[n.index], c.sheet) : nullptr;
        for (std::size_t i = 0; named && i < named->refs.size(); ++i)
            add(named->refs[i]);
        if (hasChildren(n.kind))
            todo.insert(todo.end(), f.args.begin() + n.index, f.args.begin() + n.index + n.count);
    }
    if (span && oneSheet) graph_.addArea(span->sheet, span->range, id);
}

void Recalculator::link(int id) {
    const FormulaCell c = cells_[id];
    const CompiledFormula& f = compiled_[c.compiled];
    for (const Reference& r : f.refs)
        linkReference(r, c, id);
    for (const Node& n : f.nodes) {
        if (n.kind == NodeKind::Range) linkSpan(f, n, c, id);
        if (n.kind != NodeKind::Name) continue;
        if (const CompiledFormula* named = name(f.texts[n.index], c.sheet)) {
            for (const Reference& r : named->refs)
                linkReference(r, c, id);
        }
    }
}

void Recalculator::build() {
    cells_.clear();
    at_.clear();
    graph_ = DependencyGraph();
    compiled_.clear();
    byKey_.clear();
    byOrigin_.clear();
    names_.clear();
    // In row order (the sheet keeps them so), so that reports list them by their place.
    // Sheets not read yet hold no formulas: the workbook reads those that may before it
    // recalculates.
    for (int s = 0; s < wb_.sheetCount(); ++s) {
        const MemoryWorksheet* sheet = wb_.sheetIfRead(s);
        for (std::size_t i = 0; sheet && i < sheet->formulas().size(); ++i) {
            const FormulaEntry& f = sheet->formulas()[i];
            enroll(s, static_cast<int>(f.key >> 16), static_cast<int>(f.key & 0xFFFF), f);
        }
    }
    graph_.seal();
    built_ = true;
}

// The formulas to recalculate: those given, and every formula reading them or the cells given,
// directly or through others.
std::vector<int> Recalculator::spread(const std::vector<int>& formulas,
                                      const std::vector<Pending>& cells) {
    dirty_.assign(cells_.size(), 0);
    std::vector<int> list;
    const auto mark = [&](int id) {
        if (cells_[id].removed || dirty_[id]) return;
        dirty_[id] = 1;
        list.push_back(id);
    };
    for (int id : formulas)
        mark(id);
    for (const Pending& p : cells)
        graph_.forEachReader(p.sheet, p.row, p.column, mark);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const FormulaCell& c = cells_[list[i]];
        graph_.forEachReader(c.sheet, c.row, c.column, mark);
    }
    return list;
}

void Recalculator::settle() {
    const bool fresh = !built_;
    if (fresh) build();
    std::vector<int> formulas;
    for (const Pending& p : pending_) {
        const auto k = key(p.sheet, p.row, p.column);
        const MemoryWorksheet* sheet = wb_.sheetIfRead(p.sheet);
        const FormulaEntry* f = sheet ? sheet->formulaEntry(p.row, p.column) : nullptr;
        const auto it = at_.find(k);
        if (!fresh) {
            // The cell's formula was written, overwritten or cleared.
            if (it != at_.end()) {
                cells_[it->second].removed = true;
                at_.erase(it);
            }
            if (f) {
                const int id = enroll(p.sheet, p.row, p.column, *f);
                if (id >= 0 && p.calculate) formulas.push_back(id);
            }
            stale_.erase(k);
        } else if (f && p.calculate && it != at_.end()) {
            formulas.push_back(it->second);
        }
    }
    const std::vector<Pending> cells = std::move(pending_);
    pending_.clear();
    run(spread(formulas, cells), nullptr);
}

RecalculationReport Recalculator::recalculateAll() {
    settle();  // compiles what was written since
    stale_.clear();
    std::vector<int> all;
    all.reserve(cells_.size());
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (!cells_[i].removed) all.push_back(static_cast<int>(i));
    }
    RecalculationReport report;
    run(spread(all, {}), &report);
    return report;
}

std::string Recalculator::cellName(const FormulaCell& c) const {
    return quotedSheet(wb_.sheetName(c.sheet)) + "!" + columnLetters(c.column) +
           std::to_string(c.row);
}

std::string Recalculator::evaluate(const FormulaCell& c) {
    const CompiledFormula& f = compiled_[c.compiled];
    if (c.array) return "it is an array formula, which PLOVIS leaves to the spreadsheet program";
    if (!f.unsupported.empty()) return "its formula holds " + f.unsupported;
    const Value v = Evaluator(*this, f, c.sheet, c.row, c.column).result();
    MemoryWorksheet& sheet = wb_.sheetAt(c.sheet);
    const CellValue cell = toCell(v);
    const CellValue* old = sheet.stored(c.row, c.column);
    if (!old || *old != cell || sheet.kind(c.row, c.column) != kindOf(v)) {
        sheet.storeCalculated(c.row, c.column, cell, kindOf(v));
    }
    return {};
}

// Kahn's order: a formula is evaluated once every formula it reads that is to be recalculated
// has been; what is left over lies in or behind a circular reference.
void Recalculator::run(const std::vector<int>& dirty, RecalculationReport* report) {
    used_.clear();
    indegree_.assign(cells_.size(), 0);
    for (int id : dirty) {
        const FormulaCell& c = cells_[id];
        graph_.forEachReader(c.sheet, c.row, c.column, [&](int r) { indegree_[r] += dirty_[r]; });
    }
    std::vector<int> ready;
    for (int id : dirty) {
        if (indegree_[id] == 0) ready.push_back(id);
    }
    std::unordered_map<int, std::string> inherited;  // a formula reading a stale one: why
    std::vector<std::pair<int, std::string>> notComputed;
    visited_ = 0;
    while (!ready.empty()) {
        const int id = ready.back();
        ready.pop_back();
        const FormulaCell& c = cells_[id];
        dirty_[id] = 0;
        ++visited_;
        std::string why = evaluate(c);
        if (report && why.empty()) ++report->computed;
        if (report && !why.empty()) notComputed.emplace_back(id, why);
        if (why.empty()) {
            if (const auto in = inherited.find(id); in != inherited.end()) why = in->second;
        }
        const auto k = key(c.sheet, c.row, c.column);
        if (why.empty()) {
            stale_.erase(k);
        } else {
            stale_[k] = why;
        }
        const std::string passed =
            why.empty() ? std::string()
                        : "it depends on " + cellName(c) + ", which could not be recalculated";
        graph_.forEachReader(c.sheet, c.row, c.column, [&](int r) {
            if (!dirty_[r]) return;
            if (!passed.empty()) inherited.emplace(r, passed);
            if (--indegree_[r] == 0) ready.push_back(r);
        });
    }
    if (report) {
        std::sort(notComputed.begin(), notComputed.end());
        for (const auto& [id, why] : notComputed)
            report->notComputed.emplace_back(cellName(cells_[id]), why);
    }
    std::vector<int> left;
    for (int id : dirty) {
        if (dirty_[id]) left.push_back(id);
    }
    if (left.empty()) return;
    std::sort(left.begin(), left.end());
    std::vector<std::string> circle;
    for (int id : left)
        circle.push_back(cellName(cells_[id]));
    std::string named;
    for (std::size_t i = 0; i < circle.size() && i < kNamedCells; ++i)
        named += (i ? ", " : "") + circle[i];
    if (circle.size() > kNamedCells) named += ", ...";
    for (int id : left) {
        const FormulaCell& c = cells_[id];
        stale_[key(c.sheet, c.row, c.column)] =
            "it lies in or behind a circular reference (" + named + ")";
        dirty_[id] = 0;
    }
    if (report) report->circular = std::move(circle);
}

const std::string* Recalculator::staleReason(int sheet, int row, int column) const {
    const auto it = stale_.find(key(sheet, row, column));
    return it == stale_.end() ? nullptr : &it->second;
}

Value Recalculator::value(int sheet, int row, int column) const {
    const MemoryWorksheet& s = wb_.sheetAt(sheet);
    const CellValue* v = s.stored(row, column);
    return v ? fromCell(*v, s.kind(row, column)) : Value();
}

void Recalculator::forEach(const Area& area,
                           const std::function<void(int, int, const Value&)>& f) const {
    const MemoryWorksheet& s = wb_.sheetAt(area.sheet);
    s.forEachStored(area.range, [&](int row, int column, const CellValue& v) {
        f(row, column, fromCell(v, s.kind(row, column)));
    });
}

int Recalculator::lastRow(int sheet) const {
    used_.resize(static_cast<std::size_t>(wb_.sheetCount()), {-1, -1});
    auto& u = used_[static_cast<std::size_t>(sheet)].first;
    if (u < 0) u = wb_.sheetAt(sheet).lastRow();
    return u;
}

int Recalculator::lastColumn(int sheet) const {
    used_.resize(static_cast<std::size_t>(wb_.sheetCount()), {-1, -1});
    auto& u = used_[static_cast<std::size_t>(sheet)].second;
    if (u < 0) u = wb_.sheetAt(sheet).lastColumn();
    return u;
}

const CompiledFormula* Recalculator::name(std::string_view upperName, int sheet) const {
    for (int scope : {sheet, -1}) {
        const auto k = std::pair{std::string(upperName), scope};
        if (const auto it = names_.find(k); it != names_.end()) return it->second.get();
        for (const DefinedName& d : wb_.definedNames()) {
            if (d.sheet != scope || upperCase(d.name) != upperName) continue;
            auto compiled = std::make_unique<CompiledFormula>(compileText(d.formula, 1, 1));
            return names_.emplace(k, std::move(compiled)).first->second.get();
        }
    }
    return nullptr;
}

}  // namespace plovis::formula
