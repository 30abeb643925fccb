"""The C++ headers the table generators write, laid out as the project's
.clang-format has them, so that a generated header reads like any other
and the format check holds it too.  Needs Debian's clang-format-14
(tools/install-deps.sh installs it)."""

import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def formatted(text, path):
    """`text`, a header that will stand at `path` below the project root,
    as clang-format-14 lays it out with the project's style."""
    tool = shutil.which('clang-format-14')
    if tool is None:
        sys.exit('clang-format-14 is missing: it lays out the generated headers '
                 '(tools/install-deps.sh installs it)')
    done = subprocess.run([tool, '--style=file', f'--assume-filename={os.path.join(ROOT, path)}'],
                          input=text, capture_output=True, text=True, check=True)
    return done.stdout


def write(out, path, text):
    """Writes the header `path` below `out`, laid out."""
    target = os.path.join(out, path)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, 'w', encoding='utf-8') as f:
        f.write(formatted(text, path))
