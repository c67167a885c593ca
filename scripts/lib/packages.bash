# Sourced by scripts/setup.sh (and its script test): installs Debian packages
# in a way that survives a mirror in the middle of a sync. Never run directly.
#
# A mirror mid-sync fails one index download ("File has unexpected size") and
# can serve an amd64 library from the security suite whose i386 twin is still
# only in the base release; the multi-arch install is then "held broken". The
# same install pinned to the base release goes through.

QUILLET_OS_RELEASE=${QUILLET_OS_RELEASE:-/etc/os-release}
QUILLET_APT_TRIES=${QUILLET_APT_TRIES:-3}
QUILLET_APT_PAUSE=${QUILLET_APT_PAUSE:-5}

quillet_have_package() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

quillet_release_codename() {
  (. "$QUILLET_OS_RELEASE" 2>/dev/null && echo "${VERSION_CODENAME:-}")
}

# Downloads the package indexes, a few times if need be. Goes on when some
# still fail: what is there may be enough, and the install says what is not.
quillet_apt_update() {
  local try
  for try in $(seq "$QUILLET_APT_TRIES"); do
    apt-get update -q && return 0
    if [ "$try" -lt "$QUILLET_APT_TRIES" ]; then
      echo "setup: downloading the package indexes failed (try $try of $QUILLET_APT_TRIES); trying again"
      sleep "$QUILLET_APT_PAUSE"
    fi
  done
  echo "setup: some package indexes could not be downloaded; going on with the ones that were"
  return 0
}

# quillet_apt_install PACKAGE...: installs them, pinned to the base release
# when a plain install fails on mismatched versions. Fails with a message that
# names the packages when they cannot be had.
quillet_apt_install() {
  local log codename rc
  log=$(mktemp)
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -q --no-install-recommends "$@" 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  if [ "$rc" -ne 0 ] && grep -qE 'held broken packages|unmet dependencies|Unmet dependencies' "$log"; then
    codename=$(quillet_release_codename)
    if [ -n "$codename" ]; then
      echo "setup: the install failed on mismatched package versions (a mirror in the middle of a sync?); installing again pinned to the base release, $codename"
      apt-get install -y -q --no-install-recommends -t "$codename" "$@" 2>&1 | tee "$log"
      rc=${PIPESTATUS[0]}
    fi
  fi
  rm -f "$log"
  if [ "$rc" -ne 0 ]; then
    local p missing=()
    for p in "$@"; do quillet_have_package "$p" || missing+=("$p"); done
    echo "setup: these packages could not be installed: ${missing[*]:-$*}" >&2
    return 1
  fi
}
