#!/usr/bin/env python3
"""What the accessibility bus shows of one program, read as a screen reader reads it.
Usage: atspi_tree.py PID. For each window title on stdin, one line of JSON once the window
shows ({} after 20 s): its showing nodes {role, name, states, labels, value, children}, a
table's cells as "table" {rows, columns, columnHeaders, rowHeaders, cells} (names) instead of
children, a list's none; and "unnamed", the roles of the enabled controls a keyboard reaches
that a screen reader can name by nothing.
"""
import json
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)


def children(node):
    return [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]


def states(node):
    return [s.value_nick for s in node.get_state_set().get_states()]


def labels(node):
    return [r.get_target(i).get_name() for r in node.get_relation_set() or []
            if r.get_relation_type() == Atspi.RelationType.LABELLED_BY
            for i in range(r.get_n_targets())]


def table(node):
    t = node.get_table_iface()
    rows, columns = t.get_n_rows(), t.get_n_columns()
    return {"rows": rows, "columns": columns,
            "columnHeaders": [t.get_column_header(c).get_name() for c in range(columns)],
            "rowHeaders": [t.get_row_header(r).get_name() for r in range(rows)],
            "cells": [[t.get_accessible_at(r, c).get_name() for c in range(columns)]
                      for r in range(rows)]}


def describe(node):
    role = node.get_role_name()
    result = {"role": role, "name": node.get_name(), "states": states(node),
              "labels": labels(node)}
    if node.get_value_iface():
        result["value"] = node.get_value_iface().get_current_value()
    if role == "table" and node.get_table_iface():
        result["table"] = table(node)
    elif role != "combo box":  # a list's own list is not shown until it drops down
        result["children"] = [describe(c) for c in children(node) if "showing" in states(c)]
    return result


def unnamed(node):
    """A list is named by the labels that label it (its own name is its value), anything else
    by its name or labels; cells and items by their values, maybe empty."""
    role = node["role"]
    named = node["labels"] or (role != "combo box" and node["name"])
    reached = {"focusable", "enabled"} <= set(node["states"])
    own = [role] if reached and not named and not role.endswith(("cell", "item")) else []
    return own + [r for c in node.get("children", []) for r in unnamed(c)]


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
        tree = describe(found) if found else {}
        if tree:
            tree["unnamed"] = unnamed(tree)
        print(json.dumps(tree, ensure_ascii=False), flush=True)


if __name__ == "__main__":
    main()
