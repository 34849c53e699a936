#include "groundprofile/ground_profile_inputs.h"

#include <gtest/gtest.h>

#include <tuple>

namespace plovis {
namespace {

TEST(GroundProfileInputs, LoadSelectsA1AndItsDefaultsGiveTheSheetFactors) {
    GroundProfileBoxes b = loadGroundProfileBoxes();
    EXPECT_EQ(b.cmbPaper + " " + b.txtPaperLength + " " + b.txtGap + " " + b.hscale + " " +
                  b.vscale + " " + b.txtSize,
              "A1 700 350 5000 1000 1.8");
    EXPECT_EQ(kGroundProfilePapers, (std::vector<std::string>{"A4", "A3", "A2", "A1", "ALL"}));
    const auto s = readInputs(b);
    ASSERT_TRUE(s);
    EXPECT_EQ(std::tuple(s->hFactor, s->vFactor, s->plotLength, s->sheetGap, s->textSize),
              std::tuple(0.2f, 1.0f, 700.0, 350.0, 1.8f));
    EXPECT_EQ(b.focus, "");
}

TEST(GroundProfileInputs, PaperRule) {
    const struct {
        const char* paper;
        const char* length;
        const char* gap;
    } cases[] = {{"A4", "220", "110"}, {"A3", "350", "175"},      {"A2", "500", "250"},
                 {"A1", "700", "350"}, {"ALL", "1000000", "350"}, {"a1", "350", "175"},
                 {"", "350", "175"}};
    for (const auto& c : cases) {
        GroundProfileBoxes b;
        b.cmbPaper = c.paper;
        applyPaperSize(b);
        EXPECT_EQ(b.txtPaperLength, c.length) << c.paper;
        EXPECT_EQ(b.txtGap, c.gap) << c.paper;
    }
}

TEST(GroundProfileInputs, InvalidBoxes) {
    const struct {
        const char* hscale;
        const char* vscale;
        const char* size;
        const char* length;
        const char* gap;
        bool valid;
        const char* focus;
        double gapRead;
    } cases[] = {
        {"5000", "1000", "1.8", "700", "abc", true, "txtGap", 350},  // a bad gap becomes 350
        {"5000", "1000", "1.8", "700", "-5", true, "", 350},
        {"abc", "1000", "1.8", "700", "350", false, "hscale", 350},
        {"", "1000", "1.8", "700", "350", false, "hscale", 350},
        {"0.5", "1000", "1.8", "700", "350", false, "", 350},
        {"5000", "1000", "0", "700", "350", false, "", 350},
        {"5000", "12 m", "1.8", "700", "350", false, "vscale", 350},
        {"5000", "1000", "1.8", "-700", "350", false, "", 350},  // never an endless sheet loop
        {"5000", "1000", "1.8", "", "350", true, "", 350},       // empty: the paper table's
        {"5000", "1000", "1.8", "123 mm", "80", true, "", 80},   // typed lengths stay as typed
        {"1e39", "1000", "1.8", "700", "350", false, "hscale", 350},
        {"1", "1", "0.1", "700", "350", true, "", 350},
    };
    for (const auto& c : cases) {
        GroundProfileBoxes b = loadGroundProfileBoxes();
        b.hscale = c.hscale;
        b.vscale = c.vscale;
        b.txtSize = c.size;
        b.txtPaperLength = c.length;
        b.txtGap = c.gap;
        const auto s = readInputs(b);
        EXPECT_EQ(s.has_value(), c.valid)
            << c.hscale << " " << c.vscale << " " << c.size << " " << c.length << " " << c.gap;
        EXPECT_EQ(b.focus, c.focus) << c.hscale << " " << c.gap;
        if (s) {
            EXPECT_EQ(s->sheetGap, c.gapRead);
        }
    }
}

TEST(GroundProfileInputs, AnInvalidBoxIsEmptiedAndTypedLengthsKept) {
    GroundProfileBoxes b = loadGroundProfileBoxes();
    b.txtSize = "big";
    b.txtPaperLength = "123";
    EXPECT_FALSE(readInputs(b));
    EXPECT_EQ(b.txtSize, "");
    EXPECT_EQ(b.focus, "txtSize");
    b.txtSize = "2";
    const auto s = readInputs(b);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->plotLength, 123);
    b.txtPaperLength = "0";
    b.cmbPaper = "A4";
    EXPECT_EQ(readInputs(b)->plotLength, 220);  // zero falls back to the paper table
    EXPECT_EQ(b.txtPaperLength, "220");
}

}  // namespace
}  // namespace plovis
