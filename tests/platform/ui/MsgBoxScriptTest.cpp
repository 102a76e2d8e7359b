#include "support/QtPrint.h"

#include "platform/ui/ModalScript.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/MsgBoxScript.h"

#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace ui;

TEST(MsgBoxScript, recordsEveryBoxAndAnswersQuestionsFromItsQueue)
{
    MsgBoxScript script;
    script.answer({vbNo, vbCancel});

    EXPECT_EQ(MsgBox("Grabado", vbOKOnly | vbInformation, "¡ Atención !"), vbOK);
    EXPECT_EQ(MsgBox("¿Anular?", vbYesNo | vbQuestion | vbDefaultButton2, "Confirmar"), vbNo);
    EXPECT_EQ(MsgBox("¿Liquidar?", vbYesNoCancel | vbQuestion | vbDefaultButton3), vbCancel);

    ASSERT_EQ(script.count(), 3);
    const MsgBoxScript::Box& b = script.boxes().at(1);
    EXPECT_EQ(b.text, "¿Anular?");
    EXPECT_EQ(b.title, "Confirmar");
    EXPECT_EQ(b.buttons(), vbYesNo);
    EXPECT_EQ(b.icon(), vbQuestion);
    EXPECT_EQ(b.defaultButton(), vbDefaultButton2);
    EXPECT_EQ(b.answer, vbNo);
    EXPECT_EQ(script.boxes().at(0).icon(), vbInformation);
    EXPECT_TRUE(script.problems().isEmpty()) << script.problems().join('\n').toStdString();
}

TEST(MsgBoxScript, unansweredOrImpossibleAnswersFallBackToTheDefaultButtonAndAreReported)
{
    MsgBoxScript script;
    // No answer queued: the box's default button (the second: No).
    EXPECT_EQ(MsgBox("¿Cancelar la grabación?", vbYesNo | vbQuestion | vbDefaultButton2), vbNo);
    // Yes queued for an OK/Cancel box; its third-button default does not exist, so OK.
    script.answer(vbYes);
    EXPECT_EQ(MsgBox("¿Desea continuar?", vbOKCancel | vbQuestion | vbDefaultButton3), vbOK);
    script.answer(vbYes);
    EXPECT_EQ(script.problems().size(), 3);  // two faulty boxes, one answer never used

    script.clear();
    EXPECT_TRUE(script.problems().isEmpty());
    MsgBoxScript siempreSi(vbYes);
    EXPECT_EQ(MsgBox("¿Seguro?", vbYesNo), vbYes);
    EXPECT_EQ(script.count(), 0);  // the inner script answered
}

TEST(MsgBoxScript, nestedScriptsRestoreTheOuterOne)
{
    MsgBoxScript outer;
    {
        MsgBoxScript inner;
        MsgBox("dentro");
        EXPECT_EQ(inner.count(), 1);
    }
    MsgBox("fuera");
    EXPECT_EQ(outer.texts(), QStringList({"fuera"}));
}

TEST(MsgBox, withoutScriptOnTheOffscreenPlatformAnswersTheDefaultInsteadOfHanging)
{
    EXPECT_EQ(MsgBox("¿Seguro?", vbYesNo | vbDefaultButton2), vbNo);
    EXPECT_EQ(msgBoxDefaultAnswer(vbYesNoCancel | vbDefaultButton3), vbCancel);
}

namespace {

// A dialog with an input and the usual buttons, as the screens' data dialogs have.
class Datos : public QDialog {
public:
    Datos()
    {
        setObjectName("frmDatos");
        nombre = new QLineEdit(this);
        nombre->setObjectName("txtNombre");
        auto* aceptar = new QPushButton("Aceptar", this);
        aceptar->setObjectName("cmdAceptar");
        connect(aceptar, &QPushButton::clicked, this, [this] {
            leido = nombre->text();
            accept();
        });
    }
    QLineEdit* nombre;
    QString leido;
};

}  // namespace

TEST(ModalScript, handlersDriveTheDialogsInTurn)
{
    ModalScript script([](QDialog& d) { d.close(); });
    script.then([](QDialog& d) {
        d.findChild<QLineEdit*>("txtNombre")->setText("Frutas");
        d.findChild<QPushButton*>("cmdAceptar")->click();
    });

    Datos primero;
    EXPECT_EQ(runModal(primero), QDialog::Accepted);
    EXPECT_EQ(primero.leido, "Frutas");
    EXPECT_FALSE(primero.isVisible());

    Datos segundo;  // the queue is empty: the default handler closes it
    EXPECT_EQ(runModal(segundo), QDialog::Rejected);
    EXPECT_EQ(script.dialogs(), QStringList({"frmDatos", "frmDatos"}));
    EXPECT_TRUE(script.problems().isEmpty());
}

TEST(ModalScript, aDialogLeftOpenIsRejectedAndReported)
{
    ModalScript script([](QDialog&) {});
    Datos d;
    EXPECT_EQ(runModal(d), QDialog::Rejected);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(script.problems().size(), 1);

    // A dialog that deletes itself on close is answered without touching it afterwards.
    auto* propio = new Datos;
    propio->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<Datos> vigilado(propio);
    ModalScript aceptar([](QDialog& dlg) { dlg.done(5); });
    EXPECT_EQ(runModal(*propio), 5);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(vigilado.isNull());
}
