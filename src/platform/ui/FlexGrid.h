#pragma once

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTableWidget>

#include <functional>

class QLineEdit;
class QTableView;

namespace ui {

// Cell alignments: horizontal part * 3 + vertical part. General puts numbers right, text left.
inline constexpr int flexAlignLeftTop = 0;
inline constexpr int flexAlignLeftCenter = 1;
inline constexpr int flexAlignLeftBottom = 2;
inline constexpr int flexAlignCenterTop = 3;
inline constexpr int flexAlignCenterCenter = 4;
inline constexpr int flexAlignCenterBottom = 5;
inline constexpr int flexAlignRightTop = 6;
inline constexpr int flexAlignRightCenter = 7;
inline constexpr int flexAlignRightBottom = 8;
inline constexpr int flexAlignGeneral = 9;

// Which rows merge equal neighbouring cells (see setMergeRow).
inline constexpr int flexMergeNever = 0;
inline constexpr int flexMergeFree = 1;
inline constexpr int flexMergeFixedOnly = 5;

inline constexpr int flexSelectionFree = 0;
inline constexpr int flexSelectionByRow = 1;

// Column widths are given in twips: 15 twips per pixel at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

class FlexGridDelegate;

// The grid every screen lists its rows in, with the members the screens were written against.
//
// The heading rows (FixedRows, 1 by default) are real rows 0..FixedRows-1 of the table, so
// TextMatrix(0, c) is a heading and data rows start at FixedRows. They are painted in the button
// colour, cannot be selected or edited and stay frozen at the top while the rows scroll (an
// overlay view of the same model draws them). Clicking a heading emits no Click.
//
// The current cell (Row, Col) is kept by the grid: it changes when the user moves or clicks, when
// code sets it, and when rows go (it keeps its number, clamped to the last row, so after the last
// data row is removed Row is 0). Row may name a heading row; then no data cell is highlighted.
// RowColChange is emitted whenever it changes, by the user or by code.
//
// Editing: at most one column is editable (setEditableCol). The hooks run in this order:
// StartEdit (may cancel; may rewrite the cell before the editor reads it), KeyPressEdit for each
// typed character (set keyAscii to 0 to drop it, or to another character to replace it),
// ValidateEdit with the typed text in EditText() (cancel keeps the old text), AfterEdit once the
// editor has closed. Escape abandons the edit without Validate or After.
//
// Widths: ColWidth is the least a column gets. It widens to fit its headings and the cells of
// the first screenful of data rows (kFitRows) at the grid's font, so neither a heading nor the
// values a user reads first are ever cut; rows further down are never measured, which keeps
// filling a grid of 100,000 rows as fast as without fitting. A column set to width 0 stays
// collapsed. Columns only widen while filled; setCols and setColWidth start a column's fit afresh.
//
// A row or column number out of range throws std::out_of_range, as the screens' error handlers
// expect a failing grid call to raise an error rather than do nothing.
class FlexGrid : public QTableWidget {
    Q_OBJECT

public:
    using EditHook = std::function<void(int row, int col, bool& cancel)>;
    using AfterEditHook = std::function<void(int row, int col)>;
    using EditKeyHook = std::function<void(int row, int col, int& keyAscii)>;

    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int Rows() const { return rowCount(); }
    void setRows(int rows);
    int Cols() const { return columnCount(); }
    void setCols(int cols);
    int FixedRows() const { return fixedRows_; }
    void setFixedRows(int rows);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // The current cell's text.
    QString Text() const;
    void setText(const QString& text);

    // Adds a row from tab-separated cells ("a\tb\tc"), at the end or before row `index`.
    // Cells beyond the last column are dropped; missing ones stay empty.
    void AddItem(const QString& item);
    void AddItem(const QString& item, int index);
    // Adds a row whose cells are taken as they are: a name typed by a user may hold a tab,
    // which AddItem would take for a column break.
    void AddRow(const QStringList& cells);
    // Removes a data row (a heading row cannot be removed).
    void RemoveItem(int row);

    int ColWidth(int col) const;  // twips: the least the column gets
    void setColWidth(int col, int twips);  // -1 gives the default width back
    // Data rows measured for the columns' width, after the headings.
    static constexpr int kFitRows = 50;
    bool ColHidden(int col) const;
    void setColHidden(int col, bool hidden);
    int ColAlignment(int col) const;
    void setColAlignment(int col, int alignment);
    // Alignment of the heading cells of a column; until set they follow ColAlignment.
    int FixedAlignment(int col) const;
    void setFixedAlignment(int col, int alignment);

    // The alignment set for the cell, or inherited from its column (may be flexAlignGeneral).
    int CellAlignment(int row, int col) const;
    int CellAlignment() const { return CellAlignment(Row(), Col()); }
    void setCellAlignment(int alignment) { setCellAlignment(Row(), Col(), alignment); }
    void setCellAlignment(int row, int col, int alignment);
    void setCellAlignment(int row1, int col1, int row2, int col2, int alignment);
    // How the cell's text is really placed (general resolved by the text).
    Qt::Alignment displayAlignment(int row, int col) const;

    // Cell colours; an invalid QColor means the grid's own colour.
    QColor CellBackColor(int row, int col) const;
    QColor CellBackColor() const { return CellBackColor(Row(), Col()); }
    void setCellBackColor(const QColor& c) { setCellBackColor(Row(), Col(), c); }
    void setCellBackColor(int row, int col, const QColor& c);
    void setCellBackColor(int row1, int col1, int row2, int col2, const QColor& c);
    QColor CellForeColor(int row, int col) const;
    QColor CellForeColor() const { return CellForeColor(Row(), Col()); }
    void setCellForeColor(const QColor& c) { setCellForeColor(Row(), Col(), c); }
    void setCellForeColor(int row, int col, const QColor& c);
    void setCellForeColor(int row1, int col1, int row2, int col2, const QColor& c);

    // Merging: a row marked with setMergeRow shows runs of equal, non-empty neighbouring cells
    // as one cell; flexMergeFixedOnly limits that to heading rows.
    int MergeCells() const { return mergeCells_; }
    void setMergeCells(int mode);
    bool MergeRow(int row) const { return mergeRows_.contains(row); }
    void setMergeRow(int row, bool merge);

    int Row() const { return row_; }
    void setRow(int row);
    int Col() const { return col_; }
    void setCol(int col);
    // First data row visible under the headings.
    int TopRow() const;
    void setTopRow(int row);

    bool Redraw() const { return updatesEnabled(); }
    void setRedraw(bool on);

    // flexSelectionFree (one cell) or flexSelectionByRow (the whole current row lights up).
    int FlexSelection() const { return selectionMode_; }
    void setFlexSelection(int mode);

    int EditableCol() const { return editableCol_; }
    void setEditableCol(int col);  // -1: nothing editable
    void onStartEdit(EditHook hook) { startEdit_ = std::move(hook); }
    void onValidateEdit(EditHook hook) { validateEdit_ = std::move(hook); }
    void onAfterEdit(AfterEditHook hook) { afterEdit_ = std::move(hook); }
    void onKeyPressEdit(EditKeyHook hook) { keyPressEdit_ = std::move(hook); }
    // Opens the editor on the current cell, as F2 does (StartEdit may refuse).
    bool EditCell();
    // The text being validated, inside ValidateEdit; the hook may change what gets stored.
    QString EditText() const { return editText_; }
    // The open editor, or null when no cell is being edited.
    QLineEdit* EditWindow() const;
    void setEditText(const QString& text) { editText_ = text; }

    using QTableWidget::edit;

signals:
    void RowColChange();
    void Click();
    void DblClick();
    // A character typed on the grid itself (not in its editor): its code, 13 for Enter.
    void KeyPress(int keyAscii);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void updateGeometries() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Column widths: the least set by the screen, widened to the measured text.
    int textWidthPx(const QString& text) const;
    void widenFor(int row, int col, const QString& text);
    void refit(int col);
    void refitAll();
    void fitMergedHeadings();
    void applyWidth(int col);
    bool measured(int row) const { return row < fixedRows_ + kFitRows; }
    bool mergedRow(int row) const;

    void insertCells(const QStringList& cells, int index);
    friend class FlexGridDelegate;

    void checkCell(int row, int col) const;
    QTableWidgetItem* cell(int row, int col);
    void applyCurrent(int row, int col);
    void onQtCurrentChanged(int row, int col);
    void refreshMerges();
    void updateFrozen();
    void commitEdit(int row, int col, const QString& text);
    void editorClosed();
    void keyTyped(int row, int col, int& keyAscii);

    FlexGridDelegate* delegate_ = nullptr;
    QTableView* frozen_ = nullptr;
    int fixedRows_ = 1;
    int row_ = 0;
    int col_ = 0;
    bool syncing_ = false;
    QHash<int, int> colWidthTwips_;
    QHash<int, int> fitPx_;  // widest measured text of a column, padding included
    QHash<int, int> colAlign_;
    QHash<int, int> fixedAlign_;
    int mergeCells_ = flexMergeNever;
    QSet<int> mergeRows_;
    int selectionMode_ = flexSelectionFree;

    int editableCol_ = -1;
    EditHook startEdit_;
    EditHook validateEdit_;
    AfterEditHook afterEdit_;
    EditKeyHook keyPressEdit_;
    QString editText_;
    QPointer<QLineEdit> editor_;
    bool afterEditPending_ = false;
    int editRow_ = -1;
    int editCol_ = -1;
};

}  // namespace ui
