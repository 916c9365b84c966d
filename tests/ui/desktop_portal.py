#!/usr/bin/python3
# A desktop portal for the screen capture tests: owns org.freedesktop.portal.Desktop on the
# bus of DBUS_SESSION_BUS_ADDRESS and answers the way a desktop's portal does, through
# Request objects whose Response signal follows the method call.
# Usage: desktop_portal.py LOG PICTURE ANSWER [--shortcuts]
#   LOG      every call is appended to this file as one line
#   PICTURE  the file a granted Screenshot hands out
#   ANSWER   the Screenshot's response: 0 granted, 1 cancelled by the user, 2 refused
#   --shortcuts  also offer GlobalShortcuts; a bound shortcut is activated soon after
# Prints "ready" once the name is owned, then serves until it is terminated.
import pathlib
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PORTAL_NAME = "org.freedesktop.portal.Desktop"
PORTAL_PATH = "/org/freedesktop/portal/desktop"
SCREENSHOT = "org.freedesktop.portal.Screenshot"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"

log_path, picture, answer = sys.argv[1], sys.argv[2], int(sys.argv[3])
offer_shortcuts = "--shortcuts" in sys.argv[4:]


def log(line):
    with open(log_path, "a") as log_file:
        log_file.write(line + "\n")


def handle_path(kind, sender, token):
    return "%s/%s/%s/%s" % (PORTAL_PATH, kind, sender[1:].replace(".", "_"), token)


class Request(dbus.service.Object):
    @dbus.service.signal("org.freedesktop.portal.Request", signature="ua{sv}")
    def Response(self, response, results):
        pass


def answer_later(path, response, results):
    """The Request object at `path` answers once the method call has returned."""
    request = Request(bus, path)

    def respond():
        request.Response(dbus.UInt32(response), dbus.Dictionary(results, signature="sv"))
        request.remove_from_connection()
        return False

    GLib.timeout_add(50, respond)
    return dbus.ObjectPath(path)


class Session(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Session", in_signature="", out_signature="")
    def Close(self):
        log("Close " + self.__dbus_object_path__)
        self.remove_from_connection()


class Portal(dbus.service.Object):
    @dbus.service.method(SCREENSHOT, in_signature="sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def Screenshot(self, parent_window, options, sender):
        log("Screenshot interactive=%s" % ("true" if options.get("interactive") else "false"))
        path = handle_path("request", sender, options["handle_token"])
        results = {"uri": pathlib.Path(picture).as_uri()} if answer == 0 else {}
        return answer_later(path, answer, results)

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss",
                         out_signature="v")
    def Get(self, interface, name):
        if offer_shortcuts and interface == SHORTCUTS and name == "version":
            return dbus.UInt32(1)
        raise dbus.exceptions.DBusException(
            "No property %s of %s" % (name, interface),
            name="org.freedesktop.DBus.Error.UnknownProperty")


class ShortcutsPortal(Portal):
    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o",
                         sender_keyword="sender")
    def CreateSession(self, options, sender):
        session = handle_path("session", sender, options["session_handle_token"])
        Session(bus, session)
        log("CreateSession " + session)
        path = handle_path("request", sender, options["handle_token"])
        return answer_later(path, 0, {"session_handle": session})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender):
        for shortcut_id, properties in shortcuts:
            log("BindShortcuts %s %s" % (shortcut_id, properties.get("preferred_trigger")))
        path = handle_path("request", sender, options["handle_token"])
        bound = dbus.Array(
            [(shortcut_id, {"trigger_description": properties.get("preferred_trigger", "")})
             for shortcut_id, properties in shortcuts], signature="(sa{sv})")
        # The user presses the key a moment later.
        GLib.timeout_add(300, self.press, session, shortcuts[0][0])
        return answer_later(path, 0, {"shortcuts": bound})

    def press(self, session, shortcut_id):
        log("Activated " + shortcut_id)
        self.Activated(session, shortcut_id, dbus.UInt64(0), dbus.Dictionary({}, signature="sv"))
        return False

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session_handle, shortcut_id, timestamp, options):
        pass


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(PORTAL_NAME, bus)
(ShortcutsPortal if offer_shortcuts else Portal)(bus, PORTAL_PATH)
print("ready", flush=True)
GLib.MainLoop().run()
