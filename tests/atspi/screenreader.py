#!/usr/bin/python3
# The program as a screen reader user meets it, through the accessibility bus (AT-SPI) that
# Orca reads: the tree with its roles and names, buttons pressed through their action and
# through keys, the marks announcing their state, a message box as an alert.
#
# Usage: dbus-run-session -- tests/atspi/screenreader.py BUILD/program
# It makes an X display, a window manager and a desktop of its own (a PDF "viewer" that
# only notes what it is given), runs a copy of the program folder and types with xdotool.
import os
import shutil
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

ALT, CTRL = "alt", "ctrl"


def fail(message):
    print("FAIL:", message, file=sys.stderr)
    sys.exit(1)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def desktop(work):
    """The environment of a desktop whose only application takes PDF files."""
    viewer = os.path.join(work, "viewer.sh")
    write(viewer, '#!/bin/sh\necho "$1" >> "$(dirname "$0")/viewer.log"\n')
    os.chmod(viewer, 0o755)
    write(os.path.join(work, "data/applications/viewer.desktop"),
          f"[Desktop Entry]\nType=Application\nName=viewer\nExec={viewer} %f\n"
          "MimeType=application/pdf;\n")
    write(os.path.join(work, "config/mimeapps.list"),
          "[Default Applications]\napplication/pdf=viewer.desktop\n")
    os.makedirs(os.path.join(work, "share"))
    os.symlink("/usr/share/mime", os.path.join(work, "share/mime"))
    env = dict(os.environ, HOME=work, XDG_DATA_HOME=os.path.join(work, "data"),
               XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_DATA_DIRS=os.path.join(work, "share"), XDG_CONFIG_DIRS=work,
               QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    return env


def start_display(env):
    read, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp"],
                              pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read) as r:
        env["DISPLAY"] = ":" + r.readline().strip()
    # The window manager touches a file once it manages windows.
    ready = os.path.join(env["HOME"], "manager-ready")
    manager = subprocess.Popen(["openbox", "--startup", f"touch {ready}"],
                               env=dict(os.environ, DISPLAY=env["DISPLAY"]),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    end = time.monotonic() + 30
    while not os.path.exists(ready) and time.monotonic() < end:
        time.sleep(0.02)
    return [manager, server]


class Reader:
    """What a screen reader hears: focus moves and name changes, in order."""

    def __init__(self):
        self.heard = []
        self.listener = Atspi.EventListener.new(self.on_event)
        for event in ("object:state-changed:focused", "object:property-change:accessible-name"):
            self.listener.register(event)

    def on_event(self, event):
        if event.type.startswith("object:state-changed") and not event.detail1:
            return
        self.heard.append((event.type.split(":")[1], event.source.get_role_name(),
                           event.source.get_name()))

    def wait(self, what, condition, seconds=30):
        end = time.monotonic() + seconds
        context = GLib.MainContext.default()
        while time.monotonic() < end:
            while context.pending():
                context.iteration(False)
            result = condition()
            if result:
                return result
            time.sleep(0.02)
        fail(f"waited in vain for {what}; heard {self.heard[-8:]}")


def showing(node):
    return node.get_state_set().contains(Atspi.StateType.SHOWING)


def find_all(node, role, name=None):
    """The showing nodes below `node` of `role`, and `name` when given."""
    found = []
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None or not showing(child):
            continue
        if child.get_role_name() == role and name in (None, child.get_name()):
            found.append(child)
        found += find_all(child, role, name)
    return found


def find(node, role, name=None):
    nodes = find_all(node, role, name)
    return nodes[0] if nodes else None


def key(name, *modifiers):
    """A key as the keyboard gives it to the display."""
    subprocess.run(["xdotool", "key", "+".join(modifiers + (name,))], check=True)


def press(node):
    """Through the action, as a screen reader presses; it must answer at once."""
    started = time.monotonic()
    Atspi.Action.do_action(node, 0)
    if time.monotonic() - started > 2:
        fail(f"pressing {node.get_name()} held the screen reader for a while")


def main():
    work = tempfile.mkdtemp(prefix="vra-atspi-")
    processes = []
    try:
        env = desktop(work)
        processes = start_display(env)
        folder = os.path.join(work, "program")
        shutil.copytree(sys.argv[1], folder)
        program = subprocess.Popen([os.path.join(folder, "vra")], env=env)
        processes.insert(0, program)
        os.environ["DISPLAY"] = env["DISPLAY"]
        run(program, folder)
    finally:
        for p in processes:
            if p.poll() is None:
                p.terminate()
                p.wait()
        shutil.rmtree(work, ignore_errors=True)


def run(program, folder):
    reader = Reader()

    def application():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == "vra":
                return app
        return None

    app = reader.wait("the program on the bus", application)
    frame = reader.wait("the window", lambda: find(app, "frame", "Antragstellung - Versanta"))
    reader.wait("the window active",
                lambda: frame.get_state_set().contains(Atspi.StateType.ACTIVE))
    reader.wait("the start page", lambda: find(frame, "document frame",
                                               "Versanta-Antragsassistent"))

    # Every navigation button names its key, to the description and the action.
    buttons = {b.get_name(): b for b in find_all(frame, "push button")}
    for name, keys in (("Startseite", "Alt+1"), ("Stammdaten", "Alt+2"),
                       ("Inhaltsverzeichnis", "Alt+3")):
        if keys not in buttons[name].get_description() or \
                Atspi.Action.get_key_binding(buttons[name], 0) != keys:
            fail(f"{name} does not name {keys}")

    # Pressed through its action, the application's first part shows, a document of its own.
    press(buttons["Inhaltsverzeichnis"])
    reader.wait("the first part", lambda: find(frame, "document frame", "Teil 1"))
    links = find_all(frame, "link")
    if [l.get_name() for l in links] != ["1 Antragsteller", "2 Kontaktperson"]:
        fail(f"the sheets of part 1 are {[l.get_name() for l in links]}")
    press(links[0])
    reader.wait("the first mark announced completed",
                lambda: ("property-change", "push button", "„1 Antragsteller“ fertiggestellt")
                in reader.heard)

    # By keys alone: the master data and back; Tab to the second sheet, Enter opens it.
    key("2", ALT)
    reader.wait("the master data", lambda: find(frame, "page tab", "Packungen 1 -3"))
    key("3", ALT)
    reader.wait("the first part again", lambda: find(frame, "document frame", "Teil 1"))
    focus = [("state-changed", "page tab list", "Teil 1"), ("state-changed", "label", "Teil 1"),
             ("state-changed", "push button", "„1 Antragsteller“ fertiggestellt"),
             ("state-changed", "link", "1 Antragsteller"),
             ("state-changed", "push button", "„2 Kontaktperson“ offen"),
             ("state-changed", "link", "2 Kontaktperson")]
    heard = len(reader.heard)
    for _ in focus:
        key("Tab")
    reader.wait("Tab through the part", lambda: reader.heard[heard:] == focus)
    key("Return")
    reader.wait("the second mark announced completed",
                lambda: ("property-change", "push button", "„2 Kontaktperson“ fertiggestellt")
                in reader.heard)

    # Printing asks in an alert that says its question, by action and by key; the window's
    # keys wait while it is open; Escape declines.
    text = "Sollen alle fertiggestellten Anträge (2) gedruckt werden?"
    for ask in (lambda: press(buttons["Drucken"]), lambda: key("p", CTRL)):
        ask()
        alert = reader.wait("the question", lambda: find(app, "alert"))
        if not find(alert, "label", text):
            fail(f"the alert does not say {text!r}")
        key("1", ALT)
        key("Escape")
        reader.wait("the question gone", lambda: not find(app, "alert"))
    if not find(frame, "document frame", "Teil 1"):
        fail("a key pressed while the question was open changed the view")

    key("q", CTRL)
    reader.wait("the program ended", lambda: program.poll() is not None)
    if program.returncode != 0:
        fail(f"the program ended with {program.returncode}")
    with open(os.path.join(folder, "vra.prop"), encoding="cp1252") as f:
        if "bear=,,1,,2,\n" not in f.read():
            fail("vra.prop does not hold both sheets")


if __name__ == "__main__":
    main()
