#pragma once
// The entities of a drawing: what routines add to model space and to block definitions, and what
// tests, the DXF writer and the renderer read back. Setters check their numbers as the CAD host
// does and throw HostError for a value it would refuse.

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "hosts/cad_types.h"

namespace plovis {

enum class EntityKind { Line, Circle, Arc, Text, Polyline, BlockReference, AttributeDefinition };

// Layer, colour and line type of an entity, fixed when it is made (the current layer of the
// drawing for entities that routines add).
struct EntityStyle {
    std::string layer = "0";
    int color = kColorByLayer;
    std::string linetype = "ByLayer";
};

class CadBlock;

class CadEntity {
  public:
    virtual ~CadEntity() = default;
    CadEntity& operator=(const CadEntity&) = delete;

    EntityKind kind() const { return kind_; }
    const std::string& layer() const { return style_.layer; }
    const std::string& linetype() const { return style_.linetype; }
    int color() const { return style_.color; }
    void setColor(int color);  // 0 (by block) to 256 (by layer)
    const EntityStyle& style() const { return style_; }

    // Removes the entity from the drawing. The handle stays valid and readable (erased() is
    // true), but the entity is no longer listed, drawn or saved.
    void erase();
    bool erased() const { return erased_; }
    // The block definition or model space holding the entity; nullptr before it is added.
    CadBlock* owner() const { return owner_; }

    // A copy that belongs to no block yet.
    virtual std::unique_ptr<CadEntity> clone() const = 0;

  protected:
    CadEntity(EntityKind kind, EntityStyle style);
    CadEntity(const CadEntity& other);

  private:
    friend class CadBlock;
    EntityKind kind_;
    EntityStyle style_;
    CadBlock* owner_ = nullptr;
    bool erased_ = false;
};

class CadLine final : public CadEntity {
  public:
    static constexpr EntityKind kKind = EntityKind::Line;
    CadLine(EntityStyle style, const Point& start, const Point& end);
    Point startPoint() const { return start_; }
    Point endPoint() const { return end_; }
    void setStartPoint(const Point& p);
    void setEndPoint(const Point& p);
    // Direction from start to end, counterclockwise from the x axis: radians from 0 up to 2π.
    double angle() const;
    double length() const;
    std::unique_ptr<CadEntity> clone() const override;

  private:
    Point start_, end_;
};

class CadCircle final : public CadEntity {
  public:
    static constexpr EntityKind kKind = EntityKind::Circle;
    CadCircle(EntityStyle style, const Point& center, double radius);
    Point center() const { return center_; }
    double radius() const { return radius_; }
    void setCenter(const Point& p);
    void setRadius(double r);
    std::unique_ptr<CadEntity> clone() const override;

  private:
    Point center_;
    double radius_;
};

// An arc drawn counterclockwise from its start angle to its end angle (radians).
class CadArc final : public CadEntity {
  public:
    static constexpr EntityKind kKind = EntityKind::Arc;
    CadArc(EntityStyle style, const Point& center, double radius, double startAngle,
           double endAngle);
    Point center() const { return center_; }
    double radius() const { return radius_; }
    double startAngle() const { return startAngle_; }
    double endAngle() const { return endAngle_; }
    std::unique_ptr<CadEntity> clone() const override;

  private:
    Point center_;
    double radius_, startAngle_, endAngle_;
};

// A vertex of a lightweight polyline. bulge = tan(included angle / 4) of the arc to the next
// vertex: 0 for a straight segment, 1 for a half circle turning left.
struct PolylineVertex {
    double x = 0;
    double y = 0;
    double bulge = 0;
    friend bool operator==(const PolylineVertex&, const PolylineVertex&) = default;
};

class CadPolyline final : public CadEntity {
  public:
    static constexpr EntityKind kKind = EntityKind::Polyline;
    CadPolyline(EntityStyle style, std::vector<PolylineVertex> vertices, bool closed = false);
    const std::vector<PolylineVertex>& vertices() const { return vertices_; }
    bool closed() const { return closed_; }
    void setClosed(bool closed) { closed_ = closed; }
    std::unique_ptr<CadEntity> clone() const override;

  private:
    std::vector<PolylineVertex> vertices_;
    bool closed_;
};

// What texts, attribute definitions and attributes share: the string, its height, turn, width
// factor and style, and where it stands.
//
// Placement, as in the CAD host: a baseline-left text stands on its insertion point; any other
// text stands on its alignment point, which the routine sets after choosing the alignment (a
// text keeps its insertion point as alignment point until then). Aligned and Fit text runs from
// the insertion point to the alignment point. A baseline-left text has no alignment point: it
// reads as (0, 0, 0) and setting it fails.
class CadTextProperties {
  public:
    const std::string& textString() const { return text_; }
    void setTextString(std::string text) { text_ = std::move(text); }
    Point insertionPoint() const { return insertion_; }
    void setInsertionPoint(const Point& p);
    double height() const { return height_; }
    void setHeight(double height);
    // Radians, counterclockwise; upright text is turned by π/2.
    double rotation() const { return rotation_; }
    void setRotation(double radians);
    // Widening of the characters (the host's ScaleFactor); 1 keeps the style's own width.
    double widthFactor() const { return widthFactor_; }
    void setWidthFactor(double factor);
    const std::string& styleName() const { return style_; }

    HorizontalAlignment horizontalAlignment() const { return horizontal_; }
    void setHorizontalAlignment(HorizontalAlignment h);
    void setHorizontalAlignment(int code) {
        setHorizontalAlignment(horizontalAlignmentFromCode(code));
    }
    VerticalAlignment verticalAlignment() const { return vertical_; }
    void setVerticalAlignment(VerticalAlignment v);
    void setVerticalAlignment(int code) { setVerticalAlignment(verticalAlignmentFromCode(code)); }
    TextAlignment alignment() const { return combineAlignment(horizontal_, vertical_); }
    void setAlignment(TextAlignment a);
    void setAlignment(int code) { setAlignment(textAlignmentFromCode(code)); }

    Point textAlignmentPoint() const;
    void setTextAlignmentPoint(const Point& p);

    bool baselineLeft() const {
        return horizontal_ == HorizontalAlignment::Left && vertical_ == VerticalAlignment::Baseline;
    }
    // Aligned and Fit text use both points.
    bool usesBothPoints() const {
        return horizontal_ == HorizontalAlignment::Aligned ||
               horizontal_ == HorizontalAlignment::Fit;
    }
    // The point the text is placed by: the insertion point of baseline-left text, the alignment
    // point of any other.
    Point anchorPoint() const { return baselineLeft() ? insertion_ : alignmentPoint_; }

  protected:
    CadTextProperties(std::string text, const Point& insertion, double height, std::string style);
    ~CadTextProperties() = default;
    CadTextProperties(const CadTextProperties&) = default;
    CadTextProperties& operator=(const CadTextProperties&) = default;

  private:
    void placeAfterAlignmentChange(bool wasBaselineLeft);

    std::string text_;
    Point insertion_;
    Point alignmentPoint_;
    double height_;
    double rotation_ = 0;
    double widthFactor_ = 1;
    std::string style_;
    HorizontalAlignment horizontal_ = HorizontalAlignment::Left;
    VerticalAlignment vertical_ = VerticalAlignment::Baseline;
};

class CadText final : public CadEntity, public CadTextProperties {
  public:
    static constexpr EntityKind kKind = EntityKind::Text;
    CadText(EntityStyle style, std::string text, const Point& insertion, double height,
            std::string textStyle);
    std::unique_ptr<CadEntity> clone() const override;
};

// Attribute definition modes (flags), with the host's numbers.
enum AttributeMode : int {
    kAttributeNormal = 0,
    kAttributeInvisible = 1,
    kAttributeConstant = 2,
    kAttributeVerify = 4,
    kAttributePreset = 8,
};

// A field of a block definition: every reference of the block gets an attribute with this tag,
// starting with the definition's text (its default value) at the definition's place.
class CadAttributeDefinition final : public CadEntity, public CadTextProperties {
  public:
    static constexpr EntityKind kKind = EntityKind::AttributeDefinition;
    CadAttributeDefinition(EntityStyle style, std::string tag, std::string prompt,
                           std::string defaultValue, const Point& insertion, double height,
                           std::string textStyle, int mode);
    const std::string& tagString() const { return tag_; }
    const std::string& promptString() const { return prompt_; }
    int mode() const { return mode_; }
    std::unique_ptr<CadEntity> clone() const override;

  private:
    std::string tag_, prompt_;
    int mode_;
};

// One attribute of a block reference: a text with the tag of its definition.
class CadAttribute final : public CadTextProperties {
  public:
    CadAttribute(EntityStyle style, std::string tag, std::string value, const Point& insertion,
                 double height, std::string textStyle, bool invisible = false);
    const std::string& tagString() const { return tag_; }
    bool invisible() const { return invisible_; }
    const EntityStyle& style() const { return style_; }

  private:
    EntityStyle style_;
    std::string tag_;
    bool invisible_;
};

class CadBlockReference final : public CadEntity {
  public:
    static constexpr EntityKind kKind = EntityKind::BlockReference;
    CadBlockReference(EntityStyle style, std::string blockName, const Point& insertion,
                      double xScale, double yScale, double zScale, double rotation);
    const std::string& name() const { return name_; }
    Point insertionPoint() const { return insertion_; }
    double xScale() const { return scale_[0]; }
    double yScale() const { return scale_[1]; }
    double zScale() const { return scale_[2]; }
    double rotation() const { return rotation_; }  // radians

    // The attributes in the order of their definitions in the block (the host's GetAttributes).
    std::span<CadAttribute> attributes() { return attributes_; }
    std::span<const CadAttribute> attributes() const { return attributes_; }
    std::size_t attributeCount() const { return attributes_.size(); }
    // The attribute at index (from 0); HostError when the block defines fewer.
    CadAttribute& attribute(std::size_t index);
    // Adds an attribute (readers of drawing files; insertBlock makes them from the definitions).
    void addAttribute(CadAttribute attribute) { attributes_.push_back(std::move(attribute)); }

    std::unique_ptr<CadEntity> clone() const override;

  private:
    std::string name_;
    Point insertion_;
    double scale_[3];
    double rotation_;
    std::vector<CadAttribute> attributes_;
};

// The entity as its concrete kind, or nullptr when it is of another kind.
template <class T>
const T* entityAs(const CadEntity& e) {
    return e.kind() == T::kKind ? static_cast<const T*>(&e) : nullptr;
}
template <class T>
T* entityAs(CadEntity& e) {
    return e.kind() == T::kKind ? static_cast<T*>(&e) : nullptr;
}

}  // namespace plovis
