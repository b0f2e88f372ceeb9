#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

#include "model/schema/ReorganizaTabelas.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/PastasPrograma.h"
#include "shell/common/ContextoAjuda.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TPastas.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/ui/InterfaceUsuario.h"
#include "shell/Espera.h"
#include "shell/assistant/TFormAssist.h"
#include "shell/declarations/TFoIndexa.h"

namespace {

template <class T> T* Componente(const TFoIndexa& janela, const char* nome)
{
    return janela.findChild<T*>(QLatin1String(nome));
}

class TFoIndexaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        ErroIndice = true;
        FalhaItens = false;
    }
    void TearDown() override { ErroIndice = false; }

    DialogosRoteirizados dialogos;
};

}   // namespace

TEST_F(TFoIndexaTest, ReorganisesWithTheChosenPackingAndHandsTheFocusToClose)
{
    const QString indices = QDir(DiretorioPrograma()).filePath(QStringLiteral("indices.dat"));
    QFile arquivo(indices);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write("NR_PF\\\\Respons.db\n");
    arquivo.close();

    TFoIndexa janela(nullptr, indices);
    EXPECT_EQ(janela.windowTitle(), QStringLiteral("Pruv 2003 - Reorganização das Tabelas de Dados"));
    EXPECT_EQ(ObtemHelpContext(Componente<QCheckBox>(janela, "CbLimparExclusoes")), 11095);
    janela.show();
    QApplication::setActiveWindow(&janela);
    Componente<QCheckBox>(janela, "CbLimparExclusoes")->setChecked(true);
    Componente<QPushButton>(janela, "BbReorganizar")->click();

    EXPECT_EQ(Componente<QLabel>(janela, "LbProgresso")->text(), QStringLiteral("Reorganização concluída com sucesso"));
    EXPECT_EQ(Componente<QProgressBar>(janela, "Gauge")->maximum(), 1 + 15);
    EXPECT_FALSE(ErroIndice);
    EXPECT_TRUE(Componente<QPushButton>(janela, "BbReorganizar")->isEnabled());
    EXPECT_TRUE(Espera([&] { return Componente<QPushButton>(janela, "BbFechar")->hasFocus(); }));
    EXPECT_TRUE(dialogos.Mensagens().empty());

    Componente<QPushButton>(janela, "BbFechar")->click();
    EXPECT_FALSE(janela.isVisible());
}

TEST_F(TFoIndexaTest, TheWindowIsWideEnoughForItsWholeCaption)
{
    TFoIndexa janela;
    janela.show();
    EXPECT_GE(janela.width(), TFormAssist::LarguraParaTitulo(janela.windowTitle(), janela.font()));
}

TEST_F(TFoIndexaTest, MissingIndexFileIsToldAndTheDialogStaysUsable)
{
    const QString indices = QDir(DiretorioPrograma()).filePath(QStringLiteral("nenhum.dat"));
    TFoIndexa janela(nullptr, indices);
    janela.show();
    Componente<QPushButton>(janela, "BbReorganizar")->click();

    EXPECT_EQ(dialogos.Textos(),
              QStringList{QStringLiteral("Arquivo ") + indices
                          + QStringLiteral(" não encontrado. Não será possível realizar a "
                                           "reorganização das tabelas")});
    EXPECT_EQ(Componente<QLabel>(janela, "LbProgresso")->text(),
              QStringLiteral("Não foi possível concluir a reorganização"));
    EXPECT_TRUE(ErroIndice);
    EXPECT_TRUE(Componente<QPushButton>(janela, "BbReorganizar")->isEnabled());
    EXPECT_TRUE(Componente<QPushButton>(janela, "BbFechar")->isEnabled());
}

namespace {

// Answers every message by trying to close the dialog first.
class FechaAoPerguntar final : public IDialogos {
public:
    explicit FechaAoPerguntar(TFoIndexa& janela)
        : FJanela(janela)
        , FAnterior(InterfaceUsuario::Instala(this))
    {}
    ~FechaAoPerguntar() override { InterfaceUsuario::Instala(FAnterior); }
    FechaAoPerguntar(const FechaAoPerguntar&) = delete;
    FechaAoPerguntar& operator=(const FechaAoPerguntar&) = delete;

    Resposta Mostra(const TMensagemDialogo& mensagem) override
    {
        FJanela.close();
        FJanela.reject();
        Visivel = FJanela.isVisible();
        Referencias.push_back(mensagem.Referencia);
        return Resposta::Ok;
    }

    bool Visivel = false;
    std::vector<int> Referencias;

private:
    TFoIndexa& FJanela;
    IDialogos* FAnterior;
};

}   // namespace

TEST_F(TFoIndexaTest, CannotBeClosedWhileReorganising)
{
    const QString indices = QDir(DiretorioPrograma()).filePath(QStringLiteral("indices.dat"));
    QFile arquivo(indices);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.close();
    TFoIndexa janela(nullptr, indices);
    janela.show();
    FechaAoPerguntar pergunta(janela);
    TEspacoEmDisco::Simulacao desconhecido(-1);   // message 152 comes up while it works

    Componente<QPushButton>(janela, "BbReorganizar")->click();
    EXPECT_EQ(pergunta.Referencias, std::vector<int>{152});
    EXPECT_TRUE(pergunta.Visivel);
    janela.close();
    EXPECT_FALSE(janela.isVisible());
}
