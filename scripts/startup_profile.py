"""Summarises the start-up sampler's lines (see startup-profile.sh)."""
import collections
import subprocess
import sys

lines, exe = sys.argv[1], sys.argv[2]
samples = [l.split()[1:] for l in open(lines, errors="replace") if l.startswith("sample ")]
addresses = sorted({a for s in samples for a in s[1:]})
names = {}
if addresses:
    out = subprocess.run(["x86_64-w64-mingw32-addr2line", "-f", "-C", "-e", exe] +
                         ["0x" + a for a in addresses], capture_output=True, text=True).stdout.split("\n")
    names = {a: out[2 * i].split("(")[0][:80] for i, a in enumerate(addresses)}
modules = collections.Counter(s[0] for s in samples)
# The innermost own function found on the stack: our caller of the system.
callers = collections.Counter(names.get(s[1], "?") if len(s) > 1 else "?" for s in samples)
total = max(len(samples), 1)
print("samples: %d (one a millisecond, until the first paint)" % len(samples))
print("-- where the main thread was (module; 'self' is the menu's own code)")
for name, count in modules.most_common(8):
    print("%5.1f %%  %s" % (100.0 * count / total, name))
print("-- the menu's innermost function on the stack")
for name, count in callers.most_common(15):
    print("%5.1f %%  %s" % (100.0 * count / total, name))
# Every own function on the stack, once per sample: where whole steps go.
inclusive = collections.Counter()
for s in samples:
    inclusive.update({names.get(a, "?") for a in s[1:]})
print("-- own functions anywhere on the stack (inclusive)")
for name, count in inclusive.most_common(45):
    print("%5.1f %%  %s" % (100.0 * count / total, name))
