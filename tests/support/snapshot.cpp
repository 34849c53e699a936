#include "support/snapshot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace plovis::test {
namespace {

// A number to 3 decimals without trailing zeros; -0 reads 0.
std::string num(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", v);
    std::string s = buffer;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string point(const Point& p) {
    return num(p.x) + "," + num(p.y) + (num(p.z) == "0" ? "" : "," + num(p.z));
}

std::string degrees(double radians) {
    return num(radians * 180 / M_PI);
}

const char* alignmentCode(TextAlignment a) {
    static const char* const codes[] = {"L",  "C",  "R",  "A",  "M",  "F",  "TL", "TC",
                                        "TR", "ML", "MC", "MR", "BL", "BC", "BR"};
    return codes[static_cast<int>(a)];
}

// "<text>" at its anchor, height, turn, alignment and widening (the last three when not plain).
std::string textPart(const CadTextProperties& t) {
    std::string s = "\"" + t.textString() + "\" " + point(t.anchorPoint());
    if (t.usesBothPoints()) s += ">" + point(t.insertionPoint());
    s += " h" + num(t.height());
    if (num(t.rotation()) != "0") s += " r" + degrees(t.rotation());
    if (!t.baselineLeft()) s += std::string(" ") + alignmentCode(t.alignment());
    if (t.widthFactor() != 1) s += " w" + num(t.widthFactor());
    return s;
}

std::string stylePart(const CadEntity& e) {
    std::string s;
    if (e.color() != kColorByLayer) s += " c" + std::to_string(e.color());
    if (e.linetype() != "ByLayer") s += " lt" + e.linetype();
    return s;
}

std::string insertLines(const CadBlockReference& r) {
    std::string s = r.name() + " " + point(r.insertionPoint());
    if (r.xScale() != 1 || r.yScale() != 1 || r.zScale() != 1)
        s += " s" + num(r.xScale()) + "," + num(r.yScale()) + "," + num(r.zScale());
    if (num(r.rotation()) != "0") s += " r" + degrees(r.rotation());
    for (const CadAttribute& a : r.attributes())
        s += "\n  ATTRIB " + a.tagString() + " " + textPart(a) + (a.invisible() ? " hidden" : "");
    return s;
}

std::string entityLine(const CadEntity& e) {
    const std::string head = " " + e.layer() + stylePart(e) + " ";
    if (auto* l = entityAs<CadLine>(e))
        return "LINE" + head + point(l->startPoint()) + " " + point(l->endPoint());
    if (auto* c = entityAs<CadCircle>(e))
        return "CIRCLE" + head + point(c->center()) + " r" + num(c->radius());
    if (auto* a = entityAs<CadArc>(e)) {
        return "ARC" + head + point(a->center()) + " r" + num(a->radius()) + " " +
               degrees(a->startAngle()) + ".." + degrees(a->endAngle());
    }
    if (auto* p = entityAs<CadPolyline>(e)) {
        std::string s = "PLINE" + head + (p->closed() ? "closed" : "open");
        for (const PolylineVertex& v : p->vertices())
            s += " " + num(v.x) + "," + num(v.y) + (v.bulge != 0 ? "/" + num(v.bulge) : "");
        return s;
    }
    if (auto* t = entityAs<CadText>(e)) return "TEXT" + head + textPart(*t);
    if (auto* r = entityAs<CadBlockReference>(e)) return "INSERT" + head + insertLines(*r);
    return "ENTITY" + head;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// The first line that differs, numbered, on each side.
std::string diff(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const auto at = [i](const std::vector<std::string>& v) {
        return i < v.size() ? v[i] : std::string("(end)");
    };
    return "-" + std::to_string(i + 1) + ": " + at(a) + "\n+" + std::to_string(i + 1) + ": " +
           at(b) + "\n";
}

}  // namespace

std::string drawingSnapshot(const Drawing& d) {
    std::string out;
    for (const CadEntity* e : d.modelSpace().entities())
        out += entityLine(*e) + "\n";
    return out;
}

void expectGolden(const std::string& actual, const std::string& folder, const std::string& name) {
    const std::filesystem::path dir = sourceDir() / "tests" / folder / "golden";
    const std::filesystem::path expectedFile = dir / (name + ".txt");
    const std::filesystem::path actualFile = dir / (name + ".actual");
    const char* update = std::getenv("PLOVIS_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::filesystem::create_directories(dir);
        writeBytes(expectedFile, actual);
        std::filesystem::remove(actualFile);
        return;
    }
    const std::string expected = readBytes(expectedFile);
    if (expected == actual) {
        std::filesystem::remove(actualFile);
        return;
    }
    writeBytes(actualFile, actual);
    ADD_FAILURE() << "The drawing differs from " << expectedFile.string() << " (actual in "
                  << actualFile.filename().string() << "; PLOVIS_UPDATE_GOLDEN=1 accepts it):\n"
                  << diff(linesOf(expected), linesOf(actual));
}

}  // namespace plovis::test
