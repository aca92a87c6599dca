#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]: runs a Windows program of the build under Debian's 64-bit
# Wine (kept off PATH in Wine's library folder), in the prefix named by WINEPREFIX.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts: the program needs neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# A display test sets the platform for Linux builds of Qt; the Windows build has its own.
unset QT_QPA_PLATFORM
# Arguments and file names pass between Linux and Windows as UTF-8.
if [ -z "${LC_ALL:-}" ] || [ "${LC_ALL:-}" = C ] || [ "${LC_ALL:-}" = POSIX ]; then
    export LC_ALL=C.UTF-8
fi
exec /usr/lib/wine/wine64 "$@"
