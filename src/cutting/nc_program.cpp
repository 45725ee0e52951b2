#include "cutting/nc_program.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "job/number_format.h"

namespace dravenor::cutting {

namespace {

class ProgramWriter {
public:
    explicit ProgramWriter(const PostSettings& post) : post_(post) {}

    void line(const std::string& words)
    {
        if (post_.lineNumbers) {
            number_ += post_.lineNumberStep;
            text_ += 'N';
            text_ += std::to_string(number_);
            text_ += ' ';
        }
        text_ += words;
        text_ += "\r\n";
    }

    void comment(std::string words)
    {
        switch (post_.comments) {
        case CommentStyle::None: return;
        case CommentStyle::Semicolon: text_ += "; " + words + "\r\n"; return;
        case CommentStyle::Parentheses:
            // A parenthesis inside would end the comment early.
            for (char& c : words) {
                if (c == '(') c = '[';
                if (c == ')') c = ']';
            }
            text_ += "(" + words + ")\r\n";
            return;
        }
    }

    std::string number(double value) const
    {
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, post_.decimals);
        std::string text(buffer, result.ptr);
        if (text.find('.') != std::string::npos) {
            while (text.back() == '0') text.pop_back();
            if (text.back() == '.') text.pop_back();
        }
        if (text == "-0") text = "0";
        return text;
    }

    std::string xy(Vec2 p) const
    {
        std::string words = "X";
        words += number(p.x);
        words += " Y";
        words += number(p.y);
        return words;
    }

    const std::string& text() const { return text_; }

private:
    const PostSettings& post_;
    std::string text_;
    int number_ = 0;
};

class PathWriter {
public:
    PathWriter(ProgramWriter& out, const PostSettings& post, double feed, double scale)
        : out_(out), post_(post), feed_(feed), tolerance_(post.arcTolerance / scale)
    {
    }

    void feedAlong(const PiecePath& path)
    {
        for (const PathPiece& p : path) piece(p);
    }

private:
    std::string feedWord()
    {
        if (feedGiven_) return "";
        feedGiven_ = true;
        return " F" + out_.number(feed_);
    }

    void piece(const PathPiece& p)
    {
        if (!p.arc || post_.arcsAsLines) {
            std::vector<Vec2> points;
            appendChordPoints(p, tolerance_, points);
            for (Vec2 q : points) out_.line("G1 " + out_.xy(q) + feedWord());
            return;
        }
        // A corner arc too short to move the torch once written to the post's decimals would be
        // read as a full circle (its ends written alike): the torch is already at its end.
        if (sweepOf(p) < std::numbers::pi && out_.xy(p.a) == out_.xy(p.b)) return;
        const Vec2 ij = p.c - p.a;
        out_.line(std::string(p.ccw ? "G3 " : "G2 ") + out_.xy(p.b) + " I" + out_.number(ij.x) + " J" +
                  out_.number(ij.y) + feedWord());
    }

    ProgramWriter& out_;
    const PostSettings& post_;
    double feed_;
    double tolerance_;
    bool feedGiven_ = false;
};

// ", on to parts 7, 9": the outlines a cut from a kerf goes on to.
std::string ontoText(const std::vector<int>& onto)
{
    std::string text;
    for (int part : onto) text += (text.empty() ? (onto.size() == 1 ? ", on to part " : ", on to parts ") : ", ") + std::to_string(part);
    return text;
}

// "cut 12: part 32 bracket.shp, hole": the number the cut plan drawing shows, then what is cut.
std::string cutComment(const CutPlan& plan, size_t index)
{
    const CutContour& c = plan.contours[index];
    const std::string what =
        c.part == 0 ? (c.label.empty() ? std::string("extra cut line") : c.label)
                    : "part " + std::to_string(c.part) + " " + plan.partNames[static_cast<size_t>(c.part - 1)] +
                          (c.hole ? ", hole" : ", outline") + (c.inKerf ? ", from the kerf" : "") + ontoText(c.onto);
    return "cut " + std::to_string(cutNumber(index)) + ": " + what;
}

} // namespace

std::string durationText(double seconds)
{
    const long whole = std::lround(std::max(0.0, seconds));
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%ld min %02ld s", whole / 60, whole % 60);
    return buffer;
}

std::string ncProgramText(const CutPlan& plan, const CutSettings& cut, const PostSettings& post, const NcJobInfo& info)
{
    ProgramWriter out(post);
    const std::string unit = info.inches ? "in" : "mm";
    out.comment("Dravenor NC program");
    out.comment("job: " + info.jobName);
    out.comment("layout " + std::to_string(plan.layoutNo) + " of " + std::to_string(info.layoutCount) + ": sheet " +
                plan.sheetName + ", " + std::to_string(plan.sheetCount) +
                (plan.sheetCount == 1 ? " sheet" : " identical sheets"));
    out.comment("material " + info.material + ", thickness " + formatGeneral(info.thickness) + ", kerf " +
                formatGeneral(cut.kerf) + " " + unit + ", feed " + formatGeneral(cut.feed) + " " + unit +
                "/min, pierce delay " + formatGeneral(cut.pierceDelay) + " s");
    for (size_t i = 0; i < plan.partNames.size(); ++i)
        out.comment("part " + std::to_string(i + 1) + ": " + plan.partNames[i]);
    out.comment("estimated time per sheet " + durationText(plan.seconds) + ": cut " + formatMask(plan.cutLength, "0.0") +
                " " + unit + ", rapids " + formatMask(plan.rapidLength, "0.0") + " " + unit + ", " +
                std::to_string(plan.pierces) + " pierces" +
                (plan.kerfStarts ? ", " + std::to_string(plan.kerfStarts) + " starts in a kerf" : std::string()));
    for (const std::string& w : plan.warnings) out.comment("warning: " + w);
    for (const std::string& l : post.startLines) out.line(l);
    out.line(info.inches ? "G20" : "G21");
    out.line("G90");
    const double scale = info.inches ? 25.4 : 1;
    for (size_t i = 0; i < plan.contours.size(); ++i) {
        const CutContour& c = plan.contours[i];
        out.comment(cutComment(plan, i));
        out.line("G0 " + out.xy(c.pierce));
        out.line(post.torchOn);
        if (cut.pierceDelay > 0 && !c.inKerf) out.line("G4 P" + out.number(cut.pierceDelay));
        PathWriter path(out, post, cut.feed, scale);
        if (post.controllerCompensation) out.line("G41");
        path.feedAlong(c.leadIn);
        path.feedAlong(c.cut);
        Vec2 stop = c.cut.back().b;
        for (const PiecePath& stretch : c.rest) {
            // A microjoint: the controller's own word and on at the feed, or the torch off over it
            // and on again with a pierce.
            if (!post.jointWord.empty()) {
                out.line(post.jointWord);
                path.feedAlong({linePiece(stop, stretch.front().a)});
            } else {
                out.line(post.torchOff);
                out.line("G0 " + out.xy(stretch.front().a));
                out.line(post.torchOn);
                if (cut.pierceDelay > 0) out.line("G4 P" + out.number(cut.pierceDelay));
            }
            path.feedAlong(stretch);
            stop = stretch.back().b;
        }
        path.feedAlong(c.overcut);
        path.feedAlong(c.leadOut);
        if (post.controllerCompensation) out.line("G40");
        out.line(post.torchOff);
    }
    for (const std::string& l : post.endLines) out.line(l);
    return out.text();
}

} // namespace dravenor::cutting
