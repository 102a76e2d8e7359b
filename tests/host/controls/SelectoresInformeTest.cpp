// The selectors of the report screens: family ranges and level options.
#include "host/EmpresaMemoria.h"
#include "host/controls/OpcionesNivel.h"
#include "host/controls/SelectorRangoFamilias.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

std::shared_ptr<host::EmpresaMemoria> empresaDosNiveles()
{
    auto e = std::make_shared<host::EmpresaMemoria>();
    e->setNombreNivel(0, QStringLiteral("Sección"));
    e->setNombreNivel(1, QStringLiteral("Familia"));
    return e;
}

TEST(SelectorRangoFamilias, untouchedBoundsTakeEveryFamily)
{
    host::SelectorRangoFamilias r;
    r.setEmpresa(empresaDosNiveles());
    const std::array<int16_t, 6> todo{0, 32767, 0, 32767, 0, 32767};
    EXPECT_EQ(r.limites(), todo);
    EXPECT_EQ(r.descripcion(), QStringLiteral("Familias: TODAS"));
    EXPECT_TRUE(r.valido());
}

TEST(SelectorRangoFamilias, boundsTypedNarrowTheRangeAndTheDescription)
{
    host::SelectorRangoFamilias r;
    r.setEmpresa(empresaDosNiveles());
    r.show();
    QTest::keyClicks(r.findChild<QLineEdit*>(QStringLiteral("txtFamilia1D")), QStringLiteral("3"));
    QTest::keyClicks(r.findChild<QLineEdit*>(QStringLiteral("txtFamilia1H")), QStringLiteral("5"));
    r.setLimite(2, 7);
    r.setLimite(3, 7);
    EXPECT_EQ(r.familia1Desde(), 3);
    EXPECT_EQ(r.familia1Hasta(), 5);
    EXPECT_EQ(r.descripcion(), QStringLiteral("Sección: 3 a 5, Familia: 7"));

    // The third level is not used by this company: hidden, and never narrows the range.
    EXPECT_FALSE(r.findChild<QLineEdit*>(QStringLiteral("txtFamilia3D"))->isVisible());
    EXPECT_EQ(r.familia3Hasta(), 32767);

    r.setLimite(0, 9);
    EXPECT_FALSE(r.valido());
    EXPECT_THROW(r.setLimite(6, 1), std::out_of_range);
    r.reiniciar();
    EXPECT_EQ(r.descripcion(), QStringLiteral("Familias: TODAS"));
}

TEST(OpcionesNivel, optionsKeepCaptionTextAndTick)
{
    host::OpcionesNivel o;
    o.show();
    o.setCaption(1, QStringLiteral("Sección"));
    o.setTexto(2, QStringLiteral("1"));
    o.setMarcado(1, true);
    EXPECT_TRUE(o.findChild<QCheckBox*>(QStringLiteral("chkNivel1"))->isVisible());
    EXPECT_FALSE(o.findChild<QCheckBox*>(QStringLiteral("chkNivel2"))->isVisible());
    EXPECT_TRUE(o.marcado(1));
    EXPECT_FALSE(o.marcado(2));
    EXPECT_EQ(o.texto(2), QStringLiteral("1"));
    EXPECT_THROW(o.marcado(0), std::out_of_range);
    EXPECT_THROW(o.setCaption(6, QStringLiteral("x")), std::out_of_range);
}

}  // namespace
