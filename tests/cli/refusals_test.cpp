// Bad input to every command of the batch tool: exit code 2 (1 when the work itself failed), one
// line naming the file or option and what is wrong, and nothing written or replaced.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"
#include "job/job_file.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// A drawing holding only a text: nothing in it can be a shape.
const std::string kTextOnlyDxf = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
                                 "  0\r\nTEXT\r\n  8\r\n0\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n 40\r\n5.0\r\n  1\r\nA\r\n"
                                 "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

TEST(Refusals, EveryCommandRefusesBadInputInOneLineAndWritesNothing)
{
    const NestedJob& job = nestedJob();
    ASSERT_EQ(job.run.code, 0) << job.run.err;
    const std::string nst = job.nst;
    TempFolder f;
    const std::string sheet = savedShape(f, "sheet.shp", rectangle(0, 0, 300, 300));
    const std::string part = savedShape(f, "part.shp", rectangle(0, 0, 100, 50));
    const std::string open = savedShape(f, "open.shp", {lineEntity(0, 0, 100, 0)});
    // A part drawn in the wrong units: its raster alone would take gigabytes.
    const std::string giant = savedShape(f, "giant.shp", {arcEntity(5e6, 5e6, 5e6, 0, 0)});
    const std::string textDxf = f.write("text.dxf", kTextOnlyDxf);
    const std::string dxfOut = f.write("out.dxf", "previous"), shpOut = f.write("out.shp", "previous");
    const std::string pdf = f.write("keep.pdf", "earlier"), png = f.file("x.png"), tlf = f.file("r.tlf");
    const std::string sheetLayout = f.write("sheet.lay", "\"sheet.shp\",0,0,0,1\n");
    const std::string gone = f.write("gone.lay", "\"sheet.shp\",0,0,0,1\n\"gone.shp\",0,0,0,1\n");
    const std::string unoptimised = f.file("empty.nst");
    ASSERT_EQ(saveJobFile(Job{}, unoptimised, "").error, "");
    const std::string cut = f.write("cut.nst", "[BASIC.TLF]\r\n\"\",\"\",\"\",\"3\",\"\",\"\"\r\n[END]\r\n[SA.TLF]\r\n");
    const std::string taken = f.write("taken", "not a folder");
    std::filesystem::create_directories(f.file("blocked/layout-1.png"));
    const cli::Args small{"nest", "--kerf", "3", "--sheet", sheet, "--part", part};
    const auto nest = [&](cli::Args more) {
        cli::Args args = small;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const auto deep = [&](const cli::Args& more) {
        cli::Args args = nest({"--mode", "deep"});
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const cli::Args shell = cylinderArgs(f.file("shell"), "1500");
    cli::Args noHeight = shell;
    noHeight.erase(std::find(noHeight.begin(), noHeight.end(), "Height=1500") - 1,
                   std::find(noHeight.begin(), noHeight.end(), "Height=1500") + 1);
    const cli::Args cone = coneArgs(f.file("cone"), "1000");

    std::vector<Refusal> rows{
        {{"no-such-command"}, "unknown command 'no-such-command'"},
        // nest
        {{"nest", "--sheet", sheet, "--part", "/no/such.shp", "--kerf", "3"}, "/no/such.shp not found"},
        {{"nest", "--kerf", "3", "--sheet", sheet + ":x", "--part", part}, "quantity 'x' is not a whole number above 0"},
        {nest({"--part", part + ":-2"}), "quantity '-2' is not a whole number above 0"},
        {nest({"--part", part + ":2.5"}), "quantity '2.5' is not a whole number above 0"},
        {{"nest", "--kerf", "3", "--sheet", sheet + ":1:high", "--part", part}, "priority 'high' is not a whole number"},
        {{"nest", "--kerf", "3", "--sheet", sheet, "--part", part + ":1:0:yes"}, "orientation 'yes' is not empty, No or step90"},
        {nest({"--kerf", "abc"}), "--kerf 'abc' is not a number"},
        {nest({"--kerf", "-1"}), "--kerf '-1' must not be negative"},
        {nest({"--mat", "S,235"}), "--mat 'S,235': ',' cannot be typed into Mat"},
        {nest({"--thick", "12.3456"}), "--thick '12.3456': longer than 6 characters"},
        {nest({"--mode", "fast"}), "--mode 'fast' is not stack, continuous, free or deep"},
        {deep({"--time", "0"}), "--time '0': the time limit must be a number of seconds above 0"},
        {deep({"--time", "soon"}), "--time 'soon': the time limit must be a number of seconds above 0"},
        {deep({"--spacing", "-1"}), "--spacing '-1': the spacing must be a number from 0 up"},
        {deep({"--spacing", ""}), "--spacing '': it is empty"},
        {deep({"--margin", "-0.5"}), "--margin '-0.5': the margin must be a number from 0 up"},
        {deep({"--threads", "0"}), "--threads '0' is not a whole number from 1 up"},
        {deep({"--threads", "2.5"}), "--threads '2.5' is not a whole number from 1 up"},
        {deep({"--seed", "-4"}), "--seed '-4' is not a whole number from 0 up"},
        {deep({"--iterations", "0"}), "--iterations '0' is not a whole number from 1 up"},
        {nest({"--mode", "free", "--seed", "4"}), "--seed goes with --mode deep only"},
        {nest({"--iterations", "40"}), "--iterations goes with --mode deep only"},
        {nest({"--part", open}), open + ": the outline is not closed"},
        {nest({"--part", giant}), giant + ": far larger than any sheet at this kerf"},
        {{"nest", "--kerf", "3", "--sheet", sheet + ":0", "--part", part}, "No valid sheet(s) specified"},
        {{"nest", "--kerf", "3", "--sheet", sheet, "--part", part + ":0"}, "No valid CutPieces(s) specified"},
        {nest({"extra"}), "unexpected argument 'extra'"},
        {{"nest", "--sheet", sheet, "--part", part}, "No Kerf specified. Continue nesting?"},
        {nest({"--dxf-dir", f.folder(), "--templates", f.folder()}), "template is missing: cannot read " + f.file("dxf.hd")},
        {{"nest", "--job", f.file("missing.nst")}, "cannot read " + f.file("missing.nst") + ": no such file"},
        {{"nest", "--job", cut}, cut + ", line 5: the file ends inside section sa.tlf"},
        {nest({"--save", f.file("no/such/folder/a.nst")}), "cannot write " + f.file("no/such/folder/a.nst"), 2, true},
        {nest({"--json", f.file("no/such/folder/result.json")}), "cannot write " + f.file("no/such/folder/result.json"), 2, true},
        {nest({"--png", taken}), "cannot write into " + taken + ": not a folder"},
        {nest({"--png", f.file("blocked")}), "cannot write " + f.file("blocked/layout-1.png") + ": is a folder", 2, true},
        // breakup (the values themselves are judged by the library's tests)
        {cylinderArgs(f.file("shell"), "abc"), "parameter 'Height' needs a number, not 'abc'"},
        {noHeight, "missing parameter 'Height'"},
        {replaced(shell, "Dia=1000", "Radius=500"), "unknown parameter 'Radius'"},
        {replaced(shell, "Dia=1000", "Dia"), "--param 'Dia' is not NAME=VALUE"},
        {replaced(cone, "Ang Br=4", "Ang Br=2.5"), "'Ang Br' must be a whole number"},
        {replaced(shell, f.file("shell"), f.file("no/such/shell")), "cannot write " + f.file("no/such/shell-1x1.dxf")},
        {replaced(shell, "--templates", "--template"), "unknown option --template"},
        {{"breakup", "sphere", "-o", f.file("x")}, "give cylinder or cone"},
        {{"breakup", "cylinder", "--param", "Dia=1"}, "give the output prefix with -o"},
        // stdshape
        {{"stdshape", "Ring", "--param", "Big Dia=50", "--param", "Small Dia=100", "-o", shpOut}, "Small Dia (100) must be smaller than Big Dia (50)"},
        {{"stdshape", "Ring", "--param", "Big Dia=50", "-o", shpOut}, "missing --param 'Small Dia=VALUE'"},
        {{"stdshape", "Hexagon", "--param", "Length=5", "-o", shpOut}, "unknown shape type 'Hexagon'"},
        {{"stdshape", "Cone Breakup", "-o", shpOut}, "use dravenor-cli breakup"},
        {{"stdshape", "Square", "--param", "Length=ten", "-o", shpOut}, "Length 'ten' is not a number"},
        {{"stdshape", "Square", "--param", "Length=5", "-o", png}, "output " + png + " must end in .shp or .dxf"},
        // shape-info, preview, shp2dxf, dxf2shp, close
        {{"shape-info", f.write("notes.txt", "0,0,1,1,0,0,0,0,0\r\n")}, "notes.txt: not a shape file (.shp) or DXF"},
        {{"shape-info"}, "no shape file given"},
        {{"shape-info", "--bogus"}, "unknown option --bogus"},
        {{"preview", f.file("none.shp"), "--png", png}, "cannot read " + f.file("none.shp") + ": no such file"},
        {{"preview", sheet}, "--png OUT is required"},
        {{"preview", sheet, "--png", png, "--size", "big"}, "size 'big' is not WIDTHxHEIGHT"},
        {{"preview", sheet, "--png", png, "--colour", "22"}, "--colour '22' is not a colour number"},
        {{"preview", sheet, "--png", f.file("no/such/folder/x.png")}, "cannot write " + f.file("no/such/folder/x.png"), 1},
        {{"shp2dxf", f.file("gone.shp"), dxfOut}, "cannot read " + f.file("gone.shp")},
        {{"shp2dxf", part, dxfOut, "--templates", f.file("none")}, "cannot read " + f.file("none/dxf.hd")},
        {{"shp2dxf", part, f.file("out.png")}, "output " + f.file("out.png") + " must end in .dxf"},
        {{"shp2dxf", part, f.file("no/such/out.dxf")}, "cannot write " + f.file("no/such/out.dxf")},
        {{"dxf2shp", f.file("gone.dxf"), shpOut}, "cannot read " + f.file("gone.dxf")},
        {{"dxf2shp", part, shpOut}, "input " + part + " must end in .dxf"},
        {{"dxf2shp", f.file("gone.dxf")}, "give IN.dxf and OUT.shp"},
        {{"dxf2shp", textDxf, shpOut}, textDxf + ": nothing in the drawing could be used as a shape; " + shpOut + " was not"},
        {{"close", f.file("gone.shp"), dxfOut}, "cannot read " + f.file("gone.shp")},
        {{"close", open, dxfOut, "--templates", f.file("none")}, "cannot read " + f.file("none/dxf.hd")},
        {{"close", open, f.file("out.txt")}, "output " + f.file("out.txt") + " must end in .shp or .dxf"},
        // check-layout
        {{"check-layout", f.file("none.lay")}, f.file("none.lay") + " not found"},
        {{"check-layout", gone}, gone + ": gone.shp not found"},
        {{"check-layout", f.write("empty.lay", "")}, f.file("empty.lay") + ": holds no sheet line"},
        {{"check-layout", sheet}, sheet + ": not a layout file (.lay) or a job file (.nst)"},
        {{"check-layout", sheetLayout, "--tolerance", "-1"}, "--tolerance '-1' is not a number from 0 up"},
        {{"check-layout", sheetLayout, "--spacing", "-3"}, "--spacing '-3' is not a number from 0 up"},
        {{"check-layout", f.file("none.nst")}, "cannot read " + f.file("none.nst") + ": no such file"},
        // layout-dxf
        {{"layout-dxf", nst, dxfOut}, "give the layout to save with --layout N"},
        {{"layout-dxf", nst, "--layout", "0", dxfOut}, "--layout '0' is not a layout number"},
        {{"layout-dxf", nst, "--layout", "two", dxfOut}, "--layout 'two' is not a layout number"},
        {{"layout-dxf", nst, "--layout", "99", dxfOut}, nst + " has no layout 99 (it has 2)"},
        {{"layout-dxf", nst, "--layout", "1", png}, "must end in .dxf or .shp"},
        {{"layout-dxf", nst, "--layout", "1", dxfOut, "--text-height", "-2"}, "--text-height '-2' is not a number above 0"},
        {{"layout-dxf", nst, "--layout", "1"}, "give one job file and one output file"},
        {{"layout-dxf", f.file("none.nst"), "--layout", "1", dxfOut}, "cannot read " + f.file("none.nst")},
        {{"layout-dxf", unoptimised, "--layout", "1", dxfOut}, unoptimised + ": This File does not contain any Layout"},
        // report, print
        {{"report", f.file("none.nst"), "-o", tlf}, "cannot read " + f.file("none.nst")},
        {{"report", nst, "--density", f.file("none.dat")}, "density table " + f.file("none.dat") + " not found"},
        {{"report", nst, "-o", f.file("no-such-folder/r.tlf")}, "cannot write " + f.file("no-such-folder/r.tlf"), 1},
        {{"report"}, "give exactly one job file"},
        {{"report", nst, "--colour", "red"}, "unknown option --colour"},
        {{"report", unoptimised, "-o", tlf}, unoptimised + ": This File does not contain any Layout"},
        {{"print", nst, "--layout", "9", "--pdf", pdf}, nst + ": no layout 9 (the job has 2 layouts)"},
        {{"print", nst, "--pdf", pdf}, "give either --layout N or --all"},
    };
    // --units on every command that reads drawings
    for (cli::Args command : std::vector<cli::Args>{
             {"shape-info", sheet}, {"preview", sheet, "--png", png}, {"dxf2shp", textDxf, shpOut}, {"close", textDxf, shpOut},
             {"nest", "--sheet", sheet, "--part", part}, {"report", nst}, {"print", nst, "--all", "--pdf", pdf},
             {"layout-dxf", nst, "--layout", "1", dxfOut}, {"check-layout", nst}}) {
        command.insert(command.end(), {"--units", "cm"});
        rows.push_back({command, "--units 'cm' is not mm or in"});
    }
    expectRefusals(f, rows);
}

} // namespace
