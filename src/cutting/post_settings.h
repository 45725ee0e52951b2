#pragma once
// The post file "post.cfg": how NC programs are written for one cutting machine. Lines of
// `key = value`; blank lines and lines starting with '#' are left out. `start` and `end` may be
// given several times, one program line each. Unknown keys and bad values are errors naming the
// file and the line.
#include <string>
#include <vector>

namespace dravenor::cutting {

inline constexpr const char* kPostFileName = "post.cfg";

enum class CommentStyle { Parentheses, Semicolon, None };
enum class StartCorner { BottomLeft, BottomRight, TopLeft, TopRight };

struct PostSettings {
    std::vector<std::string> startLines{"G17 G40 G49 G80"};
    std::vector<std::string> endLines{"M2"};
    std::string torchOn = "M3";
    std::string torchOff = "M5";
    CommentStyle comments = CommentStyle::Parentheses;
    bool lineNumbers = false;
    int lineNumberStep = 10;
    int decimals = 3;
    bool arcsAsLines = false;
    double arcTolerance = 0.01;        // largest distance of a short line from its arc (mm)
    bool controllerCompensation = false; // G41 on the drawn outline instead of the offset path
    bool arcLeadIn = true;             // lead-in as a quarter arc, else a straight line
    StartCorner startCorner = StartCorner::BottomLeft;
    bool remnantEdgeStart = false;     // a remnant's cut fires on the plate's edge, not beyond it
    double rapidSpeed = 20000;         // mm per minute, for the time estimate
    bool commonLine = false;           // facing edges of parts the kerf apart cut once
    double skeletonCut = 0;            // mm: the longest piece of the cut-up skeleton, 0 for no cut-up
    double jointWidth = 0;             // mm of material a microjoint leaves, 0 for none
    int joints = 2;                    // microjoints on each outer contour ...
    double jointEvery = 0;             // ... or one every this many mm, when above 0
    bool jointHoles = false;           // holes get microjoints too
    std::string jointWord;             // the controller breaks the cut at this word; empty: torch off and on
    bool operator==(const PostSettings&) const = default;
};

// Settings from the text; lines in error are named and left out (the defaults stand for them).
PostSettings parsePostText(const std::string& content, const std::string& fileName, std::vector<std::string>& errors);
// The post file; a missing or unreadable file is an error naming it.
PostSettings readPostFile(const std::string& path, std::vector<std::string>& errors);
// The text of a post file holding the settings, with a comment on each key; reads back equal.
std::string postFileText(const PostSettings& settings);
// Path of the post file in the folder (a case-insensitive match, else folder + "post.cfg").
std::string postFilePath(const std::string& folder);

} // namespace dravenor::cutting
