#!/usr/bin/env python3
"""Writes a synthetic Stavbas database of any size, for timing and stress runs.

The files have the structure of the bundled sample database: a runic text (.RUN), a
normalised Old Swedish text (.NFS), an incomplete Old West Norse text (.FVN), an English
translation (.ENG) and an information file (.INF), all in Windows-1252 with CR LF line
ends. Inscriptions are spread over all 43 regions in database order; the word files agree
word for word, so the data-file check finds nothing to report."""

import argparse
import os
import random
import sys

# ----------------------------------------------------------------------------- regions
# code, first group, last group, weight (share of the inscriptions), Swedish grid or degrees.
# Split regions (first group < last group) take their groups from the hundreds of the number.
REGIONS = [
    ("Öl", 1, 2, 4.0), ("Ög", 3, 5, 7.0), ("Sö", 6, 10, 10.0), ("Sm", 11, 12, 6.0), ("Vg", 13, 15, 7.0),
    ("U", 16, 28, 30.0), ("Vs", 29, 29, 2.0), ("Nä", 30, 30, 1.0), ("Vr", 31, 31, 0.5), ("Gs", 32, 32, 0.7),
    ("Hs", 33, 33, 0.7), ("M", 34, 34, 0.5), ("Ån", 35, 35, 0.3), ("D", 36, 36, 1.0), ("Hr", 37, 37, 0.3),
    ("J", 38, 38, 0.3), ("Lp", 39, 39, 0.2), ("Ds", 40, 40, 0.3), ("Bo", 41, 41, 0.5), ("G", 42, 44, 8.0),
    ("SE", 45, 45, 1.5), ("DR", 46, 46, 8.0), ("N", 47, 47, 6.0), ("FR", 48, 48, 0.2), ("GR", 49, 49, 0.3),
    ("IS", 50, 50, 0.5), ("FI", 51, 51, 0.2), ("Sh", 52, 52, 0.2), ("Or", 53, 53, 0.5), ("Sc", 54, 54, 0.4),
    ("E", 55, 55, 0.5), ("IM", 56, 56, 0.5), ("IR", 57, 57, 0.3), ("F", 58, 58, 0.1), ("NL", 59, 59, 0.1),
    ("DE", 60, 60, 0.4), ("PL", 61, 61, 0.1), ("LV", 62, 62, 0.1), ("RU", 63, 63, 0.2), ("UA", 64, 64, 0.1),
    ("By", 65, 65, 0.1), ("IT", 66, 66, 0.1), ("X", 67, 67, 0.3),
]
# Region 43 (other areas) takes any code that is not one of the named ones.
OTHER_CODES = ["X", "Ab", "Kv"]
WEST_NORSE = {"N", "FR", "GR", "IS", "Sh", "Or", "Sc", "E", "IM", "IR"}

RT90 = {  # northing and easting ranges (metres) of the Swedish regions
    "Öl": (6250000, 6315000, 1537000, 1562000), "Ög": (6455000, 6515000, 1435000, 1525000),
    "Sö": (6535000, 6585000, 1505000, 1605000), "Sm": (6270000, 6410000, 1385000, 1495000),
    "Vg": (6405000, 6525000, 1285000, 1395000), "U": (6605000, 6695000, 1565000, 1655000),
    "Vs": (6585000, 6675000, 1495000, 1555000), "Nä": (6545000, 6585000, 1445000, 1478000),
    "Vr": (6585000, 6715000, 1345000, 1415000), "Gs": (6712000, 6755000, 1542000, 1578000),
    "Hs": (6805000, 6895000, 1505000, 1575000), "M": (6912000, 6948000, 1545000, 1598000),
    "Ån": (6985000, 7075000, 1565000, 1635000), "D": (6705000, 6795000, 1405000, 1495000),
    "Hr": (6925000, 6985000, 1335000, 1378000), "J": (7005000, 7095000, 1405000, 1475000),
    "Lp": (7250000, 7450000, 1550000, 1700000), "Ds": (6525000, 6575000, 1285000, 1318000),
    "Bo": (6445000, 6525000, 1243000, 1278000), "G": (6335000, 6435000, 1635000, 1705000),
    "SE": (6155000, 6245000, 1305000, 1445000),
}
DEGREES = {  # latitude and longitude ranges of the other regions
    "DR": (54.9, 57.4, 8.3, 12.5), "N": (58.1, 63.4, 5.6, 11.4), "FR": (61.4, 62.3, -7.6, -6.4),
    "GR": (60.6, 61.4, -46.0, -45.1), "IS": (63.6, 65.9, -22.0, -14.5), "FI": (60.1, 61.4, 21.6, 25.4),
    "Sh": (59.9, 60.7, -1.5, -0.9), "Or": (58.8, 59.2, -3.35, -2.6), "Sc": (55.6, 57.4, -5.9, -3.1),
    "E": (51.0, 54.4, -2.9, 1.4), "IM": (54.06, 54.38, -4.75, -4.35), "IR": (52.1, 53.9, -9.4, -6.1),
    "F": (48.6, 49.4, 0.1, 2.4), "NL": (52.1, 53.2, 4.6, 6.4), "DE": (53.6, 54.7, 9.1, 11.4),
    "PL": (53.6, 54.5, 14.6, 18.9), "LV": (56.6, 57.4, 21.1, 24.9), "RU": (56.1, 60.4, 29.6, 34.9),
    "UA": (46.1, 50.9, 30.1, 31.9), "By": (40.95, 41.05, 28.9, 29.05), "IT": (45.35, 45.55, 12.25, 12.45),
    "X": (56.8, 60.4, 19.6, 26.0),
}

# ----------------------------------------------------------------------------- headers
COMMENT = "! Syntetisk databas för Stavbas, skapad av make_synthetic_db.py (frö {seed}); påhittade texter."
HEADERS = {
    "RUN": ["!/R Runtext"],
    "NFS": ["!/R Fornsvensk text"],
    "FVN": ["!/O", "!/R Fornvästnordisk text"],
    "ENG": ["!/R English translation"],
}
# The information file starts exactly as the spreadsheet conversion writes it.
INF_HEADER = [
    "!/F I",
    "!/I PPlats;SSocken;THärad;KKommun;QPlacering;XKoordinater;UUrspr. plats?;YNuv. koord.;",
    "!/I NSockenkod/Fornlämningsnr.;BRuntyper;CKorsform;DPeriod/Datering;GStilgruppering;RRistare;",
    "!/I IMaterialtyp;AMaterial;LFöremål;EAlternativt signum;OÖvrigt;FReferens;HBildlänk",
    "!/R Information om plats m.m.",
]
FIELD = {c: chr(i + 1) for i, c in enumerate("ABCDEFGHIJKLMNOPQRSTUVWXYZ")}

# ----------------------------------------------------------------------------- language
# Name elements: runic, Old Swedish, Old West Norse; the second elements give nominative and
# accusative and the gender of the name.
FIRST_ELEMENTS = [
    ("kun", "Gunn", "Gunn"), ("þur", "Þor", "Þór"), ("hulm", "Holm", "Hólm"), ("sik", "Sig", "Sig"),
    ("ulf", "Ulf", "Úlf"), ("arn", "Arn", "Arn"), ("stain", "Stæin", "Stein"), ("kaut", "Gaut", "Gaut"),
    ("as", "As", "Ás"), ("hal", "Hall", "Hall"), ("rahn", "Ragn", "Ragn"), ("uik", "Vig", "Víg"),
    ("ik", "Ing", "Ing"), ("hir", "Hær", "Her"), ("fast", "Fast", "Fast"), ("kil", "Gil", "Gil"),
]
SECOND_ELEMENTS = [
    ("uarþr", "uarþ", "varðr", "varð", "varðr", "varð", "m"),
    ("kitil", "kitil", "kætill", "kætil", "ketill", "ketil", "m"),
    ("biarn", "biarn", "biorn", "biorn", "björn", "björn", "m"),
    ("fastr", "fast", "fastr", "fast", "fastr", "fast", "m"),
    ("mutr", "mut", "mundr", "mund", "mundr", "mund", "m"),
    ("ulfr", "ulf", "ulfr", "ulf", "úlfr", "úlf", "m"),
    ("kair", "kair", "gæirr", "gæir", "geirr", "geir", "m"),
    ("ualti", "ualta", "valdi", "valda", "valdi", "valda", "m"),
    ("ui", "ui", "vi", "vi", "vé", "vé", "m"),
    ("friþr", "friþi", "friðr", "friði", "fríðr", "fríði", "f"),
    ("lauk", "lauku", "laug", "laugu", "laug", "laugu", "f"),
    ("kirþr", "kirþi", "gærðr", "gærði", "gerðr", "gerði", "f"),
]

# Formula phrases: runic words, Old Swedish words, Old West Norse words, English.
VERBS = [
    ("raisþi stain þansi", "ræisþi stæin þannsi", "reisti stein þenna", "raised this stone"),
    ("lit raisa stain þinsa", "lét ræisa stæin þennsa", "lét reisa stein þenna", "had this stone raised"),
    ("lit hakua hilu þisa", "lét haggva hællu þessa", "lét höggva hellu þessa", "had this slab cut"),
    ("raisþi kuml þisi", "ræisþi kumbl þessi", "reisti kuml þessi", "raised this monument"),
    ("kirþi bru þisa", "gærði bro þessa", "gerði brú þessa", "made this bridge"),
    ("sati stin þansi", "satti stæin þænsi", "setti stein þenna", "placed this stone"),
]
# Relations by the gender of the dead; husband and wife only for a single sponsor of the other gender.
RELATIONS = {
    "m": [("faþur sin", "faður sinn", "föður sinn", "father"),
          ("bruþur sin", "broður sinn", "bróður sinn", "brother"),
          ("sun sin", "sun sinn", "son sinn", "son"),
          ("filaka sin", "félaga sinn", "félaga sinn", "partner")],
    "f": [("muþur sina", "moður sina", "móður sína", "mother"),
          ("tuhtur sina", "dottur sina", "dóttur sína", "daughter"),
          ("systur sina", "systur sina", "systur sína", "sister")],
}
SPOUSE = {"m": ("buanta sin", "bonda sinn", "bónda sinn", "husband"),
          "f": ("kunu sina", "konu sina", "konu sína", "wife")}
CLOSING_ENGLISH = [  # {p} and {P} stand for the pronoun of the dead
    "May God help {p} soul.", "{P} died in the east.", "{P} lived in the village.",
    "The runes were cut by a master.", "God and God's mother help {p} soul.",
    "They made the bridge for {p} soul.", "The stone stands by the road.",
    "{P} travelled west with the others.", "{P} was the best in the household.",
]
ONSETS = ["", "", "f", "þ", "r", "k", "h", "n", "s", "t", "b", "m", "l", "st", "sk", "kr", "br", "hr", "fr", "sl"]
VOWELS = ["a", "i", "u", "a", "i", "u", "ai", "au", "o", "y"]
CODAS = ["", "", "r", "n", "s", "t", "k", "l", "m", "þ", "rþ", "lf", "nt", "st"]

PLACE_FIRST = ["Ek", "Björk", "Sten", "Hag", "Lund", "Sol", "Ås", "Berg", "Vik", "Hammar", "Ulv", "Rön", "Ting",
               "Kvarn", "Gran", "Ask", "Hög", "Ny", "Öster", "Väster", "Sund", "Tors", "Frö", "Hall", "Run", "Lind"]
PLACE_LAST = ["by", "sta", "tuna", "vi", "hem", "inge", "lösa", "bo", "åker", "valla", "berga", "torp", "holm",
              "sjö", "vik", "hult", "näs", "ö", "rup", "lev", "stad", "nes"]
PLACEMENTS = [("Står på ursprunglig plats.", "Ja"), ("Inmurad i kyrkans sydvägg.", "Nej"),
              ("Rest vid kyrkogårdsmuren.", "Osäkert"), ("I vapenhuset.", "Nej"), ("I museum.", "Nej"),
              ("Ligger i kyrkans golv.", "Osäkert"), ("Står vid vägen.", "Ja")]
MATERIALS = [("Sten", "Granit", "Runsten"), ("Sten", "Gnejs", "Runsten"), ("Sten", "Röd granit", "Runsten"),
             ("Sten", "Sandsten", "Runsten"), ("Sten", "Kalksten", "Gravhäll"), ("Ben", "Horn", "Benkam"),
             ("Trä", "Trä (furu)", "Runpinne"), ("Metall", "Brons", "Spänne")]
RUNE_TYPES = ["långkvistrunor", "kortkvistrunor", "stungna runor", "stavlösa runor"]
CROSSES = ["Ringkors", "Latinskt kors", "Hjulkors"]
STYLES = ["Pr 1", "Pr 2", "Pr 3", "Pr 4", "Pr 5", "RAK", "Fp", "KB"]
CARVERS = ["Tíðulfr (A)", "Ásbjörn (A)", "Gunnkell (S)", "Hrafn (A)", "Þórfastr (S)", "Vígmarr (S)", "Balki (A)"]
TYPE_PARTS = ["V"] * 86 + ["M"] * 6 + ["U"] * 2 + ["†"] * 3 + ["$"] * 1 + ["†M", "†$"]
DIVIDERS = [":", ":", ":", "·", "+", "÷", "×", "×:", "·:", "_"]  # "_" means no divider


class Vocabulary:
    """Aligned word forms built once per run from the seed."""

    def __init__(self, rng, size=3000):
        self.words = []
        seen = set()
        while len(self.words) < size:
            run = self._runic_word(rng)
            if run in seen:
                continue
            seen.add(run)
            nfs = self._to_old_swedish(run)
            self.words.append((run, nfs, self._to_west_norse(nfs)))
        self.names = []
        for r1, n1, f1 in FIRST_ELEMENTS:
            for r2n, r2a, n2n, n2a, f2n, f2a, gender in SECOND_ELEMENTS:
                nom = (r1 + r2n, '"' + n1 + n2n, '"' + f1 + f2n)
                acc = (r1 + r2a, '"' + n1 + n2a, '"' + f1 + f2a)
                self.names.append((nom, acc, n1 + n2n, gender))

    @staticmethod
    def _runic_word(rng):
        while True:
            parts = []
            for _ in range(rng.choice((1, 1, 2, 2, 2, 3, 3, 4))):
                parts.append(rng.choice(ONSETS) + rng.choice(VOWELS) + rng.choice(CODAS))
            word = "".join(parts)
            if 2 <= len(word) <= 12:
                return word

    @staticmethod
    def _to_old_swedish(run):
        out = run.replace("ai", "æi").replace("y", "ø")
        if out.startswith("k") and len(out) % 2 == 0:
            out = "g" + out[1:]
        out = out[0] + out[1:].replace("þ", "ð").replace("nt", "nd")
        if len(out) % 3 == 0:
            out = out.replace("u", "o", 1)
        return out

    @staticmethod
    def _to_west_norse(nfs):
        out = nfs.replace("æi", "ei").replace("æ", "e").replace("ø", "ey")
        return out.replace("a", "á", 1) if len(out) % 2 else out


def reading_of(word):
    """A second reading of a word: its first vowel exchanged for another."""
    for i, ch in enumerate(word):
        if ch in "aiu":
            return word[:i] + {"a": "i", "i": "a", "u": "o"}[ch] + word[i + 1:]
    return word + "a"


def allocate(total):
    """Inscriptions per region, largest remainder over the weights; every region gets one
    when there are enough inscriptions to go round."""
    weights = [r[3] for r in REGIONS]
    if total < len(REGIONS):
        best = sorted(range(len(REGIONS)), key=lambda i: -weights[i])[:total]
        return [1 if i in best else 0 for i in range(len(REGIONS))]
    base = [1] * len(REGIONS)
    rest = total - len(REGIONS)
    wsum = sum(weights)
    shares = [rest * w / wsum for w in weights]
    counts = [int(s) for s in shares]
    left = rest - sum(counts)
    for i in sorted(range(len(REGIONS)), key=lambda i: counts[i] - shares[i])[:left]:
        counts[i] += 1
    return [b + c for b, c in zip(base, counts)]


def numbers_for(rng, count, first, last):
    """Ascending signum numbers for one region, spread over its hundreds when it is split."""
    if count == 0:
        return []
    groups = last - first + 1
    out = []
    if groups > 1:
        # every group but the last holds one hundred of numbers (the first 1 to 99)
        per_group = count // groups
        spill = count - per_group * groups
        for k in range(groups - 1):
            lo, hi = (1 if k == 0 else k * 100), k * 100 + 99
            want = min(per_group + (1 if k < spill else 0), hi - lo + 1)
            out.extend(sorted(rng.sample(range(lo, hi + 1), want)))
        start = (groups - 1) * 100
    else:
        start = 1
    n = start + rng.randint(0, 9)
    while len(out) < count:
        out.append(n)
        n += 1 if rng.random() < 0.6 else rng.randint(2, 5)
    text = [str(v) for v in out]
    # A few second parts of one number ("344A") stand right after the number itself.
    for i in range(1, len(text)):
        if text[i - 1].isdigit() and rng.random() < 0.004:
            text[i] = text[i - 1] + "A"
    return text


def place(rng):
    return rng.choice(PLACE_FIRST) + rng.choice(PLACE_LAST)


def coordinates(rng, code, swedish):
    if swedish:
        n0, n1, e0, e1 = RT90[code]
        return rng.randint(n0, n1), rng.randint(e0, e1)
    a0, a1, b0, b1 = DEGREES[code if code in DEGREES else "X"]
    return rng.uniform(a0, a1), rng.uniform(b0, b1)


def coordinate_text(value, swedish):
    if swedish:
        return f"{value[0]};{value[1]}"
    return f"({value[0]:.4f} ; {value[1]:.4f})"


def info_line(rng, code, number, type_part, swedish, objekt):
    f = FIELD
    socken = place(rng)
    parts = [f["P"] + rng.choice((socken + " kyrka", place(rng), place(rng) + " gård")) + f["P"],
             f["S"] + socken + (" sn" if swedish else "") + f["S"]]
    if swedish:
        parts.append(f["T"] + place(rng) + " hd" + f["T"])
        parts.append(f["K"] + place(rng) + f["K"])
    q, u = rng.choice(PLACEMENTS)
    parts.append(f["Q"] + q + f["Q"])
    origin = coordinates(rng, code, swedish)
    parts.append(f["X"] + coordinate_text(origin, swedish) + f["X"])
    parts.append(f["U"] + u + f["U"])
    if u == "Nej" and rng.random() < 0.5:
        if swedish:
            present = (origin[0] + rng.randint(-4000, 4000), origin[1] + rng.randint(-4000, 4000))
        else:
            present = (origin[0] + rng.uniform(-0.05, 0.05), origin[1] + rng.uniform(-0.05, 0.05))
        parts.append(f["Y"] + coordinate_text(present, swedish) + f["Y"])
    if swedish:
        objekt[0] += rng.randint(3, 900) * 1000
        parts.append(f"{f['N']}RAÄ-nr {socken} {rng.randint(1, 400)}:1 [objektid={objekt[0]}]{f['N']}")
    medieval, early = "M" in type_part, "U" in type_part
    parts.append(f["B"] + ("äldre futhark" if early else rng.choice(RUNE_TYPES)) + f["B"])
    if not early and rng.random() < 0.6:
        parts.append(f["C"] + rng.choice(CROSSES) + f["C"])
    dating = "M" if medieval else "U" if early else rng.choice(("V", "V; 1010-1050", "V; 1050-1100"))
    parts.append(f["D"] + dating + f["D"])
    if not (medieval or early):
        parts.append(f["G"] + rng.choice(STYLES) + f["G"])
    if rng.random() < 0.25:
        parts.append(f["R"] + rng.choice(CARVERS) + f["R"])
    kind, material, thing = rng.choice(MATERIALS)
    if medieval and kind == "Sten":
        thing = "Gravhäll"
    parts.append(f["I"] + kind + f["I"] + f["A"] + material + f["A"] + f["L"] + thing + f["L"])
    if rng.random() < 0.05:
        parts.append(f"{f['E']}L {rng.randint(1, 2000)}{f['E']}")
    if "†" in type_part:
        parts.append(f["O"] + "Försvunnen; känd genom äldre avbildning." + f["O"])
    elif "$" in type_part:
        parts.append(f["O"] + "Tolkningen omprövad." + f["O"])
    slug = (code + number).lower().translate(str.maketrans("åäöø", "aaoo"))
    parts.append(f"{f['F']}http://runor.example.org/signum/{slug}{f['F']}")
    if rng.random() < 0.5:
        parts.append(f"{f['H']}http://bilder.example.org/runor/{slug}.jpg{f['H']}")
    return "".join(parts)


class Inscription:
    """Builds the aligned word lists and the lines of one inscription."""

    def __init__(self, rng, vocab):
        self.rng = rng
        self.vocab = vocab

    def build(self, want_words):
        rng, vocab = self.rng, self.vocab
        sponsor = rng.choice(vocab.names)
        dead = rng.choice(vocab.names)
        verb = rng.choice(VERBS)
        words = [list(sponsor[0])]
        english = sponsor[2]
        if rng.random() < 0.2:
            second = rng.choice(vocab.names)
            words += [["auk", "ok", "ok"], list(second[0])]
            english += " and " + second[2]
        words += [list(t) for t in zip(verb[0].split(), verb[1].split(), verb[2].split())]
        words.append(["aftir", "æftir", "eptir"])
        words.append([dead[1][0], dead[1][1] + ",", dead[1][2] + ","])
        choices = RELATIONS[dead[3]]
        if " and " not in english and sponsor[3] != dead[3]:
            choices = choices + [SPOUSE[dead[3]]] * 2
        relation = rng.choice(choices)
        words += [list(t) for t in zip(relation[0].split(), relation[1].split(), relation[2].split())]
        owner = "their" if " and " in english else ("his" if sponsor[3] == "m" else "her")
        english += f" {verb[3]} in memory of {dead[2]}, {owner} {relation[3]}."
        # the relation ends its clause
        words[-1][1] += ","
        words[-1][2] += ","
        words = words[:want_words]
        while len(words) < want_words:
            if rng.random() < 0.06:
                words.append(list(rng.choice(vocab.names)[0]))
            else:
                words.append(list(vocab.words[int(rng.random() * len(vocab.words))]))
        if len(words) > 12:
            pronoun = ("his", "He") if dead[3] == "m" else ("her", "She")
            english += " " + rng.choice(CLOSING_ENGLISH).format(p=pronoun[0], P=pronoun[1])
        # damaged end of the text
        last = words[-1]
        if rng.random() < 0.01 and len(last[1].lstrip('"')) > 3:
            last[0] = last[0][:3] + "..."
            last[1] = last[1].rstrip(",")[:4] + ".."
            last[2] = last[2].rstrip(",")[:4] + ".."
        elif last[1][-1] == ",":
            last[1] = last[1][:-1] + "."
            last[2] = last[2][:-1] + "."
        else:
            last[1] += "."
            last[2] += "."
        # page marks stand as words of their own at the same places in every word file
        if rng.random() < 0.1 and len(words) >= 4:
            marks = ["§A", "§B"] if rng.random() < 0.8 else ["§A", "§B", "§P", "§Q"]
            places = sorted(rng.sample(range(1, len(words)), len(marks) - 1))
            for mark, at in reversed(list(zip(marks[1:], places))):
                words.insert(at, [mark, mark, mark])
            words.insert(0, [marks[0]] * 3)
        # a second reading of one word, in the runic and the Old Swedish text alike
        if rng.random() < 0.05:
            w = words[rng.randrange(len(words))]
            if w[0][0] != "§" and "." not in w[0]:
                w[0] = w[0] + "/" + reading_of(w[0])
                core = w[1].rstrip(",.")
                w[1] = core + "/" + reading_of(core) + w[1][len(core):]
        # square brackets round one to three words in every word file, never round a page mark
        if rng.random() < 0.08:
            first = rng.randrange(len(words))
            end = first
            while (end + 1 < len(words) and end - first < 2 and words[end + 1][0][0] != "§"
                   and rng.random() < 0.6):
                end += 1
            if words[first][0][0] != "§":
                for k in range(3):
                    words[first][k] = "[" + words[first][k]
                    body = words[end][k].rstrip(",.")
                    words[end][k] = body + "]" + words[end][k][len(body):]
        return words, english


def runic_line(rng, words):
    pattern = rng.choice(DIVIDERS)
    tokens = []
    k = 0
    for i, w in enumerate(words):
        if i and pattern != "_" and w[0][0] != "§" and words[i - 1][0][0] != "§":
            tokens.append(pattern[k % len(pattern)])
            k += 1
        tokens.append(w[0])
    return " ".join(tokens)


def generate(args, out_files):
    rng = random.Random(args.seed)
    vocab = Vocabulary(random.Random(f"vocabulary {args.seed}"))
    maker = Inscription(rng, vocab)
    objekt = [10028400250001]
    counts = allocate(args.inscriptions)
    run, nfs, fvn, eng, inf = (out_files[k] for k in ("RUN", "NFS", "FVN", "ENG", "INF"))
    other = 0
    for (code, first, last, _), count in zip(REGIONS, counts):
        swedish = code in RT90
        west = code in WEST_NORSE
        for number in numbers_for(rng, count, first, last):
            if code == "X":
                region_code = OTHER_CODES[other % len(OTHER_CODES)]
                other += 1
            else:
                region_code = code
            type_part = rng.choice(TYPE_PARTS)
            signum = f"{region_code} {number} {type_part} "
            want = 5 + int(35 * rng.random() ** 1.7)
            words, english = maker.build(want)
            run.append(signum + runic_line(rng, words))
            nfs.append(signum + " ".join(w[1] for w in words))
            if west or rng.random() < 0.3:
                fvn.append(signum + " ".join(w[2] for w in words))
            eng.append(signum + english)
            inf.append(signum + info_line(rng, region_code, number, type_part, swedish, objekt))


class LineWriter:
    """Collects lines and writes them to a temporary file in blocks."""

    def __init__(self, path, header):
        self.path = path
        self.handle = open(path, "wb")
        self.lines = list(header)

    def append(self, line):
        self.lines.append(line)
        if len(self.lines) >= 5000:
            self.flush()

    def flush(self):
        if self.lines:
            self.handle.write(("\r\n".join(self.lines) + "\r\n").encode("cp1252"))
            self.lines = []

    def close(self):
        self.flush()
        self.handle.close()


def parse_arguments(argv):
    parser = argparse.ArgumentParser(
        prog="make_synthetic_db.py",
        description=(
            "Write a synthetic Stavbas database into DIR: NAME.RUN (runic text), NAME.NFS (Old Swedish),\n"
            "NAME.FVN (Old West Norse, incomplete: about a third of the inscriptions), NAME.ENG (English)\n"
            "and NAME.INF (information file), in Windows-1252 with CR LF line ends and with the headers of\n"
            "the bundled sample database. The texts are invented. The inscriptions are spread over all 43\n"
            "regions in database order, the word files agree word for word (dividers, brackets, readings\n"
            "and page marks included), and the same seed always gives the same files."),
        epilog=(
            "example:\n"
            "  python3 tools/make_synthetic_db.py --inscriptions 100000 --out /tmp/big --base BIG\n"
            "  then choose the database /tmp/big/BIG in the program.\n\n"
            "Existing files NAME.RUN, .NFS, .FVN, .ENG and .INF in DIR are replaced only after all five\n"
            "were written; on any failure nothing in DIR changes. A group-address file NAME.$AD left from\n"
            "earlier files is removed so that the program builds it anew. A spreadsheet NAME.XLS in DIR\n"
            "is left alone; the program converts it over NAME.INF when it is the newer file."),
        formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--inscriptions", type=int, required=True, metavar="N",
                        help="number of inscriptions, 1 to 10000000")
    parser.add_argument("--out", required=True, metavar="DIR", help="folder to write into (created when missing)")
    parser.add_argument("--base", default="STAVBAS", metavar="NAME",
                        help="base name of the files, 1 to 8 letters, digits, '_' or '-' (default STAVBAS)")
    parser.add_argument("--seed", type=int, default=1, metavar="S", help="random seed (default 1)")
    args = parser.parse_args(argv)
    if not 1 <= args.inscriptions <= 10_000_000:
        parser.error("--inscriptions must be between 1 and 10000000")
    base = args.base
    if not (1 <= len(base) <= 8) or not all(c.isascii() and (c.isalnum() or c in "_-") for c in base):
        parser.error("--base must be 1 to 8 characters, each an ASCII letter, digit, '_' or '-'")
    return args


def main(argv):
    args = parse_arguments(argv)
    try:
        os.makedirs(args.out, exist_ok=True)
    except OSError as e:
        print(f"make_synthetic_db.py: cannot create the folder {args.out}: {e.strerror}", file=sys.stderr)
        return 1
    comment = COMMENT.format(seed=args.seed)
    headers = {k: [comment] + v for k, v in HEADERS.items()}
    headers["INF"] = INF_HEADER
    final = {k: os.path.join(args.out, f"{args.base}.{k}") for k in headers}
    temp = {k: os.path.join(args.out, f".{args.base}.{k}.{os.getpid()}.tmp") for k in headers}
    writers = {}
    try:
        for k in headers:
            writers[k] = LineWriter(temp[k], headers[k])
        generate(args, writers)
        for w in writers.values():
            w.close()
        for k in headers:
            os.replace(temp[k], final[k])
        index = os.path.join(args.out, f"{args.base}.$AD")
        if os.path.exists(index):
            os.remove(index)
    except (OSError, KeyboardInterrupt) as e:
        for w in writers.values():
            try:
                w.handle.close()
            except OSError:
                pass
        for path in temp.values():
            try:
                os.remove(path)
            except OSError:
                pass
        if isinstance(e, KeyboardInterrupt):
            print("make_synthetic_db.py: interrupted; nothing was written", file=sys.stderr)
            return 130
        print(f"make_synthetic_db.py: cannot write into {args.out}: {e.strerror or e}; nothing was written",
              file=sys.stderr)
        return 1
    wanted = {os.path.basename(p).upper(): os.path.basename(p) for p in final.values()}
    for name in sorted(os.listdir(args.out)):
        if name.upper() in wanted and name != wanted[name.upper()]:
            print(f"make_synthetic_db.py: warning: {name} in {args.out} differs from {wanted[name.upper()]} only "
                  "by letter case; the program matches names without regard to case and would open both",
                  file=sys.stderr)
    print(f"Wrote {args.inscriptions} inscriptions to {os.path.join(args.out, args.base)}.RUN/.NFS/.FVN/.ENG/.INF")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
