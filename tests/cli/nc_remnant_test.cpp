// nc with -o and --stock: a layout cut into the stock ends its program with the cut that parts
// its remnant off, named by the stock id the remnant was given.
#include "cli_test_support.h"
#include "support/temp_folder.h"

namespace dravenor::testing {
namespace {

TEST(NcCommand, TheRemnantCutNamesTheStockIdOfACutLayout)
{
    TempFolder dir;
    const std::string nst = dir.file("job.nst"), stock = dir.file("stock"), program = dir.file("one.nc");
    ASSERT_EQ(runInProcess({"nest", "--kerf", "3", "--mat", "S235", "--thick", "10", "--sheet",
                            savedShape(dir, "sheet.shp", rectangle(0, 0, 1000, 500)) + ":1:1", "--part",
                            savedShape(dir, "part.shp", rectangle(0, 0, 100, 50)) + ":4", "--save", nst})
                  .code,
              0);
    ASSERT_EQ(runInProcess({"cut", nst, "--layout", "1", "--stock", stock}).code, 0);
    const ToolRun r = runInProcess({"nc", nst, "--layout", "1", "-o", program, "--stock", stock, "--cut-table",
                                    DRAVENOR_RESOURCE_DIR "/cutting.dat", "--post", DRAVENOR_RESOURCE_DIR "/post.cfg"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(TempFolder::read(program), "(remnant cut, keeps remnant 1: ")) << TempFolder::read(program);
}

} // namespace
} // namespace dravenor::testing
