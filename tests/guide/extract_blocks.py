#!/usr/bin/env python3
"""Writes every ```cpp block of a Markdown file to <out>/block_<n>.cpp and prints their paths.

A block with no #include of its own is a part of a program: it gets the headers a guide's
reader has included by then (PRELUDE, as docs/guide.md lists them) and `using namespace OvCore`. A #line directive makes
the compiler name the Markdown file and its line, so an error points into the guide.
"""
import os
import re
import sys

BLOCK = re.compile(r"^```cpp\n(.*?)^```$", re.MULTILINE | re.DOTALL)
PRELUDE = """#include "app/ov_application.h"
#include "app/ov_entry.h"
#include "app/ov_intro.h"
#include "core/ov_input.h"
#include "core/ov_loop.h"
#include "gui/layout.h"
#include "orvane_core.h"
using namespace OvCore;
"""


def main():
    markdown, out = sys.argv[1], sys.argv[2]
    with open(markdown, encoding="utf-8") as source:
        text = source.read()
    os.makedirs(out, exist_ok=True)
    for number, block in enumerate(BLOCK.finditer(text), start=1):
        code = block.group(1)
        line = text.count("\n", 0, block.start(1)) + 1
        prelude = "" if "#include" in code else PRELUDE
        path = os.path.join(out, f"block_{number}.cpp")
        content = f'{prelude}#line {line} "{os.path.abspath(markdown)}"\n{code}'
        # Rewritten only when changed, so a configure run does not rebuild every block.
        if not os.path.exists(path) or open(path, encoding="utf-8").read() != content:
            with open(path, "w", encoding="utf-8") as target:
                target.write(content)
        print(path)


if __name__ == "__main__":
    main()
