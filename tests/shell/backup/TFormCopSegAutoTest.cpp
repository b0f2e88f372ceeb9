#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <utility>
#include <vector>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "model/PruvDeTeste.h"
#include "model/values/TArquivoIni.h"
#include "shell/CopiasDeTeste.h"
#include "shell/backup/TCopiaBanco.h"
#include "shell/backup/TFormCopSegAuto.h"
#include "shell/common/TRegistroPruv.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/files/TPastas.h"

namespace {

class TFormCopSegAutoTest : public PruvDeTeste {
protected:
    ConfiguracaoDeTeste configuracao;
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/copias");
    const QString copia = pasta + QStringLiteral("/copsegauto.cmp");

    void SetUp() override
    {
        PruvDeTeste::SetUp();
        Armazenada(Matriz);
        colecao.reset();   // the main window closes every table first
        TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("DirCsDefault"), pasta);
    }
    static QString Registro() { return TRegistroPruv::LeString(QLatin1String(TRegistroPruv::DirCsDefault)); }
    // The declarations in the backup file.
    static qint64 DeclaracoesNaCopia(const QString& arquivo)
    {
        QTemporaryDir pasta;
        if (Descomprimir(arquivo, pasta.path(), {}) != 1)
            return -1;
        return TCopiaBanco::ContaLinhas(pasta.filePath(QStringLiteral("pruv2003.db")), QStringLiteral("Pruv"));
    }
};

// Records the gauge's value at every painting of a control.
class PinturasDoGauge final : public QObject {
public:
    PinturasDoGauge(QWidget& controle, const QProgressBar& gauge)
        : FGauge(gauge)
    {
        controle.installEventFilter(this);
    }
    std::vector<int> Valores;

protected:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint)
            Valores.push_back(FGauge.value());
        return false;
    }

private:
    const QProgressBar& FGauge;
};

}   // namespace

TEST_F(TFormCopSegAutoTest, TheWindowIsPaintedBeforeThePackingAndAsTheGaugeMoves)
{
    TFormCopSegAuto janela;
    PinturasDoGauge pinturasJanela(janela, *janela.GaugeTotal);
    PinturasDoGauge pinturasGauge(*janela.GaugeTotal, *janela.GaugeTotal);
    std::size_t antesDoTrabalho = 0;
    {
        // The first breath the backup takes comes before any packing: by then it is on the screen.
        bool primeira = true;
        AtividadeComAcao observa([&] {
            if (std::exchange(primeira, false))
                antesDoTrabalho = pinturasJanela.Valores.size();
        });
        FazCopiaAutomatica(janela);
    }
    EXPECT_GT(antesDoTrabalho, 0u);
    ASSERT_FALSE(pinturasGauge.Valores.empty());
    EXPECT_EQ(pinturasGauge.Valores.front(), 0);
    EXPECT_EQ(pinturasGauge.Valores.back(), 100) << "the full gauge is drawn, not only set";
}

TEST_F(TFormCopSegAutoTest, WritesTheBackupInTheBackupFolderAndRegistersTheFolder)
{
    for (const char* fim : {"", "/", "//"}) {
        SCOPED_TRACE(fim);
        TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("DirCsDefault"),
                                 pasta + QLatin1String(fim));
        QFile::remove(copia);
        TFormCopSegAuto janela;
        FazCopiaAutomatica(janela);
        EXPECT_EQ(janela.LbDiretorio->text(), QStringLiteral("Gravando em ") + pasta + QStringLiteral("..."));
        EXPECT_EQ(janela.windowTitle(), QStringLiteral("Cópia de Segurança Automática"));
        EXPECT_EQ(DeclaracoesNaCopia(copia), 1);
        EXPECT_FALSE(QFileInfo::exists(copia + QStringLiteral(".tmp")));
        EXPECT_EQ(Registro(), pasta);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TFormCopSegAutoTest, ALaterExitReplacesTheBackupUnlessItIsCancelledOrFails)
{
    TFormCopSegAuto::Executa(nullptr);
    colecao = std::make_unique<TColecaoPruv>();
    Armazenada(Filial);
    colecao.reset();
    const QByteArray primeira = Conteudo(copia);

    {
        // Cancelar clicked while the data are being packed: no word, the first backup stays.
        AtividadeComAcao cancela([] {
            if (TFormCopSegAuto* janela = TFormCopSegAuto::Instancia())
                janela->BotaoCancelar->click();
        });
        TFormCopSegAuto::Executa(nullptr);
    }
    EXPECT_EQ(Conteudo(copia), primeira);
    EXPECT_FALSE(QFileInfo::exists(copia + QStringLiteral(".tmp")));
    EXPECT_TRUE(dialogos.Mensagens().empty());

    TFormCopSegAuto::Executa(nullptr);
    EXPECT_EQ(DeclaracoesNaCopia(copia), 2);

    // A backup that cannot be put in place (a folder holds its name) fails once, aloud.
    const QString outra = ProgramaDeTeste::Pasta() + QStringLiteral("/outra");
    ASSERT_TRUE(QDir().mkpath(outra + QStringLiteral("/copsegauto.cmp")));
    TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("DirCsDefault"), outra);
    TFormCopSegAuto::Executa(nullptr);
    ASSERT_EQ(dialogos.Textos().size(), 1);
    EXPECT_TRUE(dialogos.Textos().front().startsWith(QStringLiteral("A cópia de segurança automática falhou.")));
    EXPECT_EQ(dialogos.Mensagens().front().Tipo, TipoDialogo::Personalizado);
    EXPECT_FALSE(QFileInfo::exists(outra + QStringLiteral("/copsegauto.cmp.tmp")));
    EXPECT_EQ(Registro(), pasta);
}

TEST_F(TFormCopSegAutoTest, AFailureIsShownAboveTheProgressWindowWithItsReason)
{
    TFormCopSegAuto::Executa(nullptr);
    const QByteArray primeira = Conteudo(copia);
    const QString outra = ProgramaDeTeste::Pasta() + QStringLiteral("/outra");
    const struct {
        const char* caso;
        QString pastaCopia;
        QString ocupado;
        QString motivo;
    } casos[] = {
        {"a folder holds the backup's name", outra, outra + QStringLiteral("/copsegauto.cmp"),
         QStringLiteral("há uma pasta com o nome do arquivo")},
        {"a folder holds the backup's name", outra + QStringLiteral("2"), outra + QStringLiteral("2/copsegauto.cmp"),
         QStringLiteral("há uma pasta com o nome do arquivo")},
        {"a file holds the backup folder's name", outra + QStringLiteral("3/arquivo/copias"), QString(),
         QStringLiteral("não foi possível criar a pasta")},
    };
    ASSERT_TRUE(QDir().mkpath(outra + QStringLiteral("3")));
    {
        QFile arquivo(outra + QStringLiteral("3/arquivo"));
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    }
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        dialogos.Limpa();
        if (!c.ocupado.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(c.ocupado));
        }
        TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("DirCsDefault"), c.pastaCopia);
        bool progressoVisivel = true;
        dialogos.AoMostrar([&](const TMensagemDialogo&) {
            const TFormCopSegAuto* janela = TFormCopSegAuto::Instancia();
            progressoVisivel = janela && janela->isVisible();
        });
        TFormCopSegAuto::Executa(nullptr);
        dialogos.AoMostrar({});
        ASSERT_EQ(dialogos.Textos().size(), 1);
        const QString texto = dialogos.Textos().front();
        EXPECT_TRUE(texto.startsWith(QStringLiteral("A cópia de segurança automática falhou."))) << texto.toStdString();
        EXPECT_TRUE(texto.contains(c.motivo)) << texto.toStdString();
        EXPECT_FALSE(progressoVisivel);
        EXPECT_FALSE(QFileInfo(c.pastaCopia + QStringLiteral("/copsegauto.cmp")).isFile());
    }
    EXPECT_EQ(Conteudo(copia), primeira);
    EXPECT_EQ(Registro(), pasta);
}

TEST_F(TFormCopSegAutoTest, DataTheRestoreWouldRefuseNeverReplaceTheBackup)
{
    TFormCopSegAuto::Executa(nullptr);
    const QByteArray boa = Conteudo(copia);
    ASSERT_EQ(DeclaracoesNaCopia(copia), 1);
    // A table changed under the program: the backup of it would be refused by the restore.
    TDatabase::DaPasta(TPastas::Dados())->Escreve(QStringLiteral("ALTER TABLE Pruv DROP COLUMN RESP_PF"));
    TFormCopSegAuto::Executa(nullptr);
    EXPECT_EQ(Conteudo(copia), boa);
    EXPECT_FALSE(QFileInfo::exists(copia + QStringLiteral(".tmp")));
    ASSERT_EQ(dialogos.Textos().size(), 1);
    EXPECT_TRUE(
        dialogos.Textos().front().startsWith(QStringLiteral("A cópia de segurança automática falhou.\n\nMotivo: ")))
        << dialogos.Textos().front().toStdString();
}
