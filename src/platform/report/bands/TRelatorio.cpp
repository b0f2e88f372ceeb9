#include "platform/report/bands/TRelatorio.h"

#include <algorithm>

#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/bands/TGeracao.h"
#include "platform/report/bands/TGrupo.h"
#include "platform/report/bands/TSubDetalhe.h"

TRelatorio::TRelatorio(QString nome)
    : Titulo(nome)
    , FNome(std::move(nome))
{}

TRelatorio::~TRelatorio()
{
    // The generation refers to the document and the bands: it goes first.
    FGeracao.reset();
}

TBanda& TRelatorio::Guarda(std::unique_ptr<TBanda> banda)
{
    if (banda->Nome().isEmpty() || BandaPorNome(banda->Nome()) != nullptr)
        throw std::logic_error("Nome de banda vazio ou repetido: " + banda->Nome().toStdString());
    // A child band is reached only through its parent: one made while the report generates
    // (a box that goes on over more pages than it had parts for) changes nothing the
    // generation holds.
    if (Gerando() && banda->Tipo() != TTipoBanda::Filha)
        throw std::logic_error("Banda criada durante a geração do relatório");
    FBandas.push_back(std::move(banda));
    return *FBandas.back();
}

TBanda& TRelatorio::CriaBanda(TTipoBanda tipo, const QString& nome)
{
    TBanda** unica = nullptr;
    switch (tipo) {
    case TTipoBanda::CabecalhoPagina:
        unica = &FCabecalhoPagina;
        break;
    case TTipoBanda::RodapePagina:
        unica = &FRodapePagina;
        break;
    case TTipoBanda::Titulo:
        unica = &FTitulo;
        break;
    case TTipoBanda::CabecalhoColunas:
        unica = &FCabecalhoColunas;
        break;
    case TTipoBanda::Detalhe:
        unica = &FDetalhe;
        break;
    case TTipoBanda::Sumario:
        unica = &FSumario;
        break;
    case TTipoBanda::SubDetalhe:
        throw std::logic_error("Sub-detalhe se cria com CriaSubDetalhe: " + nome.toStdString());
    case TTipoBanda::CabecalhoGrupo:
    case TTipoBanda::RodapeGrupo:
    case TTipoBanda::Filha:
        break;
    }
    if (unica != nullptr && *unica != nullptr)
        throw std::logic_error("O relatório já tem uma banda deste tipo: " + nome.toStdString());
    TBanda& banda = Guarda(std::make_unique<TBanda>(tipo, nome));
    if (unica != nullptr)
        *unica = &banda;
    return banda;
}

TBanda& TRelatorio::CriaFilha(const QString& nome, TBanda& pai)
{
    TBanda& filha = CriaBanda(TTipoBanda::Filha, nome);
    filha.DefinePai(&pai);
    return filha;
}

TGrupo& TRelatorio::CriaGrupo(const QString& nome)
{
    auto& grupo = static_cast<TGrupo&>(Guarda(std::make_unique<TGrupo>(nome)));
    FGrupos.push_back(&grupo);
    return grupo;
}

TSubDetalhe& TRelatorio::CriaSubDetalhe(const QString& nome)
{
    auto& sub = static_cast<TSubDetalhe&>(Guarda(std::make_unique<TSubDetalhe>(nome)));
    FSubDetalhes.push_back(&sub);
    return sub;
}

TBanda* TRelatorio::Banda(TTipoBanda tipo) const
{
    switch (tipo) {
    case TTipoBanda::CabecalhoPagina:
        return FCabecalhoPagina;
    case TTipoBanda::RodapePagina:
        return FRodapePagina;
    case TTipoBanda::Titulo:
        return FTitulo;
    case TTipoBanda::CabecalhoColunas:
        return FCabecalhoColunas;
    case TTipoBanda::Detalhe:
        return FDetalhe;
    case TTipoBanda::Sumario:
        return FSumario;
    default:
        return nullptr;
    }
}

TBanda* TRelatorio::BandaPorNome(const QString& nome) const
{
    for (const auto& b : FBandas)
        if (b->Nome() == nome)
            return b.get();
    return nullptr;
}

int TRelatorio::NumeroPagina() const
{
    return FGeracao != nullptr ? FGeracao->NumeroPagina() : 0;
}

qreal TRelatorio::YAtual() const
{
    return FGeracao != nullptr ? FGeracao->Y() : FPapel.MargemSuperior;
}

qreal TRelatorio::AlturaUtil() const
{
    qreal limite = FPapel.Altura() - FPapel.MargemInferior;
    if (FRodapePagina != nullptr && FRodapePagina->Habilitada)
        limite -= FRodapePagina->Altura;
    return limite;
}

qreal TRelatorio::AlturaPaginaNova() const
{
    return FGeracao != nullptr ? FGeracao->AlturaPaginaNova() : AlturaUtil() - FPapel.MargemSuperior;
}

void TRelatorio::NovaPagina()
{
    if (FGeracao != nullptr)
        FGeracao->NovaPagina();
}

void TRelatorio::DefineProgresso(int percentual)
{
    percentual = std::clamp(percentual, 0, 100);
    if (percentual == FProgresso)
        return;
    FProgresso = percentual;
    if (AoMudarProgresso)
        AoMudarProgresso(FProgresso);
}

int TRelatorio::Prepara()
{
    if (Gerando())
        throw std::logic_error("Relatório preparado durante uma geração");
    FCancelado = false;
    FProgresso = 0;
    FDataHora = FDataHoraFixa.isValid() ? FDataHoraFixa : QDateTime::currentDateTime();
    FGeracao = std::make_unique<TGeracao>(*this, nullptr);
    try {
        if (FGeracao->Inicia())
            while (!FGeracao->Terminada()) {
                FGeracao->Passo();
                if (AoProcessar)
                    AoProcessar();
            }
    } catch (...) {
        FGeracao.reset();
        throw;
    }
    FTotalPaginas = FGeracao->PaginasConcluidas();
    FGeracao.reset();
    return FTotalPaginas;
}

bool TRelatorio::Inicia(bool guardaPaginas)
{
    if (Gerando())
        throw std::logic_error("Relatório gerado durante outra geração");
    FCancelado = false;
    FProgresso = 0;
    FDataHora = FDataHoraFixa.isValid() ? FDataHoraFixa : QDateTime::currentDateTime();
    FGeracao.reset();
    CriaDocumento(1, guardaPaginas);
    FGeracao = std::make_unique<TGeracao>(*this, FDocumento.get());
    bool iniciada = false;
    try {
        iniciada = FGeracao->Inicia();
    } catch (...) {
        Abandona();
        throw;
    }
    if (!iniciada) {
        FGeracao.reset();
        FDocumento->Termina(false);
    }
    return iniciada;
}

bool TRelatorio::Continua(int paginas)
{
    if (!Gerando())
        return true;
    try {
        return Executa(paginas);
    } catch (...) {
        Abandona();
        throw;
    }
}

bool TRelatorio::Executa(int paginas)
{
    const int antes = FGeracao->PaginasConcluidas();
    while (!FGeracao->Terminada()) {
        FGeracao->Passo();
        if (AoProcessar)
            AoProcessar();
        if (paginas > 0 && !FGeracao->Terminada() && FGeracao->PaginasConcluidas() - antes >= paginas)
            return false;
    }
    const bool cancelada = FGeracao->Cancelada();
    FGeracao.reset();
    FDocumento->Termina(cancelada);
    return true;
}

bool TRelatorio::Gera(bool guardaPaginas)
{
    if (!Inicia(guardaPaginas))
        return false;
    Continua(0);
    return !FDocumento->Cancelado();
}

void TRelatorio::Abandona()
{
    FGeracao.reset();
    if (FDocumento != nullptr && !FDocumento->Terminado())
        FDocumento->Termina(true);
}

void TRelatorio::LiberaDocumento()
{
    if (!Gerando()) {
        FDocumento.reset();
        return;
    }
    CriaDocumento(FDocumento->NumeroDaPagina(FDocumento->Recebidas() + 1), FDocumento->GuardaPaginas());
    FGeracao->TrocaDocumento(FDocumento.get());
}

void TRelatorio::CriaDocumento(int primeiraPagina, bool guardaPaginas)
{
    FDocumento = std::make_unique<TDocumentoRelatorio>(FPapel, primeiraPagina, guardaPaginas);
    if (AoCriarDocumento)
        AoCriarDocumento(*FDocumento);
}
