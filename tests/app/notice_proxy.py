# A stand-in for the maker's web host, reached as an HTTP proxy: every GET
# gets the body given as the first argument (one byte per character).
# Prints the port it listens on (127.0.0.1 only), then serves until killed.
import http.server
import sys

BODY = sys.argv[1].encode("latin-1")


class Notice(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Length", str(len(BODY)))
        self.end_headers()
        self.wfile.write(BODY)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Notice)
print(server.server_address[1], flush=True)
server.serve_forever()
