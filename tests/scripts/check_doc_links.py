#!/usr/bin/python3
"""Checks that the documentation's links lead somewhere.

Usage: check_doc_links.py [SOURCE_DIR]   (default: the folder two levels above this script)

For README.md and every Markdown page under docs/: every relative link and picture,
[text](path) or [text](path#anchor), and every reference definition [name]: path, must name a
file or folder that exists, taken from the page's own folder; an anchor into a Markdown page
(or a bare #anchor into the page itself) must be one of that page's headings, slugged as GitHub
does (lower case, punctuation other than '-' and '_' dropped, blanks to '-', a repeated heading
numbered -1, -2, ...). Links with a scheme (http:, https:, mailto:, ...) are left alone, and so
is everything inside code. README.md must also stay within 200 lines, so that it stays a page
to start from.

Prints one line per broken link, PAGE:LINE: what is wrong, and ends with exit code 1 when there
is any; 0 when all is well.
"""
import os
import re
import sys
import urllib.parse

README_MOST_LINES = 200

FENCE = re.compile(r"^ {0,3}(`{3,}|~{3,})")
HEADING = re.compile(r"^ {0,3}(#{1,6})(?:[ \t]+(.*?))?(?:[ \t]+#+)?[ \t]*$")
SETEXT_UNDERLINE = re.compile(r"^ {0,3}(=+|-+)[ \t]*$")
INLINE_CODE = re.compile(r"(`+)(.+?)\1")
# The destination after "](": <anything but >> or a run without blanks whose parentheses balance
# one level deep, then an optional title.
INLINE_LINK = re.compile(
    r"\]\(\s*(<[^>\n]*>|(?:[^\s()]|\([^\s()]*\))*)(?:\s+(?:\"[^\"]*\"|'[^']*'|\([^)]*\)))?\s*\)")
REFERENCE_DEFINITION = re.compile(r"^ {0,3}\[[^\]]+\]:\s*(<[^>]*>|\S+)")
SCHEME = re.compile(r"^[A-Za-z][A-Za-z0-9+.-]*:")
LINK_IN_TEXT = re.compile(r"!?\[([^\]]*)\]\([^)]*\)")


def slug(heading_text):
    """The anchor GitHub gives a heading's text."""
    text = LINK_IN_TEXT.sub(r"\1", heading_text)       # a link in a heading counts by its text
    text = re.sub(r"<[^>]+>", "", text)                  # as do inline HTML tags
    text = text.strip().lower()
    text = "".join(c for c in text if c.isalnum() or c in "-_ ")
    return text.replace(" ", "-")


def lines_outside_code(text):
    """(line number, line) of the lines that are not inside a fenced code block."""
    fence = None
    for number, line in enumerate(text.splitlines(), start=1):
        match = FENCE.match(line)
        if fence is None:
            if match:
                fence = match.group(1)
                continue
            yield number, line
        elif match and match.group(1)[0] == fence[0] and len(match.group(1)) >= len(fence) \
                and line.strip() == match.group(1):
            fence = None


def anchors_of(text):
    """Every anchor the page's headings give, numbered as GitHub numbers repeats."""
    anchors = set()
    seen = {}
    previous = None
    for _, line in lines_outside_code(text):
        heading = None
        match = HEADING.match(line)
        if match:
            heading = match.group(2) or ""
        elif previous is not None and previous.strip() and SETEXT_UNDERLINE.match(line) \
                and not HEADING.match(previous):
            heading = previous.strip()
        previous = line
        if heading is None:
            continue
        base = slug(heading)
        count = seen.get(base, 0)
        seen[base] = count + 1
        anchors.add(base if count == 0 else f"{base}-{count}")
    # Explicit anchors: <a name="x"> or id="x".
    for match in re.finditer(r"<a\s+(?:name|id)=\"([^\"]+)\"", text):
        anchors.add(match.group(1))
    return anchors


def destinations(text):
    """(line number, destination) of every link, picture and reference definition outside code."""
    for number, line in lines_outside_code(text):
        plain = INLINE_CODE.sub(lambda m: " " * len(m.group(0)), line)
        for match in INLINE_LINK.finditer(plain):
            yield number, match.group(1)
        match = REFERENCE_DEFINITION.match(plain)
        if match:
            yield number, match.group(1)


def pages(root):
    found = []
    readme = os.path.join(root, "README.md")
    if os.path.isfile(readme):
        found.append(readme)
    for folder, subfolders, files in os.walk(os.path.join(root, "docs")):
        subfolders.sort()
        found.extend(os.path.join(folder, name) for name in sorted(files) if name.endswith(".md"))
    return found


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def problems_of(page, root, anchor_cache):
    text = read(page)
    shown = os.path.relpath(page, root)
    problems = []
    if os.path.normpath(page) == os.path.normpath(os.path.join(root, "README.md")):
        count = len(text.splitlines())
        if count > README_MOST_LINES:
            problems.append(f"{shown}:{count}: README.md has {count} lines, more than {README_MOST_LINES}")
    for number, destination in destinations(text):
        if destination.startswith("<") and destination.endswith(">"):
            destination = destination[1:-1]
        if not destination or SCHEME.match(destination) or destination.startswith("//"):
            continue
        path_part, _, anchor = destination.partition("#")
        path_part = urllib.parse.unquote(path_part.split("?", 1)[0])
        anchor = urllib.parse.unquote(anchor)
        target = os.path.normpath(os.path.join(os.path.dirname(page), path_part)) if path_part else page
        if path_part and not os.path.exists(target):
            problems.append(f"{shown}:{number}: '{destination}' leads to no file ({os.path.relpath(target, root)})")
            continue
        if anchor and target.endswith(".md") and os.path.isfile(target):
            if target not in anchor_cache:
                anchor_cache[target] = anchors_of(read(target))
            if anchor not in anchor_cache[target]:
                problems.append(f"{shown}:{number}: '{destination}': {os.path.relpath(target, root)} "
                                f"has no heading with the anchor #{anchor}")
    return problems


def main(argv):
    if len(argv) > 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    root = os.path.abspath(argv[1] if len(argv) == 2 else os.path.join(os.path.dirname(__file__), "..", ".."))
    found = pages(root)
    if not found:
        print(f"no README.md or docs/*.md under {root}", file=sys.stderr)
        return 1
    anchor_cache = {}
    problems = []
    for page in found:
        problems.extend(problems_of(page, root, anchor_cache))
    for problem in problems:
        print(problem)
    print(f"{len(found)} pages, {len(problems)} broken link(s)")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
