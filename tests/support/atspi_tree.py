#!/usr/bin/env python3
"""What the accessibility bus shows of one program, read as a screen reader reads it.

Usage: atspi_tree.py PID. For every line read from stdin it prints one line of JSON: the
program's showing windows, each a tree of nodes {role, name, description, states, labels,
value, children}; a table gives {rows, columns, columnHeaders, rowHeaders, cells} (the cells'
names) instead of its children; a list's own list is left out. Only showing nodes are listed.
"""
import json
import sys
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)


def states(node):
    return sorted(s.value_nick for s in node.get_state_set().get_states())


def labels(node):
    names = []
    for relation in node.get_relation_set() or []:
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            for i in range(relation.get_n_targets()):
                names.append(relation.get_target(i).get_name())
    return names


def table(node):
    t = node.get_table_iface()
    rows, columns = t.get_n_rows(), t.get_n_columns()

    def name(cell):
        return cell.get_name() if cell else None

    return {
        "rows": rows,
        "columns": columns,
        "columnHeaders": [name(t.get_column_header(c)) for c in range(columns)],
        "rowHeaders": [name(t.get_row_header(r)) for r in range(rows)],
        "cells": [[name(t.get_accessible_at(r, c)) for c in range(columns)] for r in range(rows)],
    }


def describe(node):
    role = node.get_role_name()
    result = {
        "role": role,
        "name": node.get_name(),
        "description": node.get_description(),
        "states": states(node),
        "labels": labels(node),
    }
    value = node.get_value_iface()
    if value:
        result["value"] = value.get_current_value()
    if role in ("table", "tree table") and node.get_table_iface():
        result["table"] = table(node)
        return result
    if role == "combo box":
        return result  # its list is not shown until it drops down
    children = []
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child and "showing" in states(child):
            children.append(describe(child))
    result["children"] = children
    return result


def program(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app and app.get_process_id() == pid:
            return app
    return None


def windows(pid):
    app = program(pid)
    if not app:
        return []
    shown = []
    for i in range(app.get_child_count()):
        window = app.get_child_at_index(i)
        if window and "showing" in states(window):
            shown.append(describe(window))
    return shown


def main():
    pid = int(sys.argv[1])
    for _ in sys.stdin:
        print(json.dumps(windows(pid), ensure_ascii=False), flush=True)


if __name__ == "__main__":
    main()
