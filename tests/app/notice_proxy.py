# A stand-in for the maker's web host, reached as an HTTP proxy: every GET
# gets the body given as the first argument (one byte per character). With
# a second argument, a file, it asks for credentials (401) and appends every
# Authorization header it receives to that file.
# Prints the port it listens on (127.0.0.1 only), then serves until killed.
import http.server
import sys

BODY = sys.argv[1].encode("latin-1")
LOG = sys.argv[2] if len(sys.argv) > 2 else None


class Notice(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if LOG is not None:
            answer = self.headers.get("Authorization")
            if answer is not None:
                with open(LOG, "a") as log:
                    print(answer, file=log)
            else:
                self.send_response(401)
                self.send_header("WWW-Authenticate", 'Basic realm="Marnova"')
                self.send_header("Content-Length", "0")
                self.end_headers()
                return
        self.send_response(200)
        self.send_header("Content-Length", str(len(BODY)))
        self.end_headers()
        self.wfile.write(BODY)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Notice)
print(server.server_address[1], flush=True)
server.serve_forever()
