#!/usr/bin/env python3
"""Doxygen's input filter for our headers: their plain // comments become documentation.

The opening comment paragraph of a header documents the file; a comment block right above a
declaration documents it, and every declaration of the run that follows it up to a blank
line (`SetBit`, `ClearBit`, `TestBit` under one comment), as a member group; a comment after
a declaration or a #define on its line (`int x; // what`) documents that member. Comments
followed by a blank line stay plain (notes), and so does a section title, a comment block
opening with "----" (up to the line its dashes close), whatever follows it.
The C header of the engine writes the same comments as /* */ blocks: they are read as the
// lines they stand for.
Characters Doxygen would read as commands or HTML are escaped, so the text is shown as
written. Line numbers are kept, so warnings point at the real lines.
Usage: doxygen-filter.py <header>, or doxygen-filter.py --self-test.
"""
import re
import sys

COMMENT = re.compile(r"^(\s*)//(?![/!])\s?(.*)$")
# Code that ends a declaration or an enumerator, then a trailing comment. The code part may
# hold no quote, so a // inside a string is never taken for a comment.
TRAILING = re.compile(r'^([^"\'/]*?[;,{}]\s*)//(?![/!<])\s?(.*)$')
DEFINE_TRAILING = re.compile(r'^(\s*#\s*define\s[^"\'/]*?\S\s+)//(?![/!<])\s?(.*)$')
# C block comments: one opening a line (not /** or /*!), and one closing a line of code.
BLOCK_OPEN = re.compile(r"^(\s*)/\*(?![*!])\s?(.*)$")
BLOCK_TRAILING = re.compile(r'^([^"\'/]*?\S\s*)/\*(?![*!<])\s?(.*?)\s*\*/\s*$')
ESCAPES = re.compile(r"([\\@<>&#%$])")
# A dot after a space would end a list ("ZERO .. ONE").
LONE_DOTS = re.compile(r"(^|(?<=\s))\.+")
# Doxygen shows text between double quotes on one line as written, escapes included.
QUOTED = re.compile(r'("[^"]*")')


def escape(text):
    """The text with what Doxygen would read as commands, HTML or list marks escaped, outside
    the quoted parts (which Doxygen shows as written)."""
    parts = QUOTED.split(text)
    return "".join(part if quoted % 2 else escape_plain(part) for quoted, part in enumerate(parts))


def escape_plain(text):
    text = ESCAPES.sub(r"\\\1", text)
    return LONE_DOTS.sub(lambda dots: "\\." * len(dots.group(0)), text)


GROUP_OPEN = "/**@{*/ "
GROUP_CLOSE = "/**@}*/"


def indentation(line):
    return len(line) - len(line.lstrip())


def run_end(lines, start, indent):
    """The line after the declarations that follow a comment: at a blank line, a comment, or
    a line less indented than the comment."""
    end = start
    while end < len(lines) and lines[end].strip() and not COMMENT.match(lines[end]):
        if end > start and indentation(lines[end]) < indent:
            break
        end += 1
    return end


def declared_names(line):
    """How many names a declaration line declares: `float top = 0, bottom = 0;` two (Doxygen
    would give a comment above it to the first alone). Commas inside brackets, and those of a
    parameter list that goes on to the next line, separate no names."""
    code = re.sub(r"\s(<<|>>)\s", " ", line)
    nested = re.compile(r"\([^()]*\)|\[[^\[\]]*\]|<[^<>]*>")
    while nested.search(code):
        code = nested.sub("", code)
    return 1 + len(re.findall(r",\s*[A-Za-z_]", code.split("(")[0]))


def is_group(lines, start, indent):
    """Two declarations or more at the comment's indentation (or one that declares several
    names), none with a body and none under a preprocessor condition (both group marks must
    reach Doxygen)."""
    run = lines[start:run_end(lines, start, indent)]
    if any("{" in line or "}" in line or line.lstrip().startswith("#if") or
           line.lstrip().startswith(("#else", "#endif", "#elif")) for line in run):
        return False
    return sum(declared_names(line) for line in run if indentation(line) == indent) >= 2


def close_group(line):
    if not line.strip():
        return GROUP_CLOSE
    if line.lstrip().startswith("#"):
        return line + " " + GROUP_CLOSE
    return GROUP_CLOSE + " " + line.lstrip()


def without_title(texts):
    """A comment block's lines with its section title, if it opens with one, as None: the
    title runs to the line its dashes close, or is the first line alone."""
    if not texts[0].startswith("----"):
        return texts
    closing = next((n for n, text in enumerate(texts) if text.endswith("---")), 0)
    return [None] * (closing + 1) + texts[closing + 1 :]


def as_line_comments(indent, texts):
    """A comment block as // lines, a title's lines blank (all blank when nothing is left)."""
    texts = without_title(texts)
    if all(not text for text in texts):
        return ["" for _ in texts]
    return ["" if text is None else f"{indent}// {text}".rstrip() for text in texts]


def block_comments_as_lines(lines):
    """The same lines with C block comments written as // comments and section titles left
    out, line for line."""
    out = []
    i = 0
    while i < len(lines):
        line_comment = COMMENT.match(lines[i])
        if line_comment:
            end = i
            while end < len(lines) and COMMENT.match(lines[end]):
                end += 1
            texts = [COMMENT.match(line).group(2).rstrip() for line in lines[i:end]]
            if texts[0].startswith("----"):
                out.extend(as_line_comments(line_comment.group(1), texts))
            else:
                out.extend(lines[i:end])
            i = end
            continue
        opening = BLOCK_OPEN.match(lines[i])
        if not opening:
            trailing = BLOCK_TRAILING.match(lines[i])
            out.append(f"{trailing.group(1)}// {trailing.group(2)}" if trailing else lines[i])
            i += 1
            continue
        texts = [opening.group(2)]
        while "*/" not in texts[-1] and i + len(texts) < len(lines):
            texts.append(re.sub(r"^\s*\*?(?!/)\s?", "", lines[i + len(texts)]))
        texts[-1] = texts[-1][: texts[-1].find("*/")] if "*/" in texts[-1] else texts[-1]
        out.extend(as_line_comments(opening.group(1), [text.rstrip() for text in texts]))
        i += len(texts)
    return out


def group_marks(line, opens, ends_before, ends_after):
    """The line with the group marks it carries: an opening or an end before its code, an
    end after it."""
    indent = line[: indentation(line)]
    if ends_before:
        line = indent + GROUP_CLOSE + " " + line.lstrip()
    if opens:
        line = indent + GROUP_OPEN + line.lstrip()
    if ends_after:
        line += " " + GROUP_CLOSE
    return line


def convert(lines):
    out = []
    opens = set()  # input lines a member group opens on
    ends_after, ends_before = set(), set()  # input lines a group closes after or before
    close_at = set()  # input lines where a member group ends (when neither fits)
    closes = []  # the output lines that carry those ends
    i = 0
    at_start = True
    while i < len(lines):
        if i in close_at:
            closes.append(len(out))
        match = COMMENT.match(lines[i])
        if not match:
            if lines[i].strip():
                at_start = False
            trailing = TRAILING.match(lines[i]) or DEFINE_TRAILING.match(lines[i])
            if trailing:
                out.append(f"{trailing.group(1)}///< {escape(trailing.group(2))}")
            else:
                out.append(lines[i])
            out[-1] = group_marks(out[-1], i in opens, i in ends_before, i in ends_after)
            i += 1
            continue
        end = i
        while end < len(lines) and COMMENT.match(lines[end]):
            end += 1
        block = [COMMENT.match(line) for line in lines[i:end]]
        follows_code = end < len(lines) and lines[end].strip() != ""
        if at_start:
            # The file's opening paragraph, marked as the file's own on its last line.
            out.extend(f"/// {escape(m.group(2))}" for m in block)
            out[-1] += " \\file"
            at_start = False
        elif follows_code:
            indent = len(block[0].group(1))
            grouped = is_group(lines, end, indent)
            out.extend(f"{m.group(1)}/// {escape(m.group(2))}" for m in block)
            if grouped and lines[end].lstrip().startswith("#"):
                # Nothing may stand before a directive: the opening mark goes on the comment.
                first = len(out) - len(block)
                out[first] = block[0].group(1) + GROUP_OPEN + out[first].lstrip()
                close_at.add(run_end(lines, end, indent))
            elif grouped:
                # The marks go on the declarations' lines: on a comment's line they would end
                # its brief description at that line's end.
                opens.add(end)
                last = run_end(lines, end, indent) - 1
                if "//" not in lines[last] and not lines[last].lstrip().startswith("#"):
                    ends_after.add(last)
                elif last > end and indentation(lines[last]) == indent:
                    ends_before.add(last)  # its own comment documents the last one
                else:
                    close_at.add(last + 1)
        else:
            out.extend(lines[i:end])
        i = end
    for index in closes:
        out[index] = close_group(out[index])
    if len(lines) in close_at:
        out.append(GROUP_CLOSE)
    return out


def filtered(text):
    return "\n".join(convert(block_comments_as_lines(text.split("\n"))))


# Headers and what Doxygen must be given for them: (source, expected output).
SELF_TEST = [
    ("// File.\n#pragma once\n// Two.\nint a;\nint b;\n",
     "/// File. \\file\n#pragma once\n/// Two.\n/**@{*/ int a;\nint b; /**@}*/\n"),
    ("#pragma once\n// Both.\nfloat a = 0, b = 0;\n",
     "#pragma once\n/// Both.\n/**@{*/ float a = 0, b = 0; /**@}*/\n"),
    ("#pragma once\n// Two.\nint a;\nint b; // own\n",
     "#pragma once\n/// Two.\n/**@{*/ int a;\n/**@}*/ int b; ///< own\n"),
    ("#pragma once\n// \"a#b <c>\" #d <e> \"f\nint a;\n",
     "#pragma once\n/// \"a#b <c>\" \\#d \\<e\\> \"f\nint a;\n"),
    ("#pragma once\n#define A 1 // one\n", "#pragma once\n#define A 1 ///< one\n"),
    ("#pragma once\n// ---- title ----\nint a;\n", "#pragma once\n\nint a;\n"),
    ("#pragma once\n// ---- title ----\n// What a is.\nint a;\n",
     "#pragma once\n\n/// What a is.\nint a;\n"),
    ("/* File,\n * two lines. */\n#pragma once\n",
     "/// File,\n/// two lines. \\file\n#pragma once\n"),
    ("#pragma once\n    /* What f does\n     * and returns. */\n    int f(void);\n",
     "#pragma once\n    /// What f does\n    /// and returns.\n    int f(void);\n"),
    ("#pragma once\nint a; /* what a is */\n#define B 2 /* two */\n",
     "#pragma once\nint a; ///< what a is\n#define B 2 ///< two\n"),
    ("#pragma once\n/* ---- Title, on\n * two lines ---- */\nint a;\n",
     "#pragma once\n\n\nint a;\n"),
    ("#pragma once\n/* ---- Title\n * What a is. */\nint a;\n",
     "#pragma once\n\n/// What a is.\nint a;\n"),
]


def self_test():
    """Shows that each way of writing a comment reaches Doxygen as described."""
    failures = [(source, filtered(source), want) for source, want in SELF_TEST
                if filtered(source) != want]
    for source, got, want in failures:
        print(f"doxygen-filter self-test: {source!r}\n  gave {got!r}\n  not {want!r}")
    if not failures:
        print(f"doxygen-filter self-test: all {len(SELF_TEST)} headers filtered as described")
    return 1 if failures else 0


def main():
    if sys.argv[1] == "--self-test":
        sys.exit(self_test())
    with open(sys.argv[1], encoding="utf-8", errors="replace") as source:
        sys.stdout.write(filtered(source.read()))


if __name__ == "__main__":
    main()
