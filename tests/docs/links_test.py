#!/usr/bin/env python3
"""The README and the pages in docs/ as a reader follows them: every
relative link leads to a file of the tree and, where it names a heading,
to a heading of that page; the README stays a short front page; each
diagram's picture was drawn from its source as it stands.

    links_test.py SOURCE_DIR
"""
import glob
import hashlib
import os
import re
import sys
import unittest

SOURCE = sys.argv[1]
README_MAX_LINES = 150
LINK = re.compile(r"!?\[[^\]]*\]\(([^)\s]+)\)")


def pages():
    return [os.path.join(SOURCE, "README.md")] + sorted(glob.glob(os.path.join(SOURCE, "docs", "*.md")))


def without_code(text):
    """The page's text with code blocks and code spans taken out."""
    text = "\n".join(line for line in text.splitlines() if not line.startswith("    "))
    return re.sub(r"`[^`\n]*`", "", text)


def anchor(heading):
    """A heading's anchor as the Markdown renderers of code hosts make it."""
    heading = re.sub(r"[^\w\- ]", "", heading.strip().lower().replace("`", ""))
    return heading.replace(" ", "-")


def anchors(path):
    # A heading that names its own id ("# Fehler {#errors}", as the
    # translated guides keep the English ids) has that id and no other.
    found = set()
    with open(path, encoding="utf-8") as page:
        for line in page:
            if not re.match(r"#{1,6} ", line):
                continue
            given = re.search(r"\{#([^}\s]+)\}\s*$", line)
            found.add(given.group(1) if given else anchor(line.lstrip("#")))
    return found


class Links(unittest.TestCase):
    def test_the_anchor_of_a_heading_is_made_as_the_hosts_make_it(self):
        for heading, expected in [("The data folder's trust rules", "the-data-folders-trust-rules"),
                                  ("`vellmark-cli` write", "vellmark-cli-write"),
                                  ("A whole job on the bench", "a-whole-job-on-the-bench")]:
            self.assertEqual(expected, anchor(heading))

    def test_every_relative_link_leads_to_a_file_and_a_heading_of_it(self):
        for page in pages():
            with open(page, encoding="utf-8") as source:
                text = without_code(source.read())
            for target in LINK.findall(text):
                if re.match(r"[a-z]+:", target):
                    continue
                with self.subTest(page=os.path.relpath(page, SOURCE), link=target):
                    path, _, heading = target.partition("#")
                    file = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
                    self.assertTrue(os.path.exists(file), file)
                    if heading:
                        self.assertIn(heading, anchors(file))

    def test_the_readme_is_a_short_front_page(self):
        with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as readme:
            self.assertLessEqual(len(readme.read().splitlines()), README_MAX_LINES)

    def test_each_diagram_was_drawn_from_its_source_as_it_stands(self):
        sources = sorted(glob.glob(os.path.join(SOURCE, "docs", "diagrams", "*.dot")))
        self.assertTrue(sources)
        for source in sources:
            with self.subTest(diagram=os.path.basename(source)):
                with open(source, "rb") as dot:
                    digest = hashlib.sha256(dot.read()).hexdigest()
                with open(source[:-len(".dot")] + ".svg", encoding="utf-8") as svg:
                    self.assertIn("<!-- drawn from %s sha256 %s -->" % (os.path.basename(source), digest), svg.read())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
