#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the named objects of the given roles that a running program shows on the accessibility
bus, as a screen reader finds them: "name|description|states" a line, line breaks as "\\n", the
states selected and focused; at most 20 children of any object, as a reader reads a long list a
screenful at a time.   atspi_tree.py PID ROLE[,ROLE...]"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

STATES = (("selected", Atspi.StateType.SELECTED), ("focused", Atspi.StateType.FOCUSED))


def walk(node, roles):
    states = node.get_state_set()
    if node.get_role_name() in roles and node.get_name():
        texts = [(text or "").replace("\n", "\\n") for text in (node.get_name(), node.get_description())]
        print("|".join(texts + [",".join(name for name, state in STATES if states.contains(state))]))
    for i in range(min(node.get_child_count(), 20)):
        child = node.get_child_at_index(i)
        # What is not on the screen (the frame's hidden panels) a reader does not present.
        if child is not None and child.get_state_set().contains(Atspi.StateType.SHOWING):
            walk(child, roles)


def main():
    pid, roles = int(sys.argv[1]), sys.argv[2].split(",")
    for _ in range(100):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            application = desktop.get_child_at_index(i)
            if application is not None and application.get_process_id() == pid:
                walk(application, roles)
                return 0
        time.sleep(0.2)
    print("no program with process id %d on the accessibility bus" % pid)
    return 1


if __name__ == "__main__":
    sys.exit(main())
