#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include "exchange/FonteSimulada.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TArquivoPruv.h"
#include "exchange/delivery/TRecuperacaoEntrega.h"
#include "model/people/TNi.h"
#include "model/values/TErro.h"
#include "platform/files/AbreArquivoComum.h"
#include "platform/files/TConfirmacoes.h"
#include "platform/files/TEspacoEmDisco.h"
#include "platform/files/TFalhasDeArquivo.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TPastas.h"
#include "platform/files/TSubstituicao.h"
#include "platform/files/TVolumes.h"
#include "platform/ui/AtividadeRegistrada.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "platform/ui/ProgressoRegistrado.h"
#include "support/ProcessoLimitado.h"
#include "support/ProgramaDeTeste.h"

namespace {

namespace R = ResultadoEntrega;

// Never waits on a fifo: anything but a regular file reads as empty.
QByteArray Le(const QString& caminho)
{
    QFile arquivo(caminho);
    QString erro;
    return AbreLeituraComum(arquivo, erro) ? arquivo.readAll() : QByteArray();
}

void Grava(const QString& caminho, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(caminho).path());
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(bytes);
}

// Golden files are compared whole; a difference is reported at its first line.
void ConfereComOuro(const QString& caminho, const char* ouro)
{
    const QByteArray esperado = Le(QStringLiteral(PRUV_PASTA_OURO "/") + QString::fromLatin1(ouro));
    const QByteArray obtido = Le(caminho);
    ASSERT_FALSE(esperado.isEmpty()) << ouro;
    if (obtido == esperado)
        return;
    const QList<QByteArray> a = esperado.split('\n');
    const QList<QByteArray> b = obtido.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        ASSERT_EQ(a.value(i).toStdString(), b.value(i).toStdString()) << ouro << ", line " << i + 1;
}

QString Declar()
{
    return TPastas::Dados() + QStringLiteral("/Declar.txt");
}

class TArquivoPruvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TPastas::Cria();
        TVolumes::DefinePastaBase(base);
        writer.DefineRelogio([] { return QDateTime(QDate(2003, 3, 14), QTime(10, 30)); });
    }
    void TearDown() override { TVolumes::DefinePastaBase(QString()); }

    TPedidoGeracao Pedido(const Cenario& c, const TVolume& volume, int registros = 10)
    {
        TPedidoGeracao pedido = c.Pedido(volume, registros);
        pedido.Cancelado = &cancelado;
        return pedido;
    }
    // The path named by the run goes to arquivo.
    std::uint8_t Gera(TArquivoPruv& w, Cenario& c, const TPedidoGeracao& pedido)
    {
        const TResultadoGeracao resultado = w.Gera(c.Fonte, pedido);
        if (!resultado.Arquivo.isEmpty())
            arquivo = resultado.Arquivo;
        return resultado.Codigo;
    }
    std::uint8_t Gera(Cenario& c, const TVolume& volume, int registros = 10)
    {
        TPedidoGeracao pedido = Pedido(c, volume, registros);
        pedido.GaugeRegistros = &gaugeRegistros;
        pedido.GaugeCompactacao = &gaugeCompactacao;
        return Gera(writer, c, pedido);
    }
    std::uint8_t Gera(Cenario& c) { return Gera(c, fixo); }

    QString base = ProgramaDeTeste::Pasta() + QStringLiteral("/base");
    TVolume fixo{base, base, TVolume::TTipo::Fixo};
    DialogosRoteirizados dialogos;
    AtividadeRegistrada atividade;
    ProgressoRegistrado gaugeRegistros;
    ProgressoRegistrado gaugeCompactacao;
    TArquivoPruv writer;
    QString arquivo;
    bool cancelado = false;
};

}   // namespace

TEST_F(TArquivoPruvTest, WritesTheGoldenTextAndReceiptDataAndPacksThemWhereTheVolumeSays)
{
    const QString pendrive = ProgramaDeTeste::Pasta() + QStringLiteral("/PEN");
    QDir().mkpath(pendrive);
    const TVolume removivel{pendrive, QStringLiteral("PEN"), TVolume::TTipo::Removivel};
    const struct {
        const char* ouro;
        Cenario (*cenario)();
        bool removivel;
        const char* dec;   // under the volume's root
    } casos[] = {
        {"pf-original", PessoaFisica, false,
         "Declaracoes Gravadas XEQ/Pruv2003/11144477735/2002/11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec"},
        {"pj-dois-estab", EmpresaDoisEstabelecimentos, false,
         "Declaracoes Gravadas XEQ/Pruv2003/11222333000181/2002/11222333000181-PRUV-2003-2002-ORIGI-NORMAL.dec"},
        {"retificadora", Retificadora, true, "99887766000105-PRUV-2003-2002-RETIF-EXTINCAO.dec"},
        {"administradora-fundos", AdministradoraDeFundos, false,
         "Declaracoes Gravadas XEQ/Pruv2003/33445566000186/2002/33445566000186-PRUV-2003-2002-ORIGI-NORMAL.dec"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.ouro);
        Cenario c = caso.cenario();
        TArquivoPruv novo;   // a run of its own, as the assistant makes it
        novo.DefineRelogio([] { return QDateTime(QDate(2003, 3, 14), QTime(10, 30)); });
        TPedidoGeracao pedido = Pedido(c, caso.removivel ? removivel : fixo);
        pedido.GaugeCompactacao = &gaugeCompactacao;
        ASSERT_EQ(Gera(novo, c, pedido), R::Ok);
        ConfereComOuro(Declar(), (std::string(caso.ouro) + ".txt").c_str());
        ConfereComOuro(TPastas::Dados() + QStringLiteral("/Recibo.ini"), (std::string(caso.ouro) + ".ini").c_str());

        const QString dec = QDir(caso.removivel ? pendrive : base).filePath(QString::fromLatin1(caso.dec));
        EXPECT_EQ(arquivo, dec);
        EXPECT_TRUE(QFileInfo::exists(dec));
        EXPECT_FALSE(QFileInfo::exists(dec + QStringLiteral(".tmp")));

        // The CRC is zlib's over every byte after the header line.
        const QByteArray texto = Le(Declar());
        const QByteArray corpo = texto.mid(texto.indexOf('\n') + 1);
        EXPECT_EQ(novo.Crc(), crc32(0, reinterpret_cast<const Bytef*>(corpo.data()), static_cast<uInt>(corpo.size())));

        // Every establishment written records its generation, then its volume.
        QStringList esperado;
        for (const QString& chave : c.Chaves) {
            const QString ni = chave.mid(4) + CalculaDV(chave.mid(4));
            esperado << QStringLiteral("geracao 2002 %1 %2 2003-03-14T10:30:00 %3")
                            .arg(ni,
                                 ni.left(ni.size() == 11 ? 9 : 8)
                                     + (ni.size() == 11 ? QString() : QStringLiteral("0001")),
                                 QString::number(c.Chaves.size()));
        }
        for (const QString& chave : c.Chaves)
            esperado << QStringLiteral("volumes 2002 %1 1").arg(chave.mid(4) + CalculaDV(chave.mid(4)));
        EXPECT_EQ(c.Fonte.Registros, esperado);
        EXPECT_EQ(gaugeCompactacao.Posicao(), 100);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

TEST_F(TArquivoPruvTest, RefusesWhenTheExpectedLinesDoNotFitTheFreeSpace)
{
    // Capacity: (free - 102400) / 730 lines, truncated.
    const struct {
        qint64 livre;
        int registros;
        std::uint8_t resultado;
    } casos[] = {
        {102400, 0, R::SemEspaco},                     // no room at all
        {102400 + 730 * 20 + 729, 20, R::SemEspaco},   // exactly the capacity
        {102400 + 730 * 20, 19, R::Ok},                // one fewer
        {-1, 0, R::SemEspaco},                         // the volume cannot tell
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.livre);
        Cenario cenario = PessoaFisica();
        TEspacoEmDisco::Simulacao espaco(c.livre);
        EXPECT_EQ(Gera(cenario, fixo, c.registros), c.resultado);
        EXPECT_EQ(QFileInfo::exists(Declar()), c.resultado == R::Ok);
        QFile::remove(Declar());
    }
}

TEST_F(TArquivoPruvTest, LinesBeyondTheCapacityStopTheRunAndDeleteTheText)
{
    Cenario c = PessoaFisica();
    TEspacoEmDisco::Simulacao espaco(102400 + 730 * 4);   // room for 4 lines; 8 are needed
    EXPECT_EQ(Gera(c, fixo, 0), R::ErroGravacao);
    EXPECT_FALSE(QFileInfo::exists(Declar()));
    EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral("/Declaracoes Gravadas XEQ")));
    EXPECT_TRUE(c.Fonte.Registros.isEmpty());
}

TEST_F(TArquivoPruvTest, ItemsOutOfOrderEndTheRunWith153)
{
    // Declaration items: the same beneficiary twice under one code.
    Cenario pf = PessoaFisica();
    pf.Fonte.Declaracoes[0].Itens.insert(pf.Fonte.Declaracoes[0].Itens.begin() + 1, pf.Fonte.Declaracoes[0].Itens[0]);
    QFile::remove(Declar());
    Grava(Declar(), "an earlier text");
    EXPECT_EQ(Gera(pf), R::ForaDeOrdem);
    EXPECT_FALSE(QFileInfo::exists(Declar()));
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_TRUE(pf.Fonte.Registros.isEmpty());
    EXPECT_FALSE(TIniFile(TPastas::Dados() + QStringLiteral("/Recibo.ini"))
                     .ValueExists(QStringLiteral("Declaracao"), QStringLiteral("DT_GERACAO")));

    // Annex items: the user reads both keys with the failure, in the run's one text.
    Cenario fundos = AdministradoraDeFundos();
    auto& itens = fundos.Fonte.Declaracoes[0].Anexos[0].second;
    std::swap(itens[0], itens[1]);
    TArquivoPruv outro;
    TPedidoGeracao pedido = Pedido(fundos, fixo);
    pedido.NumeroRecibo.clear();
    const TResultadoGeracao resultado = outro.Gera(fundos.Fonte, pedido);
    EXPECT_EQ(resultado.Codigo, R::ForaDeOrdem);
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_TRUE(resultado.Texto.startsWith(TErro::Mensagem(R::ForaDeOrdem)));
    EXPECT_EQ(resultado.Texto.section(QStringLiteral("\n\n"), 1),
              QStringLiteral("55667788000186"
                             "6800"
                             "1"
                             "00098765432100"
                             "0"
                             "    -    "
                             "55667788000186"
                             "6800"
                             "1"
                             "00012345678909"
                             "0"));
}

TEST_F(TArquivoPruvTest, AnExistingDeliveryFileIsReplacedOnlyWhenTheUserSaysSo)
{
    Cenario c = PessoaFisica();
    ASSERT_EQ(Gera(c), R::Ok);
    const QString dec = arquivo;
    Grava(dec, "the delivery of an earlier run");

    dialogos.Responde(Resposta::Nao);
    EXPECT_EQ(Gera(c), R::Recusado);
    EXPECT_EQ(Le(dec), "the delivery of an earlier run");
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Esta declaração já foi gravada, deseja sobrescrevê-la?")});

    dialogos.Responde(Resposta::Sim);
    EXPECT_EQ(Gera(c), R::Ok);
    EXPECT_TRUE(Le(dec).startsWith("PRUV    2003"));
}

// A run into a folder first takes back what a run killed there left: an earlier delivery file
// kept aside goes back to its place (and the overwrite question is then asked about it), the
// packing's temporaries go; files of other names, the user's, stay as they are.
TEST_F(TArquivoPruvTest, ARunTakesBackWhatAKilledRunLeftInItsFolderAndNothingElse)
{
    const QString pendrive = ProgramaDeTeste::Pasta() + QStringLiteral("/PEN");
    const TVolume removivel{pendrive, QStringLiteral("PEN"), TVolume::TTipo::Removivel};
    const QString dec = QStringLiteral("99887766000105-PRUV-2003-2002-RETIF-EXTINCAO.dec");
    const QString outra = QStringLiteral("11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec");
    const QStringList doUsuario{QStringLiteral(".notas.dec.anterior"), QStringLiteral(".planilha.anterior"),
                                QStringLiteral("copia.dec.tmp"), QStringLiteral("notas.tmp"),
                                outra + QStringLiteral(".bak")};
    for (const QString& nome : doUsuario)
        Grava(pendrive + QLatin1Char('/') + nome, "the user's");
    Grava(pendrive + QStringLiteral("/.") + dec + QStringLiteral(".anterior"), "the delivery of an earlier run");
    Grava(pendrive + QLatin1Char('/') + dec + QStringLiteral(".tmp"), "half a packing");
    Grava(pendrive + QLatin1Char('/') + outra + QStringLiteral(".tmp"), "another packing");
    Grava(pendrive + QStringLiteral("/.") + outra + QStringLiteral(".novo-AbC123"), "half a write");

    Cenario c = Retificadora();
    dialogos.Responde(Resposta::Nao);
    EXPECT_EQ(Gera(c, removivel), R::Recusado);
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Esta declaração já foi gravada, deseja sobrescrevê-la?")});
    EXPECT_EQ(Le(pendrive + QLatin1Char('/') + dec), "the delivery of an earlier run");
    QStringList esperados = doUsuario + QStringList{dec};
    esperados.sort();
    EXPECT_EQ(QDir(pendrive).entryList(QDir::Files | QDir::Hidden, QDir::Name), esperados);
    for (const QString& nome : doUsuario)
        EXPECT_EQ(Le(pendrive + QLatin1Char('/') + nome), "the user's") << nome.toStdString();
}

// The caller that asks in its own way gets the question, and nothing reaches the dialogs; the
// path comes back once the run named it, also when the answer refuses the writing.
TEST_F(TArquivoPruvTest, TheOverwriteQuestionGoesToTheRequestsOwnWayOfAsking)
{
    Cenario c = PessoaFisica();
    ASSERT_EQ(Gera(c), R::Ok);
    const QString dec = arquivo;
    const struct {
        Resposta resposta;
        std::uint8_t codigo;
        bool substituido;
    } casos[] = {
        {Resposta::Nao, R::Recusado, false},
        {Resposta::Sim, R::Ok, true},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(static_cast<int>(caso.resposta));
        Grava(dec, "the delivery of an earlier run");
        std::vector<TMensagemDialogo> perguntas;
        TPedidoGeracao pedido = Pedido(c, fixo);
        pedido.Pergunta = [&](const QString& texto, TipoDialogo tipo, std::uint16_t botoes) {
            perguntas.push_back({texto, tipo, botoes});
            return caso.resposta;
        };
        const TResultadoGeracao resultado = writer.Gera(c.Fonte, pedido);
        EXPECT_EQ(resultado.Codigo, caso.codigo);
        EXPECT_EQ(resultado.Arquivo, dec);
        ASSERT_EQ(perguntas.size(), 1u);
        EXPECT_EQ(perguntas[0].Texto, QStringLiteral("Esta declaração já foi gravada, deseja sobrescrevê-la?"));
        EXPECT_EQ(perguntas[0].Tipo, TipoDialogo::Confirmacao);
        EXPECT_EQ(perguntas[0].Botoes, Botao::Sim | Botao::Nao);
        EXPECT_EQ(Le(dec).startsWith("PRUV    2003"), caso.substituido);
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());

    // Stopped before the file was named: no path.
    TEspacoEmDisco::Simulacao espaco(102400);
    const TResultadoGeracao semEspaco = writer.Gera(c.Fonte, Pedido(c, fixo));
    EXPECT_EQ(semEspaco.Codigo, R::SemEspaco);
    EXPECT_TRUE(semEspaco.Arquivo.isEmpty());
}

TEST_F(TArquivoPruvTest, AReceiptFileBesideTheTargetGives156WhateverTheAnswer)
{
    Cenario c = PessoaFisica();
    ASSERT_EQ(Gera(c), R::Ok);
    const QString dec = arquivo;
    const QByteArray antes = Le(dec);
    Grava(dec.left(dec.size() - 3) + QStringLiteral("REC"), "receipt");
    for (const Resposta resposta : {Resposta::Sim, Resposta::Nao}) {
        dialogos.Responde(resposta);
        EXPECT_EQ(Gera(c), R::ReciboExiste);
        EXPECT_EQ(Le(dec), antes);
    }
}

TEST_F(TArquivoPruvTest, ACancelKeepsTheTextAsFarAsWrittenAndRecordsNothing)
{
    Cenario c = PessoaFisica();
    c.Fonte.AoLerItem = [this](int lidos) { cancelado = lidos == 2; };
    EXPECT_EQ(Gera(c), R::FalhaCompactacao);
    const QList<QByteArray> linhas = Le(Declar()).split('\n');
    EXPECT_EQ(linhas.size(), 5);   // header, type 1, the first item and its code's total, then the last line end
    EXPECT_TRUE(c.Fonte.Registros.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral("/Declaracoes Gravadas XEQ")));
}

// The receipt data of a fund administrator is committed a fixed number of times, however many
// funds it lists: one commit a fund would rewrite (and sync) the whole file once a fund.
TEST_F(TArquivoPruvTest, TheReceiptDataIsCommittedAsOftenForFiftyFundsAsForFiveHundred)
{
    const auto commits = [this](int fundos) {
        Cenario c = AdministradoraDeFundos();
        auto& anexos = c.Fonte.Declaracoes[0].Anexos;
        const auto modelo = anexos[0].second.front();
        anexos.clear();
        for (int f = 0; f < fundos; ++f) {
            const QString raiz = QStringLiteral("%1").arg(20000000 + f, 8, 10, QLatin1Char('0'))
                + QStringLiteral("0001");
            const QString cnpj = raiz + CalculaDV(raiz);
            anexos.push_back({{QStringLiteral("%1").arg(f + 1, 5, 10, QLatin1Char('0')), cnpj, FormataCnpj(cnpj), false,
                               QStringLiteral("Fundo ") + QString::number(f)},
                              {modelo}});
        }
        int feitos = 0;
        TFalhasDeArquivo::Instala([&feitos](TFalhasDeArquivo::Operacao operacao, const QString& caminho) {
            if (operacao == TFalhasDeArquivo::Renomeacao && caminho.endsWith(QLatin1String("/Recibo.ini")))
                ++feitos;
            return TFalhasDeArquivo::Efeito::Nenhum;
        });
        TArquivoPruv outro;
        const std::uint8_t codigo = Gera(outro, c, Pedido(c, fixo, fundos * 3 + 10));
        TFalhasDeArquivo::Instala({});
        EXPECT_EQ(codigo, R::Ok);
        EXPECT_EQ(TIniFile(TPastas::Dados() + QStringLiteral("/Recibo.ini"))
                      .ReadString(QStringLiteral("Anexos"), QStringLiteral("CNPJ") + QString::number(fundos), {}),
                  anexos.back().first.NiFormatado);
        QFile::remove(arquivo);
        return feitos;
    };
    const int cinquenta = commits(50);
    EXPECT_EQ(commits(500), cinquenta);
    EXPECT_LE(cinquenta, 3);
}

TEST_F(TArquivoPruvTest, ACrcThatDiffersFromThePackingsRemovesTheNewFileAndKeepsTheOld)
{
    Cenario c = PessoaFisica();
    ASSERT_EQ(Gera(c), R::Ok);
    const QString dec = arquivo;
    Grava(dec, "a good earlier delivery");
    // The text changes between the writing and the packing.
    c.Fonte.AoRegistrarGeracao = [] {
        QFile texto(Declar());
        ASSERT_TRUE(texto.open(QIODevice::Append));
        texto.write("X");
    };
    dialogos.Responde(Resposta::Sim);
    const TResultadoGeracao resultado = writer.Gera(c.Fonte, Pedido(c, fixo));
    EXPECT_EQ(resultado.Codigo, R::FalhaCompactacao);
    EXPECT_EQ(resultado.Texto, QStringLiteral("ERRO: crc diferente"));
    EXPECT_EQ(dialogos.Textos(), QStringList{QStringLiteral("Esta declaração já foi gravada, deseja sobrescrevê-la?")});
    EXPECT_EQ(Le(dec), "a good earlier delivery");
    EXPECT_EQ(QDir(QFileInfo(dec).path()).entryList(QDir::Files), QStringList{QFileInfo(dec).fileName()});
}

// Every write of the program's own files under a folder fails as a full disk would, while it lives.
class DiscoCheioEm {
public:
    explicit DiscoCheioEm(const QString& pasta)
    {
        TFalhasDeArquivo::Instala([pasta](TFalhasDeArquivo::Operacao operacao, const QString& caminho) {
            const unsigned escritas = TFalhasDeArquivo::Escrita | TFalhasDeArquivo::Descarga
                | TFalhasDeArquivo::Sincronia;
            return (operacao & escritas) && caminho.startsWith(pasta + QLatin1Char('/'))
                ? TFalhasDeArquivo::Efeito::DiscoCheio
                : TFalhasDeArquivo::Efeito::Nenhum;
        });
    }
    ~DiscoCheioEm() { TFalhasDeArquivo::Instala({}); }
    DiscoCheioEm(const DiscoCheioEm&) = delete;
    DiscoCheioEm& operator=(const DiscoCheioEm&) = delete;
};

// Runs acao in a child process as a user who may write the program folder but not the delivery
// folder nor the volume's base (the tests run as root): what it hands back, written to a file.
QString ComoOutroUsuario(const QString& base, const std::function<QString()>& acao)
{
    const QString saida = ProgramaDeTeste::Pasta() + QStringLiteral("/saida-do-filho");
    QFile::remove(saida);
    for (QDirIterator it(ProgramaDeTeste::Pasta(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString caminho = it.next();
        const bool daEntrega = caminho == base || caminho.startsWith(base + QLatin1Char('/'));
        if (::lchown(QFile::encodeName(caminho).constData(), daEntrega ? 0 : 65534, daEntrega ? 0 : 65534) != 0)
            return QStringLiteral("<chown failed>");
    }
    if (::chown(QFile::encodeName(ProgramaDeTeste::Pasta()).constData(), 65534, 65534) != 0)
        return QStringLiteral("<chown failed>");
    const int filho = NoProcessoLimitado(
        [&] {
            QFile arquivo(saida);
            return arquivo.open(QIODevice::WriteOnly) && arquivo.write(acao().toUtf8()) >= 0 && arquivo.flush() ? 0
                                                                                                                : 101;
        },
        65534, 022, 60);
    if (filho != 0)
        return QStringLiteral("<the child failed: %1>").arg(filho);
    QFile arquivo(saida);
    return arquivo.open(QIODevice::ReadOnly) ? QString::fromUtf8(arquivo.readAll()) : QStringLiteral("<no output>");
}

// A delivery that its folder, its volume or the program's temporary folder refuses is told once,
// in the words of what refused it and naming that folder, not as a failure of the packing; the
// earlier delivery file stays as it was and nothing is left beside it.
TEST_F(TArquivoPruvTest, AFolderThatRefusesTheDeliveryIsToldInTheWordsOfItsCause)
{
    enum class Falha { PastaCheia, TemporariaCheia, PastaSemPermissao, BaseSemPermissao };
    const struct {
        const char* caso;
        Falha falha;
        const char* motivo;
    } casos[] = {
        {"the delivery folder's disk is full", Falha::PastaCheia, "o disco está cheio"},
        {"the program's temporary folder's disk is full", Falha::TemporariaCheia, "o disco está cheio"},
        {"the delivery folder takes no writes of this user", Falha::PastaSemPermissao,
         "o acesso à pasta ou ao arquivo foi negado"},
        {"the volume takes no new folder of this user", Falha::BaseSemPermissao,
         "o acesso à pasta ou ao arquivo foi negado"},
    };
    // The cases of another user need a program folder that user can reach.
    const QString semOutro = ProgramaDeTeste::AbreAOutroUsuario(65534);
    if (semOutro.isEmpty()) {
        base = ProgramaDeTeste::Pasta() + QStringLiteral("/base");
        fixo = TVolume{base, base, TVolume::TTipo::Fixo};
        ASSERT_TRUE(TPastas::Cria());
        TVolumes::DefinePastaBase(base);
    }
    const QString compactacao = TErro::Mensagem(CodigoMensagem::FalhaNaCompactacao);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        if (c.falha != Falha::PastaCheia && c.falha != Falha::TemporariaCheia && !semOutro.isEmpty())
            continue;
        QDir(base).removeRecursively();
        Cenario cenario = PessoaFisica();
        ASSERT_EQ(Gera(cenario), R::Ok);
        const QString dec = arquivo;
        Grava(dec, "the delivery of an earlier run");
        QString pasta = QFileInfo(dec).path();
        if (c.falha == Falha::BaseSemPermissao) {
            QDir(base).removeRecursively();
            QDir().mkpath(base);
        }
        if (c.falha == Falha::TemporariaCheia)
            pasta = TPastas::Temporaria();
        dialogos.Limpa();
        dialogos.Responde(Resposta::Sim);   // over the earlier file
        QString visto;
        if (c.falha == Falha::PastaCheia || c.falha == Falha::TemporariaCheia) {
            const DiscoCheioEm cheio(pasta);
            const TResultadoGeracao r = writer.Gera(cenario.Fonte, Pedido(cenario, fixo));
            EXPECT_NE(r.Codigo, R::Ok);
            EXPECT_TRUE(r.Avisos.isEmpty());
            visto = r.TextoDaFalha();
        } else {
            visto = ComoOutroUsuario(base, [&] {
                const TResultadoGeracao r = writer.Gera(cenario.Fonte, Pedido(cenario, fixo));
                return r.Codigo == R::Ok || !r.Avisos.isEmpty() ? QStringLiteral("<not refused once>")
                                                                : r.TextoDaFalha();
            });
        }
        EXPECT_TRUE(visto.contains(QString::fromUtf8(c.motivo))) << visto.toStdString();
        EXPECT_TRUE(visto.contains(QDir::toNativeSeparators(pasta))) << visto.toStdString();
        EXPECT_FALSE(visto.contains(compactacao)) << visto.toStdString();
        if (c.falha != Falha::BaseSemPermissao) {
            EXPECT_EQ(Le(dec), "the delivery of an earlier run");
            EXPECT_EQ(QDir(QFileInfo(dec).path()).entryList(QDir::Files | QDir::Hidden),
                      QStringList{QFileInfo(dec).fileName()});
        }
    }
    if (!semOutro.isEmpty())
        GTEST_SKIP() << "the cases of another user not tried: " << semOutro.toStdString();
}

TEST_F(TArquivoPruvTest, AnErrorOfAStoredDeclarationIsToldAndStopsBeforeThePacking)
{
    Cenario c = EmpresaDoisEstabelecimentos();
    c.Fonte.ErrosGeracao[QStringLiteral("11222333000181")] = 67;
    const TResultadoGeracao resultado = writer.Gera(c.Fonte, Pedido(c, fixo));
    EXPECT_EQ(resultado.Codigo, 67);
    EXPECT_FALSE(resultado.Texto.isEmpty());
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_EQ(c.Fonte.Registros.size(), 2);   // both establishments recorded all the same
    EXPECT_TRUE(c.Fonte.Registros.filter(QStringLiteral("volumes")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(base + QStringLiteral("/Declaracoes Gravadas XEQ")));
}

namespace {

QByteArray Hash(const QByteArray& bytes)
{
    return bytes.isEmpty() ? QByteArray() : QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

// A mark as the writer leaves it: the declaration, the date recorded with the new file and what
// that file holds, then the date before the run and what the earlier file held (none: there was
// no earlier file).
QByteArray MarcaDe(const char* data, const QByteArray& novo, const char* anterior, const QByteArray& earlier)
{
    return TRecuperacaoEntrega::Marca(QStringLiteral("2002"), QStringLiteral("11144477735"),
                                      QByteArray(data).toDouble(), Hash(novo), QByteArray(anterior).toDouble(),
                                      Hash(earlier));
}

// Everything beside the delivery file lugar, its name written "D.dec".
QString Listagem(const QString& lugar)
{
    return QDir(QFileInfo(lugar).path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)
        .join(QLatin1Char(' '))
        .replace(QFileInfo(lugar).fileName(), QStringLiteral("D.dec"));
}

// A mark as an earlier build left it: the same, without the format's version and never with a
// companion.
QByteArray MarcaAntiga(const char* data, const QByteArray& novo, const char* anterior, const QByteArray& earlier)
{
    return "2002\n11144477735\n" + QByteArray(data) + '\n' + Hash(novo) + '\n' + anterior + '\n' + Hash(earlier);
}

}   // namespace

// What a killed or unfinished run left beside a delivery file, and what the database says: a
// file goes only when the database holds the date of the one that stays and the other is the
// one it replaced, and never the new one of a run that committed (its mark without its
// companion); in every other case both stay, the earlier one under a name a person sees, and
// the user is told once. A run that found no earlier file and never committed leaves no file
// under the delivery's name, and the user is told. A special file under the earlier file's name
// moves nowhere, and is told at every start while it stands.
TEST_F(TArquivoPruvTest, TheRecoveryDeletesADeliveryFileOnlyWhenTheDatabaseNamesTheOther)
{
    const QByteArray earlier = "the earlier delivery", novo = "the new delivery";
    const QByteArray marca = MarcaDe("14", novo, "13", earlier);
    const QByteArray primeira = MarcaDe("14", novo, "13", QByteArray());
    const QByteArray antiga = MarcaAntiga("14", novo, "13", earlier);
    // A delivery the data restored do not know was confirmed; a special file no recovery moves.
    const char* const Anteriores = "Os dados restaurados são anteriores";
    const char* const Especial = "há um arquivo especial (fila, soquete ou dispositivo)";
    const struct {
        const char* caso;
        const char* aparte;           // the earlier file aside
        const char* lugar;            // the file at the place
        QByteArray marca;             // "-" none; "dir" one that cannot be read
        bool pendente;                // the mark's companion: its run did not commit
        std::optional<double> data;   // the database's date; -1 it cannot be read
        const char* ficam;            // the folder afterwards
        const char* conteudo;         // the place afterwards
        bool avisa;
        const char* diz = nullptr;   // what the text says, when it matters
        bool deNovo = false;         // told again at the next start: what it tells is still there
    } casos[] = {
        {"killed before the commit", "earlier", "new", marca, true, 13, "D.dec", "earlier", false},
        {"killed at the commit", "earlier", "new", marca, true, 14, "D.dec", "new", false},
        {"killed after the commit", "earlier", "new", marca, false, 14, "D.dec", "new", false},
        {"a mark its run could not remove", nullptr, "new", marca, false, 14, "D.dec", "new", false},
        {"a backup from before the delivery restored", nullptr, "new", marca, false, 13, "D.dec", "new", true,
         Anteriores},
        {"a backup from between two deliveries restored after a failed removal", "earlier", "new", marca, false, 13,
         "D.dec D.dec.anterior", "new", true, Anteriores},
        {"an older backup restored, the earlier aside", "earlier", "new", marca, false, 12, "D.dec D.dec.anterior",
         "new", true, Anteriores},
        {"database missing or new", "earlier", "new", marca, true, std::nullopt, "D.dec D.dec.anterior", "new", true},
        {"database unreadable", "earlier", "new", marca, true, -1, "D.dec D.dec.anterior", "new", true},
        {"a mark that cannot be read", "earlier", "new", "dir", false, 14, ".D.dec.marca D.dec D.dec.anterior", "new",
         true},
        {"a file set aside with no mark", "earlier", "new", "-", false, 14, "D.dec D.dec.anterior", "new", true},
        {"a mark of another writer", "earlier", "new", "2002\n11144477735\n14", true, 14, "D.dec D.dec.anterior", "new",
         true},
        {"the place holds another file", "earlier", "the user's copy", marca, true, 14, "D.dec D.dec.anterior",
         "the user's copy", true},
        {"the aside holds another file", "another", "new", marca, true, 13, "D.dec D.dec.anterior", "new", true},
        {"the earlier file alone", "earlier", nullptr, marca, true, 14, "D.dec", "earlier", false},
        {"a first delivery killed before the commit", nullptr, "new", primeira, true, 13, "", "", true},
        {"a first delivery killed at the commit", nullptr, "new", primeira, true, 14, "D.dec", "new", false},
        {"a first delivery, a backup from before it restored", nullptr, "new", primeira, false, 13, "D.dec", "new",
         true, Anteriores},
        {"a first delivery, the database new", nullptr, "new", primeira, true, std::nullopt, "D.dec", "new", true},
        {"a companion left alone", nullptr, "new", "-", true, 13, "D.dec", "new", false},
        {"an earlier build's mark, killed before the commit", "earlier", "new", antiga, false, 13, "D.dec", "earlier",
         false},
        {"an earlier build's mark, the earlier file gone", nullptr, "new", antiga, false, 13, "D.dec", "new", true},
        {"a fifo under the earlier file's name, nothing at the place", "fifo", nullptr, marca, true, 13,
         ".D.dec.anterior .D.dec.marca .D.dec.pendente", "", true, Especial, true},
        {"a fifo under the earlier file's name, the new file at the place", "fifo", "new", marca, true, 13,
         ".D.dec.anterior .D.dec.marca .D.dec.pendente D.dec", "new", true, Especial, true},
    };
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/entrega");
    const QString lugar = pasta + QStringLiteral("/11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec");
    const auto conteudo = [&](const char* c) {
        return QByteArray(c) == "earlier" ? earlier : QByteArray(c) == "new" ? novo : QByteArray(c);
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(pasta).removeRecursively();
        QDir().mkpath(pasta);
        const QString nomeMarca = TSubstituicao::NomeMarca(lugar);
        if (QByteArray(c.aparte) == "fifo") {
            ASSERT_EQ(::mkfifo(QFile::encodeName(TSubstituicao::NomeAparte(lugar)).constData(), 0644), 0);
        } else if (c.aparte) {
            Grava(TSubstituicao::NomeAparte(lugar), conteudo(c.aparte));
        }
        if (c.lugar)
            Grava(lugar, conteudo(c.lugar));
        if (c.marca == "dir")
            QDir().mkpath(nomeMarca);
        else if (c.marca != "-")
            Grava(nomeMarca, c.marca);
        if (c.pendente)
            Grava(TSubstituicao::NomePendente(lugar), QByteArray());
        TRecuperacaoEntrega::DefineRegistro([&c](const QString& ano, const QString& ni) -> std::optional<double> {
            EXPECT_EQ(ano + ni, QStringLiteral("200211144477735"));
            if (c.data == -1)
                throw std::runtime_error("disk I/O error");
            return c.data;
        });
        const QStringList textos = TRecuperacaoEntrega::Recupera(pasta);
        EXPECT_EQ(Listagem(lugar), QLatin1String(c.ficam));
        EXPECT_EQ(Le(lugar), conteudo(c.conteudo));
        if (QString::fromLatin1(c.ficam).split(QLatin1Char(' ')).contains(QLatin1String("D.dec.anterior"))) {
            EXPECT_EQ(Le(lugar + QStringLiteral(".anterior")), conteudo(c.aparte));
        }
        EXPECT_EQ(textos.size(), c.avisa ? 1 : 0) << textos.join(QLatin1Char('\n')).toStdString();
        if (c.diz && !textos.isEmpty()) {
            EXPECT_TRUE(textos.front().contains(QString::fromUtf8(c.diz))) << textos.front().toStdString();
        }
        // Told once: a second start finds nothing more to decide.
        EXPECT_EQ(TRecuperacaoEntrega::Recupera(pasta).size(), c.deNovo ? 1 : 0);
        TRecuperacaoEntrega::DefineRegistro({});
    }
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

// A run that committed but could not remove its mark's companion has its commit recorded away
// from the folder (the data folder's, which no restore rolls back): the companion then never reads
// as a run that did not commit. A record that cannot be read may be either, and keeps both files.
TEST_F(TArquivoPruvTest, ACommitRecordedAwayFromTheFolderOutweighsTheCompanionLeftBehind)
{
    const QByteArray earlier = "the earlier delivery", novo = "the new delivery";
    const QByteArray marca = MarcaDe("14", novo, "13", earlier);
    const QByteArray primeira = MarcaDe("14", novo, "13", QByteArray());
    enum class Registro { Nenhum, Gravado, Ilegivel };
    const struct {
        const char* caso;
        const char* aparte;   // the earlier file aside
        QByteArray marca;
        Registro registro;
        double data;            // the database's date
        const char* ficam;      // the folder afterwards
        const char* conteudo;   // the place afterwards
        bool avisa;
    } casos[] = {
        {"over an earlier file, a backup from between the deliveries restored", "earlier", marca, Registro::Gravado, 13,
         "D.dec D.dec.anterior", "new", true},
        {"over an earlier file, the database holding the new date", "earlier", marca, Registro::Gravado, 14, "D.dec",
         "new", false},
        {"a first delivery, a backup from before it restored", nullptr, primeira, Registro::Gravado, 13, "D.dec", "new",
         true},
        {"over an earlier file, the record unreadable", "earlier", marca, Registro::Ilegivel, 13,
         "D.dec D.dec.anterior", "new", true},
        {"a first delivery, the record unreadable", nullptr, primeira, Registro::Ilegivel, 13, "D.dec", "new", true},
        {"over an earlier file, no record: killed before the commit", "earlier", marca, Registro::Nenhum, 13, "D.dec",
         "earlier", false},
    };
    const QString pasta = ProgramaDeTeste::Pasta() + QStringLiteral("/entrega");
    const QString lugar = pasta + QStringLiteral("/11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec");
    const QString registros = TRecuperacaoEntrega::PastaConfirmacoes();
    const auto conteudo = [&](const char* c) { return QByteArray(c) == "earlier" ? earlier : novo; };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        QDir(pasta).removeRecursively();
        QDir(registros).removeRecursively();
        QFile::remove(registros);
        QDir().mkpath(pasta);
        if (c.aparte)
            Grava(TSubstituicao::NomeAparte(lugar), conteudo(c.aparte));
        Grava(lugar, novo);
        Grava(TSubstituicao::NomeMarca(lugar), c.marca);
        Grava(TSubstituicao::NomePendente(lugar), QByteArray());
        QString erro;
        if (c.registro == Registro::Gravado) {
            ASSERT_TRUE(TConfirmacoes(registros).Registra(lugar, c.marca, erro)) << erro.toStdString();
        } else if (c.registro == Registro::Ilegivel) {
            Grava(registros, "a file where the folder should be");
        }
        TRecuperacaoEntrega::DefineRegistro([&c](const QString&, const QString&) { return std::optional(c.data); });
        const QStringList textos = TRecuperacaoEntrega::Recupera(pasta);
        EXPECT_EQ(Listagem(lugar), QLatin1String(c.ficam));
        EXPECT_EQ(Le(lugar), conteudo(c.conteudo));
        EXPECT_EQ(textos.size(), c.avisa ? 1 : 0) << textos.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(TRecuperacaoEntrega::Recupera(pasta).isEmpty());
        EXPECT_TRUE(QDir(registros).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "a record outlived its mark";
        TRecuperacaoEntrega::DefineRegistro({});
    }
    QFile::remove(registros);
    EXPECT_TRUE(dialogos.Mensagens().empty());
}

// A delivery onto a removable medium that a kill cut short is taken back at the next start when
// the medium is there, as one in the base folder is.
TEST_F(TArquivoPruvTest, TheStartRecoversADeliveryCutShortOnAMountedRemovableMedium)
{
    const QString pendrive = ProgramaDeTeste::Pasta() + QStringLiteral("/PEN");
    const TVolumes::Simulacao midias({TVolume{pendrive, QStringLiteral("PEN"), TVolume::TTipo::Removivel}});
    const QString lugar = pendrive + QStringLiteral("/11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec");
    Grava(pendrive + QStringLiteral("/.11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec.anterior"), "the earlier delivery");
    Grava(lugar, "the new delivery");
    Grava(pendrive + QStringLiteral("/.11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec.marca"),
          MarcaDe("14", "the new delivery", "13", "the earlier delivery"));
    Grava(TSubstituicao::NomePendente(lugar), QByteArray());
    TRecuperacaoEntrega::DefineRegistro([](const QString&, const QString&) { return std::optional<double>(13); });
    EXPECT_TRUE(TRecuperacaoEntrega::RecuperaPadrao().isEmpty());
    TRecuperacaoEntrega::DefineRegistro({});
    EXPECT_EQ(QDir(pendrive).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(lugar).fileName()});
    EXPECT_EQ(Le(lugar), "the earlier delivery");
}
