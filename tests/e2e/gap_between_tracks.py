"""Reads a raw recording (s16le, stereo, 44100 Hz) in which a track of known
length was heard first, and prints how long the silence after it lasted
before the next sound, in seconds: "<first start> <gap>"."""
import array
import sys

RATE = 44100
WINDOW = RATE // 50  # 20 ms

path, first_length = sys.argv[1], float(sys.argv[2])
samples = array.array("h")
with open(path, "rb") as raw:
    samples.frombytes(raw.read())
loud = []
for start in range(0, len(samples) - 2 * WINDOW, 2 * WINDOW):
    chunk = samples[start:start + 2 * WINDOW]
    loud.append(max(abs(min(chunk)), max(chunk)) > 1000)


def at(index):
    return index * WINDOW / RATE


first = next((i for i, is_loud in enumerate(loud) if is_loud), None)
if first is None:
    sys.exit("nothing was heard")
# The first track's own end: the first quiet moment near its known length.
near_end = first + int((first_length - 0.2) / (WINDOW / RATE))
end = next((i for i in range(near_end, len(loud)) if not loud[i]), None)
if end is None:
    sys.exit("the first track never ended")
if at(end - first) > first_length + 0.3:
    # No silence where the track ends: the next one followed within 20 ms.
    print(f"{at(first):.3f} 0.000")
    sys.exit(0)
following = next((i for i in range(end, len(loud)) if loud[i]), None)
if following is None:
    sys.exit("nothing followed the first track")
print(f"{at(first):.3f} {at(following) - at(end):.3f}")
