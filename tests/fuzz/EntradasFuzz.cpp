#include "EntradasFuzz.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sqlite3.h>

#include "exchange/import/TArqComprovante.h"
#include "exchange/delivery/TDeclaracaoEntrega.h"
#include "exchange/import/TImportacaoPruv.h"
#include "exchange/delivery/TItemEntrega.h"
#include "exchange/import/TListaNiImportadosCR.h"
#include "exchange/import/TLogErros.h"
#include "exchange/delivery/TRegistroTipo1.h"
#include "exchange/delivery/TRegistroTipo2.h"
#include "model/codes/TColecaoCodigoRetencao.h"
#include "model/declaration/TColecaoPruv.h"
#include "model/declaration/TPruv.h"
#include "model/schema/EsquemaPrograma.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TTransacao.h"
#include "platform/files/TPastas.h"
#include "platform/ui/IDialogos.h"
#include "platform/ui/InterfaceUsuario.h"

namespace {

const QString Empresa = QStringLiteral("11222333000181");
const QString Pessoa = QStringLiteral("11144477735");

// Answers every question with the answer of the run, and every message with OK.
class TDialogosAutomaticos final : public IDialogos {
public:
    Resposta Escolha = Resposta::Sim;
    Resposta Mostra(const TMensagemDialogo& Mensagem) override
    {
        if ((Mensagem.Botoes & (Botao::Sim | Botao::Nao)) == 0)
            return Resposta::Ok;
        // The question whether to try opening a file again is answered No: it would not open.
        return Mensagem.Texto.endsWith(QStringLiteral("Tentar Novamente?")) ? Resposta::Nao : Escolha;
    }
};

void Falha(const char* Invariante)
{
    std::fprintf(stderr, "import invariant broken: %s\n", Invariante);
    std::abort();
}

// The program folder prepared once: folders, withholding codes, one stored declaration with
// three beneficiaries for the income statements.
struct TAmbiente {
    QString Pasta;
    std::shared_ptr<TDatabase> Banco;   // held: an in-memory database lasts while held
    TDialogosAutomaticos Dialogos;
    std::unique_ptr<TColecaoPruv> Colecao;
    TErros Erros;
    std::unique_ptr<TPruv> Declaracao;

    TAmbiente()
        : Pasta(TPastas::Programa())
    {
        InterfaceUsuario::Instala(&Dialogos);
        if (!TPastas::Cria())
            Falha("the program folder cannot be made");
        Banco = TDatabase::DaPasta(DiretorioDados());
        // Every table made before the runs, as the program does when it opens the database: a
        // table first made inside a run would go with its undoing, and each run would change
        // the schema, which the database's kept schemas and statements then forget.
        CriaTabelasPrograma(*Banco);
        TListaNiImportadosCR();
        TColecaoCodigoRetencao(QStringLiteral("2002"), QStringLiteral(PRUV_PASTA_RECURSOS "/CodRet.txt"));
        Colecao = std::make_unique<TColecaoPruv>();
        Declaracao = std::make_unique<TPruv>();
        Declaracao->SetErros(&Erros);
        Declaracao->GetDeclarante().SetNi(Empresa);
        Declaracao->GetDeclarante().Nome().SetTexto(QStringLiteral("COMERCIO E FILHOS LTDA"));
        Declaracao->SetAno(QStringLiteral("2002"));
        Declaracao->SetNatureza(Declaracao->GetNaturezas().GetTodas()[0]);
        // Its beneficiaries come in through the importer itself.
        TDeclaracaoEntrega dados;
        dados.Ano = QStringLiteral("2002");
        dados.Ni = Empresa;
        dados.Nome = Declaracao->GetDeclarante().Nome().GetTexto();
        QByteArray texto = TRegistroTipo1::Monta(1, dados, QString(), QString()).Bytes() + "\r\n";
        int sequencia = 1;
        for (const char* cpf : {"32165498791", "98765432100", "12345678909"}) {
            TItemEntrega item;
            item.Codigo = QLatin1String(cpf) == QLatin1String("12345678909") ? QStringLiteral("8053")
                                                                             : QStringLiteral("0561");
            item.BeneficiarioPf = true;
            item.NiBeneficiario = QLatin1String(cpf);
            item.NomeBeneficiario = QStringLiteral("BENEFICIARIO DE TESTE");
            for (int mes = 1; mes <= 12; ++mes)
                item.Valor(TItemEntrega::Rendimento, mes) = 10000000;
            texto += TRegistroTipo2::Monta('2', ++sequencia, Empresa, item, 0).Bytes() + "\r\n";
        }
        const QString arquivo = Pasta + QStringLiteral("/base.txt");
        QFile saida(arquivo);
        if (!saida.open(QIODevice::WriteOnly) || saida.write(texto) != texto.size())
            Falha("the base declaration cannot be written");
        saida.close();
        TImportacaoPruv importacao;
        const TResultadoImportacao resultado = importacao.Importa(*Colecao, TPedidoImportacao(arquivo, *Declaracao));
        if (resultado.Codigo != 0 || resultado.Contadores.BeneficiariosAdicionados != 3)
            Falha("the base declaration was not stored");
        if (!Colecao->Carrega(*Declaracao))
            Falha("the base declaration cannot be read back");
    }

    ~TAmbiente()
    {
        Declaracao.reset();
        Colecao.reset();
        InterfaceUsuario::Instala(static_cast<IDialogos*>(nullptr));
    }
};

std::unique_ptr<TAmbiente> ambiente;

TAmbiente& Ambiente()
{
    // A replaying test gives each of its cases a program folder of its own.
    if (!ambiente || ambiente->Pasta != TPastas::Programa()) {
        ambiente.reset();
        ambiente = std::make_unique<TAmbiente>();
    }
    return *ambiente;
}

QString GravaEntrada(const std::uint8_t* Dados, std::size_t Tamanho)
{
    const QString arquivo = TPastas::Programa() + QStringLiteral("/entrada.txt");
    QFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly)
        || saida.write(reinterpret_cast<const char*>(Dados), static_cast<qint64>(Tamanho))
            != static_cast<qint64>(Tamanho))
        Falha("the input cannot be written");
    return arquivo;
}

// The two files of the log have the same number of lines, and that number (past the log's bound,
// the bound and its closing line).
void ConfereLog(const QString& NomeBase, int Registradas)
{
    const int Esperadas = Registradas > TLogErros::MaximoRegistros ? TLogErros::MaximoRegistros + 1 : Registradas;
    TLogErros log;
    int pares = 0;
    if (QFile::exists(log.Pasta() + QLatin1Char('/') + NomeBase + QStringLiteral(".dsc"))) {
        if (!log.AbreLeitura(NomeBase))
            Falha("the log cannot be read back");
        while (log.LeProximo())
            ++pares;
        if (log.LeProximo())
            Falha("the log reads on after its end");
        QFile dsc(log.NomeArquivoDsc());
        QFile txt(log.NomeArquivoTxt());
        if (!dsc.open(QIODevice::ReadOnly) || !txt.open(QIODevice::ReadOnly)
            || dsc.readAll().count('\n') != txt.readAll().count('\n'))
            Falha("the two files of the log are out of step");
        log.Fecha();
    }
    if (pares != Esperadas)
        Falha("the counts do not match the log");
}

}   // namespace

int ImportaEntregaFuzz(const std::uint8_t* Dados, std::size_t Tamanho)
{
    TAmbiente& a = Ambiente();
    std::uint8_t opcoes = 0;
    if (Tamanho > 0 && Dados[0] < 0x10) {
        opcoes = Dados[0];
        ++Dados;
        --Tamanho;
    }
    a.Dialogos.Escolha = (opcoes & 8) != 0 ? Resposta::Nao : Resposta::Sim;
    const QString arquivo = GravaEntrada(Dados, Tamanho);

    TErros erros;
    TPruv alvo;
    alvo.SetErros(&erros);
    const bool pessoa = (opcoes & 4) != 0;
    alvo.GetDeclarante().SetNi(pessoa ? Pessoa : Empresa);
    alvo.GetDeclarante().Nome().SetTexto(pessoa ? QStringLiteral("JOSE DA SILVA")
                                                : QStringLiteral("COMERCIO E FILHOS LTDA"));
    alvo.SetAnoSemExcecao((opcoes & 2) != 0 ? QStringLiteral("1999") : QStringLiteral("2002"));
    alvo.SetNaturezaSemExcecao(alvo.GetNaturezas().GetTodas()[pessoa ? 8 : 3]);

    // Whatever the run stores is undone, so that the next one starts from the same data.
    const auto banco = TDatabase::DaPasta(DiretorioDados());
    TResultadoImportacao resultado;
    {
        TTransacao desfazer(*banco);
        TImportacaoPruv importacao;
        TPedidoImportacao pedido(arquivo, alvo);
        pedido.ArquivoCompactado = (opcoes & 1) != 0;
        pedido.Leiaute = (opcoes & 2) != 0 ? 2 : 0;
        resultado = importacao.Importa(*a.Colecao, pedido);
    }
    a.Colecao->Atualiza();
    if (resultado.Codigo != 0)
        Falha("the import failed");
    ConfereLog(resultado.NomeLog, resultado.Contadores.RegistrosRejeitados + resultado.Contadores.Avisos);
    return 0;
}

int ImportaComprovantesFuzz(const std::uint8_t* Dados, std::size_t Tamanho)
{
    TAmbiente& a = Ambiente();
    const QString arquivo = GravaEntrada(Dados, Tamanho);
    const auto banco = TDatabase::DaPasta(DiretorioDados());
    std::uint8_t resultado = 0;
    int rejeitadas = 0;
    QString nome;
    const qint64 escritasAntes = sqlite3_total_changes64(banco->Conexao());
    {
        TTransacao desfazer(*banco);
        TArqComprovante importacao(arquivo, *a.Declaracao);
        resultado = importacao.Importa(nullptr);
        rejeitadas = importacao.Rejeitadas();
        nome = importacao.NomeLog();
        // Its collections drop what the undone rows left in them, as the program's undoing of
        // a transaction has them do (the statement collections made afresh, the others reading
        // the tables again); when no row was written there is nothing undone, and they stay as
        // an import that stored nothing leaves them.
        if (sqlite3_total_changes64(banco->Conexao()) != escritasAntes)
            a.Declaracao->DesfazColecoes();
    }
    if (resultado != 0)
        Falha("the import failed");
    ConfereLog(nome, rejeitadas);
    return 0;
}
