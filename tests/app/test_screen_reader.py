#!/usr/bin/python3
"""A blind user's session (under tests/support/a11y-session): kvprog with Orca, worked by real
key presses only against two kvsim radios, then the radio read back with kvprog-cli. Orca's
words are the "SPEECH OUTPUT" lines of its debug log; the window is read from the bus.
Usage: test_screen_reader.py BIN_DIR DATA_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from atspi_tree import window  # noqa: E402

BIN, DATA = sys.argv[1], sys.argv[2]
TMP = tempfile.mkdtemp(prefix="kvprog-reader-")
ORCA_LOG = TMP + "/orca.log"
os.environ.update(HOME=TMP, XDG_CONFIG_HOME=TMP + "/config", XDG_DATA_HOME=TMP + "/data",
                  LC_ALL="C.UTF-8")
started = []


def start(*command):
    started.append(subprocess.Popen(command, stdout=subprocess.PIPE, text=True))
    return started[-1]


def wait_for(what, check, seconds=20):
    deadline = time.monotonic() + seconds
    while not (result := check()):
        if time.monotonic() > deadline:
            raise AssertionError("never happened: " + what)
        time.sleep(0.1)
    return result


def titled(pid, title):
    return wait_for(title, lambda: window(pid, lambda w: w.get_name().startswith(title)))


def names(node, role):
    children = map(node.get_child_at_index, range(node.get_child_count()))
    return ([node.get_name()] if node.get_role_name() == role else []) + \
        [n for child in children for n in names(child, role)]


def alert(pid, text, then_main_window=True):
    """Waits for the message box that says `text`, lets Orca read it, presses Enter."""
    box = wait_for(text, lambda: window(pid, lambda w: w.get_role_name() == "alert"))
    time.sleep(1.5)  # Orca passes over what a newer event has made stale
    assert " ".join(filter(None, names(box, "label"))) == text, names(box, "label")
    keys("Return")
    if then_main_window:
        focus(pid)


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, stdout=subprocess.DEVNULL)


def focus(pid):
    """Gives the main window the keyboard, as a window manager would; the display has none."""
    xdotool("search", "--sync", "--pid", str(pid), "--name", "^Tervan", "windowfocus")
    time.sleep(0.3)


def keys(*names, pause=0.3):
    """Presses keys as a person does: a quick chord reaches the program without its modifier."""
    for name in names:
        *modifiers, key = name.split("+")
        for modifier in modifiers:
            xdotool("keydown", modifier, "sleep", "0.2")
        xdotool("key", key, *[a for m in modifiers for a in ("sleep", "0.2", "keyup", m)])
        time.sleep(pause)


def main():
    radios = [start(BIN + "/kvsim", "--image", f"{TMP}/{n}.bin").stdout.readline().strip()
              for n in (1, 2)]
    shutil.copy(DATA + "/example.chp", TMP + "/site.chp")
    os.environ["KVPROG_PORTS"] = ",".join(radios)
    pid = start(BIN + "/kvprog").pid
    titled(pid, "Tervan")
    focus(pid)
    keys("ctrl+o")
    titled(pid, "打开")
    xdotool("type", TMP + "/site.chp")
    keys("Return")
    titled(pid, "Tervan_V3.0编程软件 - site.chp")
    focus(pid)
    # Orca set as for a spreadsheet-like table: a move to another row says the row's header
    # (by default it reads the whole row). It follows the windows it saw open.
    os.makedirs(TMP + "/data/orca")
    with open(TMP + "/data/orca/user-settings.conf", "w") as settings:
        settings.write('{"general": {}, "pronunciations": {}, "keybindings": {}, "profiles": {"default":'
                       ' {"profile": ["Default", "default"], "readFullRowInGUITable": false}}}')
    orca = start("orca", "--debug-file=" + ORCA_LOG)
    time.sleep(4)

    keys("Right", "Down", "Left", pause=1.5)
    # Channel 2: a frequency typed, a list picked; then a frequency outside the band.
    xdotool("type", "435.125")
    keys("Return", "Right", "Right", "Right", "Right", "Return", "Home", "Return", pause=0.6)
    keys("Escape", pause=1)
    keys("Down", "Left", "Left", "Left", "Left", pause=0.6)
    xdotool("type", "480")
    keys("Return")
    alert(pid, "请在正确的频率范围输入")
    # The second port, chosen in the port dialog with the arrows; the write; the save.
    keys("alt+c", "Return")
    titled(pid, "端口选择")
    keys("Down", "Return")
    alert(pid, "端口转换成COM2")
    keys("ctrl+w")
    alert(pid, "确定要开始写频吗?", then_main_window=False)  # the progress window comes
    main_window = titled(pid, "Tervan")
    wait_for("the write's result", lambda: any(
        n.startswith("写频成功：COM2") for n in names(main_window, "status bar")), 60)
    focus(pid)
    keys("ctrl+s")
    titled(pid, "另存")
    keys("ctrl+a")
    xdotool("type", TMP + "/saved.chp")
    keys("Return")
    alert(pid, "保存成功")
    keys("ctrl+x")
    orca.kill()  # its log is written in blocks: what it said up to the write is in it by now
    orca.wait()
    said = iter([line for line in open(ORCA_LOG, errors="replace") if "SPEECH OUTPUT" in line])
    for words in ["发射频率 column header", "信道 2 row header", "繁忙锁定 column header 是",
                  "请在正确的频率范围输入", "端口转换成COM2", "确定要开始写频吗"]:
        assert any(words in line for line in said), "Orca never said " + words

    def cli(*arguments):
        return subprocess.run([BIN + "/kvprog-cli", *arguments], capture_output=True, text=True)
    assert cli("read", "--port", radios[1], "--no-backup", TMP + "/back.chp").returncode == 0
    diff = cli("diff", TMP + "/saved.chp", TMP + "/back.chp")
    assert diff.returncode == 0 and not diff.stdout, diff.stdout
    assert "435.12500" in cli("show", TMP + "/back.chp").stdout


try:
    main()
    print("PASS")
finally:
    for process in reversed(started):
        process.kill()
        process.wait()
    shutil.rmtree(TMP, ignore_errors=True)
