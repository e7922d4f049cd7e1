# Sourced by the scripts: one Wine prefix inside the build folder, never a
# download prompt for Mono or Gecko, and no Wine debug chatter.
here="${here:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="$here/build/wineprefix"
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all

# Wine needs an X display to create windows; without one it hangs. Run the
# command under a private Xvfb when there is no display.
with_display() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24" "$@"; fi
}
