#!/usr/bin/python3
"""Writes THIRD-PARTY.txt of Lobrin's Windows release, with CR LF line ends.

The exes are linked statically with the MinGW-w64 runtime, winpthreads and
the GCC runtime libraries (libgcc, libstdc++). Their notices are taken from
the licence texts of the Debian packages that the exes are built with:
mingw-w64-x86-64-dev (the runtime and winpthreads, a machine-readable
copyright file) and gcc-mingw-w64-base (GCC's copyright file, in prose).
lobrin-calc.exe carries besides the parts of nlohmann/json it uses (a
header-only library); its notice comes from nlohmann-json3-dev's copyright
file.

    third_party_notices.py OUTPUT
"""

import sys
import textwrap

from debian import copyright as debian_copyright

MINGW_COPYRIGHT = "/usr/share/doc/mingw-w64-x86-64-dev/copyright"
GCC_COPYRIGHT = "/usr/share/doc/gcc-mingw-w64-base/copyright"
JSON_COPYRIGHT = "/usr/share/doc/nlohmann-json3-dev/copyright"

# The files of nlohmann/json that a program built with it carries: its headers.
JSON_HEADERS_PREFIX = "include/"

# Which files of the mingw-w64 sources each part covers.
RUNTIME_PREFIX = "mingw-w64-crt/"
WINPTHREADS_PREFIX = "mingw-w64-libraries/winpthreads/"
WINPTHREADS_TESTS = "mingw-w64-libraries/winpthreads/tests_pthread/"

# GCC's notice for its runtime libraries, and the exception itself: the
# first line of each passage and the start of the line after it.
GCC_PASSAGES = [
    ("GCC is Copyright", "The libbacktrace library"),
    ("GCC RUNTIME LIBRARY EXCEPTION", "libquadmath/"),
]

INTRODUCTION = """\
Third-party notices
===================

lobrin.exe and lobrin-calc.exe are built with the GNU C++ compiler for
MinGW-w64 and carry, linked in, parts of these runtime libraries:

1. the MinGW-w64 runtime (mingw-w64-crt),
2. winpthreads, the POSIX threads library of MinGW-w64,
3. libgcc and libstdc++, the runtime libraries of GCC, under the GNU
   General Public License, version 3, with the GCC Runtime Library
   Exception, version 3.1.

lobrin-calc.exe carries besides, compiled in:

4. nlohmann/json, the JSON library that writes its JSON Lines, under the
   MIT (Expat) License.

Their copyright notices and licences follow, as the Debian packages
mingw-w64-x86-64-dev, gcc-mingw-w64-base and nlohmann-json3-dev state them.
Lobrin's own code is under the MIT License: see LICENSE.
"""

GPL_POINTER = """\
The GNU General Public License, version 3, is at
https://www.gnu.org/licenses/gpl-3.0.html
"""


def heading(title):
    return f"\n\n{title}\n{'-' * len(title)}\n\n"


def read_copyright(path):
    """The Files paragraphs of a machine-readable Debian copyright file, and
    its stand-alone licence texts by name."""
    with open(path, encoding="utf-8") as f:
        parsed = debian_copyright.Copyright(f, strict=False)
    licences = {p.license.synopsis: p.license.text for p in parsed.all_license_paragraphs()}
    return list(parsed.all_files_paragraphs()), licences


def file_notices(source, paragraphs, licences, wanted):
    """The Files paragraphs with a pattern that `wanted` selects, each with
    those patterns and its licence text."""
    out = []
    for paragraph in paragraphs:
        files = [pattern for pattern in paragraph.files if wanted(pattern)]
        if not files:
            continue
        licence = paragraph.license
        text = licence.text or "\n".join(
            licences.get(name, "") for name in licence.synopsis.replace(" or ", " and ").split(" and "))
        block = "Files: " + "\n       ".join(files) + "\n"
        block += "Copyright: " + "\n           ".join(paragraph.copyright.splitlines()) + "\n"
        block += "License: " + licence.synopsis + "\n"
        if text:
            block += textwrap.indent(text.strip("\n"), "  ") + "\n"
        out.append(block)
    if not out:
        sys.exit(f"third_party_notices: no paragraph selected in {source}")
    return "\n".join(out)


def gcc_notice(text):
    out = []
    for first, after in GCC_PASSAGES:
        start = text.find(first)
        end = text.find(after, start)
        if start < 0 or end < 0:
            sys.exit(f"third_party_notices: '{first}' not found in {GCC_COPYRIGHT}")
        out.append(text[start:end].strip("\n") + "\n")
    return "\n\n".join(out)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: third_party_notices.py OUTPUT")
    paragraphs, licences = read_copyright(MINGW_COPYRIGHT)
    json_paragraphs, json_licences = read_copyright(JSON_COPYRIGHT)
    with open(GCC_COPYRIGHT, encoding="utf-8") as f:
        gcc = f.read()

    def runtime(pattern):
        return pattern == "*" or pattern.startswith(RUNTIME_PREFIX)

    def winpthreads(pattern):
        return pattern.startswith(WINPTHREADS_PREFIX) and not pattern.startswith(WINPTHREADS_TESTS)

    notices = INTRODUCTION
    def json_headers(pattern):
        return pattern == "*" or pattern.startswith(JSON_HEADERS_PREFIX)

    notices += heading("1. The MinGW-w64 runtime") + file_notices(MINGW_COPYRIGHT, paragraphs, licences, runtime)
    notices += heading("2. winpthreads") + file_notices(MINGW_COPYRIGHT, paragraphs, licences, winpthreads)
    notices += heading("3. libgcc and libstdc++") + gcc_notice(gcc) + "\n" + GPL_POINTER
    notices += heading("4. nlohmann/json") + file_notices(JSON_COPYRIGHT, json_paragraphs, json_licences,
                                                          json_headers)
    with open(sys.argv[1], "w", encoding="utf-8", newline="\r\n") as f:
        f.write(notices)


if __name__ == "__main__":
    main()
