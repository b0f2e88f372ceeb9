#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "assistants/AjudaDeTeste.h"
#include "assistants/backup/TFormAssistRestCopSeg.h"
#include "model/PruvDeTeste.h"
#include "model/values/TArquivoIni.h"
#include "platform/db/sqlite/TEsquemaTabela.h"
#include "platform/files/TEspacoEmDisco.h"
#include "shell/CopiasDeTeste.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/backup/TCopiaBanco.h"

namespace {

const QString TextoErro = QStringLiteral("Houve um erro na restauração de cópia de segurança.");

// The restore assistant over a data folder whose backup holds Matriz and Filial.
class TFormAssistRestCopSegTest : public PruvDeTeste {
protected:
    ConfiguracaoDeTeste configuracao;
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/copias");
    const QString copia = pasta + QStringLiteral("/copia.cmp");
    const QString banco = TCopiaBanco::ArquivoDaPasta(DiretorioDados());

    void SetUp() override
    {
        PruvDeTeste::SetUp();
        Armazenada(Matriz);
        Armazenada(Filial);
        colecao.reset();
        ASSERT_EQ(GravaCopiaDeSeguranca(copia, {}), 1);
        colecao = std::make_unique<TColecaoPruv>();
    }
    static void Clica(TFormAssistRestCopSeg& form, const char* botao)
    {
        form.findChild<QPushButton*>(QLatin1String(botao))->click();
    }
    // Runs the assistant on the file up to where it stops; every table closed before.
    void Restaura(TFormAssistRestCopSeg& form, const QString& arquivo)
    {
        Clica(form, "BtnAvancar");
        form.EdArquivo->setText(arquivo);
        Clica(form, "BtnAvancar");
    }
    bool Guardada(const QString& ni)
    {
        TColecaoPruv declaracoes;
        return declaracoes.Localiza(*Nova(ni));
    }
};

}   // namespace

TEST_F(TFormAssistRestCopSegTest, TheBackupReplacesTheCurrentDataAfterTheConfirmation)
{
    colecao->Exclui(*Nova(Filial));
    Armazenada(Outra);
    Armazenada(Outra, "2001");
    colecao.reset();
    // The program's connection stays open across the restore, as the main window keeps it.
    const auto conexao = TDatabase::DaPasta(DiretorioDados());

    TFormAssistRestCopSeg form;
    Restaura(form, copia);
    ASSERT_EQ(form.PaginaAtual(), 6);
    EXPECT_EQ(form.Label9->text(),
              QStringLiteral("A sua base de dados atual contém 3 declarações. Você estará substituindo esta base por "
                             "outra com 2 declarações.  Caso não deseje efetuar o procedimento cancele a execução "
                             "deste assistente."));
    EXPECT_EQ(Linhas("Pruv"), 3);   // nothing changed before the confirmation

    Clica(form, "BtnAvancar");
    ASSERT_EQ(form.PaginaAtual(), 4);
    EXPECT_EQ(form.Label7->text(), QStringLiteral("Sua restauração de cópia de segurança foi efetuada com sucesso."));
    EXPECT_EQ(Linhas("Pruv"), 2);
    EXPECT_TRUE(Guardada(Filial));
    EXPECT_FALSE(Guardada(Outra));
    Clica(form, "BtnOK");
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFormAssistRestCopSegTest, AnEmptyDatabaseIsReplacedWithoutConfirmation)
{
    colecao->Exclui(*Nova(Matriz));
    colecao->Exclui(*Nova(Filial));
    colecao.reset();
    // Concluir on page 1 takes the backup last written.
    TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("dirCsUltimo"),
                             pasta + QLatin1Char('/'));
    TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("ArqCsUltimo"),
                             QStringLiteral("copia.cmp"));

    TFormAssistRestCopSeg form;
    Clica(form, "BtnOK");
    EXPECT_EQ(form.ArquivoOrigem(), copia);
    ASSERT_EQ(form.PaginaAtual(), 4);
    EXPECT_EQ(Linhas("Pruv"), 2);
}

TEST_F(TFormAssistRestCopSegTest, ABackupThatIsNotTheProgramsLeavesTheCurrentDataUntouched)
{
    colecao->Exclui(*Nova(Filial));
    colecao.reset();
    const QByteArray atual = Conteudo(banco);
    const QString texto = pasta + QStringLiteral("/texto.cmp");
    QFile(texto).open(QIODevice::WriteOnly);
    const QString paradox = pasta + QStringLiteral("/paradox.cmp");
    PacoteEstranho(paradox, {{QStringLiteral("Pruv.DB"), "tabela"}, {QStringLiteral("Pruv.PX"), "indice"}});
    const QString lixo = pasta + QStringLiteral("/lixo.cmp");
    PacoteEstranho(lixo, {{QStringLiteral("pruv2003.db"), QByteArray(4096, 'x')}});
    const QString alheio = pasta + QStringLiteral("/alheio.cmp");   // a database of another program
    {
        TDatabase outro(pasta + QStringLiteral("/outro.db"));
        outro.Escreve(QStringLiteral("CREATE TABLE Clientes (NOME TEXT)"));
    }
    PacoteEstranho(alheio, {{QStringLiteral("pruv2003.db"), Conteudo(pasta + QStringLiteral("/outro.db"))}});

    QByteArray estragado = Conteudo(copia);   // a backup whose packed data went bad on its medium
    estragado.replace(estragado.size() / 3, 64, QByteArray(64, '\x55'));
    const QString danificada = pasta + QStringLiteral("/danificada.cmp");
    QFile saida(danificada);
    ASSERT_TRUE(saida.open(QIODevice::WriteOnly));
    saida.write(estragado);
    saida.close();

    const QString nenhum = pasta + QStringLiteral("/nenhum.cmp");
    const struct {
        QString arquivo;
        const char* motivo;
    } casos[] = {
        {texto, " não é uma cópia de segurança da base de dados deste programa."},
        {paradox, " não é uma cópia de segurança da base de dados deste programa."},
        {alheio, " não é uma cópia de segurança da base de dados deste programa."},
        {lixo, " está danificada e não pode ser restaurada."},
        {danificada, " está danificada e não pode ser restaurada."},
        {nenhum, " não foi encontrado."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(qPrintable(c.arquivo));
        TFormAssistRestCopSeg form;
        Restaura(form, c.arquivo);
        ASSERT_EQ(form.PaginaAtual(), 5);
        EXPECT_EQ(form.Label4->text(), TextoErro);
        EXPECT_TRUE(form.LbMotivo->text().contains(QDir::toNativeSeparators(c.arquivo) + QString::fromUtf8(c.motivo)))
            << form.LbMotivo->text().toStdString();
        EXPECT_TRUE(form.findChild<QPushButton*>(QStringLiteral("BtnRetornar"))->isEnabled());
        EXPECT_EQ(Conteudo(banco), atual);
        Clica(form, "BtnOK");
        EXPECT_EQ(form.ModalResult(), mrOk);
    }
    EXPECT_EQ(Linhas("Pruv"), 1);
}

// A backup made by an earlier program, whose tables lack columns of today's: restored, it is
// brought up to today's columns as opening the data would, with every row; one that opening would
// refuse is refused the same way, and the current data stay.
TEST_F(TFormAssistRestCopSegTest, AnOlderBackupIsBroughtUpToTodaysTablesAndOneOpeningWouldRefuseIsRefused)
{
    const struct {
        const char* caso;
        const char* mudanca;   // statements apart by ';'
        const char* recusa;    // what the refusal says; none when restored
    } casos[] = {
        {"a column missing", "ALTER TABLE Pruv DROP COLUMN RESP_PF", nullptr},
        {"a column not the program's in place of one",
         "ALTER TABLE Tabuf DROP COLUMN NM_UF;ALTER TABLE Tabuf ADD COLUMN COLUNA_ESTRANHA TEXT",
         "a coluna COLUNA_ESTRANHA da tabela Tabuf não é do programa"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        const QString velha = pasta + QStringLiteral("/velha.db");
        QFile::remove(velha);
        TCopiaBanco::Instantaneo(DiretorioDados(), velha);
        {
            TDatabase antiga(velha);
            for (const QString& comando : QString::fromLatin1(c.mudanca).split(QLatin1Char(';')))
                antiga.Escreve(comando);
        }
        const QString pacote = pasta + QStringLiteral("/velha.cmp");
        QFile::remove(pacote);
        PacoteEstranho(pacote, {{QStringLiteral("pruv2003.db"), Conteudo(velha)}});
        colecao->Exclui(*Nova(Filial));
        colecao.reset();
        const QByteArray atual = Conteudo(banco);

        TFormAssistRestCopSeg form;
        Restaura(form, pacote);
        if (c.recusa) {
            ASSERT_EQ(form.PaginaAtual(), 5);
            EXPECT_TRUE(form.LbMotivo->text().contains(QString::fromUtf8(c.recusa)))
                << form.LbMotivo->text().toStdString();
            EXPECT_EQ(Conteudo(banco), atual);
        } else {
            ASSERT_EQ(form.PaginaAtual(), 6) << form.LbMotivo->text().toStdString();
            Clica(form, "BtnAvancar");
            ASSERT_EQ(form.PaginaAtual(), 4) << form.LbMotivo->text().toStdString();
            EXPECT_EQ(Linhas("Pruv"), 2);
            EXPECT_TRUE(Guardada(Filial));
            const TEsquemaTabela lido = TEsquemaTabela::Le(*TDatabase::DaPasta(DiretorioDados()),
                                                           QStringLiteral("Pruv"));
            EXPECT_GE(lido.IndiceCampo(QStringLiteral("RESP_PF")), 0);
        }
        Clica(form, "BtnOK");
        colecao = std::make_unique<TColecaoPruv>();
        if (!Guardada(Filial))
            Armazenada(Filial);
    }
}

TEST_F(TFormAssistRestCopSegTest, AfterAFailureVoltarLetsTheUserChooseAnotherFile)
{
    colecao->Exclui(*Nova(Filial));
    colecao.reset();
    TFormAssistRestCopSeg form;
    Restaura(form, pasta + QStringLiteral("/nenhum.cmp"));
    ASSERT_EQ(form.PaginaAtual(), 5);

    Clica(form, "BtnRetornar");
    ASSERT_EQ(form.PaginaAtual(), 2);
    auto* concluir = form.findChild<QPushButton*>(QStringLiteral("BtnOK"));
    EXPECT_EQ(concluir->text(), QStringLiteral("C&oncluir"));
    EXPECT_TRUE(concluir->icon().isNull());
    form.EdArquivo->setText(copia);
    Clica(form, "BtnAvancar");
    ASSERT_EQ(form.PaginaAtual(), 6);   // the unpacking ran again, this time to its end
    Clica(form, "BtnAvancar");
    ASSERT_EQ(form.PaginaAtual(), 4);
    EXPECT_EQ(Linhas("Pruv"), 2);
    EXPECT_FALSE(form.findChild<QPushButton*>(QStringLiteral("BtnRetornar"))->isEnabled());
}

TEST_F(TFormAssistRestCopSegTest, TooLittleFreeSpaceLeavesTheCurrentDataUntouched)
{
    Armazenada(Outra);
    colecao.reset();
    TFormAssistRestCopSeg form;
    Restaura(form, copia);
    ASSERT_EQ(form.PaginaAtual(), 6);
    {
        TEspacoEmDisco::Simulacao quase(1000);
        Clica(form, "BtnAvancar");
    }
    EXPECT_EQ(dialogos.Codigos(), std::vector<int>{151});
    ASSERT_EQ(form.PaginaAtual(), 5);
    EXPECT_EQ(form.Label4->text(), TextoErro);
    EXPECT_TRUE(form.LbMotivo->text().startsWith(
        QStringLiteral("Não há espaço em disco suficiente para executar esta operação.")));
    EXPECT_EQ(Linhas("Pruv"), 3);
}

TEST_F(TFormAssistRestCopSegTest, AFolderThatDoesNotExistIsRefusedOnPage2)
{
    colecao.reset();
    TFormAssistRestCopSeg form;
    Restaura(form, pasta + QStringLiteral("/nenhuma/copia.cmp"));
    EXPECT_EQ(form.PaginaAtual(), 2);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Não existe o diretório que você especificou.")});
    EXPECT_TRUE(form.EdArquivo->text().isEmpty());
    EXPECT_FALSE(form.findChild<QPushButton*>(QStringLiteral("BtnAvancar"))->isEnabled());
}

TEST_F(TFormAssistRestCopSegTest, F1OpensTheAssistantsHelp)
{
    colecao.reset();
    TFormAssistRestCopSeg form;
    EXPECT_EQ(ContextoDoF1(form), TFormAssistRestCopSeg::HelpContext);
}

TEST_F(TFormAssistRestCopSegTest, TheWindowIsWideEnoughForItsCaption)
{
    colecao.reset();
    TFormAssistRestCopSeg form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Assistente de Restauração de Cópia de Segurança da Base de Dados"));
    QFont negrito = form.font();
    negrito.setBold(true);
    EXPECT_GT(form.width(), QFontMetrics(negrito).horizontalAdvance(form.windowTitle()) + 100);
    EXPECT_GE(form.width(), 524);
}
