#!/usr/bin/python3
"""A desktop's service that keeps the screen awake, as far as a program asking it sees it: owns one
of the standard names on the session bus and writes each call it takes to a file, one line each.

    screen-saver-stand-in.py LOG FIRST_COOKIE [--service screensaver|gnome|portal] [--refuse]
                             [--late SECONDS]

screensaver: org.freedesktop.ScreenSaver, "Inhibit N" and "UnInhibit N".
gnome: org.gnome.SessionManager, "Inhibit N flags F" and "Uninhibit N".
portal: org.freedesktop.portal.Desktop, "Inhibit N flags F" and "Close N" (the request object's).
With --refuse it answers Inhibit with an error ("Inhibit refused"), as a service that cannot
inhibit does; with --late it answers only after that many seconds, and logs the call as it answers.
It prints "ready" once it owns the name.
"""
import argparse

import dbus
import dbus.service

from stand_in_bus import serve
from gi.repository import GLib

SCREEN_SAVER = "org.freedesktop.ScreenSaver"
SESSION_MANAGER = "org.gnome.SessionManager"
PORTAL = "org.freedesktop.portal.Desktop"
PORTAL_INHIBIT = "org.freedesktop.portal.Inhibit"
PORTAL_REQUEST = "org.freedesktop.portal.Request"


class Calls:
    def __init__(self, log, first_cookie, refuse, late):
        self.log = log
        self.next_cookie = first_cookie
        self.refuse = refuse
        self.late = late

    def write(self, line):
        with open(self.log, "a", encoding="utf-8") as log:
            log.write(line + "\n")

    def inhibit(self, reply, error, described, answer=lambda cookie: cookie):
        """Answers an Inhibit call now or late; `described` words the log line from the cookie."""

        def respond():
            if self.refuse:
                self.write("Inhibit refused")
                error(dbus.exceptions.DBusException(
                    "inhibiting is off", name="org.freedesktop.DBus.Error.NotSupported"))
            else:
                cookie = self.next_cookie
                self.next_cookie += 1
                self.write(described(cookie))
                reply(answer(cookie))
            return False

        if self.late:
            GLib.timeout_add(int(self.late * 1000), respond)
        else:
            respond()


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, calls):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.calls = calls

    @dbus.service.method(SCREEN_SAVER, in_signature="ss", out_signature="u",
                         async_callbacks=("reply", "error"))
    def Inhibit(self, application, reason, reply, error):
        self.calls.inhibit(reply, error, lambda cookie: f"Inhibit {cookie}")

    @dbus.service.method(SCREEN_SAVER, in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        self.calls.write(f"UnInhibit {cookie}")


class SessionManager(dbus.service.Object):
    def __init__(self, bus, calls):
        super().__init__(bus, "/org/gnome/SessionManager")
        self.calls = calls

    @dbus.service.method(SESSION_MANAGER, in_signature="susu", out_signature="u",
                         async_callbacks=("reply", "error"))
    def Inhibit(self, application, window, reason, flags, reply, error):
        self.calls.inhibit(reply, error, lambda cookie: f"Inhibit {cookie} flags {flags}")

    @dbus.service.method(SESSION_MANAGER, in_signature="u", out_signature="")
    def Uninhibit(self, cookie):
        self.calls.write(f"Uninhibit {cookie}")


class PortalRequest(dbus.service.Object):
    def __init__(self, bus, path, calls, cookie):
        super().__init__(bus, path)
        self.calls = calls
        self.cookie = cookie

    @dbus.service.method(PORTAL_REQUEST, in_signature="", out_signature="")
    def Close(self):
        self.calls.write(f"Close {self.cookie}")
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus, calls):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.bus = bus
        self.calls = calls
        self.requests = []

    @dbus.service.method(PORTAL_INHIBIT, in_signature="sua{sv}", out_signature="o",
                         async_callbacks=("reply", "error"))
    def Inhibit(self, window, flags, options, reply, error):
        def request(cookie):
            path = f"/org/freedesktop/portal/desktop/request/{cookie}"
            self.requests.append(PortalRequest(self.bus, path, self.calls, cookie))
            return dbus.ObjectPath(path)

        self.calls.inhibit(reply, error, lambda cookie: f"Inhibit {cookie} flags {flags}", request)


SERVICES = {"screensaver": (SCREEN_SAVER, ScreenSaver), "gnome": (SESSION_MANAGER, SessionManager),
            "portal": (PORTAL, Portal)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("first_cookie", type=int)
    parser.add_argument("--service", choices=SERVICES, default="screensaver")
    parser.add_argument("--refuse", action="store_true")
    parser.add_argument("--late", type=float, default=0)
    arguments = parser.parse_args()
    name, kind = SERVICES[arguments.service]
    calls = Calls(arguments.log, arguments.first_cookie, arguments.refuse, arguments.late)
    serve(dbus.SessionBus, name, lambda bus: kind(bus, calls))


if __name__ == "__main__":
    main()
