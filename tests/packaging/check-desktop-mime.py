#!/usr/bin/env python3
"""The desktop entry offers Varelith for font files: its Exec passes the files (%F), every
MimeType it names is a font type the system's shared-mime-info knows (as a type or an
alias), and each font file the program opens, by its extension, has its MIME type named
there. An extension the system gives to another format (.otc, an OpenDocument chart
template) is not claimed: the program would be offered for those documents too.

    check-desktop-mime.py ENTRY [FREEDESKTOP_XML]
"""
import configparser
import fnmatch
import sys
import xml.etree.ElementTree as ElementTree

# The extensions the open dialog offers as font files (QtFontFileChooser::extensions).
FONT_EXTENSIONS = ["ttf", "otf", "ttc", "otc", "woff", "woff2"]
NS = "{http://www.freedesktop.org/standards/shared-mime-info}"


def known_types(path):
    """Each type and alias, with the type it stands for; each glob with its type; the
    types drawn with the font icon."""
    names, globs, fonts = {}, [], set()
    for mime in ElementTree.parse(path).getroot().iter(NS + "mime-type"):
        canonical = mime.get("type")
        names[canonical] = canonical
        for icon in mime.iter(NS + "generic-icon"):
            if icon.get("name") == "font-x-generic":
                fonts.add(canonical)
        for alias in mime.iter(NS + "alias"):
            names[alias.get("type")] = canonical
        for glob in mime.iter(NS + "glob"):
            globs.append((glob.get("pattern"), int(glob.get("weight", "50")), canonical))
    return names, globs, fonts


def type_of(file_name, globs):
    """The type shared-mime-info gives a file by its name: the heaviest, longest glob."""
    matches = [(weight, len(pattern), mime) for pattern, weight, mime in globs
               if fnmatch.fnmatchcase(file_name, pattern) or
               fnmatch.fnmatchcase(file_name.lower(), pattern)]
    return max(matches)[2] if matches else None


def main():
    entry_path = sys.argv[1]
    mime_xml = sys.argv[2] if len(sys.argv) > 2 else \
        "/usr/share/mime/packages/freedesktop.org.xml"
    entry = configparser.ConfigParser(interpolation=None, strict=False)
    entry.optionxform = str
    entry.read(entry_path, encoding="utf-8")
    section = entry["Desktop Entry"]
    problems = []
    if not any(code in section.get("Exec", "").split() for code in ("%F", "%U")):
        problems.append("Exec does not pass the files opened: " + section.get("Exec", ""))
    names, globs, fonts = known_types(mime_xml)
    offered = [name for name in section.get("MimeType", "").split(";") if name]
    for name in offered:
        if name not in names:
            problems.append("MimeType names " + name + ", which shared-mime-info does not know")
        elif names[name] not in fonts:
            problems.append("MimeType names " + name + ", which is not a font type")
    covered = {names[name] for name in offered if name in names}
    for extension in FONT_EXTENSIONS:
        mime = type_of("font." + extension, globs)
        if mime is None:
            problems.append("shared-mime-info has no type for ." + extension)
        elif mime not in fonts:
            print("." + extension + " files are " + mime + " here: not claimed")
        elif mime not in covered:
            problems.append("MimeType lacks " + mime + ", the type of ." + extension + " files")
    for problem in problems:
        print("FAIL: " + problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
