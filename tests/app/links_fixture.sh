#!/bin/sh
# Places Unix symbolic links in the test prefix's drive C:, where the Win32 side sees them
# as links (folders) or as plain files (files). Usage: links_fixture.sh setup|cleanup
set -eu
root="$WINEPREFIX/drive_c/varntest-links"
rm -rf "$root"
[ "${1:-}" = cleanup ] && exit 0

mkdir -p "$root/outside/dir" "$root/outside/emptydir" "$root/tree/install/sub" \
         "$root/selfdel/install" "$root/exe" "$root/run/install/bin"
echo keep > "$root/outside/dir/keep.txt"
echo keep > "$root/outside/file.txt"
echo x > "$root/tree/install/normal.txt"
echo x > "$root/tree/install/sub/normal2.txt"
ln -s "$root/outside/dir" "$root/tree/install/dirlink"
ln -s "$root/outside/file.txt" "$root/tree/install/filelink"
ln -s "$root/outside/emptydir" "$root/tree/install/emptylink"
ln -s "$root/outside/dir" "$root/tree/install/sub/deeplink"
ln -s "$root/outside/dir" "$root/rootlink"
ln -s "$WINEPREFIX/drive_c/windows" "$root/winlink"
echo x > "$root/selfdel/install/normal.txt"
ln -s "$root/outside/file.txt" "$root/selfdel/install/filelink"
ln -s "$root/outside/file.txt" "$root/exe/Varnholt.exe"
mkdir -p "$root/swap/install/sub" "$root/swap/stage"
echo x > "$root/swap/install/top.txt"
echo x > "$root/swap/install/sub/keep.txt"
ln -s "$root/outside/dir" "$root/swap/stage/sub"
echo x > "$root/run/install/bin/normal.dll"
ln -s "$root/outside/dir" "$root/run/install/bin/dirlink"
ln -s "$root/outside/file.txt" "$root/run/install/Varnholt.exe"
