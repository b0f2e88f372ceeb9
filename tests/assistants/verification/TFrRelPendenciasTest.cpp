#include <QDateTime>
#include <QDir>
#include <gtest/gtest.h>

#include "TextoPdf.h"
#include "assistants/VerificacaoDeTeste.h"
#include "assistants/verification/TFrRelPendencias.h"
#include "model/storage/OperacoesTabela.h"
#include "platform/report/printing/ImpressorasSimuladas.h"
#include "platform/report/printing/TSaidaRelatorio.h"
#include "support/ProgramaDeTeste.h"

namespace {

class TFrRelPendenciasTest : public VerificacaoDeTeste {
protected:
    ImpressorasSimuladas impressoras{ProgramaDeTeste::Pasta()};

    // Every page's lines that start with the prefix, in page order, as "page:line".
    static QStringList LinhasCom(const QStringList& paginas, const QString& prefixo)
    {
        QStringList achadas;
        for (int p = 0; p < paginas.size(); ++p)
            for (const QString& linha : TextoPdf::Linhas(paginas[p]))
                if (linha.startsWith(prefixo))
                    achadas << QStringLiteral("%1:%2").arg(p + 1).arg(linha);
        return achadas;
    }
};

}   // namespace

TEST_F(TFrRelPendenciasTest, PrintedRunEndsWithItsTotals)
{
    auto pruv = Armazenada(Matriz);
    for (int i = 0; i < 12; ++i)
        Erro(*pruv);
    for (int i = 0; i < 3; ++i)
        Aviso(*pruv);
    Verifica({Chave(*pruv)});

    impressoras.Existe = false;
    frame->Imprime(false);
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{161});
    EXPECT_TRUE(impressoras.Arquivos().isEmpty());

    impressoras.Existe = true;
    frame->Imprime(false);
    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    const QStringList paginas = TextoPdf::Paginas(impressoras.Arquivos().front());
    ASSERT_FALSE(paginas.isEmpty());
    const QStringList primeira = TextoPdf::Linhas(paginas.front());
    EXPECT_EQ(primeira.front(), QStringLiteral("Verificação de Pendências"));
    EXPECT_TRUE(primeira.contains(QStringLiteral("Beneficiários")));
    EXPECT_EQ(LinhasCom(paginas, QStringLiteral("ERRO : ") + TErro::Mensagem(90)).size(), 12);
    EXPECT_EQ(LinhasCom(paginas, QStringLiteral("AVISO: ") + TErro::Mensagem(84)).size(), 3);
    const QString fim = TextoPdf::Linhas(paginas.back()).join(QLatin1Char('|'));
    EXPECT_TRUE(fim.contains(QStringLiteral("Total de Erros: 0012"))) << fim.toStdString();
    EXPECT_TRUE(fim.contains(QStringLiteral("Total de Avisos: 0003"))) << fim.toStdString();

    // Only the PDF stand-in: the clerk is told which file holds the paper.
    impressoras.Nomes.clear();
    frame->Imprime(false);
    ASSERT_EQ(impressoras.Arquivos().size(), 2);
    ASSERT_EQ(dialogos.Codigos(), (std::vector<int>{161, 162}));
    EXPECT_TRUE(dialogos.Textos().back().contains(QDir::toNativeSeparators(impressoras.Arquivos().back())));
}

TEST_F(TFrRelPendenciasTest, RowsRunOverTheirPagesAsTheirCodesSay)
{
    auto tabela = CriaTabela(QLatin1String(TabelaVerifica::NomeArquivo));
    ASSERT_TRUE(TabelaVerifica::Reinicia(*tabela));
    const auto inclui = [&](const QString& descricao, int gravidade = 255) {
        TabelaVerifica::Inclui(*tabela, QString(), QString(), 255, gravidade, descricao);
    };
    inclui(QStringLiteral("08111.444.777-35     JOAO DA SILVA     Ano-calendário: 2002"));
    inclui(QStringLiteral("20Responsável pelo Preenchimento da Declaração"));
    inclui(QString());
    inclui(QStringLiteral("10Beneficiários"));
    for (int i = 1; i <= 100; ++i)
        inclui(QStringLiteral("01Pendência %1").arg(i, 3, 10, QLatin1Char('0')), 1);
    const QString cento = QStringLiteral("nil ").repeated(30);   // 120 characters
    inclui(QStringLiteral("00") + cento + QStringLiteral("XYZ"), 0);
    inclui(QStringLiteral("99linha sem código conhecido"));
    inclui(QStringLiteral("09556.667.770/0001-44     FUNDO BETA     Fundos ou Clubes de Investimentos"));

    TFrRelPendencias relatorio;
    relatorio.Tabela = tabela.get();
    relatorio.QrpPendencias.DefineDataHora(QDateTime(QDate(2003, 2, 1), QTime(10, 0)));
    const QString arquivo = ProgramaDeTeste::Pasta() + QStringLiteral("/pendencias.pdf");
    ASSERT_TRUE(TSaidaRelatorio::ExportaPdf(relatorio.QrpPendencias, arquivo));
    const QStringList paginas = TextoPdf::Paginas(arquivo);
    ASSERT_GE(paginas.size(), 2);

    for (int p = 0; p < paginas.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList linhas = TextoPdf::Linhas(paginas[p]);
        EXPECT_EQ(linhas.front(), QStringLiteral("Verificação de Pendências"));
        EXPECT_TRUE(linhas.back().startsWith(QStringLiteral("Data: 01/02/2003")));
        EXPECT_TRUE(linhas.back().endsWith(QStringLiteral("Página: %1").arg(p + 1)));
    }
    const QStringList primeira = TextoPdf::Linhas(paginas.front());
    EXPECT_EQ(
        primeira.mid(1, 3),
        (QStringList{QStringLiteral("111.444.777-35 JOAO DA SILVA Ano-calendário: 2002"),
                     QStringLiteral("Responsável pelo Preenchimento da Declaração"), QStringLiteral("Beneficiários")}));

    // Every pending item once, in order, the pages cutting between rows.
    const QStringList linhasDeErro = LinhasCom(paginas, QStringLiteral("ERRO : Pendência"));
    ASSERT_EQ(linhasDeErro.size(), 100);
    int pagina = 1;
    for (int i = 1; i <= 100; ++i) {
        const QString linha = linhasDeErro[i - 1];
        const int esta = linha.section(QLatin1Char(':'), 0, 0).toInt();
        EXPECT_TRUE(esta == pagina || esta == pagina + 1) << linha.toStdString();
        pagina = esta;
        EXPECT_TRUE(linha.endsWith(QStringLiteral("Pendência %1").arg(i, 3, 10, QLatin1Char('0'))));
    }
    EXPECT_GT(pagina, 1);

    const QString ultima = TextoPdf::Linhas(paginas.back()).join(QLatin1Char('|'));
    EXPECT_TRUE(ultima.contains(QStringLiteral("AVISO: ") + cento.trimmed() + QLatin1Char('|')));   // cut after 120
    EXPECT_TRUE(ultima.contains(QStringLiteral("ERRO : linha sem código conhecido")));              // as the row before
    EXPECT_TRUE(ultima.contains(QStringLiteral("556.667.770/0001-44 FUNDO BETA Fundos ou Clubes de Investimentos")));
    EXPECT_TRUE(ultima.contains(QStringLiteral("Total de Erros:")));
    EXPECT_FALSE(ultima.contains(QStringLiteral("Total de Erros: 0")));   // no verification: no totals
}
