"""Records the null sink's monitor in 5 ms chunks, stamping each chunk with
the moment it arrived, runs one command after a second of recording, and
prints how long after the command the sound changed as asked: "<name> <ms>".

  python3 heard_within.py NAME SINK CHANGE COMMAND...

CHANGE is "silent" (the sound stops), "loud" (sound starts) or "quieter"
(the level falls below half of what it was), heard on both channels; with
"left-" or "right-" before it ("right-silent"), on that channel alone. The
recorder asks the server for 5 ms of latency, so a figure is late by at most
that much."""
import array
import subprocess
import sys
import time

name, sink, change, command = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
channel, _, change = change.rpartition("-")
RATE, CHUNK = 44100, 441 // 2  # 5 ms of stereo s16le
recorder = subprocess.Popen(
    ["parec", "-d", sink + ".monitor", "--raw", "--format=s16le", "--rate=44100", "--channels=2",
     "--latency-msec=5"], stdout=subprocess.PIPE)


def next_level():
    """The peak of the next chunk on the channel listened to (left and right
    samples alternate)."""
    samples = array.array("h", recorder.stdout.read(CHUNK * 4))
    listened = {"left": samples[0::2], "right": samples[1::2]}.get(channel, samples)
    return time.monotonic(), max((abs(s) for s in listened), default=0)


before = []
start = time.monotonic()
while time.monotonic() - start < 1.0:
    before.append(next_level()[1])
level = sorted(before)[len(before) // 2]
asked = time.monotonic()
subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
# A null sink is exactly silent; the bench's tone at the default "Medium"
# volume peaks near 700.
done = {"silent": lambda l: l < 30, "loud": lambda l: l > 200, "quieter": lambda l: l < level / 2}[change]
heard = None
while time.monotonic() - asked < 2.0:
    arrived, current = next_level()
    if done(current):
        heard = arrived
        break
recorder.kill()
if heard is None:
    print(f"{name} never (level before {level})")
    sys.exit(1)
print(f"{name} {1000 * (heard - asked):.0f}")
