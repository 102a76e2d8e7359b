#include "platform/ui/ScreenPointer.h"
#include "reposic/frame/frmMsg.h"
#include "reposic/frame/modMsgOp.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QWindow>

#include <gtest/gtest.h>

using namespace reposic;

namespace {

const QString kPorDefecto = QStringLiteral("Realizando operación, espere por favor...");

int anchoEsperado(const QString& texto)
{
    return QFontMetrics(QFont("Sans Serif", 8, QFont::Bold)).horizontalAdvance(texto) + 167;
}

Qt::CursorShape cursorArriba()
{
    const QCursor* c = QGuiApplication::overrideCursor();
    return c ? c->shape() : Qt::BitmapCursor;  // BitmapCursor: no override at all
}

class MsgOpTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        MsgOp(false);
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    }
};

}  // namespace

TEST_F(MsgOpTest, showsTheDefaultTextAndFitsTheWidthToEachMessage)
{
    MsgOp(true);
    frmMsg* f = frmMsg::instancia();
    EXPECT_TRUE(f->isVisible());
    // Painted before the caller's long work starts, not merely mapped.
    ASSERT_NE(f->windowHandle(), nullptr);
    EXPECT_TRUE(f->windowHandle()->isExposed());
    EXPECT_EQ(f->lblMsg->text(), kPorDefecto);
    EXPECT_EQ(f->width(), anchoEsperado(kPorDefecto));
    EXPECT_EQ(f->findChild<QLabel*>("Image1"), f->Image1);
    EXPECT_FALSE(f->Image1->pixmap().isNull());
    EXPECT_EQ(cursorArriba(), Qt::WaitCursor);

    const QString largo = QStringLiteral("Recuperando Restos de la Central, espere... ").repeated(3);
    MsgOp(true, largo);
    EXPECT_EQ(f->lblMsg->text(), largo);
    EXPECT_EQ(f->width(), anchoEsperado(largo));
    EXPECT_GT(f->width(), anchoEsperado(kPorDefecto));
    EXPECT_GE(f->lblMsg->geometry().right(), f->lblMsg->x() + QFontMetrics(f->lblMsg->font())
                                                                    .horizontalAdvance(largo) - 1);

    MsgOp(true, "Hola");
    EXPECT_EQ(f->width(), anchoEsperado("Hola"));

    MsgOp(true, "");  // an empty text is the default one again, not the previous message
    EXPECT_EQ(f->lblMsg->text(), kPorDefecto);

    MsgOp(false);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(MsgOpTest, hidingIsHarmlessAndNeverPopsSomeoneElsesCursor)
{
    const bool existia = frmMsg::existe();
    QGuiApplication::setOverrideCursor(QCursor(Qt::PointingHandCursor));

    MsgOp(false);  // never shown: nothing to take down
    EXPECT_EQ(frmMsg::existe(), existia);
    EXPECT_EQ(cursorArriba(), Qt::PointingHandCursor);

    MsgOp(true);
    MsgOp(true);  // shown twice, taken down once: the hourglass is a switch, not a count
    EXPECT_EQ(cursorArriba(), Qt::WaitCursor);
    MsgOp(false);
    MsgOp(false);
    EXPECT_EQ(cursorArriba(), Qt::PointingHandCursor);
    EXPECT_FALSE(ui::ScreenPointer::hourglass());

    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(MsgOpTest, theUserCannotCloseTheMessageWhileTheOperationRuns)
{
    MsgOp(true);
    frmMsg* f = frmMsg::instancia();
    f->close();
    EXPECT_TRUE(f->isVisible());
    MsgOp(false);
    EXPECT_FALSE(f->isVisible());
}
