#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

namespace ui {

class FlexGrid;

// Gives the columns registered with it the extra width a grid gains when its form grows, split
// by share (percent of the extra width: two columns of 50 share it equally, one of 100 takes it
// all). A column never drops below the width it was registered with; when the grid is narrower
// than its columns the registered ones keep that width and the grid scrolls. Hidden columns take
// nothing. It watches the grids' viewports, so the layout that resizes the grid is enough.
// Owned by its form (the QObject parent); it holds the grids weakly.
class Anclaje : public QObject {
    Q_OBJECT

public:
    explicit Anclaje(QObject* parent = nullptr);

    // Registers a column with its current width, or with the given width in twips.
    void AgregarColumna(FlexGrid* grid, int col, int share);
    void AgregarColumna(FlexGrid* grid, int col, int widthTwips, int share);

    // Lays the registered columns out again now (also done on every resize).
    void Ajustar();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Columna {
        QPointer<FlexGrid> grid;
        int col;
        int baseTwips;
        int share;
    };
    void ajustar(FlexGrid* grid);

    QList<Columna> columnas_;
    bool ajustando_ = false;
};

}  // namespace ui
