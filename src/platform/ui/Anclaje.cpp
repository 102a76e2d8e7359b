#include "platform/ui/Anclaje.h"

#include "platform/ui/FlexGrid.h"

#include <QEvent>
#include <QSet>

#include <algorithm>

namespace ui {

namespace {
int toPx(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
}  // namespace

Anclaje::Anclaje(QObject* parent) : QObject(parent)
{
}

void Anclaje::AgregarColumna(FlexGrid* grid, int col, int share)
{
    AgregarColumna(grid, col, grid->ColWidth(col), share);
}

void Anclaje::AgregarColumna(FlexGrid* grid, int col, int widthTwips, int share)
{
    grid->ColWidth(col);  // a column the grid does not have raises here, not on a resize
    bool vigilada = false;
    for (const Columna& c : std::as_const(columnas_))
        vigilada = vigilada || c.grid == grid;
    columnas_.append({grid, col, widthTwips, std::max(share, 0)});
    if (!vigilada)
        grid->viewport()->installEventFilter(this);
    ajustar(grid);
}

void Anclaje::Ajustar()
{
    QSet<FlexGrid*> hechos;
    for (const Columna& c : std::as_const(columnas_)) {
        if (c.grid && !hechos.contains(c.grid)) {
            hechos.insert(c.grid);
            ajustar(c.grid);
        }
    }
}

bool Anclaje::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        for (const Columna& c : std::as_const(columnas_)) {
            if (c.grid && c.grid->viewport() == watched) {
                ajustar(c.grid);
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void Anclaje::ajustar(FlexGrid* grid)
{
    if (ajustando_)
        return;
    ajustando_ = true;

    QList<const Columna*> propias;
    int shares = 0;
    int basePx = 0;
    for (const Columna& c : std::as_const(columnas_)) {
        if (c.grid == grid && c.col < grid->Cols() && !grid->ColHidden(c.col)) {
            propias.append(&c);
            shares += c.share;
            basePx += toPx(c.baseTwips);
        }
    }
    int otrasPx = 0;
    for (int col = 0; col < grid->Cols(); ++col) {
        const bool registrada = std::any_of(propias.begin(), propias.end(),
                                            [col](const Columna* c) { return c->col == col; });
        if (!registrada && !grid->ColHidden(col))
            otrasPx += grid->columnWidth(col);
    }
    const int extra = std::max(grid->viewport()->width() - otrasPx - basePx, 0);
    // Shares above 100 in total are scaled down so the columns never overflow the grid; the
    // rounding remainder goes to the last column so the grid is filled exactly.
    const int total = std::max(shares, 100);
    int repartido = 0;
    for (int i = 0; i < propias.size(); ++i) {
        const Columna& c = *propias.at(i);
        int parte = extra * c.share / total;
        if (i == propias.size() - 1 && shares >= 100)
            parte = extra * shares / total - repartido;
        repartido += parte;
        grid->setColWidth(c.col, (toPx(c.baseTwips) + parte) * kTwipsPerPixel);
    }
    ajustando_ = false;
}

}  // namespace ui
