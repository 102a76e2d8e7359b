#include "host/Utilidades.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

using namespace host;

namespace {

// Restores the process default locale after a case that changes it.
struct LocaleGuard {
    QLocale previo = QLocale();
    ~LocaleGuard() { QLocale::setDefault(previo); }
};

}  // namespace

TEST(NumeroTexto, spanishSeparatorsAndHalvesAwayFromZero)
{
    struct Caso { double n; int dec; const char* esperado; };
    const Caso casos[] = {
        {1234.5, 2, "1.234,50"},     {-1234.5, 2, "-1.234,50"},   {2.675, 2, "2,68"},
        {-2.675, 2, "-2,68"},        {0.5, 0, "1"},               {-0.5, 0, "-1"},
        {999.995, 2, "1.000,00"},    {1234567.891, 0, "1.234.568"}, {123, 0, "123"},
        {0.0, 2, "0,00"},            {0.1 + 0.2, 2, "0,30"},      {12.3456, 4, "12,3456"},
        {1e-7, 2, "0,00"},           {100000, 2, "100.000,00"},   {7, -1, "7"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(NumeroTexto(c.n, c.dec), QString::fromUtf8(c.esperado)) << c.n << " " << c.dec;
}

TEST(NumeroTexto, smallNegativesNeverShowMinusZero)
{
    EXPECT_EQ(NumeroTexto(-0.004, 2), "0,00");
    EXPECT_EQ(NumeroTexto(-0.0, 0), "0");
    EXPECT_EQ(NumeroTexto(db::Money::fromScaled(-40), 2), "0,00");
}

TEST(NumeroTexto, moneyIsFormattedFromItsExactDigits)
{
    EXPECT_EQ(NumeroTexto(db::Money::fromScaled(-12345000), 2), "-1.234,50");
    EXPECT_EQ(NumeroTexto(db::Money::fromScaled(-50), 2), "-0,01");  // -0.005, half away from zero
    EXPECT_EQ(NumeroTexto(db::Money::fromScaled(26750), 2), "2,68");
    EXPECT_EQ(NumeroTexto(db::Money::fromInt(3), 0), "3");
}

TEST(NumeroTexto, ignoresTheProcessDefaultLocale)
{
    LocaleGuard g;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(NumeroTexto(1234.5, 2), "1.234,50");
    EXPECT_EQ(FechaTexto(QDate(2026, 12, 5)), "05/12/2026");
}

TEST(NumeroSQL, plainPointLiteralWhateverTheLocale)
{
    LocaleGuard g;
    const QLocale locales[] = {QLocale(QLocale::Spanish, QLocale::Spain),
                               QLocale(QLocale::German, QLocale::Germany),
                               QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()};
    for (const QLocale& loc : locales) {
        QLocale::setDefault(loc);
        EXPECT_EQ(NumeroSQL(1234.5), "1234.5") << loc.name().toStdString();
        EXPECT_EQ(NumeroSQL(-0.25), "-0.25");
        EXPECT_EQ(NumeroSQL(1234567.0), "1234567");
        EXPECT_EQ(NumeroSQL(1e20), "100000000000000000000");
        EXPECT_EQ(NumeroSQL(1e-7), "0.0000001");
        EXPECT_EQ(NumeroSQL(-0.0), "0");
        EXPECT_EQ(NumeroSQL(db::Money::fromScaled(-125000)), "-12.5");
        for (double d : {0.1 + 0.2, -98765.4321, 5e-300, 1.7e308}) {
            const QString s = NumeroSQL(d);
            EXPECT_FALSE(s.contains(',') || s.contains('e') || s.contains('E')) << s.toStdString();
            EXPECT_EQ(s.toDouble(), d);
        }
    }
}

TEST(NumeroSQL, refusesNumbersWithoutALiteral)
{
    EXPECT_THROW(NumeroSQL(std::numeric_limits<double>::quiet_NaN()), std::domain_error);
    EXPECT_THROW(NumeroSQL(std::numeric_limits<double>::infinity()), std::domain_error);
}

TEST(Redondear, halvesAwayFromZeroOnTheDecimalReading)
{
    EXPECT_DOUBLE_EQ(Redondear(2.675, 2), 2.68);
    EXPECT_DOUBLE_EQ(Redondear(1.005, 2), 1.01);
    EXPECT_DOUBLE_EQ(Redondear(0.285, 2), 0.29);
    EXPECT_DOUBLE_EQ(Redondear(2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(Redondear(-2.5, 0), -3.0);
    EXPECT_DOUBLE_EQ(Redondear(3.5, 0), 4.0);
    EXPECT_DOUBLE_EQ(Redondear(1.4999, 0), 1.0);
    EXPECT_DOUBLE_EQ(Redondear(0.1 * 3, 2), 0.3);
    EXPECT_DOUBLE_EQ(Redondear(9.995, 2), 10.0);
    EXPECT_DOUBLE_EQ(Redondear(12.5 * 0.25, 0), 3.0);  // the 25 % share of 12.5 units
    EXPECT_DOUBLE_EQ(Redondear(1234.0, 2), 1234.0);
    EXPECT_TRUE(std::isnan(Redondear(std::nan(""), 2)));
}

TEST(AjustarTexto, cutsOrPadsToExactWidth)
{
    EXPECT_EQ(AjustarTexto(0, "abc", 5), "abc  ");
    EXPECT_EQ(AjustarTexto(1, "abc", 5), " abc ");
    EXPECT_EQ(AjustarTexto(1, "abc", 6), " abc  ");  // odd blank to the right
    EXPECT_EQ(AjustarTexto(2, "abc", 5), "  abc");
    for (int alineacion : {0, 1, 2}) {
        EXPECT_EQ(AjustarTexto(alineacion, "abcdef", 4), "abcd") << alineacion;
        EXPECT_EQ(AjustarTexto(alineacion, "abcd", 4), "abcd") << alineacion;
        EXPECT_EQ(AjustarTexto(alineacion, "", 3), "   ") << alineacion;
        EXPECT_EQ(AjustarTexto(alineacion, "abc", 0), "") << alineacion;
        EXPECT_EQ(AjustarTexto(alineacion, "abc", -2), "") << alineacion;
    }
    // A decomposed accent is one printed character.
    EXPECT_EQ(AjustarTexto(0, QString::fromUtf8("Jose\u0301"), 5), QString::fromUtf8("José "));
}

TEST(FechaTexto, shortDateFromDatesAndTexts)
{
    EXPECT_EQ(FechaTexto(QDate(2026, 12, 5)), "05/12/2026");
    EXPECT_EQ(FechaTexto(QDateTime(QDate(2026, 1, 9), QTime(23, 59))), "09/01/2026");
    EXPECT_EQ(FechaTexto(QDate()), "");
    EXPECT_EQ(FechaTexto(QStringLiteral("5/12/26")), "05/12/2026");
    EXPECT_EQ(FechaTexto(QStringLiteral(" 05-12-2026 ")), "05/12/2026");
    EXPECT_EQ(FechaTexto(QStringLiteral("05.12.2026")), "05/12/2026");
    EXPECT_EQ(FechaTexto(QStringLiteral("2026-12-05 00:00:00")), "05/12/2026");
    EXPECT_EQ(FechaTexto(QStringLiteral("2026-12-05T10:30:00.000")), "05/12/2026");
    EXPECT_EQ(FechaTexto(QStringLiteral("20261205")), "05/12/2026");
    EXPECT_EQ(FechaTexto(QStringLiteral("1/1/29")), "01/01/2029");
    EXPECT_EQ(FechaTexto(QStringLiteral("1/1/30")), "01/01/1930");
}

TEST(FechaTexto, textThatIsNoDateGivesEmpty)
{
    for (const char* t : {"31/02/2026", "hola", "", "5/12-2026", "13/13/2026", "2026-12-05; DROP"})
        EXPECT_EQ(FechaTexto(QString::fromUtf8(t)), "") << t;
}

TEST(IdentificadorPuesto, stableAndBounded)
{
    const QString id = IdentificadorPuesto();
    EXPECT_FALSE(id.isEmpty());
    EXPECT_LE(id.size(), 39);
    EXPECT_EQ(IdentificadorPuesto(), id);
}

TEST(SiguienteCampo, skipsWhatCannotTakeFocusAndWraps)
{
    QWidget ventana;
    auto* capa = new QVBoxLayout(&ventana);
    auto* a = new QLineEdit(&ventana);
    auto* desactivado = new QLineEdit(&ventana);
    auto* oculto = new QLineEdit(&ventana);
    auto* etiqueta = new QLabel(QStringLiteral("x"), &ventana);
    auto* e = new QLineEdit(&ventana);
    for (QWidget* w : {static_cast<QWidget*>(a), static_cast<QWidget*>(desactivado),
                       static_cast<QWidget*>(oculto), static_cast<QWidget*>(etiqueta),
                       static_cast<QWidget*>(e)})
        capa->addWidget(w);
    desactivado->setEnabled(false);
    oculto->hide();
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));

    a->setFocus();
    SiguienteCampo();
    EXPECT_TRUE(e->hasFocus());
    SiguienteCampo();
    EXPECT_TRUE(a->hasFocus());
}
