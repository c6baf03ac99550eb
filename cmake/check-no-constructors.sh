#!/bin/sh
# Fails when an object of the given libraries carries static constructors or
# thread-local data, which the program's own entry point would never run.
objdump=$1
shift
if "$objdump" -h "$@" | grep -qE '\.ctors|\.init_array|\.tls'; then
  echo "static constructors or thread-local data in the program code" >&2
  exit 1
fi
