"""Reads the C interface's header and writes what the JavaScript package
needs to speak it: its result codes and constants, and the layout of its
structs in a 32-bit WebAssembly memory.

    make_web_layout.py moonfold.h layout.js layout.d.ts layout_check.cpp exports.json

The header is the one place these are declared.  exports.json names the
functions the module exports: every function of the header but the one
that opens a file by its path, for the module has no file system (a
holiday file comes as a string, to moonfold_arrangement_read).  layout.js gives each
constant, each struct's size, and a reader of each struct from the
module's memory; layout.d.ts types the structs as the readers return them
(camelCase members, the `size` member left out); layout_check.cpp is compiled into the WebAssembly
module, where the compiler holds every offset and size written here to the
real one, so a header this reader misunderstands cannot build."""

import json
import re
import sys

# wasm32: int, unsigned and size_t are four bytes, aligned to four.
SCALARS = {'int': 4, 'unsigned': 4, 'size_t': 4}

DEFINE = re.compile(r'^#define (MOONFOLD_[A-Z0-9_]+) (.+?)\s*(?:/\*.*)?$')
STRUCT = re.compile(r'typedef struct (moonfold_\w+) \{(.*?)\} (\w+);', re.S)
FUNCTION = re.compile(r'^MOONFOLD_C_API [^(]*?\b(moonfold_\w+)\(', re.M)
# Reads a file by its path: there is no file system in the module.
NOT_EXPORTED = {'moonfold_arrangement_open'}
# What the package calls beside the interface: the module's allocator, and
# the measure of its memory in use that the tests read.
MODULE_EXPORTS = ['_malloc', '_free', '_moonfold_web_heap_in_use']
MEMBER = re.compile(r'^\s*([\w ]+?)\s+(\w+)(?:\[(\w+)\])?;')


def constants(text):
    """Every numeric #define of the header, by name, in its order.  A value
    may be an expression of earlier ones (MOONFOLD_EVENT_DEFAULT)."""
    values = {}
    joined = text.replace('\\\n', ' ')
    for line in joined.splitlines():
        m = DEFINE.match(line)
        if not m:
            continue
        name, expr = m.groups()
        expr = re.sub(r'\b(0x[0-9A-Fa-f]+|\d+)u\b', r'\1', expr)
        expr = re.sub(r'\bMOONFOLD_\w+\b', lambda r: str(values[r.group(0)]), expr)
        if not re.fullmatch(r'[\d\sxA-Fa-f()+*|-]+', expr):
            continue  # an attribute, not a number
        values[name] = eval(expr, {'__builtins__': {}})  # digits and operators only
    return values


def structs(text, values):
    """Each struct by its tag: its members (name, type, count or None,
    offset) and its size, laid out as a 32-bit C compiler lays them."""
    found = {}
    body_text = re.sub(r'/\*.*?\*/', '', text, flags=re.S)
    for tag, body, typedef in STRUCT.findall(body_text):
        offset, members = 0, []
        for line in body.splitlines():
            m = MEMBER.match(line)
            if not m:
                if line.strip():
                    sys.exit(f'make_web_layout: cannot read the member "{line.strip()}" of {tag}')
                continue
            kind, name, count = m.groups()
            size = SCALARS.get(kind) or found[kind]['size']
            n = int(values.get(count, count)) if count else None
            members.append((name, kind, n, offset))
            offset += size * (n or 1)
        found[tag] = {'members': members, 'size': offset, 'typedef': typedef}
    return found


def camel(name):
    head, *rest = name.split('_')
    return head + ''.join(part.capitalize() for part in rest)


def layout_js(values, found):
    lines = ['// Written by tools/make_web_layout.py from moonfold.h: do not edit.',
             '// The C interface\'s constants (without their MOONFOLD_ prefix), the size',
             '// of each of its structs, and a reader of each from the module\'s memory.', '']
    lines.append('export const constants = Object.freeze({')
    lines += [f'  {name[len("MOONFOLD_"):]}: {value},' for name, value in values.items()]
    lines += ['});', '', 'export const sizes = Object.freeze({']
    lines += [f'  {tag}: {struct["size"]},' for tag, struct in found.items()]
    lines += ['});', '']
    # A reader of each struct as plain code: one object literal of its
    # members, which the engine makes with one shape, many times faster
    # than a loop over a table of members.
    lines += ['// Each struct read from the module\'s memory as 32-bit ints, `at` the',
              '// index of its first (its address / 4); `size` is left out.']
    for tag, struct in found.items():
        fields = []
        for name, kind, count, offset in struct['members']:
            if name == 'size':
                continue
            at = f'at + {offset // 4}' if offset else 'at'
            if kind in found:
                value = f'{reader_name(kind)}(heap, {at})'
            elif count:
                value = '[' + ', '.join(f'heap[at + {offset // 4 + k}]' for k in range(count)) + ']'
            else:
                value = f'heap[{at}]'
            fields.append(f'    {camel(name)}: {value},')
        lines += [f'export function {reader_name(tag)}(heap, at) {{', '  return {', *fields, '  };', '}', '']
    return '\n'.join(lines)


def reader_name(tag):
    return 'read' + type_name(tag)


def ts_type(kind, count):
    base = 'number' if kind in SCALARS else type_name(kind)
    return f'{base}[]' if count else base


def type_name(tag):
    return ''.join(part.capitalize() for part in tag.split('_'))


def layout_dts(values, found):
    lines = ['// Written by tools/make_web_layout.py from moonfold.h: do not edit.', '']
    lines.append('export declare const constants: Readonly<{')
    lines += [f'  {name[len("MOONFOLD_"):]}: number;' for name in values]
    lines += ['}>;', '', 'export declare const sizes: Readonly<Record<string, number>>;', '']
    for tag, struct in found.items():
        lines.append(f'export interface {type_name(tag)} {{')
        for name, kind, count, _ in struct['members']:
            if name != 'size':
                lines.append(f'  {camel(name)}: {ts_type(kind, count)};')
        lines += ['}', f'export declare function {reader_name(tag)}(heap: Int32Array, at: number): '
                  f'{type_name(tag)};', '']
    return '\n'.join(lines)


def layout_check(values, found):
    lines = ['// Written by tools/make_web_layout.py from moonfold.h: do not edit.',
             '// The compiler holds the layout the JavaScript package reads to the real',
             '// one, and the constants to the header\'s.',
             '#include <cstddef>', '', '#include "moonfold/moonfold.h"', '']
    for tag, struct in found.items():
        # By the typedef: a function of the same name hides the tag.
        typedef = struct['typedef']
        lines.append(f'static_assert(sizeof({typedef}) == {struct["size"]});')
        for name, _, _, offset in struct['members']:
            lines.append(f'static_assert(offsetof({typedef}, {name}) == {offset});')
    for name, value in values.items():
        lines.append(f'static_assert({name} == {value});')
    lines.append('')
    return '\n'.join(lines)


def exports(text):
    names = [f'_{name}' for name in FUNCTION.findall(text) if name not in NOT_EXPORTED]
    return json.dumps(sorted(set(names)) + MODULE_EXPORTS) + '\n'


def main():
    header, js, dts, check, exported = sys.argv[1:6]
    text = open(header, encoding='utf-8').read()
    values = constants(text)
    found = structs(text, values)
    for path, content in ((js, layout_js(values, found)), (dts, layout_dts(values, found)),
                          (check, layout_check(values, found)), (exported, exports(text))):
        with open(path, 'w', encoding='utf-8') as f:
            f.write(content)


if __name__ == '__main__':
    main()
