"""Peer oracle for the tag tests: reads and writes ID3 tags with mutagen.

  mutagen_peer.py read FILE          prints the tag values, one "key<TAB>hex of UTF-8" per line
  mutagen_peer.py make FILE RECIPE     writes tags described by RECIPE (JSON) into FILE
  mutagen_peer.py length FILE        prints the audio length in seconds
"""
import json
import sys

from mutagen.id3 import (APIC, COMM, ID3, TALB, TCON, TDRC, TIT2, TPE1, TRCK, TYER, ParseID3v1,
                         ID3NoHeaderError)
from mutagen.mp3 import MP3

TEXT_FRAMES = {"TPE1": TPE1, "TIT2": TIT2, "TALB": TALB, "TRCK": TRCK, "TYER": TYER, "TDRC": TDRC,
               "TCON": TCON}


def emit(key, value):
    print("%s\t%s" % (key, value.encode("utf-8").hex()))


def first_text(tags, *names):
    for name in names:
        frames = tags.getall(name)
        if frames:
            text = frames[0].text
            return str(text[0]) if text else ""
    return None


def windows1252(text):
    """mutagen hands ID3v1 text over as Latin-1; read its bytes as Windows-1252, the code page the
    tags are written in (the five bytes the code page leaves unassigned stay as they are)."""
    return "".join(chr(b) if b in (0x81, 0x8D, 0x8F, 0x90, 0x9D) else bytes([b]).decode("cp1252")
                   for b in text.encode("latin1"))


def read(path):
    try:
        tags = ID3(path, translate=False, load_v1=False)
    except ID3NoHeaderError:
        tags = None
    if tags is not None:
        emit("version", "2.%d" % tags.version[1])
        for key, names in (("artist", ("TPE1", "TP1")), ("title", ("TIT2", "TT2")),
                           ("album", ("TALB", "TAL")), ("track", ("TRCK", "TRK")),
                           ("year", ("TYER", "TDRC", "TYE"))):
            value = first_text(tags, *names)
            if value is not None:
                emit(key, value)
        genres = tags.getall("TCON") or tags.getall("TCO")
        if genres:
            emit("genre", genres[0].genres[0] if genres[0].genres else "")
        comments = tags.getall("COMM") or tags.getall("COM")
        if comments:
            plain = [c for c in comments if c.desc == ""]
            chosen = plain[0] if plain else comments[0]
            emit("comment", str(chosen.text[0]) if chosen.text else "")
    with open(path, "rb") as f:
        f.seek(0, 2)
        if f.tell() >= 128:
            f.seek(-128, 2)
            v1 = ParseID3v1(f.read(128), v2_version=3)
            if v1 is not None:
                emit("v1", "yes")
                for key, name in (("v1title", "TIT2"), ("v1artist", "TPE1"), ("v1album", "TALB"),
                                  ("v1year", "TYER"), ("v1comment", "COMM"), ("v1track", "TRCK"),
                                  ("v1genre", "TCON")):
                    if name in v1:
                        text = str(v1[name].text[0])
                        emit(key, windows1252(text) if key != "v1genre" else text)


def make(path, recipe):
    tags = ID3()
    encoding = recipe.get("encoding", 0)
    for name, value in recipe.get("frames", {}).items():
        tags.add(TEXT_FRAMES[name](encoding=encoding, text=[value]))
    for lang, desc, text in recipe.get("comments", []):
        tags.add(COMM(encoding=encoding, lang=lang, desc=desc, text=[text]))
    if recipe.get("cover", 0):
        tags.add(APIC(encoding=0, mime="image/jpeg", type=3, desc="",
                      data=b"\xff\xd8" + b"\xa5" * (recipe["cover"] - 4) + b"\xff\xd9"))
    padding = recipe.get("padding", 1024)
    tags.save(path, v2_version=recipe.get("version", 3), v1=recipe.get("v1", 0),
              padding=lambda info: padding)


def main():
    command, path = sys.argv[1], sys.argv[2]
    if command == "read":
        read(path)
    elif command == "make":
        make(path, json.loads(sys.argv[3]))
    elif command == "length":
        print("%.6f" % MP3(path).info.length)
    else:
        sys.exit("unknown command " + command)


if __name__ == "__main__":
    main()
