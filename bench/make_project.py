#!/usr/bin/env python3
"""Writes a synthetic PureBasic project for timing the generator.

    make_project.py WINDOWS GADGETS DIR [--window-name NAME]

The same arguments always give the same bytes. Even windows are written as
form-designer files (.pbf), odd windows as hand-written sources (.pb). Every
window has a menu whose captions carry shortcuts after a tab, a toolbar whose
buttons share the menu item constants, a status bar, a font and images, and
GADGETS gadgets cycling through buttons, strings, texts, frames, image
gadgets and splitters. Main.pb includes a user file that names gadgets and
menu items, so bindings have something to carry into.

--window-name changes the stem of every window name (default "Win"); with
--windows-only it turns a generated project into one whose windows were all
renamed, which the runner then regenerates with one binding per window.
"""
import argparse
import os

MENU_ITEMS = [("New", "New\\tCtrl+N"), ("Open", "Open...\\tCtrl+O"),
              ("Save", "Save\\tCtrl+S"), ("Quit", "Quit\\tCtrl+Q"),
              ("About", "About\\tF1")]
KINDS = ["Button", "String", "Text", "Frame", "Image", "Splitter"]


def gadget_line(kind, i, window):
    x, y = 10 + (i % 10) * 60, 10 + (i // 10) * 30
    name = f"#{kind}_{i}"
    if kind == "Button":
        return f'ButtonGadget({name}, {x}, {y}, 80, 24, "Button {i}")'
    if kind == "String":
        return f'StringGadget({name}, {x}, {y}, 80, 24, "")'
    if kind == "Text":
        return f'TextGadget({name}, {x}, {y}, 80, 20, "Label {i}:")'
    if kind == "Frame":
        return f'Frame3DGadget({name}, {x}, {y}, 120, 80, "Group {i}")'
    if kind == "Image":
        return (f'ImageGadget({name}, {x}, {y}, 48, 48, '
                f'LoadImage({i}, "icons/{window}_{i}.png"), #PB_Image_Border)')
    # A splitter joins the two gadgets created just before it.
    a, b = KINDS[(i - 2) % 6], KINDS[(i - 1) % 6]
    return (f'SplitterGadget({name}, {x}, {y}, 200, 100, '
            f'#{a}_{i - 2}, #{b}_{i - 1}, #PB_Splitter_Separator)')


def window_body(window, gadgets, form):
    menu, toolbar, status = ("0", "0", "0") if form else (
        "#Menu", "#ToolBar", "#StatusBar")
    open_line = (f'  OpenWindow(#{window}, x, y, width, height, "{window}", '
                 f'#PB_Window_SystemMenu | #PB_Window_SizeGadget)')
    if not form:
        open_line = "  If " + open_line.strip()
    lines = [open_line,
             f"  CreateMenu({menu}, WindowID(#{window}))",
             '  MenuTitle("File")']
    lines += [f'  MenuItem(#Menu{item}, "{caption}")' for item, caption in MENU_ITEMS]
    lines += [f"  CreateToolBar({toolbar}, WindowID(#{window}))"]
    lines += [f"  ToolBarImageButton(#Menu{item}, ImageID(#Image{item}_{window}))"
              for item, _ in MENU_ITEMS[:3]]
    lines += [f'  ToolBarToolTip({toolbar}, #Menu{item}, "{item} file")'
              for item, _ in MENU_ITEMS[:3]]
    lines += [f"  CreateStatusBar({status}, WindowID(#{window}))",
              "  AddStatusBarField(#PB_Ignore)",
              f'  StatusBarText({status}, 0, "Ready")']
    for i in range(gadgets):
        kind = KINDS[i % 6] if i >= 2 else KINDS[i]
        lines.append("  " + gadget_line(kind, i, window))
        if i == 2:
            lines.append(f"  SetGadgetFont(#Text_2, FontID(#Font_{window}))")
    if not form:
        lines.append("  EndIf")
    return lines


def window_file(window, gadgets, form):
    head = [";", "; Window " + window, ";", "",
            "Enumeration FormWindow", f"  #{window}", "EndEnumeration", "",
            "UsePNGImageDecoder()", ""]
    head += [f'LoadImage(#Image{item}_{window}, "icons/{item.lower()}.png")'
             for item, _ in MENU_ITEMS[:3]]
    head += [f'LoadFont(#Font_{window}, "Arial", 10, #PB_Font_Bold)', ""]
    procedure = "Open" + window if form else "Open_" + window
    body = [f"Procedure {procedure}(x = 0, y = 0, width = 640, height = 480)"]
    body += window_body(window, gadgets, form)
    body += ["EndProcedure", ""]
    return head + body


def main_file(first_window):
    return ["; Synthetic project for timing", "",
            'XIncludeFile "UserCode.pb"',
            'IncludeFile "CommonFile.pb"',
            'IncludeFile "EventMenu.pb"',
            'IncludeFile "EventGadget.pb"',
            'IncludeFile "EventWindow.pb"',
            'IncludeFile "EventMain.pb"', "",
            "Procedure Main()",
            f"  Open_{first_window}()",
            "  Repeat",
            "    Select WaitWindowEvent()",
            "      Case #PB_Event_Menu",
            "        MyEventMenu(EventMenu())",
            "      Case #PB_Event_Gadget",
            "        MyEventGadget(EventGadget(), EventType())",
            "      Case #PB_Event_CloseWindow",
            "        MyEventExit(EventWindow())",
            "    EndSelect",
            "  Until ExitApplication = 1",
            "EndProcedure:Main()", "", "End"]


def user_file(windows, stem):
    lines = ["; Helpers written by the user; they name generated constants.", ""]
    for w in range(windows):
        window = f"{stem}{w}"
        lines += [f"Procedure Reset_{window}()",
                  f'  SetGadgetText(#{window}_String_1, "")',
                  f"  DisableMenuItem(#{window}_Menu, #{window}_MenuSave, 1)",
                  f"  HideWindow(#{window}, 0)",
                  "EndProcedure", ""]
    return lines


def project_file(files):
    return (["[FILES]"] + files + ["", "[SWITCH]", "Parend=1", "PB_Ignore=1",
            "Multilang=0", "Image_Include=0", "Image_Null=0", "UseCallFast=1",
            "Utf8=1", ""] + [f"[{s}]\n" for s in
            ("WINDOW", "MENU", "MENUITEM", "STATUSBAR", "TOOLBAR", "GADGET")])


def write(path, lines):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("windows", type=int)
    parser.add_argument("gadgets", type=int)
    parser.add_argument("directory")
    parser.add_argument("--window-name", default="Win")
    parser.add_argument("--windows-only", action="store_true",
                        help="write only the window files, leaving the project file, "
                             "Main.pb and the user file as they are")
    args = parser.parse_args()
    os.makedirs(args.directory, exist_ok=True)
    files = []
    for w in range(args.windows):
        form = w % 2 == 0
        name = f"Window{w}.pbf" if form else f"Window{w}.pb"
        window = f"{args.window_name}{w}"
        write(os.path.join(args.directory, name), window_file(window, args.gadgets, form))
        files.append(name)
    if args.windows_only:
        return
    write(os.path.join(args.directory, "Main.pb"), main_file(f"{args.window_name}0"))
    write(os.path.join(args.directory, "UserCode.pb"), user_file(args.windows, args.window_name))
    write(os.path.join(args.directory, "Bench.pbm"), project_file(files))


if __name__ == "__main__":
    main()
