#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <set>

#include "model/values/CodigoMensagem.h"
#include "model/values/Mensagens.h"
#include "model/ImprimeQString.h"

namespace {

std::set<int> CodigosQueContem(const QString& trecho)
{
    std::set<int> codigos;
    for (int c = 0; c < Mensagens::Quantidade; ++c)
        if (Mensagens::Texto(static_cast<std::uint8_t>(c)).contains(trecho))
            codigos.insert(c);
    return codigos;
}

}   // namespace

// The texts reach log files and the user exactly as stored: any change to one of them, even an
// accent or a blank, must be deliberate. The digest is of the 198 texts in Latin-1, one per line.
TEST(Mensagens, TableIsUnchanged)
{
    QByteArray todos;
    for (int c = 0; c < Mensagens::Quantidade; ++c) {
        const QString texto = Mensagens::Texto(static_cast<std::uint8_t>(c));
        SCOPED_TRACE(c);
        EXPECT_FALSE(texto.isEmpty());
        EXPECT_EQ(QString::fromLatin1(texto.toLatin1()), texto);   // fits the exchange files' encoding
        if (c > 0)
            todos += '\n';
        todos += texto.toLatin1();
    }
    EXPECT_EQ(todos.size(), 12456);
    EXPECT_EQ(QCryptographicHash::hash(todos, QCryptographicHash::Sha256).toHex(),
              QByteArray("7cb620c66708ff19bbe2d42cfaba08dcd9b54fbcb6c4bdea0ea133ec84303114"));
}

TEST(Mensagens, MarkersQuestionsAndBlanksWhereExpected)
{
    EXPECT_EQ(CodigosQueContem(QStringLiteral("%s")),
              (std::set<int>{31,  32,  37,  38,  44,  45,  74,  75,  76,  92,  94,  95,  96,  101, 102,
                             103, 109, 110, 111, 116, 117, 118, 139, 140, 141, 142, 143, 144, 170, 171}));
    EXPECT_EQ(CodigosQueContem(QStringLiteral("?")), (std::set<int>{30, 31, 32, 33, 34, 76}));
    for (int c : {31, 74, 75, 76})
        EXPECT_EQ(Mensagens::Texto(static_cast<std::uint8_t>(c)).count(QStringLiteral("%s")), 2) << c;
    EXPECT_EQ(Mensagens::Texto(163),
              QStringLiteral("Houve um erro de inicialização do banco de dados. Mensagem retornada: "));
    EXPECT_EQ(Mensagens::Texto(89), Mensagens::Texto(15));
}

TEST(Mensagens, SampleTextsByteForByte)
{
    const struct {
        int codigo;
        const char* utf8;
    } casos[] = {
        {0, "Sem erro"},
        {47, "CNPJ diferente de matriz \"0001\". CNPJ do declarante não pode ser filial"},
        {60, "Fundos ou Clubes de Investimentos preenchidos.  Não serão gravados para a entrega na XEQ"},
        {66, "Número de Inscrição no CPF inválido"},
        {153,
         "Não foi possível concluir a gravação da Declaração, devido a um erro na seqüência dos registros. "
         "Utilize a opção Reorganizar Tabelas de Dados do menu Ferramentas e tente novamente"},
        {170,
         "O código %s, conforme ADE Vimbe nº 9/2002, a partir de 17 de janeiro de 2002, aplica-se somente a "
         "beneficiário Pessoa Jurídica."},
        {197, "Arquivo com tamanho inválido, verifique se possui CRLF(enter) no final de cada linha"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Mensagens::Texto(static_cast<std::uint8_t>(c.codigo)), QString::fromUtf8(c.utf8)) << c.codigo;
}

TEST(Mensagens, CodeOutsideTheTableIsEmpty)
{
    EXPECT_TRUE(Mensagens::Texto(198).isEmpty());
    EXPECT_TRUE(Mensagens::Texto(255).isEmpty());
}

// Callers compare codes by name (a save refused for a duplicate, the range of number faults, the
// deductions still printed): a name bound to another number would change what they do silently.
TEST(Mensagens, ComparedNamesReachTheirTexts)
{
    const struct {
        std::uint8_t codigo;
        const char* trecho;
    } casos[] = {
        {CodigoMensagem::BeneficiarioExistente, "Já existe o beneficiário %s"},
        {CodigoMensagem::NiInvalido, "CPF/CNPJ inválido"},
        {CodigoMensagem::CnpjInvalido, "no CNPJ inválido"},
        {CodigoMensagem::CnpjAusente, "no CNPJ ausente"},
        {CodigoMensagem::DeducoesDiferentesNoComprovante, "A diferença entre as deduções"},
        {CodigoMensagem::DeducoesMaioresNoComprovante, "são maiores do que"},
        {CodigoMensagem::SemEspacoParaOPrograma, "O programa será finalizado"},
        {CodigoMensagem::ReciboInvalido, "Número de Recibo inválido"},
        {CodigoMensagem::FalhaNaCompactacao, "Erro na compactação"},
        {CodigoMensagem::GeracaoCancelada, "foi cancelada"},
        {CodigoMensagem::FalhaAoIniciarBanco, "inicialização do banco"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.trecho);
        EXPECT_TRUE(Mensagens::Texto(c.codigo).contains(QString::fromUtf8(c.trecho)));
    }
    // The number faults a beneficiary's page points back to lie between these two.
    EXPECT_LT(CodigoMensagem::NiInvalido, CodigoMensagem::CnpjInvalido);
    EXPECT_LT(CodigoMensagem::CnpjInvalido, CodigoMensagem::CnpjAusente);
}
