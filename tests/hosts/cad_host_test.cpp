#include <gtest/gtest.h>

#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"

namespace plovis {
namespace {

// Opening files and scripted picks are exercised by the profile, ground-profile and sample
// drawing tests, which run their commands against this host.
TEST(CadHost, AttachFailsUntilStartedAndObtainingADrawingAddsOneOnlyWhenNoneIsOpen) {
    ScriptedCadUtility utility;
    MemoryCadHost stopped(utility, /*running=*/false);
    EXPECT_THROW(obtainDrawing(stopped), HostError);
    EXPECT_EQ(stopped.documentCount(), 0);
    stopped.start();
    EXPECT_TRUE(stopped.started());
    EXPECT_EQ(stopped.documentCount(), 1);
    EXPECT_EQ(&obtainDrawing(stopped), &stopped.activeDocument());
    EXPECT_TRUE(stopped.visible());

    MemoryCadHost host(utility);
    EXPECT_THROW(host.activeDocument(), HostError);
    Drawing& first = obtainDrawing(host);
    EXPECT_EQ(first.name(), "Drawing1.dwg");
    EXPECT_EQ(&obtainDrawing(host), &first);
    EXPECT_EQ(host.documentCount(), 1);
    EXPECT_NE(host.caption().find("Drawing1.dwg"), std::string::npos);
    host.update();
    host.update();
    EXPECT_EQ(host.updateCount(), 2);
    EXPECT_THROW(host.open("/x.dxf"), HostError);  // no file reader
}

}  // namespace
}  // namespace plovis
