#!/usr/bin/env python3
"""Keeps from a system-wide `perf script` text (recorded with -a, printed with
--show-task-events) what concerns one program: the events of its processes and threads, the
switches to and from them, and the wake-ups of them (whoever woke them). The program is the
process ROOT_PID and every process it forked. The task-event lines themselves are dropped, and
so are the call stacks of other programs' events (a switch from them to the program), which
tell nothing about the program and would carry other programs' paths into the test data.

Usage: filter_recording.py ROOT_PID < system.txt > program.txt
"""
import re
import sys

HEADER = re.compile(r'^\s*(.*?)\s+(\d+)/(\d+)\s+')
FORK = re.compile(r'PERF_RECORD_FORK\((\d+):(\d+)\):\((\d+):(\d+)\)')


def field(line, key):
    match = re.search(r'(?:^|\s)' + key + r'=(\d+)', line)
    return match.group(1) if match else None


def main(root):
    lines = sys.stdin.read().split('\n')
    pids = {root}
    tids = set()
    for line in lines:
        fork = FORK.search(line)
        if fork and fork.group(3) in pids:
            pids.add(fork.group(1))
    for line in lines:
        header = HEADER.match(line)
        if header and header.group(2) in pids:
            tids.add(header.group(3))
    keep = False
    own = False
    out = []
    for line in lines:
        if line.startswith('\t'):
            if keep and own:
                out.append(line)
            continue
        if not line.strip():
            if keep:
                out.append(line)
            keep = False
            continue
        header = HEADER.match(line)
        keep = False
        own = bool(header) and header.group(2) in pids
        if header and 'PERF_RECORD_' not in line:
            if own:
                keep = True
            elif 'sched:sched_switch:' in line:
                keep = field(line, 'next_pid') in tids or field(line, 'prev_pid') in tids
            elif 'sched:sched_wak' in line:
                keep = field(line, 'pid') in tids
        if keep:
            out.append(line)
    sys.stdout.write('\n'.join(out).rstrip('\n') + '\n')


if __name__ == '__main__':
    main(sys.argv[1])
