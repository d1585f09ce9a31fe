#!/usr/bin/env bash
# Seeds the realistic faults of scripts/mutazioni.txt one at a time into a
# copy of the tree (build-mutanti/), rebuilds it (ccache: only the changed
# file compiles) and runs the tests listed with the fault: it is caught when
# one of them fails. Prints each outcome and the count. Most of an hour on
# two cores: run it once, at the end of a piece of work. MUTAZIONI_SOLO, a
# regular expression, keeps only the faults whose tests it matches
# (MUTAZIONI_SOLO='consumption|fuel' while trimming those tests).
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
copia="$radice/build-mutanti"
albero="$copia/albero"
build="$albero/build"
rm -rf "$copia"
mkdir -p "$albero"
(cd "$radice" && git ls-files -z | xargs -0 cp --parents -t "$albero")
cmake -S "$albero" -B "$build" -G Ninja -DQUARVEL_BENCH=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null

# Applies fault number $1 of the list to the tree, keeping the file as it
# was in $copia/originale; prints the file, the tests and what goes wrong.
# Fails when there is no such fault.
Semina() {
  perl - "$radice/scripts/mutazioni.txt" "$albero" "$copia/originale" "$1" <<'PERL'
my ($lista, $albero, $originale, $i) = @ARGV;
local $/;
open my $f, '<', $lista or die "$lista\n";
my @blocchi = grep { /^file /m } split /\n\n/, <$f>;
exit 1 if $i >= @blocchi;
my (%m, $chiave, $nota);
for (split /\n/, $blocchi[$i]) {
  if (/^#\s*(.*)/) { $nota = $1; next }
  if (/^(file|da|a|prove) (.*)$/) { $chiave = $1; $m{$chiave} = $2 } else { $m{$chiave} .= "\n$_" }
}
my $percorso = "$albero/$m{file}";
open my $g, '<', $percorso or die "$percorso\n";
my $testo = <$g>;
close $g;
open my $o, '>', $originale or die;
print $o $testo;
close $o;
my $volte = () = $testo =~ /\Q$m{da}\E/g;
die "trovato $volte volte in $m{file}: $m{da}\n" if $volte != 1;
$testo =~ s/\Q$m{da}\E/$m{a}/;
open $g, '>', $percorso or die;
print $g $testo;
close $g;
print "$m{file}\t$m{prove}\t$nota\n";
PERL
}

i=0
provati=0
scoperti=0
sfuggiti=()
while true; do
  stato=0
  riga="$(Semina $i)" || stato=$?
  [ "$stato" -eq 1 ] && break
  if [ "$stato" -ne 0 ]; then
    printf '%2d  NON TROVATO\n' "$((i + 1))"
    i=$((i + 1))
    continue
  fi
  IFS=$'\t' read -r file prove nota <<<"$riga"
  if [ -n "${MUTAZIONI_SOLO:-}" ] && ! [[ "$prove" =~ $MUTAZIONI_SOLO ]]; then
    cp "$copia/originale" "$albero/$file"
    i=$((i + 1))
    continue
  fi
  obiettivi="quarvel_cartella quarvel-batch quarvel_registratore importa_a_lotti"
  for p in $prove; do obiettivi="$obiettivi $(basename "$p")"; done
  esito="SFUGGITO"
  # shellcheck disable=SC2086
  if ! cmake --build "$build" -j2 --target $obiettivi >"$copia/compilazione.log" 2>&1; then
    esito="NON COMPILA"
  else
    provati=$((provati + 1))
    for p in $prove; do
      if ! (cd "$build" && QT_QPA_PLATFORM=offscreen timeout 1800 "tests/$p" --gtest_brief=1 \
              >"$copia/prova.log" 2>&1); then
        esito="SCOPERTO da $p"
        scoperti=$((scoperti + 1))
        break
      fi
    done
  fi
  [ "$esito" = "SFUGGITO" ] && sfuggiti+=("$nota ($file)")
  printf '%2d  %-28s %s\n' "$((i + 1))" "$esito" "$nota"
  cp "$copia/originale" "$albero/$file"
  i=$((i + 1))
done
echo
echo "Guasti seminati: $i, compilati e provati: $provati, scoperti: $scoperti" \
     "($((provati > 0 ? 100 * scoperti / provati : 0)) %)"
for s in "${sfuggiti[@]}"; do echo "sfuggito: $s"; done
