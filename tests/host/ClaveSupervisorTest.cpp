#include "host/ClaveSupervisor.h"

#include <QStringList>

#include <gtest/gtest.h>

using host::ClaveSupervisor;

TEST(ClaveSupervisor, hashedAndPlainKeysAreBothChecked)
{
    const QString cifrada = ClaveSupervisor::cifrar(QStringLiteral("s3cr€to"));
    const QStringList partes = cifrada.split(QLatin1Char('$'));
    ASSERT_EQ(partes.size(), 4);
    EXPECT_EQ(partes[0], QStringLiteral("pbkdf2-sha256"));
    EXPECT_GE(partes[1].toInt(), 100000);
    EXPECT_NE(cifrada, ClaveSupervisor::cifrar(QStringLiteral("s3cr€to")));  // fresh salt
    EXPECT_FALSE(cifrada.contains(QStringLiteral("s3cr")));

    EXPECT_TRUE(ClaveSupervisor::comprobar(cifrada, QStringLiteral("s3cr€to")));
    EXPECT_FALSE(ClaveSupervisor::comprobar(cifrada, QStringLiteral("s3cr€tO")));
    EXPECT_FALSE(ClaveSupervisor::comprobar(cifrada, QString()));
    // A configuration written before hashing keeps working.
    EXPECT_TRUE(ClaveSupervisor::comprobar(QStringLiteral("1234"), QStringLiteral("1234")));
    EXPECT_FALSE(ClaveSupervisor::comprobar(QStringLiteral("1234"), QStringLiteral("12345")));
    EXPECT_FALSE(ClaveSupervisor::comprobar(QStringLiteral("1234"), QStringLiteral("123")));
    // The hashed text itself is not a key that opens it.
    EXPECT_FALSE(ClaveSupervisor::comprobar(cifrada, cifrada));
}

TEST(ClaveSupervisor, aWeakOrDamagedHashIsAConfigurationFault)
{
    const QString buena = ClaveSupervisor::cifrar(QStringLiteral("x"));
    QStringList p = buena.split(QLatin1Char('$'));
    const auto con = [&](int i, const QString& v) {
        QStringList q = p;
        q[i] = v;
        return q.join(QLatin1Char('$'));
    };
    EXPECT_TRUE(ClaveSupervisor::valida(buena));
    EXPECT_TRUE(ClaveSupervisor::valida(QStringLiteral("plain")));
    EXPECT_FALSE(ClaveSupervisor::valida(QString()));
    for (const QString& mala : {con(1, QStringLiteral("99999")), con(1, QStringLiteral("diez")),
                                con(2, QStringLiteral("zz")), con(3, QString()),
                                con(1, QStringLiteral("2000000000")),
                                QStringLiteral("pbkdf2-sha256$100000$abcd")}) {
        EXPECT_FALSE(ClaveSupervisor::valida(mala)) << mala.toStdString();
        EXPECT_FALSE(ClaveSupervisor::comprobar(mala, QStringLiteral("x"))) << mala.toStdString();
    }
}
