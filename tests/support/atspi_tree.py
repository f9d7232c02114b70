#!/usr/bin/env python3
"""What the accessibility bus shows of one program, read as a screen reader reads it.
Usage: atspi_tree.py PID. For each window title on stdin, one line of JSON once the window shows
({} after 20 s): "unnamed", the roles of the enabled controls a keyboard reaches that
a screen reader can name by nothing; "table", the first table's name, rows, columns,
columnHeaders, rowHeaders and cells (names); "lists", each list's labels by its name.
"""
import json
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402, F401 (GLib for its users)

warnings.simplefilter("ignore", DeprecationWarning)


def children(node):
    return [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]


def states(node):
    return [s.value_nick for s in node.get_state_set().get_states()]


def showing(node):
    """`node` and what shows under it; a table's cells and a list's entries are its own."""
    yield node
    if node.get_role_name() not in ("table", "combo box"):
        for child in children(node):
            if "showing" in states(child):
                yield from showing(child)


def labels(node):
    return [r.get_target(i).get_name() for r in node.get_relation_set() or []
            if r.get_relation_type() == Atspi.RelationType.LABELLED_BY
            for i in range(r.get_n_targets())]


def named(node):
    """A list is named by the labels that label it (its own name is its value), anything else
    by its name or labels; cells and items by their values, maybe empty."""
    role = node.get_role_name()
    return labels(node) or (role != "combo box" and node.get_name()) or \
        role.endswith(("cell", "item")) or \
        not {"focusable", "enabled"} <= set(states(node))


def table(node):
    t = node.get_table_iface()
    rows, columns = t.get_n_rows(), t.get_n_columns()
    return {"name": node.get_name(), "rows": rows, "columns": columns,
            "columnHeaders": [t.get_column_header(c).get_name() for c in range(columns)],
            "rowHeaders": [t.get_row_header(r).get_name() for r in range(rows)],
            "cells": [[t.get_accessible_at(r, c).get_name() for c in range(columns)]
                      for r in range(rows)]}


def describe(window):
    nodes = list(showing(window))
    tables = [table(n) for n in nodes if n.get_role_name() == "table" and n.get_table_iface()]
    return {"unnamed": [n.get_role_name() for n in nodes if not named(n)],
            "table": tables[0] if tables else {},
            "lists": {n.get_name(): labels(n) for n in nodes if n.get_role_name() == "combo box"}}


def window(pid, matches):
    """The program's showing window for which `matches` holds."""
    apps = children(Atspi.get_desktop(0))
    app = next((a for a in apps if a.get_process_id() == pid), None)
    return next((w for w in children(app) if matches(w) and "showing" in states(w)),
                None) if app else None


def main():
    pid = int(sys.argv[1])
    for title in (line.rstrip("\n") for line in sys.stdin):
        deadline = time.monotonic() + 20
        while (found := window(pid, lambda w: w.get_name() == title)) is None \
                and time.monotonic() < deadline:
            time.sleep(0.1)
        print(json.dumps(describe(found) if found else {}, ensure_ascii=False), flush=True)


if __name__ == "__main__":
    main()
