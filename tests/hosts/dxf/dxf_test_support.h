#pragma once
// Helpers of the DXF tests: the file as tags, the drawing as the ezdxf check prints it, and the
// ezdxf check itself (python3-ezdxf, run as /usr/bin/python3).

#include <filesystem>
#include <string>
#include <vector>

#include "hosts/cad_drawing.h"

namespace plovis::test {

struct DxfTag {
    int code;
    std::string value;
    friend bool operator==(const DxfTag&, const DxfTag&) = default;
};

// The drawing as the DXF writer writes it.
std::string dxfText(const Drawing& drawing);
// The groups of DXF text (group codes trimmed).
std::vector<DxfTag> dxfTags(const std::string& text);

// What tests/hosts/dxf/ezdxf_dump.py prints for a file: its audit, tables, blocks and model
// space as ezdxf reads them.
std::string ezdxfDump(const std::filesystem::path& file);
// The same lines made from the drawing in memory (audit clean).
std::string expectedDump(const Drawing& drawing);

// A drawing with every entity kind, on layers with colours and line types, in two text styles,
// with a block holding attribute definitions and references of it with attributes.
std::unique_ptr<Drawing> everyEntityDrawing();

}  // namespace plovis::test
