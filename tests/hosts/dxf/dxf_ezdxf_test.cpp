// DXF files we write, read by an independent reader: ezdxf audits them and reads back the same
// tables, blocks and entities.
#include <gtest/gtest.h>

#include "dxf_test_support.h"
#include "hosts/dxf/dxf_file.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

TEST(DxfWithEzdxf, EveryEntityKindPassesTheAuditAndReadsBackTheSame) {
    auto drawing = test::everyEntityDrawing();
    test::ScratchDir dir("ezdxf-every");
    saveDxfFile(*drawing, dir / "every.dxf");
    EXPECT_EQ(test::ezdxfDump(dir / "every.dxf"), test::expectedDump(*drawing));
}

TEST(DxfWithEzdxf, AnEmptyDrawingPassesTheAudit) {
    Drawing empty("empty.dwg");
    test::ScratchDir dir("ezdxf-empty");
    saveDxfFile(empty, dir / "empty.dxf");
    EXPECT_EQ(test::ezdxfDump(dir / "empty.dxf"), test::expectedDump(empty));
}

TEST(DxfWithEzdxf, AFileWeReadAndSaveAgainReadsTheSame) {
    auto drawing = test::everyEntityDrawing();
    test::ScratchDir dir("ezdxf-again");
    saveDxfFile(*drawing, dir / "first.dxf");
    auto again = readDxfFile(dir / "first.dxf");
    saveDxfFile(*again, dir / "second.dxf");
    EXPECT_EQ(test::ezdxfDump(dir / "second.dxf"), test::expectedDump(*drawing));
}

}  // namespace
}  // namespace plovis
