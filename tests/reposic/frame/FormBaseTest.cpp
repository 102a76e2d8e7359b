#include "platform/ui/FlexGrid.h"
#include "reposic/frame/FormBase.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace reposic;

namespace {

// A form laid out like the module's: some buttons, maybe a field, maybe a grid.
class Formulario : public FormBase {
public:
    explicit Formulario(bool conCampo, bool enfocaBoton = false)
    {
        auto* capa = new QVBoxLayout(this);
        boton = new QPushButton(QStringLiteral("&Salir"), this);
        capa->addWidget(boton);
        if (conCampo) {
            campo = new QLineEdit(this);
            capa->addWidget(campo);
        }
        rejilla = new ui::FlexGrid(this);
        capa->addWidget(rejilla);
        enfocaBoton_ = enfocaBoton;
    }
    QPushButton* boton = nullptr;
    QLineEdit* campo = nullptr;
    ui::FlexGrid* rejilla = nullptr;

protected:
    void Form_Load() override
    {
        if (enfocaBoton_)
            boton->setFocus();
    }

private:
    bool enfocaBoton_ = false;
};

}  // namespace

TEST(FormBase, aFormWithoutEntryFieldsOpensOnItsGrid)
{
    Formulario lista(false);
    lista.show();
    EXPECT_EQ(lista.focusWidget(), lista.rejilla);

    // A form with a field to type in, or one that chose its first control, keeps its own order.
    Formulario conCampo(true);
    conCampo.show();
    EXPECT_NE(conCampo.focusWidget(), conCampo.rejilla);
    Formulario elegido(false, true);
    elegido.show();
    EXPECT_EQ(elegido.focusWidget(), elegido.boton);
}

TEST(FormBase, aSmallDialogWidensToShowItsWholeTitle)
{
    Formulario f(true);
    f.setWindowTitle(QStringLiteral("Grupos de Aprovisionamiento de Reposición "));
    f.resize(201, 72);
    f.show();
    EXPECT_GT(f.width(), QFontMetrics(QApplication::font()).horizontalAdvance(f.windowTitle()));
}
