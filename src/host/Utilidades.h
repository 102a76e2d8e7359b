#pragma once

#include "platform/db/Money.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// The host's global formatting, keyboard and network helpers, as free functions: every screen
// calls them, and none of them keeps state apart from the workstation identifier.
namespace host {

// The workstation formats: Spanish (Spain). Formatting below always uses these, whatever the
// process default, so a screen's text never depends on the environment it was started from.
QLocale localePuesto();
// Makes Spanish the process default too, so Qt's own widgets (spin boxes, calendars) agree.
void instalarLocale();

// Short date as the date entry boxes show and accept it: "05/12/2026". Empty for a null date.
QString FechaTexto(const QDate& fecha);
QString FechaTexto(const QDateTime& momento);
// The text of a date ("5/12/26", "05-12-2026", "2026-12-05 00:00:00", "20261205") in the short
// form; empty when the text is not a date, so a typo never reaches a statement as a date.
QString FechaTexto(const QString& texto);
// The date a text names, in the forms FechaTexto accepts; an invalid QDate otherwise.
// Two-digit years fall in 1930..2029.
QDate FechaDeTexto(const QString& texto);

// For display: `decimales` decimals, comma separator, point grouping ("-1.234,50").
// Rounds halves away from zero as Redondear does; never shows "-0,00".
QString NumeroTexto(double numero, int decimales);
QString NumeroTexto(db::Money numero, int decimales);

// T-SQL numeric literal: optional minus, digits, a point and only the decimals needed.
// Never a comma nor grouping, whatever the locale. Throws std::domain_error for NaN or infinity,
// which have no literal and must not reach a statement as garbage.
QString NumeroSQL(double numero);
QString NumeroSQL(db::Money numero);

// Rounds to `decimales` places, halves away from zero, on the number's decimal reading
// (15 significant digits), so Redondear(2.675, 2) is 2.68 although 2.675 is stored as 2.67499..
double Redondear(double numero, int decimales);

// Moves the keyboard focus to the next control of the active window in tab order, skipping
// hidden, disabled and non-tab-focusable ones. The screens call it on Enter.
void SiguienteCampo();

// `texto` cut or padded with blanks to exactly `ancho` characters: alineacion 0 left, 1 centre
// (the odd blank goes to the right), 2 right. A text too long keeps its beginning whatever the
// alignment, so a cut name stays readable. A width of 0 or less gives "".
QString AjustarTexto(int alineacion, const QString& texto, int ancho);

// Identifies this workstation, the same on every call and every run: the host name plus the
// first characters of the machine id ("CAJA2-3D1219C7"). At most 39 characters.
QString IdentificadorPuesto();

// True when `servidor` accepts a TCP connection on `puerto` within `timeoutMs`.
// The name is first looked up in db::ServerList, as connections resolve it:
//   - a folder of embedded databases answers whether that folder exists;
//   - a SQL Server entry is tried at its host; its own port replaces `puerto` only when it is
//     not the default 1433, since a non-default port in the list is where the server really
//     listens, while the default one is just the list's fill-in.
// Names not in the list are host names, also in SQL Server's spellings "HOST\INSTANCIA",
// "HOST,PUERTO", "." and "(local)".
bool ServidorAccesible(const QString& servidor, int puerto, int timeoutMs = 3000);

}  // namespace host
