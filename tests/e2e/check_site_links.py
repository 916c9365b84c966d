#!/usr/bin/python3
# Serves a folder over HTTP on 127.0.0.1 and visits it the way a visitor does: from the top
# page, every page it leads to, each with everything it refers to in the same site (pictures,
# style sheets, scripts, links to other pages and pictures, the pictures a style sheet names).
# A folder without the top page is a gallery not yet live, which is fine. Prints one line per
# reference that does not answer 200 and exits 1 when there is any.
# Usage: check_site_links.py FOLDER TOP-PAGE
import functools
import html.parser
import http.server
import os
import re
import sys
import threading
import urllib.error
import urllib.parse
import urllib.request

root, top = sys.argv[1], sys.argv[2]


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class References(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.urls = []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if not value:
                continue
            # The lightbox keeps its own candidate list in data-pswp-srcset.
            if name == "srcset" or name.endswith("-srcset"):
                self.urls += [part.strip().split(" ")[0] for part in value.split(",")]
            elif name in ("src", "href", "poster") or name.startswith("data-"):
                self.urls.append(value)


def same_site(url):
    if not url or url.startswith(("#", "//")) or re.match(r"^[a-zA-Z][a-zA-Z0-9+.-]*:", url):
        return False
    # Only addresses of files: data attributes also hold numbers and words.
    return "." in url.split("?")[0].split("#")[0].rsplit("/", 1)[-1]


def fetch(url):
    try:
        with urllib.request.urlopen(url, timeout=10) as answer:
            return answer.status, answer.read()
    except urllib.error.HTTPError as error:
        return error.code, b""


server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", 0), functools.partial(Quiet, directory=root))
threading.Thread(target=server.serve_forever, daemon=True).start()
base = "http://127.0.0.1:%d/" % server.server_address[1]

faults = []
checked = set()
pages = [base + urllib.parse.quote(top)]
visited = set(pages)
if not os.path.isfile(os.path.join(root, top)):
    pages = []
while pages:
    page_url = pages.pop()
    status, body = fetch(page_url)
    if status != 200:
        faults.append("%s: %d" % (page_url, status))
        continue
    parser = References()
    parser.feed(body.decode("utf-8", "replace"))
    for url in filter(same_site, parser.urls):
        target = urllib.parse.urljoin(page_url, url).split("#")[0]
        if target.endswith((".html", ".htm")) and target not in visited:
            visited.add(target)
            pages.append(target)
        if target in checked:
            continue
        checked.add(target)
        status, content = fetch(target)
        if status != 200:
            faults.append("%s -> %s: %d" % (page_url[len(base):], url, status))
        elif target.endswith(".css"):
            for ref in re.findall(r"url\(\s*['\"]?([^'\")]+)", content.decode("utf-8", "replace")):
                if same_site(ref) and fetch(urllib.parse.urljoin(target, ref))[0] != 200:
                    faults.append("%s -> %s: missing" % (target[len(base):], ref))
server.shutdown()
print("\n".join(faults) if faults else "%d pages visited" % len(visited))
sys.exit(1 if faults else 0)
