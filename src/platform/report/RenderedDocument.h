#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

class QPainter;

namespace report {

// One mark on a page, in millimetres from the page's top-left corner.
struct RenderItem {
    enum class Kind { Text, Line };
    Kind kind = Kind::Text;
    QRectF rect;  // a line runs from topLeft() to bottomRight()
    QString text;
    double fontSize = 9;  // points
    bool bold = false;
    bool italic = false;
    bool monospace = false;
    Qt::Alignment align = Qt::AlignLeft;
    double lineWidth = 0.3;
};

struct RenderedPage {
    std::vector<RenderItem> items;
};

// A group heading and the page it starts on, for the viewer's group tree.
struct OutlineEntry {
    int level = 0;
    QString label;
    int page = 0;  // 0-based
};

// A laid-out document: what a report or a line printout looks like page by page, independent of
// where it goes. The same marks are painted on screen images, printers and PDF files, so what a
// test reads from text() is what the paper shows.
class RenderedDocument {
public:
    QSizeF pageSize{210, 297};  // millimetres; A4 portrait unless the report says landscape
    bool landscape = false;
    std::vector<RenderedPage> pages;
    std::vector<OutlineEntry> outline;

    int pageCount() const { return static_cast<int>(pages.size()); }
    // Paints page `page` with its top-left corner at the painter's origin; pixelsPerMm is the
    // device's resolution (dots per inch / 25.4).
    void paint(QPainter& painter, int page, double pixelsPerMm) const;
    // The page as the screen shows it: 96 dots per inch at zoom 100.
    QImage image(int page, int zoom) const;
    // The text of every page, line by line as it reads on paper; pages end with a form feed.
    QString text() const;
    QString pageText(int page) const;

private:
    // Fonts and text widths already worked out, shared by the pages of the document: the same
    // headings and figures come back on every page.
    std::shared_ptr<class TextMeasures> measures_;
};

}  // namespace report
