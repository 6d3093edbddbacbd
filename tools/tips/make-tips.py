#!/usr/bin/env python3
"""Draws the seven tip pictures of the tips window into assets/tips/1.bmp .. 7.bmp.

Each picture is 478 x 232 pixels, 24-bit, the size of the window's picture area: a dark band
on the left with the tip's number and a small sign, the tip's title and text on the right,
and below them the way to the option as a row of steps. Drawn with ImageMagick's `convert`
and the DejaVu fonts, so the pictures can be made again on any machine that has both.

    tools/tips/make-tips.py [output folder]
"""
import os
import subprocess
import sys

WIDTH, HEIGHT = 478, 232
BAND = 118                  # the dark band on the left
TEXT_LEFT = BAND + 20
TEXT_WIDTH = WIDTH - TEXT_LEFT - 18

NIGHT = "#23395B"           # the band: the sky before sunrise
DAWN = "#F4A259"            # the number and the signs: the sun coming up
INK = "#1E2A3A"
GREY = "#46536A"
STEP_FILL = "#E8EEF7"
STEP_RIM = "#B9C7DD"

SANS = "DejaVu-Sans"
BOLD = "DejaVu-Sans-Bold"

# The tips, in the order the window shows them. A step list names the way to the option.
TIPS = [
    ("Set a wake date",
     "Open the preferences with the Options button or Ctrl+P. On the Dates tab press New, "
     "pick the day and type the time. Then press OK in the preferences: only then is the "
     "date stored.",
     ["Options / Ctrl+P", "Dates", "New", "OK"]),
    ("Let the agent wake you",
     "Keep \u201cActivate Orvella Agent\u201d ticked. The agent watches your wake dates while "
     "Orvella is closed, and at a wake date it starts Orvella, which starts your player.",
     ["Ctrl+P", "Dates", "Activate Orvella Agent"]),
    ("Wake up gently",
     "With Rising volume on, the music starts at the initial volume and grows step by "
     "step to the final volume. "
     "The interval sets how fast it rises; Define breaks adds pauses on the way up.",
     ["Ctrl+P", "Volume", "Rising volume"]),
    ("Skins and opacity",
     "Right-click the window and choose Skins for another look; Skin Browser lists them "
     "all. Fenstereinstellungen \u203a Opacity makes the window see-through in steps of "
     "ten percent.",
     ["Right-click", "Skins", "Skin Browser"]),
    ("Speak your language",
     "Choose the language of every window under Active language on the Language tab. "
     "The windows change at once; OK keeps the choice for the next start.",
     ["Ctrl+P", "Language", "Active language"]),
    ("Switch off when it is over",
     "Orvella can shut Windows down after the alarm: tick \u201cShutdown windows after "
     "reaching final volume\u201d. A countdown of ten seconds comes first, and Cancel "
     "stops it.",
     ["Ctrl+P", "Volume", "Shutdown windows"]),
    ("Keyboard shortcuts",
     None,
     None),
]

SHORTCUTS = [("Ctrl+P", "Preferences"), ("Ctrl+S", "Skin browser"), ("Ctrl+F4", "Terminate"),
             ("X", "Play"), ("C", "Pause"), ("V", "Stop")]


def text_width(font, size, text):
    out = subprocess.run(["convert", "-font", font, "-pointsize", str(size), "label:" + text,
                          "-format", "%w", "info:"], check=True, capture_output=True, text=True)
    return int(out.stdout)


def mvg_text(x, y, text):
    escaped = text.replace("\\", "\\\\").replace("'", "\\'")
    return "text %d,%d '%s'" % (x, y, escaped)


def sign(number):
    """The small sign under the number, centred at (59, 168), as MVG primitives."""
    cx, cy = 59, 168
    line = ["fill none", "stroke '%s'" % DAWN, "stroke-width 4", "stroke-linecap round"]
    if number == 1:    # an alarm clock
        return line + [
            "circle %d,%d %d,%d" % (cx, cy + 4, cx + 22, cy + 4),
            "line %d,%d %d,%d" % (cx, cy + 4, cx, cy - 9),
            "line %d,%d %d,%d" % (cx, cy + 4, cx + 10, cy + 10),
            "line %d,%d %d,%d" % (cx - 16, cy + 22, cx - 20, cy + 28),
            "line %d,%d %d,%d" % (cx + 16, cy + 22, cx + 20, cy + 28),
            "fill '%s'" % DAWN,
            "arc %d,%d %d,%d 180,270" % (cx - 30, cy - 30, cx - 8, cy - 8),
            "arc %d,%d %d,%d 270,360" % (cx + 8, cy - 30, cx + 30, cy - 8)]
    if number == 2:    # an open eye: the agent watching
        return line + [
            "path 'M %d,%d Q %d,%d %d,%d Q %d,%d %d,%d Z'" % (
                cx - 30, cy, cx, cy - 28, cx + 30, cy, cx, cy + 28, cx - 30, cy),
            "fill '%s'" % DAWN, "stroke none",
            "circle %d,%d %d,%d" % (cx, cy, cx + 9, cy),
            "fill '%s'" % NIGHT,
            "circle %d,%d %d,%d" % (cx, cy, cx + 4, cy)]
    if number == 3:    # bars growing to the right
        bars = ["fill '%s'" % DAWN, "stroke none"]
        for i in range(5):
            h = 10 + i * 9
            x = cx - 30 + i * 13
            bars.append("roundrectangle %d,%d %d,%d 2,2" % (x, cy + 24 - h, x + 8, cy + 24))
        return bars
    if number == 4:    # two skins, the front one half see-through
        return ["stroke '%s'" % DAWN, "stroke-width 3", "fill '%s'" % DAWN,
                "roundrectangle %d,%d %d,%d 5,5" % (cx - 28, cy - 24, cx + 8, cy + 8),
                "fill '%s'" % DAWN, "fill-opacity 0.35",
                "roundrectangle %d,%d %d,%d 5,5" % (cx - 8, cy - 6, cx + 28, cy + 26),
                "fill-opacity 1"]
    if number == 5:    # a speech bubble
        return line + [
            "roundrectangle %d,%d %d,%d 8,8" % (cx - 30, cy - 22, cx + 30, cy + 14),
            "path 'M %d,%d L %d,%d L %d,%d'" % (cx - 14, cy + 14, cx - 18, cy + 28, cx - 2, cy + 14),
            "fill '%s'" % DAWN, "stroke none", "font %s" % BOLD, "font-size 20",
            mvg_text(cx - 15, cy + 3, "Aa")]
    if number == 6:    # the power sign
        return line + [
            "arc %d,%d %d,%d 300,600" % (cx - 24, cy - 22, cx + 24, cy + 26),
            "line %d,%d %d,%d" % (cx, cy - 28, cx, cy)]
    # a key cap
    return line + [
        "roundrectangle %d,%d %d,%d 7,7" % (cx - 30, cy - 22, cx + 30, cy + 22),
        "line %d,%d %d,%d" % (cx - 22, cy + 14, cx + 22, cy + 14),
        "fill '%s'" % DAWN, "stroke none", "font %s" % BOLD, "font-size 17",
        mvg_text(cx - 17, cy + 6, "Ctrl")]


def steps_row(steps, y):
    """The way to an option as boxes joined by arrows, from the text's left edge."""
    size = 11
    draw = ["font %s" % SANS, "font-size %d" % size, "stroke-width 1"]
    x = TEXT_LEFT
    for i, step in enumerate(steps):
        w = text_width(SANS, size, step) + 14
        draw += ["fill '%s'" % STEP_FILL, "stroke '%s'" % STEP_RIM,
                 "roundrectangle %d,%d %d,%d 5,5" % (x, y, x + w, y + 22),
                 "fill '%s'" % INK, "stroke none", mvg_text(x + 7, y + 15, step)]
        x += w
        if i + 1 < len(steps):
            draw += ["fill '%s'" % GREY, "font-size 14", mvg_text(x + 5, y + 16, "\u203a"),
                     "font-size %d" % size]
            x += 18
    if x > WIDTH - 10:
        raise SystemExit("steps too wide: %s" % steps)
    return draw


def shortcut_table(top):
    draw = ["stroke-width 1"]
    for i, (keys, what) in enumerate(SHORTCUTS):
        column, row = divmod(i, 3)
        x = TEXT_LEFT + column * 160
        y = top + row * 34
        w = text_width(BOLD, 11, keys) + 16
        draw += ["fill '%s'" % STEP_FILL, "stroke '%s'" % STEP_RIM,
                 "roundrectangle %d,%d %d,%d 4,4" % (x, y, x + w, y + 24),
                 "stroke none", "fill '%s'" % INK, "font %s" % BOLD, "font-size 11",
                 mvg_text(x + 8, y + 16, keys),
                 "fill '%s'" % GREY, "font %s" % SANS, "font-size 12",
                 mvg_text(x + w + 10, y + 16, what)]
    return draw


def draw_tip(number, title, body, steps, path):
    draw = ["fill '%s'" % NIGHT, "rectangle 0,0 %d,%d" % (BAND - 1, HEIGHT - 1),
            "fill '%s'" % DAWN, "font %s" % SANS, "font-size 11",
            mvg_text(22, 34, "TIP"),
            "fill white", "font %s" % BOLD, "font-size 54",
            mvg_text(22, 96, str(number)),
            "fill '%s'" % DAWN, "font %s" % SANS, "font-size 11",
            mvg_text(22, 218, "%d of 7" % number)]
    draw += sign(number)
    draw += ["stroke none", "fill '%s'" % INK, "font %s" % BOLD, "font-size 17",
             mvg_text(TEXT_LEFT, 40, title),
             "fill '%s'" % DAWN, "rectangle %d,50 %d,52" % (TEXT_LEFT, TEXT_LEFT + 36)]
    command = ["convert", "-size", "%dx%d" % (WIDTH, HEIGHT), "xc:white"]
    if body is None:
        draw += ["fill '%s'" % GREY, "font %s" % SANS, "font-size 12",
                 mvg_text(TEXT_LEFT, 206, "They work while the Orvella window has the focus.")]
        draw += shortcut_table(70)
    else:
        draw += steps_row(steps, 188)
        command += ["(", "-size", "%dx110" % TEXT_WIDTH, "-background", "none", "-fill", GREY,
                    "-font", SANS, "-pointsize", "12.5", "-interline-spacing", "4",
                    "caption:" + body, ")", "-geometry", "+%d+66" % TEXT_LEFT, "-composite"]
    command += ["-draw", "\n".join(draw)]
    # Uncompressed 24-bit, the plainest bitmap there is.
    command += ["-alpha", "off", "-type", "TrueColor", "-compress", "None", "BMP3:" + path]
    subprocess.run(command, check=True)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "tips")
    os.makedirs(folder, exist_ok=True)
    for number, (title, body, steps) in enumerate(TIPS, start=1):
        draw_tip(number, title, body, steps, os.path.join(folder, "%d.bmp" % number))


if __name__ == "__main__":
    main()
