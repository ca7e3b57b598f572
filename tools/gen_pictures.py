#!/usr/bin/env python3
"""Draws every picture of the bundled game into demo/res/image/.

    python3 tools/gen_pictures.py [OUTPUT_DIR]

Pixel art made from code: shapes filled at the size they are shown, lit on their
upper-left edges and rimmed with a dark outline so they read at 1x over the starfield.
The same code always draws the same pictures.
"""
import math
import os
import sys

from font import draw_text, text_picture, text_width
from raster import Canvas, Rng, even, mix, shade, strip

OUT = (18, 14, 34)          # outline of everything
HULL = (206, 214, 230)
HERO_BLUE = (64, 120, 220)
HERO_DARK = (36, 60, 140)
COCKPIT = (110, 235, 255)
FLAME = (255, 176, 60)
FLAME_HOT = (255, 244, 170)
TRIM = (226, 64, 82)
GOLD = (255, 214, 90)
WHITE = (255, 255, 255)


# --------------------------------------------------------------------------- hero
def hero_cell(bank):
    """The fighter seen from above, nose up; bank -2..2 narrows the dipping wing."""
    c = Canvas(32, 32)
    left = 1.0 - 0.28 * max(0, -bank)
    right = 1.0 - 0.28 * max(0, bank)
    for side, span in ((-1, left), (1, right)):
        tip = 16 + side * 13.5 * span
        root = 16 + side * 2.5
        wing = [(root, 10), (root, 24), (tip, 25.5), (tip, 21)]
        colour = HERO_BLUE if span > 0.9 else shade(HERO_BLUE, 0.8 if span > 0.6 else 0.65)
        c.poly(wing, colour)
        # red stripe near the wing tip
        stripe_x = 16 + side * 10.5 * span
        c.poly([(stripe_x, 19.5), (stripe_x + side * 2, 20.5), (stripe_x + side * 2, 24.5),
                (stripe_x, 24.5)], TRIM)
    # tail fins
    c.poly([(12, 22), (13.5, 22), (13.5, 29), (11, 29)], HERO_DARK)
    c.poly([(20, 22), (18.5, 22), (18.5, 29), (21, 29)], HERO_DARK)
    # fuselage
    c.poly([(16, 1), (19.2, 8), (19.6, 27), (12.4, 27), (12.8, 8)], HULL)
    c.rect(15, 14, 2, 9, shade(HULL, 0.85))
    # cockpit
    c.ellipse(16, 11.5, 1.7, 3.4, COCKPIT)
    c.set(15, 10, WHITE)
    c.bevel()
    # engines and their flames
    c.rect(13, 27, 2, 2, (70, 74, 96))
    c.rect(17, 27, 2, 2, (70, 74, 96))
    c.outline(OUT)
    for x in (13, 17):
        c.rect(x, 29, 2, 1, FLAME_HOT)
        c.rect(x, 30, 2, 1, FLAME)
        c.set(x + (0 if bank <= 0 else 1), 31, FLAME, 180)
    return c


def hero():
    return strip([hero_cell(b) for b in (-2, -1, 0, 1, 2)])


def life_icon():
    c = Canvas(14, 14)
    c.poly([(7, 0.5), (9, 5), (9.5, 12), (4.5, 12), (5, 5)], HULL)
    c.poly([(5, 5), (5, 11), (0.5, 12), (0.5, 10)], HERO_BLUE)
    c.poly([(9, 5), (9, 11), (13.5, 12), (13.5, 10)], HERO_BLUE)
    c.set(7, 5, COCKPIT)
    c.set(7, 6, COCKPIT)
    c.bevel()
    c.outline(OUT)
    return c


# --------------------------------------------------------------------------- mobs
def drone_cell(frame):
    """A red saucer with a blinking eye; spikes left, right and toward the player."""
    red = (204, 56, 88)
    c = Canvas(24, 24)
    c.poly([(2, 11), (6, 9.5), (6, 13.5)], shade(red, 0.7))
    c.poly([(22, 11), (18, 9.5), (18, 13.5)], shade(red, 0.7))
    c.poly([(12, 23), (9.5, 18), (14.5, 18)], shade(red, 0.7))
    c.circle(12, 11.5, 8, red)
    c.ring(12, 11.5, 8, 6.4, shade(red, 0.8))
    c.bevel(1.45, 0.6)
    eye = GOLD if frame == 0 else (255, 110, 60)
    c.circle(12, 11.5, 3.2, (40, 20, 40))
    c.circle(12, 11.5, 2.2, eye)
    if frame == 0:
        c.set(11, 10, WHITE)
    c.outline(OUT)
    return c


def swooper_cell(frame):
    """A green arrowhead drawn nose down: the engine turns it along its flight."""
    green = (84, 196, 110)
    c = Canvas(28, 28)
    c.poly([(14, 27), (26.5, 6), (20, 9), (14, 5), (8, 9), (1.5, 6)], green)
    c.poly([(14, 27), (17, 14), (14, 9), (11, 14)], shade(green, 1.25))
    c.ellipse(14, 16, 1.8, 3.2, (230, 255, 120))
    c.bevel(1.3, 0.6)
    c.outline(OUT)
    flame = FLAME_HOT if frame == 0 else FLAME
    c.rect(12, 2, 4, 2, flame)
    c.rect(13, 0 if frame == 0 else 1, 2, 2, FLAME)
    return c


def gunship_cell(frame):
    """An armoured pod with its cannon pointing down: the picture is turned to aim."""
    armour = (214, 140, 60)
    c = Canvas(48, 48)
    # side pods
    c.ellipse(7, 22, 5, 9, shade(armour, 0.75))
    c.ellipse(41, 22, 5, 9, shade(armour, 0.75))
    # hexagonal hull
    pts = [(24 + 17 * math.cos(math.radians(a)), 21 + 15 * math.sin(math.radians(a)))
           for a in range(30, 390, 60)]
    c.poly(pts, armour)
    c.poly([(24 + 11 * math.cos(math.radians(a)), 21 + 9.5 * math.sin(math.radians(a)))
            for a in range(30, 390, 60)], shade(armour, 0.85))
    # cannon
    c.rect(21, 31, 6, 13, (120, 120, 140))
    c.rect(20, 43, 8, 3, (90, 90, 110))
    c.rect(23, 32, 1, 11, (190, 190, 210))
    c.bevel(1.35, 0.6)
    glow = (236, 70, 60) if frame == 0 else (255, 150, 90)
    c.circle(24, 20, 5.5, (60, 24, 30))
    c.circle(24, 20, 4.2, glow)
    c.set(22, 18, WHITE)
    c.outline(OUT)
    return c


def guardian_cell(frame):
    """The boss: a wide purple carrier with three cannons and a pulsing core."""
    purple = (124, 66, 172)
    plate = (84, 44, 124)
    c = Canvas(128, 96)
    hull = [(64, 4), (100, 14), (124, 40), (116, 60), (88, 70), (76, 88), (64, 93),
            (52, 88), (40, 70), (12, 60), (4, 40), (28, 14)]
    # cannons below the hull
    for x in (20, 108):
        c.rect(x - 4, 52, 8, 20, (110, 110, 130))
        c.rect(x - 5, 70, 10, 4, (80, 80, 100))
        c.rect(x - 1, 54, 2, 16, (180, 180, 200))
    c.poly(hull, purple)
    # armour plates
    c.poly([(28, 18), (54, 12), (50, 30), (18, 40)], plate)
    c.poly([(100, 18), (74, 12), (78, 30), (110, 40)], plate)
    c.poly([(14, 46), (40, 44), (44, 62), (16, 56)], plate)
    c.poly([(114, 46), (88, 44), (84, 62), (112, 56)], plate)
    c.poly([(54, 66), (74, 66), (70, 84), (58, 84)], plate)
    # wing lights
    for x, y in ((10, 42), (118, 42), (40, 22), (88, 22)):
        c.rect(x - 1, y - 1, 3, 3, (255, 90, 120) if frame != 1 else (255, 200, 200))
    c.bevel(1.3, 0.6)
    # the core
    core = [(255, 226, 110), (255, 160, 70), (255, 96, 70)][frame]
    c.circle(64, 42, 14, (40, 20, 60))
    c.ring(64, 42, 13, 10.5, (170, 120, 220))
    c.circle(64, 42, 9 + (1 if frame == 0 else 0), core)
    c.circle(64, 42, 4, mix(core, WHITE, 0.7))
    c.set(61, 38, WHITE)
    c.set(62, 38, WHITE)
    c.outline(OUT)
    return c


# --------------------------------------------------------------------------- bullets
def player_shot():
    c = Canvas(6, 16)
    c.ellipse(3, 8, 2.6, 7.6, (110, 220, 255))
    c.ellipse(3, 9, 1.2, 5.5, WHITE)
    return c


def orb():
    c = Canvas(10, 10)
    c.circle(5, 5, 4.6, (255, 84, 60))
    c.circle(5, 5, 3.0, (255, 200, 80))
    c.circle(5, 5, 1.5, WHITE)
    c.outline(OUT)
    return c


def needle():
    """Drawn point down, so the engine can turn it along its flight."""
    c = Canvas(6, 14)
    c.poly([(3, 13.8), (5.6, 5), (3, 0.3), (0.4, 5)], (255, 80, 200))
    c.poly([(3, 11.5), (4.2, 5), (3, 2.5), (1.8, 5)], (255, 220, 250))
    return c


def big_orb():
    c = Canvas(16, 16)
    c.circle(8, 8, 7.5, (190, 60, 255))
    c.circle(8, 8, 5.5, (240, 140, 255))
    c.circle(8, 8, 3, WHITE)
    c.outline(OUT)
    return c


# --------------------------------------------------------------------------- items, friend
def power_cell(frame):
    """A red capsule marked P, with a glint that sweeps across it."""
    c = Canvas(16, 16)
    c.ellipse(8, 8, 6.5, 6.5, (226, 60, 70))
    c.bevel(1.4, 0.6)
    p = ["###.", "#..#", "###.", "#...", "#..."]
    for y, row in enumerate(p):
        for x, bit in enumerate(row):
            if bit == "#":
                c.set(6 + x, 5 + y, WHITE)
    gx = 3 + frame * 3
    for y in range(2, 14):
        if c.opaque(gx, y) and c.get(gx, y)[:3] != WHITE:
            c.blend(gx, y, WHITE, 110)
    c.outline(OUT)
    return c


def gem_cell(frame):
    """A gold gem turning on its axis: its width follows the turn."""
    c = Canvas(16, 16)
    half = [6.5, 4.5, 1.5, 4.5][frame]
    c.poly([(8, 1), (8 + half, 6), (8, 15), (8 - half, 6)], (250, 206, 60))
    if half > 2:
        c.poly([(8, 1), (8 + half, 6), (8, 6)], (255, 244, 170))
        c.poly([(8, 6), (8 + half, 6), (8, 15)], (214, 150, 40))
    c.outline(OUT)
    return c


def option_cell(frame):
    """The option drone: a teal orb with a light running round its rim."""
    c = Canvas(16, 16)
    c.circle(8, 8, 6, (70, 200, 190))
    c.bevel(1.45, 0.6)
    c.circle(8, 8, 2.5, (20, 60, 70))
    c.circle(8, 8, 1.5, (180, 255, 240))
    a = math.radians(frame * 90 - 45)
    c.circle(8 + 4.3 * math.cos(a), 8 + 4.3 * math.sin(a), 1.3, WHITE)
    c.outline(OUT)
    return c


# --------------------------------------------------------------------------- effects
def explosion_cell(frame, frames=8, size=32, seed=7):
    """A fireball that swells, then breaks up into smoke."""
    rng = Rng(seed + frame * 977)
    c = Canvas(size, size)
    t = frame / (frames - 1)
    half = size / 2
    r = (half - 1) * (0.3 + 0.7 * min(1.0, t * 1.7))
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - half, y + 0.5 - half) / r
            if d > 1.0:
                continue
            heat = (1.0 - d) * (1.05 - t) + rng.random() * 0.3
            if t > 0.45 and rng.random() < (t - 0.45) * 1.5:
                continue
            if heat > 0.85:
                colour = (255, 255, 220)
            elif heat > 0.62:
                colour = (255, 222, 80)
            elif heat > 0.42:
                colour = (255, 142, 40)
            elif heat > 0.24:
                colour = (206, 56, 36)
            else:
                colour = (96, 84, 96)
            c.set(x, y, colour)
    if frame < 4:
        for _ in range(6):
            a = rng.random() * math.tau
            d = r * (1.0 + 0.3 * rng.random())
            c.set(half + d * math.cos(a), half + d * math.sin(a), (255, 230, 120))
    return c


def spark_cell(frame):
    c = Canvas(16, 16)
    length = [7, 5, 3, 1][frame]
    colour = [WHITE, (200, 240, 255), (120, 200, 255), (80, 140, 255)][frame]
    for i in range(-length, length + 1):
        c.set(8 + i, 8, colour)
        c.set(8, 8 + i, colour)
    for i in range(-(length // 2), length // 2 + 1):
        c.set(8 + i, 8 + i, colour, 160)
        c.set(8 + i, 8 - i, colour, 160)
    c.set(8, 8, WHITE)
    return c


# --------------------------------------------------------------------------- backgrounds
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def space(width, height, base, cloud, glow, seed):
    """Deep space that tiles vertically: dithered bands of cloud and faint stars.
    The cloud uses whole periods of the picture's height, so the seam never shows."""
    rng = Rng(seed)
    c = Canvas(width, height, base)
    waves = [(rng.random() * math.tau, rng.random() * math.tau, 1 + rng.randint(0, 2),
              0.006 + 0.01 * rng.random()) for _ in range(4)]
    for y in range(height):
        for x in range(width):
            v = 0.0
            for px, py, k, fx in waves:
                v += math.sin(y / height * math.tau * k + py + math.sin(x * fx + px) * 1.7)
            v = (v / len(waves) + 1.0) / 2.0          # 0..1
            level = v * 3.2 - 1.2
            t = BAYER[y % 4][x % 4] / 16.0
            if level > 1.0 + t:
                c.set(x, y, glow)
            elif level > t:
                c.set(x, y, cloud)
    for _ in range(width * height // 260):
        x = rng.randint(0, width - 1)
        y = rng.randint(0, height - 1)
        c.set(x, y, mix(base, (150, 160, 210), 0.35 + 0.35 * rng.random()))
    return c


def near_stars(width, height, seed):
    """Sparse bright stars on a clear picture, drawn over the slower deep space."""
    rng = Rng(seed)
    c = Canvas(width, height)
    colours = [(255, 255, 255), (190, 220, 255), (255, 240, 180), (210, 200, 255)]
    for _ in range(width * height // 2600):
        x = rng.randint(2, width - 3)
        y = rng.randint(2, height - 3)
        col = colours[rng.randint(0, 3)]
        c.set(x, y, col)
        if rng.random() < 0.25:
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                c.set(x + dx, y + dy, col, 120)
    return c


# --------------------------------------------------------------------------- panel and HUD
PANEL_BASE = (24, 28, 56)
PANEL_LINE = (54, 64, 112)
LABEL = (150, 200, 255)


def panel():
    """The side panel right of the field: its labels, and wells for the live values."""
    w, h = 190, 600
    c = Canvas(w, h, PANEL_BASE)
    for y in range(0, h, 4):
        for x in range(0, w):
            if (x + y) % 8 == 0:
                c.set(x, y, shade(PANEL_BASE, 1.12))
    c.rect(0, 0, 4, h, (10, 10, 24))
    c.rect(4, 0, 2, h, PANEL_LINE)
    c.rect(6, 0, 1, h, (120, 150, 230))

    def label(text, y):
        draw_text(c, text, 18, y, LABEL, 2)

    def well(x, y, ww, hh):
        c.rect(x, y, ww, hh, (10, 12, 28))
        c.frame(x - 1, y - 1, ww + 2, hh + 2, PANEL_LINE)

    label("SCORE", 22)
    well(18, 44, 158, 24)
    label("HI-SCORE", 84)
    well(18, 106, 158, 24)
    label("LIVES", 148)
    well(18, 170, 158, 22)
    label("POWER", 210)
    well(18, 232, 158, 16)
    label("AUTO FIRE", 266)
    well(18, 288, 158, 18)
    label("GUARDIAN", 324)
    well(18, 346, 158, 14)
    c.rect(18, 384, 158, 1, PANEL_LINE)
    y = 404
    for key, what in (("ARROWS", "MOVE"), ("Z SPACE", "FIRE"), ("X", "AUTO FIRE"),
                      ("ESC", "QUIT")):
        draw_text(c, key, 18, y, (255, 214, 120), 1)
        draw_text(c, what, 84, y, (200, 210, 235), 1)
        y += 16
    draw_text(c, "P", 18, y + 10, (255, 120, 130), 1)
    draw_text(c, "MORE GUNS", 30, y + 10, (200, 210, 235), 1)
    draw_text(c, "GEM", 18, y + 26, GOLD, 1)
    draw_text(c, "BONUS 500", 42, y + 26, (200, 210, 235), 1)
    draw_text(c, "VELMORA", 18, 566, (90, 110, 170), 2)
    return c


def digits():
    """Ten digit cells side by side, each a tenth of the picture: the score board's font."""
    cells = []
    for d in "0123456789":
        cell = Canvas(12, 16)
        draw_text(cell, d, 1, 1, (255, 255, 255), 2, bottom=(255, 200, 110))
        cell.outline(OUT)
        cells.append(cell)
    return strip(cells)


def power_pips():
    on = Canvas(12, 8)
    on.rect(1, 1, 10, 6, (255, 150, 60))
    on.bevel(1.4, 0.6)
    on.outline(OUT)
    off = Canvas(12, 8)
    off.rect(1, 1, 10, 6, (52, 56, 86))
    off.outline(OUT)
    return strip([on, off])


def auto_indicator():
    cells = []
    for text, colour, back in (("ON", (120, 255, 140), (30, 90, 50)),
                               ("ON", (200, 255, 210), (50, 140, 70)),
                               ("OFF", (110, 116, 150), (34, 38, 64))):
        cell = Canvas(44, 14)
        cell.rect(1, 1, 42, 12, back)
        draw_text(cell, text, (44 - text_width(text)) // 2, 4, colour)
        cell.outline(OUT)
        cells.append(cell)
    return strip(cells)


def boss_segment():
    c = Canvas(8, 10)
    c.rect(0, 0, 7, 10, (240, 70, 90))
    c.bevel(1.4, 0.6)
    return c


# --------------------------------------------------------------------------- text pictures
def logo():
    big = text_picture(["VELMORA"], (255, 244, 150), scale=7, bottom=(255, 110, 60), pad=2)
    big.outline((120, 40, 30))
    sub = text_picture(["QUELLIX STRIKE"], (140, 230, 255), scale=3, bottom=(80, 140, 255))
    w = max(big.w, sub.w)
    c = Canvas(w, big.h + sub.h + 8)
    c.blit(big, (w - big.w) // 2, 0)
    c.blit(sub, (w - sub.w) // 2, big.h + 8)
    return c


def blink(lines, colour, scale=2):
    """A text picture above an empty cell of the same size: a two-cell blinking picture."""
    shown = text_picture(lines, colour, scale)
    c = Canvas(shown.w, shown.h * 2)
    c.blit(shown, 0, 0)
    return c


def controls():
    key = (255, 214, 120)
    text = (220, 230, 250)
    rows = [("ARROWS", "MOVE"), ("Z OR SPACE", "FIRE"), ("X", "AUTO FIRE ON/OFF"),
            ("ESC OR Q", "QUIT")]
    scale = 2
    lw = max(text_width(k, scale) for k, _ in rows)
    rw = max(text_width(v, scale) for _, v in rows)
    gap = 16
    c = Canvas(lw + gap + rw + 2, len(rows) * 22 + 20)
    draw_text(c, "CONTROLS", (c.w - text_width("CONTROLS", scale)) // 2, 1, (140, 230, 255), scale)
    for i, (k, v) in enumerate(rows):
        y = 24 + i * 22 - 2
        draw_text(c, k, 1 + lw - text_width(k, scale), y, key, scale)
        draw_text(c, v, 1 + lw + gap, y, text, scale)
    c.outline(OUT, diagonal=True)
    return c


def goal():
    return text_picture(
        [("GOAL", (140, 230, 255)), "CROSS TWO SECTORS AND", "DEFEAT THE GUARDIAN",
         ("P  MORE GUNS     GEM  BONUS", (255, 214, 120))],
        (220, 230, 250), scale=2, line_gap=4)


def warning():
    head = text_picture(["WARNING"], (255, 90, 80), scale=5, bottom=(190, 20, 40), pad=2)
    sub = text_picture(["THE GUARDIAN APPROACHES"], (255, 220, 220), scale=2)
    c = Canvas(max(head.w, sub.w), head.h + sub.h + 6)
    c.blit(head, (c.w - head.w) // 2, 0)
    c.blit(sub, (c.w - sub.w) // 2, head.h + 6)
    return c


def banner(text, colour, bottom, scale):
    return text_picture([text], colour, scale, bottom=bottom, pad=2)


def pictures():
    return {
        "hero.png": hero(),
        "life.png": life_icon(),
        "option.png": strip([option_cell(i) for i in range(4)]),
        "drone.png": strip([drone_cell(i) for i in range(2)]),
        "swooper.png": strip([swooper_cell(i) for i in range(2)]),
        "gunship.png": strip([gunship_cell(i) for i in range(2)]),
        "guardian.png": strip([guardian_cell(i) for i in range(3)]),
        "shot.png": player_shot(),
        "orb.png": orb(),
        "needle.png": needle(),
        "bigorb.png": big_orb(),
        "power.png": strip([power_cell(i) for i in range(4)]),
        "gem.png": strip([gem_cell(i) for i in range(4)]),
        "boom.png": strip([explosion_cell(i) for i in range(8)]),
        "bigboom.png": strip([explosion_cell(i, 8, 64, 31) for i in range(8)]),
        "spark.png": strip([spark_cell(i) for i in range(4)]),
        "space1.png": space(470, 640, (8, 12, 34), (16, 24, 62), (30, 42, 96), 11),
        "space2.png": space(470, 640, (20, 8, 30), (44, 16, 58), (80, 28, 88), 23),
        "stars.png": near_stars(470, 640, 5),
        "panel.png": panel(),
        "digits.png": digits(),
        "pips.png": power_pips(),
        "auto.png": auto_indicator(),
        "bossbar.png": boss_segment(),
        "logo.png": logo(),
        "controls.png": controls(),
        "goal.png": goal(),
        "start.png": blink(["PRESS ENTER TO START"], (255, 255, 255)),
        "again.png": blink(["PRESS ENTER FOR THE TITLE"], (255, 255, 255)),
        "sector1.png": banner("SECTOR 1", (255, 255, 255), (140, 220, 255), 4),
        "sector2.png": banner("SECTOR 2", (255, 255, 255), (255, 170, 220), 4),
        "sectorclear.png": banner("SECTOR CLEAR", (255, 250, 180), (120, 255, 150), 4),
        "warning.png": warning(),
        "gameover.png": banner("GAME OVER", (255, 120, 110), (170, 30, 60), 6),
        "allclear.png": banner("ALL CLEAR", (255, 250, 170), (255, 140, 60), 6),
        "finalscore.png": text_picture(["FINAL SCORE"], (140, 230, 255), scale=3),
        "thanks.png": text_picture(["THE SECTORS ARE SAFE.", "THANK YOU FOR PLAYING!"],
                                   (220, 230, 250), scale=2, line_gap=4),
    }


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "demo", "res", "image")
    os.makedirs(out, exist_ok=True)
    for name, canvas in pictures().items():
        canvas = even(canvas)
        canvas.save(os.path.join(out, name))
        print(f"{name:16} {canvas.w:4} x {canvas.h:<4}")


if __name__ == "__main__":
    main()
