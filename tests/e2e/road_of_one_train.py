#!/usr/bin/python3
"""The road of one train, walked through the real Brenvik as a user would.

Opens the sample library through the open dialog, composes a train of three vehicles (two of
them with a variation overlay; a fourth goes in and is taken back by Undo), inherits the first
one's attributes, has the add-consist window refuse the train and then, corrected, accept it,
queues a single vehicle, picks USER_BMP.INI in the locator, appends the queue to it and leaves
the program. Then it checks on disk, byte for byte, the train's bitmaps, the library's new line
and USER_BMP.INI.

Run by run.sh, which provides the display and the session bus; every control is found and
operated through the accessibility interface (see atspi_driver.py)."""

import argparse
import contextlib
import os
import shutil
import subprocess
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import atspi_driver as ui  # noqa: E402
import bmp  # noqa: E402

# The whole walk, checks included, must stay well inside the test's time limit.
WALK_LIMIT = 150.0

# --- What the walk does with the sample library, and what it must give -----------------------

# Library lines of the vehicles the walk uses (columns 1-58), as the sample library has them.
EL12 = "Electric locomotive EL 12 blue          4  FRGE Y54NBNYN0Y"
COACH2 = "Coach 2nd class green                   3-4I  PCN58NBNNN0Y"
TANK04 = "Steam tank engine 0-4-0T                1  CH D N58NBYNN0N"
GCOV = "Covered goods wagon                     3  FRGFCN58NBNNN0N"
ER5 = "Electric railcar ER 5 orange            4-5CH ETY52NRNYN0N"

# The train: the first vehicle's attributes, its direction corrected to "R" and its
# overhead-line height typed as 48. The refused Add saved 00001.bmp before it was refused.
TRAIN_FILE = "00002.bmp"
TRAIN_LINE = "Electric locomotive EL 12 blue          4  FRGE Y48NRNYN0N" + TRAIN_FILE
TRAIN_ENTRY = ("{LocoStart}FILE=%(lib)s/consists/" + TRAIN_FILE + ";LABEL=Electric locomotive EL 12 blue;"
               "GT=E;EPOCHE=4;ULAND=FRG;OL=J;OLH=10;RICHTUNG=R;WZ=J;ZG=63;SELECTED=1;{LocoEnd}")
SINGLE_ENTRY = ("{LocoStart}FILE=%(lib)s/ET/er5.bmp;LABEL=Electric railcar ER 5 orange;GT=ET;"
                "EPOCHE=4-5;ULAND=CH;OL=J;OLH=6;RICHTUNG=R;WZ=J;ZG=63;SELECTED=1;{LocoEnd}")
# USER_BMP.INI already holds an entry; Append must keep every byte of it.
INI_BEFORE = (b"{LocoStart}FILE=C:\\Saver\\old.bmp;LABEL=Old;GT=E;EPOCHE=3;ULAND=I;OL=N;"
              b"ZG=63;SELECTED=1;{LocoEnd}\r\n")

ALERT_REFUSAL = "Select almost one value for RICHTUNG!"
ALERT_DIGITS_ONLY = "Only numbers allowed in text box"
ALERT_APPEND = "Are you sure to append new entries to the existing USER_BMP.INI file?"
ALERT_DONE = "Procedure completed!"
ALERT_EXIT = "This will end the program's session"


def list_line(library_line):
    """The vehicle list's line for a library line: label, blank, country, four blanks, era."""
    return library_line[0:40] + " " + library_line[43:46] + "    " + library_line[40:43]


class Walk:
    """Numbers and logs the steps, takes a screenshot after each, and fails loudly."""

    def __init__(self, out):
        self.out = out
        self.number = 0
        self.shots = 0
        self.started = ui.now()
        self.app = None

    def shot(self, what):
        """A screenshot in the middle of the step, such as a message box before it is answered."""
        self.shots += 1
        ui.screenshot(os.path.join(self.out, f"{self.number:02d}{chr(96 + self.shots)}-{slug(what)}.png"))

    @contextlib.contextmanager
    def step(self, title):
        self.number += 1
        tag = f"{self.number:02d}"
        self.shots = 0
        began = ui.now()
        print(f"[{tag}] {title}", flush=True)
        try:
            if ui.now() - self.started > WALK_LIMIT:
                raise ui.StepFailed(f"the walk has taken more than {WALK_LIMIT:.0f} s")
            yield
        except Exception as error:
            print(f"     FAILED: {error}", flush=True)
            ui.screenshot(os.path.join(self.out, f"{tag}-FAILED.png"))
            if self.app is not None:
                with open(os.path.join(self.out, f"{tag}-accessibility-tree.txt"), "w") as f:
                    for window in ui.top_windows(self.app):
                        ui.dump(window, f)
                print(f"     screen and accessibility tree saved as {tag}-FAILED.png, "
                      f"{tag}-accessibility-tree.txt", flush=True)
            raise
        ui.screenshot(os.path.join(self.out, f"{tag}-{slug(title)}.png"))
        print(f"     ok ({ui.now() - began:.1f} s)", flush=True)


def slug(title):
    return "".join(c if c.isalnum() else "-" for c in title.lower())[:48].strip("-")


def expect(what, actual, expected):
    if actual != expected:
        raise ui.StepFailed(f"{what}: got {actual!r}, expected {expected!r}")


# --- The main window -------------------------------------------------------------------------

class MainWindow:
    def __init__(self, app):
        self.app = app
        self.window = ui.wait_window(app, "frame", "Brenvik", timeout=20)
        self.client = ui.find(self.window, "filler", where=lambda a: ui.role(ui.parent(a)) == "frame",
                              what="client area")

    def button(self, name):
        return ui.find(self.client, "push button", name)

    def lists(self):
        # The vehicle list above, the queue of entries below.
        found = sorted(ui.find_all(self.client, "list"), key=lambda a: ui.extents(a)[1])
        expect("number of lists in the main window", len(found), 2)
        return found

    def vehicles(self):
        return self.lists()[0]

    def queue(self):
        return self.lists()[1]

    def at(self, role_name, top, left=None):
        """The control of the client area whose top (and left) edge lies there; the picture boxes
        and the variation label have no name to be found by."""
        cx, cy, _, _ = ui.extents(self.client)
        found = [a for a in ui.children(self.client)
                 if ui.role(a) == role_name and ui.extents(a)[1] == cy + top
                 and (left is None or ui.extents(a)[0] == cx + left)]
        expect(f"{role_name}s at row {top} of the main window", len(found), 1)
        return found[0]

    def consist_width(self):
        """Width of the consist picture, whose top edge is row 9 wherever it has slid."""
        return ui.extents(self.at("filler", 9))[2]

    def preview_size(self):
        return ui.extents(self.at("filler", 104, 423))[2:]

    def overlay(self):
        """The variation overlay's size while its box shows, None while it is hidden (a hidden
        box has no place on the screen to be found by)."""
        cx, cy, _, _ = ui.extents(self.client)
        shown = [ui.extents(a)[2:] for a in ui.children(self.client)
                 if ui.role(a) == "filler" and ui.showing(a) and ui.extents(a)[:2] == (cx + 401, cy + 205)]
        return shown[0] if shown else None

    def inherit(self):
        return ui.find(self.client, "check box", "Inherit Attributes")

    def variation_label(self):
        return ui.text_of(self.at("label", 282, 447))

    def menu(self, menu_name, item_name):
        """Opens a menu of the menu bar with a click and clicks one of its items."""
        bar = ui.find(self.window, "menu bar")
        ui.click(ui.find(bar, "menu item", menu_name, where=lambda a: ui.role(ui.parent(a)) == "menu bar"))
        item = ui.poll(f"menu item {item_name!r} to show",
                       lambda: [a for a in ui.find_all(bar, "menu item", item_name)
                                if ui.showing(a) and ui.extents(a)[2] > 0])
        ui.click(item[0])


def list_items(lst):
    return [a for a in ui.children(lst) if ui.role(a) == "list item"]


def item_texts(lst):
    return [ui.name(a) for a in list_items(lst)]


def click_list_item(lst, index):
    """Selects item `index` with the mouse, scrolling to it with the arrow keys if it is hidden."""
    lx, ly, lw, lh = ui.extents(lst)

    def visible(item):
        x, y, w, h = ui.extents(item)
        return h > 0 and ly <= y and y + h <= ly + lh

    items = list_items(lst)
    if visible(items[index]):
        ui.click(items[index])
    else:
        shown = [i for i, item in enumerate(items) if visible(item)]
        if not shown:
            raise ui.StepFailed("the list shows no item")
        start = min(shown, key=lambda i: abs(i - index))
        ui.click(items[start])
        ui.press_key("Down" if index > start else "Up", abs(index - start))
    ui.wait_until(f"item {index} of the list to be selected", lambda: ui.selected(list_items(lst)[index]))


def alert(walk, expected_text, answer="OK", ends_program=False):
    """Waits for the message box titled Brenvik, checks its text and answers it."""
    box = ui.wait_window(walk.app, "alert", "Brenvik")
    text = ui.poll("the message box's text", lambda: ui.alert_text(box))
    walk.shot(expected_text.split("\n")[0])
    expect("message box text", text, expected_text)
    ui.click(ui.button(box, answer))
    if not ends_program:
        ui.wait_gone(walk.app, box, f"the message box {expected_text!r}")


# --- The add-consist window ------------------------------------------------------------------

class AddConsistWindow:
    TITLE = "Brenvik - Add Consist"

    def __init__(self, app):
        self.window = ui.wait_window(app, "dialog", self.TITLE)

    def row_label(self, caption):
        return ui.find(self.window, "label", caption)

    def _row(self, caption, role_name):
        """The controls of a row: those whose middle is level with the row's caption."""
        _, y, _, h = ui.extents(self.row_label(caption))
        middle = y + h / 2
        found = [a for a in ui.find_all(self.window, role_name)
                 if abs(ui.extents(a)[1] + ui.extents(a)[3] / 2 - middle) <= 12]
        return sorted(found, key=lambda a: ui.extents(a)[0])

    def boxes(self, caption):
        """The row's check boxes, left to right, as (caption, ticked, enabled)."""
        return [(self.caption_of(b), ui.checked(b), ui.enabled(b)) for b in self._row(caption, "check box")]

    @staticmethod
    def caption_of(box):
        """A box is named after its row, "RICHTUNG: R"; its caption is the part after the colon."""
        return ui.name(box).split(": ", 1)[-1]

    def box(self, caption, box_caption):
        found = [b for b in self._row(caption, "check box") if self.caption_of(b) == box_caption]
        expect(f"check boxes {box_caption!r} in row {caption}", len(found), 1)
        return found[0]

    def text_box(self, caption):
        found = self._row(caption, "text")
        expect(f"text boxes in row {caption}", len(found), 1)
        return found[0]

    def combo_text(self, caption):
        found = self._row(caption, "combo box")
        expect(f"combo boxes in row {caption}", len(found), 1)
        return ui.name(found[0])


# --- The walk --------------------------------------------------------------------------------

def start_program(args, env):
    with open(os.path.join(args.out, "brenvik.log"), "wb") as log:
        program = subprocess.Popen([args.brenvik], cwd=args.work, env=env, stdout=log,
                                   stderr=subprocess.STDOUT)
    with open(args.pid_file, "w") as f:
        f.write(str(program.pid))
    return program


def prepare_folder(args):
    """The sample library and a USER_BMP.INI that already holds an entry, in the working folder."""
    os.makedirs(args.work)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    subprocess.run([args.samplegen, args.work], check=True, env=env,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=60)
    with open(os.path.join(args.work, "USER_BMP.INI"), "wb") as f:
        f.write(INI_BEFORE)
    with open(os.path.join(args.work, "Library.txt"), "rb") as f:
        library = f.read()
    lines = library.decode("latin-1").split("\r\n")
    for line in (EL12, COACH2, TANK04, GCOV, ER5):
        if not any(existing.startswith(line) for existing in lines):
            raise ui.StepFailed(f"the sample library has no line beginning {line!r}")
    return library


def walk_the_road(args, walk, program, library_before):
    lib = os.path.join(args.work, "Library")
    vehicle_count = library_before.count(b"\r\n")
    expected_end = [False]

    def gone():
        status = program.poll()
        if status is None or expected_end[0]:
            return None
        return f"Brenvik ended unexpectedly (exit status {status}, see brenvik.log)"
    ui.program_gone = gone
    app = ui.application(program.pid)
    walk.app = app

    with walk.step("Brenvik shows its main window, both lists empty"):
        main = MainWindow(app)
        expect("vehicle list items", item_texts(main.vehicles()), [])
        expect("queued entries", item_texts(main.queue()), [])
        expect("variation label", main.variation_label(), "Variation:")

    with walk.step('"&File" > "&Open" shows the open dialog in the working folder'):
        main.menu("File", "Open")
        dialog = ui.wait_window(app, "dialog", "Get the Source Atributes File")
        look_in = ui.find(dialog, "combo box", where=lambda a: ui.name(a).startswith("/"), what="Look in box")
        expect("folder the open dialog starts in", ui.name(look_in), args.work)
        file_name = ui.find(dialog, "text", "File name:")
        ui.wait_until("the file name box to have the focus",
                      lambda: ui.focused(file_name))

    with walk.step("Type Library.txt and press Return: the vehicle list fills"):
        ui.click(file_name)
        ui.press_key("End")
        ui.press_key("BackSpace", len(ui.text_of(file_name)))
        ui.type_text("Library.txt")
        expect("file name typed", ui.text_of(file_name), "Library.txt")
        # Return, not a click on Open: the completer's list now lies open under the name, and a
        # click elsewhere only closes it.
        ui.press_key("Return")
        ui.wait_gone(app, dialog, "the open dialog")
        ui.wait_until(f"the vehicle list to show the library's {vehicle_count} lines",
                      lambda: len(list_items(main.vehicles())) == vehicle_count)
        shown = item_texts(main.vehicles())
        for line in (EL12, COACH2, TANK04, GCOV, ER5):
            if list_line(line) not in shown:
                raise ui.StepFailed(f"the vehicle list lacks {list_line(line)!r}")

    def select(line):
        click_list_item(main.vehicles(), item_texts(main.vehicles()).index(list_line(line)))

    def size(relative):
        picture = bmp.read(os.path.join(lib, relative))
        return picture.width, picture.height

    def width(relative):
        return size(relative)[0]

    def consist_width_becomes(pixels):
        ui.wait_until(f"the consist to be {pixels} pixels wide", lambda: main.consist_width() == pixels)

    def insert(width_after):
        ui.click(main.button("Insert the vehicle"))
        consist_width_becomes(width_after)

    def variation_reads(slot):
        ui.wait_until(f"the variation label to read Variation: {slot}",
                      lambda: main.variation_label() == "Variation: " + slot)

    with_el12 = width("E/el12.bmp")
    with_coach = with_el12 + width("PC/b2green.bmp")

    with walk.step("Select EL 12 and step back to its variation S2"):
        select(EL12)
        variation_reads("No")
        ui.wait_until("the preview to take the vehicle's size",
                      lambda: main.preview_size() == size("E/el12.bmp"))
        ui.click(main.button("Previous variation"))
        variation_reads("S2")
        ui.wait_until("the overlay to show S2", lambda: main.overlay() == size("E/el12_S2.bmp"))

    with walk.step('Tick "Inherit Attributes" and insert EL 12 with S2'):
        ui.click(main.inherit())
        ui.wait_until("Inherit Attributes to be ticked", lambda: ui.checked(main.inherit()))
        insert(with_el12)
        expect("variation label after the insert", main.variation_label(), "Variation: No")
        expect("overlay box after the insert", main.overlay(), None)

    with walk.step("Select the 2nd class coach, step to its variation E0 and insert it"):
        select(COACH2)
        ui.wait_until("the selection to untick Inherit Attributes", lambda: not ui.checked(main.inherit()))
        ui.click(main.button("Next variation"))
        variation_reads("E0")
        insert(with_coach)

    with walk.step("Insert the tank engine, then take it back with Undo"):
        select(TANK04)
        insert(with_coach + width("D/tank04.bmp"))
        ui.click(main.button("Undo the last insert"))
        consist_width_becomes(with_coach)

    with walk.step("Insert the covered goods wagon"):
        select(GCOV)
        insert(with_coach + width("FC/gcov.bmp"))

    with walk.step('Make the train: "Brenvik - Add Consist" opens preset from EL 12'):
        ui.click(main.button("Make the train"))
        add = AddConsistWindow(app)
        expect("LABEL", ui.text_of(add.text_box("LABEL:")), "Electric locomotive EL 12 blue")
        expect("EPOCHE", add.boxes("EPOCHE:"), [(str(i), i == 4, True) for i in range(1, 7)])
        expect("ULAND", add.combo_text("ULAND:"), "FRG - Germany")
        expect("GT", add.combo_text("GT:"), "E  - Electrical Locomotive")
        expect("OL", add.boxes("OL:"), [("Y", True, True), ("N", False, True), ("3rail", False, True)])
        expect("OLH", ui.text_of(add.text_box("OLH:")), "54")
        expect("SAR", add.boxes("SAR:"), [("Y", False, True), ("N", True, True)])
        expect("RICHTUNG", add.boxes("RICHTUNG:"),
               [("L", False, True), ("R", False, True), ("Both", True, True)])
        expect("RANGIER", add.boxes("RANGIER:"), [("Y", False, True), ("N", True, True)])
        expect("WZ", add.boxes("WZ:"), [("Y", True, True), ("N", False, True)])
        expect("DT", add.boxes("DT:"), [("Y", False, True), ("N", True, True)])
        expect("PHASENLAENGE", ui.text_of(add.text_box("PHASENLAENGE:")), "0")
        expect("VARIATIONS", add.boxes("VARIATIONS:"), [("Y", False, False), ("N", True, False)])

    with walk.step('Untick "Both" and press Add: the refusal names RICHTUNG'):
        ui.click(add.box("RICHTUNG:", "Both"))
        ui.wait_until("no direction to be ticked", lambda: not any(t for _, t, _ in add.boxes("RICHTUNG:")))
        ui.click(ui.button(add.window, "Add"))
        alert(walk, ALERT_REFUSAL)
        ui.wait_window(app, "dialog", AddConsistWindow.TITLE, timeout=2)
        # With no window manager nothing gives the window back the keyboard when the message box
        # closes; a click on a caption does, without moving the focus inside the window.
        ui.click(add.row_label("RICHTUNG:"))
        ui.wait_until('the focus on "R", where the refusal put it',
                      lambda: ui.focused(add.box("RICHTUNG:", "R")))

    with walk.step('Tick "R", type the height 48 (a letter is refused), press Add: the window closes'):
        ui.click(add.box("RICHTUNG:", "R"))
        ui.wait_until('"R" alone to be ticked', lambda: add.boxes("RICHTUNG:") == [
            ("L", False, True), ("R", True, True), ("Both", False, True)])
        height = add.text_box("OLH:")
        ui.click(height)
        ui.wait_until("the focus in the height box", lambda: ui.focused(height))
        ui.press_key("End")
        ui.press_key("BackSpace", 2)
        ui.type_text("4")
        # A letter is refused with its own message box and never reaches the box.
        ui.type_text("x")
        alert(walk, ALERT_DIGITS_ONLY)
        expect("height after the refused letter", ui.text_of(height), "4")
        ui.click(height)
        ui.wait_until("the focus back in the height box", lambda: ui.focused(height))
        ui.press_key("End")
        ui.type_text("8")
        ui.wait_until("the height to read 48", lambda: ui.text_of(height) == "48")
        ui.click(ui.button(add.window, "Add"))
        ui.wait_gone(app, add.window, "the add-consist window")

    with walk.step("The train is queued, listed last and the consist area is empty"):
        ui.wait_until("one queued entry", lambda: len(list_items(main.queue())) == 1)
        expect("queued entries", item_texts(main.queue()), [TRAIN_ENTRY % {"lib": lib}])
        vehicles = item_texts(main.vehicles())
        expect("vehicle list length", len(vehicles), vehicle_count + 1)
        expect("last vehicle", vehicles[-1], list_line(TRAIN_LINE))
        expect("vehicles selected after the reload",
               [ui.name(v) for v in list_items(main.vehicles()) if ui.selected(v)], [])
        expect("consist width", main.consist_width(), 0)
        expect("Inherit Attributes ticked", ui.checked(main.inherit()), False)

    with walk.step("Select ER 5 and queue it as a single vehicle"):
        select(ER5)
        ui.click(main.button("Queue the single vehicle"))
        ui.wait_until("two queued entries", lambda: len(list_items(main.queue())) == 2)
        expect("queued entries", item_texts(main.queue()),
               [TRAIN_ENTRY % {"lib": lib}, SINGLE_ENTRY % {"lib": lib}])
        ui.wait_until("the new entry to be selected", lambda: ui.selected(list_items(main.queue())[1]))

    with walk.step('"&File" > "Find/Edit  &USER_BMP.INI": pick the folder and USER_BMP.INI'):
        main.menu("File", "Find/Edit  USER_BMP.INI")
        locator = ui.wait_window(app, "dialog", "Brenvik")
        # The folder list above the file list; the drive box's closed drop-down is a list too.
        folders, files = sorted(ui.find_all(locator, "list", where=lambda a: ui.extents(a)[3] > 0),
                                key=lambda a: ui.extents(a)[1])
        here = [i for i, item in enumerate(list_items(folders)) if ui.selected(item)]
        expect("folders selected in the locator", len(here), 1)
        expect("folder the locator starts in", ui.name(list_items(folders)[here[0]]).strip(),
               os.path.basename(args.work))
        ui.double_click(list_items(folders)[here[0]])
        ui.wait_until("USER_BMP.INI in the file list", lambda: item_texts(files) == ["USER_BMP.INI"])
        click_list_item(files, 0)

    with walk.step("Press Ok and confirm the full path"):
        ui.click(ui.button(locator, "Ok"))
        full = os.path.join(args.work, "USER_BMP.INI")
        alert(walk, "The full path is: \n" + full.upper() + "\nis it ok?")
        ui.wait_gone(app, locator, "the locator")
        expect("windows left", [(ui.role(w), ui.name(w)) for w in ui.top_windows(app)],
               [("frame", "Brenvik")])

    with walk.step('Press "Append to USER_BMP.INI", confirm, read "Procedure completed!"'):
        ui.click(main.button("Append to USER_BMP.INI"))
        alert(walk, ALERT_APPEND)
        alert(walk, ALERT_DONE)
        expect("queued entries after Append", item_texts(main.queue()), [])

    with walk.step('"&File" > "&Exit" and confirm: the program ends'):
        main.menu("File", "Exit")
        expected_end[0] = True
        alert(walk, ALERT_EXIT, ends_program=True)
        try:
            status = program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise ui.StepFailed("Brenvik still runs 10 s after Exit was confirmed")
        expect("Brenvik's exit status", status, 0)


def check_files(args, walk, library_before):
    lib = os.path.join(args.work, "Library")
    consists = os.path.join(lib, "consists")

    with walk.step("Library/consists holds the refused and the accepted train"):
        expect("files in consists", sorted(os.listdir(consists)), ["00001.bmp", TRAIN_FILE])

    with walk.step("The train's bitmaps are the vehicles side by side, overlays placed"):
        def picture(relative):
            return bmp.read(os.path.join(lib, relative))
        el12, s2 = picture("E/el12.bmp"), picture("E/el12_S2.bmp")
        coach, e0 = picture("PC/b2green.bmp"), picture("PC/b2green_E0.bmp")
        wagon = picture("FC/gcov.bmp")
        # As high as the vehicle inserted last; the tank engine taken back left no trace.
        train = bmp.Picture(el12.width + coach.width + wagon.width, wagon.height)
        train.paste(el12, 0, 0)
        train.paste(s2, 0, 58 - s2.height)  # "S": its bottom edge on line 58
        train.paste(coach, el12.width, 0)
        train.paste(e0, el12.width + coach.width - e0.width, 0)  # "E": right-aligned, top row
        train.paste(wagon, el12.width + coach.width, 0)
        bmp.write(train, os.path.join(args.out, "expected-train.bmp"))
        for name in ("00001.bmp", TRAIN_FILE):
            difference = train.first_difference(bmp.read(os.path.join(consists, name)))
            if difference:
                raise ui.StepFailed(f"consists/{name}: {difference} (expected picture: expected-train.bmp)")

    with walk.step("Library.txt gained exactly the train's line"):
        with open(os.path.join(args.work, "Library.txt"), "rb") as f:
            library = f.read()
        expect("library file", library, library_before + TRAIN_LINE.encode("latin-1") + b"\r\n")

    with walk.step("USER_BMP.INI kept its entry and gained both entries, CR LF"):
        with open(os.path.join(args.work, "USER_BMP.INI"), "rb") as f:
            ini = f.read()
        expected = (INI_BEFORE + (TRAIN_ENTRY % {"lib": lib}).encode("latin-1") + b"\r\n"
                    + (SINGLE_ENTRY % {"lib": lib}).encode("latin-1") + b"\r\n")
        expect("USER_BMP.INI", ini, expected)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--brenvik", required=True)
    parser.add_argument("--samplegen", required=True)
    parser.add_argument("--work", required=True, help="folder to create; Brenvik runs in it")
    parser.add_argument("--out", required=True, help="folder for screenshots and logs")
    parser.add_argument("--pid-file", required=True)
    args = parser.parse_args()

    walk = Walk(args.out)
    program = None
    try:
        with walk.step("Prepare the working folder: sample library and USER_BMP.INI"):
            library_before = prepare_folder(args)
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        program = start_program(args, env)
        walk_the_road(args, walk, program, library_before)
        check_files(args, walk, library_before)
    except Exception as error:  # every failure ends the walk the same way, after the clean-up
        if not isinstance(error, ui.StepFailed):
            traceback.print_exc()
        print(f"FAILED at step {walk.number}: {error}", flush=True)
        return 1
    finally:
        if program is not None:
            if program.poll() is None:
                program.kill()
            program.wait()
            os.remove(args.pid_file)
        copy_files(args)
    print(f"PASSED: {walk.number} steps in {ui.now() - walk.started:.1f} s", flush=True)
    return 0


def copy_files(args):
    """What the program wrote, kept beside the screenshots."""
    target = os.path.join(args.out, "files")
    for relative in ("Library.txt", "USER_BMP.INI", os.path.join("Library", "consists")):
        source = os.path.join(args.work, relative)
        destination = os.path.join(target, relative)
        os.makedirs(os.path.dirname(destination), exist_ok=True)
        if os.path.isdir(source):
            shutil.copytree(source, destination, dirs_exist_ok=True)
        elif os.path.exists(source):
            shutil.copy2(source, destination)


if __name__ == "__main__":
    sys.exit(main())
