"""What every stand-in service does to be on its bus: a GLib main loop for dbus-python, the service
object made, its well-known name owned, "ready" printed for the test waiting on it, then served
until the test ends it."""
import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib


def serve(bus_kind, name, make_service):
    """bus_kind: dbus.SessionBus or dbus.SystemBus; make_service(bus) makes the exported object."""
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = bus_kind()
    service = make_service(bus)
    owned = dbus.service.BusName(name, bus, do_not_queue=True)
    print("ready", flush=True)
    GLib.MainLoop().run()
    del owned, service
