#!/usr/bin/python3
"""Prints what a screen reader finds in a running program, read over AT-SPI from outside.

    atspi_tree.py PID

One line per accessible object, depth first, fields separated by tabs: the role as a screen reader
names it (Qt's clock has no AT-SPI role of its own: "unknown", whose name Qt gives as "clock"),
the name, the description, and the text (Text interface) or else the value (Value interface).
Tabs, line breaks and backslashes in a field are written as \\t, \\n and \\\\.
Exits with 2 when no program with that process id has joined the accessibility bus.
"""
import sys

import pyatspi


def field(value):
    return value.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def shown(accessible):
    try:
        return accessible.queryText().getText(0, -1)
    except NotImplementedError:
        pass
    try:
        return "%g" % accessible.queryValue().currentValue
    except NotImplementedError:
        return ""


def print_tree(accessible):
    print("\t".join(field(value) for value in (accessible.getLocalizedRoleName(), accessible.name,
                                               accessible.description, shown(accessible))))
    for child in accessible:
        print_tree(child)


def main():
    pid = int(sys.argv[1])
    for application in pyatspi.Registry.getDesktop(0):
        if application is not None and application.get_process_id() == pid:
            print_tree(application)
            return 0
    print("no program with process id %d on the accessibility bus" % pid, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
