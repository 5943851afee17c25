#!/usr/bin/python3
"""The program as a screen reader meets it: find the controls by their
accessible names, press Start, choose the default set-up, read the count of
channel 0 by its name ("Count CH0") until it shows a number, then exit from the
File menu. Exit status 0 on success, 1 with a reason otherwise."""

import sys
import time

import pyatspi

TIMEOUT = float(sys.argv[1]) if len(sys.argv) > 1 else 60.0


def fail(reason):
    print("FAIL: " + reason, file=sys.stderr)
    sys.exit(1)


def program():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "mfs380a":
            return app
    return None


def find(node, name, role):
    """The first node below node with this accessible name and role."""
    try:
        if node.name == name and node.getRoleName() == role:
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), name, role)
            if found is not None:
                return found
    except Exception:  # a node that went away while we looked
        pass
    return None


def wait_for(what, look, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        found = look()
        if found is not None:
            return found
        time.sleep(0.2)
    fail("no " + what + " within %.0f s" % timeout)


def control(name, role):
    def look():
        app = program()
        return find(app, name, role) if app is not None else None
    return wait_for('%s "%s"' % (role, name), look)


def press(node):
    node.queryAction().doAction(0)


def value(node):
    """A read-out's value: its description (its name says what it is)."""
    return node.description


def main():
    wait_for("program on the accessibility bus", program)
    count = control("Count CH0", "label")
    if value(count) != "N/A":
        fail('"Count CH0" shows %r before the start' % value(count))
    for n in range(6):
        control("CH%d" % n, "check box")

    press(control("Start", "push button"))
    press(control("Start Streaming with Default Setup", "push button"))

    def counting():
        shown = value(count)
        return shown if shown.isdigit() and int(shown) > 0 else None
    shown = wait_for('number in "Count CH0"', counting)
    control("LTA CH0", "label")
    control("Delta CH0", "label")
    print("Count CH0 = " + shown)

    press(control("Stop", "push button"))
    control("Start", "push button")
    press(control("Exit", "menu item"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
