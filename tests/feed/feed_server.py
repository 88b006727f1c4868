"""A small web server for the feed tests, on 127.0.0.1 only.

Arguments: the feeds folder, and optionally a certificate and its key to
serve https instead of http. Prints its port on the first line of stdout,
then serves until killed:
  /files/NAME        a file of the feeds folder (RSS as application/rss+xml)
  /files/NAME?charset=CS   the same with "; charset=CS" in its Content-Type
  /redirect/N        N redirects, then /files/wordpress_rss.xml
  /loop              redirects to itself for ever
  /to-file           redirects to a file:// address
  /missing           404
  /moved-without-location  301 without a Location header, a feed as its body
  /slow              sends the head, then waits far longer than any test
  /huge              a body of 1 MB of feed-like text with no length given
"""
import http.server
import os
import urllib.parse
import socketserver
import ssl
import sys
import time

FEEDS = sys.argv[1]


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def send(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def redirect(self, where):
        self.send(302, b"", [("Location", where)])

    def do_GET(self):
        path, _, query = self.path.partition("?")
        params = urllib.parse.parse_qs(query)
        if path.startswith("/files/"):
            name = os.path.basename(path[len("/files/"):])
            try:
                with open(os.path.join(FEEDS, name), "rb") as f:
                    body = f.read()
            except OSError:
                return self.send(404, b"not found")
            kind = "application/json" if name.endswith(".json") else "application/rss+xml"
            if "charset" in params:
                kind += "; charset=" + params["charset"][0]
            return self.send(200, body, [("Content-Type", kind)])
        if path.startswith("/redirect/"):
            n = int(path[len("/redirect/"):])
            return self.redirect("/files/wordpress_rss.xml" if n <= 1 else "/redirect/%d" % (n - 1))
        if path == "/moved-without-location":
            with open(os.path.join(FEEDS, "wordpress_rss.xml"), "rb") as f:
                return self.send(301, f.read(), [("Content-Type", "application/rss+xml")])
        if path == "/loop":
            return self.redirect("/loop")
        if path == "/to-file":
            return self.redirect("file:///etc/hostname")
        if path == "/slow":
            self.send_response(200)
            self.send_header("Content-Type", "application/rss+xml")
            self.end_headers()
            self.wfile.write(b"<?xml version='1.0'?><rss version='2.0'><channel>")
            self.wfile.flush()
            time.sleep(60)
            return
        if path == "/huge":
            self.send_response(200)
            self.send_header("Content-Type", "application/rss+xml")
            self.end_headers()
            item = b"<item><title>more</title><link>http://x.example/</link></item>\n" * 100
            self.wfile.write(b"<?xml version='1.0'?><rss version='2.0'><channel>")
            try:
                for _ in range(1024 * 1024 // len(item)):
                    self.wfile.write(item)
                self.wfile.write(b"</channel></rss>")
            except OSError:
                pass
            return
        self.send(404, b"not found")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


server = Server(("127.0.0.1", 0), Handler)
if len(sys.argv) > 3:
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[2], sys.argv[3])
    server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
server.serve_forever()
