# Sourced by the scripts that run the sanitized tree: how the sanitizers report and stop.
# UndefinedBehaviorSanitizer halts at its first report (the tree is also built not to recover).
# Any report ends the program with exit code 99, which no test takes for a clean end (the batch
# tool's own codes are 0, 1 and 2).
# Leaks are reported everywhere; the suppressions name only memory Qt and the libraries under it
# keep for the life of the process (fonts, platform plugins), which the window tests and the
# batch tool cannot free.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export ASAN_OPTIONS=exitcode=99:detect_leaks=1:check_initialization_order=1:strict_string_checks=1
export UBSAN_OPTIONS=exitcode=99:halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$here/lsan-qt.supp:print_suppressions=0
[ -x /usr/bin/llvm-symbolizer-14 ] && export ASAN_SYMBOLIZER_PATH=/usr/bin/llvm-symbolizer-14
unset here
