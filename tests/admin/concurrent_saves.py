#!/usr/bin/env python3
"""Several real `edit` and `new` commands saving into one article file at
once, and a customer's `result` reading it meanwhile.

Every writer owns its records and changes a different field in every round,
so each save that said "saved" (exit 0) must be found in the final file,
and each that failed must not be. Two writers on the same record may each
be refused (the record changed since they read it), never lose an edit.

    concurrent_saves.py PROGRAM SAMPLE_DIR WORK_DIR
"""

import os
import random
import shutil
import subprocess
import sys
import threading
import time

PROGRAM, SAMPLE, WORK = (os.path.abspath(a) for a in sys.argv[1:4])
FIELDS = [1, 2, 3, 6, 7, 8, 9, 10, 11, 12]
DEADLINE = time.monotonic() + 240  # rounds stop here, whatever is left
CODE = "KBBDFDFDFDFD-V18"


def install(name):
    root = os.path.join(WORK, name)
    shutil.rmtree(root, ignore_errors=True)
    shutil.copytree(SAMPLE, root)
    return root


def run(root, *args):
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(root, "config"))
    done = subprocess.run([PROGRAM, *args], cwd=root, env=env, capture_output=True, timeout=60)
    return done.returncode, done.stderr.decode("utf-8", "replace")


def records(root):
    """Key -> field lines of every record, as the editor counts them."""
    with open(os.path.join(root, "Tessaro", "Vantordata.dat"), "rb") as f:
        lines = f.read().decode("cp1252").split("\r\n")
    found, key, fields = {}, None, None
    for line in lines:
        if line.startswith("\u00a4") and not line.startswith("\u00a4\u00a4"):
            key, fields = line.split(" ")[0], []
            found[key] = fields
        elif key is None or line == "" or line[0] in " *":
            continue
        elif line == "EOL":
            key = None
        else:
            fields.append(line)  # the title line first
    return {k: v[1:] for k, v in found.items()}


def connection_keys(root, count):
    keys = [k for k in records(root) if k.endswith("_TK")]
    assert len(keys) >= count, len(keys)
    return keys[:count]


class Log:
    def __init__(self):
        self.lock = threading.Lock()
        self.saved = []    # (key, field, value)
        self.failed = []   # (key, field, value, status, stderr)

    def add(self, status, err, entry):
        with self.lock:
            if status == 0:
                self.saved.append(entry)
            else:
                self.failed.append(entry + (status, err))


def writer(root, log, name, keys, rounds, make_new):
    for r in range(rounds):
        if time.monotonic() > DEADLINE:
            return
        if make_new and r % 3 == 2:
            key = "\u00a4%04d_NY%s_R%d_TK" % (9000 + r, name, r)
            value = "%s-new-%d" % (name, r)
            status, err = run(root, "new", key[1:], "9=" + value)
            log.add(status, err, (key, 9, value))
            continue
        key = keys[r % len(keys)]
        field = FIELDS[(r // len(keys)) % len(FIELDS)]
        value = "%s-%d" % (name, r)
        status, err = run(root, "edit", key[1:], "%d=%s" % (field, value))
        log.add(status, err, (key, field, value))


def check(final, log):
    """Each field holds the last value saved into it, and no value whose save
    failed."""
    errors, last = [], {}
    for key, field, value in log.saved:
        last[(key, field)] = value
    for (key, field), value in last.items():
        if final.get(key, [None] * 12)[field - 1] != value:
            errors.append("saved but lost: %s field %d = %s" % (key, field, value))
    for key, field, value, status, err in log.failed:
        if key in final and final[key][field - 1] == value:
            errors.append("said failed (%d) but saved: %s field %d = %s" % (status, key, field, value))
    return errors


def reader(root, stop, reads, problems):
    while not stop.is_set() and time.monotonic() < DEADLINE:
        status, err = run(root, "result", CODE)
        reads.append(status)
        if status != 0:
            problems.append((status, err))


def race(name, writers, rounds, make_new=False):
    root = install(name)
    keys = connection_keys(root, 2 * writers)
    log, stop, reads, problems = Log(), threading.Event(), [], []
    threads = [threading.Thread(target=writer,
                                args=(root, log, "w%d" % i, keys[2 * i:2 * i + 2], rounds,
                                      make_new))
               for i in range(writers)]
    customer = threading.Thread(target=reader, args=(root, stop, reads, problems))
    customer.start()
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    stop.set()
    customer.join()

    errors = check(records(root), log)
    for status, err in problems:
        errors.append("the customer's result failed (%d): %s" % (status, err.strip()))
    print("%s: %d saved, %d failed, %d results read meanwhile" %
          (name, len(log.saved), len(log.failed), len(reads)))
    for *_, status, err in log.failed:
        print("  failed (%d): %s" % (status, err.strip()))
    return errors


def same_record(rounds):
    """Two writers on one record, one field each: an edit read before the
    other's save is refused; none is lost."""
    root = install("same-record")
    key = connection_keys(root, 1)[0]
    log = Log()

    def edits(field, name):
        for r in range(rounds):
            if time.monotonic() > DEADLINE:
                return
            value = "%s-%d" % (name, r)
            status, err = run(root, "edit", key[1:], "%d=%s" % (field, value))
            log.add(status, err, (key, field, value))

    threads = [threading.Thread(target=edits, args=(1, "a")),
               threading.Thread(target=edits, args=(9, "b"))]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    errors = check(records(root), log)
    for *_, status, err in log.failed:
        if status != 1 or "was saved by someone else" not in err:
            errors.append("a refusal other than a changed record (%d): %s" % (status, err.strip()))
    print("same record: %d saved, %d refused as changed meanwhile" % (len(log.saved), len(log.failed)))
    return errors


def killed_saves(times):
    """Saves killed at random moments: the article file stays whole, the lock
    dies with the process, and the next save cleans up what was left."""
    root = install("killed")
    data = os.path.join(root, "Tessaro")
    key = connection_keys(root, 1)[0]
    keys = len(records(root))
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(root, "config"))
    errors = []
    for n in range(times):
        if time.monotonic() > DEADLINE:
            break
        save = subprocess.Popen([PROGRAM, "edit", key[1:], "9=killed-%d" % n], cwd=root, env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(random.uniform(0, 0.4))
        save.kill()
        save.wait()
        if len(records(root)) != keys:
            errors.append("after a kill the article file holds %d records" % len(records(root)))
        status, err = run(root, "edit", key[1:], "1=after-%d" % n)
        if status != 0 or records(root)[key][0] != "after-%d" % n:
            errors.append("the save after a kill failed (%d): %s" % (status, err.strip()))
    left = [f for f in os.listdir(data) if f.lower().startswith(("vantordata.new", "vantordata.bak."))]
    if left:
        errors.append("work files left: %s" % left)
    print("killed saves: %d" % times)
    return errors


def main():
    os.makedirs(WORK, exist_ok=True)
    errors = race("two-writers", 2, 30)
    errors += race("four-writers", 4, 15)
    errors += race("edit-and-new", 2, 30, make_new=True)
    errors += same_record(25)
    errors += killed_saves(20)
    for e in errors:
        print("FAULT:", e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
