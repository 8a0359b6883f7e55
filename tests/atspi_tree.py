#!/usr/bin/python3
"""Prints the accessible tree of one running program as a screen reader reads it over AT-SPI.

Usage: atspi_tree.py PID [ITEMS]. One line per object: indentation, role, name, description
and the states selected and focused, separated by "|"; line breaks inside texts print as "\\n".
Only objects on the screen are printed, and at most ITEMS children (default 20) are read below any one object, as a reader shows a long
list a screenful at a time. Exits with 1 when the program does not appear on the bus.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find_application(pid, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            if application is not None and application.get_process_id() == pid:
                return application
        time.sleep(0.2)
    return None


def text(value):
    return (value or "").replace("\\", "\\\\").replace("\n", "\\n").replace("|", "\\|")


def dump(node, depth, items, lines):
    states = node.get_state_set()
    marks = [name for name, state in (("selected", Atspi.StateType.SELECTED),
                                      ("focused", Atspi.StateType.FOCUSED))
             if states.contains(state)]
    lines.append("%s%s|%s|%s|%s" % ("  " * depth, node.get_role_name(), text(node.get_name()),
                                    text(node.get_description()), ",".join(marks)))
    for i in range(min(node.get_child_count(), items)):
        child = node.get_child_at_index(i)
        # What is not on the screen (the frame's hidden panels) a reader does not present.
        if child is not None and child.get_state_set().contains(Atspi.StateType.SHOWING):
            dump(child, depth + 1, items, lines)


def main():
    pid = int(sys.argv[1])
    items = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    application = find_application(pid)
    if application is None:
        print("no application with process id %d on the accessibility bus" % pid)
        return 1
    lines = []
    dump(application, 0, items, lines)
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
