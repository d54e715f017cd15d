#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer above its own, or a Qt header
its layer may not use, or when two units (a .cpp with its header) include each other.

The layers, from the bottom: model, files, capture/matching, capture (with its console
backends and sounds), views, ui; cli and app sit on top, apart from each other;
tools/console_bridge stands alone (but for the protocol it shares with its client and
the generated product.h, which gives every program its one version).
model, files and capture use the standard library
only; views may use QtCore and QtGui, never QtWidgets.

usage: check_layers.py SOURCE_ROOT QT_WIDGETS_INCLUDE_DIR
"""
import os
import re
import sys

# What the bridge shares with the capture's client of it: the wire protocol and the
# console text's cleaning, both standard-library only; and with every program, the
# product's name and version.
SHARED_WITH_BRIDGE = {"capture/console/bridge_protocol.h", "capture/console/console_text.h",
                      "product.h"}
RANK = {"model": 0, "files": 1, "capture/matching": 2, "capture": 3, "views": 4, "ui": 5,
        "cli": 6, "app": 6}
QT_FREE = {"model", "files", "capture/matching", "capture"}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def layer_of(path):
    """The layer of a path below src/ ("capture/console/x.h" is in capture)."""
    if path.startswith("capture/matching/"):
        return "capture/matching"
    return path.split("/", 1)[0]


def check_file(root, relative, widgets):
    text = open(os.path.join(root, relative), encoding="utf-8", errors="replace").read()
    faults = []
    if relative.startswith("tools/"):
        for quote, header in INCLUDE.findall(text):
            if quote == '"' and not header.startswith("console_bridge/") and \
                    header not in SHARED_WITH_BRIDGE:
                faults.append(f"{relative}: the console bridge stands alone, "
                              f"but includes {header}")
        return faults
    own = layer_of(relative[len("src/"):])
    for quote, header in INCLUDE.findall(text):
        is_qt = quote == "<" and re.match(r"Qt|Q[A-Z]", header)
        if is_qt and own in QT_FREE:
            faults.append(f"{relative}: {own} uses the standard library only, "
                          f"but includes <{header}>")
        elif is_qt and own == "views" and os.path.basename(header) in widgets:
            faults.append(f"{relative}: views may not use widgets, but includes <{header}>")
        if quote != '"' or "/" not in header or header.startswith("ui_"):
            continue
        other = layer_of(header)
        if other not in RANK:
            continue
        above = RANK[other] > RANK[own] or (RANK[other] == RANK[own] and other != own)
        if above:
            faults.append(f"{relative}: {own} may not include {header} ({other} is above it)")
    return faults


def mutual_includes(root):
    """Pairs of units below src/ of which each includes the other's header."""
    uses = {}
    for folder, _, names in os.walk(os.path.join(root, "src")):
        for name in names:
            if name.endswith((".h", ".cpp")):
                path = os.path.join(folder, name)
                unit = os.path.splitext(os.path.relpath(path, os.path.join(root, "src")))[0]
                text = open(path, encoding="utf-8", errors="replace").read()
                headers = {os.path.splitext(h)[0] for q, h in INCLUDE.findall(text) if q == '"'}
                uses.setdefault(unit.replace(os.sep, "/"), set()).update(headers - {unit})
    return sorted({tuple(sorted((a, b))) for a, used in uses.items() for b in used
                   if a in uses.get(b, ())})


def main():
    root, widgets_dir = sys.argv[1], sys.argv[2]
    widgets = set(os.listdir(widgets_dir)) if os.path.isdir(widgets_dir) else set()
    if not widgets:
        print(f"no QtWidgets headers found in {widgets_dir}", file=sys.stderr)
        return 2
    faults = []
    checked = 0
    for top in ("src", "tools"):
        for folder, _, names in os.walk(os.path.join(root, top)):
            for name in sorted(names):
                if name.endswith((".h", ".cpp", ".h.in")):
                    relative = os.path.relpath(os.path.join(folder, name), root)
                    faults += check_file(root, relative.replace(os.sep, "/"), widgets)
                    checked += 1
    for a, b in mutual_includes(root):
        faults.append(f"src/{a} and src/{b} include each other")
    for fault in faults:
        print(fault)
    print(f"{checked} files checked, {len(faults)} layer faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
