#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "assistants/transmission/TFoAssistTransmissao.h"
#include "assistants/transmission/TFrResultTrans.h"
#include "components/controls/grid/TdvDBGrid.h"
#include "components/data/datasets/TdvTable.h"
#include "model/schema/EsquemaPrograma.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"
#include "platform/transmit/TransmissaoRoteirizada.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "screens/GravadasDeTeste.h"
#include "screens/search/TFrPesquisaDeclaracoes.h"
#include "shell/assistant/TAssistente.h"

namespace {

using TEnvio = TransmissaoRoteirizada::TEnvio;

const char* const Cnpj = "11222333000181";

class TFoAssistTransmissaoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        CriaTabelasPrograma(*TDatabase::DaPasta(TPastas::Dados()));
        transmissao.DefinePastaSistema(ProgramaDeTeste::Pasta() + QStringLiteral("/sistema"));
        arquivo = GravadasDeTeste::Grava(gravadas.PastaDe(Cnpj),
                                         QStringLiteral("11222333000181-PRUV-2003-2002-ORIGI-NORMAL.dec"),
                                         GravadasDeTeste::Cabecalho(Cnpj));
    }

    QPushButton* Botao(const TFoAssistTransmissao& assistente, const char* nome) const
    {
        return assistente.findChild<QPushButton*>(QLatin1String(nome));
    }
    bool Ligado(const TFoAssistTransmissao& assistente, const char* nome) const
    {
        return Botao(assistente, nome)->isEnabled();
    }
    static QString PastaPrograma() { return ProgramaDeTeste::Pasta() + QStringLiteral("/ulvaro"); }

    GravadasDeTeste gravadas;
    TransmissaoRoteirizada transmissao;
    DialogosRoteirizados dialogos;
    QString arquivo;
};

}   // namespace

TEST_F(TFoAssistTransmissaoTest, ConcluirStopsOnTheListUntilAFileIsSelected)
{
    TFoAssistTransmissao assistente;
    EXPECT_EQ(assistente.windowTitle(), QStringLiteral("Assistente de Transmissão de Declarações"));
    EXPECT_EQ(assistente.PaginaAtual(), 1);
    EXPECT_FALSE(Ligado(assistente, "BtnRetornar"));

    Botao(assistente, "BtnOK")->click();
    EXPECT_EQ(assistente.PaginaAtual(), 2);
    EXPECT_EQ(assistente.FrPesquisaDeclaracoes->TbGeradas().RecordCount(), 1);
    EXPECT_FALSE(Ligado(assistente, "BtnAvancar"));
    EXPECT_FALSE(Ligado(assistente, "BtnOK"));
    EXPECT_TRUE(Ligado(assistente, "BtnRetornar"));

    TdvDBGrid* grade = assistente.FrPesquisaDeclaracoes->DbgGeradas;
    grade->SelectCurrentRecord();
    EXPECT_TRUE(Ligado(assistente, "BtnAvancar"));
    EXPECT_TRUE(Ligado(assistente, "BtnOK"));
    grade->UnselectCurrentRecord();
    EXPECT_FALSE(Ligado(assistente, "BtnAvancar"));
    EXPECT_FALSE(Ligado(assistente, "BtnOK"));
    EXPECT_TRUE(transmissao.Enviados().isEmpty());
}

TEST_F(TFoAssistTransmissaoTest, SendsTheChosenFilesAndShowsEachOutcome)
{
    const struct {
        const char* caso;
        const char* versao;   // nullptr: the program is not installed
        int resultado;
        const char* linha;   // the result line's code; nullptr: a notice instead
        const QString* aviso;
    } casos[] = {
        {"not installed", nullptr, 0, nullptr, &TFrResultTrans::TextoNaoInstalado},
        {"out of date", "200300", 0, nullptr, &TFrResultTrans::TextoDesatualizado},
        {"delivered", "200301", 0, TFrResultTrans::CodigoAceito, nullptr},
        {"warning", "200301", 4896, TFrResultTrans::CodigoAviso, nullptr},
        {"failure", "200301", 1, TFrResultTrans::CodigoErro, nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TransmissaoRoteirizada programa;
        programa.DefinePastaSistema(ProgramaDeTeste::Pasta() + QStringLiteral("/s-") + QLatin1String(c.caso));
        if (c.versao) {
            programa.EscreveIni(QLatin1String(c.versao), PastaPrograma());
            programa.DisponibilizaEnvio(PastaPrograma());
            programa.DisponibilizaProgresso(PastaPrograma());
        }
        if (c.linha)
            programa.RespondeEnvio({c.resultado, QStringLiteral("resposta"), {0, 100}, {}});

        TFoAssistTransmissao assistente;
        Botao(assistente, "BtnAvancar")->click();
        ASSERT_EQ(assistente.PaginaAtual(), 2);
        assistente.FrPesquisaDeclaracoes->DbgGeradas->SelectCurrentRecord();
        Botao(assistente, "BtnOK")->click();   // Concluir sends at once
        ASSERT_EQ(assistente.PaginaAtual(), 3);
        EXPECT_EQ(assistente.ModalResult(), 0);   // the results stay until the user closes
        const QStringList& linhas = assistente.FrResultTrans->Arquivos();
        ASSERT_EQ(linhas.size(), 1);
        if (c.linha) {
            EXPECT_EQ(programa.Enviados(), QStringList{arquivo});
            EXPECT_EQ(linhas.front(), QLatin1String(c.linha) + arquivo);
        } else {
            EXPECT_TRUE(programa.Enviados().isEmpty());
            EXPECT_EQ(assistente.FrResultTrans->findChild<QLabel*>(QStringLiteral("LbUlvaro"))->text(), *c.aviso);
        }
        // A file was chosen: no way back, Concluir becomes Fechar and ends the assistant.
        EXPECT_FALSE(Ligado(assistente, "BtnRetornar"));
        EXPECT_FALSE(Ligado(assistente, "CancelBtn"));
        EXPECT_EQ(Botao(assistente, "BtnOK")->text(), QStringLiteral("&Fechar"));
        Botao(assistente, "BtnOK")->click();
        EXPECT_EQ(assistente.ModalResult(), mrOk);
    }
}
