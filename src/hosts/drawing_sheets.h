#pragma once
// The paper sheets a drawing is laid out on. Each drawing routine records the sheets it draws;
// the renderer prints one page per sheet and the DXF writer one paper-space layout per sheet, so
// both show exactly the part of model space the routine meant for that paper.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plovis {

// A paper in landscape: its name ("A3", or "Custom" for a size no ISO paper holds) and size.
struct PaperSize {
    std::string name;
    double widthMm = 0;
    double heightMm = 0;
};

// The ISO papers A4 to A0 in landscape, by name (exact, "A3"); none for any other name.
std::optional<PaperSize> isoPaper(std::string_view name);

// The smallest ISO paper, not smaller than `least`, on which a box of that size fits; a box
// larger than A0 gets a paper of its own size.
PaperSize paperFitting(double widthMm, double heightMm, std::string_view least = "A4");

// One sheet: the model-space rectangle its paper covers at 1:1, from (minX, minY) on.
struct DrawingSheet {
    std::string name;  // the layout name: branch and sheet number ("Main line 2")
    PaperSize paper;
    double minX = 0;
    double minY = 0;

    double maxX() const { return minX + paper.widthMm; }
    double maxY() const { return minY + paper.heightMm; }
};

// A name a CAD program accepts for a layout: characters layout names may not hold become "_",
// blanks at the ends are dropped, and an empty name becomes "Sheet".
std::string layoutName(std::string_view text);

class DrawingSheets {
  public:
    // Adds a sheet; a name used already (ignoring case) gets " (2)", " (3)", ... appended.
    DrawingSheet& add(std::string_view name, const PaperSize& paper, double minX, double minY);
    const std::vector<DrawingSheet>& list() const { return sheets_; }
    bool empty() const { return sheets_.empty(); }
    std::size_t size() const { return sheets_.size(); }
    DrawingSheet& back() { return sheets_.back(); }
    void clear() { sheets_.clear(); }

  private:
    bool taken(std::string_view name) const;
    std::vector<DrawingSheet> sheets_;
};

}  // namespace plovis
