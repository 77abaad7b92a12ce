#!/usr/bin/env python3
"""Draws the login window's pictures and the shipped advertisement images.

Writes, next to itself:
  skin.bmp     300 x 500, 8-bit: the window face (top-left 233 x 234) and,
               from row 250 down, the button strips (normal, highlighted,
               pressed cells side by side)
  banner.bmp   221 x 58, 8-bit: the built-in banner shown when there is no
               advertisement
  hand.cur     32 x 32 hand cursor, hot spot (12, 1)
and into ../../data/DATA/:
  AD1.GIF      256 colours, interlaced
  AD2.GIF      128 colours, GIF89a with graphic-control and looping
               (application) extensions, two frames
  AD3.GIF      16 colours

Shapes are drawn with analytic anti-aliasing from distance functions; text
is rendered by ImageMagick ("convert") with the Nanum and DejaVu fonts
(Debian: imagemagick, fonts-nanum, fonts-dejavu-core) and laid on as a
coverage mask. Colours are reduced with ImageMagick without dithering; the
skin and the built-in banner share one 256-colour table, so the window
palette needs no more than that. The BMP, CUR and GIF bytes are written
here. The output is the same on every run with the same tools.

    python3 make_pictures.py
"""
import math
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, '..', '..', 'data', 'DATA')

FACE_W, FACE_H = 233, 234
SKIN_W, SKIN_H = 300, 500
BANNER_W, BANNER_H = 221, 58

HANGUL = 'NanumGothic'
HANGUL_BOLD = 'NanumGothicBold'
HANGUL_HEAVY = 'NanumSquare-Bold'
SYMBOL = 'DejaVu-Sans'
SYMBOL_BOLD = 'DejaVu-Sans-Bold'

# Colours of the face
NAVY = (18, 46, 102)
BLUE = (38, 92, 170)
SKY = (120, 170, 225)
BODY_TOP = (236, 241, 248)
BODY_BOTTOM = (206, 216, 230)
EDGE = (22, 44, 86)
INK = (40, 52, 72)
SOFT_INK = (92, 104, 124)
WHITE = (255, 255, 255)
ORANGE = (250, 140, 40)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    t = clamp(t)
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Canvas:
    def __init__(self, w, h, color=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [list(color) for _ in range(w * h)]

    def blend(self, x, y, color, alpha):
        if alpha <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y * self.w + x]
        a = clamp(alpha)
        for i in range(3):
            p[i] += (color[i] - p[i]) * a

    def get(self, x, y):
        return tuple(self.px[y * self.w + x])

    def shape(self, box, distance, color, alpha=1.0):
        """Fills where distance(x, y) < 0 (pixel centres), anti-aliased.
        color may be a function (x, y) -> colour."""
        x0, y0, x1, y1 = box
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                d = distance(x + 0.5, y + 0.5)
                cover = clamp(0.5 - d)
                if cover > 0:
                    c = color(x, y) if callable(color) else color
                    self.blend(x, y, c, cover * alpha)

    def rect(self, x0, y0, x1, y1, color, alpha=1.0):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                c = color(x, y) if callable(color) else color
                self.blend(x, y, c, alpha)

    def mask(self, x, y, mask, color, alpha=1.0):
        mw, mh, data = mask
        for j in range(mh):
            for i in range(mw):
                v = data[j * mw + i]
                if v:
                    self.blend(x + i, y + j, color, alpha * v / 255.0)

    def paste(self, other, x, y):
        for j in range(other.h):
            for i in range(other.w):
                if 0 <= x + i < self.w and 0 <= y + j < self.h:
                    self.px[(y + j) * self.w + x + i] = list(other.px[j * other.w + i])

    def crop(self, x, y, w, h):
        out = Canvas(w, h)
        for j in range(h):
            for i in range(w):
                out.px[j * w + i] = list(self.px[(y + j) * self.w + x + i])
        return out

    def rgb_bytes(self):
        return bytes(int(round(clamp(v, 0, 255))) for p in self.px for v in p)


# ---- Distance functions -----------------------------------------------------

def rounded_box(cx, cy, hw, hh, r):
    def d(x, y):
        qx = abs(x - cx) - (hw - r)
        qy = abs(y - cy) - (hh - r)
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return d


def ellipse(cx, cy, rx, ry):
    def d(x, y):
        # scaled distance, close enough for anti-aliasing at these sizes
        k = math.hypot((x - cx) / rx, (y - cy) / ry)
        return (k - 1.0) * min(rx, ry)
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2.0


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def intersect(*fs):
    return lambda x, y: max(f(x, y) for f in fs)


def box(x0, y0, x1, y1):
    return rounded_box((x0 + x1) / 2.0, (y0 + y1) / 2.0, (x1 - x0) / 2.0, (y1 - y0) / 2.0, 0.0)


# The window outline: the ellipse (0, 0)-(233, 234) united with the part
# y 112..232 of the rounded rectangle (0, 0)-(233, 224), 10 x 10 corners.
def outline(x, y):
    e = ellipse(FACE_W / 2.0, FACE_H / 2.0, FACE_W / 2.0, FACE_H / 2.0)(x, y)
    rr = rounded_box(FACE_W / 2.0, 112.0, FACE_W / 2.0, 112.0, 5.0)(x, y)
    part = max(rr, 112.0 - y, y - 232.0)
    return min(e, part)


# ---- Text through ImageMagick ---------------------------------------------------

_text_cache = {}


def text_mask(text, font, size, tight=True):
    key = (text, font, size, tight)
    if key in _text_cache:
        return _text_cache[key]
    cmd = ['convert', '-background', 'black', '-fill', 'white', '-font', font,
           '-pointsize', str(size), 'label:' + text]
    if tight:
        cmd += ['-trim', '+repage']
    cmd += ['-depth', '8', 'pgm:-']
    raw = subprocess.run(cmd, check=True, stdout=subprocess.PIPE).stdout
    parts = raw.split(b'\n', 3)
    w, h = (int(v) for v in parts[1].split())
    data = parts[3][:w * h]
    _text_cache[key] = (w, h, data)
    return _text_cache[key]


def text(canvas, x, y, s, font, size, color, anchor='left', alpha=1.0, shadow=None):
    """Draws text whose ink box starts at (x, y) (anchor left), or is centred
    on x (anchor centre) or ends at x (anchor right); y is the ink top."""
    m = text_mask(s, font, size)
    if anchor == 'center':
        x -= m[0] // 2
    elif anchor == 'right':
        x -= m[0]
    if shadow:
        canvas.mask(x + 1, y + 1, m, shadow, alpha * 0.6)
    canvas.mask(x, y, m, color, alpha)
    return m[0], m[1]


# ---- The window face --------------------------------------------------------------

def face_color(x, y):
    if y < 46:
        return mix(BLUE, NAVY, (46 - y) / 46.0 * 0.8 + (abs(x - 116) / 116.0) * 0.2)
    return mix(BODY_TOP, BODY_BOTTOM, (y - 46) / 188.0)


def draw_face(c):
    c.rect(0, 0, FACE_W, FACE_H, (200, 208, 220))
    # body and blue dome, with a light rim inside the dark edge
    c.shape((0, 0, FACE_W, FACE_H), outline, face_color)
    c.shape((0, 0, FACE_W, FACE_H), lambda x, y: abs(outline(x, y) + 0.6) - 0.7, EDGE)
    c.shape((0, 0, FACE_W, FACE_H), lambda x, y: abs(outline(x, y) + 2.0) - 0.6, (255, 255, 255), 0.35)
    # soft line between dome and body
    c.shape((0, 44, FACE_W, 48), intersect(outline, box(0, 45, FACE_W, 46.5)), SKY)

    # wordmark in the dome
    text(c, 116, 16, 'Tovanet', 'DejaVu-Sans-Bold', 19, WHITE, 'center', shadow=NAVY)
    text(c, 116, 37, 'PalvexCard Internet', 'DejaVu-Sans', 7, (200, 220, 245), 'center')

    # member ID and password labels, fields behind the edits
    text(c, 84, 53, '아이디', HANGUL_BOLD, 11, INK, 'right')
    text(c, 84, 72, '비밀번호', HANGUL_BOLD, 11, INK, 'right')
    for top, bottom in ((49, 66), (68, 86)):
        c.shape((86, top - 3, 196, bottom + 3), rounded_box(140.5, (top + bottom) / 2.0, 53.5, (bottom - top) / 2.0 + 1.5, 2.5),
                (150, 165, 190))
        c.shape((86, top - 3, 196, bottom + 3), rounded_box(140.5, (top + bottom) / 2.0, 52.5, (bottom - top) / 2.0 + 0.5, 2.0),
                WHITE)
    text(c, 176, 89, '비밀번호 저장', HANGUL, 10, SOFT_INK, 'right')

    # button bay behind help, settings and connect
    c.shape((108, 99, 200, 139), rounded_box(154, 118.5, 43.5, 18.5, 6), (190, 202, 220))
    c.shape((108, 99, 200, 139), rounded_box(154, 118, 42.5, 17.5, 5.5), (222, 230, 242))
    # status field
    c.shape((8, 134, 226, 156), rounded_box(118.5, 145, 109, 9.5, 4), (150, 165, 190))
    c.shape((8, 134, 226, 156), rounded_box(118.5, 145, 108, 8.5, 3.5), WHITE)
    # banner well
    c.shape((2, 156, 232, 222), rounded_box(116.5, 189, 113.5, 32, 4), (170, 182, 202))
    # footer
    text(c, 116, 222, 'www.nerava.co.kr', 'DejaVu-Sans', 6, SOFT_INK, 'center', alpha=0.8)


# ---- Button cells ------------------------------------------------------------------

STATE_TINT = {0: 0.0, 1: 0.25, 2: -0.2}


def lighten(color, t):
    return mix(color, WHITE, t) if t >= 0 else mix(color, (0, 0, 0), -t)


def tab_cell(c, x0, y0, w, h, glyph, state):
    """Minimise and close: tabs hanging from the top edge of the dome."""
    base = lighten(NAVY, STATE_TINT[state] * 1.4)
    c.rect(x0, y0, x0 + w, y0 + h, NAVY)
    c.shape((x0, y0, x0 + w, y0 + h), rounded_box(x0 + w / 2.0, y0 + h / 2.0 - 2, w / 2.0 - 1, h / 2.0 + 1, 4),
            lambda x, y: mix(lighten(base, 0.15), base, (y - y0) / float(h)))
    if state == 1:
        c.shape((x0, y0, x0 + w, y0 + h), box(x0 + 6, y0 + h - 2.5, x0 + w - 6, y0 + h - 1), ORANGE)
    off = 1 if state == 2 else 0
    cx, cy = x0 + w / 2.0 + off, y0 + h / 2.0 - 0.5 + off
    if glyph == 'min':
        c.shape((x0, y0, x0 + w, y0 + h), box(cx - 4.5, cy + 1.5, cx + 4.5, cy + 3.5), WHITE)
    else:
        def cross(x, y):
            u, v = x - cx, y - cy
            a = abs(u + v) / math.sqrt(2) - 0.9
            b = abs(u - v) / math.sqrt(2) - 0.9
            return max(min(a, b), abs(u) - 3.8, abs(v) - 3.8)
        c.shape((x0, y0, x0 + w, y0 + h), cross, WHITE)


def tall_cell(c, x0, y0, w, h, icon, label, state, accent):
    """Help, settings, connect and cancel: a rounded key with an icon over
    a short label."""
    c.rect(x0, y0, x0 + w, y0 + h, (222, 230, 242))
    off = 1 if state == 2 else 0
    top = lighten(accent, 0.55 + STATE_TINT[state])
    bottom = lighten(accent, 0.05 + STATE_TINT[state])
    key = rounded_box(x0 + w / 2.0, y0 + h / 2.0, w / 2.0 - 0.5, h / 2.0 - 0.5, 4)
    c.shape((x0, y0, x0 + w, y0 + h), key, lighten(accent, -0.35))
    inner = rounded_box(x0 + w / 2.0, y0 + h / 2.0, w / 2.0 - 1.5, h / 2.0 - 1.5, 3)
    if state == 2:
        c.shape((x0, y0, x0 + w, y0 + h), inner, lambda x, y: mix(bottom, top, (y - y0) / float(h)))
    else:
        c.shape((x0, y0, x0 + w, y0 + h), inner, lambda x, y: mix(top, bottom, (y - y0) / float(h)))
    if state == 1:
        c.shape((x0, y0, x0 + w, y0 + h), lambda x, y: abs(inner(x, y) + 0.5) - 0.6, ORANGE)
    icon(c, x0 + w / 2.0 + off, y0 + 11.0 + off)
    text(c, int(x0 + w / 2.0 + 0.5) + off, y0 + 21 + off, label, HANGUL_BOLD, 8, WHITE, 'center',
         shadow=lighten(accent, -0.5))


def icon_help(c, cx, cy):
    c.shape((int(cx) - 9, int(cy) - 9, int(cx) + 10, int(cy) + 10), circle(cx, cy, 7.5), WHITE)
    m = text_mask('?', SYMBOL_BOLD, 11)
    c.mask(int(cx - m[0] / 2.0 + 0.5), int(cy - m[1] / 2.0 + 0.5), m, BLUE)


def icon_settings(c, cx, cy):
    def gear(x, y):
        u, v = x - cx, y - cy
        r = math.hypot(u, v)
        a = math.atan2(v, u)
        tooth = 1.4 if math.cos(8 * a) > 0.3 else 0.0
        return max(r - (5.2 + tooth), 2.2 - r)
    c.shape((int(cx) - 9, int(cy) - 9, int(cx) + 10, int(cy) + 10), gear, WHITE)


def icon_connect(c, cx, cy):
    def power(x, y):
        u, v = x - cx, y - cy
        r = math.hypot(u, v)
        arc = abs(r - 5.5) - 1.1
        gap = -v - 3.0 - abs(u) * 0.2  # open at the top
        stem = max(abs(u) - 1.1, abs(v + 4.5) - 3.5)
        return min(max(arc, -max(gap, abs(u) - 3.2)), stem)
    c.shape((int(cx) - 9, int(cy) - 9, int(cx) + 10, int(cy) + 10), power, WHITE)


def icon_cancel(c, cx, cy):
    c.shape((int(cx) - 9, int(cy) - 9, int(cx) + 10, int(cy) + 10),
            rounded_box(cx, cy, 5, 5, 1.5), WHITE)


def logo_cell(c, x0, y0, w, h, state):
    c.rect(x0, y0, x0 + w, y0 + h, (226, 233, 244))
    off = 1 if state == 2 else 0
    if state:
        c.shape((x0, y0, x0 + w, y0 + h), rounded_box(x0 + w / 2.0, y0 + h / 2.0, w / 2.0 - 0.5, h / 2.0 - 0.5, 8),
                (255, 244, 225) if state == 1 else (240, 220, 190))
    # a small orbit mark, then the name
    c.shape((x0, y0, x0 + 20, y0 + h), circle(x0 + 9.5 + off, y0 + 8.5 + off, 5.0), ORANGE)
    c.shape((x0, y0, x0 + 20, y0 + h), ring(x0 + 9.5 + off, y0 + 8.5 + off, 7.0, 1.2), BLUE)
    text(c, x0 + 20 + off, y0 + 3 + off, 'Nerava', 'DejaVu-Sans-Bold', 11, NAVY)
    if state == 1:
        c.shape((x0, y0, x0 + w, y0 + h), box(x0 + 20, y0 + 14.5, x0 + 68, y0 + 15.5), NAVY)


CELLS = [  # control, top row, cell width, cell height
    ('min', 250, 40, 13), ('close', 263, 42, 13), ('help', 276, 27, 31),
    ('settings', 307, 24, 31), ('connect', 338, 26, 31), ('cancel', 369, 26, 31),
    ('logo', 400, 85, 17),
]


def draw_skin():
    c = Canvas(SKIN_W, SKIN_H, (222, 230, 242))
    draw_face(c)
    for name, top, w, h in CELLS:
        for state in range(3):
            x0 = state * w
            if name in ('min', 'close'):
                tab_cell(c, x0, top, w, h, name, state)
            elif name == 'help':
                tall_cell(c, x0, top, w, h, icon_help, '도움말', state, BLUE)
            elif name == 'settings':
                tall_cell(c, x0, top, w, h, icon_settings, '설정', state, (70, 110, 160))
            elif name == 'connect':
                tall_cell(c, x0, top, w, h, icon_connect, '접속', state, (30, 140, 80))
            elif name == 'cancel':
                tall_cell(c, x0, top, w, h, icon_cancel, '끊기', state, (190, 60, 50))
            else:
                logo_cell(c, x0, top, w, h, state)
    return c


# ---- Banners ----------------------------------------------------------------------------

def gradient(c, a, b, horizontal=True):
    for y in range(c.h):
        for x in range(c.w):
            t = x / float(c.w - 1) if horizontal else y / float(c.h - 1)
            c.px[y * c.w + x] = list(mix(a, b, t))


def draw_builtin_banner():
    c = Canvas(BANNER_W, BANNER_H)
    gradient(c, (30, 70, 140), (80, 150, 220))
    c.shape((0, 0, 80, BANNER_H), circle(26, 29, 34), (255, 255, 255), 0.10)
    c.shape((0, 0, 80, BANNER_H), circle(26, 29, 20), (255, 255, 255), 0.12)
    c.shape((0, 0, 60, BANNER_H), circle(26, 29, 11), ORANGE)
    c.shape((0, 0, 60, BANNER_H), ring(26, 29, 15, 1.6), WHITE, 0.9)
    text(c, 50, 9, 'Palvex Tovanet', 'DejaVu-Sans-Bold', 14, WHITE, shadow=NAVY)
    text(c, 50, 31, 'PalvexCard 회원을 위한 무료 인터넷', HANGUL_BOLD, 11, (235, 242, 255))
    return c


def card(c, x, y, w, h, top, bottom):
    c.shape((x - 2, y - 2, x + w + 4, y + h + 4), rounded_box(x + w / 2.0 + 1.5, y + h / 2.0 + 1.5, w / 2.0, h / 2.0, 4),
            (0, 0, 0), 0.3)
    c.shape((x - 2, y - 2, x + w + 2, y + h + 2), rounded_box(x + w / 2.0, y + h / 2.0, w / 2.0, h / 2.0, 4),
            lambda px, py: mix(top, bottom, (px - x + py - y) / float(w + h)))
    c.rect(x + 6, y + 12, x + 15, y + 19, (230, 200, 90))
    c.rect(x + 4, y + h - 9, x + w - 8, y + h - 7, (255, 255, 255), 0.6)


def draw_ad1():
    """PalvexCard points: a warm gradient with a card; 256 colours."""
    c = Canvas(BANNER_W, BANNER_H)
    gradient(c, (255, 236, 200), (250, 170, 90))
    for i in range(6):
        c.shape((0, 0, BANNER_W, BANNER_H), circle(180 + i * 9, 8 + i * 7, 18 - i * 2), WHITE, 0.08)
    card(c, 10, 12, 52, 34, (40, 90, 180), (10, 40, 110))
    text(c, 36, 38, 'Palvex', 'DejaVu-Sans-Bold', 6, WHITE, 'center')
    text(c, 72, 8, 'PalvexCard로 결제하면', HANGUL_BOLD, 11, (120, 50, 10))
    text(c, 72, 25, '포인트 2배 적립!', HANGUL_HEAVY, 17, (190, 40, 20), shadow=(255, 230, 200))
    text(c, 214, 46, '자세히 보기 >', HANGUL, 8, (120, 60, 20), 'right')
    return c


def draw_ad2(frame):
    """Nerava shopping event; two frames, the first one is what the banner
    shows."""
    c = Canvas(BANNER_W, BANNER_H)
    gradient(c, (225, 245, 235), (150, 210, 190), horizontal=False)
    c.shape((0, 0, 70, BANNER_H), circle(30, 30, 21), (40, 150, 110))
    c.shape((0, 0, 70, BANNER_H), circle(30, 30, 16), (255, 255, 255))
    m = text_mask('%', 'DejaVu-Sans-Bold', 18)
    c.mask(30 - m[0] // 2, 30 - m[1] // 2, m, (230, 70, 60))
    text(c, 62, 8, 'Nerava 쇼핑 이벤트', HANGUL_BOLD, 12, (20, 80, 60))
    line = '매일 선착순 경품 증정' if frame == 0 else '지금 바로 참여하세요'
    text(c, 62, 28, line, HANGUL_HEAVY, 14, (200, 60, 50) if frame == 0 else (20, 100, 160))
    return c


def draw_ad3():
    """Service notice in flat colours; 16 colours."""
    c = Canvas(BANNER_W, BANNER_H, (255, 255, 255))
    c.rect(0, 0, BANNER_W, 16, (0, 64, 128))
    text(c, 8, 3, 'Tovanet 안내', HANGUL_BOLD, 10, (255, 255, 255))
    text(c, 214, 4, '고객센터 1588-0000', HANGUL, 8, (200, 220, 255), 'right')
    c.shape((0, 16, 40, BANNER_H), circle(22, 37, 13), (0, 128, 128))
    c.shape((0, 16, 40, BANNER_H), box(16, 33, 28, 36), WHITE)
    c.shape((0, 16, 40, BANNER_H), box(16, 38, 28, 41), WHITE)
    text(c, 44, 22, '전국 어디서나 같은 접속번호', HANGUL_BOLD, 11, (0, 0, 0))
    text(c, 44, 39, '시외전화 요금 걱정 없이 접속하세요', HANGUL, 9, (64, 64, 64))
    return c


# ---- Colour reduction -------------------------------------------------------------------

def quantize(canvases, colors):
    """Reduces the canvases, stacked, to at most `colors` colours with
    ImageMagick (no dithering). Returns (palette [(r,g,b)], [indices per
    canvas])."""
    width = max(cv.w for cv in canvases)
    height = sum(cv.h for cv in canvases)
    stack = Canvas(width, height)
    y = 0
    for cv in canvases:
        stack.paste(cv, 0, y)
        y += cv.h
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, 'in.ppm')
        dst = os.path.join(tmp, 'out.bmp')
        with open(src, 'wb') as f:
            f.write(b'P6\n%d %d\n255\n' % (width, height))
            f.write(stack.rgb_bytes())
        subprocess.run(['convert', src, '-dither', 'None', '-colors', str(colors), '-type', 'Palette',
                        '-compress', 'None', 'BMP3:' + dst], check=True)
        data = open(dst, 'rb').read()
    offset = struct.unpack_from('<I', data, 10)[0]
    w, h = struct.unpack_from('<ii', data, 18)
    bits = struct.unpack_from('<H', data, 28)[0]
    used = struct.unpack_from('<I', data, 46)[0] or (1 << bits)
    table = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i]) for i in range(used)]
    stride = (w * bits + 31) // 32 * 4
    index = []
    for row in range(height):
        line = data[offset + (h - 1 - row) * stride:]
        for x in range(width):
            if bits == 8:
                index.append(line[x])
            elif bits == 4:
                index.append((line[x // 2] >> (4 if x % 2 == 0 else 0)) & 15)
            else:
                index.append((line[x // 8] >> (7 - x % 8)) & 1)
    out = []
    y = 0
    for cv in canvases:
        out.append([index[(y + j) * width + i] for j in range(cv.h) for i in range(cv.w)])
        y += cv.h
    return table, out


# ---- File formats -----------------------------------------------------------------------

def write_bmp8(path, w, h, table, index):
    table = list(table) + [(0, 0, 0)] * (256 - len(table))
    stride = (w + 3) // 4 * 4
    rows = b''
    for row in range(h - 1, -1, -1):
        rows += bytes(index[row * w:(row + 1) * w]) + b'\0' * (stride - w)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, len(rows), 2835, 2835, 256, 256)
    colours = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in table)
    offset = 14 + len(info) + len(colours)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', offset + len(rows), 0, 0, offset))
        f.write(info + colours + rows)


def lzw_encode(pixels, min_code):
    clear, end = 1 << min_code, (1 << min_code) + 1
    out, buf, nbits = bytearray(), 0, 0
    size, next_free, table = min_code + 1, clear + 2, {}

    def put(code):
        nonlocal buf, nbits
        buf |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(buf & 255)
            buf >>= 8
            nbits -= 8

    put(clear)
    prefix = pixels[0]
    for k in pixels[1:]:
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        put(prefix)
        if next_free < 4096:
            table[key] = next_free
            next_free += 1
            if next_free - 1 >= (1 << size) and size < 12:
                size += 1
        if next_free >= 4096:
            put(clear)
            size, next_free, table = min_code + 1, clear + 2, {}
        prefix = k
    put(prefix)
    if next_free < 4096:
        next_free += 1
        if next_free - 1 >= (1 << size) and size < 12:
            size += 1
    put(end)
    if nbits:
        out.append(buf & 255)
    return bytes(out)


def gif_image(w, h, index, bits, interlace):
    rows = list(range(h))
    if interlace:
        rows = [y for start, step in ((0, 8), (4, 8), (2, 4), (1, 2)) for y in range(start, h, step)]
    pixels = [index[y * w + x] for y in rows for x in range(w)]
    min_code = max(2, bits)
    data = lzw_encode(pixels, min_code)
    out = bytearray(b',' + struct.pack('<HHHHB', 0, 0, w, h, 0x40 if interlace else 0))
    out.append(min_code)
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out.append(len(chunk))
        out += chunk
    out.append(0)
    return bytes(out)


def write_gif(path, w, h, table, frames, version=b'89a', interlace=False, extensions=False):
    bits = max(1, (len(table) - 1).bit_length())
    table = list(table) + [(0, 0, 0)] * ((1 << bits) - len(table))
    out = bytearray(b'GIF' + version + struct.pack('<HHBBB', w, h, 0x80 | ((bits - 1) << 4) | (bits - 1), 0, 0))
    for r, g, b in table:
        out += bytes((r, g, b))
    if extensions:
        out += b'\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00'
    for index in frames:
        if extensions:
            out += b'\x21\xf9\x04\x04' + struct.pack('<H', 300) + b'\x00\x00'
        out += gif_image(w, h, index, bits, interlace)
    out += b';'
    with open(path, 'wb') as f:
        f.write(out)


# Hand cursor: '#' outline, '.' white fill, ' ' transparent; hot spot (12, 1).
HAND = [
    '           ##                   ',
    '          #..#                  ',
    '          #..#                  ',
    '          #..#                  ',
    '          #..#                  ',
    '          #..###                ',
    '          #..#..###             ',
    '          #..#..#..##           ',
    '          #..#..#..#.#          ',
    '       ## #..#..#..#..#         ',
    '      #..##........#..#         ',
    '      #...#...........#         ',
    '       #..............#         ',
    '        #.............#         ',
    '        #.............#         ',
    '         #...........#          ',
    '         #...........#          ',
    '          #.........#           ',
    '          #.........#           ',
    '          ###########           ',
]


def write_cursor(path):
    w = h = 32
    xor_rows, and_rows = [], []
    for y in range(h - 1, -1, -1):
        line = HAND[y] if y < len(HAND) else ''
        line = line.ljust(w)
        xor_bits = and_bits = 0
        for x in range(w):
            ch = line[x]
            xor_bits = (xor_bits << 1) | (1 if ch == '.' else 0)
            and_bits = (and_bits << 1) | (1 if ch == ' ' else 0)
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    info = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, 1, 0, 0, 0, 0, 2, 2)
    colours = struct.pack('BBBBBBBB', 0, 0, 0, 0, 255, 255, 255, 0)
    image = info + colours + b''.join(xor_rows) + b''.join(and_rows)
    header = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', w, h, 2, 0, 12, 1, len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(header + entry + image)


def main():
    os.makedirs(DATA, exist_ok=True)
    skin = draw_skin()
    banner = draw_builtin_banner()
    table, (skin_index, banner_index) = quantize([skin, banner], 256)
    write_bmp8(os.path.join(HERE, 'skin.bmp'), SKIN_W, SKIN_H, table, skin_index)
    write_bmp8(os.path.join(HERE, 'banner.bmp'), BANNER_W, BANNER_H, table, banner_index)
    write_cursor(os.path.join(HERE, 'hand.cur'))

    table, (ad1,) = quantize([draw_ad1()], 256)
    write_gif(os.path.join(DATA, 'AD1.GIF'), BANNER_W, BANNER_H, table, [ad1], interlace=True)
    table, frames = quantize([draw_ad2(0), draw_ad2(1)], 128)
    write_gif(os.path.join(DATA, 'AD2.GIF'), BANNER_W, BANNER_H, table[:128], frames, extensions=True)
    table, (ad3,) = quantize([draw_ad3()], 16)
    write_gif(os.path.join(DATA, 'AD3.GIF'), BANNER_W, BANNER_H, table[:16], [ad3], version=b'87a')
    print('pictures written')


if __name__ == '__main__':
    sys.exit(main())
