#!/usr/bin/env bash
# Proves the Debian package on this machine, as root: builds it and runs
# lintian (no error allowed), installs it with apt-get, and lets a new user
# with a fresh home start Quarvel without a display, then register a
# vehicle, import a few simulated logger files and analyse them with
# quarvel-batch. Checks that the data landed in that user's
# ~/.local/share/quarvel and nothing under /usr, then removes the package
# and checks that the data stayed. What it made goes again also when a step
# fails; a quarvel package found installed at the start is removed first,
# so that the install is a fresh one.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
if [ "$(id -u)" -ne 0 ]; then
  echo "prova-pacchetto.sh: run it as root" >&2
  exit 2
fi
export DEBIAN_FRONTEND=noninteractive
utente=quarvelprova
targa=AB123CD

installato() { dpkg-query -W -f='${Status}' quarvel 2>/dev/null | grep -q 'install ok installed'; }
togli_pacchetto() { apt-get remove -y -qq quarvel > /dev/null; }
togli_utente() { if id "$utente" > /dev/null 2>&1; then userdel -r "$utente" 2> /dev/null || true; fi; }
fallisce() {
  echo "prova-pacchetto.sh: $*" >&2
  exit 1
}

lavoro=""
quarvel=""
pulisci() {
  local stato=$?
  set +e
  if [ -n "$quarvel" ] && kill -0 "$quarvel" 2> /dev/null; then
    kill "$quarvel" 2> /dev/null || true
    wait "$quarvel" 2> /dev/null || true
  fi
  if installato; then togli_pacchetto || true; fi
  togli_utente
  if [ -n "$lavoro" ]; then rm -rf "$lavoro"; fi
  [ "$stato" -eq 0 ] || echo "prova-pacchetto.sh: FAILED (status $stato)" >&2
  exit "$stato"
}
trap pulisci EXIT
trap 'exit 130' INT TERM

# What a run killed halfway may have left.
if installato; then
  echo "== quarvel was installed: removed first"
  togli_pacchetto
fi
togli_utente

echo "== Package"
deb="$(bash "$radice/scripts/pacchetto.sh" | tail -n 1)"
[ -f "$deb" ] || fallisce "no package made"
echo "$deb"
dpkg-deb --info "$deb" | sed -n 's/^ \(Version\|Depends\): /\1: /p'
versione="$(dpkg-deb -f "$deb" Version)"

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 "$deb" || fallisce "lintian found errors"

# The logger files of three days, from the simulator of the test build.
simulatore="$radice/build/bench/simulatore/quarvel-simulatore"
if [ ! -x "$simulatore" ]; then
  cmake -S "$radice" -B "$radice/build" -G Ninja > /dev/null
  cmake --build "$radice/build" --target quarvel-simulatore > /dev/null
fi
lavoro="$(mktemp -d /tmp/quarvel-pacchetto.XXXXXX)"
chmod 755 "$lavoro"
dal="$(date -d '4 days ago' +%Y-%m-%d)"
al="$(date -d '2 days ago' +%Y-%m-%d)"
"$simulatore" --cartella "$lavoro/chiavetta" --targa "$targa" --dal "$dal" --giorni 3 --seme 7 > /dev/null

echo "== Install"
cp "$deb" "$lavoro/"
apt-get install -y -qq "$lavoro/$(basename "$deb")" > "$lavoro/apt.log" 2>&1 || { cat "$lavoro/apt.log"; fallisce "apt-get install failed"; }
for f in /usr/bin/quarvel /usr/bin/quarvel-batch /usr/share/applications/quarvel.desktop \
         /usr/share/icons/hicolor/48x48/apps/quarvel.png /usr/share/icons/hicolor/256x256/apps/quarvel.png \
         /usr/share/icons/hicolor/scalable/apps/quarvel.svg /usr/share/man/man1/quarvel-batch.1.gz \
         /usr/lib/quarvel/IT.lan /usr/lib/quarvel/DB/protoAnagrafica.mdb; do
  [ -e "$f" ] || fallisce "$f is not installed"
done
programma_prima="$(find /usr/lib/quarvel -printf '%p %s %m\n' | sort)"

echo "== A new user"
useradd -m -s /bin/bash "$utente"
casa="$(getent passwd "$utente" | cut -d: -f6)"
chown -R "$utente:" "$lavoro/chiavetta"
dati="$casa/.local/share/quarvel"
install -d -o "$utente" -m 700 "$lavoro/runtime"
# The user's own process, in the home, with a clean environment (no
# XDG_DATA_HOME): it finds its data folder as after a login. setpriv execs,
# so the process keeps the id that $! gives.
come_utente=(setpriv --reuid="$utente" --regid="$utente" --init-groups
             env -i -C "$casa" HOME="$casa" USER="$utente" LOGNAME="$utente" PATH=/usr/bin:/bin
             LANG=C.UTF-8 XDG_RUNTIME_DIR="$lavoro/runtime")

# The first start, from the menu as it were: it makes the user's data
# folder and registry, and its main window keeps running.
echo "== quarvel on the offscreen platform"
"${come_utente[@]}" QT_QPA_PLATFORM=offscreen quarvel > "$lavoro/quarvel.log" 2>&1 &
quarvel=$!
sleep 5
kill -0 "$quarvel" 2> /dev/null || { cat "$lavoro/quarvel.log"; fallisce "quarvel did not keep running"; }
[ -f "$dati/DB/Anagrafica97.mdb" ] || fallisce "quarvel made no registry in $dati/DB"
kill "$quarvel"
wait "$quarvel" 2> /dev/null || true
quarvel=""
echo "running after 5 s with its registry in $dati, stopped"
# quarvel-batch alone must make the folder too (an owner who only scripts).
rm -rf "$dati"

echo "== quarvel-batch"
[ "$("${come_utente[@]}" quarvel-batch --version)" = "quarvel-batch $versione" ] ||
  fallisce "quarvel-batch --version does not print $versione"
"${come_utente[@]}" quarvel-batch registra "$targa" "Iveco Stralis" 400 600 1
"${come_utente[@]}" quarvel-batch importa "$targa" "$lavoro/chiavetta/LOG"
database="$dati/DATA/${targa}_ $(date +%Y).mdb"
[ -f "$database" ] || fallisce "no vehicle database in $dati/DATA"
"${come_utente[@]}" quarvel-batch analizza "$database" "$dal 00:00" "$al 23:59" "$targa" > "$lavoro/analisi.txt"
head -n 4 "$lavoro/analisi.txt"
[ -s "$lavoro/analisi.txt" ] || fallisce "analizza printed nothing"

echo "== The data are the user's"
[ -f "$dati/DB/Anagrafica97.mdb" ] || fallisce "no registry in $dati/DB"
compgen -G "$dati/REPORT/Report_${targa}_*.txt" > /dev/null || fallisce "no report in $dati/REPORT"
[ -z "$(ls -A "$lavoro/chiavetta/LOG")" ] || fallisce "files left on the stick"
[ -z "$(find "$dati" ! -user "$utente")" ] || fallisce "files in $dati not owned by $utente"
[ -z "$(find /usr -xdev -user "$utente" 2> /dev/null)" ] || fallisce "files of $utente under /usr"
[ "$(find /usr/lib/quarvel -printf '%p %s %m\n' | sort)" = "$programma_prima" ] ||
  fallisce "/usr/lib/quarvel changed"
find "$dati" -type f -printf '  %P\n' | sort

echo "== Remove"
togli_pacchetto
[ ! -e /usr/lib/quarvel ] && [ ! -e /usr/bin/quarvel ] || fallisce "the package left files behind"
[ -f "$dati/DB/Anagrafica97.mdb" ] && [ -f "$database" ] || fallisce "the user's data went with the package"
echo "== Package proved: $deb"
