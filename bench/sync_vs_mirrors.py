#!/usr/bin/python3
"""Publishing speed of folioscope-cli side by side with lftp and rclone.

    bench/sync_vs_mirrors.py [--build build] [--runs 3] [--pictures 9] [--sftp] [--connections 2]

Builds a gallery of generated pictures (the Modern template with picture pages; 9 pictures
give 30 files, 133 give 400), starts pyftpdlib on 127.0.0.1 (the tests' server), or with
--sftp an OpenSSH server of its own, and publishes the gallery's folder into an empty folder
(made beforehand) and again with nothing changed, with "folioscope-cli publish", "lftp mirror
-R" and "rclone sync", each into a folder of its own, --runs times in turn. Prints each tool's
median seconds and folioscope-cli's time as a ratio of each other tool's.
Needs lftp and rclone (apt-get install lftp rclone), and for --sftp openssh-server.
"""
import argparse
import os
import pwd
import shutil
import socket
import statistics
import struct
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
USER, PASSWORD = "user", "secret"


def write_bmp(path, width, height, seed):
    row = bytearray()
    for x in range(width):
        row += bytes(((x * 3 + seed * 40) % 256, (x + seed * 17) % 256, (seed * 60) % 256))
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = b"".join(bytes((b + y) % 256 for b in row) if y % 16 == 0 else row
                      for y in range(height))
    header = struct.pack("<2sIHHIIiiHHIIiiII", b"BM", 54 + len(pixels), 0, 0, 54, 40, width,
                         height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + pixels)


def timed(argv, env=None):
    start = time.monotonic()
    result = subprocess.run(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    seconds = time.monotonic() - start
    if result.returncode != 0:
        sys.exit("%s failed: %s" % (argv[0], result.stderr.decode(errors="replace")))
    return seconds


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--pictures", type=int, default=9)
    parser.add_argument("--sftp", action="store_true")
    parser.add_argument("--connections", type=int, default=2,
                        help="connections folioscope-cli sends over")
    args = parser.parse_args()
    for tool in ("lftp", "rclone"):
        if not shutil.which(tool):
            sys.exit("%s is not installed: apt-get install lftp rclone" % tool)
    cli = os.path.join(args.build, "src/cli/folioscope-cli")
    work = tempfile.mkdtemp(prefix="sync-bench-")
    env = dict(os.environ, XDG_STATE_HOME=work + "/state", XDG_CONFIG_HOME=work + "/config",
               FOLIOSCOPE_DATA_DIR=os.path.join(ROOT, "data"),
               FOLIOSCOPE_FTP_PASSWORD=PASSWORD)
    os.makedirs(work + "/pictures")
    for i in range(args.pictures):
        write_bmp("%s/pictures/p%02d.bmp" % (work, i), 1600, 1200, i)
    gallery = work + "/gallery"
    subprocess.run([cli, "build", "--images", work + "/pictures", "--html-dir", gallery,
                    "--html-file", "index.html", "--template", "Modern", "--set",
                    "USEIMAGEASHTML=true", "--quiet"], env=env, check=True,
                   stdout=subprocess.DEVNULL)
    files = sum(len(names) for _, _, names in os.walk(gallery))

    home = work + "/home"
    os.makedirs(home)
    if args.sftp:
        tools, server = sftp_tools(work, home, cli, gallery, env, args.connections)
    else:
        tools, server = ftp_tools(work, home, cli, gallery, env, args.connections)
    times = {(name, kind): [] for name in tools for kind in ("full", "unchanged")}
    try:
        for run in range(args.runs):
            for name, tool in tools.items():
                remote = "%s-%d" % (name.split()[0], run)
                # rclone takes pyftpdlib's 501 for a missing folder as an error: every tool
                # starts from an empty folder that is there.
                os.makedirs(os.path.join(home, remote))
                times[(name, "full")].append(tool(remote))
                times[(name, "unchanged")].append(tool(remote))
    finally:
        server.terminate()
        server.wait()
    print("%d-file gallery over %s, %d runs, median seconds"
          % (files, "SFTP" if args.sftp else "FTP", args.runs))
    for kind in ("full", "unchanged"):
        ours = statistics.median(times[("folioscope-cli publish", kind)])
        line = "%-9s folioscope-cli %.3f s" % (kind, ours)
        for name in ("lftp mirror -R", "rclone sync"):
            theirs = statistics.median(times[(name, kind)])
            line += "; %s %.3f s (ratio %.2fx)" % (name.split()[0], theirs, ours / theirs)
        print(line)
    shutil.rmtree(work)


def ftp_tools(work, home, cli, gallery, env, connections):
    server = subprocess.Popen(["/usr/bin/python3", os.path.join(ROOT, "tests/ftp/pyftpd_server.py"),
                               home, USER, PASSWORD], stdout=subprocess.PIPE)
    port = int(server.stdout.readline())
    obscured = subprocess.run(["rclone", "obscure", PASSWORD], capture_output=True,
                              text=True, check=True).stdout.strip()

    def folioscope(remote):
        return timed([cli, "publish", "--html-dir", gallery, "--html-file", "index.html",
                      "--no-tls", "--connections", str(connections),
                      "ftp://%s@127.0.0.1:%d/%s" % (USER, port, remote)], env)

    def lftp(remote):
        return timed(["lftp", "-u", "%s,%s" % (USER, PASSWORD), "-p", str(port), "-e",
                      "set ftp:ssl-allow false; set ftp:passive-mode true; "
                      "mirror -R --delete %s /%s; quit" % (gallery, remote), "127.0.0.1"])

    def rclone(remote):
        return timed(["rclone", "sync", gallery, ":ftp:" + remote, "--ftp-host", "127.0.0.1",
                      "--ftp-port", str(port), "--ftp-user", USER, "--ftp-pass", obscured,
                      "--config", "/dev/null"])

    return {"folioscope-cli publish": folioscope, "lftp mirror -R": lftp,
            "rclone sync": rclone}, server


def sftp_tools(work, home, cli, gallery, env, connections):
    """An sshd of its own on a free port, serving `home`, with a key for the user."""
    ssh = work + "/ssh"
    os.makedirs(ssh)
    for key in ("host", "user"):
        subprocess.run(["ssh-keygen", "-q", "-t", "ed25519", "-N", "", "-f", "%s/%s" % (ssh, key)],
                       check=True)
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()
    shutil.copy(ssh + "/user.pub", ssh + "/authorized_keys")
    with open(ssh + "/known_hosts", "w") as known:
        with open(ssh + "/host.pub") as host:
            known.write("[127.0.0.1]:%d %s" % (port, host.read()))
    with open(ssh + "/sshd_config", "w") as config:
        config.write("Port %d\nListenAddress 127.0.0.1\nHostKey %s/host\nPidFile %s/pid\n"
                     "AuthorizedKeysFile %s/authorized_keys\nStrictModes no\nUsePAM no\n"
                     "Subsystem sftp internal-sftp -d %s\nLogLevel ERROR\n"
                     % (port, ssh, ssh, ssh, home))
    if os.getuid() == 0:
        os.makedirs("/run/sshd", exist_ok=True)
    server = subprocess.Popen(["/usr/sbin/sshd", "-D", "-f", ssh + "/sshd_config"])
    time.sleep(0.5)
    user = pwd.getpwuid(os.getuid()).pw_name
    ssh_options = "-i %s/user -o UserKnownHostsFile=%s/known_hosts -o IdentitiesOnly=yes" % (
        ssh, ssh)
    # folioscope-cli finds the key and known_hosts below HOME, as ssh does.
    os.makedirs(work + "/userhome/.ssh")
    shutil.copy(ssh + "/user", work + "/userhome/.ssh/id_ed25519")
    shutil.copy(ssh + "/known_hosts", work + "/userhome/.ssh/known_hosts")
    our_env = dict(env, HOME=work + "/userhome", SSH_AUTH_SOCK="")

    def folioscope(remote):
        return timed([cli, "publish", "--html-dir", gallery, "--html-file", "index.html",
                      "--connections", str(connections),
                      "sftp://%s@127.0.0.1:%d/%s" % (user, port, remote)], our_env)

    def lftp(remote):
        return timed(["lftp", "-e",
                      "set sftp:connect-program 'ssh -a -x %s'; mirror -R --delete %s %s; quit"
                      % (ssh_options, gallery, remote),
                      "sftp://%s:@127.0.0.1:%d" % (user, port)])

    def rclone(remote):
        return timed(["rclone", "sync", gallery, ":sftp:" + remote, "--sftp-host", "127.0.0.1",
                      "--sftp-port", str(port), "--sftp-user", user, "--sftp-key-file",
                      ssh + "/user", "--sftp-known-hosts-file", ssh + "/known_hosts",
                      "--config", "/dev/null"])

    return {"folioscope-cli publish": folioscope, "lftp mirror -R": lftp,
            "rclone sync": rclone}, server


if __name__ == "__main__":
    main()
