#!/usr/bin/python3
"""Draws every picture of the launcher's skin into res/png, res/bitmaps and res/icons.

    res/art/draw_skin.py     (Debian's /usr/bin/python3; installs python3-pil and the fonts when missing)

The outputs are committed, so building needs none of this. Everything is drawn from code with
Debian's fonts (AR PL UKai for the calligraphic title, WenQuanYi Zen Hei for button words), and is
reproducible: the only randomness is seeded. Each picture has exactly the size the code expects.
The look: deep brown-black panels, warm gold text and frames (DAC29D, FFF5D3, FFF3CD), a sunset
over mountains behind the hero.
"""
import math
import os
import random
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.dirname(HERE)
FONT_KAI = "/usr/share/fonts/truetype/arphic/ukai.ttc"
FONT_HEI = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"


def ensure_tools():
    try:
        import PIL  # noqa: F401
    except ImportError:
        missing = True
    else:
        missing = False
    if missing or not (os.path.exists(FONT_KAI) and os.path.exists(FONT_HEI)):
        subprocess.run(["apt-get", "install", "-y", "-q", "python3-pil", "fonts-arphic-ukai", "fonts-wqy-zenhei"],
                       check=True, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


ensure_tools()
from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont  # noqa: E402

GOLD = (0xDA, 0xC2, 0x9D)
CREAM = (0xFF, 0xF5, 0xD3)
PALE = (0xFF, 0xF3, 0xCD)
DEEP = (0x1B, 0x13, 0x0D)
PANEL = (0x26, 0x1A, 0x11)
EMBER = (0xB8, 0x5C, 0x1E)
GREEN = (0, 255, 0)


def font(path, size, index=0):
    return ImageFont.truetype(path, size, index=index)


def vertical_gradient(size, stops):
    """An RGBA image filled top to bottom through the (position, colour) stops."""
    w, h = size
    image = Image.new("RGBA", size)
    draw = ImageDraw.Draw(image)
    for y in range(h):
        t = y / max(1, h - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                k = (t - p0) / max(1e-6, p1 - p0)
                colour = tuple(int(a + (b - a) * k) for a, b in zip(c0, c1))
                break
        draw.line([(0, y), (w, y)], fill=colour + (255,) if len(colour) == 3 else colour)
    return image


def text_centered(draw, box, text, face, fill, shadow=(0, 0, 0, 200), offset_y=0):
    x0, y0, x1, y1 = box
    left, top, right, bottom = draw.textbbox((0, 0), text, font=face)
    x = x0 + (x1 - x0 - (right - left)) / 2 - left
    y = y0 + (y1 - y0 - (bottom - top)) / 2 - top + offset_y
    if shadow:
        draw.text((x + 1, y + 1), text, font=face, fill=shadow)
    draw.text((x, y), text, font=face, fill=fill)


def save(image, *parts):
    path = os.path.join(RES, *parts)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    image.save(path, optimize=True)


# --- buttons ------------------------------------------------------------------------------------

def plate(size, state, radius=4, base=(0x5A, 0x37, 0x18), rim=GOLD):
    """A bevelled bronze plate; hover glows warmer, pressed sits lower and darker."""
    w, h = size
    lift = {"normal": 1.0, "hover": 1.25, "pressed": 0.75}[state]
    top = tuple(min(255, int(c * lift * 1.35)) for c in base)
    bottom = tuple(min(255, int(c * lift * 0.7)) for c in base)
    body = vertical_gradient(size, [(0, top), (0.5, tuple(min(255, int(c * lift)) for c in base)), (1, bottom)])
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius, fill=255)
    image = Image.new("RGBA", size, (0, 0, 0, 0))
    image.paste(body, (0, 0), mask)
    draw = ImageDraw.Draw(image)
    rim_alpha = 255 if state != "normal" else 200
    draw.rounded_rectangle([0, 0, w - 1, h - 1], radius, outline=rim + (rim_alpha,), width=1)
    if state == "pressed":
        draw.line([(radius, 1), (w - radius, 1)], fill=(0, 0, 0, 140))
    else:
        draw.line([(radius, 1), (w - radius, 1)], fill=CREAM + (90 if state == "normal" else 150,))
    return image


def worded_button(size, word, state, face_size=13):
    image = plate(size, state)
    draw = ImageDraw.Draw(image)
    colour = {"normal": GOLD, "hover": CREAM, "pressed": PALE}[state]
    text_centered(draw, (0, 0, size[0], size[1]), word, font(FONT_HEI, face_size), colour + (255,),
                  offset_y=1 if state == "pressed" else 0)
    return image


def glyph_button(size, glyph, state):
    """The square caption buttons: a dark tile with a gold glyph; close turns ember on hover."""
    w, h = size
    image = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    if state != "normal":
        fill = (EMBER if glyph == "close" else (0x5A, 0x37, 0x18)) + ((230,) if state == "hover" else (255,))
        draw.rounded_rectangle([1, 1, w - 2, h - 2], 3, fill=fill, outline=GOLD + (200,))
    colour = (CREAM if state != "normal" else GOLD) + (255,)
    cx, cy = w // 2, h // 2 + (1 if state == "pressed" else 0)
    if glyph == "close":
        draw.line([(cx - 5, cy - 5), (cx + 5, cy + 5)], fill=colour, width=2)
        draw.line([(cx - 5, cy + 5), (cx + 5, cy - 5)], fill=colour, width=2)
    elif glyph == "minimise":
        draw.line([(cx - 6, cy + 4), (cx + 6, cy + 4)], fill=colour, width=2)
    elif glyph == "maximise":
        draw.rectangle([cx - 6, cy - 5, cx + 6, cy + 5], outline=colour, width=2)
    elif glyph == "restore":
        draw.rectangle([cx - 3, cy - 7, cx + 7, cy + 2], outline=colour, width=1)
        draw.rectangle([cx - 7, cy - 3, cx + 3, cy + 6], fill=(0x2A, 0x1C, 0x10, 255), outline=colour, width=2)
    return image


CAPTION_BUTTONS = [
    # (normal, hover, pressed), size, glyph or word
    ((207, 208, 227), (28, 26), ("glyph", "close")),
    ((220, 213, 228), (28, 26), ("glyph", "maximise")),
    ((221, 217, 229), (28, 26), ("glyph", "restore")),
    ((209, 210, 230), (28, 26), ("glyph", "minimise")),
    ((224, 214, 234), (85, 24), ("word", "全屏")),
    ((223, 215, 233), (97, 24), ("word", "老板键")),
    ((252, 253, 261), (85, 24), ("word", "清除缓存")),
    ((226, 219, 236), (78, 24), ("word", "刷新")),
    ((211, 212, 231), (59, 24), ("word", "选服")),
]


def draw_caption():
    # The strip is the frame's caption: 203 carries the title at the left, 172 is the middle tile
    # stretched across, 206 closes it at the right behind the window buttons.
    def strip(width):
        image = vertical_gradient((width, 30), [(0, (0x3A, 0x27, 0x16)), (0.55, (0x22, 0x17, 0x0E)),
                                                 (1, (0x14, 0x0E, 0x09))])
        draw = ImageDraw.Draw(image)
        draw.line([(0, 29), (width, 29)], fill=(0x8A, 0x6A, 0x3A, 255))
        draw.line([(0, 0), (width, 0)], fill=(0x5C, 0x42, 0x24, 255))
        return image

    save(strip(1), "png", "172.png")
    left = strip(203)
    draw = ImageDraw.Draw(left)
    draw.ellipse([7, 5, 27, 25], fill=(0x5A, 0x37, 0x18, 255), outline=GOLD + (255,))
    text_centered(draw, (7, 5, 28, 25), "岳", font(FONT_KAI, 15), CREAM + (255,), shadow=None)
    draw.text((36, 5), "澜岳登录器", font=font(FONT_KAI, 18), fill=GOLD + (255,))
    save(left, "png", "203.png")
    right = strip(92)
    draw = ImageDraw.Draw(right)
    for x in range(4, 92, 14):
        draw.polygon([(x, 15), (x + 3, 12), (x + 6, 15), (x + 3, 18)], fill=(0x5C, 0x42, 0x24, 255))
    save(right, "png", "206.png")

    for ids, size, (kind, what) in CAPTION_BUTTONS:
        for picture_id, state in zip(ids, ("normal", "hover", "pressed")):
            image = glyph_button(size, what, state) if kind == "glyph" else worded_button(size, what, state, 12)
            save(image, "png", "%d.png" % picture_id)


# --- the message box ----------------------------------------------------------------------------

def ornate_panel(size, radius=8, title_band=0):
    w, h = size
    image = Image.new("RGBA", size, (0, 0, 0, 0))
    body = vertical_gradient(size, [(0, (0x33, 0x23, 0x15)), (0.35, PANEL), (1, (0x14, 0x0E, 0x09))])
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, w - 1, h - 1], radius, fill=255)
    image.paste(body, (0, 0), mask)
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle([0, 0, w - 1, h - 1], radius, outline=(0x8A, 0x6A, 0x3A, 255), width=2)
    draw.rounded_rectangle([4, 4, w - 5, h - 5], max(1, radius - 3), outline=(0x5C, 0x42, 0x24, 255), width=1)
    if title_band:
        draw.line([(20, title_band), (w - 20, title_band)], fill=(0x8A, 0x6A, 0x3A, 200))
        for x in (18, w - 19):
            draw.polygon([(x - 3, title_band), (x, title_band - 3), (x + 3, title_band), (x, title_band + 3)],
                         fill=GOLD + (255,))
    return image


def draw_message_box():
    save(ornate_panel((258, 112), title_band=30), "png", "304.png")
    for picture_id, word, state in ((314, "确定", "normal"), (313, "确定", "hover"),
                                     (312, "取消", "normal"), (311, "取消", "hover")):
        save(worded_button((82, 34), word, state, 15), "png", "%d.png" % picture_id)
    close = Image.new("RGBA", (9, 8), (0, 0, 0, 0))
    draw = ImageDraw.Draw(close)
    draw.line([(0, 0), (8, 7)], fill=GOLD + (255,), width=2)
    draw.line([(0, 7), (8, 0)], fill=GOLD + (255,), width=2)
    save(close, "png", "316.png")


# --- the waiting overlay ------------------------------------------------------------------------

def draw_overlay():
    save(Image.new("RGBA", (1, 1), (0, 0, 0, 230)), "png", "275.png")
    # Eight dots on a ring, brightest at the head; each picture turns the ring by one quarter of a
    # dot step so four pictures make a smooth turn.
    for step, picture_id in enumerate(range(276, 280)):
        scale = 4
        big = Image.new("RGBA", (23 * scale, 23 * scale), (0, 0, 0, 0))
        draw = ImageDraw.Draw(big)
        for dot in range(8):
            angle = 2 * math.pi * (dot / 8 + step / 32)
            cx = 11.5 * scale + math.cos(angle) * 8 * scale
            cy = 11.5 * scale + math.sin(angle) * 8 * scale
            strength = (dot + 1) / 8
            r = (1.2 + 1.6 * strength) * scale
            colour = tuple(int(g * (0.45 + 0.55 * strength)) for g in CREAM) + (int(90 + 165 * strength),)
            draw.ellipse([cx - r, cy - r, cx + r, cy + r], fill=colour)
        save(big.resize((23, 23), Image.LANCZOS), "png", "%d.png" % picture_id)


# --- the login window and its popup -------------------------------------------------------------

POPUP_AT = (326, 168)          # the popup's place over the login picture
POPUP_SIZE = (619, 422)
PANEL_BOX = (0, 70, 568, 422)  # the popup's visible panel, in popup coordinates


def mountains(size, seed, base_y, amplitude, colour, roughness=0.55):
    """One ridge of mountains as an RGBA layer (midpoint displacement)."""
    w, h = size
    rng = random.Random(seed)
    points = [base_y, base_y]
    spread = amplitude
    while len(points) < w:
        refined = []
        for a, b in zip(points, points[1:]):
            refined += [a, (a + b) / 2 + rng.uniform(-spread, spread)]
        refined.append(points[-1])
        points = refined
        spread *= roughness
    step = len(points) / w
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    outline = [(x, points[int(x * step)]) for x in range(w)]
    draw.polygon(outline + [(w, h), (0, h)], fill=colour)
    return layer


def hero_layer(size):
    """A cloaked swordsman on a crag, seen against the sunset: a silhouette with a gold rim light."""
    w, h = size
    s = 1.0
    ox, oy = 40, 95
    def p(x, y):
        return (ox + x * s, oy + y * s)
    figure = Image.new("L", size, 0)
    draw = ImageDraw.Draw(figure)
    # crag
    draw.polygon([p(-40, 600), p(10, 520), p(90, 500), p(170, 470), p(260, 490), p(330, 540), p(380, 600)], fill=255)
    # cloak streaming to the left in the wind
    draw.polygon([p(190, 175), p(150, 230), p(80, 330), p(20, 420), p(-10, 470), p(60, 455), p(40, 500),
                  p(120, 470), p(150, 490), p(205, 430), p(215, 300)], fill=255)
    # legs
    draw.polygon([p(200, 330), p(178, 410), p(160, 480), p(185, 482), p(208, 410), p(222, 360)], fill=255)
    draw.polygon([p(225, 330), p(240, 400), p(262, 478), p(288, 480), p(262, 400), p(248, 330)], fill=255)
    # body and shoulders
    draw.polygon([p(185, 175), p(255, 175), p(262, 250), p(250, 340), p(195, 340), p(183, 250)], fill=255)
    draw.ellipse([p(175, 160), p(270, 200)], fill=255)
    # head with topknot and a ribbon
    draw.ellipse([p(198, 112), p(240, 162)], fill=255)
    draw.ellipse([p(210, 98), p(228, 116)], fill=255)
    draw.polygon([p(212, 110), p(160, 95), p(120, 112), p(165, 104), p(214, 118)], fill=255)
    # sword arm raised, the blade across the sky
    draw.polygon([p(250, 185), p(300, 150), p(322, 118), p(334, 126), p(312, 162), p(262, 205)], fill=255)
    draw.polygon([p(320, 120), p(345, 108), p(352, 116), p(328, 128)], fill=255)          # guard
    draw.polygon([p(336, 111), p(520, -30), p(527, -22), p(345, 120)], fill=255)          # blade
    # sheath at the hip
    draw.polygon([p(180, 300), p(110, 400), p(118, 406), p(188, 310)], fill=255)

    silhouette = Image.new("RGBA", size, (0x0C, 0x08, 0x06, 0))
    silhouette.putalpha(figure)
    dark = Image.new("RGBA", size, (0x0C, 0x08, 0x06, 255))
    rim_mask = ImageChops.subtract(figure, ImageChops.offset(figure, 3, 2))
    rim_mask = rim_mask.filter(ImageFilter.GaussianBlur(1.2))
    glow_mask = figure.filter(ImageFilter.GaussianBlur(14))
    layer = Image.new("RGBA", size, (0, 0, 0, 0))
    glow = Image.new("RGBA", size, (0xFF, 0xB0, 0x50, 0))
    glow.putalpha(glow_mask.point(lambda v: int(v * 0.45)))
    layer = Image.alpha_composite(layer, glow)
    body = Image.new("RGBA", size, (0, 0, 0, 0))
    body.paste(dark, (0, 0), figure)
    layer = Image.alpha_composite(layer, body)
    rim = Image.new("RGBA", size, (0xFF, 0xD2, 0x8A, 0))
    rim.putalpha(rim_mask)
    blade_shine = Image.new("L", size, 0)
    ImageDraw.Draw(blade_shine).line([p(340, 114), p(522, -26)], fill=255, width=2)
    shine = Image.new("RGBA", size, CREAM + (0,))
    shine.putalpha(blade_shine.filter(ImageFilter.GaussianBlur(0.8)))
    return Image.alpha_composite(Image.alpha_composite(layer, rim), shine)


def draw_login_picture():
    w, h = 970, 695
    sky = vertical_gradient((w, h), [(0, (0x1A, 0x10, 0x12)), (0.35, (0x5A, 0x26, 0x1A)), (0.62, (0xC8, 0x6A, 0x2A)),
                                     (0.78, (0x7A, 0x38, 0x1C)), (1, (0x1A, 0x10, 0x0C))])
    sun = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ImageDraw.Draw(sun).ellipse([150, 270, 390, 510], fill=(0xFF, 0xD8, 0x90, 255))
    sun = sun.filter(ImageFilter.GaussianBlur(30))
    scene = Image.alpha_composite(sky, sun)
    disc = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ImageDraw.Draw(disc).ellipse([205, 325, 335, 455], fill=(0xFF, 0xE6, 0xB0, 235))
    scene = Image.alpha_composite(scene, disc.filter(ImageFilter.GaussianBlur(2)))
    for seed, base, amp, colour in ((3, 430, 120, (0x6A, 0x34, 0x22, 255)), (7, 500, 90, (0x3E, 0x20, 0x16, 255)),
                                     (11, 570, 70, (0x22, 0x14, 0x0E, 255))):
        scene = Image.alpha_composite(scene, mountains((w, h), seed, base, amp, colour))
        mist = Image.new("RGBA", (w, h), (0, 0, 0, 0))
        ImageDraw.Draw(mist).rectangle([0, base + 20, w, base + 60], fill=(0xE8, 0xA8, 0x70, 40))
        scene = Image.alpha_composite(scene, mist.filter(ImageFilter.GaussianBlur(18)))
    scene = Image.alpha_composite(scene, hero_layer((w, h)))

    # The dark panel that the popup covers, framed in gold, with the title above it.
    px, py = POPUP_AT[0] + PANEL_BOX[0], POPUP_AT[1] + PANEL_BOX[1]
    panel_box = (px - 14, py - 100, px + PANEL_BOX[2] + 14, py + PANEL_BOX[3] - PANEL_BOX[1] + 14)
    shadow = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ImageDraw.Draw(shadow).rounded_rectangle([panel_box[0] - 6, panel_box[1] - 2, panel_box[2] + 10, panel_box[3] + 12],
                                             16, fill=(0, 0, 0, 170))
    scene = Image.alpha_composite(scene, shadow.filter(ImageFilter.GaussianBlur(10)))
    panel = ornate_panel((panel_box[2] - panel_box[0], panel_box[3] - panel_box[1]), radius=14)
    scene.alpha_composite(panel, (panel_box[0], panel_box[1]))
    draw = ImageDraw.Draw(scene)
    title_face = font(FONT_KAI, 64)
    title_box = (panel_box[0], panel_box[1] + 4, panel_box[2], py - 8)
    glow = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    text_centered(ImageDraw.Draw(glow), title_box, "澜 岳", title_face, (0xFF, 0xA0, 0x40, 200), shadow=None)
    scene = Image.alpha_composite(scene, glow.filter(ImageFilter.GaussianBlur(6)))
    draw = ImageDraw.Draw(scene)
    text_centered(draw, title_box, "澜 岳", title_face, CREAM + (255,), shadow=(0x3A, 0x18, 0x08, 255))
    draw.line([(title_box[0] + 150, py - 10), (title_box[2] - 150, py - 10)], fill=GOLD + (160,))

    # The outline: the scene inside a rounded frame with a soft edge, so the window has a shape.
    outline = Image.new("L", (w, h), 0)
    ImageDraw.Draw(outline).rounded_rectangle([10, 60, w - 11, h - 40], 28, fill=255)
    ImageDraw.Draw(outline).ellipse([60, 20, 560, 680], fill=255)  # the hero's sky reaches above
    outline = outline.filter(ImageFilter.GaussianBlur(1.5))
    framed = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    framed.paste(scene, (0, 0), outline)
    edge = ImageChops.subtract(outline, outline.filter(ImageFilter.MinFilter(5)))
    rim = Image.new("RGBA", (w, h), (0x8A, 0x6A, 0x3A, 0))
    rim.putalpha(edge)
    save(Image.alpha_composite(framed, rim), "png", "319.png")
    return scene


def draw_popup_bitmap():
    w, h = POPUP_SIZE
    image = Image.new("RGB", (w, h), GREEN)
    x0, y0, x1, y1 = PANEL_BOX
    panel = vertical_gradient((x1 - x0, y1 - y0), [(0, (0x1E, 0x15, 0x0E)), (1, (0x12, 0x0C, 0x08))]).convert("RGB")
    image.paste(panel, (x0, y0))
    draw = ImageDraw.Draw(image)
    draw.rectangle([x0, y0, x1 - 1, y1 - 1], outline=(0x5C, 0x42, 0x24))
    text_centered(draw, (x0, y0, x1, y1), "努力加载中，请稍后......", font(FONT_HEI, 16), GOLD, shadow=None)
    # The two round buttons, drawn again over the bitmap so the colour key leaves them visible.
    # Every pixel the button pictures touch is opaque here, over the panel's dark: the buttons'
    # soft edges then blend into dark and never into the see-through green.
    for left, picture in ((w - 51, minimise_circle("normal")), (w - 22, close_circle("normal"))):
        top = 10 if left == w - 51 else 0
        backed = Image.alpha_composite(Image.new("RGBA", picture.size, (0x12, 0x0C, 0x08, 255)), picture)
        flat = Image.new("RGB", picture.size, GREEN)
        flat.paste(backed.convert("RGB"), (0, 0), picture.split()[3].point(lambda v: 255 if v > 0 else 0))
        image.paste(flat, (left, top))
    image.save(os.path.join(RES, "bitmaps", "318.bmp"))


def circle(state, glyph):
    scale = 4
    size = 22 * scale
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(image)
    fill = {"normal": (0x3A, 0x27, 0x16), "hover": (0x7A, 0x4A, 0x1E), "pressed": (0x24, 0x18, 0x0E)}[state]
    if glyph == "close" and state == "hover":
        fill = EMBER
    draw.ellipse([1 * scale, 1 * scale, 21 * scale - 1, 21 * scale - 1], fill=fill + (255,),
                 outline=GOLD + (255,), width=int(1.5 * scale))
    colour = (CREAM if state != "normal" else GOLD) + (255,)
    c = 11 * scale
    if glyph == "close":
        d = 4 * scale
        draw.line([(c - d, c - d), (c + d, c + d)], fill=colour, width=2 * scale)
        draw.line([(c - d, c + d), (c + d, c - d)], fill=colour, width=2 * scale)
    else:
        draw.line([(c - 5 * scale, c + 1 * scale), (c + 5 * scale, c + 1 * scale)], fill=colour, width=2 * scale)
    return image.resize((22, 22), Image.LANCZOS)


def minimise_circle(state):
    return circle(state, "minimise")


def close_circle(state):
    return circle(state, "close")


def draw_popup_buttons():
    for base, glyph in ((320, minimise_circle), (323, close_circle)):
        for offset, state in enumerate(("normal", "hover", "pressed")):
            save(glyph(state), "png", "%d.png" % (base + offset))


def draw_icons(scene):
    """Icon 180 (the window's) from the title glyph, icon 273 (the tray's) a smaller emblem."""
    def emblem(size, glyph_scale):
        scale = 4
        big = Image.new("RGBA", (size * scale, size * scale), (0, 0, 0, 0))
        draw = ImageDraw.Draw(big)
        m = size * scale
        draw.ellipse([0, 0, m - 1, m - 1], fill=(0x5A, 0x37, 0x18, 255), outline=GOLD + (255,),
                     width=max(scale, m // 16))
        draw.ellipse([m // 8, m // 8, m - m // 8, m - m // 8], fill=(0x22, 0x16, 0x0D, 255))
        text_centered(draw, (0, 0, m, m), "岳", font(FONT_KAI, int(m * glyph_scale)), CREAM + (255,), shadow=None)
        return big.resize((size, size), Image.LANCZOS)

    sizes = [16, 24, 32, 48, 256]
    largest = emblem(256, 0.62)
    largest.save(os.path.join(RES, "icons", "main.ico"), sizes=[(s, s) for s in sizes],
                 append_images=[emblem(s, 0.66) for s in sizes[:-1]])
    tray = emblem(32, 0.7)
    tray.save(os.path.join(RES, "icons", "tray.ico"), sizes=[(16, 16), (32, 32)],
              append_images=[emblem(16, 0.72)])


def main():
    os.makedirs(os.path.join(RES, "png"), exist_ok=True)
    os.makedirs(os.path.join(RES, "bitmaps"), exist_ok=True)
    draw_caption()
    draw_message_box()
    draw_overlay()
    scene = draw_login_picture()
    draw_popup_buttons()
    draw_popup_bitmap()
    draw_icons(scene)
    ids = sorted(int(name[:-4]) for name in os.listdir(os.path.join(RES, "png")) if name.endswith(".png"))
    with open(os.path.join(RES, "png", "pictures.rc"), "w") as listing:
        listing.write("// Generated by res/art/draw_skin.py: every PNG picture of the skin.\n")
        listing.writelines('%d PNG "png/%d.png"\n' % (i, i) for i in ids)
    print("drew the skin into", RES)


if __name__ == "__main__":
    sys.exit(main())
