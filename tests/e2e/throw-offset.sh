#!/bin/sh
# throw-offset.sh OBJDUMP NM PROGRAM OUT: writes where PROGRAM throws std::bad_alloc, in hex from its image base.
set -e
base=$("$1" -p "$3" | awk '$1 == "ImageBase" {print $2}')
at=$("$2" "$3" | awk '$2 == "T" && $3 ~ /^_*_ZSt17__throw_bad_allocv$/ {print $1}')
[ -n "$base" ] && [ -n "$at" ]
printf '%x\n' $((0x$at - 0x$base)) >"$4"
