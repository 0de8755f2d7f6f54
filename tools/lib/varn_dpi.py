"""Runs at another display scale. Wine reads a prefix's DPI (REG_DWORD "LogPixels" under
HKCU\\Control Panel\\Desktop) when a program starts, and every program started afterwards
gets it; so those runs get a prefix of their own, made once beside the test prefix, and the
test prefix stays at 96 DPI whatever happens to a run. Used by the end-to-end tests and the
benchmarks, under tools/test or tools/bench (which export the test prefix and the loader)."""

import os
import subprocess

# What varn_wine_env exports; these change with the prefix.
_PREFIX_VARIABLES = ("WINEPREFIX", "HOME", "WINEDEBUG", "WINEDLLOVERRIDES", "VARN_WINE_LOADER", "LC_ALL")


class DpiPrefix:
    """The scaled prefix: made (wineboot and the font set-up of the test prefix) on first use,
    about 20 s; afterwards its environment is switched in and out around a run."""

    def __init__(self, tools):
        self.tools = tools
        self.state = os.path.dirname(os.environ["WINEPREFIX"]) + "-dpi"
        self.arch = "x86_64" if os.path.basename(os.environ["VARN_WINE_LOADER"]) == "wine64" else "i686"
        self.saved = None
        self.env = self._prepare()

    def _prepare(self):
        script = ('source "$1/wine.sh"; varn_wine_env "$2" "$3"; varn_prepare_prefix; '
                  'for v in %s; do printf "%%s=%%s\\n" "$v" "${!v}"; done' % " ".join(_PREFIX_VARIABLES))
        result = subprocess.run(["bash", "-c", script, "dpi", self.tools, self.state, self.arch],
                                capture_output=True, text=True)
        if result.returncode != 0:
            raise RuntimeError("could not make the scaled prefix: %s" % result.stderr[-2000:])
        return dict(line.split("=", 1) for line in result.stdout.splitlines() if "=" in line)

    def enter(self, dpi):
        """Switches this process (and what it starts) to the scaled prefix at dpi."""
        self.saved = {name: os.environ.get(name) for name in _PREFIX_VARIABLES}
        os.environ.update(self.env)
        # One server for the run, with Wine's own services started before anything is timed.
        # It outlives its last program by ten seconds only, so a run that is killed leaves
        # nothing behind for long. Neither gets this process's output: the server and the
        # services would hold the pipe open, and whoever reads it would wait for them.
        quiet = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}
        subprocess.run(["wineserver", "-p10"], **quiet)
        loader = os.environ["VARN_WINE_LOADER"]
        subprocess.run([loader, "wineboot"], **quiet)
        subprocess.run([loader, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                        "/d", str(dpi), "/f"], capture_output=True, check=True)

    def leave(self):
        """Ends every Wine process of the scaled prefix and switches back to the test prefix."""
        subprocess.run(["wineserver", "-k"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        if self.saved is None:
            return
        for name, value in self.saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value
        self.saved = None
