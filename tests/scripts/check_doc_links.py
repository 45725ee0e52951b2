#!/usr/bin/python3
"""Checks that the documentation's links lead somewhere: for README.md and docs/*.md, every
relative link and picture [text](path#anchor) outside code names an existing file, and an anchor
into a Markdown page is one of its headings as GitHub slugs them (lower case, punctuation but '-'
and '_' dropped, blanks to '-'). README.md stays within 200 lines. Usage: check_doc_links.py SOURCE_DIR.
Prints PAGE:LINE: what is wrong for each broken link; exit 1 when there is any."""
import glob
import os
import re
import sys

README_MOST_LINES = 200
LINK = re.compile(r"\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)")


def lines_outside_code(text):
    fenced = False
    for number, line in enumerate(text.splitlines(), start=1):
        if line.lstrip().startswith("```"):
            fenced = not fenced
        elif not fenced:
            yield number, re.sub(r"`[^`]*`", "", line)


def anchors_of(text):
    headings = (re.match(r"#{1,6}\s+(.*?)\s*#*$", line) for _, line in lines_outside_code(text))
    slugs = (re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", h.group(1)).lower() for h in headings if h)
    return {"".join(c for c in s if c.isalnum() or c in "-_ ").replace(" ", "-") for s in slugs}


def problems_of(page, root):
    with open(page, encoding="utf-8") as f:
        text = f.read()
    shown = os.path.relpath(page, root)
    problems = []
    if shown == "README.md" and len(text.splitlines()) > README_MOST_LINES:
        problems.append(f"README.md has {len(text.splitlines())} lines, more than {README_MOST_LINES}")
    for number, line in lines_outside_code(text):
        for destination in LINK.findall(line):
            if re.match(r"[A-Za-z][A-Za-z0-9+.-]*:", destination):
                continue  # http:, https:, mailto: ...
            path, _, anchor = destination.partition("#")
            target = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
            if not os.path.exists(target):
                problems.append(f"{shown}:{number}: '{destination}' leads to no file")
            elif anchor and target.endswith(".md"):
                with open(target, encoding="utf-8") as f:
                    if anchor not in anchors_of(f.read()):
                        problems.append(f"{shown}:{number}: '{destination}': no heading with that anchor")
    return problems


def main(root):
    pages = [os.path.join(root, "README.md")] + sorted(glob.glob(os.path.join(root, "docs", "*.md")))
    problems = [p for page in pages for p in problems_of(page, root)]
    print("\n".join(problems + [f"{len(pages)} pages, {len(problems)} broken link(s)"]))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(os.path.abspath(sys.argv[1])))
