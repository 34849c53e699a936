// The entity part of the DXF writer: LINE, CIRCLE, ARC, LWPOLYLINE, TEXT, ATTDEF and INSERT with
// its ATTRIBs, each with the subclass markers R2000 readers expect.
#include <cmath>
#include <numbers>

#include "common/text.h"
#include "hosts/cad_extents.h"
#include "hosts/dxf/dxf_document_writer.h"

namespace plovis::dxf {
namespace {

// DXF angles are degrees, 0 up to 360.
double degrees(double radians) {
    double d = std::fmod(radians * 180 / std::numbers::pi, 360.0);
    if (d < 0) d += 360;
    return d;
}

}  // namespace

Handle DocumentWriter::entityHandles(const CadBlock& block) {
    Handle count = 0;
    for (const auto& item : block.items()) {
        if (item->erased()) continue;
        ++count;
        const auto* ref = entityAs<CadBlockReference>(*item);
        if (ref && ref->attributeCount() > 0) count += ref->attributeCount() + 1;  // SEQEND
    }
    return count;
}

void DocumentWriter::entityStart(const char* type, const EntityStyle& style, Handle handle,
                                 Handle owner) {
    out_.text(0, type);
    out_.handle(5, handle);
    out_.handle(330, owner);
    out_.text(100, "AcDbEntity");
    out_.text(8, style.layer);
    if (style.linetype != "ByLayer" && !equalsIgnoringCase(style.linetype, "ByLayer")) {
        out_.text(6, style.linetype);
    }
    if (style.color != kColorByLayer) out_.integer(62, style.color);
}

// What TEXT, ATTRIB and ATTDEF share. A text that is not baseline-left is placed by its
// alignment point (11); its first point (10) gets an estimate of where its baseline starts, for
// readers that look only there.
void DocumentWriter::textBody(const CadTextProperties& t, bool attribute) {
    out_.point(10, estimatedBaselineStart(t));
    out_.real(40, t.height());
    out_.text(1, t.textString());
    if (t.rotation() != 0) out_.real(50, degrees(t.rotation()));
    if (t.widthFactor() != 1) out_.real(41, t.widthFactor());
    out_.text(7, t.styleName());
    if (t.horizontalAlignment() != HorizontalAlignment::Left) {
        out_.integer(72, static_cast<int>(t.horizontalAlignment()));
    }
    if (!t.baselineLeft()) out_.point(11, t.textAlignmentPoint());
    // TEXT keeps its vertical alignment in a second AcDbText part; ATTRIB and ATTDEF after
    // their own part, under 74.
    if (!attribute) {
        out_.text(100, "AcDbText");
        if (t.verticalAlignment() != VerticalAlignment::Baseline) {
            out_.integer(73, static_cast<int>(t.verticalAlignment()));
        }
    }
}

void DocumentWriter::entity(const CadEntity& e, Handle owner) {
    const Handle handle = take();
    switch (e.kind()) {
        case EntityKind::Line: {
            const auto& line = *entityAs<CadLine>(e);
            entityStart("LINE", e.style(), handle, owner);
            out_.text(100, "AcDbLine");
            out_.point(10, line.startPoint());
            out_.point(11, line.endPoint());
            break;
        }
        case EntityKind::Circle: {
            const auto& circle = *entityAs<CadCircle>(e);
            entityStart("CIRCLE", e.style(), handle, owner);
            out_.text(100, "AcDbCircle");
            out_.point(10, circle.center());
            out_.real(40, circle.radius());
            break;
        }
        case EntityKind::Arc: {
            const auto& arc = *entityAs<CadArc>(e);
            entityStart("ARC", e.style(), handle, owner);
            out_.text(100, "AcDbCircle");
            out_.point(10, arc.center());
            out_.real(40, arc.radius());
            out_.text(100, "AcDbArc");
            out_.real(50, degrees(arc.startAngle()));
            out_.real(51, degrees(arc.endAngle()));
            break;
        }
        case EntityKind::Polyline: {
            const auto& polyline = *entityAs<CadPolyline>(e);
            entityStart("LWPOLYLINE", e.style(), handle, owner);
            out_.text(100, "AcDbPolyline");
            out_.integer(90, static_cast<long long>(polyline.vertices().size()));
            out_.integer(70, polyline.closed() ? 1 : 0);
            for (const auto& v : polyline.vertices()) {
                out_.point2(10, v.x, v.y);
                if (v.bulge != 0) out_.real(42, v.bulge);
            }
            break;
        }
        case EntityKind::Text:
            entityStart("TEXT", e.style(), handle, owner);
            out_.text(100, "AcDbText");
            textBody(*entityAs<CadText>(e), false);
            break;
        case EntityKind::AttributeDefinition: {
            const auto& def = *entityAs<CadAttributeDefinition>(e);
            entityStart("ATTDEF", e.style(), handle, owner);
            out_.text(100, "AcDbText");
            textBody(def, true);
            out_.text(100, "AcDbAttributeDefinition");
            out_.text(3, def.promptString());
            out_.text(2, def.tagString());
            out_.integer(70, def.mode());
            if (def.verticalAlignment() != VerticalAlignment::Baseline) {
                out_.integer(74, static_cast<int>(def.verticalAlignment()));
            }
            break;
        }
        case EntityKind::BlockReference:
            blockReference(*entityAs<CadBlockReference>(e), handle, owner);
            break;
    }
}

// INSERT, then its ATTRIBs and a SEQEND closing them, all owned by the INSERT.
void DocumentWriter::blockReference(const CadBlockReference& ref, Handle handle, Handle owner) {
    entityStart("INSERT", ref.style(), handle, owner);
    out_.text(100, "AcDbBlockReference");
    if (ref.attributeCount() > 0) out_.integer(66, 1);
    out_.text(2, ref.name());
    out_.point(10, ref.insertionPoint());
    if (ref.xScale() != 1) out_.real(41, ref.xScale());
    if (ref.yScale() != 1) out_.real(42, ref.yScale());
    if (ref.zScale() != 1) out_.real(43, ref.zScale());
    if (ref.rotation() != 0) out_.real(50, degrees(ref.rotation()));
    if (ref.attributeCount() == 0) return;
    for (const CadAttribute& a : ref.attributes()) {
        entityStart("ATTRIB", a.style(), take(), handle);
        out_.text(100, "AcDbText");
        textBody(a, true);
        out_.text(100, "AcDbAttribute");
        out_.text(2, a.tagString());
        out_.integer(70, a.invisible() ? 1 : 0);
        if (a.verticalAlignment() != VerticalAlignment::Baseline) {
            out_.integer(74, static_cast<int>(a.verticalAlignment()));
        }
    }
    entityStart("SEQEND", ref.style(), take(), handle);
}

}  // namespace plovis::dxf
