#!/usr/bin/env bash
# The package step of scripts/setup.sh against a stand-in apt-get early on
# PATH: a mirror in the middle of a sync (an index that fails to download, a
# multi-arch install "held broken" until pinned), and packages that cannot be
# had at all. Nothing is installed. Ends with "script: N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/lib/checks.bash"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
printf 'ID=debian\nVERSION_CODENAME=bookworm\n' > "$work/os-release"

# The stand-in logs every call and behaves as STANDIN_UPDATE_FAILS (how many
# update calls fail) and STANDIN_INSTALL (pinned-ok: only a pinned install
# goes through; missing: no install does) say.
cat > "$work/bin/apt-get" <<'STANDIN'
#!/usr/bin/env bash
echo "$*" >> "$STANDIN_LOG"
case "$*" in
  *update*)
    n=$(grep -c update "$STANDIN_LOG")
    if [ "$n" -le "$STANDIN_UPDATE_FAILS" ]; then
      echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress?"
      exit 100
    fi ;;
  *install*)
    case "$STANDIN_INSTALL:$*" in
      pinned-ok:*"-t bookworm"*) ;;
      pinned-ok:*) echo " wine32:i386 : Depends: libc6:i386 but it is not going to be installed"
                   echo "E: Unable to correct problems, you have held broken packages."; exit 100 ;;
      missing:*) echo "E: Unable to locate package quillet-no-such-b"; exit 100 ;;
    esac ;;
esac
exit 0
STANDIN
chmod +x "$work/bin/apt-get"

# run NAME UPDATE_FAILS INSTALL: the update and install steps in a subshell;
# output in $work/NAME.out, exit status in $work/NAME.rc, calls in $work/NAME.calls.
run() {
  ( export PATH="$work/bin:$PATH" STANDIN_LOG="$work/$1.calls" STANDIN_UPDATE_FAILS=$2 STANDIN_INSTALL=$3
    export QUILLET_OS_RELEASE="$work/os-release" QUILLET_APT_PAUSE=0
    . "$root/scripts/lib/packages.bash"
    quillet_apt_update && quillet_apt_install quillet-no-such-a quillet-no-such-b
  ) > "$work/$1.out" 2>&1
  echo $? > "$work/$1.rc"
}
said() { grep -qF -- "$2" "$work/$1.out"; }
calls() { [ "$(grep -c -- "$2" "$work/$1.calls")" -eq "$3" ]; }
rc_is() { [ "$(cat "$work/$1.rc")" -eq "$2" ]; }

run sync 1 pinned-ok
check "an index that failed once is downloaded again" calls sync update 2
check "the retry is announced" said sync "trying again"
check "a held-broken install is tried again pinned to the base release" \
  grep -q -- "-t bookworm quillet-no-such-a quillet-no-such-b" "$work/sync.calls"
check "the pinning is announced with the release" said sync "pinned to the base release, bookworm"
check "the set-up goes on after pinning" rc_is sync 0

run gone 99 missing
check "the index download is tried a bounded number of times" calls gone update 3
check "failed indexes do not stop the set-up by themselves" said gone "going on with the ones that were"
check "a missing package is not retried pinned" calls gone "-t bookworm" 0
check "packages that cannot be had stop the set-up" rc_is gone 1
check "the message names them" said gone "could not be installed: quillet-no-such-a quillet-no-such-b"
checks_summary script
