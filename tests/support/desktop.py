"""What the program tests that drive a desktop from outside share: waiting,
finding X windows by name, and walking and pressing accessible nodes.

Import with the folder on sys.path:
    sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
"""

import re
import subprocess
import time


def wait_for(what, predicate, timeout=20.0, step=0.1):
    """The first true value of `predicate`, polled until `timeout` seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(step)


def windows_named(name, only_visible=True):
    """The X windows whose name is exactly `name` (xdotool search)."""
    args = ["xdotool", "search"]
    if only_visible:
        args.append("--onlyvisible")
    args += ["--name", "^" + re.escape(name) + "$"]
    out = subprocess.run(args, capture_output=True, text=True).stdout
    return [int(w) for w in out.split()]


def accessible_nodes(root, role):
    """Every node of that role below `root` (AT-SPI), in tree order."""
    found = []

    def walk(node):
        try:
            if node.getRoleName() == role:
                found.append(node)
            for child in node:
                walk(child)
        except Exception:
            pass

    walk(root)
    return found


def press(node):
    """The node's press, click or toggle action, else its first one."""
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "toggle"):
            action.doAction(i)
            return
    action.doAction(0)
