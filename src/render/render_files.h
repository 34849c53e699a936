#pragma once
// Drawings to files: PDF (vector, text kept as text), SVG and PNG. The format follows the file's
// extension, so every front end exports through one function.

#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "hosts/cad_drawing.h"

#include <QtGlobal>

class QGuiApplication;

namespace plovis {

enum class ImageFormat { Pdf, Svg, Png };

// The format of a file name's extension (.pdf, .svg, .png, ignoring case), or none.
std::optional<ImageFormat> imageFormatFor(const std::filesystem::path& file);

struct RenderOptions {
    int dotsPerInch = 150;              // PNG resolution; 10 to 2400
    double largestImagePixels = 100e6;  // a PNG larger at that resolution gets a lower one
};

// What a PNG came out as: a drawing too large for an image at the asked resolution is rendered at
// a lower one, so the image stays within RenderOptions::largestImagePixels.
struct RenderResult {
    int dotsPerInch = 0;
    int widthPixels = 0, heightPixels = 0;
};

// Renders model space onto one page fitted to it (see fitPage) and writes the file atomically.
// Throws HostError naming the file when it cannot be written or the format is unknown.
RenderResult renderDrawing(const Drawing& drawing, const std::filesystem::path& file,
                           const RenderOptions& options = {});

// Renders each sheet of the drawing on its paper at 1:1 (the sheet's rectangle of model space
// fills the page): a PDF of one page per sheet, or one SVG or PNG per sheet, named by
// sheetFileName. Returns the files written, with the PNG result of each. Throws HostError when
// the drawing has no sheets (it was not laid out on paper: render it whole instead).
std::vector<std::pair<std::filesystem::path, RenderResult>> renderSheets(
    const Drawing& drawing, const std::filesystem::path& file, const RenderOptions& options = {});

// The file of sheet `number` (from 1) of a picture: "profile.png" gives "profile-1.png".
std::filesystem::path sheetFileName(const std::filesystem::path& file, int number);

// Qt's fonts and paint devices need a GUI application object. While a session lives, one exists:
// the running one, or one made here on the offscreen platform (no display needed) unless
// QT_QPA_PLATFORM chooses another.
class RenderSession {
  public:
    RenderSession();
    ~RenderSession();
    RenderSession(const RenderSession&) = delete;
    RenderSession& operator=(const RenderSession&) = delete;

  private:
    int argc_ = 1;
    char name_[8] = "plovis";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
    void (*previousHandler_)(QtMsgType, const QMessageLogContext&, const QString&) = nullptr;
};

}  // namespace plovis
