"""What the publisher answers: the gate answer, the pre-download answer, the activity page, and the
endpoint file that points a launcher at the publisher. Pure functions of the publisher's address
and of the versions it offers."""

import html
import json

# Paths of the built-in endpoints (app/builtin_endpoint_defaults.h) below the publisher's address.
GATE_PATH = "/get/urls"
PREDOWNLOAD_PATH = "/pre_download"
TRACK_PATH = "/track/json_track"
ATTRIBUTION_PATH = "/v1/adjust"
ACTIVITY_PATH = "/web/activity.html"


class Offer:
    """What the publisher offers right now: the current game version and the coming one (None when
    there is none), with the options of the gate answer."""

    def __init__(self, root_url, current, coming, patch_option=2):
        self.root_url, self.current, self.coming, self.patch_option = root_url, current, coming, patch_option

    def game_urls(self, version):
        # Two base URLs over the same files: the launcher moves to the second when the first fails.
        return [f"{self.root_url}dlc/game/{version}/", f"{self.root_url}cdn/game/{version}/"]

    def predownload_urls(self):
        return self.game_urls(self.coming) if self.coming else []

    def launcher_urls(self):
        return [f"{self.root_url}dlc/launcher/"]

    def activity_url(self):
        # The launcher appends "&lang=<code>", so the address carries a query already.
        return f"{self.root_url}{ACTIVITY_PATH[1:]}?from=launcher"


def gate_answer(offer):
    """The answer to get/urls: the game's base URLs at the top, the launcher's options as JSON text
    in "Others"."""
    options = {
        "PatchOption": offer.patch_option,
        "UseWebExtraParam": True,
        "DeleteLogTXT": False,
        "PreDlcCheck": True,
        "TransToGame": {"server": "sample", "gameVersion": offer.current},
        "DlcAddr": offer.launcher_urls(),
        "ActivityAddr": offer.activity_url(),
        "PreDlcAddr": offer.predownload_urls(),
    }
    return json.dumps({"DlcAddr": offer.game_urls(offer.current), "Others": json.dumps(options)})


def predownload_answer(offer):
    """The answer to pre_download: the coming version's base URLs as JSON text in "info"."""
    return json.dumps({"info": json.dumps({"TW_pc_addr": offer.predownload_urls()})})


def activity_page(offer):
    coming = html.escape(offer.coming) if offer.coming else "none"
    return (
        "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Tarvenor sample publisher</title></head>\n"
        "<body style=\"font-family:sans-serif;background:#24506e;color:#e8e8f0\">\n"
        "<h1>Tarvenor sample publisher</h1>\n"
        f"<p>Game version on offer: <b>{html.escape(offer.current)}</b></p>\n"
        f"<p>Version offered for pre-download: <b>{coming}</b></p>\n"
        "<p>Publish the next version with <code>python3 tools/publisher --advance</code>.</p>\n"
        "</body></html>\n")


def endpoint_file(root_url, update_interval=1):
    """save\\setting.json for a launcher that should use this publisher. The update interval (minutes,
    1 to 99) also sets how soon the launcher notices a new version: its pre-download poll runs one
    minute after each interval. The refresh interval of one minute has the main window load the
    activity page soon after the gate first named it, and show each new offer within a minute."""
    return json.dumps({
        "GateURLs": [root_url],
        "TrackURL": f"{root_url}{TRACK_PATH[1:]}",
        "UpdateInterval": update_interval,
        "RefreshInterval": 1,
    }, indent="\t") + "\n"
