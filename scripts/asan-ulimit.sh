# Sourced through BASH_ENV by the scripts of tests/data/fuzz-findings when they run against the
# sanitized tree. AddressSanitizer reserves terabytes of address space, so "ulimit -v KB" would
# stop the program before it starts; the same bound is given to the sanitizer as a limit on
# resident memory instead. Every other use of ulimit is left as it is.
ulimit() {
  if [ $# -eq 2 ] && [ "$1" = -v ]; then
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}hard_rss_limit_mb=$(($2 / 1024))"
  else
    builtin ulimit "$@"
  fi
}
