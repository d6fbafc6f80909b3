#!/usr/bin/env python3
"""Refuses an include that runs up a layer of the sources.

The layers are the folders of src named by BV_LAYERS in cmake/Sources.cmake, lowest first; the
other folders of src (app, cli) build programs on top of them. A file may include:
  - files of its own folder and of the layers below it;
  - in a program folder, files of every layer, but none of another program's folder;
and a core file (a source of BV_CORE_SOURCES, or a header that is neither a window source's
nor includes Qt or a window header) includes no window file.

Usage: check-layers.py [ROOT]   (ROOT defaults to the checkout this script belongs to)
Prints one line per refused include, naming the file and the include, and exits with 1.
"""

import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
LIST_START = re.compile(r'list\(\s*APPEND\s+(\w+)')
LISTED_FILE = re.compile(r'\$\{CMAKE_CURRENT_LIST_DIR\}/([\w./-]+\.cpp)')
WINDOW_LISTS = {'BV_GUI_SOURCES', 'BV_DBUS_SOURCES'}


def layer_order(root):
    text = open(os.path.join(root, 'cmake', 'Sources.cmake'), encoding='utf-8').read()
    match = re.search(r'set\(BV_LAYERS\s+([^)]*)\)', text)
    if not match:
        sys.exit('check-layers: cmake/Sources.cmake names no BV_LAYERS')
    return match.group(1).split()


def source_files(root):
    """Paths under src relative to root, from git when the checkout has one, else from disk."""
    if os.path.exists(os.path.join(root, '.git')):
        try:
            out = subprocess.run(['git', '-C', root, 'ls-files', '-z', 'src/*.cpp', 'src/*.h'],
                                 check=True, capture_output=True).stdout
            return sorted(p for p in out.decode().split('\0') if p)
        except (OSError, subprocess.CalledProcessError):
            pass
    found = []
    for folder, _, names in os.walk(os.path.join(root, 'src')):
        for name in names:
            if name.endswith(('.cpp', '.h')):
                found.append(os.path.relpath(os.path.join(folder, name), root))
    return sorted(found)


def listed_sources(root, folder):
    """(core, window): names of the .cpp files a folder's sources.cmake lists in each part."""
    path = os.path.join(root, 'src', folder, 'sources.cmake')
    core, window, current = set(), set(), None
    if not os.path.exists(path):
        return core, window
    for line in open(path, encoding='utf-8'):
        start = LIST_START.search(line)
        if start:
            current = start.group(1)
        for name in LISTED_FILE.findall(line):
            (window if current in WINDOW_LISTS else core).add(name)
        if ')' in line.split('#')[0] and not start:
            current = None
    return core, window


def read_includes(root, path):
    """(line number, text, kind) of each include; kind is '"' or '<'."""
    found = []
    with open(os.path.join(root, path), encoding='utf-8', errors='replace') as f:
        for number, line in enumerate(f, 1):
            match = INCLUDE.match(line)
            if match:
                found.append((number, match.group(2), match.group(1)))
    return found


def window_files(root, files, includes):
    """The files that are window code: the listed window sources and their headers; of the
    files no list places, those that include Qt or another window file."""
    placed, window = set(), set()
    for folder in {p.split('/')[1] for p in files}:
        core_names, window_names = listed_sources(root, folder)
        for names, part in ((core_names, placed), (window_names, window)):
            for name in names:
                base = f'src/{folder}/{name}'
                part.update({base, base[:-len('.cpp')] + '.h'})
    placed |= window
    unplaced = [p for p in files if p not in placed]
    changed = True
    while changed:
        changed = False
        for path in unplaced:
            if path in window:
                continue
            for _, text, kind in includes[path]:
                if (kind == '<' and re.match(r'Q[A-Za-z]', text)) or \
                        (kind == '"' and 'src/' + text in window):
                    window.add(path)
                    changed = True
                    break
    return window


def direction(rank, folder, target):
    """Why a file of folder may not include one of target; None when it may."""
    if target == folder or (folder not in rank and target in rank):
        return None
    if folder in rank and target in rank:
        return f'from the layer {target} above {folder}' if rank[target] > rank[folder] else None
    where = 'above the layers' if folder in rank else f'beside {folder}'
    return f'from the program folder {target} {where}'


def refusals(root):
    rank = {name: i for i, name in enumerate(layer_order(root))}
    files = [p for p in source_files(root) if p.count('/') >= 2]
    includes = {p: read_includes(root, p) for p in files}
    window = window_files(root, files, includes)
    found = []
    for path in files:
        folder = path.split('/')[1]
        for number, text, kind in includes[path]:
            target = text.split('/')[0]
            if kind != '"' or '/' not in text or not os.path.isdir(os.path.join(root, 'src', target)):
                continue
            why = direction(rank, folder, target)
            if why is None and path not in window and 'src/' + text in window:
                why = 'window code in a core file'
            if why:
                found.append(f'{path}:{number}: includes "{text}", {why}')
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(
        os.path.abspath(__file__)))
    found = refusals(root)
    for line in found:
        print(line)
    if found:
        print(f'check-layers: {len(found)} include(s) run up a layer', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
