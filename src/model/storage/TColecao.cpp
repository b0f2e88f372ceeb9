#include "model/storage/TColecao.h"

#include <exception>
#include <limits>
#include <stdexcept>

#include "components/data/datasets/TdvTable.h"
#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "model/values/TratamentoTexto.h"
#include "platform/db/sqlite/EDatabaseError.h"
#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TDatabase.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

// The destructor's last resort: the dialog seam itself may fail, and then only the log is left.
void Relata(const TErro& erro)
{
    try {
        erro.Exibe();
    } catch (const std::exception& e) {
        qCritical("%s (%s)", erro.what(), e.what());
    }
}

}   // namespace

TColecao::TColecao() = default;

TColecao::~TColecao()
{
    ConcluiNoDestrutor([this] { Fecha(); });
}

void TColecao::Fecha()
{
    std::exception_ptr primeira;
    const auto passo = [&](auto&& acao) {
        try {
            try {
                acao();
            } catch (const EDatabaseError& e) {
                throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
            }
        } catch (...) {
            if (!primeira)
                primeira = std::current_exception();
        }
    };
    passo([&] { Grava(); });
    // A row that could not be posted is dropped rather than left to block the closing.
    passo([&] {
        if (FTabela && FTabela->Active() && EmEdicao(*FTabela))
            FTabela->Cancel();
    });
    passo([&] { TColecao::SetGravarEmDisco(true); });
    passo([&] { FechaTabelaColecao(); });
    passo([&] { FechaTabelaAux(); });
    if (primeira)
        std::rethrow_exception(primeira);
}

void TColecao::ConcluiNoDestrutor(const std::function<void()>& Passo) noexcept
{
    try {
        Passo();
    } catch (const TErro& e) {
        Relata(e);
    } catch (const std::exception& e) {
        Relata(EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ErroRetornado(NomeTabela(), TextoDaFalha(e)), 0));
    }
}

void TColecao::SetGravarEmDisco(bool Gravar)
{
    if (Gravar == FGravarEmDisco)
        return;
    try {
        if (!Gravar) {
            if (FTabela) {
                auto banco = FTabela->OpenDatabase();
                banco->SetWriteThrough(false);
                FLote = std::move(banco);
            }
            FGravarEmDisco = false;
            return;
        }
        FGravarEmDisco = true;
        if (const auto banco = std::move(FLote))
            banco->SetWriteThrough(true);
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
}

bool TColecao::Grava()
{
    if (!FTabela)
        return true;
    try {
        if (EmEdicao(*FTabela))
            FTabela->Post();
        if (FGravarEmDisco)
            GravaEmDisco();
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
    return true;
}

void TColecao::GravaEmDisco()
{
    if (FTabela)
        GravaDisco(*FTabela);
}

void TColecao::Exclui()
{
    Tabela().Delete();
}

void TColecao::Atualiza()
{
    Tabela().Refresh();
}

int TColecao::Quantidade()
{
    return Tabela().RecordCount();
}

void TColecao::SelecionaIndice(const QString& Nome)
{
    SelecionaIndiceTabela(Tabela(), Nome);
}

void TColecao::SelecionaIndiceAux(const QString& Nome)
{
    if (!FTabelaAux)
        throw std::logic_error("the collection has no auxiliary table");
    SelecionaIndiceTabela(*FTabelaAux, Nome);
}

void TColecao::LimpaFiltro()
{
    TdvTable& tabela = Tabela();
    // Without a line or a filter in effect the rows shown are already unfiltered: nothing is
    // read again (every caller goes on to find its row).
    if (!tabela.dvFilter().isEmpty() || tabela.FiltroEmEfeito()) {
        tabela.dvFilter().clear();
        tabela.RefreshDvFilter();
    }
    tabela.CancelRange();
    FFiltrado = false;
}

int TColecao::ProximaChave(const QString& Campo)
{
    TdvTable& tabela = Tabela();
    qint64 maior = 0;
    int largura = 0;
    try {
        const TField* campo = tabela.FieldByName(Campo);
        if (campo->DataType() == ftString)
            largura = campo->Size();
        TDatabase& banco = *tabela.OpenDatabase();
        const QString coluna = TEsquemaTabela::Aspas(campo->FieldName());
        const QString nomeTabela = TEsquemaTabela::Aspas(banco.NomeReal(tabela.TableName()));
        const auto primeiroTexto = [&](const QString& sql) {
            TComando& consulta = banco.Comando(sql);
            QString texto;
            if (consulta.Passo())
                texto = consulta.Texto(0);
            consulta.Reinicia();
            return texto;
        };
        // The last key in the column's order, by one seek of the key's index. Every write is cut
        // to the column's width: when that key fills it with digits, no key of digits (a shorter
        // one included) is a higher number, and the rows need not all be weighed, which for each
        // new fund of an administrator with thousands would cost as much as the table holds.
        const QString ultima = primeiroTexto(QStringLiteral("SELECT max(%1) FROM %2").arg(coluna, nomeTabela));
        if (largura > 0 && ultima.size() == largura && SoNumeros(ultima)) {
            maior = ultima.toLongLong();
        } else if (!ultima.isEmpty()) {
            // Every row of the table counts, whatever the range and filter: the highest all-digit key.
            const QString digitos = primeiroTexto(
                QStringLiteral("SELECT ltrim(%1, '0') FROM %2 WHERE %1 <> '' AND %1 NOT GLOB '*[^0-9]*' "
                               "ORDER BY length(ltrim(%1, '0')) DESC, ltrim(%1, '0') DESC LIMIT 1")
                    .arg(coluna, nomeTabela));
            maior = digitos.size() > 18 ? std::numeric_limits<qint64>::max() - 1 : digitos.toLongLong();
        }
    } catch (const EDatabaseError& e) {
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada, ParametroEscrita(NomeTabela(), e), 0);
    }
    const qint64 proxima = maior + 1;
    if (proxima > std::numeric_limits<int>::max() || (largura > 0 && QString::number(proxima).size() > largura))
        throw EColecaoError(CodigoMensagem::TabelaNaoAtualizada,
                            ErroRetornado(NomeTabela(), QStringLiteral("não há chave livre no campo ") + Campo), 0);
    return static_cast<int>(proxima);
}

bool TColecao::Bof() const
{
    return Tabela().Bof();
}

bool TColecao::Eof() const
{
    return Tabela().Eof();
}

bool TColecao::NoPrimeiro()
{
    return NaPonta(gmPrior);
}

bool TColecao::NoUltimo()
{
    return NaPonta(gmNext);
}

bool TColecao::NaPonta(TGetMode lado)
{
    TdvTable& tabela = Tabela();
    if (!tabela.Active() || (lado == gmPrior ? Bof() : Eof()))
        return true;
    // A row being inserted has no place among the others yet: neither end.
    if (tabela.State() == dsInsert)
        return false;
    return !tabela.TemVizinho(lado);
}

bool TColecao::EstaVazia()
{
    Primeiro();
    Ultimo();
    return Bof() && Eof();
}

void TColecao::Primeiro()
{
    if (!Bof())
        Tabela().First();
}

void TColecao::Proximo()
{
    if (!Eof())
        Tabela().Next();
}

void TColecao::Anterior()
{
    if (!Bof())
        Tabela().Prior();
}

void TColecao::Ultimo()
{
    if (!Eof())
        Tabela().Last();
}

void TColecao::CriaTabelaColecao(const QString& NomeArquivo)
{
    FTabela = CriaTabela(NomeArquivo);
}

void TColecao::CriaTabelaAux(const QString& NomeArquivo)
{
    FTabelaAux = CriaTabela(NomeArquivo);
}

bool TColecao::CriaEsquema(std::vector<TFieldDef> (*Campos)(), std::vector<TIndexDef> (*Indices)())
{
    TdvTable& tabela = Tabela();
    try {
        if (tabela.Exists())
            return false;
        tabela.CreateTable(Campos(), Indices());
        return true;
    } catch (const EDatabaseError& e) {
        throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(tabela.TableName(), e), TipoDialogo::Erro,
                          Botao::Ok, 0);
    }
}

namespace {

void Abre(TdvTable& tabela)
{
    try {
        if (tabela.Active())
            tabela.Close();
        tabela.Open();
    } catch (const EDatabaseError& e) {
        throw EDadosError(CodigoMensagem::TabelaNaoAberta, ParametroAbertura(tabela.TableName(), e), TipoDialogo::Erro,
                          Botao::Ok, 0);
    }
}

}   // namespace

void TColecao::AbreTabelaColecao()
{
    Abre(Tabela());
    VerificaEspacoEmDisco();
}

void TColecao::AbreTabelaColecaoRestrita(const std::function<void()>& Restringe)
{
    EmReposicaoAdiada(Tabela(), [&] {
        AbreTabelaColecao();
        Restringe();
    });
}

void TColecao::AbreTabelaAux()
{
    if (!FTabelaAux)
        throw std::logic_error("the collection has no auxiliary table");
    Abre(*FTabelaAux);
}

void TColecao::FechaTabelaColecao()
{
    if (FTabela)
        FechaTabela(*FTabela);
}

void TColecao::FechaTabelaAux()
{
    if (FTabelaAux && FTabelaAux->Active())
        FTabelaAux->Close();
}

TdvTable& TColecao::Tabela() const
{
    if (!FTabela)
        throw std::logic_error("the collection has no table yet");
    return *FTabela;
}

QString TColecao::NomeTabela() const
{
    return FTabela ? FTabela->TableName() : QString();
}
