#include <QAction>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

#include "RelatosDeTeste.h"
#include "RoteiroAssistente.h"
#include "components/data/TdvTable.h"
#include "reports/RotinasImpressao.h"
#include "shell/DialogoImpressaoRoteirizado.h"
#include "shell/EstadoPrograma.h"
#include "shell/TPruv2003.h"

namespace {

// The main window with the program's print routines, over declarations of the test's database,
// its user configuration in the case's folder.
class RotinasImpressaoTest : public RelatosDeTeste {
protected:
    void SetUp() override
    {
        RelatosDeTeste::SetUp();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ProgramaDeTeste::Pasta() + QStringLiteral("/config")));
        EstadoPrograma::BaseIndisponivel = false;
        EstadoPrograma::EmProcessamento = false;
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    void Inicia()
    {
        janela = std::make_unique<TPruv2003>();
        TRotinasPrincipal rotinas;
        rotinas.Impressao = RotinasImpressao();
        janela->DefineRotinas(std::move(rotinas));
        janela->show();
    }
    void Abre(const QString& ni)
    {
        TPruv& pruv = janela->ObtemDeclaracao();
        pruv.GetDeclarante().SetNi(ni);
        pruv.SetAno(QStringLiteral("2002"));
        ASSERT_TRUE(janela->ObtemColecao().Carrega(pruv));
        janela->AbrirDeclaracao();
    }
    // The Print command, answered by the script in the assistant; false when none showed.
    bool Imprime(const std::vector<const char*>& passos)
    {
        bool mostrou = false;
        QTimer::singleShot(0, [&] {
            if (TFoAssistRelatorios* a = AssistenteAberto()) {
                mostrou = true;
                Roteiro(*a, passos);
            }
        });
        janela->Comando(QStringLiteral("MiImprimir"))->trigger();
        QCoreApplication::processEvents();
        return mostrou;
    }

    // A declaration with two items of one code.
    void DuasAna()
    {
        auto pruv = Armazenada(Matriz);
        Guarda(*pruv, *pruv, {"0561", CpfAna, "ANA PAULA SOUZA", 100 * Reais, 0, 10 * Reais});
        Guarda(*pruv, *pruv, {"0561", CpfBruno, "BRUNO COSTA LIMA", 200 * Reais, 0, 20 * Reais});
    }

    std::unique_ptr<TPruv2003> janela;
};

}  // namespace

TEST_F(RotinasImpressaoTest, EveryPrintedChoiceReachesItsReport)
{
    DuasAna();
    Inicia();
    Abre(Matriz);
    const QString declarante = QStringLiteral("Declarante: ") + Mascara(Matriz);
    const struct {
        std::vector<const char*> passos;
        const char* titulo;   // the job's, which names the file
        QStringList linhas;   // the header, a total
        int paginas;
    } casos[] = {
        {{">", "RBDemaisRelatorios", ">", "RBTotaisCodigo", ">", "RBSintetico", ">", "RBImprimir", "!"},
         "Relatório de Totais por Código",
         {QStringLiteral("Relatório de Totais por Código|"), QStringLiteral("|Total: 2 3.600,00 0,00 360,00|")}, 1},
        {{">", "RBDemaisRelatorios", ">", "RBTotaisCodigo", ">", "RBAnalitico", ">", "RBImprimir", "!"},
         "Relatório de Totais por Código",
         {QStringLiteral("|200.300.400-94 BRUNO COSTA LIMA 2.400,00 0,00 240,00|"), QStringLiteral("|Total: 2 3.600,00 0,00 360,00|")}, 1},
        {{">", "RBDemaisRelatorios", ">", "RBListaBenef", ">", "RBImprimir", "!"},
         "Relatório com Lista de Beneficiários",
         {QStringLiteral("Relatório com Lista de Beneficiários|"),
          QStringLiteral("|Total de beneficiários / código da declaração: 2|")}, 1},
        {{">", "RBDemaisRelatorios", ">", "RBGerencial", ">", "RBImprimir", "!"},
         "Relatório Gerencial", {QStringLiteral("Relatório Gerencial|") + declarante, QStringLiteral("|Nº de Fundo/Clube: 0|")}, 1},
        {{">", "RBDeclaracao", ">", "RBImprimir", "!"},
         "Declaração Completa",
         {QStringLiteral("|Responsável pelo Preenchimento|"), QStringLiteral("|Total 2.400,00 0,00 240,00|")}, 1},
        {{">", "RBComprovante", ">", ">", "RBImprimir", "!"},
         "Comprovante de Rendimentos",
         {QStringLiteral("Comprovante de Rendimentos Pagos e de"),
          QStringLiteral("|01. Total dos Rendimentos (inclusive férias) 1.200,00|")}, 2},
        {{">", "RBDemaisRelatorios", ">", "RBTotalMensalCodigo", ">", "RBImprimir", "!"},
         "Total Mensal por Código",
         {QStringLiteral("Total Mensal por Código|"), QStringLiteral("|Total Código 3.600,00 0,00 360,00|")}, 1},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.titulo);
        const qsizetype antes = impressoras.Arquivos().size();
        ASSERT_TRUE(Imprime(c.passos));
        ASSERT_EQ(impressoras.Arquivos().size(), antes + 1);
        EXPECT_TRUE(impressoras.Arquivos().back().contains(QString::fromUtf8(c.titulo)));
        const QStringList paginas = Paginas(int(antes));
        EXPECT_EQ(paginas.size(), c.paginas);
        const QString tudo = paginas.join(QLatin1Char('#'));
        for (const QString& linha : c.linhas)
            EXPECT_TRUE(tudo.contains(linha)) << linha.toStdString() << "\n" << tudo.toStdString();
        if (c.paginas == 1) {
            EXPECT_TRUE(tudo.contains(QStringLiteral("Página 1 de 1")));
        }
    }
    EXPECT_TRUE(dialogos.Codigos().empty());
}

TEST_F(RotinasImpressaoTest, WithoutBeneficiariesOnlyTheReportsThatNeedNonePrint)
{
    Armazenada(Matriz);
    Inicia();
    Abre(Matriz);
    EXPECT_TRUE(Imprime({">", "RBDemaisRelatorios", ">", "RBListaBenef", "!", "!"}));
    EXPECT_TRUE(Imprime({">", "RBComprovante", "!", "!"}));
    EXPECT_TRUE(impressoras.Arquivos().isEmpty());
    EXPECT_TRUE(Imprime({">", "RBDemaisRelatorios", ">", "RBGerencial", ">", "RBImprimir", "!"}));
    EXPECT_TRUE(Imprime({">", ">", "RBImprimir", "!"}));
    ASSERT_EQ(impressoras.Arquivos().size(), 2);
    EXPECT_TRUE(Paginas(0).join(QLatin1Char('#')).contains(QStringLiteral("Nº de Fundo/Clube: 0")));
    EXPECT_TRUE(Paginas(1).join(QLatin1Char('#')).contains(QStringLiteral("|Responsável pelo Preenchimento|")));
}

TEST_F(RotinasImpressaoTest, WithNoDeclarationOpenTheOneChosenOnPage7Prints)
{
    DuasAna();
    auto filial = Armazenada(Filial);
    Guarda(*filial, *filial, {"0588", CpfBruno, "BRUNO COSTA LIMA", 50 * Reais});
    Inicia();
    EXPECT_TRUE(Imprime({">", "RBComprovante", ">", "<", "RBDeclaracao", ">", "x"}));   // cancelled on page 7
    EXPECT_TRUE(impressoras.Arquivos().isEmpty());
    QTimer::singleShot(0, [this] {
        TFoAssistRelatorios* a = AssistenteAberto();
        ASSERT_NE(a, nullptr);
        Roteiro(*a, {">", ">"});
        ASSERT_TRUE(a->TbPruv().Locate(QStringLiteral("NR_PF_PJ"), {Filial.left(12)}, {}));
        Roteiro(*a, {">", "RBImprimir", "!"});
    });
    janela->Comando(QStringLiteral("MiImprimir"))->trigger();
    ASSERT_EQ(impressoras.Arquivos().size(), 1);
    const QString tudo = Paginas(0).join(QLatin1Char('#'));
    EXPECT_TRUE(tudo.contains(QStringLiteral("Declarante: ") + Mascara(Filial))) << tudo.toStdString();
    EXPECT_TRUE(tudo.contains(QStringLiteral("|Total 600,00 0,00 0,00|"))) << tudo.toStdString();
    EXPECT_FALSE(janela->GetDeclaracaoAberta());
}
