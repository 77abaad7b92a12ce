#!/usr/bin/env python3
"""Writes the service data that ships in the DATA folder next to the
programs: the access-number phone book PHONE.INI and the advertisement list
AD.INI. The dialer reads them as ANSI text in the Korean code page 949, so
the files are written in CP949 with CR LF line ends. Run it after changing
the lists below:  python3 data/make_data.py"""
import os

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "DATA")

# Bump DATE (it must sort higher) whenever the lists change, so that
# installed dialers import them again.
VERSION = "1.0"
DATE = "19991012"

# "number, line-speed tokens, option letters"
NATIONWIDE = [
    "01433, 56000V90 28800, PS",
    "01434, 56000V90 28800, S",
    "01435, ISDN128, 0",
]

AREAS = [
    ("02", "서울특별시", ["3140-1000, 56000V90 28800, S", "3140-2000, 28800, H", "3140-3000, ISDN128, 0"]),
    ("031", "경기도", ["210-1000, 56000V90 28800, S", "210-2000, ISDN128, 0"]),
    ("032", "인천광역시", ["550-1000, 56000V90 28800, S"]),
    ("033", "강원도", ["250-1000, 56000V90 28800, S"]),
    ("042", "대전광역시", ["480-1000, 56000V90 28800, S"]),
    ("051", "부산광역시", ["860-1000, 56000V90 28800, S", "860-2000, ISDN128, 0"]),
    ("053", "대구광역시", ["740-1000, 56000V90 28800, S"]),
    ("062", "광주광역시", ["610-1000, 56000V90 28800, S"]),
    ("064", "제주도", ["720-1000, 28800, H"]),
]

ADS = [
    ("AD1.GIF", "http://www.tovanet.co.kr/event/"),
    ("AD2.GIF", "http://www.palvexcard.co.kr/"),
    ("AD3.GIF", "http://www.tovanet.co.kr/plus/"),
]


def write(name, lines):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp949"))


def phone_book():
    lines = ["; 토바넷 접속 번호", "[PhoneBook]", "Version=" + VERSION, "Date=" + DATE]
    lines += ["Phone%d=%s" % (i + 1, p) for i, p in enumerate(NATIONWIDE)]
    lines.append("SubCount=%d" % len(AREAS))
    lines += ["Sub%d=%s" % (i + 1, a[0]) for i, a in enumerate(AREAS)]
    for code, desc, phones in AREAS:
        lines += ["", "[%s]" % code, "Desc=%s" % desc]
        lines += ["Phone%d=%s" % (i + 1, p) for i, p in enumerate(phones)]
    write("PHONE.INI", lines)


def ad_list():
    lines = ["; 토바넷 광고", "[Advertisement]", "Version=" + VERSION, "Date=" + DATE,
             "Delay=5", "Count=%d" % len(ADS)]
    for i, (image, url) in enumerate(ADS):
        lines += ["", "[ad%d]" % (i + 1), "Image=" + image, "URL=" + url]
    write("AD.INI", lines)


if __name__ == "__main__":
    os.makedirs(HERE, exist_ok=True)
    phone_book()
    ad_list()
