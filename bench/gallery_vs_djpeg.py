#!/usr/bin/python3
"""Speed, memory and picture quality of folioscope-cli on a corpus of real photographs.

    bench/gallery_vs_djpeg.py [--corpus bench/corpus] [--build build] [--runs 3] [--repeat 1]

Builds a gallery of the corpus photos (copies within 800 x 800, thumbnails within 150 x 150,
quality 75) in a fresh process with an empty state folder, and a loop of djpeg decoding every
photo once, alternately, --runs times; prints the median of build time / djpeg time, the peak
resident memory of the build, the time of an unchanged rebuild in a new process as a share of
the first build, and the mean PSNR of the smooth and the classic resize (quality_benchmark).
In the same rounds it makes the same copies and thumbnails with the peers a user could take
instead, each where it is installed: sharp in one process, two photos at a time (`npm ci
--prefix bench/sharp`), vipsthumbnail and ImageMagick's convert in two processes at a time
(Debian's libvips-tools and imagemagick); a table of each as a multiple of the djpeg loop,
with its peak memory, ends the output.
--repeat K lists every photo K times (under other names) to see whether memory grows with the
number of photos. Put real JPEG photographs into CORPUS/photos first.
"""
import argparse
import concurrent.futures
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SETTINGS = ["IMAGEDORESIZE=true", "IMAGEWIDTH=800", "IMAGEHEIGHT=800",
            "THUMBWIDTH=150", "THUMBHEIGHT=150"]


def run(argv, env=None):
    """Seconds and peak resident kilobytes of one program run."""
    start = time.monotonic()
    process = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    seconds = time.monotonic() - start
    errors = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    if status != 0:
        sys.exit(f"{argv[0]} failed ({status}):\n{errors}")
    return seconds, usage.ru_maxrss


def two_at_a_time(commands):
    """Seconds for running every command, two processes at any time; the larger peak memory."""
    start = time.monotonic()
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        peaks = [peak for _, peak in pool.map(run, commands)]
    return time.monotonic() - start, max(peaks)


def peers(photos, work):
    """The peers installed here: name and a function making the files into a fresh folder."""
    bench = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(work, "peer")

    def fresh():
        shutil.rmtree(out, ignore_errors=True)
        os.mkdir(out)
        return out

    def named(photo, suffix):
        return os.path.join(out, os.path.splitext(os.path.basename(photo))[0] + suffix)

    found = []
    sharp = os.path.join(bench, "sharp", "node_modules", "sharp")
    if os.path.isdir(sharp):
        script = os.path.join(bench, "sharp", "make_copies.mjs")
        found.append(("sharp, one process, 2 photos at once",
                      lambda: run(["node", script, fresh()] + photos)))
    if shutil.which("vipsthumbnail"):
        def vips():
            fresh()
            return two_at_a_time(
                [["vipsthumbnail", p, "--size", size, "-o", named(p, suffix) + "[Q=75]"]
                 for p in photos for size, suffix in (("800x800", ".jpg"), ("150x150", "_th.jpg"))])
        found.append(("vipsthumbnail, 2 processes", vips))
    if shutil.which("convert"):
        def magick():
            fresh()
            return two_at_a_time(
                [["convert", p, "-auto-orient", "-resize", "800x800>", "-quality", "75",
                  "-write", named(p, ".jpg"), "-resize", "150x150>", named(p, "_th.jpg")]
                 for p in photos])
        found.append(("ImageMagick convert, 2 processes", magick))
    return found


def djpeg_loop(photos):
    start = time.monotonic()
    for photo in photos:
        subprocess.run(["djpeg", "-outfile", os.devnull, photo], check=True)
    return time.monotonic() - start


def gallery_build(cli, photo_dir, work, fresh):
    env = dict(os.environ, XDG_STATE_HOME=os.path.join(work, "state"),
               XDG_CONFIG_HOME=os.path.join(work, "config"), QT_QPA_PLATFORM="offscreen")
    site = os.path.join(work, "site")
    if fresh:
        for folder in ("state", "site"):
            shutil.rmtree(os.path.join(work, folder), ignore_errors=True)
    argv = [cli, "build", "--images", photo_dir, "--html-dir", site, "--html-file", "index.html",
            "--quiet", "--yes", "--template", "none"]
    for line in SETTINGS:
        argv += ["--set", line]
    return run(argv, env)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--corpus", default="bench/corpus")
    parser.add_argument("--build", default="build")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--repeat", type=int, default=1)
    args = parser.parse_args()

    source = os.path.join(args.corpus, "photos")
    if not os.path.isdir(source):
        sys.exit(f"no corpus in {args.corpus}: put JPEG photographs into {source}")
    cli = os.path.abspath(os.path.join(args.build, "src/cli/folioscope-cli"))
    quality = os.path.abspath(os.path.join(args.build, "bench/quality_benchmark"))
    photos = sorted(os.path.abspath(os.path.join(source, name))
                    for name in os.listdir(source) if name.lower().endswith(".jpg"))

    with tempfile.TemporaryDirectory(prefix="folioscope-bench-") as work:
        photo_dir = os.path.join(work, "photos")
        os.mkdir(photo_dir)
        for k in range(args.repeat):
            for photo in photos:
                os.symlink(photo, os.path.join(photo_dir, f"{k:03d}-{os.path.basename(photo)}"))

        ratios, peaks, rebuilds = [], [], []
        others = peers(photos * args.repeat, work)
        peer_ratios = {name: [] for name, _ in others}
        peer_peaks = {name: [] for name, _ in others}
        for _ in range(args.runs):
            djpeg = djpeg_loop(photos * args.repeat)
            for name, make in others:
                seconds, peak = make()
                peer_ratios[name].append(seconds / djpeg)
                peer_peaks[name].append(peak / 1024)
            first, peak = gallery_build(cli, photo_dir, work, fresh=True)
            again, _ = gallery_build(cli, photo_dir, work, fresh=False)
            ratios.append(first / djpeg)
            peaks.append(peak / 1024)
            rebuilds.append(again / first)
            print(f"  djpeg loop {djpeg:6.2f} s   build {first:6.2f} s ({first / djpeg:4.2f} x)"
                  f"   peak {peak / 1024:5.1f} MB   unchanged rebuild {again:5.2f} s"
                  f" ({again / first:5.3f} x)")

    print(f"photos: {len(photos) * args.repeat}, runs: {args.runs}")
    print(f"first build / djpeg loop (median): {statistics.median(ratios):.2f} x")
    print(f"peak resident memory (max): {max(peaks):.1f} MB")
    print(f"unchanged rebuild / first build (median): {statistics.median(rebuilds):.3f} x")
    subprocess.run([quality, "800"] + photos, check=True)

    print("\n| who | x the djpeg loop | peak memory |")
    print("|---|---|---|")
    print(f"| folioscope-cli build | {statistics.median(ratios):.2f} | {max(peaks):.0f} MB |")
    for name in peer_ratios:
        print(f"| {name} | {statistics.median(peer_ratios[name]):.2f} |"
              f" {max(peer_peaks[name]):.0f} MB |")


if __name__ == "__main__":
    main()
