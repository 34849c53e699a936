// Drawings counted before they are rendered: nested blocks opened up by arithmetic, not by walking
// them, and `render` refusing a file that would open up to a hundred million lines.
#include "render/drawing_size.h"

#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "cli/render_command.h"
#include "hosts/dxf/dxf_file.h"
#include "support/cli_run.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

// Blocks B1..B<depth>: each holds `fan` references to the next, the last `fan` lines; model
// space holds one reference to B1.
void nest(Drawing& drawing, int depth, int fan) {
    for (int level = 1; level <= depth; ++level)
        drawing.blocks().add("B" + std::to_string(level), {0, 0, 0});
    // Filled from the top, each reference names a block still empty: its check for a loop
    // stays short.
    for (int level = 1; level <= depth; ++level) {
        CadBlock& block = *drawing.blocks().find("B" + std::to_string(level));
        for (int k = 0; k < fan; ++k) {
            if (level == depth)
                block.addLine({0, 0, 0}, {1, k + 1.0, 0});
            else
                block.insertBlock({k + 0.0, 0, 0}, "B" + std::to_string(level + 1), 1, 1, 1, 0);
        }
    }
    drawing.modelSpace().insertBlock({0, 0, 0}, "B1", 1, 1, 1, 0);
    drawing.modelSpace().addLine({0, 0, 0}, {5, 5, 0});
}

TEST(DrawingSize, CountsBlocksOpenedUpAsTheWalkOpensThem) {
    const struct {
        int depth, fan;
        double entities;
        int deepest;
    } cases[] = {
        {1, 3, 3 + 1, 0},
        {8, 10, 1e8 + 1, 7},
        {3000, 1, 1, 63},  // the walk shows nothing of blocks nested deeper than 64
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        Drawing drawing;
        nest(drawing, c.depth, c.fan);
        const DrawingSize size = drawingSize(drawing);
        EXPECT_EQ(std::tuple(size.entities, size.deepestNesting, size.largestBlock),
                  std::tuple(c.entities, c.deepest, "B1"));
    }
}

TEST(DrawingSize, RenderRefusesADrawingBeyondTheLimitAtOnce) {
    test::ScratchDir dir{"drawing-size"};
    const std::string dxf = (dir / "nested.dxf").string(), png = (dir / "nested.png").string();
    Drawing drawing;
    nest(drawing, 8, 10);
    saveDxfFile(drawing, dxf);
    const auto start = std::chrono::steady_clock::now();
    const auto r = test::runCliOn({"render", dxf, "--png", png}, {renderCommand()});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(r.status, kExitFailed);
    EXPECT_EQ(r.err, "plovis: " + dxf +
                         ": block \"B1\" opened up (blocks nested 8 deep) gives more than "
                         "5,000,000 entities; nothing was written (--max-entities raises the "
                         "limit)\n");
    EXPECT_FALSE(std::filesystem::exists(png));
}

}  // namespace
}  // namespace plovis
