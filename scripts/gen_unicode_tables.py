#!/usr/bin/env python3
"""Writes the Unicode tables of unicode/ from Debian's unicode-data and unicode-cldr-core files:

  core/unicode/NameTable.inc    the character names, as a word list and word indexes
  core/unicode/BlockTable.inc   the blocks
  core/unicode/SearchTable.inc  the other words the search knows a character by: name aliases,
                           informal aliases, CLDR keywords and names in English and German,
                           HTML 4 entity names
  core/unicode/EntityTable.inc  the HTML 4 entities
  core/unicode/FoldTable.inc    the code points the search's case folding changes, against which the
                           logic tests check the run time's FoldCodePoint

The tables are Unicode 15.0 and CLDR 41; the script stops when the files it is given are another
version, so that the tables change only when UNICODE_VERSION and CLDR_VERSION are changed on
purpose. UnicodeData.txt states no version: it is taken as the version of Blocks.txt,
NameAliases.txt and NamesList.txt beside it (one package ships them all), which must agree. The
CLDR version is the one the annotations' DTD (common/dtd/ldml.dtd) fixes.

The names of CJK unified ideographs, Tangut ideographs and Hangul syllables are computed at run
time, never stored; so is the hexadecimal code that ends names such as
"CJK COMPATIBILITY IDEOGRAPH-F900".

Usage: python3 scripts/gen_unicode_tables.py [unicode-data folder] [output folder]
"""

import collections
import html.entities
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

ROOT = pathlib.Path(__file__).resolve().parent.parent
DATA = pathlib.Path("/usr/share/unicode")
OUTPUT = ROOT / "core" / "unicode"

UNICODE_VERSION = "15.0.0"
CLDR_VERSION = "41"

# Names stored from scratch every this many names, so that a name is decoded from at most this
# many of its predecessors.
CHECKPOINT = 32

# Word index 0 of the name words stands for the code point in upper-case hexadecimal (4 to 6
# digits): "CJK COMPATIBILITY IDEOGRAPH-F900".
HEX_WORD = "\x01"

SEP_SPACE, SEP_HYPHEN, SEP_END = 0, 1, 2


def is_word_char(c):
    """Whether c belongs to a word for the search. The run-time splitter (UnicodeSearch.cpp) keeps
    to the same rule: ASCII letters and digits, and every character from U+00C0 on except the
    multiplication and division signs and general punctuation."""
    o = ord(c)
    if o < 0x80:
        return c.isascii() and c.isalnum()
    if o < 0xC0 or o in (0xD7, 0xF7):
        return False
    return not 0x2000 <= o <= 0x206F


def fold(word):
    """The case folding of the search, the same as the run time's FoldCodePoint: ASCII, Latin-1,
    Latin Extended-A, Greek and Cyrillic capitals to small letters; capital sharp s to sharp s."""
    out = []
    for c in word:
        o = ord(c)
        if 0x41 <= o <= 0x5A or (0xC0 <= o <= 0xDE and o != 0xD7):
            o += 0x20
        elif 0x100 <= o <= 0x137 or 0x14A <= o <= 0x177:
            o |= 1
        elif 0x139 <= o <= 0x148 or 0x179 <= o <= 0x17E:
            o += o & 1
        elif 0x391 <= o <= 0x3AB and o != 0x3A2:
            o += 0x20
        elif 0x410 <= o <= 0x42F:
            o += 0x20
        elif 0x400 <= o <= 0x40F:
            o += 0x50
        elif o == 0x1E9E:
            o = 0xDF
        out.append(chr(o))
    return "".join(out)


def search_words(text):
    words, current = [], []
    for c in text:
        if is_word_char(c):
            current.append(c)
        elif current:
            words.append("".join(current))
            current = []
    if current:
        words.append("".join(current))
    return [fold(w) for w in words]


def read_unicode_data(text):
    """From UnicodeData.txt: {code point: name} of every character with a stored name, the
    control characters (they take an alias as their name) and the ranges whose names are
    computed, as (first, last, prefix), the prefix "" for Hangul syllables."""
    names, controls, ranges, first = {}, [], [], None
    prefixes = {"CJK Ideograph": "CJK UNIFIED IDEOGRAPH-", "Tangut Ideograph": "TANGUT IDEOGRAPH-",
                "Hangul Syllable": ""}
    for line in text.splitlines():
        fields = line.split(";")
        cp, name = int(fields[0], 16), fields[1]
        if name == "<control>":
            controls.append(cp)
            continue
        m = re.match(r"^<(.+), (First|Last)>$", name)
        if m:
            if m.group(2) == "First":
                first = cp
                continue
            kind = next((k for k in prefixes if m.group(1).startswith(k)), None)
            if kind is not None:
                ranges.append((first, cp, prefixes[kind]))
            continue
        if name.startswith("<"):
            continue
        names[cp] = name
    return names, controls, ranges


def read_aliases(text):
    aliases = collections.defaultdict(list)
    for line in text.splitlines():
        if not line or line.startswith("#"):
            continue
        cp, alias, _kind = line.split(";")
        aliases[int(cp, 16)].append(alias)
    return aliases


def read_informal_aliases(text):
    aliases = collections.defaultdict(list)
    cp = None
    for line in text.splitlines():
        m = re.match(r"^([0-9A-F]{4,6})\t", line)
        if m:
            cp = int(m.group(1), 16)
        elif line.startswith("@"):
            cp = None
        elif cp is not None and line.startswith("\t= "):
            aliases[cp].append(line[3:])
    return aliases


def read_annotations(xml_text):
    keywords = collections.defaultdict(list)
    root = ET.fromstring(xml_text)
    for node in root.iter("annotation"):
        text = node.attrib["cp"]
        chars = [c for c in text if ord(c) != 0xFE0F]
        if len(chars) != 1 or not node.text:
            continue
        keywords[ord(chars[0])] += [t.strip() for t in node.text.split("|")]
    return keywords


def read_blocks(text):
    blocks = []
    for line in text.splitlines():
        m = re.match(r"^([0-9A-F]+)\.\.([0-9A-F]+); (.+)$", line)
        if m:
            blocks.append((int(m.group(1), 16), int(m.group(2), 16), m.group(3)))
    return sorted(blocks)


def stated_version(text, pattern, path):
    m = re.search(pattern, text, re.MULTILINE)
    if not m:
        sys.exit(f"{path}: no version found (looked for {pattern!r})")
    return m.group(1)


def check_version(found, wanted, what, path):
    """Stops the script unless the source is the version the committed tables were made from."""
    if found != wanted:
        sys.exit(f"{path} is {what} {found}, but the tables are made from {what} {wanted}. Install that "
                 f"version's files, or change {what.upper()}_VERSION in {pathlib.Path(__file__).name} "
                 f"on purpose and commit the tables it writes.")


def tokens_of(cp, name):
    """The name as (word, separator after it) pairs."""
    parts = re.split(r"([ -])", name)
    out = []
    for i in range(0, len(parts), 2):
        word = parts[i]
        if word == f"{cp:04X}" and i > 0 and parts[i - 1] == "-":
            word = HEX_WORD
        sep = SEP_END if i + 1 >= len(parts) else (SEP_SPACE if parts[i + 1] == " " else SEP_HYPHEN)
        out.append((word, sep))
    return out


def varint(value):
    """One byte below 0xC0, two bytes below 0xC0 + 48 * 256, else three."""
    if value < 0xC0:
        return [value]
    value -= 0xC0
    if value < 48 * 256:
        return [0xC0 + (value >> 8), value & 0xFF]
    value -= 48 * 256
    assert value < 16 * 65536
    return [0xF0 + (value >> 16), (value >> 8) & 0xFF, value & 0xFF]


def c_bytes(data, per_line=24):
    lines = []
    for i in range(0, len(data), per_line):
        lines.append("    " + ",".join(str(b) for b in data[i:i + per_line]) + ",")
    return lines


def front_coded(words, buckets):
    """The words as byte strings, sorted within each bucket of indexes (the order inside a bucket
    costs nothing, every index there taking as many bytes), each as 1 + the length of the prefix
    it shares with the word before it (at most 30), the rest of its UTF-8 bytes and a NUL byte."""
    order = []
    bounds = [0] + [b for b in buckets if b < len(words)] + [len(words)]
    for a, b in zip(bounds, bounds[1:]):
        order += sorted(words[a:b], key=lambda w: w.encode())
    coded, previous = [], b""
    for w in order:
        data = w.encode()
        shared = 0
        while shared < min(len(previous), len(data), 30) and previous[shared] == data[shared]:
            shared += 1
        coded.append(bytes([shared + 1]) + data[shared:] + b"\0")
        previous = data
    return order, coded


def c_string_lines(pieces):
    """Byte strings as C string literals of at most ~100 characters a line."""
    lines, current = [], ""
    for piece in pieces:
        text = "".join(chr(b) if 0x20 <= b < 0x7F and chr(b) not in '"\\?' else f"\\{b:03o}" for b in piece)
        if len(current) + len(text) > 100:
            lines.append(f'    "{current}"')
            current = ""
        current += text
    if current:
        lines.append(f'    "{current}"')
    return lines


def c_numbers(values, per_line=12):
    return ["    " + ",".join(str(v) for v in values[i:i + per_line]) + "," for i in range(0, len(values), per_line)]


def write(path, header, body):
    text = "\n".join([f"// Generated by scripts/gen_unicode_tables.py from {header}; do not edit, run the script again."] + body + [""])
    path.write_text(text, encoding="ascii")
    return len(text)


def name_table(names, control_aliases, version):
    stored = dict(names)
    for cp, alias in control_aliases.items():
        stored.setdefault(cp, alias)
    cps = sorted(stored)

    counts = collections.Counter()
    tokenised = []
    for cp in cps:
        toks = tokens_of(cp, stored[cp])
        tokenised.append(toks)
        counts.update(w for w, _ in toks if w != HEX_WORD)
    by_count = [w for w, _ in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0]))]
    # A token takes one byte below word 64, two below word 4160 (see varint).
    order, coded = front_coded([""] + by_count, [1, 64, 4160])
    words = [HEX_WORD] + order[1:]
    index = {w: i for i, w in enumerate(words)}

    stream, checkpoints = [], []
    previous = []
    for n, toks in enumerate(tokenised):
        if n % CHECKPOINT == 0:
            checkpoints.append(len(stream))
            previous = []
        shared = 0
        while shared < min(len(previous), len(toks), 15) and previous[shared] == toks[shared]:
            shared += 1
        # A name never equals a whole prefix of the one before: keep one token new at least.
        if shared == len(toks):
            shared -= 1
        stream.append(shared)
        for w, sep in toks[shared:]:
            stream += varint(index[w] * 3 + sep)
        previous = toks

    runs = []
    for cp in cps:
        if runs and runs[-1][0] + runs[-1][1] == cp:
            runs[-1][1] += 1
        else:
            runs.append([cp, 1])
    assert max(c for _, c in runs) < 65536

    body = [
        f"// The Unicode {version} names, stored in code-point order. Each name is a byte of how many words it",
        "// shares with the name before it (0 at every checkpoint), then its other words as varints of",
        "// word index * 3 + separator after the word (0 blank, 1 hyphen, 2 end of name). Word 0 is the",
        "// code point in hexadecimal. The words are front-coded: 1 + the number of leading bytes a word",
        "// shares with the one before, the rest of it, a NUL byte.",
        f"constexpr unsigned kNameCheckpoint = {CHECKPOINT};",
        f"constexpr unsigned kNameCount = {len(cps)};",
        f"constexpr unsigned kNameWordCount = {len(words)};",
        "constexpr char kNameWords[] =",
    ] + c_string_lines(coded) + [
        ";",
        "constexpr unsigned char kNameStream[] = {",
    ] + c_bytes(stream) + [
        "};",
        "constexpr unsigned kNameCheckpoints[] = {",
    ] + c_numbers(checkpoints) + [
        "};",
        "// Runs of consecutive named code points: first code point and length.",
        f"constexpr unsigned kNameRunCount = {len(runs)};",
        "constexpr char32_t kNameRunFirst[] = {",
    ] + c_numbers([r[0] for r in runs]) + [
        "};",
        "constexpr unsigned short kNameRunLength[] = {",
    ] + c_numbers([r[1] for r in runs]) + [
        "};",
    ]
    size = len(stream) + 4 * len(checkpoints) + 6 * len(runs) + sum(len(c) for c in coded)
    return body, size, words


def search_table(stored_names, extra):
    """extra: {cp: [texts]}. Words of a text that the name has already are left out."""
    per_cp = {}
    for cp, texts in extra.items():
        name_words = set(search_words(stored_names.get(cp, "")))
        seen, words = set(), []
        for text in texts:
            for w in search_words(text):
                if w not in name_words and w not in seen:
                    seen.add(w)
                    words.append(w)
        if words:
            per_cp[cp] = words
    counts = collections.Counter(w for ws in per_cp.values() for w in ws)
    by_count = [w for w, _ in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0]))]
    # An index takes one byte below 192, two below 12480 (see varint).
    vocab, coded = front_coded(by_count, [192, 12480])
    index = {w: i for i, w in enumerate(vocab)}
    stream, last = [], 0
    for cp in sorted(per_cp):
        stream += varint(cp - last)
        last = cp
        words = per_cp[cp]
        stream += varint(len(words))
        for w in words:
            stream += varint(index[w])
    body = [
        "// The words other than its name's that find a character: its name aliases and informal aliases,",
        "// its CLDR keywords and names in English and German, its HTML 4 entity name. All folded to small",
        "// letters (UTF-8), front-coded as the name words are. The stream holds, per character in code-point order, the varint distance from",
        "// the one before (from 0 for the first), the number of words and their varint indexes.",
        f"constexpr unsigned kSearchWordCount = {len(vocab)};",
        f"constexpr unsigned kSearchEntryCount = {len(per_cp)};",
        "constexpr char kSearchWords[] =",
    ] + c_string_lines(coded) + [
        ";",
        "constexpr unsigned char kSearchStream[] = {",
    ] + c_bytes(stream) + ["};"]
    size = len(stream) + sum(len(c) for c in coded)
    return body, size


def fold_table():
    """The code points fold() changes, with what it makes of them."""
    pairs = []
    for cp in range(0x110000):
        folded = fold(chr(cp))
        if folded != chr(cp):
            pairs.append((cp, ord(folded)))
    body = ["// The code points the search's case folding changes, and what it makes of them, by code point.",
            "// The logic tests hold the run time's FoldCodePoint to it.",
            "struct FoldPair { char32_t from; char32_t to; };",
            "constexpr FoldPair kFoldPairs[] = {"]
    body += [f"    {{0x{a:04X}, 0x{b:04X}}}," for a, b in pairs] + ["};"]
    return body


def main():
    folder = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else DATA
    output = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else OUTPUT

    # Each source is read once, here.
    def read(name):
        return (folder / name).read_text(encoding="utf-8")
    unicode_data, alias_text, names_list, blocks_text = (
        read(n) for n in ("UnicodeData.txt", "NameAliases.txt", "NamesList.txt", "Blocks.txt"))
    cldr = folder / "cldr/common"
    ldml_dtd, english_text, german_text = (
        (cldr / n).read_text(encoding="utf-8") for n in ("dtd/ldml.dtd", "annotations/en.xml", "annotations/de.xml"))

    for text, pattern, name in ((blocks_text, r"^# Blocks-([\d.]+)\.txt", "Blocks.txt"),
                                (alias_text, r"^# NameAliases-([\d.]+)\.txt", "NameAliases.txt"),
                                (names_list, r"^@@@\tThe Unicode Standard ([\d.]+)", "NamesList.txt")):
        check_version(stated_version(text, pattern, folder / name), UNICODE_VERSION, "Unicode", folder / name)
    dtd = cldr / "dtd/ldml.dtd"
    check_version(stated_version(ldml_dtd, r'cldrVersion CDATA #FIXED "([\d.]+)"', dtd), CLDR_VERSION, "CLDR", dtd)
    for text, name in ((english_text, "en.xml"), (german_text, "de.xml")):
        if '"../../common/dtd/ldml.dtd"' not in text:
            sys.exit(f"{cldr / 'annotations' / name} does not declare the DTD {dtd}, whose CLDR version was checked")
    version = UNICODE_VERSION

    names, control_cps, ranges = read_unicode_data(unicode_data)
    aliases = read_aliases(alias_text)
    informal = read_informal_aliases(names_list)
    english = read_annotations(english_text)
    german = read_annotations(german_text)

    # Control characters have no name, only aliases; the first is theirs.
    controls = {cp: aliases[cp][0] for cp in control_cps}

    body, name_size, _words = name_table(names, controls, version)
    body += ["// The ranges whose names are computed: the prefix and the code point in hexadecimal, or the",
             "// Hangul syllable's name when the prefix is empty.",
             "constexpr ComputedRange kComputedRanges[] = {"]
    body += [f'    {{0x{a:04X}, 0x{b:04X}, "{p}"}},' for a, b, p in ranges] + ["};"]
    sizes = {"names": name_size}
    write(output / "NameTable.inc", "UnicodeData.txt and NameAliases.txt", body)

    stored = dict(names)
    stored.update(controls)
    extra = collections.defaultdict(list)
    for source in (aliases, informal, english, german):
        for cp, texts in source.items():
            extra[cp] += texts
    for cp, entity in html.entities.codepoint2name.items():
        extra[cp].append(entity)
    body, sizes["search words"] = search_table(stored, extra)
    write(output / "SearchTable.inc", "NameAliases.txt, NamesList.txt and the CLDR annotations (en, de)", body)

    blocks = read_blocks(blocks_text)
    body = [f"// The Unicode {version} blocks, sorted by first code point.", "constexpr Block kBlocks[] = {"]
    body += [f'    {{0x{a:04X}, 0x{b:04X}, "{n}"}},' for a, b, n in blocks] + ["};"]
    write(output / "BlockTable.inc", "Blocks.txt", body)
    sizes["blocks"] = sum(8 + len(n) + 1 + 4 for _, _, n in blocks)

    entities = sorted(html.entities.codepoint2name.items())
    body = ["// The HTML 4 character entities, sorted by code point.",
            "struct Entity { char32_t cp; const char* name; };",
            "constexpr Entity kEntities[] = {"]
    body += [f'    {{0x{cp:04X}, "{n}"}},' for cp, n in entities] + ["};"]
    write(output / "EntityTable.inc", "the HTML 4 entity list", body)
    sizes["entities"] = sum(8 + len(n) + 1 for _, n in entities)

    write(output / "FoldTable.inc", "the search's case folding", fold_table())

    for what, size in sizes.items():
        print(f"{what}: {size} bytes")
    print(f"total: {sum(sizes.values())} bytes")


if __name__ == "__main__":
    main()
