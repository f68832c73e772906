#!/usr/bin/env bash
# Sourced by the build scripts: compiles through ccache when it is installed, so that a second
# build of the same sources (another build folder, a fresh clone, the next CI run on the same
# machine) takes seconds. The cache lives in the user's cache folder, or in /var/tmp when no
# home folder is known.
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_DIR="${CCACHE_DIR:-${XDG_CACHE_HOME:-${HOME:-/var/tmp}/.cache}/ccache}"
  # Paths relative to the source folder, so that clones in other folders share the cache.
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(pwd)}"
  export CCACHE_NOHASHDIR=1
fi
