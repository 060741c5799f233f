#!/usr/bin/python3
"""A desktop's screen saver, as far as a program that keeps the screen awake sees it: owns
org.freedesktop.ScreenSaver on the session bus and writes each call to a file, one line each.

    screen-saver-stand-in.py LOG FIRST_COOKIE [--refuse]

With --refuse it answers Inhibit with an error, as a service that cannot inhibit does. It prints
"ready" once it owns the name.
"""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

INTERFACE = "org.freedesktop.ScreenSaver"


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, log, first_cookie, refuse):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.log = log
        self.next_cookie = first_cookie
        self.refuse = refuse

    def write(self, line):
        with open(self.log, "a", encoding="utf-8") as log:
            log.write(line + "\n")

    @dbus.service.method(INTERFACE, in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        if self.refuse:
            self.write("Inhibit refused")
            raise dbus.exceptions.DBusException("inhibiting is off", name="org.freedesktop.DBus.Error.NotSupported")
        cookie = self.next_cookie
        self.next_cookie += 1
        self.write(f"Inhibit {cookie}")
        return cookie

    @dbus.service.method(INTERFACE, in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        self.write(f"UnInhibit {cookie}")


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(INTERFACE, bus, do_not_queue=True)
    service = ScreenSaver(bus, sys.argv[1], int(sys.argv[2]), "--refuse" in sys.argv[3:])
    print("ready", flush=True)
    GLib.MainLoop().run()
    del name, service


if __name__ == "__main__":
    main()
