# Sourced by the scripts: the 32-bit menu runs under a Wine with WoW64 mode
# (a 64-bit process running 32-bit Windows code), since this machine's kernel
# runs no 32-bit Linux code. That Wine is Debian unstable's, kept in a chroot
# under build/ (its C library is newer than the host's), with a prefix and a
# server of its own, out of the way of the host's Wine.
here="${here:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
WOW64_ROOT="$here/build/wow64/root"
WOW64_PREFIX="$here/build/wineprefix32"
# Wine's library folder inside the chroot, where wineserver lives now.
WOW64_WINELIB=/usr/lib/x86_64-linux-gnu/wine

# Runs a command inside the chroot, in a private mount namespace: /proc,
# /dev and /sys, the host's /tmp (the X socket, xvfb-run's authority file)
# and the checkout are bound in at the same paths, so that nothing stays
# mounted when it ends. The environment the Windows side needs is passed on.
# WOW64_BINDS: more folders (blank-separated) bound in at the same paths.
wow64() {
  local root="$WOW64_ROOT"
  # Wine's X driver wants a private runtime folder; /tmp is shared with the host.
  export WOW64_XDG="/tmp/pikko-wow64-xdg-$(id -u)"
  [ -d "$WOW64_XDG" ] || { mkdir -p "$WOW64_XDG" && chmod 700 "$WOW64_XDG"; }
  unshare -m --propagation private bash -c '
    set -e
    root="$1"; src="$2"; binds="$3"; shift 3
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount --rbind /sys "$root/sys"
    mount --bind /tmp "$root/tmp"
    bind() {
      case "$1" in
        /tmp/*) ;;
        *) mkdir -p "$root$1"; mount --bind "$1" "$root$1" ;;
      esac
    }
    bind "$src"
    for b in $binds; do bind "$b"; done
    exec chroot "$root" /usr/bin/env -i \
      PATH="/usr/lib/x86_64-linux-gnu/wine:/usr/bin:/bin:/usr/sbin:/sbin" HOME=/root LANG=C.UTF-8 \
      DISPLAY="${DISPLAY:-}" XAUTHORITY="${XAUTHORITY:-}" \
      WINEPREFIX="$WOW64_PREFIX" WINEDLLOVERRIDES="mscoree,mshtml=" \
      WINEDEBUG="${WOW64_WINEDEBUG:--all}" XDG_RUNTIME_DIR="$WOW64_XDG" \
      bash -c "cd \"\$0\" 2>/dev/null || cd /; exec \"\$@\"" "$PWD" "$@"
  ' wow64 "$root" "$here" "${WOW64_BINDS:-}" "$@"
}
export WOW64_ROOT WOW64_PREFIX

# Runs a Windows program under the WoW64 Wine.
wow64_wine() { wow64 wine "$@"; }
wow64_server() { wow64 "$WOW64_WINELIB/wineserver" "$@"; }
