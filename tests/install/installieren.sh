#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a temporary prefix and starts the installed program as a desktop would: the files
# a desktop looks for, where the data go, --datenordner, a second start, a start without a display.
# Usage: installieren.sh <build folder>
set -eu
build="$1"
tmp=$(mktemp -d)
pids=""
aufraeumen() {
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  # A program still ending writes its last files: the folder goes only after it has ended.
  for p in $pids; do wait "$p" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap aufraeumen EXIT
fehler() { echo "FEHLER: $*" >&2; exit 1; }
# Waits up to 30 s for a file to appear.
warte_auf() {
  i=0
  while [ ! -e "$1" ]; do
    i=$((i + 1)); [ "$i" -gt 300 ] && fehler "$1 erscheint nicht"
    sleep 0.1
  done
}
export ASAN_OPTIONS=detect_leaks=0

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
p="$tmp/prefix"
for f in bin/pfanno-lux share/pfanno-lux/Zirade-Zadod.ize share/pfanno-lux/README.md \
         share/applications/de.pfannolux.PfannoLux.desktop \
         share/metainfo/de.pfannolux.PfannoLux.metainfo.xml \
         share/icons/hicolor/scalable/apps/de.pfannolux.PfannoLux.svg \
         share/icons/hicolor/64x64/apps/de.pfannolux.PfannoLux.png \
         share/man/man1/pfanno-lux.1 share/doc/pfanno-lux/LICENSE; do
  [ -f "$p/$f" ] || fehler "nicht installiert: $f"
done
ls "$p/share/pfanno-lux/Hintergrund/" | grep -q . || fehler "keine Hintergrundbilder installiert"
desktop-file-validate "$p/share/applications/de.pfannolux.PfannoLux.desktop"
meta="$p/share/metainfo/de.pfannolux.PfannoLux.metainfo.xml"
appstreamcli validate --pedantic --no-net "$meta" >/dev/null || fehler "AppStream-Beschreibung ungültig"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$meta" || fehler "keine Lizenz in der AppStream-Beschreibung"
# Every screenshot it names is one of the source tree's.
quelle="$(dirname "$0")/../.."
bilder=$(sed -n 's|.*<image[^>]*>[^<]*/\([^/<]*\)</image>.*|\1|p' "$meta")
[ -n "$bilder" ] || fehler "keine Bildschirmfotos in der AppStream-Beschreibung"
for b in $bilder; do
  [ -f "$quelle/docs/screenshots/$b" ] || fehler "Bildschirmfoto fehlt: docs/screenshots/$b"
done
# The manual page renders without complaint.
[ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$p/share/man/man1/pfanno-lux.1" 2>&1 >/dev/null)" ] ||
  fehler "Handbuchseite mit Warnungen"

# Terminal answers, no window.
"$p/bin/pfanno-lux" --version | grep -q '^Pfanno-Lux [0-9]' || fehler "--version"
"$p/bin/pfanno-lux" --help | grep -q -- '--datenordner' || fehler "--help"
if "$p/bin/pfanno-lux" --unsinn 2>"$tmp/err"; then fehler "unbekannte Angabe angenommen"; fi
grep -q 'Unbekannte Angabe' "$tmp/err" || fehler "keine Meldung zur unbekannten Angabe"

# Without a display: a German message on the terminal, no toolkit abort.
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$p/bin/pfanno-lux" 2>"$tmp/err" || rc=$?
[ "$rc" -eq 1 ] || fehler "ohne Bildschirm: Rückgabe $rc"
grep -q 'xvfb-run' "$tmp/err" || fehler "ohne Bildschirm: kein Hinweis"

# The desktop entry's command on a fresh home: the data go to the user's data folder.
export HOME="$tmp/home"
export XDG_DATA_HOME="$HOME/.local/share"
mkdir -p "$HOME"
befehl=$(sed -n 's/^Exec=//p' "$p/share/applications/de.pfannolux.PfannoLux.desktop")
daten="$XDG_DATA_HOME/pfanno-lux"
PATH="$p/bin:$PATH" QT_QPA_PLATFORM=offscreen $befehl >/dev/null 2>&1 &
pids="$pids $!"
# The print settings are written while the windows are made, after the folder was locked.
warte_auf "$daten/Drucker.drk"
if flock -n "$daten" true; then fehler "Datenordner nicht gesperrt"; fi
[ -d "$daten/Bilder" ] || fehler "Bilder fehlt im Datenordner"
# Help, README and background pictures are read where they were installed, never copied.
for f in Zirade-Zadod.ize README.md Hintergrund .pfanno-lux.lock; do
  [ ! -e "$daten/$f" ] || fehler "$f im Datenordner"
done
[ ! -e "$p/bin/Drucker.drk" ] || fehler "Daten im Programmordner"

# A second start on the same folder hands over to the running program and ends at once.
rc=0
QT_QPA_PLATFORM=offscreen timeout 20 "$p/bin/pfanno-lux" >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 0 ] || fehler "zweiter Start: Rückgabe $rc"

# --datenordner: any folder, created when missing.
QT_QPA_PLATFORM=offscreen "$p/bin/pfanno-lux" --datenordner "$tmp/buecher" >/dev/null 2>&1 &
pids="$pids $!"
warte_auf "$tmp/buecher/Drucker.drk"
[ ! -e "$tmp/buecher/Zirade-Zadod.ize" ] || fehler "Hilfe in den gewählten Datenordner kopiert"

# A folder with the user's own README: it stays as it is.
mkdir -p "$tmp/eigen"
printf '# Meine Rezepte\n' > "$tmp/eigen/README.md"
QT_QPA_PLATFORM=offscreen "$p/bin/pfanno-lux" --datenordner "$tmp/eigen" >/dev/null 2>&1 &
pids="$pids $!"
warte_auf "$tmp/eigen/Drucker.drk"
[ "$(cat "$tmp/eigen/README.md")" = "# Meine Rezepte" ] || fehler "README des Benutzers verändert"
echo "Installation geprüft"
