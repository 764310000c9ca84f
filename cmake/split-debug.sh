#!/bin/sh
# Link launcher: runs the link command given after the objcopy path, then moves the
# output's debug information into <output>.debug and leaves a debug link in its place.
objcopy=$1
shift
"$@" || exit
out=
prev=
for arg in "$@"; do
  [ "$prev" = "-o" ] && out=$arg
  prev=$arg
done
[ -n "$out" ] || exit 0
"$objcopy" --only-keep-debug "$out" "$out.debug" &&
  "$objcopy" --strip-debug --add-gnu-debuglink="$out.debug" "$out"
