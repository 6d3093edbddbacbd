#!/usr/bin/env bash
# Exits 0 when this machine runs 32-bit x86 Linux programs, 1 when it does not. It tries: a
# 93-byte static i386 program that only exits with status 0 (ELF header, one loadable
# segment, "xor ebx,ebx; mov eax,1; int 0x80").
probe="$(mktemp)"
trap 'rm -f "$probe"' EXIT
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'`
      `'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000'`
      `'\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'`
      `'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'`
      `'\135\000\000\000\135\000\000\000\005\000\000\000\000\020\000\000'`
      `'\061\333\270\001\000\000\000\315\200' >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
