#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "assistants/AjudaDeTeste.h"
#include "assistants/backup/TFormAssistCopSeg.h"
#include "model/PruvDeTeste.h"
#include "model/values/TArquivoIni.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TVolumes.h"
#include "shell/CopiasDeTeste.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/common/EstadoPrograma.h"
#include "shell/common/TRegistroPruv.h"

namespace {

// The backup assistant over a data folder with one stored declaration, every table closed.
class TFormAssistCopSegTest : public PruvDeTeste {
protected:
    ConfiguracaoDeTeste configuracao;
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/copias");

    void SetUp() override
    {
        PruvDeTeste::SetUp();
        Armazenada(Matriz);
        colecao.reset();
    }
    static void Clica(TFormAssistCopSeg& form, const char* botao)
    {
        form.findChild<QPushButton*>(QLatin1String(botao))->click();
    }
    static QString Ini(const char* chave)
    {
        return TIniFile(TArquivoIni::Caminho())
            .ReadString(QStringLiteral("Copia de Seguranca"), QLatin1String(chave), QStringLiteral("-"));
    }
    static void GravaIni(const char* chave, const QString& valor)
    {
        TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QLatin1String(chave), valor);
    }
    static QString Registro() { return TRegistroPruv::LeString(QLatin1String(TRegistroPruv::DirCsDefault)); }
    // An earlier backup at the remembered place, which Concluir on page 1 writes over.
    QString CopiaAnterior()
    {
        const QString arquivo = pasta + QStringLiteral("/anterior.cmp");
        EXPECT_EQ(GravaCopiaDeSeguranca(arquivo, {}), 1);
        GravaIni("DirCsDefault", pasta);
        GravaIni("ArqCsDefault", QStringLiteral("anterior.cmp"));
        return arquivo;
    }
};

}   // namespace

TEST_F(TFormAssistCopSegTest, BacksUpToTheNamedFileAndRemembersThePlace)
{
    TFormAssistCopSeg form;
    EXPECT_EQ(form.PaginaAtual(), 1);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Assistente de Cópia de Segurança da Base de Dados"));
    Clica(form, "BtnAvancar");
    ASSERT_EQ(form.PaginaAtual(), 2);
    EXPECT_EQ(form.EdArquivo->text(), DiretorioPrograma() + QStringLiteral("/CopSeg/CopSeg.cmp"));

    form.EdArquivo->setText(pasta + QStringLiteral("/minha"));
    Clica(form, "BtnAvancar");   // a folder of the base volume: no notice, packed at once
    ASSERT_EQ(form.PaginaAtual(), 5);
    EXPECT_EQ(form.Label7->text(), QStringLiteral("Sua cópia de segurança foi efetuada com sucesso."));
    EXPECT_TRUE(QFileInfo::exists(pasta + QStringLiteral("/minha.cmp")));
    EXPECT_FALSE(QFileInfo::exists(pasta + QStringLiteral("/minha.cmp.tmp")));
    EXPECT_EQ(Ini("DirCsDefault"), pasta);
    EXPECT_EQ(Ini("dirCsUltimo"), pasta);
    EXPECT_EQ(Ini("ArqCsDefault"), QStringLiteral("minha.cmp"));
    EXPECT_EQ(Ini("ArqCsUltimo"), QStringLiteral("minha.cmp"));
    EXPECT_EQ(Registro(), pasta);

    Clica(form, "BtnOK");
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFormAssistCopSegTest, TheFileNamedOnPage2BecomesTheTarget)
{
    const QString arquivoComum = ProgramaDeTeste::Pasta() + QStringLiteral("/comum");
    QFile(arquivoComum).open(QIODevice::WriteOnly);
    const struct {
        const char* caso;
        QString texto;
        QString destino;
        const char* mensagem;
    } casos[] = {
        {"no extension", pasta + QStringLiteral("/copia"), pasta + QStringLiteral("/copia.cmp"), nullptr},
        {"extension in capitals", pasta + QStringLiteral("/copia.CMP"), pasta + QStringLiteral("/copia.CMP"), nullptr},
        {"a folder only", pasta + QStringLiteral("/"), pasta + QStringLiteral("/CopSeg.cmp"), nullptr},
        {"a name only", QStringLiteral("copia.cmp"), DiretorioPrograma() + QStringLiteral("/CopSeg/copia.cmp"),
         nullptr},
        {"blanks", QStringLiteral("   "), QString(), "O nome completo do arquivo deverá ser especificado."},
        {"a folder that cannot be made", arquivoComum + QStringLiteral("/sub/copia.cmp"), QString(),
         "Não é possível criar o diretório que você especificou. Verifique se o nome do mesmo é válido."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.Limpa();
        TFormAssistCopSeg form;
        Clica(form, "BtnAvancar");
        form.EdArquivo->setText(c.texto);
        EXPECT_EQ(form.PodeAvancar(2), c.mensagem == nullptr);
        if (c.mensagem) {
            EXPECT_EQ(dialogos.Textos(), QStringList{QString::fromUtf8(c.mensagem)});
            EXPECT_FALSE(form.findChild<QPushButton*>(QStringLiteral("BtnAvancar"))->isEnabled());
        } else {
            EXPECT_EQ(form.ArquivoDestino(), c.destino);
            EXPECT_TRUE(QFileInfo(c.destino).absoluteDir().exists());
        }
    }
}

TEST_F(TFormAssistCopSegTest, CancellingWhileThePackingRunsKeepsTheEarlierBackup)
{
    const QString anterior = CopiaAnterior();
    const QByteArray conteudo = Conteudo(anterior);
    TFormAssistCopSeg form;
    AtividadeComAcao cancela([&form] { Clica(form, "CancelBtn"); });
    Clica(form, "BtnOK");   // Concluir on page 1: packs to the remembered place at once
    EXPECT_EQ(form.ModalResult(), mrCancel);
    EXPECT_EQ(form.Resultado(), 2);
    EXPECT_EQ(Conteudo(anterior), conteudo);
    EXPECT_FALSE(QFileInfo::exists(anterior + QStringLiteral(".tmp")));
}

TEST_F(TFormAssistCopSegTest, TooLittleFreeSpaceIsRefusedAndKeepsTheEarlierBackup)
{
    const QString anterior = CopiaAnterior();
    const QByteArray conteudo = Conteudo(anterior);
    TFormAssistCopSeg form;
    {
        TEspacoEmDisco::Simulacao quase(1000);
        Clica(form, "BtnOK");
    }
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{151});
    ASSERT_EQ(form.PaginaAtual(), 6);
    EXPECT_EQ(form.Label1->text(), QStringLiteral("Houve um erro na geração de sua cópia de segurança. "));
    EXPECT_EQ(Conteudo(anterior), conteudo);
    Clica(form, "BtnOK");
    EXPECT_EQ(form.ModalResult(), mrCancel);
}

TEST_F(TFormAssistCopSegTest, ABackupOnARemovableMediumRemembersOnlyTheLastPlace)
{
    const QString midia = ProgramaDeTeste::Pasta() + QStringLiteral("/midia");
    ASSERT_TRUE(QDir().mkpath(midia));
    TVolumes::Simulacao pendrive({TVolume{midia, QStringLiteral("PENDRIVE"), TVolume::TTipo::Removivel}});
    TRegistroPruv::GravaString(QLatin1String(TRegistroPruv::DirCsDefault), QStringLiteral("antes"));

    ASSERT_TRUE(QFile::copy(QStringLiteral(PRUV_PASTA_RECURSOS "/indices.dat"),
                            DiretorioPrograma() + QStringLiteral("/indices.dat")));

    TFormAssistCopSeg form;
    form.CheckBoxReord->setChecked(true);   // the tables reorganised first
    Clica(form, "BtnAvancar");
    form.EdArquivo->setText(midia + QStringLiteral("/copia.cmp"));
    Clica(form, "BtnAvancar");
    ASSERT_EQ(form.PaginaAtual(), 3);   // the notice of the medium first
    Clica(form, "BtnAvancar");
    ASSERT_EQ(form.PaginaAtual(), 5);
    EXPECT_TRUE(QFileInfo::exists(midia + QStringLiteral("/copia.cmp")));
    EXPECT_TRUE(
        form.Label7->text().endsWith(QStringLiteral("Etiquete o(s) disquete(s) e guarde-o(s) em lugar seguro.")));
    EXPECT_EQ(Ini("dirCsUltimo"), midia);
    EXPECT_EQ(Ini("ArqCsUltimo"), QStringLiteral("copia.cmp"));
    EXPECT_EQ(Ini("DirCsDefault"), QStringLiteral("-"));
    EXPECT_EQ(Ini("ArqCsDefault"), QStringLiteral("-"));
    EXPECT_EQ(Registro(), QStringLiteral("antes"));
    EXPECT_TRUE(dialogos.Mensagens().empty()) << dialogos.Textos().join(QLatin1Char('|')).toStdString();
}

TEST_F(TFormAssistCopSegTest, F1OpensTheAssistantsHelp)
{
    TFormAssistCopSeg form;
    EXPECT_EQ(ContextoDoF1(form), TFormAssistCopSeg::HelpContext);
    EXPECT_EQ(EstadoPrograma::ContextoAjuda, TFormAssistCopSeg::HelpContext);
}

TEST(TFormAssistCopSeg, EstimatesTheFloppyDisksFromTheSizeOfTheData)
{
    // x = bytes * 0.23 / 1,440,000; a fractional part past 0.8 asks for one disk more.
    const struct {
        qint64 bytes;
        int disquetes;
    } casos[] = {
        {0, 1},
        {-1, 1},
        {3130435, 1} /* x = 0.5 */,
        {5321740, 2} /* x = 0.85 */,
        {6260870, 2} /* x = 1 */,
        {15652174, 3} /* x = 2.5 */,
        {17467826, 3} /* x = 2.79 */,
        {17843479, 4} /* x = 2.85 */,
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(TFormAssistCopSeg::QuantidadeDisquetes(c.bytes), c.disquetes);
    }
}

TEST_F(TFormAssistCopSegTest, TheNoticeOfTheRemovableMediumCountsTheDisksOfTheData)
{
    const QString midia = ProgramaDeTeste::Pasta() + QStringLiteral("/midia");
    ASSERT_TRUE(QDir().mkpath(midia));
    TVolumes::Simulacao pendrive({TVolume{midia, QStringLiteral("PENDRIVE"), TVolume::TTipo::Removivel}});
    const auto aviso = [&] {
        TFormAssistCopSeg form;
        Clica(form, "BtnAvancar");
        form.EdArquivo->setText(midia + QStringLiteral("/copia.cmp"));
        Clica(form, "BtnAvancar");
        EXPECT_EQ(form.PaginaAtual(), 3);
        return form.Label5->text();
    };
    EXPECT_EQ(aviso(),
              QStringLiteral("Voce precisará de um disquete para efetuar a cópia de segurança. Certifique-se "
                             "de que o mesmo esteja inserido na unidade selecionada"));
    // About 20 MB of data: x = 3.2, four disks at most.
    Executa(QStringLiteral("CREATE TABLE Lastro (B BLOB)"));
    Executa(QStringLiteral("INSERT INTO Lastro VALUES (zeroblob(20000000))"));
    EXPECT_EQ(aviso(),
              QStringLiteral("Você precisará de até 4 disquetes vazios para efetuar a cópia de segurança. "
                             "Insira o primeiro na unidade selecionada"));
}
