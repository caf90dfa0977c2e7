"""Drives a running Qt program the way a screen reader user would: it finds windows and controls
through the accessibility interface (AT-SPI) and presses, ticks and types with generated mouse
and keyboard input, so every handler runs exactly as after a real click.

Generated input goes through the AT-SPI registry daemon (XTest), so the registry must have been
started with DISPLAY in its environment (the runner sees to that)."""

import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402


class StepFailed(Exception):
    """A step of the walk did not do what a user would have seen it do."""


# Modal windows answer their own action call only once they close, so every press is a generated
# click: it returns at once, and the walk then waits for what the click should bring.
SETTLE = 0.15  # lets Qt handle one input event before the next one is sent


def now():
    return time.monotonic()


# Set by the walk to a function that tells why the program can no longer answer (it has ended),
# or gives None while it runs.
program_gone = None


def poll(what, probe, timeout=10.0, interval=0.05):
    """Calls probe() until it returns something true and returns that; fails naming `what`, at
    once when the program has ended meanwhile."""
    deadline = now() + timeout
    last_error = None
    while True:
        gone = program_gone() if program_gone else None
        if gone:
            raise StepFailed(f"{gone} while waiting for {what}")
        try:
            found = probe()
            if found:
                return found
        except GLib.Error as error:  # an object that went away while it was looked at
            last_error = error.message
        except StepFailed as error:  # a control that is not there yet
            last_error = str(error)
        if now() > deadline:
            extra = f" (last: {last_error})" if last_error else ""
            raise StepFailed(f"timed out after {timeout:.0f} s waiting for {what}{extra}")
        time.sleep(interval)


# --- Reading the tree ------------------------------------------------------------------------

def children(acc):
    try:
        count = acc.get_child_count()
    except GLib.Error:
        return []
    result = []
    for i in range(count):
        try:
            child = acc.get_child_at_index(i)
        except GLib.Error:
            continue
        if child is not None:
            result.append(child)
    return result


def parent(acc):
    try:
        return acc.get_parent()
    except GLib.Error:
        return None


def role(acc):
    try:
        return acc.get_role_name()
    except GLib.Error:
        return ""


def name(acc):
    try:
        return acc.get_name() or ""
    except GLib.Error:
        return ""


def has_state(acc, state):
    try:
        return acc.get_state_set().contains(state)
    except GLib.Error:
        return False


def showing(acc):
    return has_state(acc, Atspi.StateType.SHOWING)


def checked(acc):
    return has_state(acc, Atspi.StateType.CHECKED)


def selected(acc):
    return has_state(acc, Atspi.StateType.SELECTED)


def enabled(acc):
    return has_state(acc, Atspi.StateType.ENABLED)


def focused(acc):
    return has_state(acc, Atspi.StateType.FOCUSED)


def extents(acc):
    """(x, y, width, height) on the screen."""
    box = acc.get_extents(Atspi.CoordType.SCREEN)
    return box.x, box.y, box.width, box.height


def text_of(acc):
    """The whole text of a text box (or label)."""
    iface = acc.get_text_iface()
    if iface is None:
        return name(acc)
    return iface.get_text(0, iface.get_character_count())


def walk(acc, depth=0, max_depth=12):
    yield acc
    if depth < max_depth:
        for child in children(acc):
            yield from walk(child, depth + 1, max_depth)


def find_all(root, role_name=None, name_is=None, where=None):
    return [a for a in walk(root)
            if (role_name is None or role(a) == role_name)
            and (name_is is None or name(a) == name_is)
            and (where is None or where(a))]


def find(root, role_name=None, name_is=None, where=None, what=None):
    found = find_all(root, role_name, name_is, where)
    if len(found) != 1:
        label = what or f"{role_name or 'control'} {name_is!r}"
        raise StepFailed(f"expected one {label}, found {len(found)}")
    return found[0]


def dump(acc, out=sys.stdout, depth=0):
    """Prints the tree below acc (role, name, extents, states of interest): for failure reports."""
    try:
        x, y, w, h = extents(acc)
        box = f"({x},{y} {w}x{h})"
    except (GLib.Error, AttributeError):
        box = ""
    flags = [word for word, state in (("showing", Atspi.StateType.SHOWING),
                                      ("checked", Atspi.StateType.CHECKED),
                                      ("selected", Atspi.StateType.SELECTED),
                                      ("focused", Atspi.StateType.FOCUSED),
                                      ("disabled", None))
             if (has_state(acc, state) if state else not enabled(acc))]
    print(f"{'  ' * depth}[{role(acc)}] {name(acc)!r} {box} {' '.join(flags)}", file=out)
    for child in children(acc):
        dump(child, out, depth + 1)


# --- The program -----------------------------------------------------------------------------

def application(pid, timeout=20.0):
    """The accessible application of the process `pid`, once it has shown a window."""
    def probe():
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            try:
                if app.get_process_id() == pid and children(app):
                    # Nothing is cached: the walk always reads what the program shows now.
                    app.set_cache_mask(Atspi.Cache.NONE)
                    return app
            except GLib.Error:
                continue
        return None
    return poll(f"the accessible application of process {pid}", probe, timeout)


def top_windows(app):
    app.clear_cache()
    return [w for w in children(app) if showing(w)]


# A window that Qt reports as showing may not yet be mapped by the X server, which receives the
# generated input on another connection; this much time lets the mapping catch up.
MAP_SETTLE = 0.3


def wait_window(app, role_name, title, timeout=10.0):
    """Waits for a showing top-level window of this role and title."""
    def probe():
        for w in top_windows(app):
            if role(w) == role_name and name(w) == title:
                return w
        return None
    window = poll(f"the {role_name} {title!r}", probe, timeout)
    time.sleep(MAP_SETTLE)
    return window


def wait_gone(app, window, what, timeout=10.0):
    def probe():
        return all(w != window for w in top_windows(app)) or None
    poll(f"{what} to close", probe, timeout)


def wait_until(what, condition, timeout=10.0):
    poll(what, lambda: condition() or None, timeout)


# --- Input -----------------------------------------------------------------------------------

def centre(acc):
    x, y, w, h = extents(acc)
    if w <= 0 or h <= 0:
        raise StepFailed(f"{role(acc)} {name(acc)!r} has no area on the screen")
    return x + w // 2, y + h // 2


def click_at(x, y, clicks=1):
    """Moves the pointer there, then presses and releases the left button, as a hand does: a
    press that arrives together with the pointer can miss a button that is not yet under it."""
    Atspi.generate_mouse_event(x, y, "abs")
    time.sleep(SETTLE)
    for _ in range(clicks):
        Atspi.generate_mouse_event(x, y, "b1p")
        time.sleep(0.03)
        Atspi.generate_mouse_event(x, y, "b1r")
        time.sleep(0.03)
    time.sleep(SETTLE)


def click(acc):
    """A left click in the middle of the control, as the mouse gives it."""
    if not enabled(acc):
        raise StepFailed(f"{role(acc)} {name(acc)!r} is disabled")
    click_at(*centre(acc))


def double_click(acc):
    click_at(*centre(acc), clicks=2)


def type_text(text):
    Atspi.generate_keyboard_event(0, text, Atspi.KeySynthType.STRING)
    time.sleep(SETTLE)


KEYSYMS = {"Return": 0xFF0D, "BackSpace": 0xFF08, "End": 0xFF57, "Home": 0xFF50, "Down": 0xFF54,
           "Up": 0xFF52, "Escape": 0xFF1B, "Tab": 0xFF09}


def press_key(keysym_name, times=1):
    for _ in range(times):
        Atspi.generate_keyboard_event(KEYSYMS[keysym_name], None, Atspi.KeySynthType.SYM)
        time.sleep(SETTLE / 2)
    time.sleep(SETTLE)


# --- Message boxes ---------------------------------------------------------------------------

def alert_text(alert):
    """The message of a message box: its labels' texts (the title is the alert's own name)."""
    texts = [text_of(a) for a in find_all(alert, "label") if text_of(a).strip()]
    return "\n".join(texts)


def button(window, caption):
    return find(window, "push button", caption, where=showing, what=f"button {caption!r}")


def screenshot(path):
    """The whole screen as the user sees it."""
    subprocess.run(["import", "-window", "root", path], check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=20)

