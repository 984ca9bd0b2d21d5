"""Reads the running program's accessibility tree over AT-SPI, as a screen
reader does, and checks what it would speak; then types a text colour that
fails both figures and checks that the lights announce their new verdict.

Run by e2e_accessibility.sh inside the private session it sets up. Prints
one line per check and the tree after start; exits 1 on any failure."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = 0


def check(what, expected, actual):
    global failures
    if expected == actual:
        print(f"ok: {what} ({actual!r})")
    else:
        print(f"FAIL: {what}: expected {expected!r}, got {actual!r}")
        failures += 1


def find_application(name, timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.2)
    return None


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def walk(node, depth=0, into=None):
    """Every node below `node` with its depth, in tree order."""
    into = [] if into is None else into
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        into.append((depth, child))
        walk(child, depth + 1, into)
    return into


def describe(node):
    state = node.getState()
    flags = [f for f, s in (("focusable", pyatspi.STATE_FOCUSABLE),
                            ("focused", pyatspi.STATE_FOCUSED)) if state.contains(s)]
    try:
        flags.append(f"value={node.queryValue().currentValue:g}")
    except NotImplementedError:
        pass
    text = f"{node.getRoleName()} {node.name!r}"
    if node.description:
        text += f" description={node.description!r}"
    if actions(node):
        text += f" actions={actions(node)}"
    return text + (" " + " ".join(flags) if flags else "")


def named(nodes, role, name):
    found = [n for _, n in nodes if n.getRole() == role and n.name == name]
    return found


app = find_application("Marnova")
if app is None:
    print("FAIL: the program never appeared on the accessibility bus")
    sys.exit(1)
window = app.getChildAtIndex(0)
nodes = walk(window)
print("The tree after start:")
print(describe(window))
for depth, node in nodes:
    print("  " * (depth + 1) + describe(node))

# Pressable, focusable controls named by their hints.
pressable = [
    (pyatspi.ROLE_PUSH_BUTTON, "Preleva il COLOR dallo schermo!"),
    (pyatspi.ROLE_PUSH_BUTTON, "Preleva il BACKGROUND-COLOR dallo schermo!"),
    (pyatspi.ROLE_PUSH_BUTTON, "Per maggiori informazioni\nsullo sponsor..."),
    (pyatspi.ROLE_LINK,
     "Verifica di accessibilit\u00e0 dei colori basata sul W3C Color contrast algorithm"),
]
for role, name in pressable:
    found = named(nodes, role, name)
    check(f"one {pyatspi.Role(role)} {name!r}", 1, len(found))
    if found:
        check(f"{name!r} can be pressed", True, "Press" in actions(found[0]))
        check(f"{name!r} takes focus", True,
              found[0].getState().contains(pyatspi.STATE_FOCUSABLE))

# The panels, their sliders, and nothing that only decorates.
for title in ("Colore del testo", "Colore di sfondo"):
    panels = [n for _, n in nodes if n.name == title and n.childCount > 0]
    check(f"panel {title!r}", 1, len(panels))
    if panels:
        sliders = {n.name: n for _, n in walk(panels[0]) if n.getRole() == pyatspi.ROLE_SLIDER}
        check(f"sliders of {title!r}",
              sorted(["Rosso", "Verde", "Blue", "Tinta (Hue)", "Saturazione (Saturation)",
                      "Valore (Value)"]), sorted(sliders))
        check(f"no slider of {title!r} repeats its name as description", [],
              [n for n, s in sliders.items() if s.description])
        red = 255 if title == "Colore del testo" else 0
        if "Rosso" in sliders:
            check(f"red slider of {title!r} reads its position", red,
                  int(sliders["Rosso"].queryValue().currentValue))
check("no unnamed picture", [],
      [describe(n) for _, n in nodes if n.getRole() == pyatspi.ROLE_IMAGE and not n.name])

lights = ("Luminosit\u00e0: ", "Colore: ")


def light_names():
    return sorted(n.name for _, n in walk(window)
                  if n.getRole() == pyatspi.ROLE_IMAGE and n.name.startswith(lights))


check("lights after start", sorted(p + "superato" for p in lights), light_names())

# Type a pure blue text colour: white on black becomes blue on black.
announced = []


def on_name_changed(event):
    name = event.any_data if isinstance(event.any_data, str) else event.source.name
    if name.startswith(lights):
        announced.append(name)


fields = [n for _, n in walk(window) if n.name == "Valore esadecimale del colore selezionato"]
pyatspi.Registry.registerEventListener(on_name_changed, "object:property-change:accessible-name")
check("text-colour field takes the focus", True, fields[0].queryComponent().grabFocus())
loop = GLib.MainLoop()


keys = ["ctrl+a", "0", "0", "0", "0", "F", "F"]


def press_next_key():
    """One key per call, so that each change is announced before the next."""
    if not keys:
        GLib.timeout_add(1500, loop.quit)
        return False
    subprocess.run(["xdotool", "key", keys.pop(0)], check=True)
    return True


GLib.timeout_add(300, press_next_key)
GLib.timeout_add(15000, loop.quit)  # a bound on the whole wait
loop.run()
pyatspi.Registry.deregisterEventListener(on_name_changed, "object:property-change:accessible-name")

check("text-colour field value", "0000FF", fields[0].queryText().getText(0, -1))
check("lights after typing 0000FF", sorted(p + "non superato" for p in lights), light_names())
# The description ends in the APCA figure and the worst colour-blind ratio.
for light in [n for _, n in walk(window) if n.getRole() == pyatspi.ROLE_IMAGE
              and n.name.startswith(lights)]:
    last = light.description.split("\n")[-2:]
    check(f"APCA line of {light.name!r}", "Contrasto APCA: Lc -16,2", last[0])
    check(f"colour-blind line of {light.name!r}", True,
          last[1].startswith("Daltonismo, caso peggiore (") and last[1].endswith(":1"))
# The first digit leaves the field incomplete, the sixth completes it: two
# changes of each light, each announced once.
check("announcements", sorted(p + v for p in lights for v in ("non determinato", "non superato")),
      sorted(announced))
sys.exit(1 if failures else 0)
