#!/usr/bin/env python3
"""Writes the program's click sound: resources/sounds/click.wav.

A PCM wave file, one channel, 22050 samples per second, 16 bits a sample and
exactly 594 bytes of sample data (297 samples, about 13.5 ms): a short tick of
a 2.8 kHz tone with a fast attack and an exponential decay, so it starts and
ends at silence without a pop.  The output is deterministic; run this script
again only when the sound is meant to change, and commit its output.

Usage: scripts/make-click.py [OUTPUT]
"""

import math
import os
import struct
import sys

RATE = 22050
CHANNELS = 1
BITS = 16
DATA_BYTES = 594
SAMPLES = DATA_BYTES // (BITS // 8)

TONE_HZ = 2800.0
PEAK = 0.55 * 32767
ATTACK = 12         # samples of linear rise
DECAY_TAU = 40.0    # samples per e-fold of the decay


def samples():
    for n in range(SAMPLES):
        envelope = (n / ATTACK) if n < ATTACK else math.exp(-(n - ATTACK) / DECAY_TAU)
        # A touch of the octave below gives the tick some body.
        value = (0.8 * math.sin(2 * math.pi * TONE_HZ * n / RATE)
                 + 0.2 * math.sin(2 * math.pi * TONE_HZ / 2 * n / RATE))
        yield int(round(PEAK * envelope * value))


def wave_bytes():
    data = b"".join(struct.pack("<h", s) for s in samples())
    assert len(data) == DATA_BYTES
    block_align = CHANNELS * BITS // 8
    fmt = struct.pack("<HHIIHH", 1, CHANNELS, RATE, RATE * block_align, block_align, BITS)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "sounds", "click.wav")
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    tmp = out + ".tmp"
    with open(tmp, "wb") as f:
        f.write(wave_bytes())
        f.flush()
        os.fsync(f.fileno())
    os.replace(tmp, out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
