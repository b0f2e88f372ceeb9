#include <gtest/gtest.h>

#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/TComando.h"

namespace {

// Short texts are converted on the stack, longer ones on the heap: both store the same bytes.
TEST(TComando, TextIsBoundAsItsUtf8WhateverItsLength)
{
    auto banco = Banco();
    TComando eco(banco->Conexao(), QStringLiteral("SELECT ?1, length(CAST(?1 AS BLOB))"));
    const QString acentos = QStringLiteral("AÇÃO É DÓ");
    const QString solta = QString(QChar(0xD800));   // half of a pair, alone
    const struct {
        const char* caso;
        QString texto;
    } casos[] = {
        {"null", QString()},
        {"empty", QStringLiteral("")},
        {"accents", acentos},
        {"pair", QString::fromUtf8("\xF0\x9F\x98\x80")},
        {"edges of each width", QStringView(u"\u007F\u0080\u07FF\u0800\uD7FF\uE000\uFFFD\uFFFF").toString()},
        {"lone surrogate at the end", QStringLiteral("abc") + solta},
        {"85 characters, the last on the stack", QString(84, QLatin1Char('x')) + QChar(0x00C7)},
        {"86 characters", QString(85, QLatin1Char('x')) + QChar(0x00C7)},
        {"long with a lone surrogate", QString(200, QLatin1Char('y')) + solta + acentos},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const QByteArray esperado = c.texto.toUtf8();
        eco.Reinicia();
        eco.LigaTexto(1, c.texto);
        ASSERT_TRUE(eco.Passo());
        EXPECT_FALSE(eco.Nulo(0));
        EXPECT_EQ(eco.Inteiro(1), esperado.size());
        EXPECT_EQ(eco.Texto(0), QString::fromUtf8(esperado));
    }
}

// A walk reads a column row after row into one string: its letters are written over only while
// nobody else holds them, and any text that is not ASCII, or NULL, reads as Texto gives it.
TEST(TComando, TextReadInPlaceIsTheColumnsAndLeavesOtherHoldersAlone)
{
    auto banco = Banco();
    TComando eco(banco->Conexao(), QStringLiteral("SELECT ?1"));
    QString destino = QStringLiteral("0000001");
    QString guardada;   // a copy someone kept of the previous row's text
    const struct {
        const char* caso;
        QString texto;
        bool guarda;
    } casos[] = {
        {"same length", QStringLiteral("0000002"), false},
        {"kept elsewhere", QStringLiteral("0000003"), true},
        {"shorter", QStringLiteral("12"), false},
        {"longer", QStringLiteral("123456789012"), false},
        {"accents", QStringLiteral("AÇÃO"), false},
        {"empty", QStringLiteral(""), false},
        {"null", QString(), false},
        {"after null", QStringLiteral("0000004"), true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        if (c.guarda)
            guardada = destino;
        const QString antes = guardada;
        const QString copiaAntes = QString(antes.constData(), antes.size());
        eco.Reinicia();
        if (c.texto.isNull())
            eco.Liga(1, QVariant());   // NULL (LigaTexto binds a null text as empty)
        else
            eco.LigaTexto(1, c.texto);
        ASSERT_TRUE(eco.Passo());
        eco.Texto(0, destino);
        EXPECT_EQ(destino, eco.Texto(0));
        EXPECT_EQ(destino.isNull(), c.texto.isNull());
        EXPECT_EQ(guardada, copiaAntes);
    }
}

}   // namespace
