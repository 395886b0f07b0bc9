"""Reads a raw recording (s16le, stereo, 44100 Hz) of a track that was
played, paused and resumed, and prints how long it was heard before the first
silence and how long that silence lasted, in seconds: "<heard> <silence>".
Fails when the sound never started or never came back."""
import array
import sys

RATE = 44100
WINDOW = RATE // 50  # 20 ms

samples = array.array("h")
with open(sys.argv[1], "rb") as raw:
    samples.frombytes(raw.read())
loud = []
for start in range(0, len(samples) - 2 * WINDOW, 2 * WINDOW):
    chunk = samples[start:start + 2 * WINDOW]
    loud.append(max(abs(min(chunk)), max(chunk)) > 1000)

first = next((i for i, is_loud in enumerate(loud) if is_loud), None)
if first is None:
    sys.exit("nothing was heard")
quiet = next((i for i in range(first, len(loud)) if not loud[i]), None)
if quiet is None:
    sys.exit("the sound never paused")
back = next((i for i in range(quiet, len(loud)) if loud[i]), None)
if back is None:
    sys.exit("the sound never came back")
print("%.2f %.2f" % ((quiet - first) * WINDOW / RATE, (back - quiet) * WINDOW / RATE))
