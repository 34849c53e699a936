#include "render/render_files.h"

#include <QBuffer>
#include <QDateTime>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <functional>

#include "common/file_io.h"
#include "common/text.h"
#include "hosts/host_error.h"
#include "render/drawing_painter.h"
#include "render/sheet_view.h"

namespace plovis {
namespace {

constexpr double kPdfResolution = 1200;  // device units per inch in the PDF
constexpr double kSvgUnitsPerMm = 10;    // SVG user units per millimetre
constexpr double kLargestImage = 100e6;  // pixels of a PNG
constexpr double kMmPerInch = 25.4;

[[noreturn]] void cannotWrite(const std::filesystem::path& file, const QString& why) {
    throw HostError("The image " + file.string() + " could not be written: " + why.toStdString());
}

// Pictures are made in memory and then written as every other file of ours: atomically, keeping
// the permissions of a file replaced and the target of a symbolic link.
void commit(const QByteArray& bytes, const std::filesystem::path& file) {
    try {
        writeFileAtomically(file, std::string_view(bytes.constData(), bytes.size()));
    } catch (const FileWriteError& e) {
        cannotWrite(file, QString::fromStdString(e.what()));
    }
}

// With SOURCE_DATE_EPOCH set (the convention of reproducible builds), the PDF's creation date is
// that moment instead of now, so the same drawing gives the same file. The date has a fixed
// width, so the file's cross-reference offsets stay right.
void reproducibleCreationDate(QByteArray& pdf) {
    const QByteArray epoch = qgetenv("SOURCE_DATE_EPOCH");
    bool ok = false;
    const qint64 seconds = epoch.toLongLong(&ok);
    if (!ok) return;
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key);
    const QByteArray date =
        QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString("yyyyMMddHHmmss").toLatin1();
    if (at < 0 || date.size() != 14 || at + key.size() + 14 > pdf.size()) return;
    pdf.replace(at + key.size(), 14, date);
}

// A page shows only its own sheet: what lies beyond it in model space is cut off.
void paintPage(QPainter& painter, const Drawing& drawing, const PageLayout& page, double unitsPerMm,
               bool clip) {
    if (clip) {
        painter.setClipRect(QRectF(0, 0, page.widthMm * unitsPerMm, page.heightMm * unitsPerMm));
    }
    DrawingPainter(painter, page, unitsPerMm).paint(drawing);
}

// Paints page i of a picture: the whole drawing, or the view of sheet i.
using PagePainter = std::function<void(std::size_t, QPainter&, double unitsPerMm)>;

void writePdf(const Drawing& drawing, const std::vector<PageLayout>& pages,
              const std::filesystem::path& file, const PagePainter& paint) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(static_cast<int>(kPdfResolution));
        const auto pageSize = [](const PageLayout& page) {
            return QPageSize(QSizeF(page.widthMm, page.heightMm), QPageSize::Millimeter);
        };
        pdf.setPageSize(pageSize(pages.front()));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(QString::fromStdString(drawing.name()));
        pdf.setCreator("PLOVIS");
        QPainter painter(&pdf);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) {
                pdf.setPageSize(pageSize(pages[i]));
                pdf.newPage();
            }
            paint(i, painter, kPdfResolution / kMmPerInch);
        }
    }
    reproducibleCreationDate(bytes);
    commit(bytes, file);
}

void writeSvg(const Drawing& drawing, const PageLayout& page, const std::filesystem::path& file,
              bool clip = false) {
    QByteArray bytes;
    {
        QBuffer out(&bytes);
        out.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setResolution(static_cast<int>(std::lround(kSvgUnitsPerMm * kMmPerInch)));
        const QSizeF size(page.widthMm * kSvgUnitsPerMm, page.heightMm * kSvgUnitsPerMm);
        svg.setSize(size.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), size));
        svg.setTitle(QString::fromStdString(drawing.name()));
        QPainter painter(&svg);
        paintPage(painter, drawing, page, kSvgUnitsPerMm, clip);
    }
    commit(bytes, file);
}

RenderResult writePng(const Drawing& drawing, const PageLayout& page,
                      const std::filesystem::path& file, const RenderOptions& options,
                      bool clip = false) {
    double dpi = options.dotsPerInch;
    const double area = page.widthMm * page.heightMm / (kMmPerInch * kMmPerInch);
    const double largest = options.largestImagePixels;
    if (area * dpi * dpi > largest) dpi = std::max(1.0, std::floor(std::sqrt(largest / area)));
    const double unitsPerMm = dpi / kMmPerInch;
    QImage image(std::max(1, static_cast<int>(std::ceil(page.widthMm * unitsPerMm))),
                 std::max(1, static_cast<int>(std::ceil(page.heightMm * unitsPerMm))),
                 QImage::Format_RGB32);
    if (image.isNull()) cannotWrite(file, "not enough memory for the image");
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        paintPage(painter, drawing, page, unitsPerMm, clip);
    }
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    QImageWriter writer(&out, "png");
    if (!writer.write(image)) cannotWrite(file, writer.errorString());
    commit(bytes, file);
    return {static_cast<int>(dpi), image.width(), image.height()};
}

}  // namespace

std::optional<ImageFormat> imageFormatFor(const std::filesystem::path& file) {
    const std::string ext = file.extension().string();
    if (equalsIgnoringCase(ext, ".pdf")) return ImageFormat::Pdf;
    if (equalsIgnoringCase(ext, ".svg")) return ImageFormat::Svg;
    if (equalsIgnoringCase(ext, ".png")) return ImageFormat::Png;
    return std::nullopt;
}

static ImageFormat checkedFormat(const std::filesystem::path& file, const RenderOptions& options) {
    const auto format = imageFormatFor(file);
    if (!format) cannotWrite(file, "its name must end in .pdf, .svg or .png");
    if (options.dotsPerInch < 10 || options.dotsPerInch > 2400) {
        cannotWrite(file, "the resolution must be 10 to 2400 dots per inch");
    }
    return *format;
}

RenderResult renderDrawing(const Drawing& drawing, const std::filesystem::path& file,
                           const RenderOptions& options) {
    const auto format = checkedFormat(file, options);
    const PageLayout page = fitPage(modelSpaceExtents(drawing));
    switch (format) {
        case ImageFormat::Pdf:
            writePdf(drawing, {page}, file, [&](std::size_t, QPainter& painter, double units) {
                paintPage(painter, drawing, page, units, false);
            });
            break;
        case ImageFormat::Svg:
            writeSvg(drawing, page, file);
            break;
        case ImageFormat::Png:
            return writePng(drawing, page, file, options);
    }
    return {};
}

std::filesystem::path sheetFileName(const std::filesystem::path& file, int number) {
    std::filesystem::path named = file;
    named.replace_filename(file.stem().string() + "-" + std::to_string(number) +
                           file.extension().string());
    return named;
}

std::vector<std::pair<std::filesystem::path, RenderResult>> renderSheets(
    const Drawing& drawing, const std::filesystem::path& file, const RenderOptions& options) {
    const auto format = checkedFormat(file, options);
    const auto& sheets = drawing.sheets().list();
    if (sheets.empty()) {
        cannotWrite(file,
                    "the drawing has no paper sheets (draw it again with this version, or "
                    "render it whole without --sheets)");
    }
    std::vector<PageLayout> pages;
    for (const DrawingSheet& sheet : sheets) {
        pages.push_back({sheet.paper.widthMm, sheet.paper.heightMm, 1, sheet.minX, sheet.minY});
    }
    const SheetViews views(drawing);
    std::vector<std::pair<std::filesystem::path, RenderResult>> written;
    if (format == ImageFormat::Pdf) {
        writePdf(drawing, pages, file, [&](std::size_t i, QPainter& painter, double units) {
            paintPage(painter, *views.view(i), pages[i], units, true);
        });
        written.emplace_back(file, RenderResult{});
        return written;
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::filesystem::path name = sheetFileName(file, static_cast<int>(i) + 1);
        const std::unique_ptr<Drawing> view = views.view(i);
        RenderResult r;
        if (format == ImageFormat::Svg) {
            writeSvg(*view, pages[i], name, true);
        } else {
            r = writePng(*view, pages[i], name, options, true);
        }
        written.emplace_back(name, r);
    }
    return written;
}

// Qt notes on standard error that a headless run has no runtime folder; that is expected and
// would only confuse the command line's user.
static void quietAboutRuntimeFolder(QtMsgType type, const QMessageLogContext& context,
                                    const QString& text) {
    if (text.startsWith("QStandardPaths: XDG_RUNTIME_DIR")) return;
    qt_message_output(type, context, text);
}

RenderSession::RenderSession() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler_ = qInstallMessageHandler(quietAboutRuntimeFolder);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

RenderSession::~RenderSession() {
    if (!app_) return;
    app_.reset();
    qInstallMessageHandler(previousHandler_);
}

}  // namespace plovis
