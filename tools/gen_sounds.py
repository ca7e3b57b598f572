#!/usr/bin/env python3
"""Synthesises every sound of the bundled game into demo/res/sound/.

    python3 tools/gen_sounds.py [OUTPUT_DIR]

Chip-style voices (square, triangle, noise) with simple envelopes. Effects are 16-bit
at 22050 Hz; the music loops are 8-bit at 16000 Hz to keep the game folder small. The
same code always writes the same files.
"""
import math
import os
import struct
import sys
import wave

FX_RATE = 22050
MUSIC_RATE = 16000


# --------------------------------------------------------------------------- voices
class Noise:
    """A 15-bit shift register, as old sound chips made their noise: deterministic."""

    def __init__(self, seed=0x4A5B):
        self.reg = seed

    def next(self):
        bit = (self.reg ^ (self.reg >> 1)) & 1
        self.reg = (self.reg >> 1) | (bit << 14)
        return 1.0 if self.reg & 1 else -1.0


def square(phase, duty=0.5):
    return 1.0 if (phase % 1.0) < duty else -1.0


def triangle(phase):
    p = phase % 1.0
    return 4.0 * p - 1.0 if p < 0.5 else 3.0 - 4.0 * p


def envelope(t, length, attack=0.005, release=0.05):
    """Linear attack, hold, linear release inside the note's length."""
    if t < 0 or t >= length:
        return 0.0
    if t < attack:
        return t / attack
    if t > length - release:
        return max(0.0, (length - t) / release)
    return 1.0


def note_hz(name):
    """'A4' -> 440 Hz; sharps as 'C#4', flats as 'Bb3'."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    n = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        n += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        n -= 1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2 ** ((n + (octave - 4) * 12) / 12.0)


# --------------------------------------------------------------------------- effects
def render(length, rate, fn):
    return [fn(i / rate) for i in range(int(length * rate))]


def sweep_blip(f0, f1, length, wave_fn, volume):
    def fn(t):
        # the integral of a linear frequency glide, so the pitch slides without clicks
        phase = f0 * t + (f1 - f0) * t * t / (2 * length)
        return wave_fn(phase) * volume * (1.0 - t / length) ** 1.5
    return render(length, FX_RATE, fn)


def noise_burst(length, volume, start_rate, end_rate, seed=0x1234, curve=2.0):
    """Noise whose sample-and-hold rate falls: a crack that turns into a rumble."""
    noise = Noise(seed)
    out = []
    held = 0.0
    acc = 0.0
    for i in range(int(length * FX_RATE)):
        t = i / FX_RATE
        rate = start_rate + (end_rate - start_rate) * (t / length)
        acc += rate / FX_RATE
        if acc >= 1.0:
            acc -= int(acc)
            held = noise.next()
        out.append(held * volume * (1.0 - t / length) ** curve)
    return out


def arpeggio(notes, step, volume, duty=0.25, tail=0.0):
    out = []
    total = step * len(notes) + tail
    for i in range(int(total * FX_RATE)):
        t = i / FX_RATE
        k = min(int(t / step), len(notes) - 1)
        f = note_hz(notes[k])
        fade = 1.0 if t < step * len(notes) else max(0.0, 1.0 - (t - step * len(notes)) / tail)
        out.append(square(f * t, duty) * volume * fade)
    return out


def siren(length, volume):
    """Two tones swapping every 0.4 s; loops cleanly at whole swaps."""
    def fn(t):
        f = 660.0 if int(t / 0.4) % 2 == 0 else 494.0
        return square(f * t, 0.5) * volume * 0.8 + triangle(f * 0.5 * t) * volume * 0.3
    return render(length, FX_RATE, fn)


def mix_into(base, add, offset=0):
    for i, v in enumerate(add):
        j = offset + i
        if j < len(base):
            base[j] += v
        else:
            base.append(v)
    return base


def effects():
    hurt = sweep_blip(420, 90, 0.45, lambda p: (2 * (p % 1.0) - 1), 0.5)
    mix_into(hurt, noise_burst(0.3, 0.25, 6000, 800, seed=0x2222))
    bigboom = noise_burst(1.4, 0.75, 3000, 160, seed=0x5151, curve=1.4)
    mix_into(bigboom, noise_burst(0.9, 0.5, 1200, 120, seed=0x7373, curve=1.6), 9000)
    return {
        "shot.wav": sweep_blip(1500, 700, 0.06, lambda p: square(p, 0.25), 0.22),
        "eshot.wav": sweep_blip(700, 320, 0.09, triangle, 0.35),
        "hit.wav": noise_burst(0.04, 0.3, 9000, 5000, seed=0x0F0F, curve=1.0),
        "boom.wav": noise_burst(0.45, 0.6, 5000, 400, seed=0x3C3C),
        "bigboom.wav": bigboom,
        "power.wav": arpeggio(["C5", "E5", "G5", "C6", "E6"], 0.05, 0.3, tail=0.1),
        "gem.wav": arpeggio(["B5", "E6"], 0.06, 0.28, duty=0.5, tail=0.15),
        "hurt.wav": hurt,
        "lost.wav": arpeggio(["A5", "E5", "C5", "A4"], 0.07, 0.28, tail=0.1),
        "start.wav": arpeggio(["G4", "C5", "E5", "G5", "C6"], 0.06, 0.3, duty=0.5, tail=0.3),
        "warning.wav": siren(1.6, 0.35),
    }


# --------------------------------------------------------------------------- music
def parse(track):
    """'E4:1 -:0.5 G4:0.5' -> [(name or None, beats)]."""
    out = []
    for token in track.split():
        name, beats = token.split(":")
        out.append((None if name == "-" else name, float(beats)))
    return out


def song(bpm, parts, loop=True, tail_beats=0.0):
    """Mixes voices, each (kind, notes, volume); kinds: lead, pad, bass, drums.
    Drum notes are k (kick), s (snare), h (hat)."""
    beat = 60.0 / bpm
    beats = max(sum(b for _, b in parse(notes)) for _, notes, _ in parts) + tail_beats
    out = [0.0] * int(beats * beat * MUSIC_RATE)
    for kind, notes, volume in parts:
        noise = Noise(0x6D2B)
        at = 0.0
        for name, length in parse(notes):
            if name is not None:
                start = int(at * beat * MUSIC_RATE)
                dur = length * beat
                if kind == "drums":
                    dur = {"k": 0.16, "s": 0.14, "h": 0.04}[name]
                count = int(dur * MUSIC_RATE)
                freq = 0.0 if kind == "drums" else note_hz(name)
                for i in range(count):
                    t = i / MUSIC_RATE
                    if kind == "lead":
                        v = square(freq * t, 0.5 if (i // 2000) % 2 else 0.25)
                        v *= envelope(t, dur, 0.004, min(0.08, dur * 0.4)) * (1.0 - 0.35 * t / dur)
                    elif kind == "pad":
                        v = square(freq * t, 0.125) * envelope(t, dur, 0.02, dur * 0.5) * 0.8
                    elif kind == "bass":
                        v = triangle(freq * t) * envelope(t, dur, 0.003, min(0.05, dur * 0.3))
                    elif name == "k":
                        f = 150.0 * (1.0 - t / dur) + 40.0
                        v = math.sin(2 * math.pi * f * t) * (1.0 - t / dur) ** 2 * 1.4
                    elif name == "s":
                        v = noise.next() * (1.0 - t / dur) ** 2 * 0.9
                    else:
                        v = noise.next() * (1.0 - t / dur) ** 3 * 0.5
                    j = start + i
                    if j < len(out):
                        out[j] += v * volume
                    elif not loop:
                        out.append(v * volume)
            at += length
    return out


def bars(pattern, times):
    return " ".join([pattern] * times)


def title_music():
    # A minor, calm: Am F C G
    lead = ("A4:1 C5:0.5 E5:0.5 D5:1 C5:1 "
            "A4:1 C5:0.5 F5:0.5 E5:1.5 -:0.5 "
            "G4:1 C5:0.5 E5:0.5 G5:1 E5:1 "
            "D5:1 B4:0.5 G4:0.5 B4:1.5 -:0.5")
    pad = "A3:4 F3:4 C4:4 G3:4"
    bass = ("A2:1 A2:1 E2:1 A2:1 F2:1 F2:1 C3:1 F2:1 "
            "C3:1 C3:1 G2:1 C3:1 G2:1 G2:1 D3:1 G2:1")
    drums = bars("k:1 h:1 s:1 h:0.5 h:0.5", 4)
    return song(112, [("lead", lead, 0.16), ("pad", pad, 0.07), ("bass", bass, 0.3),
                      ("drums", drums, 0.18)])


def stage_music():
    # E minor, driving: Em C D Em | Em C D B
    lead = ("E5:0.5 -:0.5 E5:0.5 G5:0.5 B5:1 A5:0.5 G5:0.5 "
            "E5:0.5 -:0.5 C5:0.5 E5:0.5 G5:1.5 -:0.5 "
            "F#5:0.5 -:0.5 D5:0.5 F#5:0.5 A5:1 G5:0.5 F#5:0.5 "
            "E5:2 B4:1 -:1 "
            "E5:0.5 -:0.5 E5:0.5 G5:0.5 B5:1 A5:0.5 G5:0.5 "
            "E5:0.5 -:0.5 C5:0.5 E5:0.5 G5:1 A5:1 "
            "F#5:0.5 -:0.5 A5:0.5 F#5:0.5 D5:1 E5:0.5 F#5:0.5 "
            "D#5:1 F#5:1 B5:2")
    bass_bar = {"E": "E2:0.5 E3:0.5 " * 4, "C": "C2:0.5 C3:0.5 " * 4,
                "D": "D2:0.5 D3:0.5 " * 4, "B": "B1:0.5 B2:0.5 " * 4}
    bass = "".join(bass_bar[c] for c in "ECDEECDB")
    drums = bars("k:0.5 h:0.5 s:0.5 h:0.5 k:0.5 k:0.5 s:0.5 h:0.5", 8)
    return song(144, [("lead", lead, 0.15), ("bass", bass, 0.3), ("drums", drums, 0.2)])


def boss_music():
    # D minor, urgent: Dm Bb Gm A
    riff = {"D": "D3:0.25 D3:0.25 A3:0.25 D3:0.25 " * 4,
            "B": "Bb2:0.25 Bb2:0.25 F3:0.25 Bb2:0.25 " * 4,
            "G": "G2:0.25 G2:0.25 D3:0.25 G2:0.25 " * 4,
            "A": "A2:0.25 A2:0.25 E3:0.25 A2:0.25 " * 4}
    bass = "".join(riff[c] for c in "DBGADBGA")
    lead = ("D5:1.5 F5:0.5 A5:1 G5:0.5 F5:0.5 "
            "D5:1.5 F5:0.5 Bb5:1 A5:1 "
            "G5:1.5 F5:0.5 E5:1 D5:0.5 E5:0.5 "
            "C#5:2 E5:1 A5:1 "
            "D6:1 C6:0.5 A5:0.5 Bb5:1 A5:0.5 F5:0.5 "
            "G5:1 F5:0.5 D5:0.5 F5:1 Bb5:1 "
            "A5:1 G5:0.5 E5:0.5 G5:1 F5:0.5 E5:0.5 "
            "E5:1 C#5:1 A4:2")
    drums = bars("k:0.5 h:0.25 h:0.25 s:0.5 h:0.5 k:0.25 k:0.25 h:0.5 s:0.5 h:0.5", 8)
    return song(156, [("lead", lead, 0.14), ("bass", bass, 0.3), ("drums", drums, 0.2)])


def gameover_music():
    lead = "G4:1 F4:1 Eb4:1 D4:1 C4:3"
    bass = "C3:2 Bb2:2 C2:3"
    return song(100, [("lead", lead, 0.2), ("bass", bass, 0.3)], loop=False, tail_beats=0.5)


def clear_music():
    lead = "C5:0.333 E5:0.333 G5:0.333 C6:1 G5:0.5 C6:0.5 E6:2.5"
    pad = "C4:1 E4:1 G4:1 C5:2.5"
    bass = "C3:1 G2:1 C3:1 C2:2.5"
    drums = "k:1 s:1 k:1 s:0.5 k:0.5 k:2"
    return song(120, [("lead", lead, 0.18), ("pad", pad, 0.07), ("bass", bass, 0.3),
                      ("drums", drums, 0.18)], loop=False, tail_beats=0.5)


def music():
    return {
        "title.wav": title_music(),
        "stage.wav": stage_music(),
        "boss.wav": boss_music(),
        "gameover.wav": gameover_music(),
        "clear.wav": clear_music(),
    }


# --------------------------------------------------------------------------- files
def write_wav(path, samples, rate, bits, normalise=False):
    """Effects keep their relative loudness (only clipping is avoided); music is raised
    to nearly full scale, since 8-bit samples have few levels to spare."""
    peak = max(abs(s) for s in samples)
    peak = peak / 0.92 if normalise else max(1.0, peak)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setframerate(rate)
        if bits == 16:
            w.setsampwidth(2)
            w.writeframes(b"".join(struct.pack("<h", int(s / peak * 32000)) for s in samples))
        else:
            w.setsampwidth(1)
            w.writeframes(bytes(int(128 + s / peak * 120) for s in samples))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "demo", "res", "sound")
    os.makedirs(out, exist_ok=True)
    for name, samples in effects().items():
        write_wav(os.path.join(out, name), samples, FX_RATE, 16)
        print(f"{name:14} {len(samples) / FX_RATE:5.2f} s")
    for name, samples in music().items():
        write_wav(os.path.join(out, name), samples, MUSIC_RATE, 8, normalise=True)
        print(f"{name:14} {len(samples) / MUSIC_RATE:5.2f} s")


if __name__ == "__main__":
    main()
