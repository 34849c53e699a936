#pragma once
// Helpers of the DXF tests: the drawing as DXF text, the ezdxf check of files (python3-ezdxf, run
// as /usr/bin/python3) and a drawing holding every kind of entity.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "hosts/cad_drawing.h"

namespace plovis::test {

// The drawing as the DXF writer writes it.
std::string dxfText(const Drawing& drawing);

// What tests/hosts/dxf/ezdxf_dump.py prints for the files: each one's audit, tables, blocks and
// model space as ezdxf reads them, after a "FILE <name>" line when there are several.
std::string ezdxfDump(const std::vector<std::filesystem::path>& files);

// A drawing with every entity kind, on layers with colours and line types, in two text styles,
// with a block holding attribute definitions and references of it with attributes.
std::unique_ptr<Drawing> everyEntityDrawing();

}  // namespace plovis::test
