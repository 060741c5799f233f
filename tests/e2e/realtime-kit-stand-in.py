#!/usr/bin/python3
"""RealtimeKit as a client asking it for a higher priority sees it: owns
org.freedesktop.RealtimeKit1 on the system bus (DBUS_SYSTEM_BUS_ADDRESS), offers its MinNiceLevel
property and takes MakeThreadHighPriority, which it grants or refuses without changing anything.

    realtime-kit-stand-in.py LOG [--refuse] [--min-nice N]

Each call is written to LOG, one line each: "MakeThreadHighPriority TID PRIORITY", with
" refused" after it when refused. --min-nice: MinNiceLevel (default -15).
It prints "ready" once it owns the name.
"""
import argparse

import dbus
import dbus.service

from stand_in_bus import serve

NAME = "org.freedesktop.RealtimeKit1"
PROPERTIES = "org.freedesktop.DBus.Properties"


class RealtimeKit(dbus.service.Object):
    def __init__(self, bus, options):
        super().__init__(bus, "/org/freedesktop/RealtimeKit1")
        self.options = options

    def log(self, line):
        with open(self.options.log, "a", encoding="utf-8") as log:
            log.write(line + "\n")

    def values(self):
        return {"MinNiceLevel": dbus.Int32(self.options.min_nice), "MaxRealtimePriority": dbus.Int32(20),
                "RTTimeUSecMax": dbus.Int64(200000)}

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface != NAME or name not in self.values():
            raise dbus.exceptions.DBusException(
                f"no property {name}", name="org.freedesktop.DBus.Error.UnknownProperty")
        return self.values()[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.values() if interface == NAME else {}

    @dbus.service.method(NAME, in_signature="ti", out_signature="")
    def MakeThreadHighPriority(self, thread, priority):
        if self.options.refuse:
            self.log(f"MakeThreadHighPriority {thread} {priority} refused")
            raise dbus.exceptions.DBusException(
                "not allowed", name="org.freedesktop.DBus.Error.AccessDenied")
        self.log(f"MakeThreadHighPriority {thread} {priority}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("--refuse", action="store_true")
    parser.add_argument("--min-nice", type=int, default=-15)
    options = parser.parse_args()
    serve(dbus.SystemBus, NAME, lambda bus: RealtimeKit(bus, options))


if __name__ == "__main__":
    main()
