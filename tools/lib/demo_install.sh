# The demo installation of Varnholt in the current Wine prefix ($WINEPREFIX, set up by
# varn_wine_env), shared by tools/demo, the end-to-end tests and the benchmarks.
# Meant to be sourced after tools/lib/wine.sh.

# Sets the demo_* paths (Unix side) for the current prefix.
varn_demo_layout() {
  demo_guid='{5b1e07c4-93a2-4d6f-8c15-e2f0a9d34b71}'
  demo_key="HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$demo_guid"
  demo_drive="$WINEPREFIX/drive_c"
  demo_profile=$(find "$demo_drive/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -n 1)
  demo_install="$demo_drive/Program Files/Varnholt"
  demo_userdata="$demo_profile/AppData/Local/$demo_guid"
  demo_desktop="$demo_profile/Desktop"
  demo_startmenu="$demo_profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Varnholt"
  demo_pins="$demo_profile/AppData/Roaming/Microsoft/Internet Explorer/Quick Launch/User Pinned/TaskBar"
  demo_neighbours=("$demo_drive/Program Files/Neighbour" "$demo_profile/AppData/Local/Neighbour"
                   "$demo_desktop/Other.lnk")
}

# Prints the layout as name=value lines, for programs that are not shell scripts.
varn_demo_print_layout() {
  varn_demo_layout
  local name
  for name in demo_key demo_drive demo_profile demo_install demo_userdata demo_desktop demo_startmenu demo_pins; do
    printf '%s=%s\n' "$name" "${!name}"
  done
}

# varn_demo_install <uninstaller exe> <product exe> [folders] [files per folder]
# Lays out the installation: files in nested folders, the product's program, the uninstaller
# beside it, the per-user items, the uninstall key, and neighbours that must survive.
varn_demo_install() {
  local uninstaller=$1 product=$2 folders=${3:-9} files=${4:-35}
  varn_demo_layout
  varn_demo_remove
  mkdir -p "$demo_install" "$demo_userdata/cache" "$demo_startmenu" "$demo_pins" "$demo_desktop"
  local names=(bin plugins/audio plugins/video data/levels/1 data/levels/2 data/textures locale/en locale/zh docs)
  local f d i
  for ((f = 0; f < folders; f++)); do
    if ((f < ${#names[@]})); then d=${names[$f]}; else d="data/more/part$f"; fi
    mkdir -p "$demo_install/$d"
    for ((i = 1; i <= files; i++)); do printf 'varnholt %s %s\n' "$d" "$i" > "$demo_install/$d/file$i.dat"; done
  done
  cp "$product" "$demo_install/Varnholt.exe"
  cp "$uninstaller" "$demo_install/uninstall.exe"
  for i in $(seq 1 20); do echo "cache $i" > "$demo_userdata/cache/c$i.bin"; done
  echo "[settings]" > "$demo_userdata/settings.ini"
  echo "shortcut" > "$demo_desktop/Varnholt.lnk"
  echo "shortcut" > "$demo_startmenu/Varnholt.lnk"
  echo "shortcut" > "$demo_startmenu/Uninstall Varnholt.lnk"
  echo "pin" > "$demo_pins/Varnholt.lnk"
  mkdir -p "${demo_neighbours[0]}" "${demo_neighbours[1]}"
  echo keep > "${demo_neighbours[0]}/keep.txt"
  echo keep > "${demo_neighbours[1]}/keep.txt"
  echo keep > "${demo_neighbours[2]}"
  varn_wine reg add "$demo_key" /v DisplayName /d Varnholt /f >/dev/null 2>&1
  varn_wine reg add "$demo_key" /v DisplayIcon /d 'C:\Program Files\Varnholt\Varnholt.exe' /f >/dev/null 2>&1
  varn_wine reg add "$demo_key" /v InstallLocation /d 'C:\Program Files\Varnholt' /f >/dev/null 2>&1
}

# Starts the product's program (a stand-in that waits) and sets demo_product_pid.
varn_demo_start_product() {
  varn_wine 'C:\Program Files\Varnholt\Varnholt.exe' </dev/null >/dev/null 2>&1 &
  demo_product_pid=$!
}

# Everything the installation and its neighbours left, the product's process included.
varn_demo_remove() {
  varn_demo_layout
  if [ -n "${demo_product_pid:-}" ] && kill -0 "$demo_product_pid" 2>/dev/null; then
    kill "$demo_product_pid" 2>/dev/null || true
    wait "$demo_product_pid" 2>/dev/null || true
  fi
  rm -rf "$demo_install" "$demo_userdata" "$demo_startmenu" "$demo_pins/Varnholt.lnk" \
    "$demo_desktop/Varnholt.lnk" "${demo_neighbours[@]}"
  varn_wine reg delete "$demo_key" /f >/dev/null 2>&1 || true
}

varn_demo_items=("uninstall key" "product process" "product executable" "installation folder" "per-user folder"
                 "desktop shortcut" "start-menu folder" "taskbar pin" "neighbour in Program Files"
                 "neighbour in Local AppData" "other desktop shortcut")

varn_demo_key_state() { if varn_wine reg query "$demo_key" >/dev/null 2>&1; then echo present; else echo absent; fi; }
varn_demo_path_state() {
  if [ -d "$1" ]; then echo "present ($(find "$1" -type f | wc -l) files)"
  elif [ -e "$1" ]; then echo present; else echo absent; fi
}
varn_demo_process_state() {
  if [ -n "${demo_product_pid:-}" ] && kill -0 "$demo_product_pid" 2>/dev/null; then echo running; else echo stopped; fi
}

# One line per item of varn_demo_items.
varn_demo_snapshot() {
  varn_demo_key_state
  varn_demo_process_state
  varn_demo_path_state "$demo_install/Varnholt.exe"
  varn_demo_path_state "$demo_install"
  varn_demo_path_state "$demo_userdata"
  varn_demo_path_state "$demo_desktop/Varnholt.lnk"
  varn_demo_path_state "$demo_startmenu"
  varn_demo_path_state "$demo_pins/Varnholt.lnk"
  local n
  for n in "${demo_neighbours[@]}"; do varn_demo_path_state "$n"; done
}

# varn_demo_table <before lines...> -- <after lines...>
varn_demo_table() {
  local -a before=() after=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do before+=("$1"); shift; done
  shift
  after=("$@")
  printf '\n%-28s %-22s %s\n' item before after
  printf '%-28s %-22s %s\n' ---- ------ -----
  local i
  for i in "${!varn_demo_items[@]}"; do
    printf '%-28s %-22s %s\n' "${varn_demo_items[$i]}" "${before[$i]}" "${after[$i]}"
  done
}
