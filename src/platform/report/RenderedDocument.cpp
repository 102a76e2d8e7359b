#include "platform/report/RenderedDocument.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace report {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;

QFont fontFor(const RenderItem& item, double pixelsPerMm)
{
    QFont font(item.monospace ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(item.monospace ? QFont::Monospace : QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(item.fontSize * kMmPerPoint
                                                                  * pixelsPerMm))));
    font.setBold(item.bold);
    font.setItalic(item.italic);
    return font;
}

}  // namespace

// The fonts a document is painted in, one per size and style at each device resolution, and
// the width of each text already measured in them.
class TextMeasures {
public:
    struct Face {
        QFont font;
        QFontMetricsF metrics;
        qreal widestChar;
        QHash<QString, qreal> widths;
    };

    Face& face(const RenderItem& item, double pixelsPerMm, const QPaintDevice* device)
    {
        const int dpiX = device ? device->logicalDpiX() : 0;
        const int dpiY = device ? device->logicalDpiY() : 0;
        const QFont font = fontFor(item, pixelsPerMm);
        const Key key{font.pixelSize(), item.bold, item.italic, item.monospace, dpiX, dpiY};
        auto it = faces_.find(key);
        if (it == faces_.end()) {
            QFontMetricsF metrics(font, device);
            const qreal widest = metrics.maxWidth();
            it = faces_.emplace(key, Face{font, metrics, widest, {}}).first;
        }
        return it->second;
    }

    // Letters the report fonts draw themselves: no wider fallback font's glyph can turn up.
    static bool latin(const QString& text)
    {
        return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x250; });
    }

    // Whether the text fits the width, measuring it only when its length alone cannot tell.
    static bool fits(Face& face, const QString& text, qreal width)
    {
        if (face.widestChar > 0 && text.size() * face.widestChar <= width && latin(text))
            return true;
        auto w = face.widths.constFind(text);
        if (w == face.widths.constEnd()) {
            // A long document's distinct texts are many: measures are kept for a page or two.
            if (face.widths.size() > 4096)
                face.widths.clear();
            w = face.widths.insert(text, face.metrics.horizontalAdvance(text));
        }
        return w.value() <= width;
    }

private:
    using Key = std::tuple<int, bool, bool, bool, int, int>;
    std::map<Key, Face> faces_;
};

void RenderedDocument::paint(QPainter& painter, int page, double pixelsPerMm) const
{
    if (page < 0 || page >= pageCount())
        return;
    if (!measures_)
        const_cast<RenderedDocument*>(this)->measures_ = std::make_shared<TextMeasures>();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const RenderItem& item : pages[page].items) {
        const QRectF r(item.rect.x() * pixelsPerMm, item.rect.y() * pixelsPerMm,
                       item.rect.width() * pixelsPerMm, item.rect.height() * pixelsPerMm);
        if (item.kind == RenderItem::Kind::Line) {
            painter.setPen(QPen(Qt::black, std::max(1.0, item.lineWidth * pixelsPerMm)));
            painter.drawLine(r.topLeft(), r.bottomRight());
            continue;
        }
        TextMeasures::Face& face = measures_->face(item, pixelsPerMm, painter.device());
        painter.setFont(face.font);
        painter.setPen(Qt::black);
        // Too long a value is cut with an ellipsis rather than running over its neighbour.
        QString text = item.text;
        if (!item.monospace && r.width() > 0 && !TextMeasures::fits(face, text, r.width()))
            text = face.metrics.elidedText(text, Qt::ElideRight, r.width());
        painter.drawText(r, static_cast<int>(item.align | Qt::AlignVCenter) | Qt::TextSingleLine
                                | Qt::TextDontClip,
                         text);
    }
    painter.restore();
}

QImage RenderedDocument::image(int page, int zoom) const
{
    const double pixelsPerMm = 96.0 / 25.4 * std::clamp(zoom, 10, 800) / 100.0;
    QImage img(QSize(static_cast<int>(std::ceil(pageSize.width() * pixelsPerMm)),
                     static_cast<int>(std::ceil(pageSize.height() * pixelsPerMm))),
               QImage::Format_RGB32);
    img.setDotsPerMeterX(static_cast<int>(pixelsPerMm * 1000));
    img.setDotsPerMeterY(static_cast<int>(pixelsPerMm * 1000));
    img.fill(Qt::white);
    QPainter painter(&img);
    paint(painter, page, pixelsPerMm);
    return img;
}

QString RenderedDocument::pageText(int page) const
{
    if (page < 0 || page >= pageCount())
        return {};
    std::vector<const RenderItem*> texts;
    for (const RenderItem& item : pages[page].items) {
        if (item.kind == RenderItem::Kind::Text && !item.text.isEmpty())
            texts.push_back(&item);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const RenderItem* a, const RenderItem* b) {
        if (std::abs(a->rect.top() - b->rect.top()) > 0.5)
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    QString out;
    double lineTop = -1000;
    bool first = true;
    for (const RenderItem* item : texts) {
        if (first || std::abs(item->rect.top() - lineTop) > 0.5) {
            if (!first)
                out += QLatin1Char('\n');
            lineTop = item->rect.top();
            first = false;
        } else {
            out += QLatin1String("  ");
        }
        out += item->text;
    }
    return out + QLatin1Char('\n');
}

QString RenderedDocument::text() const
{
    QString out;
    for (int i = 0; i < pageCount(); ++i)
        out += pageText(i) + QLatin1Char('\f');
    return out;
}

}  // namespace report
