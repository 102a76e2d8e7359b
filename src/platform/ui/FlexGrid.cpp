#include "platform/ui/FlexGrid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>
#include <stdexcept>

namespace ui {

namespace {

constexpr int kAlignRole = Qt::UserRole + 71;

bool looksNumeric(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool digit = false;
    for (int i = 0; i < t.size(); ++i) {
        const QChar ch = t.at(i);
        if (ch.isDigit())
            digit = true;
        else if (!(ch == u'.' || ch == u',' || ((ch == u'-' || ch == u'+') && i == 0)))
            return false;
    }
    return digit;
}

// One past the last column of the run of equal, non-empty cells that starts at (row, col): the
// cells a merged row shows as one, and the headings that share one width.
int endOfRun(const FlexGrid& grid, int row, int col)
{
    const QString text = grid.TextMatrix(row, col);
    int end = col + 1;
    if (!text.isEmpty()) {
        while (end < grid.Cols() && grid.TextMatrix(row, end) == text)
            ++end;
    }
    return end;
}

Qt::Alignment toQt(int a)
{
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    a = std::clamp(a, 0, 8);
    return horizontal[a / 3] | vertical[a % 3];
}

// Hands each character typed in the editor to the grid's KeyPressEdit hook.
class EditKeyFilter : public QObject {
public:
    EditKeyFilter(std::function<void(int&)> hook, QObject* parent)
        : QObject(parent), hook_(std::move(hook)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().isEmpty() || key->key() == Qt::Key_Escape || key->key() == Qt::Key_Tab)
            return false;
        int ascii = key->text().at(0).unicode();
        const int typed = ascii;
        hook_(ascii);
        if (ascii == typed)
            return false;
        if (ascii != 0) {
            if (auto* line = qobject_cast<QLineEdit*>(watched))
                line->insert(QString(QChar(ascii)));
        }
        return true;
    }

private:
    std::function<void(int&)> hook_;
};

}  // namespace

// Paints headings in the button colour and places text by the grid's alignments; edits the
// editable column through a line edit wired to the grid's hooks.
class FlexGridDelegate : public QStyledItemDelegate {
public:
    explicit FlexGridDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        grid_->editor_ = editor;
        const int row = index.row();
        const int col = index.column();
        FlexGrid* grid = grid_;
        editor->installEventFilter(new EditKeyFilter(
            [grid, row, col](int& ascii) { grid->keyTyped(row, col, ascii); }, editor));
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* line = static_cast<QLineEdit*>(editor);
        line->setText(index.data(Qt::EditRole).toString());
        line->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        grid_->commitEdit(index.row(), index.column(), static_cast<QLineEdit*>(editor)->text());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = grid_->displayAlignment(index.row(), index.column());
        if (index.row() < grid_->fixedRows_) {
            if (!index.data(Qt::BackgroundRole).isValid())
                option->backgroundBrush = option->palette.button();
            if (!index.data(Qt::ForegroundRole).isValid())
                option->palette.setBrush(QPalette::Text, option->palette.buttonText());
        }
    }

private:
    FlexGrid* grid_;
};

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(1, 1, parent)
{
    delegate_ = new FlexGridDelegate(this);
    setItemDelegate(delegate_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setDefaultSectionSize(64);  // 960 twips
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerItem);
    setFlexSelection(flexSelectionFree);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setWordWrap(false);
    // Tab leaves the grid for the next field and Shift+Tab comes back; the arrows move inside.
    setTabKeyNavigation(false);

    frozen_ = new QTableView(this);
    frozen_->setObjectName(QStringLiteral("flexFixedRows"));
    frozen_->setModel(model());
    // A delegate of its own: editors' commit and close signals must reach only the main view.
    frozen_->setItemDelegate(new FlexGridDelegate(this));
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->horizontalHeader()->hide();
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setMinimumSectionSize(0);
    frozen_->horizontalHeader()->setDefaultSectionSize(64);
    frozen_->verticalHeader()->setMinimumSectionSize(0);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setHorizontalScrollMode(ScrollPerPixel);
    frozen_->setSelectionMode(NoSelection);
    frozen_->setEditTriggers(NoEditTriggers);
    frozen_->setFrameShape(QFrame::NoFrame);
    frozen_->setWordWrap(false);
    frozen_->viewport()->installEventFilter(this);
    viewport()->stackUnder(frozen_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int col, int, int size) { frozen_->setColumnWidth(col, size); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, frozen_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(this, &QTableWidget::currentCellChanged, this,
            [this](int row, int col, int, int) { onQtCurrentChanged(row, col); });
    connect(this, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row >= fixedRows_)
            emit Click();
    });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= fixedRows_)
            emit DblClick();
    });
    connect(delegate_, &QAbstractItemDelegate::closeEditor, this, [this] { editorClosed(); });
    updateFrozen();
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::checkCell(int row, int col) const
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        throw std::out_of_range("Subscript out of range");
}

QTableWidgetItem* FlexGrid::cell(int row, int col)
{
    checkCell(row, col);
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, col, it);
    }
    return it;
}

void FlexGrid::setRows(int rows)
{
    {
        QScopedValueRollback guard(syncing_, true);
        setRowCount(std::max(rows, 0));
    }
    applyCurrent(row_, col_);
    refreshMerges();
}

void FlexGrid::setCols(int cols)
{
    cols = std::max(cols, 0);
    {
        QScopedValueRollback guard(syncing_, true);
        setColumnCount(cols);
    }
    for (QHash<int, int>* h : {&colWidthTwips_, &colAlign_, &fixedAlign_}) {
        for (auto it = h->begin(); it != h->end();)
            it = it.key() >= cols ? h->erase(it) : std::next(it);
    }
    applyCurrent(row_, col_);
    refreshMerges();
    refitAll();
}

void FlexGrid::setFixedRows(int rows)
{
    fixedRows_ = std::max(rows, 0);
    applyCurrent(row_, col_);
    refreshMerges();
    refitAll();
    updateFrozen();
    viewport()->update();
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    cell(row, col)->setText(text);
    if (mergeRows_.contains(row)) {
        refreshMerges();
        fitMergedHeadings();
    }
    widenFor(row, col, text);
}

QString FlexGrid::Text() const
{
    return TextMatrix(row_, col_);
}

void FlexGrid::setText(const QString& text)
{
    setTextMatrix(row_, col_, text);
}

void FlexGrid::AddItem(const QString& item)
{
    AddItem(item, rowCount());
}

void FlexGrid::AddItem(const QString& text, int index)
{
    insertCells(text.split(QLatin1Char('\t')), index);
}

void FlexGrid::AddRow(const QStringList& cells)
{
    insertCells(cells, rowCount());
}

void FlexGrid::AddRows(const QList<QStringList>& rows)
{
    if (rows.isEmpty())
        return;
    const int first = rowCount();
    const int cols = columnCount();
    {
        QScopedValueRollback guard(syncing_, true);
        setRowCount(first + int(rows.size()));
    }
    {
        // The views repaint once below instead of once per cell.
        const QSignalBlocker quiet(model());
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList& cells = rows.at(i);
            const int n = std::min(int(cells.size()), cols);
            for (int c = 0; c < n; ++c)
                setItem(first + i, c, new QTableWidgetItem(cells.at(c)));
        }
    }
    for (int r = first; r < first + rows.size() && measured(r); ++r) {
        const QStringList& cells = rows.at(r - first);
        for (int c = 0; c < std::min(int(cells.size()), cols); ++c)
            widenFor(r, c, cells.at(c));
    }
    applyCurrent(row_, col_);
    if (!mergeRows_.isEmpty())
        refreshMerges();
    viewport()->update();
    frozen_->viewport()->update();
}

void FlexGrid::insertCells(const QStringList& cells, int index)
{
    if (index < 0 || index > rowCount())
        throw std::out_of_range("Subscript out of range");
    {
        QScopedValueRollback guard(syncing_, true);
        insertRow(index);
    }
    const int n = std::min(int(cells.size()), columnCount());
    for (int c = 0; c < n; ++c) {
        setItem(index, c, new QTableWidgetItem(cells.at(c)));
        widenFor(index, c, cells.at(c));
    }
    applyCurrent(row_, col_);
    if (!mergeRows_.isEmpty())
        refreshMerges();
}

void FlexGrid::RemoveItem(int row)
{
    if (row < fixedRows_ || row >= rowCount())
        throw std::out_of_range("Subscript out of range");
    {
        QScopedValueRollback guard(syncing_, true);
        removeRow(row);
    }
    applyCurrent(row_, col_);
    if (!mergeRows_.isEmpty())
        refreshMerges();
}

int FlexGrid::ColWidth(int col) const
{
    checkCell(0, col);
    const auto it = colWidthTwips_.constFind(col);
    if (it != colWidthTwips_.constEnd())
        return it.value();
    return horizontalHeader()->defaultSectionSize() * kTwipsPerPixel;
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCell(0, col);
    if (twips < 0)
        colWidthTwips_.remove(col);
    else
        colWidthTwips_.insert(col, twips);
    refit(col);
    applyWidth(col);
    if (!mergeRows_.isEmpty())
        fitMergedHeadings();
}

void FlexGrid::applyWidth(int col)
{
    const int twips = colWidthTwips_.value(col, -1);
    int px = twips < 0 ? horizontalHeader()->defaultSectionSize()
                       : (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
    // Width 0 is how a screen keeps a column out of sight: no text may open it again.
    if (twips != 0)
        px = std::max(px, fitPx_.value(col, 0));
    // A hidden column keeps the width for when it is shown again.
    if (isColumnHidden(col)) {
        horizontalHeader()->resizeSection(col, px);
        horizontalHeader()->hideSection(col);
    } else if (columnWidth(col) != px) {
        setColumnWidth(col, px);
    }
}

int FlexGrid::textWidthPx(const QString& text) const
{
    if (text.isEmpty())
        return 0;
    const QFontMetrics fm = fontMetrics();
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    // The delegate's margins on both sides, and a pixel of air so no glyph touches the line.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return widest + 2 * margin + 2;
}

bool FlexGrid::mergedRow(int row) const
{
    return mergeCells_ != flexMergeNever && mergeRows_.contains(row)
        && !(mergeCells_ == flexMergeFixedOnly && row >= fixedRows_);
}

void FlexGrid::widenFor(int row, int col, const QString& text)
{
    // Cells of a merged row are measured by runs, in fitMergedHeadings.
    if (!measured(row) || mergedRow(row))
        return;
    const int px = textWidthPx(text);
    if (px <= fitPx_.value(col, 0))
        return;
    fitPx_.insert(col, px);
    applyWidth(col);
}

void FlexGrid::refit(int col)
{
    int widest = 0;
    const int last = std::min(rowCount(), fixedRows_ + kFitRows);
    for (int r = 0; r < last; ++r) {
        if (mergedRow(r))
            continue;
        if (const QTableWidgetItem* it = item(r, col))
            widest = std::max(widest, textWidthPx(it->text()));
    }
    fitPx_.insert(col, widest);
}

void FlexGrid::refitAll()
{
    fitPx_.clear();
    for (int c = 0; c < columnCount(); ++c) {
        refit(c);
        applyWidth(c);
    }
    fitMergedHeadings();
}

void FlexGrid::fitMergedHeadings()
{
    const int cols = columnCount();
    for (int r : std::as_const(mergeRows_)) {
        if (r < 0 || r >= rowCount() || !measured(r) || !mergedRow(r))
            continue;
        int c = 0;
        while (c < cols) {
            const int end = endOfRun(*this, r, c);
            // A run shares its text: only its last shown column widens, by what the run lacks.
            int total = 0;
            int lastShown = -1;
            for (int k = c; k < end; ++k) {
                if (!isColumnHidden(k) && colWidthTwips_.value(k, -1) != 0) {
                    total += columnWidth(k);
                    lastShown = k;
                }
            }
            const int need = textWidthPx(TextMatrix(r, c));
            if (lastShown >= 0 && need > total) {
                fitPx_.insert(lastShown, columnWidth(lastShown) + need - total);
                applyWidth(lastShown);
            }
            c = end;
        }
    }
}

bool FlexGrid::ColHidden(int col) const
{
    checkCell(0, col);
    return isColumnHidden(col);
}

void FlexGrid::setColHidden(int col, bool hidden)
{
    checkCell(0, col);
    setColumnHidden(col, hidden);
    frozen_->setColumnHidden(col, hidden);
    if (!hidden)
        applyWidth(col);
}

int FlexGrid::ColAlignment(int col) const
{
    checkCell(0, col);
    return colAlign_.value(col, flexAlignGeneral);
}

void FlexGrid::setColAlignment(int col, int alignment)
{
    checkCell(0, col);
    colAlign_.insert(col, alignment);
    viewport()->update();
}

int FlexGrid::FixedAlignment(int col) const
{
    checkCell(0, col);
    return fixedAlign_.value(col, ColAlignment(col));
}

void FlexGrid::setFixedAlignment(int col, int alignment)
{
    checkCell(0, col);
    fixedAlign_.insert(col, alignment);
    frozen_->viewport()->update();
}

int FlexGrid::CellAlignment(int row, int col) const
{
    checkCell(row, col);
    if (const QTableWidgetItem* it = item(row, col)) {
        const QVariant a = it->data(kAlignRole);
        if (a.isValid())
            return a.toInt();
    }
    return row < fixedRows_ ? FixedAlignment(col) : ColAlignment(col);
}

void FlexGrid::setCellAlignment(int row, int col, int alignment)
{
    cell(row, col)->setData(kAlignRole, alignment);
}

void FlexGrid::setCellAlignment(int row1, int col1, int row2, int col2, int alignment)
{
    for (int r = std::min(row1, row2); r <= std::max(row1, row2); ++r)
        for (int c = std::min(col1, col2); c <= std::max(col1, col2); ++c)
            setCellAlignment(r, c, alignment);
}

Qt::Alignment FlexGrid::displayAlignment(int row, int col) const
{
    const int a = CellAlignment(row, col);
    if (a == flexAlignGeneral)
        return toQt(looksNumeric(TextMatrix(row, col)) ? flexAlignRightCenter
                                                       : flexAlignLeftCenter);
    return toQt(a);
}

QColor FlexGrid::CellBackColor(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem* it = item(row, col);
    const QVariant v = it ? it->data(Qt::BackgroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : QColor();
}

void FlexGrid::setCellBackColor(int row, int col, const QColor& c)
{
    cell(row, col)->setData(Qt::BackgroundRole, c.isValid() ? QVariant(QBrush(c)) : QVariant());
}

void FlexGrid::setCellBackColor(int row1, int col1, int row2, int col2, const QColor& c)
{
    for (int r = std::min(row1, row2); r <= std::max(row1, row2); ++r)
        for (int col = std::min(col1, col2); col <= std::max(col1, col2); ++col)
            setCellBackColor(r, col, c);
}

QColor FlexGrid::CellForeColor(int row, int col) const
{
    checkCell(row, col);
    const QTableWidgetItem* it = item(row, col);
    const QVariant v = it ? it->data(Qt::ForegroundRole) : QVariant();
    return v.isValid() ? v.value<QBrush>().color() : QColor();
}

void FlexGrid::setCellForeColor(int row, int col, const QColor& c)
{
    cell(row, col)->setData(Qt::ForegroundRole, c.isValid() ? QVariant(QBrush(c)) : QVariant());
}

void FlexGrid::setCellForeColor(int row1, int col1, int row2, int col2, const QColor& c)
{
    for (int r = std::min(row1, row2); r <= std::max(row1, row2); ++r)
        for (int col = std::min(col1, col2); col <= std::max(col1, col2); ++col)
            setCellForeColor(r, col, c);
}

void FlexGrid::setMergeCells(int mode)
{
    mergeCells_ = mode;
    refreshMerges();
    refitAll();
}

void FlexGrid::setMergeRow(int row, bool merge)
{
    if (merge)
        mergeRows_.insert(row);
    else
        mergeRows_.remove(row);
    refreshMerges();
    refitAll();
}

void FlexGrid::refreshMerges()
{
    clearSpans();
    frozen_->clearSpans();
    if (mergeCells_ == flexMergeNever)
        return;
    const int cols = columnCount();
    for (int r : std::as_const(mergeRows_)) {
        if (r < 0 || r >= rowCount() || (mergeCells_ == flexMergeFixedOnly && r >= fixedRows_))
            continue;
        int c = 0;
        while (c < cols) {
            const int end = endOfRun(*this, r, c);
            if (end - c > 1) {
                setSpan(r, c, 1, end - c);
                frozen_->setSpan(r, c, 1, end - c);
            }
            c = end;
        }
    }
}

void FlexGrid::setRow(int row)
{
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("Subscript out of range");
    applyCurrent(row, col_);
}

void FlexGrid::setCol(int col)
{
    if (col < 0 || col >= columnCount())
        throw std::out_of_range("Subscript out of range");
    applyCurrent(row_, col);
}

void FlexGrid::applyCurrent(int row, int col)
{
    const int rows = rowCount();
    const int cols = columnCount();
    row = rows == 0 ? -1 : std::clamp(row, 0, rows - 1);
    col = cols == 0 ? -1 : std::clamp(col, 0, cols - 1);
    const bool changed = row != row_ || col != col_;
    row_ = row;
    col_ = col;
    {
        QScopedValueRollback guard(syncing_, true);
        if (row_ >= fixedRows_ && col_ >= 0) {
            setCurrentCell(row_, col_);
        } else {
            clearSelection();
            setCurrentIndex(QModelIndex());
        }
    }
    if (changed)
        emit RowColChange();
}

void FlexGrid::onQtCurrentChanged(int row, int col)
{
    if (syncing_ || row < 0 || col < 0 || (row == row_ && col == col_))
        return;
    row_ = row;
    col_ = col;
    emit RowColChange();
}

int FlexGrid::TopRow() const
{
    const int top = verticalScrollBar()->value() + fixedRows_;
    return std::max(std::min(top, rowCount() - 1), 0);
}

void FlexGrid::setTopRow(int row)
{
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("Subscript out of range");
    verticalScrollBar()->setValue(std::max(row - fixedRows_, 0));
}

void FlexGrid::setRedraw(bool on)
{
    setUpdatesEnabled(on);
    if (on)
        viewport()->update();
}

void FlexGrid::setFlexSelection(int mode)
{
    selectionMode_ = mode;
    setSelectionMode(SingleSelection);
    setSelectionBehavior(mode == flexSelectionByRow ? SelectRows : SelectItems);
}

void FlexGrid::setEditableCol(int col)
{
    editableCol_ = col;
}

bool FlexGrid::EditCell()
{
    if (row_ < fixedRows_ || col_ < 0)
        return false;
    return edit(model()->index(row_, col_), EditKeyPressed, nullptr);
}

bool FlexGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    if (!index.isValid() || index.row() < fixedRows_ || index.column() != editableCol_)
        return false;
    if (state() == EditingState || !(trigger & editTriggers()))
        return QTableWidget::edit(index, trigger, event);
    bool cancel = false;
    if (startEdit_)
        startEdit_(index.row(), index.column(), cancel);
    if (cancel)
        return false;
    return QTableWidget::edit(index, trigger, event);
}

QLineEdit* FlexGrid::EditWindow() const
{
    return state() == EditingState ? editor_.data() : nullptr;
}

void FlexGrid::commitEdit(int row, int col, const QString& text)
{
    editText_ = text;
    bool cancel = false;
    if (validateEdit_)
        validateEdit_(row, col, cancel);
    if (cancel)
        return;
    setTextMatrix(row, col, editText_);
    afterEditPending_ = true;
    editRow_ = row;
    editCol_ = col;
}

void FlexGrid::editorClosed()
{
    // After the view has closed the editor, so the hook may move the current cell.
    if (!afterEditPending_)
        return;
    afterEditPending_ = false;
    if (afterEdit_)
        afterEdit_(editRow_, editCol_);
}

void FlexGrid::keyTyped(int row, int col, int& keyAscii)
{
    if (keyPressEdit_)
        keyPressEdit_(row, col, keyAscii);
}

void FlexGrid::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState) {
        int ascii = 0;
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            ascii = 13;
        else if (!event->text().isEmpty())
            ascii = event->text().at(0).unicode();
        if (ascii != 0)
            emit KeyPress(ascii);
    }
    QTableWidget::keyPressEvent(event);
}

QModelIndex FlexGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
    if (!next.isValid() || next.row() >= fixedRows_)
        return next;
    if (rowCount() <= fixedRows_)
        return QModelIndex();
    return model()->index(fixedRows_, next.column());
}

void FlexGrid::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    QTableWidget::scrollTo(index, hint);
    // The top rows of the viewport lie under the frozen headings: a row scrolled to the top
    // must come to rest just below them.
    if (!index.isValid() || index.row() < fixedRows_)
        return;
    const int top = verticalScrollBar()->value();
    if (index.row() < top + fixedRows_)
        verticalScrollBar()->setValue(index.row() - fixedRows_);
}

void FlexGrid::updateGeometries()
{
    QTableWidget::updateGeometries();
    updateFrozen();
}

void FlexGrid::updateFrozen()
{
    if (!frozen_)
        return;
    int height = 0;
    for (int r = 0; r < std::min(fixedRows_, rowCount()); ++r) {
        frozen_->setRowHeight(r, rowHeight(r));
        height += rowHeight(r);
    }
    if (height == 0) {
        frozen_->hide();
        return;
    }
    const QRect vp = viewport()->geometry();
    frozen_->setGeometry(vp.x(), vp.y(), vp.width(), std::min(height, vp.height()));
    frozen_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    frozen_->verticalScrollBar()->setValue(0);
    frozen_->show();
}

void FlexGrid::changeEvent(QEvent* event)
{
    QTableWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        refitAll();
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    // The frozen headings never scroll on their own: the wheel over them scrolls the grid.
    if (frozen_ && watched == frozen_->viewport() && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(viewport(), event);
        return true;
    }
    return QTableWidget::eventFilter(watched, event);
}

}  // namespace ui
