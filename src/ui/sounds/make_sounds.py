#!/usr/bin/env python3
"""Writes Pendrel's two sounds as 16-bit mono PCM WAV files.

    python3 src/ui/sounds/make_sounds.py [OUTPUT_FOLDER]   (default: src/ui)

woohoo.wav  (Reset): a rising two-note chime, bright and short.
AAAGH2.wav  (a new day): a soft tone gliding down a fifth.

The output is deterministic, so running it again gives the same bytes.
"""

import math
import os
import struct
import sys
import wave

RATE = 22050


def envelope(t, length, attack, decay):
    """A short fade-in, an exponential decay and a fade-out that ends at exactly zero."""
    rise = min(1.0, t / attack) if attack > 0 else 1.0
    fall = math.exp(-t / decay)
    tail = min(1.0, (length - t) / 0.02)
    return rise * fall * max(0.0, tail)


def bell(freq, length, decay):
    """A soft bell: the fundamental with a few quieter, faster-dying overtones."""
    partials = ((1.0, 1.0, 1.0), (2.0, 0.35, 0.6), (3.0, 0.12, 0.4), (4.2, 0.05, 0.3))
    samples = []
    for i in range(int(length * RATE)):
        t = i / RATE
        value = 0.0
        for ratio, gain, speed in partials:
            value += gain * envelope(t, length, 0.004, decay * speed) * math.sin(
                2 * math.pi * freq * ratio * t)
        samples.append(value)
    return samples


def chime():
    """Two notes a fifth apart (E5 then B5); the second starts while the first still rings."""
    first = bell(659.26, 0.45, 0.16)
    second = bell(987.77, 0.40, 0.18)
    offset = int(0.14 * RATE)
    out = first + [0.0] * max(0, offset + len(second) - len(first))
    for i, value in enumerate(second):
        out[offset + i] += value
    return out


def falling_tone():
    """A mellow tone gliding from A5 down to D5, with a little vibrato."""
    length = 0.5
    start, end = 880.0, 587.33
    samples = []
    phase = 0.0
    for i in range(int(length * RATE)):
        t = i / RATE
        progress = t / length
        freq = start * (end / start) ** progress  # an even glide in pitch
        freq *= 1.0 + 0.006 * math.sin(2 * math.pi * 6.0 * t)
        phase += 2 * math.pi * freq / RATE
        value = math.sin(phase) + 0.2 * math.sin(2 * phase)
        samples.append(value * envelope(t, length, 0.03, 0.35))
    return samples


def write(path, samples, peak=0.5):
    """Scales to `peak` of full scale, so the sounds are pleasant rather than loud."""
    loudest = max(abs(s) for s in samples) or 1.0
    frames = b"".join(
        struct.pack("<h", int(round(s / loudest * peak * 32767))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), os.pardir)
    write(os.path.join(folder, "woohoo.wav"), chime())
    write(os.path.join(folder, "AAAGH2.wav"), falling_tone(), peak=0.45)


if __name__ == "__main__":
    main()
