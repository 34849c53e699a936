#pragma once
// The paper sheets a drawing is laid out on. Each drawing routine records the sheets it draws;
// the renderer prints one page per sheet and the DXF writer one paper-space layout per sheet, so
// both show exactly the part of model space the routine meant for that paper.

#include <cstddef>
#include <optional>
#include <stdexcept>
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

// How large a drawing a command may make. A drawing command plans its sheets and counts the
// entities they will hold before it draws the first one, so that a wrong number in the workbook
// (a distance of 1e308 m) or a scale far from any plot stops it at once instead of filling memory
// and disk. The front end may raise both.
struct DrawingLimits {
    double maxSheets = 2000;         // paper sheets of one drawing
    double maxEntities = 5'000'000;  // entities, blocks opened up
};

// A drawing beyond its limits. The text names the input that makes it so large (a cell, a scale)
// and what it gives ("gives more than 2,000 sheets").
struct DrawingTooLarge : std::runtime_error {
    enum class Limit { Sheets, Entities };
    DrawingTooLarge(Limit which, const std::string& text)
        : std::runtime_error(text), limit(which) {}
    Limit limit;
};

// "more than 2,000 sheets" / "more than 5,000,000 entities": the limit as a message names it.
std::string moreThan(DrawingTooLarge::Limit which, const DrawingLimits& limits);

// Throws DrawingTooLarge "<cause> gives more than ..." when count passes the limit (a count that
// is no number, from a sum that overflowed, passes it too).
void checkDrawingSize(DrawingTooLarge::Limit which, double count, const DrawingLimits& limits,
                      const std::string& cause);

}  // namespace plovis
