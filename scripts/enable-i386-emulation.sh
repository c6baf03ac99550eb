#!/bin/bash
# Lets a host that refuses 32-bit code run 32-bit Linux programs (Wine's
# loader among them) through qemu's user-mode emulator, registered with the
# kernel's binfmt_misc. Bookworm's qemu 7.2 takes close to a minute to start
# each Wine process; the emulator of the next Debian release starts one in
# a fraction of a second, and it is a static binary, so only it is taken.
set -euo pipefail
EMULATOR=/usr/local/bin/qemu-i386-user
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ! -x "$EMULATOR" ]; then
  work=$(mktemp -d)
  list=/etc/apt/sources.list.d/quendrel-qemu.list
  echo "deb http://deb.debian.org/debian trixie main" | as_root tee "$list" >/dev/null
  as_root apt-get update -q -o Dir::Etc::sourcelist="$list" -o Dir::Etc::sourceparts=- >/dev/null
  (cd "$work" && apt-get download -q qemu-user/trixie >/dev/null)
  as_root rm -f "$list"
  as_root apt-get update -q >/dev/null
  dpkg-deb -x "$work"/qemu-user_*.deb "$work/root"
  as_root install -m 755 "$work/root/usr/bin/qemu-i386" "$EMULATOR"
  rm -rf "$work"
fi

if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
  as_root mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
fi
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && ! grep -q "$EMULATOR" /proc/sys/fs/binfmt_misc/qemu-i386; then
  echo -1 | as_root tee /proc/sys/fs/binfmt_misc/qemu-i386 >/dev/null
fi
if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:$EMULATOR:F" | as_root tee /proc/sys/fs/binfmt_misc/register >/dev/null
fi
/usr/lib/wine/wineserver32 --version >/dev/null
echo "32-bit programs run through $EMULATOR"
