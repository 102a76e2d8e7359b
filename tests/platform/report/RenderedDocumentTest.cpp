#include "platform/report/RenderedDocument.h"

#include <QImage>

#include <gtest/gtest.h>

using report::RenderedDocument;
using report::RenderItem;
using report::RenderedPage;

namespace {

RenderItem texto(const QString& t, double x, double y, double ancho, bool negrita = false)
{
    RenderItem item;
    item.text = t;
    item.rect = QRectF(x, y, ancho, 5);
    item.bold = negrita;
    return item;
}

// Two pages with the same marks: a short text, a text cut to its box, a right-aligned figure
// and a bold heading, the kinds a pre-invoice repeats on every page.
RenderedDocument dosPaginasIguales()
{
    RenderedDocument doc;
    for (int p = 0; p < 2; ++p) {
        RenderedPage pagina;
        pagina.items.push_back(texto(QStringLiteral("Código"), 10, 10, 30, true));
        pagina.items.push_back(texto(QStringLiteral("Articulo con una descripción muy larga que no cabe"), 10, 20, 25));
        RenderItem cifra = texto(QStringLiteral("1.234,50"), 40, 20, 20);
        cifra.align = Qt::AlignRight;
        pagina.items.push_back(cifra);
        pagina.items.push_back(texto(QStringLiteral("WWWWWWWWWW"), 10, 30, 25));
        doc.pages.push_back(pagina);
    }
    return doc;
}

}  // namespace

// Fonts and widths are remembered between pages and resolutions: what a page looks like must
// not depend on what was painted before it.
TEST(RenderedDocument, aPageLooksTheSameWhateverWasPaintedBefore)
{
    const RenderedDocument doc = dosPaginasIguales();
    const QImage primera = doc.image(0, 100);
    EXPECT_EQ(doc.image(1, 100), primera);
    const QImage doble = doc.image(0, 200);
    EXPECT_EQ(doc.image(1, 100), primera);
    EXPECT_EQ(doc.image(1, 200), doble);

    // A fresh document, with nothing remembered, paints the same.
    EXPECT_EQ(dosPaginasIguales().image(1, 200), doble);
    EXPECT_EQ(dosPaginasIguales().image(1, 100), primera);

    // The same words in bold on one page and plain on the next keep their own font.
    RenderedDocument mezcla;
    RenderedPage negrita;
    negrita.items.push_back(texto(QStringLiteral("Código"), 10, 10, 30, true));
    RenderedPage normal;
    normal.items.push_back(texto(QStringLiteral("Código"), 10, 10, 30));
    mezcla.pages = {negrita, normal};
    RenderedDocument soloNormal;
    soloNormal.pages = {normal};
    mezcla.image(0, 100);
    EXPECT_EQ(mezcla.image(1, 100), soloNormal.image(0, 100));
    EXPECT_NE(mezcla.image(0, 100), soloNormal.image(0, 100));
}
