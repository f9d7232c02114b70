#!/usr/bin/python3
"""A blind user's session: kvprog with the Orca screen reader, worked through real key presses
only, against two kvsim radios.

Usage (under tests/support/a11y-session): test_screen_reader.py BIN_DIR DATA_DIR. Opens a file,
changes a frequency and a list, is refused a frequency, chooses the second port in the port
dialog and writes, saves; then reads the radio back with kvprog-cli and compares. What Orca
says is the "SPEECH OUTPUT" of its debug log; what the window shows is read from the
accessibility bus.
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)
BIN, DATA = sys.argv[1], sys.argv[2]
TMP = tempfile.mkdtemp(prefix="kvprog-reader-")
ORCA_LOG = os.path.join(TMP, "orca.log")
os.environ.update(HOME=TMP, XDG_CONFIG_HOME=TMP + "/config", XDG_DATA_HOME=TMP + "/data",
                  LC_ALL="C.UTF-8")
started = []


def start(*command):
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    started.append(process)
    return process


def wait_for(what, check, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = check()
        if result:
            return result
        time.sleep(0.1)
    raise AssertionError("never happened: " + what)


def spoken():
    """What Orca said, as far as its debug log is written."""
    with open(ORCA_LOG, encoding="utf-8", errors="replace") as log:
        return [line.split("SPEECH OUTPUT: ", 1)[1].strip() for line in log if "SPEECH OUTPUT: " in line]


def focus(pid):
    """Gives the main window the keyboard again once a dialog has closed, as a window
    manager would; the display has none."""
    subprocess.run(["xdotool", "search", "--sync", "--pid", str(pid), "--name", "^Tervan",
                    "windowfocus"], check=True, stdout=subprocess.DEVNULL)
    time.sleep(0.3)


def keys(*names, pause=0.3):
    """Presses keys as a person does: a modifier goes down a moment before its key (Orca hears
    every key before the program does, and a quick chord reaches the program without it)."""
    for name in names:
        *modifiers, key = name.split("+")
        for modifier in modifiers:
            subprocess.run(["xdotool", "keydown", modifier], check=True)
            time.sleep(0.2)
        subprocess.run(["xdotool", "key", key], check=True)
        for modifier in modifiers:
            time.sleep(0.2)
            subprocess.run(["xdotool", "keyup", modifier], check=True)
        time.sleep(pause)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)


def showing_window(pid, matches):
    """The program's first showing window for which `matches` holds, from the accessibility bus."""
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app and app.get_process_id() == pid:
            for j in range(app.get_child_count()):
                w = app.get_child_at_index(j)
                if w and matches(w) and w.get_state_set().contains(Atspi.StateType.SHOWING):
                    return w
    return None


def window(pid, name):
    """The window whose name begins with `name`."""
    return showing_window(pid, lambda w: w.get_name().startswith(name))


def alert(pid):
    """The text of the message box on the screen, once there is one."""
    box = wait_for("a message box",
                   lambda: showing_window(pid, lambda w: w.get_role_name() == "alert"))
    time.sleep(1.5)  # for Orca to read it: it passes over what a newer event makes stale
    return " ".join(label.get_name() for label in labels(box) if label.get_name())


def expect_alert(pid, text):
    shown = alert(pid)
    assert shown == text, "the message box says " + shown


def labels(node):
    found = [node] if node.get_role_name() == "label" else []
    for i in range(node.get_child_count()):
        found += labels(node.get_child_at_index(i))
    return found


def find(node, role):
    if node.get_role_name() == role:
        return node
    for i in range(node.get_child_count()):
        found = find(node.get_child_at_index(i), role)
        if found:
            return found
    return None


def main():
    radios = []
    for n in (1, 2):
        sim = start(BIN + "/kvsim", "--image", os.path.join(TMP, "radio%d.bin" % n))
        radios.append(sim.stdout.readline().strip())
    shutil.copy(os.path.join(DATA, "example.chp"), os.path.join(TMP, "site.chp"))
    os.environ["KVPROG_PORTS"] = ",".join(radios)
    pid = start(BIN + "/kvprog").pid
    wait_for("the main window", lambda: window(pid, "Tervan"))
    focus(pid)
    keys("ctrl+o")
    wait_for("the open dialog", lambda: window(pid, "打开"))
    typed(os.path.join(TMP, "site.chp"))
    keys("Return")
    wait_for("the file in the caption", lambda: window(pid, "Tervan_V3.0编程软件 - site.chp"))
    focus(pid)
    # Orca as a user of a spreadsheet-like table sets it: a move to another row says the
    # row's header (its default reads the whole row instead).
    os.makedirs(TMP + "/data/orca")
    with open(TMP + "/data/orca/user-settings.conf", "w") as settings:
        json.dump({"general": {}, "pronunciations": {}, "keybindings": {}, "profiles": {
            "default": {"profile": ["Default", "default"], "readFullRowInGUITable": False}}},
            settings)
    orca = start("orca", "--debug-file=" + ORCA_LOG)
    time.sleep(4)  # until Orca has read the window: it follows
    # a window it saw open


    # Across a row Orca says the column's heading, down a column the channel.
    keys("Right", "Down", "Left", pause=1.5)
    # A frequency typed into channel 2's receive cell, a list picked in its busy lock.
    typed("435.125")
    keys("Return", "Right", "Right", "Right", "Right", "Return", "Home", "Return", pause=0.6)
    keys("Escape", pause=1)
    # A frequency outside the band is refused with its message.
    keys("Down", "Left", "Left", "Left", "Left", pause=0.6)
    typed("480")
    keys("Return")
    expect_alert(pid, "请在正确的频率范围输入")
    keys("Return")
    focus(pid)

    # The second port, chosen in the port dialog with the arrows.
    keys("alt+c", "Return")
    wait_for("the port dialog", lambda: window(pid, "端口选择"))
    keys("Down", "Return")
    expect_alert(pid, "端口转换成COM2")
    keys("Return")
    focus(pid)
    keys("ctrl+w")
    expect_alert(pid, "确定要开始写频吗?")
    keys("Return")
    status = lambda: find(window(pid, "Tervan"), "status bar")  # noqa: E731
    wait_for("the write's result", lambda: status().get_name().startswith("写频成功：COM2"), 60)
    focus(pid)
    keys("ctrl+s")
    wait_for("the save dialog", lambda: window(pid, "另存"))
    keys("ctrl+a")
    typed(os.path.join(TMP, "saved.chp"))
    keys("Return")
    expect_alert(pid, "保存成功")
    keys("Return")
    focus(pid)
    keys("ctrl+x")
    # Orca's log is written in blocks; what it said up to the write is in it by now.
    orca.kill()
    orca.wait()
    said = iter(spoken())
    for words in ["发射频率 column header", "信道 2 row header", "繁忙锁定 column header 是",
                  "请在正确的频率范围输入", "端口转换成COM2", "确定要开始写频吗"]:
        assert any(words in line for line in said), "Orca never said " + words

    back = os.path.join(TMP, "back.chp")
    subprocess.run([BIN + "/kvprog-cli", "read", "--port", radios[1], "--no-backup", back],
                   check=True, stdout=subprocess.DEVNULL)
    diff = subprocess.run([BIN + "/kvprog-cli", "diff", os.path.join(TMP, "saved.chp"), back],
                          capture_output=True, text=True)
    assert diff.returncode == 0 and not diff.stdout, diff.stdout
    shown = subprocess.run([BIN + "/kvprog-cli", "show", back], capture_output=True,
                           text=True).stdout
    assert "435.12500" in shown and "是" in shown, shown


failure = None
try:
    main()
except AssertionError as e:
    failure = e
finally:
    for process in reversed(started):
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
if failure:
    print("FAIL:", failure, "\nOrca said:\n  " + "\n  ".join(spoken()[-60:]))
print("0 passed, 1 failed" if failure else "1 passed, 0 failed")
shutil.rmtree(TMP, ignore_errors=True)
sys.exit(1 if failure else 0)
