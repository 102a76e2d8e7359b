#include "platform/ui/MsgBox.h"
#include "platform/ui/SpanishTranslations.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

using namespace ui;

namespace {

QAbstractButton* botonDe(QMessageBox& box, int answer)
{
    for (QAbstractButton* b : box.buttons()) {
        if (b->property("msgBoxAnswer").toInt() == answer)
            return b;
    }
    return nullptr;
}

std::unique_ptr<QMessageBox> mostrada(int flags)
{
    auto box = newMsgBox(MsgBoxCall{QStringLiteral("¿Seguro?"), flags, QStringLiteral("¡ Atención !")});
    box->show();
    return box;
}

}  // namespace

// Escape must never answer a question for the user: where the only choices are Yes and No (the
// deletion that sends a line to leftovers is one), it does nothing at all.
TEST(MsgBox, escapeOnAQuestionWithoutCancelDoesNothing)
{
    for (int flags : {vbYesNo | vbQuestion, vbYesNo | vbQuestion | vbDefaultButton2,
                      vbAbortRetryIgnore | vbCritical}) {
        auto box = mostrada(flags);
        QTest::keyClick(box.get(), Qt::Key_Escape);
        EXPECT_TRUE(box->isVisible()) << flags;
        EXPECT_EQ(box->clickedButton(), nullptr) << flags;
        EXPECT_FALSE(box->close()) << "the window's close must not choose either";
    }
}

TEST(MsgBox, escapeStillCancelsWhereThereIsCancelOrOnlyOneButton)
{
    auto cancelable = mostrada(vbYesNoCancel | vbQuestion);
    QTest::keyClick(cancelable.get(), Qt::Key_Escape);
    EXPECT_FALSE(cancelable->isVisible());
    EXPECT_EQ(cancelable->clickedButton(), botonDe(*cancelable, vbCancel));

    auto aviso = mostrada(vbOKOnly | vbInformation);
    QTest::keyClick(aviso.get(), Qt::Key_Escape);
    EXPECT_FALSE(aviso->isVisible());
    EXPECT_EQ(aviso->clickedButton(), botonDe(*aviso, vbOK));
}

TEST(MsgBox, standardButtonsSpeakSpanishOnceQtsTranslationsAreLoaded)
{
    QTranslator* traductor = loadSpanishQtTranslations();
    ASSERT_NE(traductor, nullptr) << "qtbase_es.qm missing (package qt6-translations-l10n)";
    auto box = newMsgBox(MsgBoxCall{QStringLiteral("¿Seguro?"), vbYesNoCancel, {}});
    EXPECT_EQ(botonDe(*box, vbYes)->text().remove(u'&'), QStringLiteral("Sí"));
    EXPECT_EQ(botonDe(*box, vbNo)->text().remove(u'&'), QStringLiteral("No"));
    EXPECT_EQ(botonDe(*box, vbCancel)->text().remove(u'&'), QStringLiteral("Cancelar"));
    auto aviso = newMsgBox(MsgBoxCall{QStringLiteral("Hecho"), vbOKOnly, {}});
    EXPECT_EQ(botonDe(*aviso, vbOK)->text().remove(u'&'), QStringLiteral("Aceptar"));
    QCoreApplication::removeTranslator(traductor);
    delete traductor;
}
