#!/usr/bin/env python3
"""Writes the registration files in tests/deploy/shapes/: the shapes of files
that administrators hand to `tallowin-cli apply` (from reg export, other
tools and text editors), each small and named for what it tries. The start
state the shapes are applied to is tests/deploy/start.reg. Run this again only
when a shape is added; then run scripts/make-deploy-expectations.sh."""
import os

V5 = "Windows Registry Editor Version 5.00"
USER = "[HKEY_CURRENT_USER\\Environment]"
MACHINE = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]"
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "tests", "deploy", "shapes")


def text(lines, end="\r\n"):
    return end.join(lines) + end


def utf16(name, lines, end="\r\n", mark=True, tail=b""):
    data = (b"\xff\xfe" if mark else b"") + text(lines, end).encode("utf-16-le") + tail
    open(os.path.join(OUT, name), "wb").write(data)


def eight(name, lines, encoding="ascii", mark=b"", tail=b""):
    open(os.path.join(OUT, name), "wb").write(mark + text(lines).encode(encoding) + tail)


def raw(name, data):
    open(os.path.join(OUT, name), "wb").write(data)


def start():
    utf16(os.path.join("..", "start.reg"), [
        V5, "", MACHINE,
        '"PATH"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,00,5c,00,73,00,79,00,73,00,74,00,65,00,6d,00,33,00,32,00,00,00',
        '"ComSpec"="C:\\\\windows\\\\system32\\\\cmd.exe"', '"OS"="Windows_NT"', '"windir"="C:\\\\windows"',
        '"PATHEXT"=".COM;.EXE;.BAT;.CMD"', '"SYS_OLD"="machine"', "", USER,
        '"TEMP"="C:\\\\users\\\\deploy\\\\Temp"', '"TMP"="C:\\\\users\\\\deploy\\\\Temp"', '"KEEP_ME"="keep"',
        '"SEC_A0"="old"', '"Path"=hex(2):43,00,3a,00,5c,00,75,00,00,00', ""])


def accepted():
    utf16("header-lower-case.reg", [V5, "", "[hkey_current_user\\environment]", '"LOW_A"="1"'])
    utf16("header-trailing-backslash.reg", [V5, "", "[HKEY_CURRENT_USER\\Environment\\]", '"TRAIL_A"="1"'])
    utf16("header-short-roots.reg", [V5, "", "[HKCU\\Environment]", '"SHORT_A"="1"', "",
                                     "[HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]",
                                     '"SHORT_M"="m"'])
    utf16("header-machine-lower-case.reg", [
        V5, "", "[hkey_local_machine\\system\\currentcontrolset\\control\\session manager\\environment\\]",
        '"LOWER_M"="m"'])
    utf16("header-text-after-bracket.reg", [V5, "", USER + " ; the user's", '"AFTER_A"="1"', USER + "x",
                                            '"AFTER_B"="2"'])
    utf16("header-after-blanks.reg", ["  " + V5, "", "  " + USER, '"BLANKS_A"="1"'])
    utf16("two-sections-one-key.reg", [V5, "", USER, '"SEC_A1"="1"', "", MACHINE, '"SYS_B"="b"', "", USER,
                                       '"SEC_A2"="2"'])
    utf16("deletion-lines.reg", [V5, "", USER, '"TEMP"=-', '"SEC_A0" = -', '"KEEP_ME"=- ; gone', '"NOT_THERE"=-',
                                 "", MACHINE, '"SYS_OLD"=-'])
    utf16("deletion-then-set.reg", [V5, "", USER, '"RE_A"="1"', '"re_a"=-', '"re_a"="2"', '"keep_me"="again"'])
    utf16("default-value.reg", [V5, "", USER, '@="default"'])
    utf16("quoted-empty-name.reg", [V5, "", USER, '""="empty name"'])
    utf16("name-twice.reg", [V5, "", USER, '"Dup_X"="1"', '"DUP_X"=hex(2):32,00,00,00', '"temp"="C:\\\\t"'])
    utf16("regedit4-utf16.reg", ["REGEDIT4", "", USER, '"R4W"=hex(2):63,00,61,00,00,00'])
    eight("v5-8bit-ascii.reg", [V5, "", USER, '"V5A"="plain"', '"V5A_X"=hex(2):25,00,00,00'])
    eight("v5-8bit-ansi.reg", [V5, "", USER, '"V5N"="caf\u00e9 \u00fc"', '"N\u00e9"="x"'], "cp1252")
    eight("v5-8bit-utf8-without-mark.reg", [V5, "", USER, '"V5U"="caf\u00e9"'], "utf-8")
    eight("v5-8bit-hex-strings.reg", [V5, "", USER, '"H1"=hex(1):63,e9,00', '"H2"=hex(2):25,41,25,00',
                                      '"H7"=hex(7):61,00,62,00,00', '"H0"=hex(0):63,e9', '"H3"=hex:63,e9'],
          "cp1252")
    eight("regedit4-ascii.reg", ["REGEDIT4", "", USER, '"R4A"="plain"'])
    eight("regedit4-ansi.reg", ["REGEDIT4", "", USER, '"R4N"="caf\u00e9"',
                                '"R4H"=hex(2):63,61,66,e9,00'], "cp1252")
    utf16("comments-and-continuations.reg", [
        V5, "", "; a comment", "# another", USER, '"CM_A"="1" ; trailing', '"CM_B"=hex(2):41,00,\\ ; here', "",
        "; between", "\t00,00", '"CM_C"=hex(2):42,00,00,00,'])
    utf16("other-keys-too.reg", [V5, "", "[HKEY_CURRENT_USER\\Software\\TallowinDeploy]", '"O"="1"', "",
                                 "[-HKEY_CURRENT_USER\\Software\\TallowinGone]", "", USER, '"OTHER_A"="1"'])
    utf16("line-feeds-only.reg", [V5, "", USER, '"LF_A"="1"', '"LF_B"=hex(2):41,00,\\', '  00,00'], end="\n")
    utf16("without-byte-order-mark.reg", [V5, "", USER, '"NOMARK_A"="1"'], mark=False)
    utf16("other-types.reg", [V5, "", USER, '"DW_A"=dword:0000002a', '"QW_A"=hex(b):01,02,03,04,05,06,07,08',
                              '"BIN_A"=hex:00,ff', '"MULTI_A"=hex(7):61,00,00,00,62,00,00,00,00,00'])
    utf16("escapes.reg", [V5, "", USER, '"ES_B"="a\\\\b"', '"ES_C"="q\\"q"', '"ES_D"="n\\nn"', '"ES\\\\E"="1"'])
    utf16("nothing-changes.reg", [V5, "", USER, '"KEEP_ME"="keep"', '"Temp"="C:\\\\users\\\\deploy\\\\Temp"'])
    utf16("end-of-file-nul.reg", [V5, "", USER, '"NUL_A"="1"'], tail=b"\0\0")
    eight("utf8-with-mark.reg", [V5, "", USER, '"U8M"="caf\u00e9 \u65e5\u672c"'], "utf-8", b"\xef\xbb\xbf")


def refused():
    raw("empty.reg", b"")
    utf16("header-only.reg", [V5])
    utf16("header-wrong-case.reg", ["windows registry editor version 5.00", "", USER, '"HC_A"="1"'])
    utf16("header-text-after.reg", [V5 + " x", "", USER, '"HX_A"="1"'])
    utf16("only-other-keys.reg", [V5, "", "[HKEY_CURRENT_USER\\Software\\TallowinDeploy]", '"O"="1"'])
    utf16("subkey-of-environment.reg", [V5, "", "[HKEY_CURRENT_USER\\Environment\\Sub]", '"SUB_A"="1"'])
    utf16("header-blank-in-bracket.reg", [V5, "", "[ HKEY_CURRENT_USER\\Environment]", '"BLANK_A"="1"'])
    utf16("delete-system-path.reg", [V5, "", USER, '"U_A"="1"', "", MACHINE, '"Path"=-'])
    utf16("delete-user-key.reg", [V5, "", "[-HKEY_CURRENT_USER\\Environment]", "", USER, '"NEW_A"="1"'])
    utf16("delete-machine-key.reg", [V5, "", "[-HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment]"])
    raw("cut-after-continuation.reg", b"\xff\xfe" + (V5 + "\r\n\r\n" + USER + "\r\n" + '"CUT_A"="1"\r\n'
                                                    + '"CUT_B"=hex(2):41,00,\\\r\n').encode("utf-16-le"))
    raw("cut-inside-quotes.reg", b"\xff\xfe" + (V5 + "\r\n\r\n" + USER + "\r\n" + '"CUTQ_A"="1"\r\n'
                                               + '"CUTQ_B"="abc').encode("utf-16-le"))
    utf16("cut-on-odd-byte.reg", [V5, "", USER, '"ODD_A"="1"'], tail=b"\x22")
    utf16("text-after-nul.reg", [V5, "", USER, '"NM_A"="1"\0', '"NM_B"="2"'])
    utf16("unknown-escape.reg", [V5, "", USER, '"ESC_A"="1"', '"ESC_B"="C:\\tools\\bin"'])
    utf16("unknown-value-form.reg", [V5, "", USER, '"MAL_A"="1"', '"MAL_B"=foo:12', '"MAL_C"="3"'])
    utf16("type-word-upper-case.reg", [V5, "", USER, '"HU_A"=HEX(2):41,00,00,00'])
    utf16("quote-in-data.reg", [V5, "", USER, '"UQ_A"="a"b"', '"UQ_B"="2"'])
    utf16("dword-too-long.reg", [V5, "", USER, '"DB_A"=dword:123456789'])
    utf16("deletion-with-text-after.reg", [V5, "", USER, '"SEC_A0"=-x'])
    utf16("stray-text.reg", [V5, "", USER, 'JUNK="1"', '"JL_A"="1"'])
    utf16("value-before-key.reg", [V5, '"BEFORE"="1"', "", USER, '"AFTER_A"="1"'])
    utf16("value-too-long.reg", [V5, "", USER, '"SHORT_OK"="1"', '"LONG_A"="' + "x" * 32768 + '"'])
    eight("utf8-mark-not-utf8.reg", [V5, "", USER, '"U8X"="caf\u00e9"'], "cp1252", b"\xef\xbb\xbf")


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    start()
    accepted()
    refused()
