"""The publisher's live side: which version is on offer, kept across runs in the sample folder, and
the answers it adds to the test server (gate, pre-download, activity page, tracking and attribution
sinks, and its control calls)."""

import json
import os
import threading

import answers

ADVANCE_PATH = "/_control/publisher/advance"
STATE_PATH = "/_control/publisher/state"
_JSON = "application/json"
_SINK = (200, _JSON, b'{"code":0}')


class SamplePublisher:
    def __init__(self, sample_dir, versions, patch_option=2):
        self.versions = versions
        self.patch_option = patch_option
        self.root_url = None  # known once the server is bound
        self._state_file = os.path.join(sample_dir, "state.json")
        self._lock = threading.Lock()
        self._current = self._load_current()

    def _load_current(self):
        try:
            with open(self._state_file) as f:
                current = json.load(f)["current"]
            return current if isinstance(current, int) and 0 <= current < len(self.versions) else 0
        except (OSError, ValueError, KeyError, TypeError):
            return 0

    def reset(self):
        with self._lock:
            self._current = 0
            self._save()

    def _save(self):
        tmp = self._state_file + ".tmp"
        with open(tmp, "w") as f:
            json.dump({"current": self._current}, f)
        os.replace(tmp, self._state_file)

    def advance(self):
        """Offers the next version; False when the last one is on offer already."""
        with self._lock:
            if self._current + 1 >= len(self.versions):
                return False
            self._current += 1
            self._save()
            return True

    def offer(self):
        with self._lock:
            current = self._current
        coming = self.versions[current + 1] if current + 1 < len(self.versions) else None
        return answers.Offer(self.root_url, self.versions[current], coming, self.patch_option)

    def state(self):
        offer = self.offer()
        return {"current": offer.current, "coming": offer.coming, "versions": self.versions,
                "root_url": self.root_url}

    # -- the test server's routes ----------------------------------------------------------

    def routes(self):
        def text(make, content_type=_JSON):
            return lambda request: (200, content_type, make(self.offer()).encode())

        def advance(request):
            if request.method != "POST":
                return 405, _JSON, b'{"code":1,"error":"POST only"}'
            moved = self.advance()
            return 200 if moved else 409, _JSON, json.dumps(dict(self.state(), advanced=moved)).encode()

        return {
            answers.GATE_PATH: text(answers.gate_answer),
            answers.PREDOWNLOAD_PATH: text(answers.predownload_answer),
            answers.ACTIVITY_PATH: text(answers.activity_page, "text/html; charset=utf-8"),
            answers.TRACK_PATH: lambda request: _SINK,
            answers.ATTRIBUTION_PATH: lambda request: _SINK,
            ADVANCE_PATH: advance,
            STATE_PATH: lambda request: (200, _JSON, json.dumps(self.state()).encode()),
        }
