#!/usr/bin/env python3
"""Draws the toolbar and menu icons and writes them as RGBA PNG files at 16, 32 and 48 pixels
(iconNN.png, iconNN@32.png, iconNN@48.png), so they stay sharp on scaled screens.

Shapes are given on a 16-unit grid, painted on a 4x finer grid of the target size and
averaged down, which gives smooth edges at every size.
Run from this folder: python3 make_icons.py
"""
import struct
import zlib

S = 4          # supersampling factor
SIZES = (16, 32, 48)


class Canvas:
    def __init__(self, size=16):
        self.size = size
        self.n = size * S                 # size of the fine grid
        self.unit = 16.0 / self.n         # one fine pixel in grid units
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * self.n for _ in range(self.n)]

    def fill(self, inside, color):
        r, g, b, a = [c / 255.0 for c in color] + ([1.0] if len(color) == 3 else [])
        n, unit = self.n, self.unit
        for y in range(n):
            for x in range(n):
                if inside((x + 0.5) * unit, (y + 0.5) * unit):
                    dr, dg, db, da = self.px[y][x]
                    # source-over with straight alpha
                    oa = a + da * (1 - a)
                    if oa == 0:
                        continue
                    self.px[y][x] = ((r * a + dr * da * (1 - a)) / oa,
                                     (g * a + dg * da * (1 - a)) / oa,
                                     (b * a + db * da * (1 - a)) / oa, oa)

    def rect(self, x0, y0, x1, y1, color):
        self.fill(lambda x, y: x0 <= x < x1 and y0 <= y < y1, color)

    def circle(self, cx, cy, r, color):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, color)

    def polygon(self, pts, color):
        def inside(x, y):
            hit = False
            j = len(pts) - 1
            for i in range(len(pts)):
                xi, yi = pts[i]
                xj, yj = pts[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.fill(inside, color)

    def framed_rect(self, x0, y0, x1, y1, edge, body):
        self.rect(x0, y0, x1, y1, edge)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, body)

    def png(self):
        rows = b''
        size = self.size
        for y in range(size):
            rows += b'\0'
            for x in range(size):
                acc = [0.0] * 4
                for sy in range(S):
                    for sx in range(S):
                        r, g, b, a = self.px[y * S + sy][x * S + sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                a = acc[3] / (S * S)
                if a > 0:
                    rgb = [int(round(255 * acc[i] / acc[3])) for i in range(3)]
                else:
                    rgb = [0, 0, 0]
                rows += bytes(rgb + [int(round(255 * a))])

        def chunk(kind, data):
            body = kind + data
            return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body) & 0xffffffff)
        header = struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)
        return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header)
                + chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))


GREY = (90, 90, 90)
WHITE = (255, 255, 255)
PAPER = (250, 250, 246)
PURPLE = (120, 60, 170)
PURPLE_DARK = (72, 30, 110)
GREEN = (40, 160, 60)
GREEN_DARK = (20, 100, 35)
RED = (210, 40, 40)
RED_DARK = (140, 20, 20)
YELLOW = (245, 200, 60)
YELLOW_DARK = (180, 130, 20)
BLUE = (50, 110, 200)


def page(c, x0=2.5, y0=0.5, x1=13.5, y1=15.5):
    fold = 4
    c.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], GREY)
    c.polygon([(x0 + 1, y0 + 1), (x1 - fold - 0.4, y0 + 1), (x1 - 1, y0 + fold + 0.4),
               (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)], PAPER)
    c.polygon([(x1 - fold, y0), (x1, y0 + fold), (x1 - fold, y0 + fold)], (200, 200, 200))


def floppy(c, body, dark):
    c.polygon([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)], dark)
    c.polygon([(2, 2), (12.5, 2), (14, 3.5), (14, 14), (2, 14)], body)
    c.rect(4, 2, 12, 6.5, (225, 225, 230))   # shutter
    c.rect(9.5, 2.8, 11, 5.8, dark)
    c.rect(3.5, 9, 12.5, 14, WHITE)          # label
    c.rect(4.5, 10.5, 11.5, 11.2, (170, 170, 180))
    c.rect(4.5, 12.2, 10, 12.9, (170, 170, 180))


def icon_new(c):
    page(c)


def icon_load(c):
    c.polygon([(0.5, 3), (5.5, 3), (7, 4.5), (13.5, 4.5), (13.5, 14), (0.5, 14)], YELLOW_DARK)
    c.polygon([(1.5, 4), (5, 4), (6.5, 5.5), (12.5, 5.5), (12.5, 13), (1.5, 13)], (250, 225, 120))
    c.polygon([(3, 7.5), (15.5, 7.5), (13, 14), (0.5, 14)], YELLOW_DARK)
    c.polygon([(3.7, 8.5), (14.2, 8.5), (12.3, 13), (1.9, 13)], YELLOW)
    # green arrow curving into the folder, from the upper right
    c.polygon([(9, 3.5), (12, 0.5), (12, 2.3), (15.5, 2.3), (15.5, 4.7), (12, 4.7), (12, 6.5)], GREEN_DARK)
    c.polygon([(10.2, 3.5), (11.3, 2.4), (11.3, 3), (14.8, 3), (14.8, 4), (11.3, 4), (11.3, 4.6)], (90, 210, 90))


def icon_save(c):
    floppy(c, PURPLE, PURPLE_DARK)


def icon_save_as(c):
    floppy(c, GREEN, GREEN_DARK)


def icon_add(c):
    c.rect(6, 1.5, 10, 14.5, GREEN_DARK)
    c.rect(1.5, 6, 14.5, 10, GREEN_DARK)
    c.rect(7, 2.5, 9, 13.5, (80, 200, 90))
    c.rect(2.5, 7, 13.5, 9, (80, 200, 90))


def icon_remove(c):
    c.rect(1.5, 6, 14.5, 10, RED_DARK)
    c.rect(2.5, 7, 13.5, 9, (240, 80, 80))


def icon_first(c):
    c.circle(8, 8, 7.5, GREEN_DARK)
    c.circle(8, 8, 6.5, GREEN)
    c.polygon([(8, 2.5), (12.5, 7.5), (9.6, 7.5), (9.6, 12.8), (6.4, 12.8), (6.4, 7.5), (3.5, 7.5)], WHITE)


def icon_generate(c):
    page(c, 0.5, 0.5, 11.5, 15.5)
    for y in (5, 7, 9, 11):
        c.rect(2.5, y, 8, y + 0.8, (160, 160, 170))
    c.polygon([(5, 6.5), (10.5, 6.5), (10.5, 3.5), (15.5, 8.5), (10.5, 13.5), (10.5, 10.5), (5, 10.5)], RED_DARK)
    c.polygon([(6, 7.5), (11.5, 7.5), (11.5, 5.9), (14.1, 8.5), (11.5, 11.1), (11.5, 9.5), (6, 9.5)], (240, 70, 60))


def icon_exit(c):
    c.rect(3, 0.5, 13, 15.5, PURPLE_DARK)
    c.rect(4, 1.5, 12, 15.5, PURPLE)
    c.rect(5.2, 2.8, 10.8, 7.6, (150, 95, 200))
    c.rect(5.2, 8.8, 10.8, 13.8, (150, 95, 200))
    c.circle(10.3, 8.4, 0.9, YELLOW)


def icon_user_gadget(c):
    c.framed_rect(0.5, 0.5, 13.5, 12.5, GREY, PAPER)
    c.rect(1.5, 1.5, 12.5, 3.5, BLUE)                 # title bar
    c.framed_rect(2.5, 5, 8, 7.5, GREY, (225, 225, 230))  # a button on the form
    c.rect(2.5, 9, 11, 9.8, (170, 170, 180))
    # pointing hand: finger up, palm below
    c.rect(9.2, 6.5, 11.6, 12, (120, 80, 50))
    c.rect(9.8, 7, 11, 12, (250, 210, 170))
    c.polygon([(8, 11), (15, 11), (15, 15.5), (8.5, 15.5)], (120, 80, 50))
    c.polygon([(8.9, 11.8), (14.2, 11.8), (14.2, 14.8), (9.3, 14.8)], (250, 210, 170))


def icon_info(c):
    c.circle(8, 7, 6.8, (40, 90, 170))
    c.polygon([(3.5, 11), (7, 12.5), (2, 15.5)], (40, 90, 170))
    c.circle(8, 7, 5.9, (90, 150, 230))
    c.polygon([(4.3, 11.2), (6.5, 12.2), (3.3, 14.2)], (90, 150, 230))
    c.circle(8, 3.9, 1.1, WHITE)
    c.rect(7, 5.8, 9, 10.6, WHITE)
    c.rect(6.2, 9.8, 9.8, 10.8, WHITE)


def icon_licence(c):
    c.rect(2, 1, 14, 15.5, PURPLE_DARK)
    c.rect(3, 1.5, 13.5, 14, PURPLE)
    c.rect(3, 13.3, 13.5, 15, PAPER)                 # page edges
    c.rect(2, 1, 3.6, 15.5, (60, 20, 95))             # spine
    c.rect(6, 4, 11.5, 6.5, (220, 200, 240))          # title label


def icon_changes(c):
    # two pages side by side: the backup copy and the new text, a line removed and one added
    page(c, 0.5, 1.5, 8.5, 14.5)
    page(c, 7.5, 1.5, 15.5, 14.5)
    for y in (5, 9, 11.5):
        c.rect(2, y, 6.5, y + 0.9, (160, 160, 170))
        c.rect(9, y, 13.5, y + 0.9, (160, 160, 170))
    c.rect(1.5, 7, 7.5, 8.4, RED)
    c.rect(8.5, 7, 14.5, 8.4, GREEN)


def icon_undo(c):
    # an arrow pointing left whose tail turns back down and under it
    c.polygon([(1.5, 6), (6.5, 1.5), (6.5, 4.2), (10, 4.2), (12.6, 5.2), (14.2, 7.4), (14.5, 9.6), (13.6, 12),
               (11.6, 13.8), (9, 14.5), (6, 14.5), (6, 11.3), (9, 11.3), (10.6, 10.6), (11.2, 9.4), (10.9, 8.3),
               (10, 7.8), (6.5, 7.8), (6.5, 10.5)], BLUE)


ICONS = [icon_new, icon_load, icon_save, icon_save_as, icon_add, icon_remove, icon_first,
         icon_generate, icon_exit, icon_user_gadget, icon_info, icon_licence, icon_changes, icon_undo]


def file_name(number, size):
    return 'icon%02d.png' % number if size == 16 else 'icon%02d@%d.png' % (number, size)


if __name__ == '__main__':
    for number, draw in enumerate(ICONS):
        for size in SIZES:
            canvas = Canvas(size)
            draw(canvas)
            with open(file_name(number, size), 'wb') as f:
                f.write(canvas.png())
