#pragma once
// Helpers of the DXF tests: the drawing as DXF text, the drawing as the ezdxf check prints it, and
// the ezdxf check itself (python3-ezdxf, run as /usr/bin/python3).

#include <filesystem>
#include <string>
#include <vector>

#include "hosts/cad_drawing.h"

namespace plovis::test {

// The drawing as the DXF writer writes it.
std::string dxfText(const Drawing& drawing);

// What tests/hosts/dxf/ezdxf_dump.py prints for a file: its audit, tables, blocks and model
// space as ezdxf reads them.
std::string ezdxfDump(const std::filesystem::path& file);
// The same lines made from the drawing in memory (audit clean).
std::string expectedDump(const Drawing& drawing);

// A drawing with every entity kind, on layers with colours and line types, in two text styles,
// with a block holding attribute definitions and references of it with attributes.
std::unique_ptr<Drawing> everyEntityDrawing();

}  // namespace plovis::test
