#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <stdexcept>

#include "assistants/transmission/TDesenhoResultadoTrans.h"
#include "assistants/transmission/TFrResultTrans.h"
#include "model/values/TErro.h"
#include "platform/transmit/TransmissaoRoteirizada.h"
#include "platform/ui/AtividadeRegistrada.h"
#include "support/ProgramaDeTeste.h"

namespace {

using TEnvio = TransmissaoRoteirizada::TEnvio;

class TFrResultTransTest : public ::testing::Test {
protected:
    TFrResultTransTest() { transmissao.DefinePastaSistema(ProgramaDeTeste::Pasta() + QStringLiteral("/sistema")); }

    // The program installed in its folder, with or without its progress library.
    void Instala(bool comProgresso = true)
    {
        transmissao.EscreveIni(QStringLiteral("200301"), PastaPrograma());
        transmissao.DisponibilizaEnvio(PastaPrograma());
        if (comProgresso)
            transmissao.DisponibilizaProgresso(PastaPrograma());
    }
    static QString PastaPrograma() { return ProgramaDeTeste::Pasta() + QStringLiteral("/ulvaro"); }
    static QString Arquivo(int n) { return QStringLiteral("/media/pruv/PRUV2003-%1.dec").arg(n); }
    void Seleciona(int quantidade)
    {
        frame.Arquivos().clear();
        for (int n = 1; n <= quantidade; ++n)
            frame.Arquivos() << Arquivo(n);
    }
    template <typename T> T* Filho(const char* nome) const { return frame.findChild<T*>(QLatin1String(nome)); }
    bool Visivel(const char* nome) const { return !Filho<QWidget>(nome)->isHidden(); }
    QString TextoMeErro() const { return Filho<QPlainTextEdit>("MeErro")->toPlainText(); }

    TransmissaoRoteirizada transmissao;
    AtividadeRegistrada atividade;
    TFrResultTrans frame;
};

TEST_F(TFrResultTransTest, MissingOrOldInstallationOrNoFileShowsItsNotice)
{
    const struct {
        const char* versao;
        bool biblioteca;
        int arquivos;
        const QString& aviso;
    } casos[] = {
        {nullptr, true, 1, TFrResultTrans::TextoNaoInstalado},   // no INI file
        {"200300", true, 1, TFrResultTrans::TextoDesatualizado},
        {"abc", true, 1, TFrResultTrans::TextoDesatualizado},
        {"200301", false, 1, TFrResultTrans::TextoNaoInstalado},   // no sending library in Path
        {"200301", true, 0, TFrResultTrans::TextoNenhumaSelecionada},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.versao ? c.versao : "no INI");
        TransmissaoRoteirizada programa;
        programa.DefinePastaSistema(ProgramaDeTeste::Pasta() + QStringLiteral("/s-%1").arg(QLatin1String(c.versao)));
        if (c.versao)
            programa.EscreveIni(QLatin1String(c.versao), PastaPrograma());
        if (c.biblioteca)
            programa.DisponibilizaEnvio(PastaPrograma());
        Seleciona(c.arquivos);
        frame.Transmite();
        EXPECT_TRUE(Visivel("PnDownLoad"));
        EXPECT_FALSE(Visivel("PnTrans"));
        EXPECT_EQ(Filho<QLabel>("LbUlvaro")->text(), c.aviso);
        EXPECT_EQ(Visivel("LbSite"), c.arquivos > 0);   // no link when nothing was chosen
        EXPECT_TRUE(programa.Enviados().isEmpty());
        EXPECT_EQ(frame.Arquivos().size(), c.arquivos);
        EXPECT_EQ(atividade.Profundidade(), 0);
    }
}

TEST_F(TFrResultTransTest, SendsEveryFileWithProgressAndOneResultEach)
{
    Instala();
    auto* lista = Filho<QListWidget>("LbxResultado");
    auto* gauge = Filho<QProgressBar>("GgDescomp");
    int posicaoDurante = -1;
    bool enviandoDurante = false;
    transmissao.RespondeEnvio({0, QStringLiteral("Recebida\nem 31/03/2003"), {0, 40, 80}, [&] {
                                   posicaoDurante = gauge->value();
                                   enviandoDurante = frame.Arquivos().at(0).startsWith(QLatin1String("30"))
                                       && !gauge->isHidden() && !lista->isEnabled() && Visivel("PnTrans");
                               }});
    transmissao.RespondeEnvio({1, QStringLiteral("Falha na conexão"), {0}, {}});   // a failure mid-list
    transmissao.RespondeEnvio({4896, QStringLiteral("Já entregue"), {}, {}});
    Seleciona(3);
    frame.Transmite();

    EXPECT_EQ(posicaoDurante, 80);
    EXPECT_TRUE(enviandoDurante);
    EXPECT_EQ(transmissao.Enviados(), (QStringList{Arquivo(1), Arquivo(2), Arquivo(3)}));
    EXPECT_EQ(frame.Arquivos(),
              (QStringList{QLatin1String("20") + Arquivo(1), QLatin1String("10") + Arquivo(2),
                           QLatin1String("40") + Arquivo(3)}));
    EXPECT_EQ(frame.MensagensEnvio(),
              (QStringList{QStringLiteral("Recebida  em 31/03/2003"), QStringLiteral("Falha na conexão"),
                           QStringLiteral("Já entregue")}));
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_EQ(TextoMeErro(), frame.MensagensEnvio().at(0));
    EXPECT_TRUE(lista->isEnabled());
    EXPECT_TRUE(gauge->isHidden());
    EXPECT_TRUE(Filho<QLabel>("LbDescomp")->isHidden());
    EXPECT_EQ(transmissao.Abertas(), 0);   // both libraries freed
    EXPECT_GT(atividade.VezesMantido(), 0);
    EXPECT_EQ(atividade.Profundidade(), 0);

    frame.resize(400, 300);
    EXPECT_FALSE(frame.grab().isNull());   // the lines with their pictures are drawn

    lista->setCurrentRow(1);   // a line shows its message
    EXPECT_EQ(TextoMeErro(), QStringLiteral("Falha na conexão"));
}

TEST_F(TFrResultTransTest, WithoutTheProgressLibraryTheFilesAreStillSent)
{
    Instala(false);
    transmissao.RespondeEnvio({0, QStringLiteral("ok"), {50}, {}});
    Seleciona(1);
    frame.Transmite();
    EXPECT_EQ(frame.Arquivos(), QStringList{QLatin1String("20") + Arquivo(1)});
    EXPECT_EQ(Filho<QProgressBar>("GgDescomp")->value(), 0);
}

TEST_F(TFrResultTransTest, CancelStopsBeforeTheNextFile)
{
    Instala();
    transmissao.RespondeEnvio({0, QStringLiteral("primeira"), {}, [&] { frame.Cancela(); }});
    Seleciona(3);
    frame.Transmite();
    EXPECT_EQ(transmissao.Enviados(), QStringList{Arquivo(1)});
    EXPECT_EQ(frame.Arquivos(), (QStringList{QLatin1String("20") + Arquivo(1), Arquivo(2), Arquivo(3)}));
    EXPECT_EQ(frame.MensagensEnvio(), QStringList{QStringLiteral("primeira")});
    Filho<QListWidget>("LbxResultado")->setCurrentRow(2);   // no message: the first stays
    EXPECT_EQ(TextoMeErro(), QStringLiteral("primeira"));

    // the next sending is not cancelled
    transmissao.RespondeEnvio({0, QString(), {}, {}});
    Seleciona(1);
    frame.Transmite();
    EXPECT_EQ(frame.Arquivos(), QStringList{QLatin1String("20") + Arquivo(1)});
}

TEST_F(TFrResultTransTest, NameTooLongForTheLibraryFailsWithoutBeingSent)
{
    Instala();
    const QString longo = QLatin1Char('/') + QString(300, QLatin1Char('a')) + QStringLiteral(".dec");
    transmissao.RespondeEnvio({0, QString(), {}, {}});
    frame.Arquivos() << longo << Arquivo(2);
    frame.Transmite();
    EXPECT_EQ(transmissao.Enviados(), QStringList{Arquivo(2)});
    EXPECT_EQ(frame.Arquivos(), (QStringList{QLatin1String("10") + longo, QLatin1String("20") + Arquivo(2)}));
    EXPECT_EQ(frame.MensagensEnvio().at(0), TErro::FormataMensagem(174, longo));
}

TEST_F(TFrResultTransTest, LibraryFailureMarksTheFileAndLeavesTheFrameUsable)
{
    Instala();
    transmissao.RespondeEnvio({0, QString(), {}, [&] {
                                   frame.Transmite();   // a second request pumped in while sending is ignored
                                   throw std::runtime_error("falhou");
                               }});
    Seleciona(2);
    EXPECT_THROW(frame.Transmite(), std::runtime_error);
    EXPECT_EQ(frame.Arquivos(), (QStringList{QLatin1String("10") + Arquivo(1), Arquivo(2)}));
    EXPECT_TRUE(Filho<QListWidget>("LbxResultado")->isEnabled());
    EXPECT_TRUE(Filho<QProgressBar>("GgDescomp")->isHidden());
    EXPECT_EQ(transmissao.Abertas(), 0);
    EXPECT_EQ(atividade.Profundidade(), 0);

    transmissao.RespondeEnvio({0, QString(), {}, {}});
    Seleciona(1);
    frame.Transmite();
    EXPECT_EQ(frame.Arquivos(), QStringList{QLatin1String("20") + Arquivo(1)});
}

TEST(TFrResultTrans, ResultGivesTheLinesCode)
{
    const struct {
        int resultado;
        const char* codigo;
    } casos[] = {
        {0, "20"}, {1004, "40"}, {4896, "40"}, {1, "10"}, {-1, "10"}, {4897, "10"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.resultado);
        EXPECT_EQ(TFrResultTrans::CodigoDoResultado(c.resultado), QLatin1String(c.codigo));
    }
}

TEST(TDesenhoResultadoTrans, SplitsALineIntoCodeAndText)
{
    const struct {
        QString item;
        const char* codigo;
        QString texto;
    } casos[] = {
        {QStringLiteral("20/a.dec"), "20", QStringLiteral("/a.dec")},
        {QStringLiteral("30/a.dec"), "30", QStringLiteral("/a.dec")},
        {QStringLiteral("/a.dec"), "", QStringLiteral("/a.dec")},   // not sent yet
        {QStringLiteral("10") + QString(1100, QLatin1Char('x')), "10", QString(1021, QLatin1Char('x'))},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.item.left(20).toStdString());
        EXPECT_EQ(TDesenhoResultadoTrans::Codigo(c.item), QLatin1String(c.codigo));
        EXPECT_EQ(TDesenhoResultadoTrans::Texto(c.item), c.texto);
    }
}

}   // namespace
