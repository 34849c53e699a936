#pragma once
// Drawing files on disk: saving a drawing as DXF, and reading a DXF file into a drawing (for
// `plovis render` and for inserting a template's blocks).

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "hosts/cad_drawing.h"

namespace plovis {

// Saves the drawing as DXF R2000. Atomic: the file is written beside the target under a
// temporary name, flushed and renamed over it, so a failure leaves any earlier file as it was.
// Throws HostError naming the file, also for a name not ending in .dxf or a read-only file. The
// drawing then counts as saved.
void saveDxfFile(Drawing& drawing, const std::filesystem::path& file);

// Reads a DXF file into a new drawing named after the file; throws HostError naming the file,
// the line and what is wrong. Files larger than 1 GiB are refused.
std::unique_ptr<Drawing> readDxfFile(const std::filesystem::path& file);

// The same for contents already in memory; `source` names them in messages.
std::unique_ptr<Drawing> readDxf(std::string_view contents, const std::string& source);

// The reader drawings and hosts take for inserting drawing files.
DrawingFileReader dxfFileReader();

}  // namespace plovis
