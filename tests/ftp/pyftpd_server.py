#!/usr/bin/python3
# A real FTP server for the tests: pyftpdlib on 127.0.0.1 with users and one home folder.
# Usage: pyftpd_server.py [--login-dir=/PATH] [--tls=PEMFILE] HOME USER PASSWORD
#                         [LIMITED_USER LIMITED_PASSWORD]
# The limited user may list, read and store files but not create directories.
# With --login-dir, users log in to that folder below "/" (as on most shared hosting)
# instead of "/" itself; PWD names it, and "/" stays reachable.
# With --tls, the server speaks explicit TLS with the certificate and key of PEMFILE and
# refuses a login before AUTH TLS and any transfer before PROT P. Like several servers in
# use, it also refuses a data connection that does not resume the control connection's TLS
# session.
# With --tls-version=1.2 or 1.3, the server speaks that version of TLS and no other.
# With --log=FILE, every STOR, RNTO, DELE and MKD is written to FILE as it arrives, one
# line each ("RNTO images/a.jpg"), and every USER as "USER" alone, so that a test can read the order things went live in.
# With --cut=NAME:COUNT, the first COUNT files stored under a name starting with NAME are
# cut to half their size after "226", as a server does whose data connection was reset.
# With --no-size, the server does not know SIZE.
# With --max-per-ip=N, a client may hold N connections at once; more are answered "421".
# Prints the port it listens on, then serves until it is terminated.
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from OpenSSL import SSL
from pyftpdlib.handlers import FTPHandler, TLS_DTPHandler, TLS_FTPHandler
from pyftpdlib.servers import FTPServer

options = dict((a[2:].split("=", 1) + [""])[:2] for a in sys.argv[1:] if a.startswith("--"))
arguments = [a for a in sys.argv[1:] if not a.startswith("--")]
login_dir = options.get("login-dir")
tls_pem = options.get("tls")
log_file = options.get("log")
cut_name, cut_count = (options.get("cut", ":0").rsplit(":", 1) + ["0"])[:2]
cut_left = [int(cut_count)]
home, user, password = arguments[0:3]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, home, perm="elradfmwMT")
if len(arguments) > 4:
    authorizer.add_user(arguments[3], arguments[4], home, perm="elrw")


class ReuseRequiringDTPHandler(TLS_DTPHandler):
    def handle_ssl_established(self):
        if not SSL._lib.SSL_session_reused(self.socket._ssl):
            self.cmd_channel.respond("522 The data connection must reuse the TLS session.")
            self.close()
            return
        super().handle_ssl_established()


class Handler(TLS_FTPHandler if tls_pem else FTPHandler):
    def on_login(self, username):
        if login_dir:
            self.fs.cwd = login_dir

    def pre_process_command(self, line, cmd, arg):
        if log_file and cmd in ("STOR", "RNTO", "DELE", "MKD", "USER"):
            with open(log_file, "a") as log:
                log.write("%s %s\n" % (cmd, "" if cmd == "USER" else arg))
        super().pre_process_command(line, cmd, arg)

    def on_file_received(self, file):
        name = file.rsplit("/", 1)[-1]
        if cut_name and cut_left[0] > 0 and name.startswith(cut_name):
            cut_left[0] -= 1
            with open(file, "r+b") as stored:
                stored.truncate(os.path.getsize(file) // 2)


handler = Handler
if "no-size" in options:
    handler.proto_cmds = {k: v for k, v in FTPHandler.proto_cmds.items() if k != "SIZE"}
handler.authorizer = authorizer
# A refused login is answered at once; the default pause would only slow the tests.
handler.auth_failed_timeout = 0.1
if tls_pem:
    handler.certfile = tls_pem
    handler.tls_control_required = True
    handler.tls_data_required = True
    handler.dtp_handler = ReuseRequiringDTPHandler
    if options.get("tls-version"):
        version = {"1.2": SSL.TLS1_2_VERSION, "1.3": SSL.TLS1_3_VERSION}[options["tls-version"]]
        handler.ssl_protocol = SSL.TLS_METHOD
        handler.get_ssl_context()
        handler.ssl_context.set_min_proto_version(version)
        handler.ssl_context.set_max_proto_version(version)
logging.basicConfig(level=logging.CRITICAL)

server = FTPServer(("127.0.0.1", 0), handler)
server.max_cons_per_ip = int(options.get("max-per-ip") or 0)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever()
