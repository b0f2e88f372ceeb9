// The guard over the program's own files: every write, flush, sync, rename and read that saving
// settings, importing (text and packed), backing up, restoring and writing the delivery file make
// under the program folder is failed in turn, as an I/O error, a full disk and a kill. Each trial
// must leave what it guards before or after, never half; report a failure as a failure and a
// success only with everything in place; and leave nothing behind once the next start (or the next
// run of the same command) has cleaned up.
//
// The same operations, and those whose files Qt writes for the program (a PDF, the registry file,
// a rich text saved as), are then failed below the program: at the C library's calls and at the
// database's own layer, counted in one sequence.
//
// The default run tries a sample of the call positions of each operation; the long run tries every
// one of them:  PRUV2003_FALHAS_TODAS=1 build/tests/app/test_falhas_arquivo
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLocalSocket>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QUuid>
#include <gtest/gtest.h>
#include <iostream>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FonteSimulada.h"
#include "assistants/backup/TFormAssistRestCopSeg.h"
#include "exchange/layout/LayoutDeclar.h"
#include "exchange/delivery/ResultadoEntrega.h"
#include "exchange/delivery/TArquivoPruv.h"
#include "exchange/delivery/TRecuperacaoEntrega.h"
#include "exchange/import/TImportacaoPruv.h"
#include "exchange/delivery/TRegistroTipo1.h"
#include "exchange/delivery/TRegistroTipo2.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/values/TArquivoIni.h"
#include "model/values/TErro.h"
#include "platform/compress/Compressao.h"
#include "platform/compress/ResultadoCompressao.h"
#include "platform/db/sqlite/TDatabase.h"
#include "components/controls/richtext/TdvCustomRichEdit.h"
#include "components/controls/richtext/TdvRichEditForm.h"
#include "platform/files/TPastaDeTrabalho.h"
#include "platform/files/TPastas.h"
#include "platform/files/TSubstituicao.h"
#include "platform/files/TVolumes.h"
#include "platform/report/pages/TPapel.h"
#include "platform/report/printing/TImpressaoPaginas.h"
#include "platform/report/printing/TImpressorasSistema.h"
#include "platform/ui/AtividadeRegistrada.h"
#include "platform/ui/DialogosRoteirizados.h"
#include "shell/backup/CopiaDeSeguranca.h"
#include "shell/backup/TFormCopSegAuto.h"
#include "shell/backup/TCopiaBanco.h"
#include "shell/common/TRegistroPruv.h"
#include "shell/window/TInstanciaUnica.h"
#include "shell/window/TPastaEmUso.h"
#include "support/FalhasDaBiblioteca.h"
#include "support/FalhasDeArquivo.h"
#include "support/FalhasDeDisco.h"
#include "support/ProcessoLimitado.h"
#include "support/ProgramaDeTeste.h"

namespace {

using FalhasDeArquivo::Efeito;
namespace R = ResultadoEntrega;
using S = TItemEntrega::TSerie;

// One operation under guard.
struct Operacao {
    std::function<void()> Prepara;      // puts the state before in place
    std::function<bool()> Executa;      // true when the operation reported success
    std::function<QString()> Estado;    // what must be before or after, never between
    std::function<QString()> Memoria;   // what the process itself holds, checked when it lives on
    bool LimpaNaProximaVez = false;     // what a killed run left goes at the next run of it
    // Told the user something: a run that got past a fault with what it guards in place must
    // still say what it could not do (an import's log not written).
    std::function<bool()> Avisou = {};
    // The texts the user was shown by the trial: all in Portuguese.
    std::function<QStringList()> Vistos = {};
};

// The English words of a text shown to the user (the engine's or the system's own words that
// reached a message): the common ones of a failure's reason, none of them a Portuguese word.
QStringList PalavrasInglesas(const QString& texto)
{
    static const QSet<QString> inglesas{
        QStringLiteral("the"),     QStringLiteral("of"),     QStringLiteral("is"),       QStringLiteral("was"),
        QStringLiteral("error"),   QStringLiteral("disk"),   QStringLiteral("database"), QStringLiteral("file"),
        QStringLiteral("cannot"),  QStringLiteral("not"),    QStringLiteral("failed"),   QStringLiteral("full"),
        QStringLiteral("written"), QStringLiteral("rolled"), QStringLiteral("nothing"),  QStringLiteral("until"),
        QStringLiteral("create"),  QStringLiteral("open"),   QStringLiteral("write"),    QStringLiteral("read"),
        QStringLiteral("unable"),  QStringLiteral("and"),    QStringLiteral("or"),       QStringLiteral("to"),
        QStringLiteral("in"),      QStringLiteral("on"),     QStringLiteral("such"),     QStringLiteral("space"),
        QStringLiteral("device"),  QStringLiteral("left"),   QStringLiteral("input"),    QStringLiteral("output"),
        QStringLiteral("denied"),  QStringLiteral("with"),   QStringLiteral("after"),
    };
    QStringList achadas;
    for (const QString& palavra : texto.split(QRegularExpression(QStringLiteral("[^\\p{L}]+")), Qt::SkipEmptyParts))
        if (inglesas.contains(palavra.toLower()))
            achadas << palavra;
    return achadas;
}

QSet<QString> Nomes(const QMap<QString, QByteArray>& arquivos)
{
    const QStringList chaves = arquivos.keys();
    return {chaves.begin(), chaves.end()};
}

// Tries the operation at each sampled call position with each kind of fault; returns the tally.
void Guarda(const char* nome, Operacao& op, unsigned operacoes = TFalhasDeArquivo::Todas,
            unsigned camadas = FalhasDeArquivo::Programa)
{
    const auto estado = [&](bool vivo) { return op.Estado() + (vivo && op.Memoria ? op.Memoria() : QString()); };
    // The run without a fault first: some tables and folders exist only once it has run, and
    // the state before is the one every later trial starts from.
    op.Prepara();
    bool ok = false;
    const int chamadas = FalhasDeArquivo::Conta(
        operacoes, [&] { ok = op.Executa(); }, camadas);
    ASSERT_TRUE(ok) << nome << ": the operation fails without a fault";
    ASSERT_GT(chamadas, 0) << nome;
    const QString depois = estado(true);
    const QString depoisArquivos = estado(false);
    const QSet<QString> nomesDepois = Nomes(FalhasDeArquivo::Arquivos(ProgramaDeTeste::Pasta()));
    op.Prepara();
    const QString antes = estado(true);
    const QString antesArquivos = estado(false);
    ASSERT_NE(antes, depois) << nome << ": the operation changes nothing the guard looks at";
    const QSet<QString> permitidos = nomesDepois + Nomes(FalhasDeArquivo::Arquivos(ProgramaDeTeste::Pasta()));

    int tentativas = 0, falhas = 0, sucessos = 0, absorvidas = 0, mortes = 0;
    // What the next start does: it removes what no running copy owns and opens the database,
    // whose first read rolls back a transaction that a killed run left open.
    const auto proximoInicio = [] {
        RemoveTrabalhosAbandonados();
        sqlite3_exec(TDatabase::DaPasta(TPastas::Dados())->Conexao(), "SELECT count(*) FROM sqlite_schema", nullptr,
                     nullptr, nullptr);
    };
    const auto confereSobras = [&](int k, const char* tipo) {
        if (op.LimpaNaProximaVez) {
            EXPECT_TRUE(op.Executa()) << "the next run after a fault";
        }
        QSet<QString> sobras = Nomes(FalhasDeArquivo::Arquivos(ProgramaDeTeste::Pasta())) - permitidos;
        // The logs of an import that failed are its report, not something left behind; the
        // database's journal is SQLite's own, rolled back or discarded by it (and guarded by the
        // database's fault layer).
        sobras.removeIf([](const QString& n) {
            return (n.startsWith(QLatin1String("DADOS/ErroImp/"))
                    && (n.endsWith(QLatin1String(".dsc")) || n.endsWith(QLatin1String(".txt"))))
                || n == QLatin1String("DADOS/") + TDatabase::NomeArquivo() + QLatin1String("-journal");
        });
        EXPECT_TRUE(sobras.isEmpty()) << nome << ", " << tipo << " at call " << k << ", left behind: "
                                      << QStringList(sobras.values()).join(QLatin1String(", ")).toStdString();
    };
    for (const int k : FalhasDeArquivo::Posicoes(chamadas)) {
        for (const Efeito efeito : {k % 2 ? Efeito::DiscoCheio : Efeito::ErroES, Efeito::Morte}) {
            const char* tipo = efeito == Efeito::Morte ? "kill"
                : efeito == Efeito::DiscoCheio         ? "full disk"
                                                       : "I/O error";
            SCOPED_TRACE(::testing::Message() << nome << ", " << tipo << " at call " << k << " of " << chamadas);
            op.Prepara();
            ++tentativas;
            if (efeito == Efeito::Morte) {
                if (!FalhasDeArquivo::MataNa(
                        k, operacoes, [&] { op.Executa(); }, camadas))
                    continue;
                ++mortes;
                proximoInicio();
                const QString agora = estado(false);
                EXPECT_TRUE(agora == antesArquivos || agora == depoisArquivos) << agora.toStdString();
            } else {
                bool sucesso = false;
                bool disparou = false;
                std::string disparada;
                {
                    // A full disk stays full: every later call of the kinds fails too.
                    FalhasDeArquivo::Armada armada({k, operacoes, efeito, efeito == Efeito::DiscoCheio, camadas});
                    try {
                        sucesso = op.Executa();
                    } catch (const std::exception&) {
                        // The program's errors reach the user as exceptions its handler shows.
                    }
                    disparou = FalhasDeArquivo::Disparou();
                    disparada = FalhasDeArquivo::Disparada().toStdString();
                }
                SCOPED_TRACE(disparada);
                if (!disparou)
                    continue;
                if (op.Vistos) {
                    for (const QString& texto : op.Vistos())
                        EXPECT_TRUE(PalavrasInglesas(texto).isEmpty()) << "shown in English: " << texto.toStdString();
                }
                const bool avisou = op.Avisou && op.Avisou();
                ++(!sucesso ? falhas : avisou ? sucessos : absorvidas);
                proximoInicio();
                const QString agora = estado(true);
                if (sucesso) {
                    EXPECT_EQ(agora.toStdString(), depois.toStdString())
                        << "reported success without everything in place";
                    // Below the program a library may take a failure in its stride (SQLite reads
                    // again what it could not read); at the program's own calls none goes untold.
                    EXPECT_TRUE(avisou || camadas != FalhasDeArquivo::Programa) << "a fault passed over in silence";
                } else
                    EXPECT_EQ(agora.toStdString(), antes.toStdString())
                        << "reported failure but changed what it guards";
            }
            confereSobras(k, tipo);
            if (::testing::Test::HasFailure())
                return;
        }
    }
    std::cout << "[guard] " << nome << ": " << chamadas << " calls, " << tentativas << " trials: " << falhas
              << " failed and reported, " << sucessos << " got past the fault and told it, " << absorvidas
              << " got past a fault the libraries below took, " << mortes << " killed\n";
}

// The same operation failed at the C library's calls and the database's own layer, counted in one
// sequence: what Qt and SQLite write for the program is failed too.
void GuardaAbaixo(const std::string& nome, Operacao& op)
{
    if (!FalhasDeArquivo::BibliotecaAlcancada()) {
        std::cout << "[guard] " << nome << ": the C library's calls are not reached in this build, not tried\n";
        return;
    }
    Guarda((nome + " (C library and database)").c_str(), op, TFalhasDeArquivo::Todas,
           FalhasDeArquivo::Biblioteca | FalhasDeArquivo::Banco);
}

// True when acao raised none of the program's errors.
bool SemErro(const std::function<void()>& acao)
{
    try {
        acao();
        return true;
    } catch (const TErro&) {
        return false;
    }
}

QByteArray Le(const QString& caminho)
{
    QFile arquivo(caminho);
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray("<none>");
}

void Grava(const QString& caminho, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(caminho).path());
    QFile arquivo(caminho);
    ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    arquivo.write(bytes);
}

// A PDF is whole when its cross-reference table, found from its end, points at each of its
// objects: a write lost anywhere moves them or cuts the table off.
bool PdfInteiro(const QByteArray& pdf)
{
    const qsizetype inicioDoFim = pdf.lastIndexOf("startxref");
    if (!pdf.startsWith("%PDF-") || inicioDoFim < 0 || !pdf.trimmed().endsWith("%%EOF"))
        return false;
    bool ok = false;
    const qsizetype tabela = pdf.mid(inicioDoFim + 9).trimmed().split('\n').front().trimmed().toLongLong(&ok);
    if (!ok || tabela <= 0 || tabela >= inicioDoFim || !pdf.mid(tabela).startsWith("xref"))
        return false;
    const QList<QByteArray> linhas = pdf.mid(tabela, inicioDoFim - tabela).split('\n');
    if (linhas.size() < 3)
        return false;
    long long objeto = linhas[1].split(' ').front().toLongLong();
    int achados = 0;
    for (qsizetype i = 2; i < linhas.size() && !linhas[i].startsWith("trailer"); ++i, ++objeto) {
        const QByteArray entrada = linhas[i].trimmed();
        if (!entrada.endsWith(" n"))
            continue;
        if (!pdf.mid(entrada.left(10).toLongLong()).startsWith(QByteArray::number(objeto) + " 0 obj"))
            return false;
        ++achados;
    }
    return achados > 0;
}

QString Banco()
{
    return TDatabase::DaPasta(TPastas::Dados())->Arquivo();
}

QStringList Tabelas(bool comLinhas)
{
    QStringList tabelas;
    for (const QString& bloco : FalhasDeDisco::Conteudo(Banco()).split(QLatin1Char('['), Qt::SkipEmptyParts)) {
        const QStringList linhas = bloco.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if ((linhas.size() > 1) == comLinhas)
            tabelas << linhas.front().chopped(1);
    }
    return tabelas;
}

// Empties every table but those that held rows from the start (the seeded codes), through the
// program's own connection.
void EsvaziaTabelas(const QStringList& semeadas)
{
    const auto banco = TDatabase::DaPasta(TPastas::Dados());
    for (const QString& tabela : Tabelas(true))
        if (!semeadas.contains(tabela))
            banco->Escreve(QStringLiteral("DELETE FROM \"%1\"").arg(tabela));
}

const QString Empresa = QStringLiteral("11222333000181");

TDeclaracaoEntrega Declarante()
{
    TDeclaracaoEntrega d;
    d.Ano = QStringLiteral("2002");
    d.Ni = Empresa;
    d.Nome = QStringLiteral("COMERCIO E FILHOS LTDA");
    return d;
}

// A file of the delivery layout: the declarant and its beneficiaries, with blank lines enough
// between them that it is read in more than one block.
QByteArray Linhas(bool comCabecalho)
{
    QByteArray texto;
    if (comCabecalho)
        texto += QByteArray("PRUV2003").leftJustified(730, ' ') + "\r\n";
    texto += TRegistroTipo1::Monta(1, Declarante(), QString(), QString()).Bytes() + "\r\n";
    const char* const nis[] = {"32165498791", "98765432100", "11144477735", "52998224725"};
    int sequencia = 2;
    for (const char* ni : nis) {
        const ItemSimulado item = std::move(
            ItemSimulado("0561", ni, "BENEFICIARIO").Em(S::Rendimento, 1, 12, 30000000));
        texto += TRegistroTipo2::Monta('2', sequencia++, LayoutDeclar::NiDaLinha(Empresa, false), item, 0).Bytes()
            + "\r\n";
        if (sequencia == 4)
            for (int i = 0; i < 600; ++i)
                texto += QByteArray(700, ' ') + "\r\n";
    }
    return texto;
}

// The delivery files of a test go to the folder "base" of the program folder, the fixed volume;
// what the test sets for deliveries (that folder, the recovery's record of generations) goes back
// to the defaults when it ends, however it ends: an assertion that returns early leaves the next
// test no changed state.
class PastaDeEntrega {
public:
    PastaDeEntrega()
        : Base(ProgramaDeTeste::Pasta() + QStringLiteral("/base"))
        , Fixo{Base, Base, TVolume::TTipo::Fixo}
    {
        TVolumes::DefinePastaBase(Base);
    }
    ~PastaDeEntrega()
    {
        TRecuperacaoEntrega::DefineRegistro({});
        TVolumes::DefinePastaBase(QString());
    }
    PastaDeEntrega(const PastaDeEntrega&) = delete;
    PastaDeEntrega& operator=(const PastaDeEntrega&) = delete;

    const QString Base;
    const TVolume Fixo;
};

// While in scope, no file under semRemocao (none when empty) can be removed, as on a medium gone
// read-only; with semRegistro, the folder of confirmations takes no record (its disk full).
class Recusas {
public:
    Recusas(const QString& semRemocao, bool semRegistro)
    {
        if (!semRemocao.isEmpty())
            FalhasDaBiblioteca::Liga(QFile::encodeName(semRemocao), [](unsigned operacao, const char*) {
                return operacao == TFalhasDeArquivo::Remocao ? TFalhasDeArquivo::Efeito::ErroES
                                                             : TFalhasDeArquivo::Efeito::Nenhum;
            });
        if (semRegistro)
            TFalhasDeArquivo::Instala([](TFalhasDeArquivo::Operacao, const QString& caminho) {
                return caminho.startsWith(TRecuperacaoEntrega::PastaConfirmacoes() + QLatin1Char('/'))
                    ? TFalhasDeArquivo::Efeito::DiscoCheio
                    : TFalhasDeArquivo::Efeito::Nenhum;
            });
    }
    ~Recusas()
    {
        FalhasDaBiblioteca::Desliga();
        TFalhasDeArquivo::Instala({});
    }
    Recusas(const Recusas&) = delete;
    Recusas& operator=(const Recusas&) = delete;
};

// The backup restored through the restore assistant, as a user goes through it: true when it
// ended restored; motivo gets what its failure page says.
bool RestauraPeloAssistente(const QString& copia, QString& motivo)
{
    TFormAssistRestCopSeg form;
    const auto avanca = [&form] { form.findChild<QPushButton*>(QStringLiteral("BtnAvancar"))->click(); };
    avanca();
    form.EdArquivo->setText(copia);
    avanca();
    if (form.PaginaAtual() == 6)
        avanca();   // the confirmation: the current data hold declarations
    motivo = form.LbMotivo->text();
    return form.PaginaAtual() == 4;
}

class FalhasDeArquivoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TPastas::Cria());
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        semeadas = Tabelas(true);
    }

    // The scenario's delivery file written to that volume on that day of March 2003, over any
    // earlier one.
    TResultadoGeracao Entrega(Cenario& c, const TVolume& volume, int dia = 14)
    {
        TArquivoPruv writer;
        writer.DefineRelogio([dia] { return QDateTime(QDate(2003, 3, dia), QTime(10, 30)); });
        dialogos.Limpa();
        dialogos.Responde(Resposta::Sim);
        return writer.Gera(c.Fonte, c.Pedido(volume));
    }

    // The removals at the C library's calls of the scenario's delivery over its earlier file: the
    // last three are the mark's companion's, the earlier file's and the mark's.
    int RemocoesDaEntrega(Cenario c, const TVolume& volume, int dia)
    {
        return FalhasDeArquivo::Conta(
            TFalhasDeArquivo::Remocao, [&] { Entrega(c, volume, dia); }, FalhasDeArquivo::Biblioteca);
    }

    // The scenario's delivery with every removal failing from the k-th on.
    TResultadoGeracao EntregaSemRemover(Cenario& c, const TVolume& volume, int k, int dia = 14)
    {
        FalhasDeArquivo::Armada armada(
            {k, TFalhasDeArquivo::Remocao, Efeito::ErroES, true, FalhasDeArquivo::Biblioteca});
        return Entrega(c, volume, dia);
    }

    bool Importa(const QString& arquivo, bool gravado)
    {
        TColecaoPruv colecao;
        TPruv alvo;
        TErros erros;
        alvo.SetErros(&erros);
        alvo.GetDeclarante().SetNi(Empresa);
        alvo.GetDeclarante().Nome().SetTexto(QStringLiteral("COMERCIO E FILHOS LTDA"));
        alvo.SetAnoSemExcecao(QStringLiteral("2002"));
        alvo.SetNaturezaSemExcecao(alvo.GetNaturezas().GetTodas()[0]);
        TImportacaoPruv importacao;
        TPedidoImportacao pedido(arquivo, alvo);
        pedido.ArquivoCompactado = gravado;
        dialogos.Limpa();
        for (int i = 0; i < 4; ++i)
            dialogos.Responde(Resposta::Nao);   // no second try of a file that cannot be opened
        return importacao.Importa(colecao, pedido).Codigo == 0;
    }

    // An import under guard: the tables it fills, emptied before each trial, are what it guards;
    // a log it could not write must be told.
    Operacao Importacao(std::function<bool()> executa)
    {
        return Operacao{
            [this] { EsvaziaTabelas(semeadas); },
            std::move(executa),
            [] { return FalhasDeDisco::Conteudo(Banco()); },
            {},
            false,
            [this] { return !dialogos.Mensagens().empty(); },
            [this] { return FalhasVistas(); },
        };
    }

    // The company's declaration stored in the database, read from a file of the delivery layout
    // into emptied tables.
    bool GuardaDeclaracao()
    {
        const QString entrada = TPastas::Programa() + QStringLiteral("/entrada.txt");
        if (!QFileInfo::exists(entrada))
            Grava(entrada, Linhas(false));
        EsvaziaTabelas(semeadas);
        return Importa(entrada, false);
    }

    // The stored declaration's delivery file written onto volume on that day of March 2003, the
    // user saying yes to the first sim questions (over an earlier file, then trying again once to
    // create the text it could not); emVolta, when given, runs the writer itself.
    TResultadoGeracao EntregaDoBanco(const TVolume& volume, int dia,
                                     const std::function<void(const std::function<void()>&)>& emVolta = {}, int sim = 2)
    {
        TPedidoGeracao pedido;
        pedido.Chaves = QStringList{QStringLiteral("2002112223330001")};
        pedido.Volume = volume;
        pedido.Uf = QStringLiteral("SP");
        pedido.Registros = 10;
        TColecaoPruv colecao;
        TPruv aberta;
        TErros erros;
        aberta.SetErros(&erros);
        aberta.GetDeclarante().SetNi(Empresa);
        aberta.SetAno(QStringLiteral("2002"));
        TResultadoGeracao resultado;
        if (!colecao.Carrega(aberta))
            return resultado;
        TArquivoPruv writer;
        writer.DefineRelogio([dia] { return QDateTime(QDate(2003, 3, dia), QTime(10, 0)); });
        dialogos.Limpa();
        for (int i = 0; i < sim; ++i)
            dialogos.Responde(Resposta::Sim);
        const auto roda = [&] { resultado = writer.Gera(aberta, colecao, pedido); };
        if (emVolta)
            emVolta(roda);
        else
            roda();
        return resultado;
    }

    // Every file under pasta with its bytes, to be put back by Devolve.
    static QMap<QString, QByteArray> Guardados(const QString& pasta)
    {
        QMap<QString, QByteArray> arquivos;
        for (QDirIterator it(pasta, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString arquivo = it.next();
            arquivos.insert(arquivo, Le(arquivo));
        }
        return arquivos;
    }

    // The folder holding nothing but the files kept by Guardados.
    static void Devolve(const QString& pasta, const QMap<QString, QByteArray>& arquivos)
    {
        QDir(pasta).removeRecursively();
        for (auto it = arquivos.cbegin(); it != arquivos.cend(); ++it)
            Grava(it.key(), it.value());
    }

    // The text and receipt data a delivery leaves in the data folder gone, as before the first.
    static void RemoveTextosDaEntrega()
    {
        QFile::remove(TPastas::Dados() + QStringLiteral("/Declar.txt"));
        QFile::remove(TPastas::Dados() + QStringLiteral("/Recibo.ini"));
    }

    // Every delivery file under pasta: an earlier one by its bytes, a new one by the declaration
    // it unpacks to (the archive's members carry the time they were packed).
    static QString Entregas(const QString& pasta, const QMap<QString, QByteArray>& anteriores = {})
    {
        QStringList decs;
        for (QDirIterator it(pasta, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            const QString arquivo = it.next();
            QTemporaryDir extraida;
            decs << QFileInfo(arquivo).fileName()
                    + (anteriores.contains(arquivo) && Le(arquivo) == anteriores.value(arquivo)
                           ? QStringLiteral(" earlier")
                           : DescomprimirPruv(arquivo, extraida.path(), [](int) {}) == ResultadoCompressao::Ok
                           ? QStringLiteral(" new: ")
                               + QString::fromLatin1(
                                   QCryptographicHash::hash(Le(extraida.filePath(QStringLiteral("declar.txt"))),
                                                            QCryptographicHash::Sha1)
                                       .toHex())
                           : QStringLiteral(" broken"));
        }
        decs.sort();
        return decs.join(QLatin1Char('\n'));
    }

    // The failures and warnings shown (a question's words may be the component library's own).
    QStringList FalhasVistas() const
    {
        QStringList textos;
        for (const TMensagemDialogo& m : dialogos.Mensagens())
            if (m.Tipo == TipoDialogo::Erro || m.Tipo == TipoDialogo::Aviso)
                textos << m.Texto;
        return textos;
    }

    QStringList semeadas;
    DialogosRoteirizados dialogos;
    AtividadeRegistrada atividade;
};

TEST_F(FalhasDeArquivoTest, ChangingASettingKeepsTheOldFileOrWritesTheNewOneWhole)
{
    const QString ini = TArquivoIni::Caminho();
    Operacao op{
        [&] { Grava(ini, "; settings\r\n[Copia de Seguranca]\r\nDirCsDefault=/antes\r\nautomatica=1\r\n"); },
        [&] {
            return SemErro([] {
                TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("DirCsDefault"),
                                         QStringLiteral("/depois"));
            });
        },
        [&] { return QString::fromLatin1(Le(ini)); },
        {},
    };
    Guarda("setting", op);
    GuardaAbaixo("setting", op);
}

TEST_F(FalhasDeArquivoTest, ATextImportStoresAllOrNothing)
{
    const QString entrada = TPastas::Programa() + QStringLiteral("/entrada.txt");
    Grava(entrada, Linhas(false));
    Operacao op = Importacao([&] { return Importa(entrada, false); });
    Guarda("text import", op);
    GuardaAbaixo("text import", op);
}

TEST_F(FalhasDeArquivoTest, APackedImportStoresAllOrNothingAndLeavesNoUnpackedText)
{
    // A delivery file holding the same lines behind a header.
    const QString pacote = ProgramaDeTeste::Pasta() + QStringLiteral("/pacote");
    Grava(pacote + QStringLiteral("/Declar.txt"), Linhas(true));
    Grava(pacote + QStringLiteral("/Recibo.ini"), "[Declaracao]\r\nCRC=0\r\n");
    AdicionaArquivo(pacote + QStringLiteral("/Recibo.ini"));
    AdicionaArquivo(pacote + QStringLiteral("/Declar.txt"));
    QString dec = ProgramaDeTeste::Pasta() + QStringLiteral("/entrada.dec");
    ASSERT_EQ(ComprimirPruv(dec, [](int) {}), ResultadoCompressao::Ok);
    ASSERT_TRUE(QDir(pacote).removeRecursively());
    Operacao op = Importacao([&] {
        return DescomprimirPruv(dec, TPastas::Dados(), [](int) {}) == ResultadoCompressao::Ok
            && Importa(TPastas::Dados() + QStringLiteral("/declar.txt"), true);
    });
    Guarda("packed import", op);
    GuardaAbaixo("packed import", op);
}

TEST_F(FalhasDeArquivoTest, ABackupReplacesThePreviousOneOnlyWhenWhole)
{
    // A database holding an import, which the restore would accept.
    ASSERT_TRUE(GuardaDeclaracao());
    const QString destino = ProgramaDeTeste::Pasta() + QStringLiteral("/CopSeg/copsegauto.cmp");
    Operacao op{
        [&] { Grava(destino, "the previous backup"); },
        [&] { return GravaCopiaDeSeguranca(destino, [](int) {}) == ResultadoCompressao::Ok; },
        [&] {
            const QByteArray bytes = Le(destino);
            if (bytes == "the previous backup")
                return QStringLiteral("previous");
            QTemporaryDir pasta;
            if (Descomprimir(destino, pasta.path(), [](int) {}) != ResultadoCompressao::Ok)
                return QStringLiteral("broken");
            return QStringLiteral("new: ") + FalhasDeDisco::Conteudo(pasta.filePath(TDatabase::NomeArquivo()));
        },
        {},
    };
    Guarda("backup", op);
    GuardaAbaixo("backup", op);
}

TEST_F(FalhasDeArquivoTest, ARestoreBringsBackTheWholeBackupOrNothing)
{
    // A backup of a database holding an import; the live one then emptied again.
    ASSERT_TRUE(GuardaDeclaracao());
    const QString copia = ProgramaDeTeste::Pasta() + QStringLiteral("/copia.cmp");
    ASSERT_EQ(GravaCopiaDeSeguranca(copia, [](int) {}), ResultadoCompressao::Ok);
    Operacao op{
        [&] { EsvaziaTabelas(semeadas); },
        [&] {
            const TPastaDeTrabalho trabalho(TPastas::Temporaria(), PrefixoTrabalhoRestauracao);
            if (!trabalho.Valida() || Descomprimir(copia, trabalho.Caminho(), [](int) {}) != ResultadoCompressao::Ok)
                return false;
            const QString arquivo = trabalho.Arquivo(TDatabase::NomeArquivo());
            if (!TCopiaBanco::Confere(arquivo).Boa())
                return false;
            TCopiaBanco::Restaura(arquivo, TPastas::Dados());
            return true;
        },
        [&] { return FalhasDeDisco::Conteudo(Banco()); },
        {},
    };
    Guarda("restore", op);
    GuardaAbaixo("restore", op);
}

TEST_F(FalhasDeArquivoTest, ADeliveryFileIsWrittenWholeAndRecordedOnlyWhenInPlace)
{
    const PastaDeEntrega entrega;
    Cenario c = PessoaFisica();
    // The file of an earlier delivery is there: the run replaces it, or leaves it as it was.
    const auto gera = [&] { return Entrega(c, entrega.Fixo); };
    const QString anterior = gera().Arquivo;
    ASSERT_FALSE(anterior.isEmpty());
    // The source keeps its records in memory, which a killed run takes with it: the date it
    // records goes into the database as well, in the run's own transaction, and the next start
    // reads it there as it reads a stored declaration's.
    const auto banco = TDatabase::DaPasta(TPastas::Dados());
    banco->Escreve(QStringLiteral("CREATE TABLE IF NOT EXISTS GeracaoSimulada (Data REAL)"));
    TRecuperacaoEntrega::DefineRegistro([](const QString&, const QString&) -> std::optional<double> {
        double data = 0;
        sqlite3_exec(
            TDatabase::DaPasta(TPastas::Dados())->Conexao(), "SELECT Data FROM GeracaoSimulada",
            [](void* destino, int, char** valores, char**) {
                *static_cast<double*>(destino) = QByteArray(valores[0]).toDouble();
                return 0;
            },
            &data, nullptr);
        return data;
    });
    Operacao op{
        [&] {
            c = PessoaFisica();
            c.Fonte.AoRegistrarGeracao = [&c, banco] {
                banco->Escreve(QStringLiteral("DELETE FROM GeracaoSimulada"));
                banco->Escreve(QStringLiteral("INSERT INTO GeracaoSimulada VALUES (%1)")
                                   .arg(*c.Fonte.DataGravada(QStringLiteral("2002"), QString()), 0, 'f', 0));
            };
            banco->Escreve(QStringLiteral("DELETE FROM GeracaoSimulada"));
            QDir(entrega.Base).removeRecursively();
            Grava(anterior, "the delivery of an earlier run");
            RemoveTextosDaEntrega();
        },
        [&] { return gera().Codigo == R::Ok; },
        [&] {
            QStringList decs;
            for (QDirIterator it(entrega.Base, {QStringLiteral("*.dec")}, QDir::Files, QDirIterator::Subdirectories);
                 it.hasNext();) {
                const QString dec = it.next();
                QTemporaryDir pasta;
                decs << QFileInfo(dec).fileName()
                        + (Le(dec) == "the delivery of an earlier run" ? QStringLiteral(" earlier")
                               : DescomprimirPruv(dec, pasta.path(), [](int) {}) == ResultadoCompressao::Ok
                               ? QStringLiteral(" whole: ")
                                   + QString::fromLatin1(
                                       Le(pasta.filePath(QStringLiteral("declar.txt"))).toHex().left(64))
                               : QStringLiteral(" broken"));
            }
            return decs.join(QLatin1Char('\n'));
        },
        [&] {
            // What was recorded (generation and volumes) unless taken back; the receipt data.
            const QStringList& r = c.Fonte.Registros;
            const bool desfeito = !r.isEmpty() && r.last() == QLatin1String("desfeito");
            return QStringLiteral("\nrecorded: %1\nreceipt: %2")
                .arg(desfeito ? QString() : r.join(QLatin1Char(';')))
                .arg(QString::fromLatin1(Le(TPastas::Dados() + QStringLiteral("/Recibo.ini"))));
        },
        false,   // the next start removes what a killed run left beside the file
    };
    Guarda("delivery file", op);
    GuardaAbaixo("delivery file", op);
}

// A delivery whose earlier file, or whose mark, cannot be removed once it is recorded is written:
// the user is told so and what stays, in the run's result and nowhere else, the new file stays,
// and the next start lets the rest go without a word, the database naming the new file.
TEST_F(FalhasDeArquivoTest, ADeliveryWhoseEarlierFileCannotBeRemovedIsWrittenAndTheStartEndsIt)
{
    const PastaDeEntrega entrega;
    Cenario c = PessoaFisica();
    TRecuperacaoEntrega::DefineRegistro(
        [&c](const QString& ano, const QString& ni) { return c.Fonte.DataGravada(ano, ni); });
    const QString dec = Entrega(c, entrega.Fixo).Arquivo;
    ASSERT_FALSE(dec.isEmpty());
    const int remocoes = RemocoesDaEntrega(c, entrega.Fixo, 14);
    ASSERT_GE(remocoes, 3);
    // From the companion's, the earlier file's or the mark's removal on, every removal fails.
    for (const int k : {remocoes - 3, remocoes - 2, remocoes - 1}) {
        SCOPED_TRACE(k);
        Grava(dec, "the delivery of an earlier run");
        const TResultadoGeracao resultado = EntregaSemRemover(c, entrega.Fixo, k);
        EXPECT_EQ(resultado.Codigo, R::Ok);
        EXPECT_TRUE(resultado.Texto.contains(QLatin1String("foi gravado"))) << resultado.Texto.toStdString();
        // Nothing but the question whether to overwrite the earlier file.
        ASSERT_EQ(dialogos.Mensagens().size(), 1u);
        EXPECT_EQ(dialogos.Mensagens()[0].Tipo, TipoDialogo::Confirmacao);
        EXPECT_TRUE(QFile::exists(TSubstituicao::NomeMarca(dec)));
        EXPECT_NE(Le(dec), "the delivery of an earlier run");
        dialogos.Limpa();
        RemoveTrabalhosAbandonados();
        EXPECT_TRUE(dialogos.Mensagens().empty());
        EXPECT_EQ(QDir(QFileInfo(dec).path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QFileInfo(dec).fileName()});
    }
}

// A backup taken between two deliveries, restored after the second one could not remove the
// earlier file: the file the user was told was written stays at its place, the earlier one stays
// beside it under a name a person sees, and the user is told once.
TEST_F(FalhasDeArquivoTest, ARestoreBetweenTwoDeliveriesAfterAFailedRemovalKeepsTheDeliveredFile)
{
    const PastaDeEntrega entrega;
    Cenario c = PessoaFisica();
    std::optional<double> restaurada;
    TRecuperacaoEntrega::DefineRegistro(
        [&](const QString& ano, const QString& ni) { return restaurada ? restaurada : c.Fonte.DataGravada(ano, ni); });
    const QString dec = Entrega(c, entrega.Fixo, 13).Arquivo;
    ASSERT_FALSE(dec.isEmpty());
    const QByteArray primeira = Le(dec);
    const std::optional<double> copia = c.Fonte.DataGravada(QStringLiteral("2002"), QString());   // the backup
    ASSERT_TRUE(copia);
    // The second delivery cannot remove the earlier file, nor anything after it.
    const int remocoes = RemocoesDaEntrega(c, entrega.Fixo, 14);
    ASSERT_GE(remocoes, 3);
    Grava(dec, primeira);
    const TResultadoGeracao segunda = EntregaSemRemover(c, entrega.Fixo, remocoes - 2);
    EXPECT_EQ(segunda.Codigo, R::Ok);
    const QByteArray entregue = Le(dec);
    ASSERT_NE(entregue, primeira);
    ASSERT_TRUE(QFile::exists(TSubstituicao::NomeAparte(dec)));

    restaurada = copia;
    dialogos.Limpa();
    RemoveTrabalhosAbandonados();
    EXPECT_TRUE(Le(dec) == entregue) << "the delivered file was replaced";
    EXPECT_TRUE(Le(dec + QStringLiteral(".anterior")) == primeira) << "the earlier file is not where a person sees it";
    EXPECT_EQ(dialogos.Mensagens().size(), 1u);
    dialogos.Limpa();
    RemoveTrabalhosAbandonados();
    EXPECT_TRUE(dialogos.Mensagens().empty());
    EXPECT_TRUE(Le(dec) == entregue) << "the delivered file was replaced";
}

// A delivery folder that takes no removal from the commit on (a medium gone read-only), and at
// times a data folder that takes no record of the commit either; then a restore, through the
// restore assistant, of a backup taken before that delivery, the delivery folder taking removals
// again or not yet; then a start. The run was told as written, so the file it delivered stays
// whatever comes: a restore first settles the delivery with the data that know its commit, and
// is refused when it can neither settle it nor record it; a start after older data were restored
// says so once, and keeps an earlier file beside the delivered one where a person sees it.
TEST_F(FalhasDeArquivoTest, EveryRemovalFailingAfterTheCommitThenARestoreKeepsTheDeliveredFile)
{
    const PastaDeEntrega entrega;
    const QString copia = ProgramaDeTeste::Pasta() + QStringLiteral("/copia.cmp");
    const auto removacoes = [&](int dia) {
        return FalhasDeArquivo::Conta(
            TFalhasDeArquivo::Remocao, [&] { EntregaDoBanco(entrega.Fixo, dia); }, FalhasDeArquivo::Biblioteca);
    };
    const struct {
        const char* caso;
        bool sobreAnterior;
        bool semRegistro;           // the folder of confirmations takes no record either
        bool recusaNaRestauracao;   // the delivery folder still takes no removal at the restore
        bool restaurada;            // the restore went on
        const char* ficam;          // the delivery folder after the start, "D" the delivery file
        const char* diz;            // what the start says; nullptr nothing
    } casos[] = {
        {"over an earlier file, the folder still refusing at the restore", true, false, true, true, "D D.anterior",
         "Os dados restaurados são anteriores"},
        {"the first delivery, the folder still refusing at the restore", false, false, true, true, "D",
         "Os dados restaurados são anteriores"},
        {"over an earlier file, the folder free again at the restore", true, false, false, true, "D", nullptr},
        {"over an earlier file, no record, the folder free again at the restore", true, true, false, true, "D",
         nullptr},
        {"the first delivery, no record, the folder free again at the restore", false, true, false, true, "D", nullptr},
        {"over an earlier file, no record, the folder still refusing at the restore", true, true, true, false, "D",
         nullptr},
        {"the first delivery, no record, the folder still refusing at the restore", false, true, true, false, "D",
         nullptr},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        ASSERT_TRUE(GuardaDeclaracao());
        QDir(entrega.Base).removeRecursively();
        QString dec;
        QByteArray primeira;
        int remocoes = 0;
        if (c.sobreAnterior) {
            dec = EntregaDoBanco(entrega.Fixo, 13).Arquivo;
            ASSERT_FALSE(dec.isEmpty());
            remocoes = removacoes(14);   // a delivery over the earlier file, as the one below
            primeira = Le(dec);
            ASSERT_EQ(GravaCopiaDeSeguranca(copia, [](int) {}), ResultadoCompressao::Ok);
        } else {
            ASSERT_EQ(GravaCopiaDeSeguranca(copia, [](int) {}), ResultadoCompressao::Ok);
            remocoes = removacoes(14);
            ASSERT_TRUE(GuardaDeclaracao());
            QDir(entrega.Base).removeRecursively();
        }
        // The last removals of a run are the companion's, the earlier file's (when there is one)
        // and the mark's: all of them fail, and every one after them.
        const int depoisDoCommit = remocoes - (c.sobreAnterior ? 3 : 2);
        ASSERT_GT(depoisDoCommit, 0);
        TResultadoGeracao segunda;
        {
            FalhasDeArquivo::Armada armada(
                {depoisDoCommit, TFalhasDeArquivo::Remocao, Efeito::ErroES, true, FalhasDeArquivo::Biblioteca});
            const Recusas recusas({}, c.semRegistro);
            segunda = EntregaDoBanco(entrega.Fixo, 15);
        }
        ASSERT_EQ(segunda.Codigo, R::Ok) << segunda.TextoDaFalha().toStdString();
        EXPECT_TRUE(segunda.Texto.contains(QLatin1String("foi gravado"))) << segunda.Texto.toStdString();
        EXPECT_EQ(segunda.Texto.contains(QStringLiteral("confirmação da gravação também não pôde ser guardada")),
                  c.semRegistro)
            << segunda.Texto.toStdString();
        dec = segunda.Arquivo;
        const QByteArray entregue = Le(dec);
        ASSERT_NE(entregue, primeira);
        ASSERT_TRUE(QFile::exists(TSubstituicao::NomePendente(dec))) << "no removal failed after the commit";

        dialogos.Limpa();
        QString motivo;
        bool restaurada = false;
        {
            const Recusas recusas(c.recusaNaRestauracao ? entrega.Base : QString(),
                                  c.semRegistro && c.recusaNaRestauracao);
            restaurada = RestauraPeloAssistente(copia, motivo);
        }
        EXPECT_EQ(restaurada, c.restaurada) << motivo.toStdString();
        if (!c.restaurada) {
            EXPECT_TRUE(motivo.contains(QFileInfo(dec).fileName())) << motivo.toStdString();
        }
        EXPECT_TRUE(Le(dec) == entregue) << "the delivered file was replaced or removed at the restore";

        dialogos.Limpa();
        RemoveTrabalhosAbandonados();
        EXPECT_TRUE(Le(dec) == entregue) << "the delivered file was replaced or removed";
        const QString nome = QFileInfo(dec).fileName();
        EXPECT_EQ(QDir(QFileInfo(dec).path()).entryList(QDir::Files | QDir::Hidden, QDir::Name).join(QLatin1Char(' ')),
                  QString::fromLatin1(c.ficam).replace(QLatin1Char('D'), nome));
        if (QByteArray(c.ficam).contains("anterior")) {
            EXPECT_TRUE(Le(dec + QStringLiteral(".anterior")) == primeira)
                << "the earlier file is not where a person sees it";
        }
        EXPECT_EQ(dialogos.Mensagens().size(), c.diz ? 1u : 0u) << "not told once";
        for (const TMensagemDialogo& m : dialogos.Mensagens()) {
            EXPECT_TRUE(m.Texto.contains(nome)) << m.Texto.toStdString();
            EXPECT_TRUE(m.Texto.contains(QString::fromUtf8(c.diz))) << m.Texto.toStdString();
        }
        dialogos.Limpa();
        RemoveTrabalhosAbandonados();
        EXPECT_TRUE(dialogos.Mensagens().empty());
        EXPECT_TRUE(Le(dec) == entregue) << "the delivered file was replaced or removed at a later start";
        EXPECT_EQ(FalhasDeArquivo::Arquivos(TRecuperacaoEntrega::PastaConfirmacoes()).size(), 0)
            << "a record of a confirmation outlived its mark";
    }
}

// A run killed right after its commit, whose folder then takes no removal at the start: the start
// finds the commit in the database and records it, so that a backup from before the run restored
// before the folder takes removals again changes nothing: the delivered file stays, and is told.
TEST_F(FalhasDeArquivoTest, ACommitTheStartFindsButCannotSettleOutlivesARestore)
{
    const PastaDeEntrega entrega;
    std::optional<double> data = 14;
    TRecuperacaoEntrega::DefineRegistro([&](const QString&, const QString&) { return data; });
    const QString pasta = entrega.Base + QStringLiteral("/entrega");
    const QString lugar = pasta + QStringLiteral("/11144477735-PRUV-2003-2002-ORIGI-NORMAL.dec");
    const QByteArray novo = "the new delivery";
    const QByteArray marca = TRecuperacaoEntrega::Marca(
        QStringLiteral("2002"), QStringLiteral("11144477735"), 14,
        QCryptographicHash::hash(novo, QCryptographicHash::Sha1).toHex(), 13, QByteArray());
    Grava(lugar, novo);
    Grava(TSubstituicao::NomeMarca(lugar), marca);
    Grava(TSubstituicao::NomePendente(lugar), QByteArray());
    {
        FalhasDeArquivo::Armada armada(
            {0, TFalhasDeArquivo::Remocao, Efeito::ErroES, true, FalhasDeArquivo::Biblioteca});
        EXPECT_TRUE(TRecuperacaoEntrega::Recupera(pasta).isEmpty());
    }
    ASSERT_TRUE(QFile::exists(TSubstituicao::NomeMarca(lugar))) << "no removal failed";
    data = 13;   // the backup
    const QStringList textos = TRecuperacaoEntrega::Recupera(pasta);
    EXPECT_EQ(Le(lugar), novo) << "the delivered file was removed";
    EXPECT_EQ(textos.size(), 1);
    EXPECT_EQ(QDir(pasta).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(lugar).fileName()});
    EXPECT_TRUE(QDir(TRecuperacaoEntrega::PastaConfirmacoes()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// A first delivery of a declaration, with no earlier file: it ends recorded with its file in
// place, or with neither; a run killed before its commit leaves no file under the delivery's
// name once the next start has run.
TEST_F(FalhasDeArquivoTest, AFirstDeliveryIsRecordedWithItsFileOrLeavesNone)
{
    const PastaDeEntrega entrega;
    ASSERT_TRUE(GuardaDeclaracao());
    Operacao op{
        [&] {
            GuardaDeclaracao();
            QDir(entrega.Base).removeRecursively();
            RemoveTextosDaEntrega();
        },
        [&] { return EntregaDoBanco(entrega.Fixo, 14).Codigo == R::Ok; },
        [&] { return Entregas(entrega.Base) + QStringLiteral("\n") + FalhasDeDisco::Conteudo(Banco()); },
        {},
        true,
    };
    Guarda("first delivery file", op);
    GuardaAbaixo("first delivery file", op);
}

// Each fault a delivery over an earlier file meets, at the program's calls and below them, is
// told once and in the words of its own cause: the writer shows nothing and hands its text to the
// caller, which shows it once (a failure on the assistant's page, anything else in a message). A
// database that cannot be updated (its journal not removed) is no failure of the packing; a disk
// that keeps failing is told once; a file written and recorded is never told as a failed write.
TEST_F(FalhasDeArquivoTest, EachFaultOfADeliveryIsToldOnceInTheWordsOfItsCause)
{
    const PastaDeEntrega entrega;
    ASSERT_TRUE(GuardaDeclaracao());
    ASSERT_EQ(EntregaDoBanco(entrega.Fixo, 13).Codigo, R::Ok);
    const QMap<QString, QByteArray> anteriores = Guardados(entrega.Base);
    const auto prepara = [&] {
        GuardaDeclaracao();
        Devolve(entrega.Base, anteriores);
        dialogos.Limpa();
    };
    const QString compactacao = TErro::Mensagem(CodigoMensagem::FalhaNaCompactacao);
    const QString gravacao = TErro::Mensagem(CodigoMensagem::FalhaNaGravacao);
    const QString tabela = TErro::Mensagem(CodigoMensagem::TabelaNaoAtualizada).section(QLatin1Char('%'), 0, 0);
    int tentativas = 0;
    for (const unsigned camadas :
         {unsigned(FalhasDeArquivo::Programa), unsigned(FalhasDeArquivo::Biblioteca | FalhasDeArquivo::Banco)}) {
        if (camadas != FalhasDeArquivo::Programa && !FalhasDeArquivo::BibliotecaAlcancada())
            continue;
        prepara();
        int chamadas = 0;
        EntregaDoBanco(entrega.Fixo, 14, [&](const std::function<void()>& roda) {
            chamadas = FalhasDeArquivo::Conta(TFalhasDeArquivo::Todas, roda, camadas);
        });
        ASSERT_GT(chamadas, 0);
        for (const int k : FalhasDeArquivo::Posicoes(chamadas)) {
            for (const Efeito efeito : {Efeito::ErroES, Efeito::DiscoCheio}) {
                prepara();
                bool disparou = false;
                QString disparada;
                QStringList vistos;
                const TResultadoGeracao r = EntregaDoBanco(entrega.Fixo, 14, [&](const std::function<void()>& roda) {
                    FalhasDeArquivo::Armada armada(
                        {k, TFalhasDeArquivo::Todas, efeito, efeito == Efeito::DiscoCheio, camadas});
                    roda();
                    disparou = FalhasDeArquivo::Disparou();
                    disparada = FalhasDeArquivo::Disparada();
                });
                // The messages the user reads; the questions on the way (try again, overwrite) ask.
                for (const TMensagemDialogo& m : dialogos.Mensagens())
                    if ((m.Botoes & ~Botao::Ajuda) == Botao::Ok)
                        vistos << m.Texto;
                vistos << r.Avisos;
                if (r.Codigo != R::Ok)
                    vistos << r.TextoDaFalha();
                else if (!r.Texto.isEmpty())
                    vistos << r.Texto;
                if (!disparou)
                    continue;
                ++tentativas;
                SCOPED_TRACE(::testing::Message()
                             << (efeito == Efeito::DiscoCheio ? "full disk" : "I/O error") << " at call " << k << " of "
                             << chamadas << ": " << disparada.toStdString()
                             << "\n  seen: " << vistos.join(QStringLiteral("\n  seen: ")).toStdString());
                if (r.Codigo != R::Ok) {
                    EXPECT_EQ(vistos.size(), 1);
                } else {
                    EXPECT_LE(vistos.size(), 1);
                    EXPECT_FALSE(vistos.contains(gravacao)) << "a file written and recorded told as a failed write";
                }
                if (disparada.contains(TDatabase::NomeArquivo()) || disparada.endsWith(QLatin1String("database"))) {
                    EXPECT_FALSE(vistos.contains(compactacao)) << "the database's failure told as the packing's";
                }
                if (disparada.endsWith(QLatin1String("-journal")) && r.Codigo != R::Ok) {
                    EXPECT_TRUE(vistos.value(0).startsWith(tabela));
                }
                RemoveTrabalhosAbandonados();
                if (::testing::Test::HasFailure())
                    return;
            }
        }
    }
    std::cout << "[guard] messages of a delivery: " << tentativas << " faults, each told once\n";
}

TEST_F(FalhasDeArquivoTest, APdfReplacesTheEarlierOneOnlyWhenAllOfItWasWritten)
{
    // Pages of figures, enough for the PDF to be handed to the system in several blocks.
    std::vector<QPicture> paginas(36);
    quint32 semente = 1;
    for (QPicture& pagina : paginas) {
        QPainter pintor(&pagina);
        for (int linha = 0; linha < 50; ++linha) {
            semente = semente * 1664525u + 1013904223u;
            pintor.drawText(40, 40 + 20 * linha, QStringLiteral("%1 %2").arg(semente).arg(semente % 977 * 31337u));
        }
    }
    QDir().mkpath(TPastas::Impressos());
    const QString pdf = TPastas::Impressos() + QStringLiteral("/Relatorio.pdf");
    Operacao op{
        [&] { Grava(pdf, "the earlier PDF"); },
        [&] {
            const auto impressora = TImpressorasSistema::ImpressoraPdf(pdf);
            TImpressaoPaginas trabalho(*impressora, TPapel(), QStringLiteral("Relatorio"));
            for (const QPicture& pagina : paginas)
                if (!trabalho.Pagina(pagina))
                    return false;
            return trabalho.Conclui();
        },
        [&] {
            const QByteArray bytes = Le(pdf);
            return bytes == "the earlier PDF" ? QStringLiteral("the earlier PDF")
                : PdfInteiro(bytes)           ? QStringLiteral("a whole new PDF")
                                              : QStringLiteral("a broken PDF of %1 bytes").arg(bytes.size());
        },
        {},
    };
    GuardaAbaixo("PDF", op);
}

TEST_F(FalhasDeArquivoTest, TheRegistryFileKeepsEveryKeyOrTakesTheNewValue)
{
    const QString conf = TRegistroPruv::Caminho();
    Operacao op{
        [&] { Grava(conf, "[General]\nDirCsDefault=/antes\nOutraChave=valor\n\n[Janela]\nLargura=640\n"); },
        [&] {
            return SemErro([] {
                TRegistroPruv::GravaString(QLatin1String(TRegistroPruv::DirCsDefault), QStringLiteral("/depois"));
            });
        },
        [&] { return QString::fromUtf8(Le(conf)); },
        {},
    };
    GuardaAbaixo("registry file", op);
}

TEST_F(FalhasDeArquivoTest, ARichTextSavedAsKeepsTheEarlierFileOrWritesTheNewOneWhole)
{
    TdvCustomRichEdit origem;
    origem.SetText(QStringLiteral("uma nota curta, bem abaixo de 16 KB"));
    TdvRichEditForm form(origem);
    form.CopiaConteudo();
    // A folder of the user's, which the start does not clean: what a killed save leaves there
    // goes with the next save.
    const QString arquivo = ProgramaDeTeste::Pasta() + QStringLiteral("/Documentos/nota.rtf");
    form.DialogoSalvar = [&](int& filtro) {
        filtro = 1;
        return arquivo;
    };
    Operacao op{
        [&] { Grava(arquivo, "{\\rtf1 the earlier note}"); },
        [&] {
            dialogos.Limpa();
            dialogos.Responde(Resposta::Sim);   // over the earlier file
            return form.SalvaComo();
        },
        [&] { return QString::fromLatin1(Le(arquivo)); },
        {},
        true,
        {},
        [&] { return FalhasVistas(); },
    };
    GuardaAbaixo("rich text save as", op);
}

namespace {

// Each file and folder under the case's folder with its node and change time (a rename changes
// it too, and a node number may come back for the next file).
QMap<QString, QPair<quint64, qint64>> Arquivos()
{
    QMap<QString, QPair<quint64, qint64>> arquivos;
    for (QDirIterator it(ProgramaDeTeste::Pasta(), QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString caminho = it.next();
        struct stat st {};
        if (::lstat(QFile::encodeName(caminho).constData(), &st) == 0)
            arquivos.insert(caminho, {st.st_ino, st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec});
    }
    return arquivos;
}

mode_t Permissoes(const QString& caminho)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(caminho).constData(), &st) == 0 ? st.st_mode & 07777 : 07777;
}

}   // namespace

// Whatever writes it, a file the program makes or replaces is never wider than its user's umask
// lets through (0666 less the umask), nor a folder it makes (0777 less the umask): a backup holds
// every beneficiary's number and income.
TEST_F(FalhasDeArquivoTest, EveryFileTheProgramMakesIsNoWiderThanItsUsersUmaskLets)
{
    ASSERT_TRUE(GuardaDeclaracao());
    const PastaDeEntrega entrega;
    QString comErro = TPastas::Programa() + QStringLiteral("/com-erro.txt");
    Grava(comErro,
          Linhas(false)
              + TRegistroTipo2::Monta(
                    '2', 6, LayoutDeclar::NiDaLinha(Empresa, false),
                    std::move(ItemSimulado("0561", "12345678901", "CPF ERRADO").Em(S::Rendimento, 1, 12, 30000000)), 0)
                    .Bytes()
              + "\r\n");
    std::vector<QPicture> paginas(1);
    QPainter(&paginas[0]).drawText(40, 40, QStringLiteral("uma linha"));
    TdvCustomRichEdit origem;
    origem.SetText(QStringLiteral("uma nota"));
    TdvRichEditForm nota(origem);
    nota.CopiaConteudo();
    nota.DialogoSalvar = [](int& filtro) {
        filtro = 1;
        return ProgramaDeTeste::Pasta() + QStringLiteral("/Documentos/nota.rtf");
    };
    int dia = 1;
    const struct {
        const char* escritor;
        std::function<bool()> escreve;
        QStringList feitos;   // the names that must be among what it made
    } casos[] = {
        {"database creation",
         [] {
             static int vez = 0;
             const QString arquivo = TPastas::Dados() + QStringLiteral("/criado-%1.db").arg(++vez);
             TDatabase banco(arquivo);
             // The journal lives while a transaction is open: a second name keeps it to be seen.
             const QByteArray diario = QFile::encodeName(arquivo + QStringLiteral("-journal"));
             return sqlite3_exec(banco.Conexao(), "CREATE TABLE t(a); BEGIN; INSERT INTO t VALUES (1);", nullptr,
                                 nullptr, nullptr)
                 == SQLITE_OK
                 && ::link(diario.constData(), (diario + ".visto").constData()) == 0
                 && sqlite3_exec(banco.Conexao(), "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
         },
         {QStringLiteral(".db"), QStringLiteral(".db-journal.visto")}},
        {"ini",
         [] {
             return SemErro([] {
                 TArquivoIni::GravaString(QStringLiteral("Copia de Seguranca"), QStringLiteral("DirCsUltimo"),
                                          QUuid::createUuid().toString());
             });
         },
         {QStringLiteral("pruv2003.ini")}},
        {"registry",
         [] {
             return SemErro([] {
                 TRegistroPruv::GravaString(QLatin1String(TRegistroPruv::DirCsDefault), QUuid::createUuid().toString());
             });
         },
         {QStringLiteral("PRUV2003.conf")}},
        {"backup",
         [] {
             return GravaCopiaDeSeguranca(TPastas::Programa() + QStringLiteral("/CopSeg/CopSeg.cmp"), [](int) {})
                 == ResultadoCompressao::Ok;
         },
         {QStringLiteral("CopSeg.cmp")}},
        {"automatic backup",
         [] {
             TFormCopSegAuto::Executa(nullptr);
             return true;
         },
         {QStringLiteral("copsegauto.cmp")}},
        {"delivery and its receipt",
         [&] { return EntregaDoBanco(entrega.Fixo, ++dia).Codigo == R::Ok; },
         {QStringLiteral(".dec"), QStringLiteral("Recibo.ini"), QStringLiteral("Declar.txt")}},
        {"import log", [&] { return Importa(comErro, false) || true; }, {QStringLiteral("/ErroImp/")}},
        {"PDF",
         [&paginas] {
             const auto impressora = TImpressorasSistema::ImpressoraPdf(TPastas::Impressos()
                                                                        + QStringLiteral("/Relatorio.pdf"));
             TImpressaoPaginas trabalho(*impressora, TPapel(), QStringLiteral("Relatorio"));
             return trabalho.Pagina(paginas[0]) && trabalho.Conclui();
         },
         {QStringLiteral("Relatorio.pdf")}},
        {"rich text",
         [&] {
             dialogos.Limpa();
             dialogos.Responde(Resposta::Sim);
             return nota.SalvaComo();
         },
         {QStringLiteral("nota.rtf")}},
    };
    QDir().mkpath(TPastas::Impressos());
    QDir().mkpath(ProgramaDeTeste::Pasta() + QStringLiteral("/Documentos"));
    // Folders open to everyone: only the umask may narrow what is made in them.
    for (const QString& pasta : {ProgramaDeTeste::Pasta(), TPastas::Dados(), TPastas::Temporaria(), TPastas::ErroImp(),
                                 TPastas::Impressos(), ProgramaDeTeste::Pasta() + QStringLiteral("/Documentos")})
        ASSERT_EQ(::chmod(QFile::encodeName(pasta).constData(), 0777), 0);
    for (const mode_t mascara : {mode_t(002), mode_t(027), mode_t(077)}) {
        for (const auto& c : casos) {
            SCOPED_TRACE(QStringLiteral("%1, umask %2")
                             .arg(QLatin1String(c.escritor))
                             .arg(mascara, 3, 8, QLatin1Char('0'))
                             .toStdString());
            const auto antes = Arquivos();
            const mode_t anterior = ::umask(mascara);
            const bool escrito = c.escreve();
            ::umask(anterior);
            ASSERT_TRUE(escrito);
            const auto depois = Arquivos();
            // What is new, and what of the writer's own files changed (a file written in place,
            // as the database is, is not made anew).
            const auto doEscritor = [&c](const QString& f) {
                return std::any_of(c.feitos.cbegin(), c.feitos.cend(),
                                   [&f](const QString& nome) { return f.contains(nome, Qt::CaseInsensitive); });
            };
            QStringList feitos;
            for (auto it = depois.cbegin(); it != depois.cend(); ++it)
                if (!antes.contains(it.key()) || (antes.value(it.key()) != it.value() && doEscritor(it.key())))
                    feitos << it.key();
            for (const QString& nome : c.feitos)
                EXPECT_TRUE(std::any_of(feitos.cbegin(), feitos.cend(),
                                        [&nome](const QString& f) { return f.contains(nome, Qt::CaseInsensitive); }))
                    << "not made: " << nome.toStdString();
            for (const QString& feito : std::as_const(feitos)) {
                const mode_t limite = (QFileInfo(feito).isDir() ? 0777 : 0666) & ~mascara;
                EXPECT_EQ(Permissoes(feito) & ~limite, 0u)
                    << feito.toStdString() << ": " << QString::number(Permissoes(feito), 8).toStdString();
            }
        }
    }
}

namespace {

// What one member of a group finds of a shared program folder: 0 when it can write the database
// (its journal there while a transaction is open, with the database's permissions) and the
// settings; 2 when the database takes no writes; 3 when the data folder keeps this member out,
// told in words; other numbers for any other outcome.
int UsaPastaCompartilhada(const QString& programa)
{
    qputenv("PRUV2003_HOME", QFile::encodeName(programa));
    QString falha;
    if (!TPastas::Cria(falha))
        return falha.startsWith(QStringLiteral("não foi possível usar a pasta ") + TPastas::Dados()
                                + QStringLiteral(": o acesso à pasta ou ao arquivo foi negado"))
            ? 3
            : 4;
    try {
        TDatabase banco(TPastas::Dados() + QStringLiteral("/pruv2003.db"));
        if (banco.SomenteLeitura())
            return 2;
        if (sqlite3_exec(banco.Conexao(), "CREATE TABLE IF NOT EXISTS t(a); BEGIN; INSERT INTO t VALUES (1);", nullptr,
                         nullptr, nullptr)
            != SQLITE_OK)
            return 5;
        if (Permissoes(banco.Arquivo() + QStringLiteral("-journal")) != Permissoes(banco.Arquivo()))
            return 6;
        if (sqlite3_exec(banco.Conexao(), "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
            return 7;
        TArquivoIni::GravaString(QStringLiteral("Geral"), QStringLiteral("JahMostrou"), QStringLiteral("1"));
    } catch (const std::exception&) {
        return 8;
    }
    return 0;
}

}   // namespace

// A program folder a group shares (setgid, the group may write): the data folder, the database,
// its journal and the settings that one member's copy makes follow the folder's group, as far as
// that member's umask lets the group in; then the next member, and the first again after it, use
// them. Where the umask keeps the group out, the other member is told so, in words.
TEST(PastaCompartilhada, WhatOneMemberMakesTheNextUsesAsFarAsTheUmaskLetsTheGroupIn)
{
    constexpr int Grupo = 65534;
    constexpr int Primeiro = 65533;
    constexpr int Segundo = 65534;
    if (const QString motivo = ProgramaDeTeste::AbreAOutroUsuario(Segundo); !motivo.isEmpty())
        GTEST_SKIP() << motivo.toStdString();
    const struct {
        mode_t mascara;
        int segundo;             // what the second member finds
        mode_t dados, arquivo;   // the data folder and the database, the settings
    } casos[] = {
        {002, 0, 02770, 0660},
        {007, 0, 02770, 0660},
        {027, 2, 02750, 0640},
        {077, 3, 02700, 0600},
    };
    for (const auto& c : casos) {
        const QString programa = ProgramaDeTeste::Pasta()
            + QStringLiteral("/comum-%1").arg(c.mascara, 3, 8, QLatin1Char('0'));
        SCOPED_TRACE(programa.toStdString());
        ASSERT_TRUE(QDir().mkpath(programa));
        ASSERT_EQ(::chown(QFile::encodeName(programa).constData(), 0, Grupo), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(programa).constData(), 02770), 0);
        const auto usa = [&programa] { return UsaPastaCompartilhada(programa); };
        ASSERT_EQ(NoProcessoLimitado(usa, Primeiro, c.mascara, 10, Grupo), 0);
        EXPECT_EQ(Permissoes(programa + QStringLiteral("/DADOS")), c.dados);
        EXPECT_EQ(Permissoes(programa + QStringLiteral("/DADOS/pruv2003.db")), c.arquivo);
        EXPECT_EQ(Permissoes(programa + QStringLiteral("/pruv2003.ini")), c.arquivo);
        EXPECT_EQ(NoProcessoLimitado(usa, Segundo, c.mascara, 10, Grupo), c.segundo)
            << "0: used; 2: read only; 3: kept out, told; 4: kept out, not told why; 5-8: failed";
        EXPECT_EQ(NoProcessoLimitado(usa, Primeiro, c.mascara, 10, Grupo), 0) << "the first member again";
    }
}

TEST_F(FalhasDeArquivoTest, TheProgramFolderIsTakenFromALockNoCopyHoldsAndHeldAgainstASecondCopy)
{
    // What a start killed before its lock was written, or a power cut, leaves.
    const QString lock = TPastas::Programa() + QLatin1Char('/') + TPastaEmUso::NomeArquivo();
    static std::unique_ptr<TPastaEmUso> copia;
    Operacao op{
        [&] {
            copia.reset();
            Grava(lock, QByteArray());
        },
        [&] {
            // Taken, let go (its file removed) and taken again, as two starts one after the other.
            auto primeira = std::make_unique<TPastaEmUso>(TPastas::Programa());
            if (primeira->Trava() != TPastaEmUso::TResultado::Travado)
                return false;
            primeira.reset();
            copia = std::make_unique<TPastaEmUso>(TPastas::Programa());
            return copia->Trava() == TPastaEmUso::TResultado::Travado;
        },
        [&] {
            TPastaEmUso outra(TPastas::Programa());
            return outra.Trava() == TPastaEmUso::TResultado::Travado ? QStringLiteral("free")
                                                                     : QStringLiteral("in use");
        },
        {},
    };
    GuardaAbaixo("program folder lock", op);
    copia.reset();
}

// The session's marker: a start killed at any of its calls (making the marker, writing it, opening
// the socket, letting both go at the end) leaves nothing that keeps the next start in the same
// session out, and a start that comes up keeps every later one out.
TEST_F(FalhasDeArquivoTest, TheSessionMarkerLeftByAKilledStartKeepsNoLaterStartOut)
{
    const QString sessao = ProgramaDeTeste::Pasta() + QStringLiteral("/sessao");
    static std::unique_ptr<TInstanciaUnica> copia;
    Operacao op{
        [&] {
            copia.reset();
            QDir(sessao).removeRecursively();
        },
        [&] {
            // A start that comes up and ends, then the next that comes up and answers later ones
            // (one whose socket could not be opened is no single instance: it is let go).
            auto primeira = std::make_unique<TInstanciaUnica>(sessao);
            if (primeira->InstanciaAnterior())
                return false;
            primeira.reset();
            copia = std::make_unique<TInstanciaUnica>(sessao);
            QLocalSocket pedido;
            if (!copia->InstanciaAnterior()
                && (pedido.connectToServer(sessao + QStringLiteral("/Pruv 2003")), pedido.waitForConnected(1000)))
                return true;
            copia.reset();
            return false;
        },
        [&] {
            TInstanciaUnica seguinte(sessao);
            return QLatin1String(copia ? "a copy runs" : "none runs") + QLatin1String("; the next start ")
                + QLatin1String(seguinte.InstanciaAnterior() ? "ends" : "comes up");
        },
        {},
    };
    GuardaAbaixo("session marker", op);
    copia.reset();
}

TEST_F(FalhasDeArquivoTest, AnEarlierDeliveryFileStaysUntilTheNewOneIsInPlaceAndRecorded)
{
    // A declaration stored in the database, whose delivery file is written over an earlier one;
    // the day goes into the receipt data packed in the file, so the earlier file differs from the
    // new one in what it holds, not only in its bytes. The only yes: over the earlier file.
    const PastaDeEntrega entrega;
    const auto gera = [&](int dia) { return EntregaDoBanco(entrega.Fixo, dia, {}, 1).Codigo == R::Ok; };
    ASSERT_TRUE(GuardaDeclaracao());
    ASSERT_TRUE(gera(13));
    const QMap<QString, QByteArray> anteriores = Guardados(entrega.Base);
    ASSERT_FALSE(anteriores.isEmpty());
    Operacao op{
        [&] {
            GuardaDeclaracao();
            Devolve(entrega.Base, anteriores);
            RemoveTextosDaEntrega();
        },
        [&] { return gera(14); },
        [&] { return Entregas(entrega.Base, anteriores) + QStringLiteral("\n") + FalhasDeDisco::Conteudo(Banco()); },
        {},
        true,
    };
    GuardaAbaixo("delivery file over an earlier one", op);
}

}   // namespace
