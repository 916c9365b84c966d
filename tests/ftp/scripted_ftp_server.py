#!/usr/bin/python3
# A scripted FTP server for the faults a real server will not produce on demand.
# Usage: scripted_ftp_server.py SCENARIO COMMAND_LOG [ROOT [DROPS [norename]]]
# Prints the port it listens on (127.0.0.1), then serves one client after the other and
# appends every command it receives to COMMAND_LOG. Scenarios:
#   plain       CR LF replies; a transfer ends with "226" and a stray second "226" in one piece
#   multiline   LF-only line ends, a five-line greeting and every reply multi-line
#   split       replies sent a byte at a time; "150" and "226" in one piece after data,
#               followed at once by a second, stray "226"
#   quit421     "421" to CWD, then the connection is closed
#   pwdquotes   "257" with junk before the path and doubled quotes inside it
#   nodata      "150" to LIST/RETR/STOR, but the data connection never comes
#   retr426     RETR sends part of the file, then "426"
#   stor552     STOR takes all data, then "552"
#   closemid    STOR takes some data, then the control connection is closed
#   silent      nothing is answered after the login and TYPE
#   total       the listing starts with "total 2"
#   eightcol    the listing has no group column
#   unsafe      the listing holds names that climb out of a folder
#   userok      "120" before the greeting, "230" right after USER, TYPE refused
#   noepsv      EPSV is not known ("500"), PASV is
#   files       a real file store in the folder ROOT (CWD, PWD, MKD, STOR, RETR, RNFR/RNTO,
#               DELE, LIST); DROPS is a comma-separated list of STOR numbers, counted over all
#               sessions from 1, during which the connection is closed after some data; an
#               entry N:CODE instead answers STOR number N with CODE after taking its data;
#               an entry N:stall logs "STALLED" at STOR number N and then takes nothing more,
#               for a test to kill the client there; with "norename", RNFR is not known
#   bare227     EPSV is not known, PASV is answered by a bare "227" without an address
#   escapes     the password is refused with a text that would set the terminal's title, clear
#               the screen and print a fake success
#   endlessline the greeting "220 " never ends its line
#   endlessreply
#               the greeting is a multi-line reply whose lines never stop coming
#   endlesslisting
#               as files, but the listing of a folder never ends
import os
import posixpath
import socket
import sys
import time

scenario, log_path = sys.argv[1], sys.argv[2]
root = os.path.realpath(sys.argv[3]) if len(sys.argv) > 3 else None
entries = [n.split(":") for n in sys.argv[4].split(",") if n] if len(sys.argv) > 4 else []
drops = {int(e[0]) for e in entries if len(e) == 1}
refusals = {int(e[0]): int(e[1]) for e in entries if len(e) == 2 and e[1] != "stall"}
stalls = {int(e[0]) for e in entries if len(e) == 2 and e[1] == "stall"}
no_rename = len(sys.argv) > 5 and sys.argv[5] == "norename"
stor_count = 0
eol = b"\n" if scenario == "multiline" else b"\r\n"

LISTINGS = {
    "total": ["total 2", "-rw-r--r-- 1 u g 5 Jan 5 2001 ok.txt", "drwxr-xr-x 2 u g 0 Jan 5 10:30 pics"],
    "eightcol": ["-rw-r--r-- 1 u 5 Jan 5 2001 ok.txt"],
    "unsafe": ["-rw-r--r-- 1 u g 4 Jan 5 2001 ../escape.txt",
               "-rw-r--r-- 1 u g 4 Jan 5 2001 sub/inner.txt",
               "-rw-r--r-- 1 u g 4 Jan 5 2001 back\\slash.txt",
               "drwxr-xr-x 2 u g 0 Jan 5 2001 .",
               "drwxr-xr-x 2 u g 0 Jan 5 2001 ..",
               "drwxr-xr-x 2 u g 0 Jan 5 2001 ../../up",
               "-rw-r--r-- 1 u g 5 Jan 5 2001 ok.txt"],
}
DEFAULT_LISTING = ["-rw-r--r-- 1 u g 5 Jan 5 2001 ok.txt"]


def send(conn, data):
    if scenario == "split":
        for i in range(len(data)):
            conn.sendall(data[i:i + 1])
            time.sleep(0.001)
    else:
        conn.sendall(data)


def send_forever(conn, start, more):
    conn.sendall(start)
    while True:
        conn.sendall(more)


def reply(conn, code, text):
    if scenario == "multiline":
        data = b"%d-%s" % (code, text) + eol + b" inner line" + eol + b"%d end" % code + eol
    else:
        data = b"%d %s" % (code, text) + eol
    send(conn, data)


class Session:
    def __init__(self, conn):
        self.conn = conn
        self.port_address = None
        self.passive = None
        self.ready = False
        self.buffer = b""

    def lines(self):
        while True:
            while b"\n" not in self.buffer:
                chunk = self.conn.recv(4096)
                if not chunk:
                    return
                self.buffer += chunk
            line, self.buffer = self.buffer.split(b"\n", 1)
            yield line.rstrip(b"\r")

    def open_data(self):
        if self.passive is not None:
            data, _ = self.passive.accept()
            self.passive.close()
            self.passive = None
            return data
        return socket.create_connection(self.port_address)

    def listen_passive(self):
        self.passive = socket.socket()
        self.passive.bind(("127.0.0.1", 0))
        self.passive.listen(1)
        return self.passive.getsockname()[1]

    def transfer(self, verb):
        if scenario == "nodata":
            reply(self.conn, 150, b"Opening data connection")
            return
        reply(self.conn, 150, b"Opening data connection")
        data = self.open_data()
        if verb == b"LIST":
            lines = LISTINGS.get(scenario, DEFAULT_LISTING)
            data.sendall(b"".join(l.encode() + b"\r\n" for l in lines))
        elif verb == b"RETR":
            if scenario == "retr426":
                data.sendall(b"partial")
                data.close()
                reply(self.conn, 426, b"Connection closed; transfer aborted")
                return
            data.sendall(b"hello")
        elif verb == b"STOR":
            received = 0
            while True:
                chunk = data.recv(65536)
                if not chunk:
                    break
                received += len(chunk)
                if scenario == "closemid" and received > 0:
                    data.close()
                    self.conn.close()
                    raise ConnectionError("closed on purpose")
            if scenario == "stor552":
                data.close()
                reply(self.conn, 552, b"Quota exceeded")
                return
        data.close()
        if scenario in ("plain", "split"):
            send(self.conn, b"226 Transfer complete\r\n226 A stray second reply\r\n")
        else:
            reply(self.conn, 226, b"Transfer complete")

    def local(self, argument):
        # Names travel as bytes; one that is not UTF-8 is stored as the bytes it was sent as.
        argument = argument.decode(errors="surrogateescape")
        path = posixpath.normpath(posixpath.join(self.cwd, argument))
        return path, os.path.join(root, path.lstrip("/"))

    def file_command(self, verb, argument):
        global stor_count
        path, local = self.local(argument)
        if verb == b"PWD":
            reply(self.conn, 257, b'"' + self.cwd.encode(errors="surrogateescape") + b'" is the current directory')
        elif verb == b"CWD" and os.path.isdir(local):
            self.cwd = path
            reply(self.conn, 250, b"Directory changed")
        elif verb == b"MKD" and not os.path.exists(local):
            os.mkdir(local)
            reply(self.conn, 257, b'"' + path.encode(errors="surrogateescape") + b'" created')
        elif verb == b"DELE" and os.path.isfile(local):
            os.remove(local)
            reply(self.conn, 250, b"Deleted")
        elif verb == b"RNFR" and no_rename:
            reply(self.conn, 502, b"RNFR not implemented")
        elif verb == b"RNFR" and os.path.exists(local):
            self.rename_from = local
            reply(self.conn, 350, b"Ready for RNTO")
        elif verb == b"RNTO" and self.rename_from:
            os.replace(self.rename_from, local)
            self.rename_from = None
            reply(self.conn, 250, b"Renamed")
        elif verb == b"RETR" and os.path.isfile(local):
            reply(self.conn, 150, b"Opening data connection")
            data = self.open_data()
            with open(local, "rb") as f:
                for chunk in iter(lambda: f.read(65536), b""):
                    data.sendall(chunk)
            data.close()
            reply(self.conn, 226, b"Transfer complete")
        elif verb == b"STOR":
            stor_count += 1
            reply(self.conn, 150, b"Opening data connection")
            data = self.open_data()
            if stor_count in stalls:
                with open(log_path, "ab") as log:
                    log.write(b"STALLED\n")
                time.sleep(3600)
            with open(local, "wb") as f:
                while True:
                    chunk = data.recv(65536)
                    if not chunk:
                        break
                    f.write(chunk)
                    if stor_count in drops:
                        data.close()
                        self.conn.close()
                        raise ConnectionError("closed on purpose")
            data.close()
            if stor_count in refusals:
                reply(self.conn, refusals[stor_count], b"Not now")
            else:
                reply(self.conn, 226, b"Transfer complete")
        elif verb == b"LIST" and os.path.isdir(local):
            reply(self.conn, 150, b"Opening data connection")
            data = self.open_data()
            if scenario == "endlesslisting":
                send_forever(data, b"", b"-rw-r--r-- 1 u g 5 Jan 5 2001 more.jpg" + eol)
            for name in sorted(os.listdir(local)):
                full = os.path.join(local, name)
                kind = "d" if os.path.isdir(full) else "-"
                line = "%srw-r--r-- 1 u g %d Jan 5 2001 %s" % (kind, os.path.getsize(full), name)
                data.sendall(line.encode(errors="surrogateescape") + eol)
            data.close()
            reply(self.conn, 226, b"Transfer complete")
        else:
            reply(self.conn, 550, b"No such file or directory")

    def run(self):
        self.cwd = "/"
        self.rename_from = None
        if scenario in ("endlessline", "endlessreply"):
            send_forever(self.conn, b"220 ", b"x" * 65536 if scenario == "endlessline"
                         else b"220-and there is more to say" + eol)
        if scenario == "multiline":
            send(self.conn, b"220-Welcome" + eol + b"220-to the" + eol + b"220-scripted" + eol +
                 b"220-server" + eol + b"220 ready" + eol)
        else:
            if scenario == "userok":
                reply(self.conn, 120, b"Ready in a moment")
            reply(self.conn, 220, b"ready")
        for line in self.lines():
            with open(log_path, "ab") as log:
                log.write(line + b"\n")
            verb, _, argument = line.partition(b" ")
            verb = verb.upper()
            if scenario == "silent" and self.ready:
                continue
            if verb == b"USER" and scenario == "userok":
                reply(self.conn, 230, b"No password needed")
            elif verb == b"USER":
                reply(self.conn, 331, b"Password please")
            elif verb == b"PASS" and scenario == "escapes":
                reply(self.conn, 530, b"\x1b]0;owned\x07\x1b[2J\x1b[H\xc2\x9b31mUpload complete")
            elif verb == b"PASS":
                reply(self.conn, 230, b"Logged in")
            elif verb == b"TYPE":
                self.ready = True
                if scenario == "userok":
                    reply(self.conn, 502, b"TYPE not implemented")
                else:
                    reply(self.conn, 200, b"Type set")
            elif scenario in ("files", "endlesslisting") and verb in (b"PWD", b"CWD", b"MKD", b"DELE", b"RNFR", b"RNTO",
                                                   b"RETR", b"STOR", b"LIST"):
                self.file_command(verb, argument)
            elif verb == b"PWD":
                if scenario == "pwdquotes":
                    reply(self.conn, 257, b'junk: "/a ""b"" c" is the current directory')
                else:
                    reply(self.conn, 257, b'"/cwd" is the current directory')
            elif verb == b"CWD":
                if scenario == "quit421":
                    reply(self.conn, 421, b"Service closing")
                    return
                reply(self.conn, 250, b"Directory changed")
            elif verb in (b"MKD",):
                reply(self.conn, 257, b'"' + argument + b'" created')
            elif verb in (b"DELE", b"RMD"):
                reply(self.conn, 250, b"Done")
            elif verb == b"PORT":
                numbers = [int(n) for n in argument.split(b",")]
                self.port_address = (".".join(map(str, numbers[:4])), numbers[4] * 256 + numbers[5])
                reply(self.conn, 200, b"PORT ok")
            elif verb == b"EPSV" and scenario in ("noepsv", "bare227"):
                reply(self.conn, 500, b"Unknown command")
            elif verb == b"EPSV":
                reply(self.conn, 229, b"Entering Extended Passive Mode (|||%d|)" % self.listen_passive())
            elif verb == b"PASV" and scenario == "bare227":
                send(self.conn, b"227" + eol)
            elif verb == b"PASV":
                port = self.listen_passive()
                reply(self.conn, 227, b"Entering Passive Mode (127,0,0,1,%d,%d)" % (port // 256, port % 256))
            elif verb in (b"LIST", b"RETR", b"STOR"):
                self.transfer(verb)
            elif verb == b"QUIT":
                reply(self.conn, 221, b"Bye")
                return
            else:
                reply(self.conn, 502, b"Not implemented")


server = socket.socket()
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", 0))
server.listen(5)
print(server.getsockname()[1], flush=True)
while True:
    conn, _ = server.accept()
    try:
        Session(conn).run()
    except (ConnectionError, OSError):
        pass
    finally:
        conn.close()
