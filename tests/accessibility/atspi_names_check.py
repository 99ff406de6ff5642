#!/usr/bin/env python3
"""Reads the Quendrel main window over AT-SPI and checks that a screen reader
can name every control: the search button, the count line, the device grid
(named for its devices, with its column headers and rows), and that no
focusable control is left without a name. With QUENDREL_ATSPI_SEARCH set to
"MODEL IP" (in a simulated LAN) it also presses the search button through
AT-SPI and reads the new count line, the grid's name and the device's row.
Exit 77 when no accessibility bus answers or the window never shows up on it."""

import os
import sys
import time

import pyatspi

HEADERS = ["Model", "Project", "Name", "IP", "Port", "Netmask", "MAC"]
NAMED_ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX,
               pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_TABLE, pyatspi.ROLE_CHECK_BOX}


def find_window(limit=20.0):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        try:
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is not None and app.name.lower() == "quendrel":
                    for window in app:
                        if window is not None and window.name.startswith("Quendrel"):
                            return window
        except Exception:  # the bus is still coming up
            pass
        time.sleep(0.3)
    return None


def walk(node, depth=0):
    yield node
    if depth > 30:
        return
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def check_search(window, table, device, expect):
    """Presses the search button as a screen reader user would and waits for
    the count line to announce the device, then reads its row."""
    button = next(n for n in walk(window) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "Quendrel")
    actions = button.queryAction()
    expect(actions.nActions > 0, "the search button has an action")
    actions.doAction(0)
    found = "1 device(s) found!"
    end = time.monotonic() + 20
    labels = []
    while time.monotonic() < end:
        labels = [n.name for n in walk(window) if n.getRole() == pyatspi.ROLE_LABEL]
        if found in labels:
            break
        time.sleep(0.3)
    expect(found in labels, f"count line {found!r} after the search, saw {labels}")
    expect(table.name == found, f"grid named {found!r} after the search, not {table.name!r}")
    t = table.queryTable()
    rows = []
    for r in range(t.nRows):
        cells = [t.getAccessibleAt(r, c) for c in range(t.nColumns)]
        rows.append([c.name if c is not None else "" for c in cells])
    expect(any(all(word in row for word in device) for row in rows), f"a row with {device}, rows {rows}")
    print(f"searched: {found!r} read, {len(rows)} rows")


def main():
    window = find_window()
    if window is None:
        print("SKIP: the window did not appear on the accessibility bus")
        return 77
    nodes = [n for n in walk(window) if n.getState().contains(pyatspi.STATE_SHOWING)]
    failures = []

    def expect(ok, what):
        if not ok:
            failures.append(what)

    roles = [(n.getRole(), n.name) for n in nodes]
    expect((pyatspi.ROLE_PUSH_BUTTON, "Quendrel") in roles, "search button named 'Quendrel'")
    expect((pyatspi.ROLE_LABEL, "0 device(s) found!") in roles, "count line '0 device(s) found!'")
    tables = [n for n in nodes if n.getRole() == pyatspi.ROLE_TABLE]
    expect(len(tables) == 1, f"one table, found {len(tables)}")
    if tables:
        table = tables[0]
        expect(table.name == "0 device(s) found!", f"grid named for its devices, not {table.name!r}")
        t = table.queryTable()
        headers = [t.getColumnDescription(c) or (t.getColumnHeader(c).name if t.getColumnHeader(c) else "")
                   for c in range(t.nColumns)]
        expect(headers[:len(HEADERS)] == HEADERS, f"column headers {headers}")
        expect(t.nRows >= 1, f"the grid's rows reach AT-SPI ({t.nRows})")
    for node in nodes:
        if node.getRole() in NAMED_ROLES and node.getState().contains(pyatspi.STATE_FOCUSABLE):
            expect(bool(node.name.strip()), f"a {node.getRoleName()} without a name")
    search = os.environ.get("QUENDREL_ATSPI_SEARCH", "").split()
    if search and tables:
        check_search(window, tables[0], search, expect)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(nodes)} controls read, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
