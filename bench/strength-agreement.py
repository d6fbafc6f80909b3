#!/usr/bin/env python3
"""How often the program's strength score agrees with the reference port of zxcvbn
(python3-zxcvbn) on English passwords.

    bench/strength-agreement.py BUILD_DIR [COUNT]

Makes COUNT English passwords (zxcvbn's common passwords, English words capitalised and with
years or digits, two words together, random strings), scores them with the program (a
profile made with `brindlevault-cli create`, each password held by two accounts so that
`analyze --json` reports every one) and with python3-zxcvbn, and prints how many scores are
equal, how many differ by one, and how often both call a password weak (score 2 or less)
or both not. Everything happens in a scratch folder that is removed afterwards.
"""
import json
import random
import subprocess
import sys
import tempfile
from collections import Counter
from pathlib import Path

import zxcvbn
from zxcvbn.frequency_lists import FREQUENCY_LISTS

WEAKEST = 2


def english_passwords(count, rng):
    words = [w.strip() for w in open("/usr/share/dict/american-english", encoding="utf-8")
             if w.strip().isascii() and w.strip().isalpha() and "'" not in w]
    common = FREQUENCY_LISTS["passwords"]
    alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!#$%&*+-.?@"
    made = set()
    while len(made) < count:
        kind = rng.randrange(4)
        if kind == 0:
            p = common[min(int(rng.paretovariate(0.6)) * 10, len(common) - 1)]
        elif kind == 1:
            w = rng.choice(words)
            p = rng.choice([w.lower(), w.capitalize(), w.upper()]) + rng.choice(
                ["", str(rng.randrange(1950, 2030)), str(rng.randrange(100)), "!"])
        elif kind == 2:
            p = rng.choice(words).lower() + rng.choice(["", "-", "_"]) + rng.choice(words).lower()
        else:
            p = "".join(rng.choice(alphabet) for _ in range(rng.randrange(6, 17)))
        if 0 < len(p) <= 117:
            made.add(p)
    return sorted(made)


def program_scores(build, passwords, folder):
    cli = Path(build) / "bin" / "brindlevault-cli"
    accounts = []
    for i, p in enumerate(passwords):
        for copy in range(2):
            accounts.append({"kind": "account", "name": f"a{i}-{copy}", "password": p})
    tree = {"owner": "Ann", "title": "Agreement",
            "nodes": [{"kind": "category", "name": "All", "children": accounts}]}
    (folder / "tree.json").write_text(json.dumps(tree), encoding="utf-8")
    profile = folder / "agreement.bv3"
    subprocess.run([cli, "create", profile, "--from", folder / "tree.json", "--password-stdin"],
                   input="\n", text=True, check=True, capture_output=True)
    out = subprocess.run([cli, "analyze", profile, "--json"], text=True, check=True,
                         capture_output=True).stdout
    scores = {}
    for finding in json.loads(out)["findings"]:
        index = int(finding["path"][-1][1:].split("-")[0])
        scores[index] = finding["score"]
    return [scores[i] for i in range(len(passwords))]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    rng = random.Random(33)
    passwords = english_passwords(count, rng)
    with tempfile.TemporaryDirectory(prefix="bv-agreement-") as scratch:
        ours = program_scores(sys.argv[1], passwords, Path(scratch))
    theirs = [zxcvbn.zxcvbn(p)["score"] for p in passwords]
    n = len(passwords)
    difference = Counter(o - t for o, t in zip(ours, theirs))
    same_verdict = sum((o <= WEAKEST) == (t <= WEAKEST) for o, t in zip(ours, theirs))
    print(f"{n} English passwords")
    print(f"equal scores:          {difference[0] / n:6.1%}")
    print(f"within one:            {(difference[-1] + difference[0] + difference[1]) / n:6.1%}")
    print(f"same weak verdict:     {same_verdict / n:6.1%}")
    print("program minus reference:", dict(sorted(difference.items())))
    lower = [(p, o, t) for p, o, t in zip(passwords, ours, theirs) if o < t - 1]
    higher = [(p, o, t) for p, o, t in zip(passwords, ours, theirs) if o > t + 1]
    print("examples lower by 2+:", lower[:8])
    print("examples higher by 2+:", higher[:8])


if __name__ == "__main__":
    main()
