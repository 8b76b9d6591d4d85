#!/usr/bin/env python3
"""Counts what an import of `perf script` text must show, read straight from the text.

Written apart from the importer, so the import tests compare it with something it did not
compute itself. Usage: expected_counts.py RECORDING.txt > RECORDING.counts

Rules (what the viewer shows, stated in the terms of the text):
- a thread is a thread id that appears anywhere (perf prints -1 for a thread that had ended: a
  switch then names it by prev_pid, other events of it are skipped) (an event's own thread, prev_pid and next_pid
  of a switch, pid of a wake-up); the idle threads (id 0) are one per CPU;
- samples: events of the first CPU-sample event name (cpu-clock, task-clock, cycles, cpu-cycles,
  with modifiers) per thread;
- markers: every event of a thread that is not a scheduler switch or wake-up;
- waits: each switch away from a thread, and each wake-up of a thread not seen before;
- woken: waits that ended with a wake-up from another thread that was followed by the thread
  running again (switched to, or an event of its own).

Output lines: "threads N", "switches N", "wakeups N", then one line per thread:
"thread KEY samples S markers M waits W woken K", KEY being the thread id, or 0/CPU for idle.
"""
import re
import sys
from collections import defaultdict

HEADER = re.compile(r'^\s*(.*?)\s+(?:(-?\d+)/)?(-?\d+)\s+(?:\[(\d+)\]\s+)?(\d+\.\d+):\s+(?:(\d+)\s+)?(\S+):(?:\s+(.*))?$')
SAMPLE = re.compile(r'^(?:[\w-]+/)?(cpu-clock|task-clock|cycles|cpu-cycles)(?:[:/].*)?$')


def field(payload, key):
    match = re.search(r'(?:^|\s)' + key + r'=(\S+)', payload)
    return match.group(1) if match else None


def main(path):
    threads = set()
    samples = defaultdict(int)
    markers = defaultdict(int)
    waits = defaultdict(int)
    woken = defaultdict(int)
    state = {}      # key -> 'running' | 'waiting'
    pending = {}    # key -> waker key, for waiting threads woken and not yet running
    time_event = None
    switches = wakeups = 0

    def key_of(tid, cpu):
        return tid if tid != '0' else '0/' + (str(int(cpu)) if cpu is not None else '?')

    def runs(key):
        if state.get(key) == 'waiting':
            waker = pending.pop(key, None)
            if waker is not None and waker != key:
                woken[key] += 1
        state[key] = 'running'
        pending.pop(key, None)

    with open(path, encoding='utf-8', errors='replace') as text:
        for line in text:
            if line.startswith('\t') or line.startswith('#') or not line.strip():
                continue
            match = HEADER.match(line.rstrip('\n'))
            if not match:
                continue
            _, _, tid, cpu, _, _, name, payload = match.groups()
            payload = payload or ''
            if tid == '-1':
                # perf no longer knew the thread: only a switch still names it (prev_pid).
                if name != 'sched:sched_switch':
                    continue
                tid = field(payload, 'prev_pid')
            own = key_of(tid, cpu)
            threads.add(own)
            if name == 'sched:sched_switch':
                switches += 1
                prev = key_of(field(payload, 'prev_pid'), cpu)
                nxt = key_of(field(payload, 'next_pid'), cpu)
                threads.update((prev, nxt))
                if state.get(prev) == 'waiting':
                    runs(prev)
                waits[prev] += 1
                state[prev] = 'waiting'
                pending.pop(prev, None)
                runs(nxt) if state.get(nxt) == 'waiting' else state.__setitem__(nxt, 'running')
            elif name in ('sched:sched_wakeup', 'sched:sched_waking', 'sched:sched_wakeup_new'):
                wakeups += 1
                runs(own)
                target = key_of(field(payload, 'pid'), None)
                threads.add(target)
                if target not in state:
                    state[target] = 'waiting'
                    waits[target] += 1
                if state[target] == 'waiting' and target not in pending:
                    pending[target] = own
            else:
                markers[own] += 1
                if SAMPLE.match(name):
                    time_event = time_event or name
                    if name == time_event:
                        samples[own] += 1
                runs(own)

    print('threads', len(threads))
    print('switches', switches)
    print('wakeups', wakeups)
    for key in sorted(threads, key=lambda k: (len(k), k)):
        print('thread', key, 'samples', samples[key], 'markers', markers[key], 'waits', waits[key],
              'woken', woken[key])


if __name__ == '__main__':
    main(sys.argv[1])
