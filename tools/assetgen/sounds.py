"""The stock sounds and the demo disc's sounds."""

import io
import math
import random
import struct
import wave


# ---------------------------------------------------------------------------
# Sounds: 16-bit mono PCM at 22050 Hz, the format every Windows sound driver
# plays without conversion.  Each sound is synthesised in floating point,
# then finished the same way: DC removed, short raised-cosine fades so it
# neither starts nor stops with a click, and normalised to -3 dBFS peak.
# ---------------------------------------------------------------------------

RATE = 22050
PEAK = 10 ** (-3.0 / 20.0)


def _n(seconds):
    return int(round(seconds * RATE))


def note_hz(name):
    """'A4' -> 440.0; sharps as 'C#5'."""
    steps = {'C': -9, 'D': -7, 'E': -5, 'F': -4, 'G': -2, 'A': 0, 'B': 2}
    k = steps[name[0]] + (1 if '#' in name else 0)
    octave = int(name[-1])
    return 440.0 * 2 ** ((k + 12 * (octave - 4)) / 12.0)


def add(buf, start, samples, gain=1.0):
    for i, v in enumerate(samples):
        j = start + i
        if j >= len(buf):
            break
        buf[j] += v * gain


def bell(freq, seconds, decay=3.0, bright=1.0):
    """A soft struck bell: a few partials, the upper ones dying sooner."""
    partials = ((1.0, 1.0, 1.0), (2.0, 0.35 * bright, 1.8), (3.01, 0.12 * bright, 2.7),
                (4.2, 0.06 * bright, 3.6), (0.5, 0.10, 0.8))
    n = _n(seconds)
    out = [0.0] * n
    attack = _n(0.004)
    for ratio, amp, dk in partials:
        w = 2 * math.pi * freq * ratio / RATE
        if freq * ratio > RATE * 0.45:
            continue
        rate = decay * dk / RATE
        for i in range(n):
            out[i] += amp * math.sin(w * i) * math.exp(-rate * i)
    for i in range(min(attack, n)):
        out[i] *= i / float(attack)
    return out


def pad_tone(freq, seconds, attack, release, detune=0.003):
    """Warm sustained tone: three slightly detuned sines with a slow swell."""
    n = _n(seconds)
    a, r = _n(attack), _n(release)
    out = []
    ws = [2 * math.pi * freq * (1 + d) / RATE for d in (-detune, 0.0, detune)]
    w2 = 2 * math.pi * freq * 2 / RATE
    for i in range(n):
        env = min(1.0, i / float(a)) if a else 1.0
        if i > n - r:
            env *= 0.5 - 0.5 * math.cos(math.pi * (n - i) / float(r))
        v = sum(math.sin(w * i) for w in ws) / 3.0 + 0.15 * math.sin(w2 * i)
        out.append(v * env)
    return out


def filtered_noise(seconds, centre_of, q, seed, env_of):
    """White noise through a band-pass filter whose centre moves over time:
    the basis of the whooshes.  centre_of and env_of map 0..1 (time) to Hz
    and gain."""
    rnd = random.Random(seed)
    n = _n(seconds)
    out = []
    x1 = x2 = y1 = y2 = 0.0
    b0 = b2 = a1 = a2 = 0.0
    for i in range(n):
        t = i / float(n)
        if i % 16 == 0:
            w0 = 2 * math.pi * min(centre_of(t), RATE * 0.45) / RATE
            alpha = math.sin(w0) / (2 * q)
            a0 = 1 + alpha
            b0, b2 = alpha / a0, -alpha / a0
            a1, a2 = -2 * math.cos(w0) / a0, (1 - alpha) / a0
        x0 = rnd.uniform(-1.0, 1.0)
        y0 = b0 * x0 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1 = x1, x0
        y2, y1 = y1, y0
        out.append(y0 * env_of(t))
    return out


def finish(samples, fade_in=0.003, fade_out=0.02):
    n = len(samples)
    mean = sum(samples) / n
    s = [v - mean for v in samples]
    fi, fo = max(1, _n(fade_in)), max(1, _n(fade_out))
    for i in range(min(fi, n)):
        s[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(min(fo, n)):
        s[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    peak = max(abs(v) for v in s) or 1.0
    k = PEAK * 32767.0 / peak
    return [int(round(v * k)) for v in s]


def wav_bytes(samples):
    bio = io.BytesIO()
    with wave.open(bio, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack('<%dh' % len(samples), *samples))
    return bio.getvalue()


def snd_chime(notes=('C5', 'E5', 'G5', 'C6'), step=0.09, seconds=1.8):
    """Start-up chime: a rising major arpeggio of soft bells."""
    buf = [0.0] * _n(seconds)
    for k, nm in enumerate(notes):
        add(buf, _n(step * k), bell(note_hz(nm), seconds - step * k, decay=2.6), 0.8 - 0.08 * k)
    return finish(buf, fade_out=0.25)


def snd_welcome():
    """Start-up pad: a warm major-ninth chord swelling up, with a bell on top."""
    seconds = 2.0
    buf = [0.0] * _n(seconds)
    for nm, g in (('F3', 0.5), ('C4', 0.45), ('A4', 0.4), ('E5', 0.3), ('G5', 0.22)):
        add(buf, 0, pad_tone(note_hz(nm), seconds, 0.5, 0.9), g)
    add(buf, _n(0.35), bell(note_hz('A5'), seconds - 0.35, decay=2.2), 0.35)
    add(buf, _n(0.55), bell(note_hz('E6'), seconds - 0.55, decay=2.8), 0.22)
    return finish(buf, fade_out=0.3)


def snd_sparkle():
    """Start-up sparkle: a quick pentatonic run of tiny bells going up."""
    seconds = 1.3
    buf = [0.0] * _n(seconds)
    run = ('E5', 'G5', 'A5', 'C6', 'D6', 'E6', 'G6', 'A6')
    for k, nm in enumerate(run):
        add(buf, _n(0.055 * k), bell(note_hz(nm), seconds - 0.055 * k, decay=5.0, bright=0.5), 0.55)
    return finish(buf, fade_out=0.2)


def snd_click(freq=1900.0, seconds=0.12, body=420.0, seed=51):
    """Soft click: a very short tone tick with a breath of noise."""
    n = _n(seconds)
    rnd = random.Random(seed)
    buf = []
    w, wb = 2 * math.pi * freq / RATE, 2 * math.pi * body / RATE
    lp = 0.0
    for i in range(n):
        t = i / float(RATE)
        lp += 0.25 * (rnd.uniform(-1, 1) - lp)
        buf.append(math.sin(w * i) * math.exp(-t / 0.004) * 0.8 +
                   math.sin(wb * i) * math.exp(-t / 0.012) * 0.5 +
                   lp * math.exp(-t / 0.003) * 0.6)
    return finish(buf, fade_out=0.03)


def snd_pop():
    """Bubble pop: a sine whose pitch jumps up as it dies away."""
    seconds = 0.18
    n = _n(seconds)
    buf = []
    phase = 0.0
    for i in range(n):
        t = i / float(RATE)
        f = 320.0 + 900.0 * (1 - math.exp(-t / 0.02))
        phase += 2 * math.pi * f / RATE
        buf.append(math.sin(phase) * math.exp(-t / 0.035))
    return finish(buf, fade_in=0.002, fade_out=0.03)


def snd_whoosh(seconds=0.8, seed=61):
    """Whoosh: noise swept up and back down, swelling and fading like air."""
    centre = lambda t: 350.0 + 2600.0 * math.sin(math.pi * t) ** 1.5
    env = lambda t: math.sin(math.pi * t ** 0.8) ** 2
    return finish(filtered_noise(seconds, centre, 1.4, seed, env), fade_out=0.05)


def snd_swoosh(seconds=0.45, seed=71):
    """Menu change: a quick rising swoosh with a faint tonal glide under it."""
    noise = filtered_noise(seconds, lambda t: 500.0 * 12 ** t, 2.2, seed,
                           lambda t: math.sin(math.pi * t) ** 2 * (1.0 - 0.4 * t))
    phase = 0.0
    n = len(noise)
    for i in range(n):
        t = i / float(n)
        phase += 2 * math.pi * (300.0 + 500.0 * t) / RATE
        noise[i] += 0.05 * math.sin(phase) * math.sin(math.pi * t) ** 2
    return finish(noise, fade_out=0.04)


def snd_confirm(first='E6', second='B6'):
    """Selection: two quick rising notes, like a gentle "OK"."""
    seconds = 0.32
    buf = [0.0] * _n(seconds)
    add(buf, 0, bell(note_hz(first), seconds, decay=14.0, bright=0.3), 0.7)
    add(buf, _n(0.08), bell(note_hz(second), seconds - 0.08, decay=11.0, bright=0.3), 0.8)
    return finish(buf, fade_out=0.05)


STOCK_SOUNDS = [
    ('chime.wav', snd_chime),                               # start-up: bell arpeggio
    ('welcome.wav', snd_welcome),                           # start-up: warm chord swell
    ('sparkle.wav', snd_sparkle),                           # start-up: rising bell run
    ('click.wav', snd_click),                               # mouse-over / select: soft click
    ('tick.wav', lambda: snd_click(2900.0, 0.11, 900.0, 52)),  # mouse-over: light tick
    ('pop.wav', snd_pop),                                   # select: bubble pop
    ('confirm.wav', snd_confirm),                           # select: two-note "OK"
    ('whoosh.wav', snd_whoosh),                             # menu change: long whoosh
    ('swoosh.wav', snd_swoosh),                             # menu change: short swoosh
]

DEMO_SOUNDS = [
    ('intro.wav', lambda: snd_chime(('G4', 'B4', 'D5', 'G5', 'B5'), 0.08, 1.9)),
    ('hover.wav', lambda: snd_click(2400.0, 0.11, 700.0, 53)),
    ('select.wav', lambda: snd_confirm('G5', 'D6')),
    ('menu.wav', lambda: snd_swoosh(0.5, 72)),
]
