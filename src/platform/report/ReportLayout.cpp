#include "platform/report/ReportLayout.h"

#include "platform/report/Error.h"
#include "platform/report/ValueFormat.h"

#include <QRegularExpression>

#include <algorithm>
#include <limits>

namespace report {

namespace {

// Rows [begin, end) that a sum or count covers, and the row whose fields a band shows.
struct Context {
    int row = -1;
    int begin = 0;
    int end = 0;
};

class Layout {
public:
    explicit Layout(const ReportLayout::Input& in) : in_(in), def_(*in.definition)
    {
        doc_.landscape = def_.landscape;
        doc_.pageSize = def_.landscape ? QSizeF(297, 210) : QSizeF(210, 297);
        margin_ = in.continuous ? 0 : def_.margin;
        bottom_ = in.continuous ? std::numeric_limits<double>::max()
                                : doc_.pageSize.height() - margin_
                                      - (def_.pageFooter.present ? height(def_.pageFooter) : 0);
    }

    RenderedDocument run()
    {
        const DataTable empty;
        const DataTable& data = in_.data ? *in_.data : empty;
        data_ = &data;
        const int n = static_cast<int>(data.rows.size());
        const Context all{n > 0 ? 0 : -1, 0, n};

        groupColumns_.clear();
        for (const GroupDef& g : def_.groups)
            groupColumns_.push_back(column(g.field));

        newPage(all);
        place(def_.reportHeader, all);

        std::vector<int> starts(def_.groups.size(), 0);
        for (int i = 0; i < n; ++i) {
            const int g0 = firstChangedLevel(i);
            keepHeadingsWithFirstLine(i, g0);
            for (int level = g0; level < static_cast<int>(def_.groups.size()); ++level) {
                starts[level] = i;
                const Context ctx{i, i, groupEnd(i, level)};
                place(def_.groups[level].header, ctx);
                doc_.outline.push_back(OutlineEntry{level, groupLabel(i, level),
                                                    doc_.pageCount() - 1});
            }
            place(def_.detail, Context{i, 0, n});
            const int closing = i + 1 < n ? firstChangedLevel(i + 1) : 0;
            for (int level = static_cast<int>(def_.groups.size()) - 1; level >= closing; --level)
                place(def_.groups[level].footer, Context{i, starts[level], i + 1});
        }
        place(def_.reportFooter, Context{n > 0 ? n - 1 : -1, 0, n});
        finishPage(Context{n > 0 ? n - 1 : -1, 0, n});

        if (in_.continuous)
            doc_.pageSize.setHeight(y_);
        const QString total = QString::number(doc_.pageCount());
        for (const auto& [page, index] : pageNumbers_) {
            doc_.pages[page].items[index].text =
                QStringLiteral("Página %1 de %2").arg(page + 1).arg(total);
        }
        return std::move(doc_);
    }

private:
    int column(const QString& name) const
    {
        const int c = data_->column(name);
        if (c < 0 && !data_->columns.isEmpty())
            throw Error(QStringLiteral("El informe %1 usa el campo %2, que sus datos no tienen")
                            .arg(in_.fileName, name));
        return c;
    }

    static bool sameKey(const db::Value& a, const db::Value& b)
    {
        if (a.isText() || b.isText())
            return a.toText().compare(b.toText(), Qt::CaseInsensitive) == 0;
        return a == b || (!a.isNull() && !b.isNull() && a.toMoney() == b.toMoney());
    }

    // The outermost group level whose key differs from the previous row (0 for the first row,
    // the number of groups when none changes).
    int firstChangedLevel(int i) const
    {
        if (i == 0)
            return 0;
        for (size_t level = 0; level < groupColumns_.size(); ++level) {
            const int c = groupColumns_[level];
            if (c >= 0 && !sameKey(data_->rows[i][c], data_->rows[i - 1][c]))
                return static_cast<int>(level);
        }
        return static_cast<int>(groupColumns_.size());
    }

    int groupEnd(int start, int level) const
    {
        int j = start + 1;
        const int n = static_cast<int>(data_->rows.size());
        while (j < n && firstChangedLevel(j) > level)
            ++j;
        return j;
    }

    QString groupLabel(int row, int level) const
    {
        const int c = groupColumns_[level];
        return c < 0 ? QString() : ValueFormat::value(data_->rows[row][c], QString());
    }

    double height(const BandDef& band) const
    {
        double h = band.height;
        for (const ElementDef& e : band.elements) {
            if (e.kind == ElementKind::Subreport) {
                const auto it = in_.subreports.constFind(e.text.toLower());
                if (it != in_.subreports.constEnd())
                    h = std::max(h, e.rect.y() + it->height);
            }
        }
        return h;
    }

    void newPage(const Context& ctx)
    {
        if (!doc_.pages.empty())
            finishPage(ctx);
        doc_.pages.emplace_back();
        y_ = margin_;
        if (def_.pageHeader.present)
            draw(def_.pageHeader, ctx, y_);
        bodyTop_ = y_;
    }

    void finishPage(const Context& ctx)
    {
        if (!def_.pageFooter.present || in_.continuous)
            return;
        double footerTop = doc_.pageSize.height() - margin_ - height(def_.pageFooter);
        draw(def_.pageFooter, ctx, footerTop);
    }

    void place(const BandDef& band, const Context& ctx)
    {
        if (!band.present)
            return;
        if (y_ + height(band) > bottom_ && y_ > bodyTop_)
            newPage(ctx);
        draw(band, ctx, y_);
    }

    // A group heading alone at the foot of a page tells the reader nothing: the headings that
    // open at `row` start a new page unless they fit together with the row's detail line.
    void keepHeadingsWithFirstLine(int row, int firstLevel)
    {
        double needed = 0;
        for (auto level = static_cast<size_t>(firstLevel); level < def_.groups.size(); ++level) {
            if (def_.groups[level].header.present)
                needed += height(def_.groups[level].header);
        }
        if (needed == 0)
            return;
        if (def_.detail.present)
            needed += height(def_.detail);
        if (y_ + needed > bottom_ && y_ > bodyTop_)
            newPage(Context{row, row, groupEnd(row, firstLevel)});
    }

    // Draws a band at `top` and moves `top` below it.
    void draw(const BandDef& band, const Context& ctx, double& top)
    {
        auto& items = doc_.pages.back().items;
        const QPointF origin(margin_, top);
        for (const ElementDef& e : band.elements) {
            if (e.kind == ElementKind::Line) {
                RenderItem line;
                line.kind = RenderItem::Kind::Line;
                line.rect = e.rect.translated(origin);
                line.lineWidth = e.lineWidth;
                items.push_back(line);
                continue;
            }
            if (e.kind == ElementKind::Subreport) {
                const auto it = in_.subreports.constFind(e.text.toLower());
                if (it == in_.subreports.constEnd())
                    continue;
                for (RenderItem item : it->items) {
                    item.rect.translate(origin + e.rect.topLeft());
                    items.push_back(item);
                }
                continue;
            }
            RenderItem item;
            item.rect = e.rect.translated(origin);
            item.fontSize = e.fontSize;
            item.bold = e.bold;
            item.italic = e.italic;
            item.align = e.align;
            if (e.kind == ElementKind::PageNumber)
                pageNumbers_.emplace_back(doc_.pageCount() - 1, static_cast<int>(items.size()));
            else
                item.text = text(e, ctx);
            items.push_back(item);
        }
        top += height(band);
    }

    QString text(const ElementDef& e, const Context& ctx) const
    {
        switch (e.kind) {
        case ElementKind::Text: {
            static const QRegularExpression ref(QStringLiteral(R"(\{\?(\d+)\})"));
            QString out = e.text;
            auto m = ref.match(out);
            while (m.hasMatch()) {
                const QString value = in_.parameterText(m.captured(1).toInt());
                out.replace(m.capturedStart(), m.capturedLength(), value);
                m = ref.match(out, m.capturedStart() + value.size());
            }
            return out;
        }
        case ElementKind::Field: {
            const int c = column(e.text);
            if (c < 0 || ctx.row < 0)
                return {};
            return ValueFormat::value(data_->rows[ctx.row][c], e.format);
        }
        case ElementKind::Parameter:
            return in_.parameterText(e.parameter);
        case ElementKind::Sum: {
            const int c = column(e.text);
            db::Money sum;
            for (int i = ctx.begin; c >= 0 && i < ctx.end; ++i)
                sum += data_->rows[i][c].toMoney();
            return ValueFormat::number(sum, e.format.isEmpty() ? QStringLiteral("#.##0,00")
                                                               : e.format);
        }
        case ElementKind::Count:
            return QString::number(ctx.end - ctx.begin);
        default:
            return {};
        }
    }

    const ReportLayout::Input& in_;
    const ReportDefinition& def_;
    const DataTable* data_ = nullptr;
    RenderedDocument doc_;
    std::vector<int> groupColumns_;
    std::vector<std::pair<int, int>> pageNumbers_;
    double margin_ = 10;
    double bottom_ = 287;
    double y_ = 0;
    double bodyTop_ = 0;
};

}  // namespace

RenderedDocument ReportLayout::layout(const Input& input)
{
    return Layout(input).run();
}

SubreportBlock ReportLayout::block(const RenderedDocument& document)
{
    SubreportBlock b;
    if (!document.pages.empty())
        b.items = document.pages.front().items;
    b.height = document.pageSize.height();
    return b;
}

}  // namespace report
