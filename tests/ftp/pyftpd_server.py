#!/usr/bin/python3
# A real FTP server for the tests: pyftpdlib on 127.0.0.1 with users and one home folder.
# Usage: pyftpd_server.py HOME USER PASSWORD [LIMITED_USER LIMITED_PASSWORD]
# The limited user may list, read and store files but not create directories.
# Prints the port it listens on, then serves until it is terminated.
import logging
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

home, user, password = sys.argv[1:4]
authorizer = DummyAuthorizer()
authorizer.add_user(user, password, home, perm="elradfmwMT")
if len(sys.argv) > 5:
    authorizer.add_user(sys.argv[4], sys.argv[5], home, perm="elrw")

handler = FTPHandler
handler.authorizer = authorizer
# A refused login is answered at once; the default pause would only slow the tests.
handler.auth_failed_timeout = 0.1
logging.basicConfig(level=logging.CRITICAL)

server = FTPServer(("127.0.0.1", 0), handler)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever()
