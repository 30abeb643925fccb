#!/usr/bin/python3
"""Holds the documents' examples to the command's own output.

Every fenced block of README.md, CONTRIBUTING.md and docs/*.md that follows
a line `<!-- moonfold ARGS -->` is what `moonfold ARGS` prints (standard
output, then standard error), run as a user would in a pipe: 80 columns,
no colour, simplified characters unless ARGS ask otherwise.  A line of
the block that is only `…` stands for any lines of the output (a long
listing shown in part); any other line must be the output's own.

Usage: tools/check-doc-examples.py MOONFOLD [--update]
  --update  writes each block without a `…` anew from the output; a block
            with one is reported, to be mended by hand.
"""

import glob
import os
import re
import shlex
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MARK = re.compile(r'^<!-- moonfold (.*) -->$')


def documents():
    return ([os.path.join(ROOT, 'README.md'), os.path.join(ROOT, 'CONTRIBUTING.md')] +
            sorted(glob.glob(os.path.join(ROOT, 'docs', '*.md'))))


def output(moonfold, args):
    env = {'PATH': os.environ.get('PATH', '/usr/bin:/bin'), 'COLUMNS': '80', 'NO_COLOR': '1',
           'LANG': 'C.UTF-8', 'HOME': '/nonexistent'}
    done = subprocess.run([moonfold] + shlex.split(args), capture_output=True, text=True,
                          env=env)
    return (done.stdout + done.stderr).rstrip('\n').split('\n')


def matches(expected, got):
    """Whether the lines match, each `…` line standing for any lines."""
    if not expected:
        return not got
    if expected[0] == '…':
        return any(matches(expected[1:], got[i:]) for i in range(len(got) + 1))
    return bool(got) and expected[0] == got[0] and matches(expected[1:], got[1:])


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    moonfold, update = sys.argv[1], '--update' in sys.argv[2:]
    checked = wrong = 0
    for path in documents():
        lines = open(path, encoding='utf-8').read().split('\n')
        changed = False
        i = 0
        while i < len(lines):
            mark = MARK.match(lines[i])
            if not mark or i + 1 >= len(lines) or not lines[i + 1].startswith('```'):
                i += 1
                continue
            end = lines.index('```', i + 2)
            expected, got = lines[i + 2:end], output(moonfold, mark.group(1))
            checked += 1
            if not matches(expected, got):
                if update and '…' not in expected:
                    lines[i + 2:end] = got
                    changed = True
                else:
                    wrong += 1
                    print(f'{os.path.relpath(path, ROOT)}:{i + 1}: moonfold {mark.group(1)} '
                          f'prints, not the block below it:\n' + '\n'.join(got[:40]))
            i = lines.index('```', i + 2) + 1
        if changed:
            with open(path, 'w', encoding='utf-8') as f:
                f.write('\n'.join(lines))
    if checked == 0:
        sys.exit('check-doc-examples: no example found: nothing would be checked')
    print(f'check-doc-examples: {checked} examples, {wrong} not what the command prints')
    sys.exit(1 if wrong else 0)


if __name__ == '__main__':
    main()
