#!/usr/bin/env python3
"""Writes the tester's two sounds, synthesized from scratch.

    make_sounds.py THUNDER_WAV ERROR_WAV

thunder.wav: a thunder clap (sharp crack, rolling rumble, distant echoes).
error.wav:   two short descending tones.

Both are PCM, 16-bit, mono, 22050 Hz. The noise comes from a generator with a
fixed seed, so every run writes the same bytes.
"""

import math
import random
import struct
import sys

RATE = 22050
SEED = 0x51A7


def one_pole_lowpass(samples, cutoff_hz):
    """First-order low-pass; cheap and smooth enough for noise shaping."""
    a = 1.0 - math.exp(-2.0 * math.pi * cutoff_hz / RATE)
    out = []
    y = 0.0
    for x in samples:
        y += a * (x - y)
        out.append(y)
    return out


def one_pole_highpass(samples, cutoff_hz):
    low = one_pole_lowpass(samples, cutoff_hz)
    return [x - l for x, l in zip(samples, low)]


def normalize(samples, peak):
    top = max(abs(s) for s in samples)
    return [s * peak / top for s in samples] if top > 0 else samples


def thunder():
    rng = random.Random(SEED)
    length = int(2.6 * RATE)
    noise = [rng.uniform(-1.0, 1.0) for _ in range(length)]

    # The crack: bright noise that dies within a tenth of a second. A 3 ms
    # ramp keeps the very first sample from clicking.
    bright = one_pole_highpass(noise, 1200.0)
    crack = []
    for i, x in enumerate(bright):
        t = i / RATE
        crack.append(x * min(1.0, t / 0.003) * math.exp(-t / 0.035))

    # The rumble: deep noise (two low-passes in cascade) swelling in over
    # 60 ms, then decaying slowly while it rolls: a few slow sinusoids with
    # seeded phases modulate its loudness between about 0.55 and 1.
    deep = one_pole_lowpass(one_pole_lowpass(noise, 180.0), 420.0)
    rolls = [(rng.uniform(1.5, 6.5), rng.uniform(0.0, 2.0 * math.pi)) for _ in range(4)]
    rumble = []
    for i, x in enumerate(deep):
        t = i / RATE
        swell = min(1.0, t / 0.06)
        roll = sum(math.sin(2.0 * math.pi * f * t + p) for f, p in rolls) / len(rolls)
        rumble.append(x * swell * math.exp(-t / 0.75) * (0.775 + 0.225 * roll))
    rumble = normalize(rumble, 1.0)

    clap = [0.8 * c + r for c, r in zip(crack, rumble)]

    # Echoes off distant ground and cloud: later, quieter and duller.
    mixed = list(clap)
    for delay_s, gain, cutoff in ((0.33, 0.45, 900.0), (0.78, 0.30, 600.0), (1.25, 0.18, 400.0)):
        delay = int(delay_s * RATE)
        echo = one_pole_lowpass(clap, cutoff)
        for i in range(delay, length):
            mixed[i] += gain * echo[i - delay]

    # Remove any DC drift, then fade the last 0.4 s to exact silence so the
    # sound ends without a click.
    mixed = one_pole_highpass(mixed, 25.0)
    fade = int(0.4 * RATE)
    for k in range(fade):
        i = length - fade + k
        mixed[i] *= 0.5 + 0.5 * math.cos(math.pi * (k + 1) / fade)
    return normalize(mixed, 0.85)


def error_tones():
    """Two soft square-ish tones (odd harmonics), the second lower."""
    tones = ((784.0, 0.17), (523.25, 0.26))  # G5 then C5
    gap = int(0.04 * RATE)
    out = []
    for n, (freq, seconds) in enumerate(tones):
        count = int(seconds * RATE)
        for i in range(count):
            t = i / RATE
            attack = min(1.0, t / 0.005)
            release = min(1.0, (count - 1 - i) / (0.015 * RATE))
            wave = sum(math.sin(2.0 * math.pi * freq * h * t) / h for h in (1, 3, 5))
            out.append(wave * attack * release * math.exp(-t / 0.6))
        if n + 1 < len(tones):
            out.extend([0.0] * gap)
    out.extend([0.0] * int(0.05 * RATE))
    return normalize(out, 0.7)


def write_wav(path, samples):
    pcm = b"".join(struct.pack("<h", max(-32768, min(32767, round(s * 32767)))) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(pcm)) + pcm
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: make_sounds.py THUNDER_WAV ERROR_WAV\n")
        return 2
    write_wav(argv[1], thunder())
    write_wav(argv[2], error_tones())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
