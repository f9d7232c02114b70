#!/usr/bin/python3
"""A blind user's session (under tests/support/a11y-session): kvprog worked by real key presses
alone against two kvsim radios, Orca reading the table, a refused value, the port and the write,
then the radio read back with kvprog-cli. Each key waits for what Orca says of it (the "SPEECH
OUTPUT" lines of its debug log, written to a terminal so that they come as it says them) or for
what it opens on the accessibility bus, never for a fixed time. Orca runs only while it is heard:
the file dialogs' floods of events keep it busy for long on a loaded machine.
Usage: test_screen_reader.py BIN_DIR DATA_DIR
"""
import os
import pty
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from atspi_tree import children, window  # noqa: E402
from gi.repository import GLib  # noqa: E402

BIN, DATA = sys.argv[1], sys.argv[2]
TMP = tempfile.mkdtemp(prefix="kvprog-reader-")
os.environ.update(HOME=TMP, XDG_CONFIG_HOME=TMP + "/config", XDG_DATA_HOME=TMP + "/data",
                  LC_ALL="C.UTF-8")
started = []
said = []  # what Orca said, a line each
heard = 0  # how much of it the session has heard
orca = None
PID = MAIN_WINDOW = None  # kvprog's process and its main window's X id


def start(*command):
    started.append(subprocess.Popen(command, stdout=subprocess.PIPE, text=True))
    return started[-1]


def wait_for(what, check, seconds=30):
    deadline = time.monotonic() + seconds
    while not (result := readable(check)):
        if time.monotonic() > deadline:
            raise AssertionError("never happened: " + what)
        time.sleep(0.1)
    return result


def readable(check):
    try:
        return check()
    except GLib.Error:  # a window read as it closed
        return None


def start_orca():
    # Set as for a spreadsheet-like table: a move to another row says the row's header (by
    # default it reads the whole row).
    os.makedirs(TMP + "/data/orca")
    with open(TMP + "/data/orca/user-settings.conf", "w") as settings:
        settings.write('{"general": {}, "pronunciations": {}, "keybindings": {}, "profiles": {"default":'
                       ' {"profile": ["Default", "default"], "readFullRowInGUITable": false}}}')
    terminal, log = pty.openpty()

    def listen():
        try:
            with open(terminal, errors="replace") as lines:
                said.extend(line for line in lines if "SPEECH OUTPUT" in line)
        except OSError:  # Orca has ended
            pass
    threading.Thread(target=listen, daemon=True).start()
    hears("Screen reader on", start("orca", "--debug-file=" + os.ttyname(log)))


def hears(words, speaker=None):
    """Waits for Orca (`speaker`, once it starts) to say `words` after what it was last heard
    saying."""
    global heard, orca
    orca = speaker or orca
    heard = wait_for("Orca saying " + words, lambda: next(
        (i + 1 for i in range(heard, len(said)) if words in said[i]), None))


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


def keys(*names, says=None):
    """Presses keys ("ctrl+o"), then waits for Orca to say `says`."""
    xdotool("key", *names)
    if says:
        hears(says)


def nodes(node, role):
    return ([node] if node.get_role_name() == role else []) + \
        [n for child in children(node) for n in nodes(child, role)]


def titled(title):
    return wait_for(title, lambda: window(PID, lambda w: w.get_name().startswith(title)))


def focus():
    """Gives the main window the keyboard, as a window manager would (the display has none),
    and while Orca runs, waits for it to say the table the focus is back in."""
    xdotool("windowfocus", "--sync", MAIN_WINDOW)
    if orca:
        hears("table with 16 rows 7 columns")


def alert(text, then_main_window=True):
    """Waits for the message box that says `text` (and while Orca runs, for Orca to say it),
    then presses Enter."""
    def box():
        return window(PID, lambda w: w.get_role_name() == "alert" and
                      text in [n.get_name() for n in nodes(w, "label")])
    wait_for(text, box)
    if orca:
        hears(text)
    keys("Return")
    wait_for("the message box closing", lambda: box() is None)
    if then_main_window:
        focus()


def bar_value(title):
    """The value of the progress bar named as its window, `title`, once it moves."""
    shown = window(PID, lambda w: w.get_name() == title)
    return next((b.get_value_iface().get_current_value() for b in nodes(shown, "progress bar")
                 if b.get_name() == title), 0) if shown else 0


def main():
    global PID, MAIN_WINDOW, orca
    radios = [start(BIN + "/kvsim", "--baud", "9600", "--image", f"{TMP}/{n}.bin")
              .stdout.readline().strip() for n in (1, 2)]
    shutil.copy(DATA + "/example.chp", TMP + "/site.chp")
    os.environ["KVPROG_PORTS"] = ",".join(radios)
    PID = start(BIN + "/kvprog").pid
    titled("Tervan")
    MAIN_WINDOW = subprocess.run(["xdotool", "search", "--pid", str(PID), "--name", "^Tervan"],
                                 capture_output=True, text=True, check=True).stdout.split()[0]
    focus()
    keys("ctrl+o")
    titled("打开")
    xdotool("type", TMP + "/site.chp")
    keys("Return")
    titled("Tervan_V3.0编程软件 - site.chp")
    focus()
    start_orca()
    # Channel 2: a frequency typed, a list picked; then a frequency outside the band.
    for key, says in [("Right", "发射频率 column header"), ("Down", "信道 2 row header"),
                      ("Left", "接收频率 column header")]:
        keys(key, says=says)
    keys("4", says="接收频率 text")  # a digit opens the cell's editor with it
    xdotool("type", "35.125")
    keys("Return", says="435.12500")
    for says in ["发射频率", "接收信令", "发射信令", "繁忙锁定"]:
        keys("Right", says=says + " column header")
    keys("Return", says="繁忙锁定 combo box")
    keys("Home", "Return", says="繁忙锁定 combo box")
    keys("Escape", says="繁忙锁定 column header 是")
    keys("Down", says="信道 3 row header")
    for says in ["发射信令", "接收信令", "发射频率", "接收频率"]:
        keys("Left", says=says + " column header")
    keys("4", says="接收频率 text")
    xdotool("type", "80")
    keys("Return")
    alert("请在正确的频率范围输入")
    # The second port, chosen in the port dialog with the arrows; the write; the save.
    # Alt held, as a person holds it, until the program has it: a quick chord races the
    # bridge, which hands the program each key only once Orca has seen it.
    xdotool("keydown", "alt")
    hears("left alt")
    keys("c", says="选择端口")
    xdotool("keyup", "alt")
    keys("Return", says="端口选择 dialog")
    keys("Down", says=radios[1])
    keys("Return")
    alert("端口转换成COM2")
    keys("ctrl+w")
    alert("确定要开始写频吗?", then_main_window=False)  # the progress window comes
    writing = "正在向对讲机写入数据。。。"
    moved = wait_for("the write's progress", lambda: bar_value(writing))
    wait_for("the write's progress moving on", lambda: bar_value(writing) > moved)
    main_window = titled("Tervan")
    wait_for("the write's result", lambda: any(
        b.get_name().startswith("写频成功：COM2") for b in nodes(main_window, "status bar")))
    orca.kill()
    orca = None
    focus()
    keys("ctrl+s")
    titled("另存")
    keys("ctrl+a")
    xdotool("type", TMP + "/saved.chp")
    keys("Return")
    alert("保存成功")
    keys("ctrl+x")

    def cli(*arguments):
        return subprocess.run([BIN + "/kvprog-cli", *arguments], capture_output=True, text=True)
    assert cli("read", "--port", radios[1], "--no-backup", TMP + "/back.chp").returncode == 0
    diff = cli("diff", TMP + "/saved.chp", TMP + "/back.chp")
    assert diff.returncode == 0 and not diff.stdout, diff.stdout
    assert "435.12500" in cli("show", TMP + "/back.chp").stdout


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
