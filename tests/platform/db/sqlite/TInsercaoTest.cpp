#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <vector>

#include "platform/db/BancoDeTeste.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TInsercao.h"

namespace {

// The rows of T as "key|text|number", in key order; NULL shows as "-".
QStringList Linhas(TDatabase& Banco)
{
    TComando le(Banco.Conexao(), QStringLiteral("SELECT K, V, N FROM T ORDER BY K"));
    QStringList linhas;
    while (le.Passo()) {
        QStringList colunas;
        for (int c = 0; c < 3; ++c)
            colunas << (le.Nulo(c) ? QStringLiteral("-") : le.Texto(c));
        linhas << colunas.join(QLatin1Char('|'));
    }
    return linhas;
}

// The table T (key, then a column of any kind, then a number) and its insert, the key's and the
// second column's texts cut to the sizes given (0: not cut).
std::unique_ptr<TInsercao> NovaTabela(const std::shared_ptr<TDatabase>& Banco, int TamanhoChave, int TamanhoV)
{
    Banco->Escreve(QStringLiteral("CREATE TABLE T (K TEXT PRIMARY KEY, V, N)"));
    return std::make_unique<TInsercao>(Banco, QStringLiteral("T"),
                                       std::vector<TFieldDef>{{QStringLiteral("K"), ftString, TamanhoChave, false},
                                                              {QStringLiteral("V"), ftString, TamanhoV, false},
                                                              {QStringLiteral("N"), ftInteger, 0, false}});
}

// A column keeps what was bound to it until bound again: a value given again is not bound anew,
// and a column given a text after a number (or the other way) takes the new kind.
TEST(TInsercao, EachRowStoresTheValuesGivenForItWhetherTheyRepeatOrNot)
{
    auto banco = Banco();
    const auto tabela = NovaTabela(banco, 3, 4);
    TInsercao& insere = *tabela;
    const struct {
        const char* chave;
        const char* texto;
        qint64 numero;
        bool vTexto;
    } linhas[] = {
        {"a", "um", 1, true},
        {"b", "um", 1, true},   // everything but the key repeats
        {"c", "dois", 1, true},
        {"d", "", 2, false},   // V takes a number
        {"e", "", 2, false},
        {"f", "dois", 2, true},       // and a text again, the same as two rows before
        {"ggg!", "cinco", 0, true},   // texts cut to the field's size
        {"h", "cinco", 0, true},
        {"i\U0001F600j!", "abc\U0001F600d", 0, true},   // cut by characters, never inside one
    };
    for (const auto& l : linhas) {
        insere.Texto(0, QString::fromUtf8(l.chave));
        if (l.vTexto)
            insere.Texto(1, QString::fromUtf8(l.texto));
        else
            insere.Inteiro(1, 7);
        insere.Inteiro(2, l.numero);
        insere.Grava();
    }
    EXPECT_EQ(Linhas(*banco),
              (QStringList{"a|um|1", "b|um|1", "c|dois|1", "d|7|2", "e|7|2", "f|dois|2", "ggg|cinc|0", "h|cinc|0",
                           QStringLiteral("i\U0001F600j|abc\U0001F600|0")}));
}

TEST(TInsercao, ARefusedRowLeavesTheNextOneItsOwnValues)
{
    auto banco = Banco();
    const auto tabela = NovaTabela(banco, 0, 0);
    TInsercao& insere = *tabela;
    insere.Texto(0, QStringLiteral("a"));
    insere.Texto(1, QStringLiteral("primeira"));
    insere.Inteiro(2, 1);
    insere.Grava();
    insere.Texto(1, QStringLiteral("repetida"));
    insere.Inteiro(2, 2);
    EXPECT_THROW(insere.Grava(), EDatabaseError);   // key "a" taken
    insere.Texto(0, QStringLiteral("b"));
    insere.Grava();
    insere.Texto(0, QStringLiteral("c"));
    insere.Texto(1, QStringLiteral("primeira"));
    insere.Grava();
    EXPECT_EQ(Linhas(*banco), (QStringList{"a|primeira|1", "b|repetida|2", "c|primeira|2"}));
}

}   // namespace
