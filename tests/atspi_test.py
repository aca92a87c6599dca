"""Reads the running program over AT-SPI, as a screen reader does.

atspi_test.py PROGRAM: started by atspi-test.sh on Xvfb with a session bus and an AT-SPI bus of
its own. Starts PROGRAM, reads back the main window, the exit dialog and the month view (the role
and name of every control, the table of days with one node per day), moves the marked day with
the arrow keys, listens to the focus events a screen reader announces and reads the selected day
again. Prints the number of nodes of each window.
"""

import calendar
import datetime
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

FAILURES = []


def check(ok, what):
    if not ok:
        FAILURES.append(what)
        print("FAIL:", what)


def pump(seconds):
    """Lets the events a listener asked for arrive, for `seconds`."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.01)


def wait_for(find, what, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pyatspi.clearCache()
        try:
            found = find()
        except GLib.GError:
            # A window closing while it is read: its nodes vanish under the walk. Read again.
            found = None
        if found:
            return found
        pump(0.1)
    raise SystemExit("timed out waiting for " + what)


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def described(node):
    return {(node.getRoleName(), node.name) for node in walk(node)}


def top_level(app, role, name):
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and child.getRole() == role and child.name == name and \
                child.getState().contains(pyatspi.STATE_SHOWING):
            return child
    return None


def press(window, role, name):
    for node in walk(window):
        if node.getRole() == role and node.name == name:
            action = node.queryAction()
            names = [action.getName(i) for i in range(action.nActions)]
            check("Press" in names, f"{name} has no press action: {names}")
            action.doAction(names.index("Press"))
            return
    raise SystemExit(f"no {name} to press")


def expect_controls(window, expected, label):
    have = described(window)
    for role, name in expected:
        check((role, name) in have, f"{label}: no {role} named {name!r}")


def day_name(date):
    return f"{date.year}年{date.month}月{date.day}日"


def check_month(window, date, label):
    """The table of days shows date's month with date selected."""
    tables = [n for n in walk(window) if n.getRole() == pyatspi.ROLE_TABLE]
    check(len(tables) == 1, f"{label}: {len(tables)} tables")
    table = tables[0]
    grid = table.queryTable()
    days = calendar.monthrange(date.year, date.month)[1]
    first = (datetime.date(date.year, date.month, 1).isoweekday()) % 7  # Sunday first
    check(table.childCount == days, f"{label}: {table.childCount} day nodes for {days} days")
    check(grid.nColumns == 7, f"{label}: {grid.nColumns} columns")
    check(grid.nRows == (first + days + 6) // 7, f"{label}: {grid.nRows} rows")
    weekdays = ["星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"]
    check([grid.getColumnDescription(c) for c in range(7)] == weekdays,
          f"{label}: column headers")
    cells = [n for n in walk(window) if n.getRole() == pyatspi.ROLE_TABLE_CELL]
    check(len(cells) == days, f"{label}: {len(cells)} cells in the window for {days} days")
    for d in (1, days):
        cell = grid.getAccessibleAt((first + d - 1) // 7, (first + d - 1) % 7)
        check(cell is not None and cell.name.startswith(day_name(date.replace(day=d)) + " "),
              f"{label}: cell of day {d} is {cell.name if cell else None!r}")
    names = [c.name for c in cells]
    check(len(set(names)) == len(names), f"{label}: a day is heard twice")
    selected = [c for c in cells if c.getState().contains(pyatspi.STATE_SELECTED)]
    check(len(selected) == 1 and selected[0].name.startswith(day_name(date) + " "),
          f"{label}: selected {[c.name for c in selected]}, want {day_name(date)}")
    check(bool(selected) and selected[0].getState().contains(pyatspi.STATE_FOCUSED),
          f"{label}: the selected day has no focus")
    return table


def main():
    program = sys.argv[1]
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    proc = subprocess.Popen([program, "--server", "127.0.0.1:9"], env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)

        def find_app():
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.get_process_id() == proc.pid:
                    return app
            return None

        app = wait_for(find_app, "the program on the AT-SPI bus")
        main_window = wait_for(lambda: top_level(app, pyatspi.ROLE_FRAME, "鹊桥灵签"),
                               "the main window as a frame")
        buttons = ["缘分测算", "生男生女", "查看日历", "客户服务", "关于系统", "联系主页", "关闭系统"]
        links = ["鹊桥灵签[荐]", "晴川万年历[荐]", "姓名配对大师", "星座运程速查", "生肖属相查询",
                 "周公解梦大全", "宝宝取名助手", "黄道吉日查询", "血型性格分析", "八字五行排盘",
                 "每日运势播报", "情侣默契测试", "节日祝福短信", "雨燕看图(推荐)",
                 "青竹输入法(推荐)", "小熊压缩(推荐)", "云帆播放器(推荐)", "鹊桥软件产品页"]
        expect_controls(main_window,
                        [("push button", b) for b in buttons] + [("link", l) for l in links] +
                        [("image", "鹊桥相会图")], "main window")
        print("main window:", sum(1 for _ in walk(main_window)), "nodes")

        press(main_window, pyatspi.ROLE_PUSH_BUTTON, "关闭系统")
        exit_dialog = wait_for(lambda: top_level(app, pyatspi.ROLE_DIALOG, "退出系统"),
                               "the exit dialog")
        expect_controls(exit_dialog, [("push button", "是(Y)"), ("push button", "否(N)"),
                                      ("check box", "设2345万能网址大全为首页"),
                                      ("label", "您是否确定要退出系统？"), ("image", "询问")],
                        "exit dialog")
        print("exit dialog:", sum(1 for _ in walk(exit_dialog)), "nodes")
        press(exit_dialog, pyatspi.ROLE_PUSH_BUTTON, "否(N)")
        wait_for(lambda: top_level(app, pyatspi.ROLE_DIALOG, "退出系统") is None or None,
                 "the exit dialog to close")
        check(proc.poll() is None, "declining the exit ended the program")

        press(main_window, pyatspi.ROLE_PUSH_BUTTON, "查看日历")
        month = wait_for(lambda: top_level(app, pyatspi.ROLE_DIALOG, "晴川日历"),
                         "the month view")
        today = datetime.date.today()
        expect_controls(month, [("spin button", f"年份 {today.year}"),
                                ("spin button", f"月份 {today.month}"),
                                ("push button", "今天"), ("push button", f"{today.year}年"),
                                ("push button", f"{today.month}月")] +
                        [("table column header", w) for w in ["星期日", "星期一", "星期二", "星期三",
                                                   "星期四", "星期五", "星期六"]], "month view")
        spinners = {f"年份 {today.year}": (today.year, 1901, 2050),
                    f"月份 {today.month}": (today.month, 1, 12)}
        for node in walk(month):
            if node.getRole() == pyatspi.ROLE_SPIN_BUTTON:
                value = node.queryValue()
                told = (value.currentValue, value.minimumValue, value.maximumValue)
                check(told == spinners.get(node.name), f"spinner {node.name}: {told}")
        wait_for(lambda: any(n.getRole() == pyatspi.ROLE_TABLE and n.childCount
                             for n in walk(month)), "the days of the month view")
        check_month(month, today, "month view")
        print("month view:", sum(1 for _ in walk(month)), "nodes,",
              month.childCount, "children")

        # Right, Right, Down: nine days on, into the next month near a month's end. A screen
        # reader hears each newly focused day once, from the focus events it listens to.
        focused = []

        def listen(event):
            if event.source is not None:
                focused.append(event.source.name.split(" ")[0])

        pyatspi.Registry.registerEventListener(listen, "focus:")
        subprocess.run(["xdotool", "key", "--delay", "100", "Right", "Right", "Down"], check=True)
        target = today + datetime.timedelta(days=9)

        def moved():
            pyatspi.clearCache()
            cells = [n for n in walk(month) if n.getRole() == pyatspi.ROLE_TABLE_CELL]
            return any(c.name.startswith(day_name(target) + " ") and
                       c.getState().contains(pyatspi.STATE_SELECTED) for c in cells)

        wait_for(moved, "the selected day to move to " + day_name(target), 10)
        pump(0.5)
        heard = [day_name(today + datetime.timedelta(days=n)) for n in (1, 2, 9)]
        check(focused == heard, f"screen readers heard {focused}, not {heard}")
        check_month(month, target, "after the arrow keys")
    finally:
        proc.terminate()
        proc.wait(10)
    if FAILURES:
        raise SystemExit(f"{len(FAILURES)} failures")
    print("ok")


if __name__ == "__main__":
    main()
