# Sourced by scripts/env.sh and scripts/setup.sh: which Windows build this
# host tests and starts. Never run directly.
#
# Where the host runs 32-bit code, the PE32 program under 32-bit Wine; where
# it runs 64-bit code only (IA-32 emulation off: an i386 execve fails with
# "Exec format error"), the x86_64 build under wine64. Decided by trying, once
# per run: the answer is exported and every script started from it reuses it.
# QUILLET_BUILD=win32|win64 set by hand overrides the probe.

# Runs a 96-byte static i386 ELF whose only work is exit(42).
quillet_host_runs_32bit() {
  local probe rc
  probe=$(mktemp "${TMPDIR:-/tmp}/quillet-ia32-XXXXXX") || return 1
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'`
        `'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'`
        `'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'`
        `'\x00\x00\x00\x00'`
        `'\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'`
        `'\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'`
        `'\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$probe"
  chmod +x "$probe"
  ( "$probe" ) >/dev/null 2>&1
  rc=$?
  rm -f "$probe"
  [ "$rc" -eq 42 ]
}

if [ -z "${QUILLET_BUILD:-}" ]; then
  if quillet_host_runs_32bit; then QUILLET_BUILD=win32; else QUILLET_BUILD=win64; fi
fi
case "$QUILLET_BUILD" in
  win32) QUILLET_BUILD_WHY="this host runs 32-bit code: the PE32 build under 32-bit Wine" ;;
  win64) QUILLET_BUILD_WHY="this host runs 64-bit code only: the x86_64 build under wine64" ;;
  *) echo "QUILLET_BUILD must be win32 or win64, not '$QUILLET_BUILD'" >&2; return 1 ;;
esac
export QUILLET_BUILD QUILLET_BUILD_WHY
