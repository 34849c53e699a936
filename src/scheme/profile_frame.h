#pragma once
// How a profile drawing maps chainage and level (metres) onto the plotted sheet (drawing units,
// millimetres of the sheet): the sheet point of a chosen chainage and datum level, and the scales
// across and up. Shared by the pipe line profile and the existing ground profile; the survey
// works in metres only.

namespace plovis {

// One axis: sheetMm millimetres of sheet for every groundMetres metres. A scale of 1:N is 1000 mm
// for N metres; the ground profile command keeps its single-precision millimetres-per-metre
// factor as that factor for 1 metre, so each drawing keeps its own rounding.
class FrameScale {
  public:
    FrameScale() = default;
    explicit FrameScale(double sheetMm, double groundMetres)
        : sheetMm_(sheetMm), groundMetres_(groundMetres) {}

    double toSheet(double metres) const { return metres * sheetMm_ / groundMetres_; }
    double toGround(double mm) const { return mm * groundMetres_ / sheetMm_; }
    double mmPerMetre() const { return sheetMm_ / groundMetres_; }

  private:
    double sheetMm_ = 1000;
    double groundMetres_ = 1000;
};

// A scale of 1:n.
inline FrameScale scaleOneTo(double n) {
    return FrameScale(1000, n);
}

// A scale given as millimetres of sheet per metre.
inline FrameScale mmPerMetre(double factor) {
    return FrameScale(factor, 1);
}

// The first node of a pipe line profile sheet sits this far right of the sheet's origin.
inline constexpr double kFirstNodeOffset = 5;

struct ProfileFrame {
    double originX = 0;  // sheet X of startChainage
    double originY = 0;  // sheet Y of datum
    double startChainage = 0;
    double datum = 0;
    FrameScale across;  // horizontal: chainage
    FrameScale up;      // vertical: level

    double x(double chainage) const { return originX + across.toSheet(chainage - startChainage); }
    double y(double level) const { return up.toSheet(level - datum) + originY; }
};

}  // namespace plovis
