"""Reads a raw recording (s16le, stereo, 44100 Hz) of continuous sound and
prints the silence inside it, counted in 1 ms blocks between the first and the
last block that carries sound: "<longest run in ms> <runs over 2 ms> <seconds heard>"."""
import array
import math
import sys

BLOCK = 44  # about 1 ms at 44100 Hz

samples = array.array("h")
with open(sys.argv[1], "rb") as raw:
    samples.frombytes(raw.read())
left = samples[0::2]
loud = []
for start in range(0, len(left) - BLOCK, BLOCK):
    chunk = left[start:start + BLOCK]
    loud.append(math.sqrt(sum(s * s for s in chunk) / BLOCK) > 100)
if True not in loud:
    sys.exit("nothing was heard")
first = loud.index(True)
last = len(loud) - 1 - loud[::-1].index(True)
longest = runs = current = 0
for is_loud in loud[first:last + 1]:
    current = 0 if is_loud else current + 1
    if current == 3:
        runs += 1
    longest = max(longest, current)
print(f"{longest} {runs} {(last - first) * BLOCK / 44100:.2f}")
