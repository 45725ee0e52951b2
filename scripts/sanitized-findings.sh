# Sourced through BASH_ENV by the scripts of tests/data/fuzz-findings when they run against the
# sanitized tree (CMake sets both variables there).
# - AddressSanitizer reserves terabytes of address space, so "ulimit -v KB" would stop the program
#   before it starts; the same bound is given to the sanitizer as a limit on resident memory.
# - A sanitized program runs several times slower. The time limits tell a program whose time
#   grows too fast from one that works, so they are stretched by that factor, DRAVENOR_SLOWDOWN.
ulimit() {
  if [ $# -eq 2 ] && [ "$1" = -v ]; then
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}hard_rss_limit_mb=$(($2 / 1024))"
  else
    builtin ulimit "$@"
  fi
}
timeout() {
  if [ $# -ge 2 ] && [[ $1 =~ ^[0-9]+$ ]]; then
    local limit=$(($1 * ${DRAVENOR_SLOWDOWN:-1}))
    shift
    command timeout "$limit" "$@"
  else
    command timeout "$@"
  fi
}
