#!/usr/bin/python3
"""A blind user's session (under tests/support/a11y-session): kvprog worked by real key presses
against two kvsim radios, Orca reading the table, a refused value, the port and the write; the
radio read back. Each key waits for what Orca says (its debug log's "SPEECH OUTPUT" lines, on a
terminal so that they come as it says them) or for what it opens on the bus, never for a time.
Usage: test_screen_reader.py BIN_DIR DATA_DIR"""
import os
import pty
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from atspi_tree import GLib, showing, window  # noqa: E402

BIN, DATA = sys.argv[1], sys.argv[2]
TMP = tempfile.mkdtemp(prefix="kvprog-reader-")
os.environ.update(HOME=TMP, XDG_CONFIG_HOME=TMP + "/config", XDG_DATA_HOME=TMP + "/data",
                  LC_ALL="C.UTF-8")
started, said = [], []  # what Orca said, a line each
heard = 0  # how much of it the session has heard
orca = pid = main_window = None  # main_window: its X id


def start(*command):
    started.append(subprocess.Popen(command, stdout=subprocess.PIPE, text=True))
    return started[-1]


def wait_for(what, check, seconds=30):
    deadline = time.monotonic() + seconds
    while True:
        try:
            if result := check():
                return result
        except GLib.Error:  # a window read as it closed
            pass
        if time.monotonic() > deadline:
            raise AssertionError("never happened: " + what)
        time.sleep(0.1)


def hears(words):
    """Waits for Orca to say `words` after what it was last heard saying."""
    global heard
    heard = wait_for("Orca saying " + words, lambda: next(
        (i + 1 for i in range(heard, len(said)) if words in said[i]), None))


def xdotool(*arguments, says=None):
    """Runs xdotool ("key", "ctrl+o"), then waits for Orca to say `says`; gives its output."""
    output = subprocess.run(["xdotool", *arguments], check=True, capture_output=True, text=True)
    if says:
        hears(says)
    return output.stdout


def shown(title, role=None):
    """The nodes of `role` in the window whose title starts with `title`, once it shows."""
    found = wait_for(title, lambda: window(pid, lambda w: w.get_name().startswith(title)))
    return [n for n in showing(found) if n.get_role_name() == role]


def focus():
    """Gives the main window the keyboard, as a window manager would (the display has none)."""
    xdotool("windowfocus", "--sync", main_window, says=orca and "table with 16 rows 7 columns")


def alert(text, then_main_window=True):
    """Waits for the message box that says `text` and for Orca to say it, presses Enter."""
    def box():
        return window(pid, lambda w: w.get_role_name() == "alert" and
                      text in [n.get_name() for n in showing(w)])
    wait_for(text, box)
    hears(text)
    xdotool("key", "Return")
    wait_for("the message box closing", lambda: box() is None)
    if then_main_window:
        focus()


def main():
    global pid, main_window, orca
    radios = [start(BIN + "/kvsim", "--baud", "9600", "--image", f"{TMP}/{n}.bin")
              .stdout.readline().strip() for n in (1, 2)]
    shutil.copy(DATA + "/example.chp", TMP + "/site.chp")
    os.environ["KVPROG_PORTS"] = ",".join(radios)
    pid = start(BIN + "/kvprog").pid
    shown("Tervan")
    main_window = xdotool("search", "--pid", str(pid), "--name", "^Tervan").split()[0]
    focus()
    xdotool("key", "ctrl+o")
    shown("打开")
    xdotool("type", TMP + "/site.chp")
    xdotool("key", "Return")
    shown("Tervan_V3.0编程软件 - site.chp")
    focus()
    # Orca starts once the file is open (a file dialog's flood of events keeps it busy for long
    # on a loaded machine), set to say a row's header as the focus moves to another row.
    os.makedirs(TMP + "/data/orca")
    with open(TMP + "/data/orca/user-settings.conf", "w") as settings:
        settings.write('{"general": {}, "pronunciations": {}, "keybindings": {}, "profiles": {"default":'
                       ' {"profile": ["Default", "default"], "readFullRowInGUITable": false}}}')
    terminal, log = pty.openpty()
    threading.Thread(target=lambda: said.extend(
        line for line in open(terminal, errors="replace") if "SPEECH OUTPUT" in line),
        daemon=True).start()
    orca = start("orca", "--debug-file=" + os.ttyname(log))
    hears("Screen reader on")
    # Channel 2: a frequency typed (a digit opens the cell's editor with it), a list picked;
    # channel 3: a frequency outside the band. Alt is held, as a person holds it, until the
    # program has it: a quick chord races the bridge, which hands the program each key only
    # once Orca has seen it.
    for key, says in [("Right", "发射频率 column header"), ("Down", "信道 2 row header"),
                      ("Left", "接收频率 column header"), ("4", "接收频率 text"),
                      ("3 5 period 1 2 5 Return", "435.12500"),
                      *[("Right", c + " column header") for c in ["发射频率", "接收信令",
                                                                 "发射信令", "繁忙锁定"]],
                      ("Return", "繁忙锁定 combo box"), ("Home Return", "繁忙锁定 combo box"),
                      ("Escape", "繁忙锁定 column header 是"), ("Down", "信道 3 row header"),
                      *[("Left", c + " column header") for c in ["发射信令", "接收信令",
                                                                "发射频率", "接收频率"]],
                      ("4", "接收频率 text"), ("8 0 Return", None)]:
        xdotool("key", *key.split(), says=says)
    alert("请在正确的频率范围输入")
    xdotool("keydown", "alt", says="left alt")
    xdotool("key", "c", says="选择端口")
    xdotool("keyup", "alt")
    xdotool("key", "Return", says="端口选择 dialog")
    xdotool("key", "Down", says=radios[1])
    xdotool("key", "Return")
    alert("端口转换成COM2")
    xdotool("key", "ctrl+w")
    alert("确定要开始写频吗?", then_main_window=False)  # the progress window comes
    writing = "正在向对讲机写入数据。。。"

    progress = lambda: next((b.get_value_iface().get_current_value()  # noqa: E731
                             for b in shown(writing, "progress bar") if b.get_name() == writing), 0)
    moved = wait_for("the write's progress", progress)
    wait_for("the write's progress moving on", lambda: progress() > moved)
    wait_for("the write's result", lambda: any(
        b.get_name().startswith("写频成功：COM2") for b in shown("Tervan", "status bar")))
    # The radio holds the two values, and nothing else changed.
    subprocess.run([BIN + "/kvprog-cli", "read", "--port", radios[1], "--no-backup",
                    TMP + "/back.chp"], check=True, capture_output=True)
    diff = subprocess.run([BIN + "/kvprog-cli", "diff", TMP + "/site.chp", TMP + "/back.chp"],
                          capture_output=True, text=True).stdout
    assert diff.splitlines() == ["channel 2 rx_freq: OFF -> 435.12500",
                                 "channel 2 busy_lock: 否 -> 是"], diff


try:
    main()
    print("PASS")
except AssertionError:
    print("".join(said[max(heard - 3, 0):]))  # what Orca said since it was last heard
    raise
finally:
    for process in reversed(started):
        process.kill()
        process.wait()
    shutil.rmtree(TMP, ignore_errors=True)
