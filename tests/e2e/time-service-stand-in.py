#!/usr/bin/python3
"""systemd-timesyncd as a client of its D-Bus interface sees it: owns org.freedesktop.timesync1 on
the system bus (DBUS_SYSTEM_BUS_ADDRESS) and answers for the properties of
org.freedesktop.timesync1.Manager at /org/freedesktop/timesync1 that tell of the last NTP answer.

    time-service-stand-in.py LOG [--age SECONDS | --answered-at UTC_SECONDS] [--server NAME]
                             [--poll SECONDS] [--stratum N] [--offset-us N]
                             [--no-answer-yet | --garbage PROPERTY | --hang]

--age: the last answer came that many seconds before each call (default 5); --answered-at: it came
at that time, seconds since the epoch, whatever the clock says (for a clock under a faked time).
--server: ServerName (default ntp1.example; "" leaves only ServerAddress, 192.0.2.1).
--poll: PollIntervalUSec in seconds (default 64). --stratum: the server's (default 2).
--offset-us: how far the clock was ahead of the server, which the four timestamps of NTPMessage
tell (default 200; negative: behind). --no-answer-yet: an NTPMessage of zeros, as timesyncd has
before its first answer. --garbage: that property (ServerName, PollIntervalUSec, NTPMessage) of
another type, NTPMessage of another shape. --hang: never answers.
Each call is written to LOG, one line each ("GetAll org.freedesktop.timesync1.Manager", "Get ...").
It prints "ready" once it owns the name.
"""
import argparse
import time

import dbus
import dbus.service

from stand_in_bus import serve

NAME = "org.freedesktop.timesync1"
MANAGER = "org.freedesktop.timesync1.Manager"
PROPERTIES = "org.freedesktop.DBus.Properties"
ROUND_TRIP_US = 20000
MICROSECONDS = 1000000


def ntp_message(options):
    """leap, version, mode, stratum, precision, root delay, root dispersion, reference id, origin,
    receive, transmit, destination, spike, packet count, jitter."""
    if options.no_answer_yet:
        stamps = [0, 0, 0, 0]
        stratum = 0
    else:
        if options.answered_at is not None:
            destination = int(options.answered_at * MICROSECONDS)
        else:
            destination = int((time.time() - options.age) * MICROSECONDS)
        origin = destination - ROUND_TRIP_US
        # The server's clock is behind the clock by the offset; the answer leaves as it comes in.
        receive = origin + ROUND_TRIP_US // 2 - options.offset_us
        stamps = [origin, receive, receive, destination]
        stratum = options.stratum
    fields = [dbus.UInt32(0), dbus.UInt32(4), dbus.UInt32(4), dbus.UInt32(stratum), dbus.Int32(-20),
              dbus.UInt64(1500), dbus.UInt64(2500), dbus.Array(b"GPS\0", signature="y")]
    fields += [dbus.UInt64(stamp) for stamp in stamps]
    fields += [dbus.Boolean(False), dbus.UInt64(3), dbus.UInt64(120)]
    return dbus.Struct(fields, signature="uuuuittayttttbtt")


GARBAGE = {"ServerName": dbus.UInt32(7), "PollIntervalUSec": dbus.String("often"),
           "NTPMessage": dbus.Struct([dbus.UInt32(0), dbus.UInt32(4), dbus.UInt32(4), dbus.UInt32(2)],
                                     signature="uuuu")}


def properties(options):
    values = {
        "ServerName": dbus.String(options.server),
        "ServerAddress": dbus.Struct([dbus.Int32(2), dbus.Array(b"\xc0\x00\x02\x01", signature="y")],
                                     signature="iay"),
        "PollIntervalUSec": dbus.UInt64(options.poll * MICROSECONDS),
        "NTPMessage": ntp_message(options),
    }
    if options.garbage:
        values[options.garbage] = GARBAGE[options.garbage]
    return values


class Manager(dbus.service.Object):
    def __init__(self, bus, options):
        super().__init__(bus, "/org/freedesktop/timesync1")
        self.options = options

    def log(self, line):
        with open(self.options.log, "a", encoding="utf-8") as log:
            log.write(line + "\n")

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}",
                         async_callbacks=("reply", "error"))
    def GetAll(self, interface, reply, error):
        self.log(f"GetAll {interface}")
        if self.options.hang:
            return
        reply(properties(self.options) if interface == MANAGER else {})

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v",
                         async_callbacks=("reply", "error"))
    def Get(self, interface, name, reply, error):
        self.log(f"Get {interface} {name}")
        if self.options.hang:
            return
        values = properties(self.options)
        if interface != MANAGER or name not in values:
            error(dbus.exceptions.DBusException(
                f"no property {name}", name="org.freedesktop.DBus.Error.UnknownProperty"))
        else:
            reply(values[name])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    when = parser.add_mutually_exclusive_group()
    when.add_argument("--age", type=float, default=5)
    when.add_argument("--answered-at", type=float)
    parser.add_argument("--server", default="ntp1.example")
    parser.add_argument("--poll", type=int, default=64)
    parser.add_argument("--stratum", type=int, default=2)
    parser.add_argument("--offset-us", type=int, default=200)
    answer = parser.add_mutually_exclusive_group()
    answer.add_argument("--no-answer-yet", action="store_true")
    answer.add_argument("--garbage", choices=GARBAGE)
    answer.add_argument("--hang", action="store_true")
    options = parser.parse_args()
    serve(dbus.SystemBus, NAME, lambda bus: Manager(bus, options))


if __name__ == "__main__":
    main()
