#include "platform/report/RenderedDocument.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

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

void RenderedDocument::paint(QPainter& painter, int page, double pixelsPerMm) const
{
    if (page < 0 || page >= pageCount())
        return;
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
        const QFont font = fontFor(item, pixelsPerMm);
        painter.setFont(font);
        painter.setPen(Qt::black);
        // Too long a value is cut with an ellipsis rather than running over its neighbour.
        QString text = item.text;
        if (!item.monospace && r.width() > 0)
            text = QFontMetricsF(font, painter.device()).elidedText(text, Qt::ElideRight, r.width());
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
