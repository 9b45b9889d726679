"""The local sample publisher: serves a sample game of a few versions, its patches, a pre-download and
the launcher's own files, with the gate answer and the other services a launcher asks for.

    python3 tools/publisher [--port 18480] [--write-setting <run folder>/save/setting.json] ...
    python3 tools/publisher --advance [--port 18480]     publish the next version of the sample

Like the test server it runs on, it prints "READY <port> <closed_port>" as its only stdout line once
it serves, and stops at stdin EOF (unless --ignore-stdin), SIGTERM or SIGINT.
"""

import argparse
import http.client
import json
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(os.path.dirname(HERE), "test_server"))
sys.path.insert(0, HERE)

import answers  # noqa: E402
from lifecycle import serve_until_stopped  # noqa: E402
from publication import BUILD, Builder  # noqa: E402
from sample_game import RECIPES  # noqa: E402
from sample_publisher import ADVANCE_PATH, SamplePublisher  # noqa: E402
from server import TestServer  # noqa: E402

DEFAULT_PORT = 18480  # where the launcher's built-in endpoints point


def log(text):
    print(text, file=sys.stderr, flush=True)


def advance(port):
    try:
        conn = http.client.HTTPConnection("127.0.0.1", port, timeout=10)
        conn.request("POST", ADVANCE_PATH)
        response = conn.getresponse()
        state = json.loads(response.read())
        conn.close()
    except (OSError, ValueError) as error:
        log(f"publisher: no sample publisher answers on port {port} ({error})")
        return 2
    if not state.get("advanced"):
        log(f"publisher: {state['current']} is the last sample version; nothing to advance")
        return 1
    coming = state["coming"] or "none"
    log(f"publisher: now offering {state['current']} (pre-download: {coming})")
    return 0


def parse_args():
    parser = argparse.ArgumentParser(prog="publisher", description=__doc__.strip().splitlines()[0])
    parser.add_argument("--port", type=int, default=DEFAULT_PORT, help="0 picks a free port")
    parser.add_argument("--advance", action="store_true", help="ask the running publisher to offer its next version")
    parser.add_argument("--profile", choices=sorted(RECIPES), default="demo",
                        help="demo: three versions of about 55 MiB; bench: one 2 GiB version; tiny: demo at 1/1024, for tests")
    parser.add_argument("--sample", help="folder of the built sample (default: <build>/sample_publisher/<profile>)")
    parser.add_argument("--game-exe", default=os.path.join(BUILD, "tests", "KORU.exe"),
                        help="the stand-in game the build produces")
    parser.add_argument("--launcher-exe", help="also publish this launcher.exe in the launcher's map")
    parser.add_argument("--patch-option", type=int, default=2, help="0 no patches, 1 in memory, 2 streaming")
    parser.add_argument("--write-setting", metavar="FILE", help="write a setting.json that points a launcher here")
    parser.add_argument("--update-interval", type=int, default=1, help="minutes between the launcher's checks")
    parser.add_argument("--reset", action="store_true", help="offer the first version again")
    parser.add_argument("--build-only", action="store_true", help="build the sample and exit")
    parser.add_argument("--ignore-stdin", action="store_true", help="keep serving at stdin EOF")
    args = parser.parse_args()
    args.sample = args.sample or os.path.join(BUILD, "sample_publisher", args.profile)
    return parser, args


def main():
    parser, args = parse_args()
    if args.advance:
        return advance(args.port)
    if not os.path.isfile(args.game_exe):
        parser.error(f"no stand-in game at {args.game_exe} (build it: cmake --build <build> --target KORU)")

    recipe = RECIPES[args.profile]()
    try:
        Builder(args.sample, recipe, args.game_exe, args.launcher_exe, log=log).build()
    except (OSError, RuntimeError) as error:
        log(f"publisher: cannot build the sample in {args.sample}: {error}")
        return 1
    publisher = SamplePublisher(args.sample, recipe.versions, args.patch_option)
    if args.reset:
        publisher.reset()
    if args.build_only:
        return 0
    try:
        server = TestServer(os.path.join(args.sample, "www"), args.port, publisher.routes())
    except OSError as error:
        log(f"publisher: cannot listen on 127.0.0.1:{args.port}: {error}")
        return 1
    publisher.root_url = f"http://127.0.0.1:{server.server_address[1]}/"
    if args.write_setting:
        os.makedirs(os.path.dirname(os.path.abspath(args.write_setting)), exist_ok=True)
        with open(args.write_setting, "w") as f:
            f.write(answers.endpoint_file(publisher.root_url, args.update_interval))
    offer = publisher.offer()
    log(f"publisher: {publisher.root_url} offers {offer.current} (pre-download: {offer.coming or 'none'})")
    serve_until_stopped(server, args.ignore_stdin)
    return 0


if __name__ == "__main__":
    sys.exit(main())
