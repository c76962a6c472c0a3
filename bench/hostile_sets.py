"""Data sets built to cost the most memory per byte: the sample set with one
of its files grown by records of one hostile shape until the set holds a
given number of bytes. The benchmark report measures the programs on them;
the command-line tests check that they load (or are refused past the size
limit) and raise the warnings they are built to raise.

  hostile_sets.py SHAPE BYTES OUT_DIR [--sample DIR]   (writes OUT_DIR/Data)
"""

import argparse
import os
import sys

DATA_FILES = ("specitem.txt", "skill.txt", "stditem.txt", "type.txt", "rnditem.txt", "change.txt")
# The files the loaders read; specitem.txt only completes the set.
READ_FILES = DATA_FILES[1:]
# The most bytes a data set may hold in all.
LIMIT_BYTES = 64 << 20
# Longest piece of a line that the reader delivers at once.
LINE_PIECE = 4999


def _tiny_types(index):
    # An id no sample record has, a count of 1 and an amount line of one
    # number: each amount line is short of its 15 grades.
    return f"{100000 + index}\n1\n{1 + index % 9}\n", 1


def _many_changes(index):
    # Kinds above every standard item's, so each record has a key of its own
    # and none applies to an item, which each is warned of.
    return f"1450 {14 + index} 3 1\n", 1


def _long_lines(index):
    # Lines of exactly one piece: the number fields, then a remark; as above,
    # each record is warned of applying to no item.
    head = f"1450 {14 + index} 3 1 "
    return head + "x" * (LINE_PIECE - len(head)) + "\n", 1


def _warning_every_line(first_change):
    # The item number and kind of the sample's first change record again: the
    # earlier record with that prefix and kind hides every copy.
    number, kind = first_change.split()[:2]
    return lambda index: (f"{number} {kind} 0 1\n", 1)


# shape: (the file it grows, what it appends per record: text and the
# warnings that text raises)
SHAPES = {
    "tiny-types": ("type.txt", lambda sample: _tiny_types),
    "many-changes": ("change.txt", lambda sample: _many_changes),
    "long-lines": ("change.txt", lambda sample: _long_lines),
    "warning-every-line": ("change.txt",
                           lambda sample: _warning_every_line(first_data_line(sample,
                                                                              "change.txt"))),
}


def first_data_line(sample_dir, name):
    """The first line after a file's -start- line that is not blank."""
    with open(os.path.join(sample_dir, name), "rb") as f:
        lines = f.read().decode("cp1250").splitlines()
    start = next(i for i, line in enumerate(lines) if "-start-" in line)
    return next(line.strip() for line in lines[start + 1:] if line.strip())


def write_set(shape, total_bytes, out_dir, sample_dir):
    """Writes the sample set into out_dir/Data with one file grown by records
    of `shape` until the read files hold at least `total_bytes` (the last
    record is cut to make it exact when it fits). Returns the bytes written,
    the records appended and the warnings they add to the sample's."""
    grown, maker = SHAPES[shape]
    record = maker(sample_dir)
    data = os.path.join(out_dir, "Data")
    os.makedirs(data, exist_ok=True)
    total = 0
    for name in DATA_FILES:
        with open(os.path.join(sample_dir, name), "rb") as f:
            content = f.read()
        if name != grown:
            with open(os.path.join(data, name), "wb") as out:
                out.write(content)
            total += len(content) if name in READ_FILES else 0
    with open(os.path.join(sample_dir, grown), "rb") as f:
        base = f.read()
    if not base.endswith(b"\n"):
        base += b"\r\n"
    pieces = [base]
    size = total + len(base)
    records = warnings = 0
    # In batches while a whole batch fits, then record by record; blank
    # lines make up a shortfall that is smaller than a record.
    batch = 4096
    while size < total_bytes:
        made = [record(records + i) for i in range(batch)]
        chunk = "".join(text for text, _ in made).encode("cp1250")
        if size + len(chunk) > total_bytes:
            if batch > 1:
                batch = 1
                continue
            chunk = b"\n" * (total_bytes - size)
        else:
            records += batch
            warnings += sum(raised for _, raised in made)
        pieces.append(chunk)
        size += len(chunk)
    with open(os.path.join(data, grown), "wb") as out:
        out.write(b"".join(pieces))
    return {"bytes": size, "records": records, "warnings": warnings}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("shape", choices=sorted(SHAPES))
    parser.add_argument("bytes", type=int)
    parser.add_argument("out_dir")
    parser.add_argument("--sample", default=os.path.join(os.path.dirname(__file__), "..", "Data"))
    options = parser.parse_args()
    result = write_set(options.shape, options.bytes, options.out_dir, options.sample)
    print(f"{options.shape}: {result['bytes']} bytes, {result['records']} records, "
          f"{result['warnings']} more warnings")
    return 0


if __name__ == "__main__":
    sys.exit(main())
