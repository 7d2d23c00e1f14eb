#!/usr/bin/env python3
"""Holds every #include of the project to the targets' dependencies.

A target may include headers of its own folder and of the folders of the targets it depends
on, directly or through them. Each source of a target is followed through every project
header it includes, so a header that reaches too far is caught in each target that
compiles it; headers no source reaches are held to what their folder's targets may include.
The core folders include no Qt header at all. The build writes layering.txt, one target a
line: "target<TAB>folder<TAB>deps<TAB>sources", the lists space-separated.

    check_layering.py SOURCE_DIR LAYERING_TXT
Prints each wrong include as "file:line: includes header (folder), which target does not
depend on" and ends with status 1 when there is one.
"""
import os
import re
import sys

CORE_FOLDERS = ("platform", "text", "decoder", "colour", "library", "jpeg")
SOURCE_SUFFIXES = (".h", ".cpp")
QUOTED_INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
QT_INCLUDE = re.compile(r"^\s*#\s*include\s+<Q")


class Target:
    def __init__(self, folder, deps, sources):
        self.folder, self.deps, self.sources = folder, deps, sources


def read_targets(layering_txt):
    """{name: Target} from the build's layering file."""
    targets = {}
    with open(layering_txt) as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 4:
                name, folder, deps, sources = fields
                targets[name] = Target(folder, deps.split(), sources.split())
    return targets


def reach(name, targets):
    """The folders target name may include from: its own and its dependencies', through
    every level."""
    seen, pending = set(), [name]
    while pending:
        current = pending.pop()
        if current not in seen and current in targets:
            seen.add(current)
            pending.extend(targets[current].deps)
    return {targets[t].folder for t in seen}


def owning_folder(path, folders):
    """The longest target folder that holds path (relative, '/'-separated), or None."""
    best = None
    for folder in folders:
        if path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


class Tree:
    """The project's files and their quoted includes of project files."""

    def __init__(self, source_dir):
        self.source_dir = source_dir
        self.cache = {}

    def includes(self, path):
        """[(line number, included project path)] of path."""
        if path not in self.cache:
            found = []
            with open(os.path.join(self.source_dir, path), encoding="utf-8",
                      errors="replace") as f:
                for number, line in enumerate(f, 1):
                    match = QUOTED_INCLUDE.match(line)
                    if match and os.path.isfile(os.path.join(self.source_dir, match.group(1))):
                        found.append((number, match.group(1)))
            self.cache[path] = found
        return self.cache[path]

    def files(self):
        for root, dirs, names in os.walk(self.source_dir):
            dirs[:] = [d for d in dirs if not d.startswith(".") and d != "build"]
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(root, name),
                                          self.source_dir).replace(os.sep, "/")


def wrong_includes(tree, start, may_include, folders, who, visited):
    """Every include reached from start whose folder is outside may_include."""
    pending = [start]
    while pending:
        path = pending.pop()
        if path in visited:
            continue
        visited.add(path)
        for number, header in tree.includes(path):
            home = owning_folder(header, folders)
            if home is not None and home not in may_include:
                yield f"{path}:{number}: includes {header} ({home}), which {who} does not depend on"
            else:
                pending.append(header)


def problems(source_dir, targets):
    tree = Tree(source_dir)
    folders = {t.folder for t in targets.values()}
    found, reached = [], set()
    folder_reach = {}
    for name, target in targets.items():
        may_include = reach(name, targets)
        folder_reach.setdefault(target.folder, set()).update(may_include)
        visited = set()
        for source in target.sources:
            found.extend(wrong_includes(tree, source, may_include, folders, name, visited))
        reached |= visited
    for path in tree.files():
        folder = owning_folder(path, folders)
        if folder is None:
            continue
        if folder.split("/")[0] in CORE_FOLDERS:
            with open(os.path.join(source_dir, path), encoding="utf-8", errors="replace") as f:
                found.extend(f"{path}:{number}: includes a Qt header in the core"
                             for number, line in enumerate(f, 1) if QT_INCLUDE.match(line))
        if path not in reached:
            found.extend(wrong_includes(tree, path, folder_reach[folder], folders, folder, set()))
    return sorted(set(found))


def main(argv):
    if len(argv) != 3:
        print("usage: check_layering.py SOURCE_DIR LAYERING_TXT", file=sys.stderr)
        return 2
    found = problems(argv[1], read_targets(argv[2]))
    for problem in found:
        print(problem)
    if found:
        print(f"{len(found)} include(s) outside the targets' dependencies")
        return 1
    print("every include is within its target's dependencies")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
