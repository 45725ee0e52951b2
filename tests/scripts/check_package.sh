#!/usr/bin/env bash
# The Debian package as a shop installs it: built by CPack from the build tree, unpacked into a
# scratch root with dpkg -x, its programs answering --version, the example job nested from the
# unpacked examples with the unpacked cut table (a folder far from the source tree, a home of
# its own), a quote from the per-user tables, the manual pages and the menu entry valid.
set -euo pipefail
build=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "package: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/out/dravenor_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no dravenor_VERSION_ARCH.deb in $(ls "$scratch/out")"
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libstdc++6; do
  [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
for program in dravenor dravenor-cli; do
  version=$("$root/usr/bin/$program" --version)
  [[ "$version" == "$program "[0-9]* ]] || fail "$program --version said '$version'"
done

export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/.local/share"
mkdir -p "$HOME"
examples="$root/usr/share/dravenor/examples"
mapfile -t args < "$examples/job.args"
(cd "$examples" && "$root/usr/bin/dravenor-cli" nest "${args[@]}" --save "$scratch/job.nst" --nc-dir "$scratch/nc") \
  >"$scratch/nest.log" 2>&1 || { cat "$scratch/nest.log"; fail "nest of the unpacked examples failed"; }
ls "$scratch"/nc/job-layout-*.nc >/dev/null 2>&1 || fail "no NC programs: $(cat "$scratch/nest.log")"
"$root/usr/bin/dravenor-cli" report "$examples/example.nst" -o "$scratch/report.tlf" >/dev/null \
  || fail "the shipped example.nst does not open"
# The batch tool reads the tables and quote settings the window edits in the per-user folder.
working="$XDG_DATA_HOME/Dravenor"
sed -i 's/^"S235","","10","1.1"/"S235","","10","2.5"/' "$working/prices.dat"
printf 'margin = 10\n' > "$working/quote.cfg"
quote=$("$root/usr/bin/dravenor-cli" quote "$examples/example.nst" --no-history) || fail "quote of example.nst failed"
[[ "$quote" == *"at 2.5 per kg"* && "$quote" == *"margin 10 %"* ]] \
  || fail "quote did not use the working folder's prices.dat and quote.cfg: $quote"
if find "$root/usr/share/dravenor" -newer "$deb" | grep -q .; then fail "the programs wrote into share/dravenor"; fi

desktop-file-validate "$root/usr/share/applications/dravenor.desktop" || fail "the menu entry is not valid"
for page in dravenor dravenor-cli; do
  man -l "$root/usr/share/man/man1/$page.1.gz" >/dev/null 2>&1 || man -l "$root/usr/share/man/man1/$page.1" >/dev/null \
    || fail "manual page $page does not read"
done
echo "package: installs, runs from its own folders and nests the examples"
