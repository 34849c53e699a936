// libFuzzer target for the DXF reader: any bytes either read as a drawing or fail with a
// HostError; anything else (a crash, a sanitizer report, another exception) is a finding.
// What a read drawing then goes through is what inserting a template does with it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "hosts/cad_extents.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/host_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    try {
        const auto drawing = plovis::readDxf(contents, "fuzz.dxf");
        plovis::Drawing target;
        target.blocks().importFrom(*drawing);
        plovis::modelSpaceExtents(*drawing);
    } catch (const plovis::HostError&) {
    }
    return 0;
}
