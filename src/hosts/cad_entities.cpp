#include "hosts/cad_entities.h"

#include <cmath>
#include <numbers>
#include <tuple>

#include "hosts/cad_block.h"
#include "hosts/host_error.h"

namespace plovis {

CadEntity::CadEntity(EntityKind kind, EntityStyle style) : kind_(kind), style_(std::move(style)) {}

// A copy belongs to no block and is not erased.
CadEntity::CadEntity(const CadEntity& other) : kind_(other.kind_), style_(other.style_) {}

void CadEntity::setColor(int color) {
    style_.color = checkedColor(color, "colour");
}

void CadEntity::erase() {
    if (erased_) return;
    erased_ = true;
    if (owner_) owner_->noteErased();
}

CadLine::CadLine(EntityStyle style, const Point& start, const Point& end)
    : CadEntity(kKind, std::move(style)),
      start_(checkedPoint(start, "line start point")),
      end_(checkedPoint(end, "line end point")) {}

void CadLine::setStartPoint(const Point& p) {
    start_ = checkedPoint(p, "line start point");
}
void CadLine::setEndPoint(const Point& p) {
    end_ = checkedPoint(p, "line end point");
}

double CadLine::angle() const {
    const double a = std::atan2(end_.y - start_.y, end_.x - start_.x);
    return a < 0 ? a + 2 * std::numbers::pi : a;
}

double CadLine::length() const {
    return std::hypot(end_.x - start_.x, end_.y - start_.y);
}

std::unique_ptr<CadEntity> CadLine::clone() const {
    return std::make_unique<CadLine>(*this);
}

CadCircle::CadCircle(EntityStyle style, const Point& center, double radius)
    : CadEntity(kKind, std::move(style)),
      center_(checkedPoint(center, "circle centre")),
      radius_(checkedPositive(radius, "circle radius")) {}

void CadCircle::setCenter(const Point& p) {
    center_ = checkedPoint(p, "circle centre");
}
void CadCircle::setRadius(double r) {
    radius_ = checkedPositive(r, "circle radius");
}

std::unique_ptr<CadEntity> CadCircle::clone() const {
    return std::make_unique<CadCircle>(*this);
}

CadArc::CadArc(EntityStyle style, const Point& center, double radius, double startAngle,
               double endAngle)
    : CadEntity(kKind, std::move(style)),
      center_(checkedPoint(center, "arc centre")),
      radius_(checkedPositive(radius, "arc radius")),
      startAngle_(checkedNumber(startAngle, "arc start angle")),
      endAngle_(checkedNumber(endAngle, "arc end angle")) {}

std::unique_ptr<CadEntity> CadArc::clone() const {
    return std::make_unique<CadArc>(*this);
}

CadPolyline::CadPolyline(EntityStyle style, std::vector<PolylineVertex> vertices, bool closed)
    : CadEntity(kKind, std::move(style)), vertices_(std::move(vertices)), closed_(closed) {
    for (const auto& v : vertices_) {
        checkedPoint({v.x, v.y, 0}, "polyline vertex");
        checkedNumber(v.bulge, "polyline bulge");
    }
}

std::unique_ptr<CadEntity> CadPolyline::clone() const {
    return std::make_unique<CadPolyline>(*this);
}

CadTextProperties::CadTextProperties(std::string text, const Point& insertion, double height,
                                     std::string style)
    : text_(std::move(text)),
      insertion_(checkedPoint(insertion, "text insertion point")),
      alignmentPoint_(insertion_),
      height_(checkedPositive(height, "text height")),
      style_(std::move(style)) {}

void CadTextProperties::setInsertionPoint(const Point& p) {
    insertion_ = checkedPoint(p, "text insertion point");
}

void CadTextProperties::setHeight(double height) {
    height_ = checkedPositive(height, "text height");
}

void CadTextProperties::setRotation(double radians) {
    rotation_ = checkedNumber(radians, "text rotation");
}

void CadTextProperties::setWidthFactor(double factor) {
    widthFactor_ = checkedPositive(factor, "text width factor");
}

// A text leaving baseline-left keeps standing where it was: its alignment point starts at its
// insertion point. A text becoming baseline-left stands on its former alignment point.
void CadTextProperties::placeAfterAlignmentChange(bool wasBaselineLeft) {
    if (wasBaselineLeft && !baselineLeft()) alignmentPoint_ = insertion_;
    if (!wasBaselineLeft && baselineLeft()) insertion_ = alignmentPoint_;
}

void CadTextProperties::setHorizontalAlignment(HorizontalAlignment h) {
    const bool was = baselineLeft();
    horizontal_ = h;
    // Aligned, Middle and Fit exist only on the baseline.
    if (static_cast<int>(h) > 2) vertical_ = VerticalAlignment::Baseline;
    placeAfterAlignmentChange(was);
}

void CadTextProperties::setVerticalAlignment(VerticalAlignment v) {
    const bool was = baselineLeft();
    vertical_ = v;
    if (v != VerticalAlignment::Baseline && static_cast<int>(horizontal_) > 2) {
        horizontal_ = HorizontalAlignment::Left;
    }
    placeAfterAlignmentChange(was);
}

void CadTextProperties::setAlignment(TextAlignment a) {
    const bool was = baselineLeft();
    std::tie(horizontal_, vertical_) = splitAlignment(a);
    placeAfterAlignmentChange(was);
}

Point CadTextProperties::textAlignmentPoint() const {
    return baselineLeft() ? Point{} : alignmentPoint_;
}

void CadTextProperties::setTextAlignmentPoint(const Point& p) {
    if (baselineLeft()) {
        throw HostError(
            "The alignment point of a baseline-left text cannot be set; its insertion point "
            "places it");
    }
    alignmentPoint_ = checkedPoint(p, "text alignment point");
}

CadText::CadText(EntityStyle style, std::string text, const Point& insertion, double height,
                 std::string textStyle)
    : CadEntity(kKind, std::move(style)),
      CadTextProperties(std::move(text), insertion, height, std::move(textStyle)) {}

std::unique_ptr<CadEntity> CadText::clone() const {
    return std::make_unique<CadText>(*this);
}

CadAttributeDefinition::CadAttributeDefinition(EntityStyle style, std::string tag,
                                               std::string prompt, std::string defaultValue,
                                               const Point& insertion, double height,
                                               std::string textStyle, int mode)
    : CadEntity(kKind, std::move(style)),
      CadTextProperties(std::move(defaultValue), insertion, height, std::move(textStyle)),
      tag_(std::move(tag)),
      prompt_(std::move(prompt)),
      mode_(mode) {
    if (tag_.empty() || tag_.find(' ') != std::string::npos) {
        throw HostError("Invalid attribute tag \"" + tag_ + "\" (it must be one word)");
    }
    if (mode_ < 0 || mode_ > 15) throw HostError("Invalid attribute mode " + std::to_string(mode));
}

std::unique_ptr<CadEntity> CadAttributeDefinition::clone() const {
    return std::make_unique<CadAttributeDefinition>(*this);
}

CadAttribute::CadAttribute(EntityStyle style, std::string tag, std::string value,
                           const Point& insertion, double height, std::string textStyle,
                           bool invisible)
    : CadTextProperties(std::move(value), insertion, height, std::move(textStyle)),
      style_(std::move(style)),
      tag_(std::move(tag)),
      invisible_(invisible) {}

CadBlockReference::CadBlockReference(EntityStyle style, std::string blockName,
                                     const Point& insertion, double xScale, double yScale,
                                     double zScale, double rotation)
    : CadEntity(kKind, std::move(style)),
      name_(std::move(blockName)),
      insertion_(checkedPoint(insertion, "block insertion point")),
      scale_{checkedNumber(xScale, "block x scale"), checkedNumber(yScale, "block y scale"),
             checkedNumber(zScale, "block z scale")},
      rotation_(checkedNumber(rotation, "block rotation")) {
    for (double s : scale_) {
        if (s == 0) throw HostError("Invalid block scale 0 for block \"" + name_ + "\"");
    }
}

CadAttribute& CadBlockReference::attribute(std::size_t index) {
    if (index >= attributes_.size()) {
        throw HostError("The reference of block \"" + name_ + "\" has " +
                        std::to_string(attributes_.size()) + " attribute(s); there is no number " +
                        std::to_string(index + 1));
    }
    return attributes_[index];
}

std::unique_ptr<CadEntity> CadBlockReference::clone() const {
    return std::make_unique<CadBlockReference>(*this);
}

}  // namespace plovis
