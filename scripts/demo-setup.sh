# Sourced: puts a demonstration machine into a Wine prefix — a boot drive D:
# holding a boot.ini, the registry value that names it, sample hardware
# profiles, Windows 2000 as the reported version — and installs the program.
# shellcheck shell=bash

# demo_setup PREFIX BUILD_DIR BOOT_FOLDER
demo_setup() {
  local prefix=$1 build=$2 boot=$3
  mkdir -p "$boot"
  printf '%s\r\n' \
    '[boot loader]' \
    'timeout=30' \
    'default=multi(0)disk(0)rdisk(0)partition(1)\WINNT' \
    '[operating systems]' \
    'multi(0)disk(0)rdisk(0)partition(1)\WINNT="Microsoft Windows 2000 Professional" /fastdetect' \
    'multi(0)disk(0)rdisk(0)partition(2)\WINNT="Windows NT Workstation Version 4.00"' \
    'multi(0)disk(0)rdisk(0)partition(2)\WINNT="Windows NT Workstation Version 4.00 [VGA mode]" /basevideo /sos' \
    'multi(0)disk(0)rdisk(1)partition(1)\WINNT="Windows 2000 Server (second disk)" /fastdetect' \
    > "$boot/boot.ini"
  ln -sfn "$boot" "$prefix/dosdevices/d:"
  mkdir -p "$prefix/drive_c/Program Files/Tarvic"
  cp "$build/tarvic/Tarvic.exe" "$prefix/drive_c/Program Files/Tarvic/"
  [ -f "$build/velmo/velmo.exe" ] && cp "$build/velmo/velmo.exe" "$prefix/drive_c/Program Files/Tarvic/"
  cat > "$prefix/demo.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine]
"Version"="win2k"

[HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Setup]
"bootdir"="D:\\"

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\IDConfigDB]
"UserWaitInterval"=dword:0000001e

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\IDConfigDB\Hardware Profiles\0001]
"FriendlyName"="Docked Profile"
"PreferenceOrder"=dword:00000000

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\IDConfigDB\Hardware Profiles\0002]
"FriendlyName"="Undocked Profile"
"PreferenceOrder"=dword:00000001

[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\hivelist]
"\\REGISTRY\\MACHINE\\SYSTEM"="\\Device\\Harddisk0\\Partition1\\WINNT\\System32\\Config\\SYSTEM"

REG
  WINEPREFIX=$prefix wine regedit /S "$prefix/demo.reg" >/dev/null 2>&1
  # Wine's attrib takes one attribute a call.
  for a in +r +h +s; do WINEPREFIX=$prefix wine attrib "$a" 'D:\boot.ini' >/dev/null 2>&1 || true; done
  WINEPREFIX=$prefix wineserver -w
}
