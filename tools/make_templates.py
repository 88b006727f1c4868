#!/usr/bin/env python3
"""Writes the seed template projects of resources/templates.

Run it after changing a template here; the .jslr files it writes are
committed. Each template is an ordinary project file."""

import os

SEP = "#$@"
HEADER = [
    "<Warning_Info>",
    "Note: This file be created and maintained by JavaScript Lumeroll 1.0.",
    "It may cause the project file can't be opened correctly if you modify it by yourself!",
    "</Warning_Info>",
    "<Product_Name>", "JavaScript Lumeroll", "</Product_Name>",
    "<Product_Version>", "1.0", "</Product_Version>",
]


def project(applet, items):
    lines = HEADER + ["<Applet_Parameters>", "".join(v + SEP for v in applet),
                      "</Applet_Parameters>", "<Item_Parameters>"]
    for caption, link, target, content, level in items:
        html = "".join(line + "<br />" for line in content)
        fields = [caption, link, target, html, str(level), ""] + [""] * 14
        lines.append("".join(f + SEP for f in fields))
    lines.append("</Item_Parameters>")
    return "".join(line + "\r\n" for line in lines).encode("utf-8")


def applet(delay, width, height, bw, bstyle, bcolor, pad, bg, cursor,
           tfont, talign, tcolor, tpad, tsize, tbold, titalic,
           cfont, calign, ccolor, cpad, csize, cbold="0", citalic="0"):
    return [delay, width, height, bw, bstyle, bcolor, pad, bg, "1000", cursor,
            tfont, talign, tcolor, tpad, tsize, tbold, titalic,
            cfont, calign, ccolor, cpad, csize, cbold, citalic, "", "", "1"]


TEMPLATES = {
    "Plain News List.jslr": project(
        applet("4000", "260", "140", "1", "3", "B0B7C3", "8", "FFFFFF", "6",
               "Georgia,Times New Roman,serif", "0", "1F3A5F", "2", "15", "1", "0",
               "Helvetica,Arial,sans-serif", "0", "333333", "2", "13"),
        [("Welcome to our news", "index.html", "_self",
          ["Latest announcements appear here,", "one after the other."], 0),
         ("Opening hours", "hours.html", "_self",
          ["Monday to Friday, 9:00 to 17:00."], 0),
         ("Newsletter", "newsletter.html", "_blank",
          ["Sign up to hear from us every month."], 0)]),
    "Dark Ticker.jslr": project(
        applet("3000", "320", "90", "2", "1", "F5B700", "6", "1B1E23", "6",
               "Verdana,Geneva,sans-serif", "0", "F5B700", "1", "14", "1", "0",
               "Verdana,Geneva,sans-serif", "0", "E6E6E6", "1", "12"),
        [("Breaking", "", "_self", ["Markets open higher this morning."], 0),
         ("Sport", "", "_self", ["Home team wins the final 2 to 1."], 0),
         ("Weather", "", "_self", ["Sunny spells, light winds, 18 degrees."], 0),
         ("Traffic", "", "_self", ["Delays on the ring road after 16:00."], 0)]),
    "Wide Banner.jslr": project(
        applet("5000", "728", "90", "0", "0", "FFFFFF", "10", "EAF4FB", "6",
               "Trebuchet MS,Helvetica,Arial,sans-serif", "1", "0B4F6C", "2", "20", "1", "0",
               "Trebuchet MS,Helvetica,Arial,sans-serif", "1", "145374", "2", "14", "0", "1"),
        [("Summer sale: 20% off everything", "sale.html", "_self",
          ["Until the end of the month, in store and online."], 0),
         ("Free delivery", "delivery.html", "_self",
          ["On every order over 50."], 0),
         ("New collection", "new.html", "_self",
          ["See what has just arrived."], 0)]),
}

if __name__ == "__main__":
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "templates")
    os.makedirs(folder, exist_ok=True)
    for name, data in TEMPLATES.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
