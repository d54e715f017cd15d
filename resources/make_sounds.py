#!/usr/bin/env python3
"""Generates the two short sounds of a capture: headshot.wav and monkey.wav.

Both are PCM, mono, 22050 Hz, 8 bits per sample, and under half a second. They are made
from plain sine partials with soft envelopes, so running this again gives the same files.

Usage: make_sounds.py [OUTPUT_FOLDER]   (default: the folder of this script)
"""

import math
import pathlib
import sys
import wave

RATE = 22050


def envelope(t, attack, decay):
    """A short linear attack, then an exponential fall with time constant `decay`."""
    if t < 0:
        return 0.0
    rise = min(1.0, t / attack)
    return rise * math.exp(-t / decay)


def bell(t, start, frequency, decay):
    """One struck tone: the fundamental with two quieter overtones."""
    local = t - start
    if local < 0:
        return 0.0
    phase = 2 * math.pi * frequency * local
    tone = math.sin(phase) + 0.3 * math.sin(2 * phase) + 0.12 * math.sin(3.01 * phase)
    return envelope(local, 0.002, decay) * tone / 1.42


def headshot(t):
    """A crisp two-tone ding: a short high strike answered by a brighter ringing one."""
    return 0.55 * bell(t, 0.0, 1760.0, 0.035) + 0.75 * bell(t, 0.055, 2637.0, 0.08)


def chirp(t, start, length, low, high, rising):
    """A quick frequency sweep with a little vibrato, like a bird's or a toy's call."""
    local = t - start
    if local < 0 or local > length:
        return 0.0
    x = local / length
    sweep = x * x if rising else 1 - (1 - x) * (1 - x)
    # Phase of a sweep from low to high (or back): the integral of the frequency.
    if rising:
        phase = 2 * math.pi * (low * local + (high - low) * length * x ** 3 / 3)
    else:
        phase = 2 * math.pi * (high * local - (high - low) * length * (x * x - x ** 3 / 3))
    vibrato = 0.15 * math.sin(2 * math.pi * 38 * local)
    level = math.sin(math.pi * x) ** 0.6 * (1 - 0.3 * sweep)
    return level * (math.sin(phase + vibrato) + 0.2 * math.sin(3 * phase)) / 1.2


def monkey(t):
    """A playful chirp: two quick rising calls and one that tumbles down."""
    return 0.8 * (chirp(t, 0.0, 0.07, 700.0, 1500.0, True)
                  + chirp(t, 0.09, 0.07, 800.0, 1700.0, True)
                  + chirp(t, 0.18, 0.14, 600.0, 1900.0, False))


def render(sound, seconds):
    samples = bytearray()
    for i in range(int(seconds * RATE)):
        value = max(-1.0, min(1.0, sound(i / RATE)))
        samples.append(128 + int(round(value * 127)))
    return bytes(samples)


def write_wave(path, data):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(RATE)
        out.writeframes(data)


def main():
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).parent
    write_wave(folder / "headshot.wav", render(headshot, 0.38))
    write_wave(folder / "monkey.wav", render(monkey, 0.34))


if __name__ == "__main__":
    main()
