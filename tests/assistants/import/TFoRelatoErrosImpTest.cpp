#include <QFile>
#include <gtest/gtest.h>

#include "InspecaoPapel.h"
#include "TextoPdf.h"
#include "assistants/import/TFoRelatoErrosImp.h"
#include "exchange/ImportacaoDeTeste.h"
#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/import/TImportacaoPruv.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "platform/files/TPastas.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "support/ProgramaDeTeste.h"

namespace {

using namespace ImportacaoDeTeste;

const QString Empresa = QStringLiteral("11222333000181");

// A line of the delivery layout with the texts at their positions, blank elsewhere.
QByteArray Registro(std::initializer_list<std::pair<int, QByteArray>> Campos)
{
    QByteArray linha(LayoutDeclar::TamanhoRegistro, ' ');
    for (const auto& [posicao, texto] : Campos)
        linha = Troca(linha, posicao, texto);
    return linha;
}

// A pair of error files in ErroImp: the messages (".dsc") and the lines (".txt").
void EscrevePar(const QString& nome, const QByteArray& mensagens, const QByteArray& linhas)
{
    for (const auto& [extensao, conteudo] : {std::pair{".dsc", mensagens}, std::pair{".txt", linhas}}) {
        QFile f(TPastas::ErroImp() + QLatin1Char('/') + nome + QLatin1String(extensao));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(conteudo);
    }
}

}   // namespace

// A file of another system imported with a good declarant, a beneficiary of no kind, a fund line
// and a line of an unknown type: each refused line comes back with its message and its fields.
TEST(TFoRelatoErrosImp, EveryRejectedLineShowsItsMessageAndTheFieldsOfItsType)
{
    ASSERT_TRUE(TPastas::Cria());
    DialogosRoteirizados dialogos;
    TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
    TColecaoPruv colecao;
    TErros erros;
    TPruv alvo;
    alvo.SetErros(&erros);
    alvo.GetDeclarante().SetNi(Empresa);
    alvo.GetDeclarante().Nome().SetTexto(QStringLiteral("COMERCIO E FILHOS LTDA"));
    alvo.SetAnoSemExcecao(QStringLiteral("2002"));
    TDeclaracaoEntrega d;
    d.Ano = QStringLiteral("2002");
    d.Ni = Empresa;
    d.Nome = QStringLiteral("COMERCIO E FILHOS LTDA");
    const QByteArray valores = QByteArray("000000000300000") + "000000000012345" + "000000000000077";
    const QString arquivo = Arquivo({
        Tipo1(1, d),
        Registro({{1, "00000002"},
                  {9, "2"},
                  {10, Empresa.toLatin1()},
                  {24, "0561"},
                  {28, "7"},
                  {29, "00032165498791"},
                  {43, "LUIS GONCALVES"},
                  {103, QByteArray(585, '0')},
                  {103 + 45 * 12, valores},
                  {688, "0"}}),
        Registro({{1, "00000003"}, {9, "4"}, {10, "55666777000144"}, {43, "FUNDO BETA"}, {151, "99888777000166"}}),
        Registro({{1, "00000004"}, {9, "7"}, {10, Empresa.toLatin1()}, {43, "LINHA ESTRANHA"}}),
    });
    TImportacaoPruv importacao;
    const TResultadoImportacao resultado = importacao.Importa(colecao, TPedidoImportacao(arquivo, alvo));
    ASSERT_EQ(resultado.Codigo, 0);
    const QString nome = resultado.NomeLog;
    const auto log = Log(nome);
    ASSERT_EQ(log.size(), 3u);

    TFoRelatoErrosImp relatorio(QStringLiteral("I"));
    relatorio.Total = static_cast<int>(log.size());
    ASSERT_TRUE(relatorio.Abre(nome));
    relatorio.DefineArquivo(relatorio.Log().NomeArquivoTxt());
    const QString pdf = ProgramaDeTeste::Pasta() + QStringLiteral("/erros.pdf");
    ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(relatorio.Relatorio(), pdf));
    EXPECT_EQ(relatorio.Contador(), 3);
    EXPECT_EQ(relatorio.Relatorio().Progresso(), 100);

    const QStringList paginas = TextoPdf::TextosJuntos(pdf);
    ASSERT_FALSE(paginas.isEmpty());
    const QString tudo = paginas.join(QLatin1Char('|'));
    const QStringList primeira = paginas.front().split(QLatin1Char('|'));
    EXPECT_EQ(primeira.at(0), QStringLiteral("Relatório de Erros de Importação - Pruv 2003"));
    EXPECT_EQ(primeira.at(1),
              QStringLiteral("Arquivo: ") + TPastas::ErroImp() + QLatin1Char('/') + nome + QStringLiteral(".txt"));
    // Each message once, whole (the memo breaks it between words, onto lines of its own).
    QString corrido = tudo;
    corrido.replace(QLatin1Char('|'), QLatin1Char(' '));
    for (const auto& [mensagem, linha] : log) {
        SCOPED_TRACE(mensagem.toStdString());
        EXPECT_EQ(corrido.count(QStringLiteral("Descrição do erro: ") + mensagem), 1);
    }
    const QString esperados[] = {
        QStringLiteral("Número do Registro: 00000002 Tipo do Registro: 2"),
        QStringLiteral("Código (somente números): 0561"),
        QStringLiteral("Tipo de beneficiário (1 ou 2): 7"),
        QStringLiteral("CPF ou CNPJ do Beneficiário: 00032165498791"),
        QStringLiteral("Nome do Beneficiário: LUIS GONCALVES"),
        QStringLiteral("13º 000000000300000 000000000012345 000000000000077"),
        QStringLiteral("Jan 000000000000000 000000000000000 000000000000000"),
        QStringLiteral("CNPJ do Fundo ou Clube: 55666777000144"),
        QStringLiteral("Nome do Fundo ou Clube: FUNDO BETA"),
        QStringLiteral("CNPJ do Declarante(Administrador): 99888777000166"),
        QStringLiteral("Número do Registro: 00000004 Tipo do Registro: 7"),
        QStringLiteral("Nome do Beneficiário: LINHA ESTRANHA"),   // an unknown type as a value line
    };
    for (const QString& e : esperados)
        EXPECT_TRUE(tudo.contains(e)) << e.toStdString() << "\n" << tudo.toStdString();
    // The value block only under the value lines: the fund's has none.
    EXPECT_EQ(tudo.count(QStringLiteral("Valor 1ª Coluna")), 2);
    EXPECT_EQ(tudo.count(QStringLiteral("Declarante (CPF ou CNPJ): ")), 2);
    EXPECT_TRUE(corrido.contains(TFoRelatoErrosImp::Instrucoes(QStringLiteral("I"))));
    // The pair stays for correction and another import.
    relatorio.Log().Fecha();
    EXPECT_TRUE(QFile::exists(relatorio.Log().NomeArquivoDsc()));
    EXPECT_TRUE(QFile::exists(relatorio.Log().NomeArquivoTxt()));
}

TEST(TFoRelatoErrosImp, AnAnalysisHasItsOwnTitleAndInstructions)
{
    EXPECT_EQ(TFoRelatoErrosImp::Titulo(QStringLiteral("A")),
              QStringLiteral("Relatório de Erros - Analisador Pruv 2003"));
    EXPECT_EQ(TFoRelatoErrosImp::Titulo(QStringLiteral("i")),
              QStringLiteral("Relatório de Erros - Analisador Pruv 2003"));
    EXPECT_TRUE(TFoRelatoErrosImp::Instrucoes(QString()).endsWith(QStringLiteral("analisar a Pruv novamente.")));
}

// A .dsc longer than its .txt: the report stops at the end of the shorter file.
TEST(TFoRelatoErrosImp, ThePairEndsWithItsShorterFile)
{
    ASSERT_TRUE(TPastas::Cria());
    EscrevePar(QStringLiteral("par"), "Linha: 1 - primeira\r\nLinha: 2 - segunda\r\nLinha: 3 - sobra\r\n",
               Registro({{9, "1"}, {43, "UM"}}) + "\r\n" + Registro({{9, "2"}, {43, "DOIS"}}) + "\r\n");
    TFoRelatoErrosImp relatorio(QStringLiteral("A"));
    ASSERT_TRUE(relatorio.Abre(QStringLiteral("par")));
    const QString pdf = ProgramaDeTeste::Pasta() + QStringLiteral("/par.pdf");
    ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(relatorio.Relatorio(), pdf));
    const QString tudo = TextoPdf::TextosJuntos(pdf).join(QLatin1Char('|'));
    EXPECT_TRUE(tudo.contains(QStringLiteral("Descrição do erro: Linha: 2 - segunda")));
    EXPECT_FALSE(tudo.contains(QStringLiteral("sobra")));
    EXPECT_EQ(relatorio.Contador(), 2);
    // A second pass (print after preview) starts from the first line again.
    ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(relatorio.Relatorio(), pdf));
    EXPECT_EQ(relatorio.Contador(), 2);
    EXPECT_TRUE(TextoPdf::TextosJuntos(pdf).join(QLatin1Char('|')).contains(QStringLiteral("Nome do Declarante: UM")));
}

// A file deep in a long folder is named whole after "Arquivo:", its path going on over the next
// lines of the page header, which grows to hold them above its rule, on every page.
TEST(TFoRelatoErrosImp, ALongPathIsShownWholeOverLinesAboveTheRule)
{
    ASSERT_TRUE(TPastas::Cria());
    QByteArray mensagens;
    QByteArray linhas;
    for (int i = 1; i <= 40; ++i) {
        mensagens += "Linha: " + QByteArray::number(i) + " - Valor invalido\r\n";
        linhas += Registro({{9, "1"}, {43, "WWMM COMERCIO"}}) + "\r\n";
    }
    EscrevePar(QStringLiteral("longo"), mensagens, linhas);
    const QString caminho = QStringLiteral(
        "/home/contabilidade/Área de Trabalho/Declarações do Exercício de 2003/Clientes com Matriz e "
        "Filiais/WWMM Comércio e Máquinas de Moagem do Mawé Wolff e Wagner/Arquivos Gerados pela Folha "
        "de Pagamento/Importação Definitiva de Dezembro/MMWWMMWWMMWWMMWWMMWWMMWW/pruv2003.txt");
    ASSERT_GE(caminho.size(), 250);
    TFoRelatoErrosImp relatorio(QStringLiteral("I"));
    ASSERT_TRUE(relatorio.Abre(QStringLiteral("longo")));
    relatorio.DefineArquivo(caminho);
    InspecaoPapel inspecao;
    const QString pdf = ProgramaDeTeste::Pasta() + QStringLiteral("/longo.pdf");
    ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(relatorio.Relatorio(), pdf));
    const QStringList paginas = TextoPdf::TextosJuntos(pdf);
    ASSERT_GE(paginas.size(), 2);
    for (const QString& pagina : paginas) {
        // The lines from "Arquivo:" to the first record; the breaks fall on the path's blanks.
        const QString cabecalho =
            pagina.section(QStringLiteral("Arquivo: "), 1).section(QStringLiteral("|Descrição"), 0, 0);
        EXPECT_GE(cabecalho.count(QLatin1Char('|')), 1) << pagina.toStdString();
        QString lido = cabecalho;
        lido.replace(QLatin1Char('|'), QLatin1Char(' '));
        EXPECT_EQ(lido, caminho);
    }
    EXPECT_EQ(inspecao.Examina(pdf, QStringLiteral("Erros")), QStringList());
}
