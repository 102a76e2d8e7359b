#!/usr/bin/env bash
# A user's walk through the pre-invoice screens on a real X display: Xvfb, openbox, and keys and
# clicks sent with xdotool to nrvx-host on a fresh demo company. It generates the pre-invoices of
# one store, opens them in the viewer, edits one line in the editing screen and annuls that
# pre-invoice, checking the database after every step.
#
#   recorrido.sh NRVX_HOST NRVX_SQL
#
# Exit 0 walked, 1 a step failed (its screenshots and the program's output are kept and their
# folder printed), 77 skipped: no Xvfb, xdotool or openbox, or no CUPS queue NRVX_PDF to print on
# (scripts/cups-start makes it; scripts/test runs it).
set -euo pipefail

HOST="${1:?nrvx-host}"
SQL="${2:?nrvx-sql}"
HERE="$(cd "$(dirname "$0")" && pwd)"
SOURCE_DIR="$(cd "$HERE/../.." && pwd)"
QUEUE=NRVX_PDF
PDF_DIR="${NRVX_PDF_DIR:-/var/spool/cups-pdf/nrvx}"
STORE=2   # the store whose pending units become pre-invoices
ORIGIN=1  # the central warehouse, the user's own

skip() { echo "SKIPPED: $*"; exit 77; }
for tool in Xvfb xdotool openbox xprop xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is missing (scripts/setup installs it)"
done
command -v lpstat >/dev/null 2>&1 && lpstat -p "$QUEUE" >/dev/null 2>&1 \
  || skip "no CUPS queue $QUEUE: run scripts/cups-start as root first"

TMP_ROOT="${NRVX_TEST_TMP:-${TMPDIR:-/tmp}}"
mkdir -p "$TMP_ROOT"
WORK="$(mktemp -d "$TMP_ROOT/recorrido.XXXXXX")"
DB="$WORK/demo/Calbra.db"
PIDS=()
OK=0
SHOT=0

cleanup() {
  local i
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
    kill "${PIDS[i]}" 2>/dev/null || true
    wait "${PIDS[i]}" 2>/dev/null || true
  done
  if [ "$OK" = 1 ] && [ -z "${NRVX_E2E_KEEP:-}" ]; then
    rm -rf "$WORK"
  else
    echo "screenshots, database and program output kept in $WORK"
  fi
}
trap cleanup EXIT

log() { printf '[%5.1fs] %s\n' "$(($(date +%s%N) / 1000000 - START_MS))e-3" "$*"; }
START_MS=$(($(date +%s%N) / 1000000))
fail() {
  log "FAILED: $*"
  screenshot failure
  [ -f "$WORK/host.log" ] && { echo "--- nrvx-host output:"; cat "$WORK/host.log"; }
  exit 1
}

# Polls a command every 0.1 s until it succeeds, at most $1 seconds; never a blind sleep.
wait_for() {
  local timeout="$1" what="$2"
  shift 2
  local deadline=$(($(date +%s%N) / 1000000 + timeout * 1000))
  until "$@" >/dev/null 2>&1; do
    (($(date +%s%N) / 1000000 < deadline)) || fail "timed out after ${timeout}s waiting for $what"
    sleep 0.1
  done
}

screenshot() {
  command -v import >/dev/null 2>&1 || return 0
  SHOT=$((SHOT + 1))
  import -window root "$WORK/$(printf '%02d' "$SHOT")-$1.png" 2>/dev/null || true
}

# One value from the company database (the first column of the first row).
value() {
  "$SQL" -d "$DB" -Q "$1" | sed -n 2p | tr -d '\r'
}
expect_value() {
  local what="$1" sql="$2" expected="$3" got
  got="$(value "$sql")"
  [ "$got" = "$expected" ] || fail "$what: expected $expected, found '$got'"
  log "  ok: $what = $got"
}
sum() { awk -v a="$1" -v b="$2" 'BEGIN { print a + b }'; }
value_is() { [ "$(value "$2")" = "$1" ]; }
value_is_not() { [ "$(value "$2")" != "$1" ]; }

window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
window_shown() { [ -n "$(window "$1")" ]; }
window_gone() { [ -z "$(window "$1")" ]; }
# Waits for a window and gives it the keyboard.
take_window() {
  wait_for "${2:-10}" "the window \"$1\"" window_shown "$1"
  local id
  id="$(window "$1")"
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id"
  echo "$id"
}
keys() { xdotool key --clearmodifiers --delay 40 "$@"; }
type_text() { xdotool type --clearmodifiers --delay 40 "$1"; }
# The question boxes answer with the button left of the default No: Shift+Tab reaches it
# whatever language the buttons speak.
answer_yes() {
  take_window "$1" >/dev/null
  keys shift+Tab space
}

# --- the display, the window manager and a company of our own ---------------------------------
mkdir -p "$WORK/demo" "$WORK/home"
"$SQL" -d "$DB" --demo --articles 400 --stores 3 >"$WORK/demo.log" 2>&1 \
  || fail "creating the demo company: $(cat "$WORK/demo.log")"

# Xvfb picks a free display number itself and writes it to the descriptor we give it.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
display_ready() { [ -s "$WORK/display" ]; }
wait_for 10 "Xvfb to start" display_ready
export DISPLAY=":$(tr -d '[:space:]' <"$WORK/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" NRVX_APP_DIR="$SOURCE_DIR"
openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
PIDS+=($!)
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_for 10 "openbox to manage the display" wm_ready
log "display $DISPLAY with openbox"

touch "$WORK/start-mark"
reserved_before="$(value "SELECT ISNULL(SUM(Unidades), 0) FROM Reposicion_StockReservado
                          WHERE Cod_Empresa = 1 AND Cod_Almacen = $ORIGIN")"
pending_before="$(value "SELECT COUNT(*) FROM Reposicion WHERE Cod_Empresa = 1
                         AND Cod_Almacen = $STORE AND Codigo = 0 AND UnidadesVenta <> 0")"
[ "${pending_before:-0}" -gt 0 ] || fail "the demo store $STORE has nothing pending to generate"

"$HOST" --db "$DB" --open frmclsRepPrefactGenerar >"$WORK/host.log" 2>&1 &
HOST_PID=$!
PIDS+=("$HOST_PID")

# --- 1. generation for one store -----------------------------------------------------------------
log "generation for store $STORE"
take_window '^Generación de PreFactura$' 20 >/dev/null
screenshot generar
# The origin is preset to the user's warehouse and holds the focus; the destination is next.
keys Tab
type_text "$STORE"
# Cantidad, Modelo, the shortage report (left out: fewer jobs), double line, the printer.
keys Tab Tab Tab space Tab Tab
type_text "$QUEUE"
screenshot generar-lleno
keys alt+a

pref_of_store="FROM Reposicion_Pref WHERE Cod_Empresa = 1 AND Cod_Almacen = $ORIGIN
               AND Cod_AlmacenD = $STORE"
wait_for 20 "the first pre-invoice of store $STORE" value_is_not 0 "SELECT COUNT(*) $pref_of_store"
# The last pass turns what is still pending into leftovers; then every pre-invoice is printed.
wait_for 30 "the end of the generation pass" value_is 0 \
  "SELECT COUNT(*) FROM Reposicion WHERE Cod_Empresa = 1 AND Cod_Almacen = $STORE
   AND Codigo = 0 AND UnidadesVenta <> 0"
codes="$("$SQL" -d "$DB" -Q "SELECT Codigo $pref_of_store ORDER BY Codigo" | sed -n '2,$p' \
         | grep -E '^[0-9]+$' || true)"
[ -n "$codes" ] || fail "no pre-invoice of store $STORE"
all_printed() {
  local c
  for c in $codes; do
    [ -n "$(find "$PDF_DIR" -maxdepth 1 -name "Prefactura_${c}_*.pdf" -newer "$WORK/start-mark" \
            2>/dev/null | head -n1)" ] || return 1
  done
}
wait_for 40 "every pre-invoice printed on $QUEUE" all_printed
log "  ok: $(echo "$codes" | wc -l) pre-invoices, each printed"
lines_total="$(value "SELECT ISNULL(SUM(l.Unidades), 0) FROM Reposicion_Pref_Lineas l
                      INNER JOIN Reposicion_Pref p ON p.Cod_Empresa = l.Cod_Empresa
                        AND p.Cod_Almacen = l.Cod_Almacen AND p.Codigo = l.Codigo
                      WHERE p.Cod_Empresa = 1 AND p.Cod_Almacen = $ORIGIN
                        AND p.Cod_AlmacenD = $STORE")"
expect_value "stock reserved at the origin after generation" \
  "SELECT ISNULL(SUM(Unidades), 0) FROM Reposicion_StockReservado
   WHERE Cod_Empresa = 1 AND Cod_Almacen = $ORIGIN" \
  "$(sum "$reserved_before" "$lines_total")"
# A last pass with nothing left for group 0 says so in a box, which may come up after the
# printing; it is answered while the screen is being closed.
close_generation() {
  if window_shown '^¡ Atención !$'; then
    take_window '^¡ Atención !$' >/dev/null
    keys Return
  elif window_shown '^Generación de PreFactura$'; then
    take_window '^Generación de PreFactura$' >/dev/null
    keys alt+c
  fi
  window_gone '^Generación de PreFactura$'
}
screenshot generado
wait_for 15 "the generation screen to close" close_generation

# --- 2. the viewer -------------------------------------------------------------------------------
log "viewer"
first="$(echo "$codes" | head -n1)"
take_window '^NRVXReposic - ' >/dev/null
# The host's list of screens finds an entry by the first letters typed; Enter opens it.
type_text "PreFacturas Pend"
keys Return
take_window '^PreFacturas Pendientes de Traspaso$' >/dev/null
screenshot visor
# The first pre-invoice is the current row: Modificar opens it in the editing screen.
keys alt+m
take_window '^Modificación de Prefactura Reposición$' >/dev/null
wait_for 10 "the viewer to close" window_gone '^PreFacturas Pendientes de Traspaso$'

# --- 3. editing one line -------------------------------------------------------------------------
# The first line of the grid, in the grid's own order.
read -r article units uxc <<<"$("$SQL" -d "$DB" -Q "SELECT a.Cod_Articulo, a.Unidades, b.UxCaja
    FROM Reposicion_Pref_Lineas a
    INNER JOIN Articulos b ON b.Cod_Empresa = 1 AND a.Cod_Articulo = b.Codigo
    INNER JOIN Almacen_Articulos aa ON a.Cod_Empresa = aa.Cod_Empresa
      AND a.Cod_Almacen = aa.Cod_Almacen AND a.Cod_Articulo = aa.Cod_Articulo
    WHERE a.Cod_Empresa = 1 AND a.Cod_Almacen = $ORIGIN AND a.Codigo = $first
    ORDER BY aa.Ubicacion, b.Familia_1, b.Familia_2, b.Familia_3" | sed -n 2p)"
units="${units%%.*}"
uxc="${uxc%%.*}"
log "editing pre-invoice $first, article $article: $units units, $uxc a box"
[ "${units:-0}" -ge 2 ] && [ "${uxc:-0}" -ge 1 ] \
  || fail "the first line of $first cannot be lowered by one unit from the keyboard"
new_units=$((units - 1))
reserved_article="SELECT Unidades FROM Reposicion_StockReservado WHERE Cod_Empresa = 1
                  AND Cod_Almacen = $ORIGIN AND Cod_Articulo = $article"
reserved_article_before="$(value "$reserved_article")"
reserved_article_before="${reserved_article_before%%.*}"
screenshot modificar
# A click on the grid's first line (just under its heading), then one on Modificar brings the
# line into the entry row with the focus on the boxes; 0 boxes and the new units, Enter on each,
# and Enter on the leftovers box (left unticked) writes the line. The button is clicked with the
# mouse: its Alt key clicks it only 100 ms later, after keys typed meanwhile.
edit="$(window '^Modificación de Prefactura Reposición$')"
edit_height="$(xwininfo -id "$edit" | awk '/Height:/ { print $2 }')"
xdotool mousemove --window "$edit" 103 184 click 1
# The buttons run along the foot of the screen; Modificar is the third from the left.
xdotool mousemove --window "$edit" 233 "$((edit_height - 34))" click 1
keys ctrl+a
type_text 0
keys Return ctrl+a
type_text "$new_units"
keys Return
screenshot linea
keys Return
line_units="SELECT Unidades FROM Reposicion_Pref_Lineas WHERE Cod_Empresa = 1
            AND Cod_Almacen = $ORIGIN AND Codigo = $first AND Cod_Articulo = $article"
wait_for 10 "the line of article $article saved" value_is "$new_units" "$line_units"
log "  ok: line of article $article = $new_units units"
expect_value "stock reserved for article $article after the edit" "$reserved_article" \
  "$((reserved_article_before - 1))"
screenshot linea-grabada

# --- 4. annulment --------------------------------------------------------------------------------
log "annulment of $first"
store_units="SELECT ISNULL(SUM(Unidades), 0) FROM Reposicion
             WHERE Cod_Empresa = 1 AND Cod_Almacen = $STORE AND Codigo = 0"
store_rest="SELECT ISNULL(SUM(UnidadesResto), 0) FROM Reposicion
            WHERE Cod_Empresa = 1 AND Cod_Almacen = $STORE AND Codigo = 0"
lines_first="$(value "SELECT ISNULL(SUM(Unidades), 0) FROM Reposicion_Pref_Lineas
                      WHERE Cod_Empresa = 1 AND Cod_Almacen = $ORIGIN AND Codigo = $first")"
reserved_total_before="$(value "SELECT ISNULL(SUM(Unidades), 0) FROM Reposicion_StockReservado
                                WHERE Cod_Empresa = 1 AND Cod_Almacen = $ORIGIN")"
store_units_before="$(value "$store_units")"
store_rest_before="$(value "$store_rest")"
take_window '^Modificación de Prefactura Reposición$' >/dev/null
keys alt+n
answer_yes '^¡ Atención !$'
wait_for 10 "pre-invoice $first annulled" value_is 0 \
  "SELECT COUNT(*) FROM Reposicion_Pref WHERE Cod_Empresa = 1 AND Cod_Almacen = $ORIGIN
   AND Codigo = $first"
expect_value "lines left of $first" \
  "SELECT COUNT(*) FROM Reposicion_Pref_Lineas WHERE Cod_Empresa = 1 AND Cod_Almacen = $ORIGIN
   AND Codigo = $first" 0
expect_value "store $STORE pending units after the annulment" "$store_units" \
  "$(sum "$store_units_before" "$lines_first")"
expect_value "store $STORE leftover units after the annulment" "$store_rest" \
  "$(sum "$store_rest_before" "$lines_first")"
expect_value "stock reserved at the origin after the annulment" \
  "SELECT ISNULL(SUM(Unidades), 0) FROM Reposicion_StockReservado
   WHERE Cod_Empresa = 1 AND Cod_Almacen = $ORIGIN" \
  "$(sum "$reserved_total_before" "-$lines_first")"
expect_value "the other pre-invoices of store $STORE" "SELECT COUNT(*) $pref_of_store" \
  "$(($(echo "$codes" | wc -l) - 1))"
screenshot anulada

keys alt+s
wait_for 10 "the editing screen to close" window_gone '^Modificación de Prefactura Reposición$'
kill -0 "$HOST_PID" 2>/dev/null || fail "nrvx-host ended on its own"
OK=1
log "walk done"
