#pragma once
// The named tables of a drawing: layers, line types and text styles. Names compare ignoring case,
// as in CAD programs; adding a name that exists hands back the existing entry.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace plovis {

class Drawing;

// Throws HostError unless `name` can name a layer, line type, text style or block: not empty, at
// most 255 characters, none of < > / \ " : ; ? * | = ` and no control characters.
void checkTableName(std::string_view name, std::string_view what);

class CadLayer {
  public:
    CadLayer(Drawing& drawing, std::string name);
    const std::string& name() const { return name_; }
    int color() const { return color_; }
    void setColor(int color);  // 1 to 255
    const std::string& linetype() const { return linetype_; }
    // A line type loaded in the drawing (named ignoring case); HostError otherwise.
    void setLinetype(std::string_view name);
    bool locked() const { return locked_; }
    void setLocked(bool locked);
    // The current layer cannot be frozen (HostError), as in the CAD host.
    bool frozen() const { return frozen_; }
    void setFrozen(bool frozen);
    bool on() const { return on_; }
    void setOn(bool on);

  private:
    Drawing& drawing_;
    std::string name_;
    int color_ = 7;
    std::string linetype_ = "Continuous";
    bool locked_ = false;
    bool frozen_ = false;
    bool on_ = true;
};

class CadLayers {
  public:
    explicit CadLayers(Drawing& drawing);  // holds layer "0"
    // The layer of that name, made (colour 7, Continuous, on) when it is missing.
    CadLayer& add(std::string_view name);
    // The layer of that name; HostError when the drawing has none.
    CadLayer& item(std::string_view name);
    CadLayer* find(std::string_view name);
    const CadLayer* find(std::string_view name) const;
    int count() const { return static_cast<int>(layers_.size()); }
    const std::deque<CadLayer>& all() const { return layers_; }

  private:
    Drawing& drawing_;
    std::deque<CadLayer> layers_;  // a deque keeps references valid as layers are added
};

// A dash pattern: dash lengths > 0, gaps < 0, dots = 0, in drawing units, repeated along a line.
struct CadLinetype {
    std::string name;
    std::string description;
    std::vector<double> pattern;
    double patternLength() const;
};

class CadLinetypes {
  public:
    explicit CadLinetypes(Drawing& drawing);  // holds ByBlock, ByLayer and Continuous
    int count() const { return static_cast<int>(linetypes_.size()); }
    const CadLinetype& at(int index) const { return linetypes_.at(index); }
    const std::deque<CadLinetype>& all() const { return linetypes_; }
    const CadLinetype* find(std::string_view name) const;
    // Loads a line type by name from a line type file. "acad.lin" and "acadiso.lin" name
    // PLOVIS's own file in the data folder; any other name is a file path. HostError when the
    // file is missing or unreadable, when it lacks the line type, or when the drawing has that
    // line type already (as the CAD host refuses a second load).
    void load(std::string_view name, std::string_view fileName);
    // Adds a definition read from a drawing file; an existing one of that name stays.
    const CadLinetype& add(CadLinetype linetype);

  private:
    Drawing& drawing_;
    std::deque<CadLinetype> linetypes_;
};

class CadTextStyle {
  public:
    CadTextStyle(Drawing& drawing, std::string name);
    const std::string& name() const { return name_; }
    // The font: a shape file ("romans.shx") or a TrueType file name.
    const std::string& fontFile() const { return fontFile_; }
    void setFontFile(std::string file);
    const std::string& bigFontFile() const { return bigFontFile_; }
    void setBigFontFile(std::string file);
    // A fixed text height, or 0 when each text gives its own.
    double height() const { return height_; }
    void setHeight(double height);
    double widthFactor() const { return widthFactor_; }
    void setWidthFactor(double factor);

  private:
    Drawing& drawing_;
    std::string name_;
    std::string fontFile_ = "txt";
    std::string bigFontFile_;
    double height_ = 0;
    double widthFactor_ = 1;
};

class CadTextStyles {
  public:
    explicit CadTextStyles(Drawing& drawing);  // holds Standard
    // The style of that name, made (font "txt") when it is missing.
    CadTextStyle& add(std::string_view name);
    // The style of that name; HostError when the drawing has none.
    CadTextStyle& item(std::string_view name);
    CadTextStyle* find(std::string_view name);
    const CadTextStyle* find(std::string_view name) const;
    int count() const { return static_cast<int>(styles_.size()); }
    const std::deque<CadTextStyle>& all() const { return styles_; }

  private:
    Drawing& drawing_;
    std::deque<CadTextStyle> styles_;
};

}  // namespace plovis
