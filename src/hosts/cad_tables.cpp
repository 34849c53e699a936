#include "hosts/cad_tables.h"

#include <algorithm>

#include "common/text.h"
#include "hosts/cad_drawing.h"
#include "hosts/host_error.h"
#include "hosts/linetype_file.h"

namespace plovis {
namespace {

template <class Table>
auto findByName(Table& table, std::string_view name) -> decltype(&*table.begin()) {
    for (auto& entry : table) {
        if (equalsIgnoringCase(entry.name(), name)) return &entry;
    }
    return nullptr;
}

}  // namespace

void checkTableName(std::string_view name, std::string_view what) {
    const std::string shown = "\"" + std::string(name) + "\"";
    if (name.empty()) throw HostError("Invalid " + std::string(what) + ": it is empty");
    if (name.size() > 255)
        throw HostError("Invalid " + std::string(what) + " " + shown + ": too long");
    for (unsigned char c : name) {
        if (c < 0x20 || std::string_view("<>/\\\":;?*|=`").find(static_cast<char>(c)) !=
                            std::string_view::npos) {
            throw HostError("Invalid " + std::string(what) + " " + shown +
                            ": it may not contain < > / \\ \" : ; ? * | = ` or control characters");
        }
    }
}

double CadLinetype::patternLength() const {
    double total = 0;
    for (double d : pattern)
        total += d < 0 ? -d : d;
    return total;
}

CadLayer::CadLayer(Drawing& drawing, std::string name)
    : drawing_(drawing), name_(std::move(name)) {}

void CadLayer::setColor(int color) {
    if (color < 1 || color > 255) {
        throw HostError("Invalid colour " + std::to_string(color) + " for layer \"" + name_ +
                        "\" (1 to 255)");
    }
    color_ = color;
    drawing_.markModified();
}

void CadLayer::setLinetype(std::string_view name) {
    const CadLinetype* lt = drawing_.linetypes().find(name);
    if (!lt || equalsIgnoringCase(name, "ByLayer") || equalsIgnoringCase(name, "ByBlock")) {
        throw HostError("The line type \"" + std::string(name) + "\" is not loaded in " +
                        drawing_.name() + "; layer \"" + name_ + "\" keeps " + linetype_);
    }
    linetype_ = lt->name;
    drawing_.markModified();
}

void CadLayer::setLocked(bool locked) {
    locked_ = locked;
    drawing_.markModified();
}

void CadLayer::setFrozen(bool frozen) {
    if (frozen && &drawing_.activeLayer() == this) {
        throw HostError("The current layer \"" + name_ + "\" cannot be frozen");
    }
    frozen_ = frozen;
    drawing_.markModified();
}

void CadLayer::setOn(bool on) {
    on_ = on;
    drawing_.markModified();
}

CadLayers::CadLayers(Drawing& drawing) : drawing_(drawing) {
    layers_.emplace_back(drawing, "0");
}

CadLayer& CadLayers::add(std::string_view name) {
    if (CadLayer* existing = find(name)) return *existing;
    checkTableName(name, "layer name");
    drawing_.markModified();
    return layers_.emplace_back(drawing_, std::string(name));
}

CadLayer& CadLayers::item(std::string_view name) {
    if (CadLayer* layer = find(name)) return *layer;
    throw HostError("The layer \"" + std::string(name) + "\" does not exist in " + drawing_.name());
}

CadLayer* CadLayers::find(std::string_view name) {
    return findByName(layers_, name);
}

const CadLayer* CadLayers::find(std::string_view name) const {
    return findByName(layers_, name);
}

CadLinetypes::CadLinetypes(Drawing& drawing) : drawing_(drawing) {
    linetypes_.push_back({"ByBlock", "", {}});
    linetypes_.push_back({"ByLayer", "", {}});
    linetypes_.push_back({"Continuous", "Solid line", {}});
}

const CadLinetype* CadLinetypes::find(std::string_view name) const {
    for (const auto& lt : linetypes_) {
        if (equalsIgnoringCase(lt.name, name)) return &lt;
    }
    return nullptr;
}

void CadLinetypes::load(std::string_view name, std::string_view fileName) {
    if (find(name)) {
        throw HostError("The line type \"" + std::string(name) + "\" is already loaded in " +
                        drawing_.name());
    }
    const auto path = linetypeFilePath(fileName);
    for (auto& lt : readLinetypeFile(path)) {
        if (equalsIgnoringCase(lt.name, name)) {
            add(std::move(lt));
            return;
        }
    }
    throw HostError("The line type \"" + std::string(name) + "\" is not in the line type file " +
                    path.string());
}

const CadLinetype& CadLinetypes::add(CadLinetype linetype) {
    if (const CadLinetype* existing = find(linetype.name)) return *existing;
    checkTableName(linetype.name, "line type name");
    drawing_.markModified();
    return linetypes_.emplace_back(std::move(linetype));
}

CadTextStyle::CadTextStyle(Drawing& drawing, std::string name)
    : drawing_(drawing), name_(std::move(name)) {}

void CadTextStyle::setFontFile(std::string file) {
    fontFile_ = std::move(file);
    drawing_.markModified();
}

void CadTextStyle::setBigFontFile(std::string file) {
    bigFontFile_ = std::move(file);
    drawing_.markModified();
}

void CadTextStyle::setHeight(double height) {
    if (height != 0) checkedPositive(height, "text style height");
    height_ = height;
    drawing_.markModified();
}

void CadTextStyle::setWidthFactor(double factor) {
    widthFactor_ = checkedPositive(factor, "text style width factor");
    drawing_.markModified();
}

CadTextStyles::CadTextStyles(Drawing& drawing) : drawing_(drawing) {
    styles_.emplace_back(drawing, "Standard");
}

CadTextStyle& CadTextStyles::add(std::string_view name) {
    if (CadTextStyle* existing = find(name)) return *existing;
    checkTableName(name, "text style name");
    drawing_.markModified();
    return styles_.emplace_back(drawing_, std::string(name));
}

CadTextStyle& CadTextStyles::item(std::string_view name) {
    if (CadTextStyle* style = find(name)) return *style;
    throw HostError("The text style \"" + std::string(name) + "\" does not exist in " +
                    drawing_.name());
}

CadTextStyle* CadTextStyles::find(std::string_view name) {
    return findByName(styles_, name);
}

const CadTextStyle* CadTextStyles::find(std::string_view name) const {
    return findByName(styles_, name);
}

}  // namespace plovis
