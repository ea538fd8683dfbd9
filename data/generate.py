#!/usr/bin/env python3
"""Build the sample data set's text sources from public Debian data.

Run by hand:  python3 data/generate.py
Writes UTF-8 text files into data/sources/ (see data/README.md for the rules
and the exact line formats) and prints a summary.  Same inputs give
byte-identical outputs: every ordering below has a total tie-break.

Inputs (Debian 12 packages):
  unicode-data   /usr/share/unicode/Unihan_*.txt.bz2
  python3-jieba  /usr/lib/python3/dist-packages/jieba/dict.txt
  opencc, libopencc-data   the `opencc` command and its s2tw/tw2s configurations
Only the Python standard library is used besides these.
Afterwards, python3 data/check_sources.py checks the result.
"""

import bz2
import collections
import math
import os
import statistics
import subprocess
import sys

UNIHAN_DIR = '/usr/share/unicode'
JIEBA_DICT = '/usr/lib/python3/dist-packages/jieba/dict.txt'
OPENCC = 'opencc'

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, 'sources')

WORDS_PER_FOLDER = 50000
MAX_TEXT_UNITS = 49          # longest text a code book entry may hold
MAX_RECORD_BYTES = 1023      # the chunked word scan needs records below 1024 bytes
MAX_U16 = 0xFFFE             # 0xFFFF is the end mark of a record

# Attribute flags written in the `flags` column.
F_FALLBACK = 1     # code borrowed from a variant character
F_ALT_CODE = 2     # not the first code (or code combination) of this text
F_PRIVATE_USE = 4  # private-use stand-in for a character beyond the BMP

# Professional lexicon: nouns of medicine and chemistry, recognised by the
# character they end in (diseases, microbes, enzymes, compound classes, agents).
PROFESSION_SUFFIXES = '炎症癌瘤疹疮菌酶酸碱烷烯炔醇醛酮酯醚酚胺苷剂'
PROFESSION_POS = ('n', 'nz')
PROFESSION_MIN_LEN, PROFESSION_MAX_LEN = 2, 8

# Fallback donors, tried in this order; the donor must carry its own code.
FALLBACK_FIELDS_BEFORE_OPENCC = ('kTraditionalVariant', 'kSimplifiedVariant')
FALLBACK_FIELDS_AFTER_OPENCC = ('kZVariant', 'kCompatibilityVariant',
                                'kSemanticVariant', 'kSpecializedSemanticVariant')

# Symbols that open the symbol list, before the standard's symbol area.
COMMON_SYMBOLS_CHS = '，。、；：？！…—·“”‘’（）《》〈〉【】〔〕「」『』～'
# Same symbols and order as the input method's built-in list (without repeats).
COMMON_SYMBOLS_CHT = '，。、：；？「」『』！…‘’（）〔〕｛｝《》─·『』〈〉【】'


def die(msg):
    sys.stderr.write('generate.py: %s\n' % msg)
    sys.exit(1)


# ---------------------------------------------------------------- inputs

def load_unihan(name):
    path = os.path.join(UNIHAN_DIR, name)
    if not os.path.exists(path):
        die('missing %s (install the unicode-data package)' % path)
    fields = collections.defaultdict(dict)
    version = None
    with bz2.open(path, 'rt', encoding='utf-8') as f:
        for line in f:
            if line.startswith('#'):
                if line.startswith('# Unicode version:'):
                    version = line.split(':', 1)[1].strip()
                continue
            line = line.rstrip('\n')
            if not line:
                continue
            cp, field, value = line.split('\t')
            fields[field][chr(int(cp[2:], 16))] = value
    return fields, version


def parse_cps(value):
    """'U+4E94<kMatthews U+4E95' -> ['五', '井']"""
    out = []
    for tok in value.split():
        tok = tok.split('<')[0]
        if tok.startswith('U+'):
            out.append(chr(int(tok[2:], 16)))
    return out


def load_jieba():
    if not os.path.exists(JIEBA_DICT):
        die('missing %s (install the python3-jieba package)' % JIEBA_DICT)
    entries = collections.OrderedDict()
    with open(JIEBA_DICT, encoding='utf-8') as f:
        for line in f:
            parts = line.split()
            if len(parts) != 3:
                continue
            word, freq, pos = parts[0], int(parts[1]), parts[2]
            if word in entries:     # one duplicate in 0.42.1: keep the larger count
                old = entries[word]
                if freq <= old[0]:
                    continue
            entries[word] = (freq, pos)
    return [(w, f, p) for w, (f, p) in entries.items()]


def opencc(config, texts):
    """Convert each text (one per line) with the opencc command."""
    if not texts:
        return []
    for t in texts:
        if '\n' in t:
            die('newline in text for opencc')
    try:
        res = subprocess.run([OPENCC, '-c', config], input='\n'.join(texts) + '\n',
                             capture_output=True, text=True, encoding='utf-8', check=True)
    except (OSError, subprocess.CalledProcessError) as e:
        die('opencc failed (%s); install opencc and libopencc-data' % e)
    out = res.stdout.split('\n')
    if out and out[-1] == '':
        out.pop()
    if len(out) != len(texts):
        die('opencc returned %d lines for %d' % (len(out), len(texts)))
    return out


def package_version(pkg):
    try:
        r = subprocess.run(['dpkg-query', '-W', '-f=${Version}', pkg],
                           capture_output=True, text=True, check=True)
        return r.stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return 'unknown'


# ---------------------------------------------------------------- helpers

def units(text):
    return len(text.encode('utf-16-le')) // 2


def hexcp(c):
    return 'U+%04X' % ord(c)


def word_code_parts(n):
    """Digits taken from each of the first characters, by number of characters."""
    return {1: (4,), 2: (3, 3), 3: (2, 2, 2), 4: (2, 1, 1, 2)}.get(n, (2, 1, 1, 1, 1))


def word_codes(word, codes_of):
    """Every distinct code of `word`, first combination first.

    Each distinct character picks one of its codes (a repeated character keeps
    the same pick); combinations run with the first character varying slowest.
    """
    head = word[:5]
    parts = word_code_parts(len(head))
    distinct = list(dict.fromkeys(head))
    choices = [codes_of[c] for c in distinct]
    result = []
    idx = [0] * len(distinct)
    while True:
        pick = {c: choices[i][idx[i]] for i, c in enumerate(distinct)}
        code = ''.join(pick[c][:k] for c, k in zip(head, parts))
        if code not in result:
            result.append(code)
        i = len(idx) - 1
        while i >= 0:
            idx[i] += 1
            if idx[i] < len(choices[i]):
                break
            idx[i] = 0
            i -= 1
        if i < 0:
            return result


def pua_of_big5(code):
    """Private-use code point of a Big5 user-defined-area code (None outside it).

    The user-defined areas are numbered in 157-cell rows (trail bytes 0x40-0x7E,
    then 0xA1-0xFE): rows FA-FE from U+E000, rows 8E-A0 from U+E311, rows 81-8D
    from U+EEB8, and the cells C6A1-C8FE from U+F6B1.
    """
    lead, trail = code >> 8, code & 0xFF
    if 0x40 <= trail <= 0x7E:
        cell = trail - 0x40
    elif 0xA1 <= trail <= 0xFE:
        cell = trail - 0xA1 + 63
    else:
        return None
    if 0xFA <= lead <= 0xFE:
        return 0xE000 + (lead - 0xFA) * 157 + cell
    if 0x8E <= lead <= 0xA0:
        return 0xE311 + (lead - 0x8E) * 157 + cell
    if 0x81 <= lead <= 0x8D:
        return 0xEEB8 + (lead - 0x81) * 157 + cell
    if 0xC6 <= lead <= 0xC8 and (lead, trail) >= (0xC6, 0xA1):
        return 0xF6B1 + (lead - 0xC6) * 157 + cell - 63
    return None


def symbol_area(encoding, leads, trails):
    out = []
    for lead in leads:
        for trail in trails:
            try:
                c = bytes([lead, trail]).decode(encoding)
            except UnicodeDecodeError:
                continue
            out.append(c)
    return out


def clean_symbols(seq):
    seen, out = set(), []
    for c in seq:
        cp = ord(c)
        if len(c) != 1 or cp > 0xFFFF or cp < 0x80 or c == '\u3000':
            continue
        if 0xE000 <= cp <= 0xF8FF or c in seen:
            continue
        seen.add(c)
        out.append(c)
    return out


def write_lines(path, header, rows):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8', newline='\n') as f:
        for h in header:
            f.write('# ' + h + '\n' if h else '#\n')
        for r in rows:
            f.write('\t'.join(str(x) for x in r) + '\n')


def median_max(counter):
    vals = sorted(counter.values())
    return ('%g' % statistics.median(vals) if vals else '0'), (max(vals) if vals else 0)


# ---------------------------------------------------------------- build

def main():
    dl, ucd_version = load_unihan('Unihan_DictionaryLikeData.txt.bz2')
    om, _ = load_unihan('Unihan_OtherMappings.txt.bz2')
    va, _ = load_unihan('Unihan_Variants.txt.bz2')
    irg, _ = load_unihan('Unihan_IRGSources.txt.bz2')
    variants = dict(va)
    variants['kCompatibilityVariant'] = irg.get('kCompatibilityVariant', {})

    # Four-corner codes: '1022.7 1024.7' -> ['1022', '1024'] (order kept, repeats dropped)
    direct = {}
    for c, v in dl['kFourCornerCode'].items():
        codes = list(dict.fromkeys(x.split('.')[0] for x in v.split()))
        if all(len(x) == 4 and x.isdigit() for x in codes):
            direct[c] = codes

    gb2312 = set(om['kGB0'])
    tgh = set(om['kTGH'])
    big5 = {c: int(v, 16) for c, v in om['kBigFive'].items()}
    big5_level1 = {c for c, v in big5.items() if 0xA440 <= v <= 0xC67E}
    hkscs_supp = {c: int(v, 16) for c, v in om['kHKSCS'].items() if ord(c) > 0xFFFF}

    jieba = load_jieba()

    # --- text frequency of characters: sum over words of count x occurrences
    words_s = [w for w, _, _ in jieba]
    words_t = opencc('s2tw.json', words_s)
    to_trad = dict(zip(words_s, words_t))
    freq_s = collections.Counter()
    freq_t = collections.Counter()
    for (w, f, _), wt in zip(jieba, words_t):
        for c in w:
            freq_s[c] += f
        for c in wt:
            freq_t[c] += f

    # --- character sets of the four folders (before codes are known)
    chs2011 = set(tgh)
    chs2002 = set(gb2312)
    chs_list = sorted(chs2011)
    trad_of_chs = set(opencc('s2tw.json', chs_list))
    for c in chs_list:
        trad_of_chs.update(parse_cps(variants['kTraditionalVariant'].get(c, '')))
    cht2011 = (big5_level1 | trad_of_chs) & set(big5)
    cht2002 = set(big5)

    # --- fallback codes for characters of any set that lack one
    wanted = sorted((chs2011 | chs2002 | cht2011 | cht2002 | set(hkscs_supp)) - set(direct))
    oc_t = dict(zip(wanted, opencc('s2tw.json', wanted)))
    oc_s = dict(zip(wanted, opencc('tw2s.json', wanted)))
    codes_of = dict(direct)
    via = {}
    for c in wanted:
        donors = []
        for fld in FALLBACK_FIELDS_BEFORE_OPENCC:
            donors += parse_cps(variants[fld].get(c, ''))
        donors += [oc_t[c], oc_s[c]]
        for fld in FALLBACK_FIELDS_AFTER_OPENCC:
            donors += parse_cps(variants[fld].get(c, ''))
        for d in donors:
            if len(d) == 1 and d != c and d in direct:
                codes_of[c] = list(direct[d])
                via[c] = d
                break

    # --- characters beyond the BMP get private-use stand-ins
    pua_map = {}    # stand-in -> (real character, Big5-HKSCS code)
    for c, b in sorted(hkscs_supp.items(), key=lambda kv: kv[1]):
        p = pua_of_big5(b)
        if p is None or 0xF6B1 <= p <= 0xF6C4:   # that run is mapped by rule, not by table
            continue
        pua_map.setdefault(chr(p), (c, b))
    real_to_pua = {real: p for p, (real, _) in pua_map.items()}
    pua_coded = {}
    for real, p in real_to_pua.items():
        if real in codes_of:
            codes_of[p] = codes_of[real]
            via[p] = via[real]
            pua_coded[p] = real
    cht2011_pua = set(pua_coded)
    for c in [c for c in codes_of if ord(c) > 0xFFFF]:   # a code book entry is one UTF-16 unit
        del codes_of[c]
        via.pop(c, None)

    # --- folders
    folders = [
        ('KUZ2011_chs', 's', chs2011, set(), 'characters of the 2013 general standard list (Unihan kTGH)'),
        ('KUZ2002_chs', 's', chs2002, set(), 'characters of GB 2312 (Unihan kGB0)'),
        ('KUZ2011_cht', 't', cht2011, cht2011_pua,
         'Big5 level-1 characters and the Big5 traditional forms of the KUZ2011_chs characters,'
         ' plus private-use stand-ins of coded HKSCS characters beyond the BMP'),
        ('KUZ2002_cht', 't', cht2002, set(), 'all characters of Big5 (Unihan kBigFive)'),
    ]

    summary = []
    folder_chars = {}
    folder_words = {}
    for name, script, base_set, pua_set, descr in folders:
        freq = freq_s if script == 's' else freq_t
        chars = sorted(c for c in base_set if c in codes_of) + sorted(pua_set)
        left = sorted(c for c in base_set if c not in codes_of)
        ranked = sorted(chars, key=lambda c: (-freq.get(c, 0), ord(c)))
        key_of = {c: i + 1 for i, c in enumerate(ranked)}
        if len(ranked) > MAX_U16:
            die('%s: too many characters for a 16-bit sort key' % name)
        rows = []
        for c in ranked:
            for i, code in enumerate(codes_of[c]):
                flags = (F_FALLBACK if c in via else 0) | (F_ALT_CODE if i else 0) | \
                        (F_PRIVATE_USE if c in pua_set else 0)
                rows.append((code, c, key_of[c], freq.get(c, 0), flags, via.get(c, '-')))
        rows.sort(key=lambda r: (r[0], r[2]))
        folder_chars[name] = set(chars)

        # words
        pool = collections.Counter()
        for w, f, pos in jieba:
            if pos.startswith('nr'):
                continue
            t = w if script == 's' else to_trad[w]
            if len(t) < 2 or units(t) > MAX_TEXT_UNITS:
                continue
            if all(ch in folder_chars[name] for ch in t):
                pool[t] += f         # traditional duplicates (several simplified sources) add up
        chosen = sorted(pool.items(), key=lambda kv: (-kv[1], kv[0]))[:WORDS_PER_FOLDER]
        n = len(chosen)
        wrows = []
        for rank, (w, f) in enumerate(chosen, 1):
            flags0 = F_FALLBACK if any(ch in via for ch in w[:5]) else 0
            for i, code in enumerate(word_codes(w, codes_of)):
                wrows.append((code, w, n + 1 - rank, flags0 | (F_ALT_CODE if i else 0)))
        wrows.sort(key=lambda r: (r[0], -r[2]))
        wrows, dropped = cap_records(wrows)
        folder_words[name] = {r[1] for r in wrows}

        cc = collections.Counter(r[0] for r in rows)
        wc = collections.Counter(r[0] for r in wrows)
        lengths = collections.Counter(len(w) for w, _ in chosen)
        write_lines(os.path.join(OUT, name, 'chars.txt'), [
            'Single characters of %s: %s.' % (name, descr),
            'Codes: four-corner codes from Unihan kFourCornerCode (Unicode %s), first four digits.' % ucd_version,
            'Frequencies: estimated from the word counts of jieba dict.txt%s.' %
            ('' if script == 's' else ' converted with opencc s2tw'),
            'Derived and modified from Unicode, jieba and OpenCC data; see data/NOTICE.md.',
            'Columns: code, character, key (1 = most frequent), freq, flags, via (code donor or -).',
            'Lines are sorted by code, then by key: the order in which a code offers its characters.',
        ], rows)
        write_lines(os.path.join(OUT, name, 'words.txt'), [
            'Words of %s, with word codes built from the four-corner codes of their first characters.' % name,
            'Words: jieba dict.txt without person names (nr*)%s, only characters of chars.txt.' %
            ('' if script == 's' else ', converted with opencc s2tw and merged'),
            'Derived and modified from Unicode, jieba and OpenCC data; see data/NOTICE.md.',
            'Columns: code, word, key (larger = more frequent), flags.',
            'Lines are sorted by code, then by descending key: the order in which a code offers its words.',
        ], wrows)
        write_lines(os.path.join(OUT, name, 'leftout.txt'), [
            'Characters of the %s set that are not in chars.txt. Columns: code point, character, reason:' % name,
            'no-code (no four-corner code, not even through a variant) or beyond-BMP (a code book',
            'entry holds one UTF-16 unit, and the character has no private-use stand-in).',
        ], [(hexcp(c), c, 'beyond-BMP' if ord(c) > 0xFFFF else 'no-code') for c in left])

        summary.append(dict(
            name=name, chars=len(chars), char_lines=len(rows), char_codes=len(cc),
            char_median=median_max(cc)[0], char_max=median_max(cc)[1],
            char_max_code=max(cc, key=lambda k: (cc[k], k)) if cc else '',
            fallbacks=sum(1 for c in chars if c in via), pua=len(pua_set), left=len(left),
            left_nobmp=sum(1 for c in left if ord(c) > 0xFFFF), left_sample=''.join(left[:12]), words=n, word_lines=len(wrows), word_codes=len(wc),
            word_median=median_max(wc)[0], word_max=median_max(wc)[1],
            two_char_share=100.0 * lengths[2] / n if n else 0, dropped=dropped,
            last_word_freq=chosen[-1][1] if chosen else 0))

    # --- symbols and private-use mappings (one copy per data folder)
    sym_chs = clean_symbols(list(COMMON_SYMBOLS_CHS) + symbol_area(
        'gbk', range(0xA1, 0xAA), [t for t in range(0x40, 0xFF) if t != 0x7F]))
    sym_cht = clean_symbols(list(COMMON_SYMBOLS_CHT) + symbol_area(
        'big5', range(0xA1, 0xA4), list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))))
    hk_rows = [(hexcp(p), 'U+%05X' % ord(real), real, '%04X' % b)
               for p, (real, b) in sorted(pua_map.items(), key=lambda kv: ord(kv[0]))]
    for name, script, _, _, _ in folders:
        syms = sym_chs if script == 's' else sym_cht
        src = 'GBK rows A1-A9' if script == 's' else 'Big5 rows A1-A3'
        write_lines(os.path.join(OUT, name, 'symbols.txt'), [
            'Symbol list of %s, in the order the symbol search offers it:' % name,
            'a group of common punctuation, then the symbol area of %s in code order' % src,
            '(decoded with the Python standard codecs; ideographic space, private use and repeats left out).',
            'Columns: code point, symbol.',
        ], [(hexcp(c), c) for c in syms])
        write_lines(os.path.join(OUT, name, 'hkcs.txt'), [
            'Private-use stand-ins of HKSCS characters beyond the BMP, and the characters they stand for.',
            'Source: Unihan kHKSCS (Unicode %s); the stand-in is the private-use code point of the' % ucd_version,
            'Big5 user-defined-area cell holding the character (157 cells a row; see data/README.md).',
            'Derived from Unicode data; see data/NOTICE.md.',
            'Columns: stand-in code point, character code point, character, Big5-HKSCS code (hex).',
        ], hk_rows)

    # --- professional lexicon (base folder; both scripts)
    general = folder_words['KUZ2011_chs']
    prof = []
    for w, f, pos in jieba:
        if pos not in PROFESSION_POS or not (PROFESSION_MIN_LEN <= len(w) <= PROFESSION_MAX_LEN):
            continue
        if w[-1] not in PROFESSION_SUFFIXES or w in general:
            continue
        if all(c in folder_chars['KUZ2011_chs'] for c in w):
            prof.append((w, f))
    prof.sort(key=lambda e: (-e[1], e[0]))
    entries = []        # (word, freq, script)
    for w, f in prof:
        t = to_trad[w]
        if t == w:
            entries.append((w, f, 'st'))
            continue
        entries.append((w, f, 's'))
        if all(c in folder_chars['KUZ2011_cht'] for c in t):
            entries.append((t, f, 't'))
    seen = set()
    uniq = []
    for e in entries:
        if e[0] not in seen:
            seen.add(e[0])
            uniq.append(e)
    uniq.sort(key=lambda e: (-e[1], e[0]))
    n = len(uniq)
    prows = []
    for rank, (w, f, scr) in enumerate(uniq, 1):
        flags0 = F_FALLBACK if any(ch in via for ch in w[:5]) else 0
        for i, code in enumerate(word_codes(w, codes_of)):
            prows.append((code, w, n + 1 - rank, flags0 | (F_ALT_CODE if i else 0), scr))
    prows.sort(key=lambda r: (r[0], -r[2]))
    prows, pdropped = cap_records(prows)
    write_lines(os.path.join(OUT, 'base', 'profession.txt'), [
        'Professional words: nouns of medicine and chemistry (jieba part of speech n or nz, %d-%d characters)'
        % (PROFESSION_MIN_LEN, PROFESSION_MAX_LEN),
        'ending in one of %s, made of KUZ2011_chs characters and not among' % PROFESSION_SUFFIXES,
        'the KUZ2011_chs words; with their opencc s2tw forms where those differ and use KUZ2011_cht characters.',
        'Derived and modified from Unicode, jieba and OpenCC data; see data/NOTICE.md.',
        'Columns: code, word, key (larger = more frequent), flags, script (s, t or st).',
        'Lines are sorted by code, then by descending key.',
    ], prows)

    # --- per-character table of the base folder
    all_chars = sorted(codes_of, key=ord)
    comb = {c: max(freq_s.get(c, 0), freq_t.get(c, 0)) for c in all_chars}
    comb_rank = {c: i + 1 for i, c in enumerate(sorted(all_chars, key=lambda c: (-comb[c], ord(c))))}
    crows = []
    for c in all_chars:
        num = 19 if comb[c] == 0 else min(18, 1 + int(math.log2(comb_rank[c])))
        flags = (F_FALLBACK if c in via else 0) | (F_PRIVATE_USE if c in pua_coded else 0)
        if len(codes_of[c]) > 16:
            die('%s has more than 16 codes' % c)
        crows.append((hexcp(c), c, ','.join(codes_of[c]), flags, via.get(c, '-'), comb[c], num))
    write_lines(os.path.join(OUT, 'base', 'codes.txt'), [
        'Every character with a code: the four-corner codes of Unihan kFourCornerCode (Unicode %s),' % ucd_version,
        'first four digits, in Unihan order, plus the borrowed codes of the data folders\' fallbacks',
        'and the private-use stand-ins of hkcs.txt.',
        'Derived and modified from Unicode, jieba and OpenCC data; see data/NOTICE.md.',
        'Columns: code point, character, codes (comma-separated, first = main code), flags, via, freq, num.',
    ], crows)

    # --- summary
    print('generate.py: Unihan %s, jieba %s, opencc %s' % (
        ucd_version, package_version('python3-jieba'), package_version('opencc')))
    for s in summary:
        print('%(name)s: %(chars)d characters (%(char_lines)d code lines, %(fallbacks)d fallback, '
              '%(pua)d private-use, %(left)d left out of which %(left_nobmp)d beyond the BMP: %(left_sample)s...), %(char_codes)d character codes '
              '(median %(char_median)s, max %(char_max)d at %(char_max_code)s)' % s)
        print('  %(words)d words (%(word_lines)d code lines, %(two_char_share).1f%% two-character, '
              'lowest count %(last_word_freq)d), %(word_codes)d word codes (median %(word_median)s, '
              'max %(word_max)d), %(dropped)d entries dropped for record size' % s)
        print('  %d symbols, %d private-use mappings' % (
            len(sym_chs if s['name'].endswith('chs') else sym_cht), len(hk_rows)))
    pc = collections.Counter(r[0] for r in prows)
    print('base: %d coded characters (%d fallback), %d professional words (%d code lines, %d codes, '
          'max %d per code, %d dropped)' % (
              len(crows), len(via), n, len(prows), len(pc), max(pc.values()), pdropped))


def cap_records(rows):
    """Drop the last entries of any code whose record would reach 1024 bytes.

    rows are (code, text, ...) sorted in presentation order within each code.
    A record is 3 code bytes, per entry 2n+6 bytes, and a 2-byte end mark.
    """
    out, dropped = [], 0
    size, cur = 0, None
    for r in rows:
        if r[0] != cur:
            cur, size = r[0], 3 + 2
        entry = 2 * units(r[1]) + 6
        if size + entry > MAX_RECORD_BYTES:
            dropped += 1
            continue
        size += entry
        out.append(r)
    return out, dropped


if __name__ == '__main__':
    main()
