#!/usr/bin/env python3
"""Independent reading of the trace corpus: counts what each file holds, straight from its JSON
(no code of the viewer), and writes them to expected_counts.json beside the files. The import
tests compare the imported results with these numbers.

Per file: threads (distinct pid/tid pairs with thread events), processes (distinct pids of any
event), slices per nesting depth per thread (complete "X" with a duration, matched "B"/"E"),
thread instants, counter series (process, name, id, argument), async tracks (process, category,
name of the outermost async slice) and async slices, flows (links between flow events and
between bound slices). Files that are not whole JSON say how they read: one that breaks off
is counted up to its last whole event, one with text after its document is counted whole,
and one with a fault before any whole event records where (line:column) JSON reading fails.
Run: python3 read_counts.py"""
import collections
import gzip
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def complete_events(text):
    """The events of a document that breaks off: every whole event object of its events array
    before the place where it stops being JSON."""
    decoder = json.JSONDecoder()
    key = text.find('"traceEvents"')
    at = text.find('[', key if key >= 0 else 0)
    events = []
    while at >= 0:
        at += 1
        while at < len(text) and text[at] in ' \t\r\n':
            at += 1
        try:
            event, at = decoder.raw_decode(text, at)
        except json.JSONDecodeError:
            break
        events.append(event)
        while at < len(text) and text[at] in ' \t\r\n':
            at += 1
        if at >= len(text) or text[at] != ',':
            break
    return events


def load(path):
    """The file's events and how it reads: "whole", "breaks off" (the events before the fault
    are kept), "trailing text" after a whole document, or "error" with the place (line:column)
    of a fault before any whole event."""
    raw = open(path, 'rb').read()
    if raw[:2] == b'\x1f\x8b':
        raw = gzip.decompress(raw)
    text = raw.decode('utf-8-sig', errors='replace')
    try:
        data, outcome = json.loads(text), {'outcome': 'whole'}
    except json.JSONDecodeError as fault:
        try:
            data, end = json.JSONDecoder().raw_decode(text.lstrip())
            outcome = {'outcome': 'trailing text'}
        except json.JSONDecodeError:
            data = complete_events(text)
            outcome = {'outcome': 'breaks off', 'complete_events': len(data)} if data else \
                {'outcome': 'error', 'error_at': '%d:%d' % (fault.lineno, fault.colno)}
    return (data if isinstance(data, list) else data.get('traceEvents', [])), outcome


def ident(value):
    """pid/tid as the file means it: numbers (also in quotes) by value, other text as a name."""
    if isinstance(value, str):
        try:
            number = float(value)
            if number == int(number):
                return ('n', int(number))
        except ValueError:
            pass
        return ('s', value)
    return ('n', int(value or 0))


def number(value):
    try:
        return float(value)
    except (TypeError, ValueError):
        return None


def depths(intervals):
    """Nesting depth of each (start, end) interval of one thread, enclosing ones first."""
    counts = collections.Counter()
    stack = []
    for start, end in sorted(intervals, key=lambda i: (i[0], -i[1])):
        while stack and stack[-1] <= start:
            stack.pop()
        counts[len(stack)] += 1
        stack.append(end)
    return counts


def read(path):
    events, outcome = load(path)
    if outcome['outcome'] == 'error':
        return outcome
    processes, threads = set(), set()
    slices = collections.defaultdict(list)
    open_b = collections.defaultdict(list)
    instants = 0
    series = set()
    async_open = collections.defaultdict(list)
    async_tracks, async_slices = set(), 0
    flow_points, flows = {}, 0
    bound = collections.defaultdict(lambda: [0, 0])
    for e in events:
        ph = e.get('ph')
        if ph == 'M' and e.get('name') in ('thread_name', 'thread_sort_index'):
            threads.add((ident(e.get('pid')), ident(e.get('tid'))))  # a named thread is a row too
        if not isinstance(ph, str) or len(ph) != 1 or ph == 'M':
            continue
        ts = number(e.get('ts'))
        if ts is None:
            continue
        ts = round(ts * 1000)  # nanoseconds, as whole numbers like the viewer's ticks
        pid, tid = ident(e.get('pid')), ident(e.get('tid'))
        processes.add(pid)
        thread = (pid, tid)
        if ph == 'X':
            threads.add(thread)
            dur = number(e.get('dur', e.get('tdur')))
            if dur is None:
                instants += 1
            else:
                slices[thread].append((ts, ts + round(dur * 1000)))
        elif ph == 'B':
            threads.add(thread)
            open_b[thread].append(ts)
        elif ph == 'E':
            threads.add(thread)
            if open_b[thread]:
                slices[thread].append((open_b[thread].pop(), ts))
        elif ph in 'iI' and e.get('s', 't') not in 'gp':
            threads.add(thread)
            instants += 1
        elif ph in 'R()':
            threads.add(thread)
            instants += 1
        elif ph == 'C':
            for key, value in (e.get('args') or {}).items():
                if number(value) is not None:
                    series.add((pid, e.get('name', ''), str(e.get('id', '')), key))
        elif ph in 'bSeF':
            nestable = ph in 'be'
            key = (pid, e.get('cat', ''), str(e.get('id', e.get('id2', ''))),
                   '' if nestable else e.get('name', ''))
            if ph in 'bS':
                if not async_open[key]:
                    async_tracks.add((pid, e.get('cat', ''), e.get('name', '')))
                async_open[key].append(ts)
            elif async_open[key]:
                async_open[key].pop()
                async_slices += 1
        elif ph in 'stf':
            threads.add(thread)
            key = (e.get('cat', ''), str(e.get('id', '')))
            if ph == 's':
                flow_points[key] = True
            elif key in flow_points:
                flows += 1
                if ph == 'f':
                    del flow_points[key]
        elif ph == 'P':
            threads.add(thread)
        if 'bind_id' in e and (e.get('flow_in') or e.get('flow_out')):
            pair = bound[str(e['bind_id'])]
            pair[0] += 1 if e.get('flow_out') else 0
            pair[1] += 1 if e.get('flow_in') else 0
    unclosed_async = sum(len(v) for v in async_open.values())
    flows += sum(out * into for out, into in bound.values())
    # Unended "B" end at their thread's last event: they are slices too, at the depth they opened.
    for thread, starts in open_b.items():
        last = max([end for _, end in slices[thread]] + starts)
        slices[thread].extend((start, max(start, last)) for start in starts)
    per_depth = collections.Counter()
    for intervals in slices.values():
        per_depth.update(depths(intervals))
    return {
        'processes': len(processes),
        'threads': len(threads),
        'slices': sum(per_depth.values()),
        'slices_per_depth': {str(d): n for d, n in sorted(per_depth.items())},
        'thread_instants': instants,
        'counter_series': len(series),
        'async_tracks': len(async_tracks),
        'async_slices': async_slices + unclosed_async,
        'flows': flows,
        **outcome,
    }


def main():
    names = sorted(n for n in os.listdir(HERE) if n.endswith('.json') or n.endswith('.json.gz'))
    names = [n for n in names if n != 'expected_counts.json']
    counts = {name: read(os.path.join(HERE, name)) for name in names}
    with open(os.path.join(HERE, 'expected_counts.json'), 'w') as out:
        json.dump(counts, out, indent=1, sort_keys=True)
        out.write('\n')
    print('%d files read' % len(counts))


if __name__ == '__main__':
    main()
