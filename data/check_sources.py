#!/usr/bin/env python3
"""Check the text sources in data/sources/ against the rules the code books need.

Run by hand after generate.py:  python3 data/check_sources.py
Exits with status 1 and lists the problems when a rule is broken.  The word
codes are recomputed here from base/codes.txt independently of generate.py.
"""

import collections
import itertools
import os
import sys

SRC = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'sources')
FOLDERS = ('KUZ2011_chs', 'KUZ2011_cht', 'KUZ2002_chs', 'KUZ2002_cht')
TAKE = {1: (4,), 2: (3, 3), 3: (2, 2, 2), 4: (2, 1, 1, 2), 5: (2, 1, 1, 1, 1)}
CACHE = 393216

problems = []


def bad(where, msg):
    if len(problems) < 50:
        problems.append('%s: %s' % (where, msg))
    else:
        problems.append(None)


def rows(path, nfields):
    with open(path, 'rb') as f:
        data = f.read()
    if b'\r' in data:
        bad(path, 'CR in file')
    out = []
    for i, line in enumerate(data.decode('utf-8').split('\n'), 1):
        if not line or line.startswith('#'):
            continue
        r = line.split('\t')
        if len(r) != nfields:
            bad(path, 'line %d has %d fields' % (i, len(r)))
            continue
        out.append(r)
    return out


def units(text):
    return len(text.encode('utf-16-le')) // 2


def bucket(code):
    d = [int(x) for x in code]
    return 121 * d[0] + (11 * (d[1] + 1) if len(d) > 1 else 0) + (d[2] + 1 if len(d) > 2 else 0)


def codes_of_word(word, table):
    head = word[:5]
    distinct = list(dict.fromkeys(head))
    out = set()
    for pick in itertools.product(*(table[c] for c in distinct)):
        chosen = dict(zip(distinct, pick))
        out.add(''.join(chosen[c][:k] for c, k in zip(head, TAKE[len(head)])))
    return out


def check_word_file(path, table, allowed, nfields, max_bucket):
    seen_codes = collections.defaultdict(set)
    last = None
    records = collections.Counter()
    buckets = collections.Counter()
    for r in rows(path, nfields):
        code, word, key = r[0], r[1], int(r[2])
        if not (code.isdigit() and 1 <= len(code) <= 6):
            bad(path, 'bad code %r' % code)
            continue
        if not (2 <= units(word) <= 49) or word[0] == '\uffff':
            bad(path, 'bad word %r' % word)
        if any(c not in allowed for c in word):
            bad(path, '%s uses a character outside the set' % word)
            continue
        if not (1 <= key <= 0xFFFE):
            bad(path, 'key %d of %s out of range' % (key, word))
        if last and (code, -key) < last:
            bad(path, '%s %s out of order' % (code, word))
        last = (code, -key)
        seen_codes[word].add(code)
        size = 2 * units(word) + 6
        records[code] += size
        buckets[bucket(code)] += size
    for word, codes in seen_codes.items():
        if codes != codes_of_word(word, table):
            bad(path, '%s has codes %s, rule gives %s' % (word, sorted(codes),
                                                          sorted(codes_of_word(word, table))))
    for code, size in records.items():
        if size + 5 >= 1024:
            bad(path, 'record %s is %d bytes' % (code, size + 5))
    for code in records:
        buckets[bucket(code)] += 5
    if buckets and max(buckets.values()) > max_bucket:
        bad(path, 'a bucket exceeds %d bytes' % max_bucket)
    return len(seen_codes), len(records)


def main():
    table = {}
    for r in rows(os.path.join(SRC, 'base', 'codes.txt'), 7):
        cp, c, codes = int(r[0][2:], 16), r[1], r[2].split(',')
        if chr(cp) != c or cp > 0xFFFE:
            bad('codes.txt', 'code point %s does not match %r' % (r[0], c))
        if not (1 <= len(codes) <= 16) or any(not (x.isdigit() and 1 <= len(x) <= 4) for x in codes):
            bad('codes.txt', 'bad codes for %s' % c)
        if not (1 <= int(r[6]) <= 19):
            bad('codes.txt', 'number of %s out of range' % c)
        if c in table:
            bad('codes.txt', '%s listed twice' % c)
        table[c] = codes

    for folder in FOLDERS:
        base = os.path.join(SRC, folder)
        pua = {}
        for r in rows(os.path.join(base, 'hkcs.txt'), 4):
            key, target = int(r[0][2:], 16), int(r[1][2:], 16)
            if not (0xE000 <= key <= 0xF8FF) or target <= 0xFFFF or chr(target) != r[2] or key in pua:
                bad(folder + '/hkcs.txt', 'bad record %s' % r[0])
            pua[key] = target
        chars = collections.defaultdict(set)
        keys = {}
        last = None
        book = collections.Counter()
        for r in rows(os.path.join(base, 'chars.txt'), 6):
            code, c, key, flags = r[0], r[1], int(r[2]), int(r[4])
            if len(c) != 1 or ord(c) > 0xFFFE or not (code.isdigit() and 1 <= len(code) <= 4):
                bad(folder, 'bad entry %s %r' % (code, c))
                continue
            if not (1 <= key <= 0xFFFE) or keys.setdefault(c, key) != key:
                bad(folder, 'bad key for %s' % c)
            if last and (code, key) <= last:
                bad(folder, '%s %s out of order' % (code, c))
            last = (code, key)
            if flags & 4 and ord(c) not in pua:
                bad(folder, 'private-use %s has no mapping' % r[0])
            chars[c].add(code)
            book[bucket(code)] += 8
        codes_in_book = {code for cs in chars.values() for code in cs}
        for code in codes_in_book:
            book[bucket(code)] += 5
        for c, cs in chars.items():
            if c not in table or cs != set(table[c]):
                bad(folder, '%s codes %s differ from codes.txt' % (c, sorted(cs)))
        if sum(book.values()) > CACHE or max(book.values()) > 0xFFFF:
            bad(folder, 'character book too large')
        nwords, ncodes = check_word_file(os.path.join(base, 'words.txt'), table, chars, 4, 0xFFFFFFFF)
        syms = rows(os.path.join(base, 'symbols.txt'), 2)
        if not (1 <= len(syms) <= 1999):
            bad(folder, '%d symbols' % len(syms))
        for cp, s in syms:
            if len(s) != 1 or chr(int(cp[2:], 16)) != s or ord(s) > 0xFFFF:
                bad(folder, 'bad symbol line %s' % cp)
        print('%s: %d characters under %d codes, %d words under %d codes, %d symbols, %d mappings'
              % (folder, len(chars), len(codes_in_book), nwords, ncodes, len(syms), len(pua)))

    nprof, nprofcodes = check_word_file(os.path.join(SRC, 'base', 'profession.txt'), table, table, 5, 0xFFFF)
    print('base: %d coded characters, %d professional words under %d codes' % (len(table), nprof, nprofcodes))

    if problems:
        for p in problems:
            if p:
                print('PROBLEM', p)
        print('%d problems' % len(problems))
        return 1
    return 0


if __name__ == '__main__':
    assert codes_of_word('ab', {'a': ['5271'], 'b': ['1843']}) == {'527184'}
    assert codes_of_word('abcd', {'a': ['5271'], 'b': ['1843'], 'c': ['6600'], 'd': ['9000']}) == {'521690'}
    sys.exit(main())
