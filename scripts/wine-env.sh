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

# The platform record a disc's companion program leaves in the Windows folder
# (the menu's configuration and the promotion read it); a start through the
# companion writes its own. Without it the menu shows a warning instead.
#   ensure_platform_record [prefix]    (default: this Wine's prefix)
ensure_platform_record() {
  local record="${1:-$WINEPREFIX}/drive_c/windows/Zkcd_log.ini"
  [ -d "${record%/*}" ] || return 0  # no prefix yet: setup.sh makes it
  [ -f "$record" ] || printf '[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n' > "$record"
}

# The compiler cache (where setup.sh could install it) keys on paths relative
# to the checkout, so a second clone or worktree builds from the same cache.
export CCACHE_BASEDIR="$here"
export CCACHE_NOHASHDIR=true
