#!/usr/bin/env bash
# Installs the build into a scratch prefix (DESTDIR) and runs the installed programs from a
# folder that has nothing to do with the checkout: they must find their reports under
# <prefix>/share/nrvx, and the host must write that folder into a new company's ini.
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
DESTDIR="$scratch/stage" cmake --install "$build" --prefix /opt/nrvx >/dev/null
prefix="$scratch/stage/opt/nrvx"
for f in bin/nrvx-host bin/nrvx-sql bin/nrvx-reposic share/nrvx/rpt/Empresa.rpt \
         share/nrvx/sql/schema.sqlite.sql share/applications/nrvx-host.desktop \
         share/icons/hicolor/scalable/apps/nrvx-host.svg; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done

mkdir "$scratch/otra" && cd "$scratch/otra"
unset DISPLAY WAYLAND_DISPLAY NRVX_APP_DIR
"$prefix/bin/nrvx-reposic" --version | grep -q '^nrvx-reposic '
"$prefix/bin/nrvx-sql" -d empresa.db --init --demo --articles 200 --stores 2 >/dev/null
"$prefix/bin/nrvx-reposic" generar -d empresa.db --origen 1 --destino todos --pdf pdf --quiet
ls pdf/*/Prefactura*.pdf >/dev/null

# The reports read are the installed ones: one taken away is missed under share/nrvx.
codigo="$("$prefix/bin/nrvx-sql" -d empresa.db -Q 'SELECT MIN(Codigo) AS C FROM Reposicion_Pref' | sed -n 2p)"
rm "$prefix/share/nrvx/rpt/Reposicion Faltas.rpt"
if "$prefix/bin/nrvx-reposic" reimprimir -d empresa.db --prefactura "$codigo" --pdf re 2>err; then
  echo "reprinted without its shortage report"; exit 1
fi
grep -q "/opt/nrvx/share/nrvx/Rpt/Reposicion Faltas.rpt" err || { cat err; exit 1; }

QT_QPA_PLATFORM=offscreen "$prefix/bin/nrvx-host" --screenshot principal.png 2>/dev/null
grep -qx "RutaAplicacion=$prefix/share/nrvx" demo/Calbra.ini || { grep RutaAplicacion demo/Calbra.ini; exit 1; }
echo "installed programs found their reports"
