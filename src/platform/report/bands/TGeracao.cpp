#include "platform/report/bands/TGeracao.h"

#include "platform/report/pages/TDocumentoRelatorio.h"
#include "platform/report/bands/TGrupo.h"
#include "platform/report/pages/TPaginaGravada.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/bands/TSubDetalhe.h"

TGeracao::TGeracao(TRelatorio& relatorio, TDocumentoRelatorio* documento)
    : R(relatorio)
    , FDocumento(documento)
{
    FGrupoAberto.assign(R.Grupos().size(), false);
    FChaveGrupo.assign(R.Grupos().size(), QString());
}

TGeracao::~TGeracao()
{
    if (FPintor.isActive())
        FPintor.end();
}

bool TGeracao::Inicia()
{
    bool imprime = true;
    if (R.AntesDeGerar)
        R.AntesDeGerar(imprime);
    if (!imprime) {
        FFase = TFase::Terminada;
        return false;
    }
    AbrePagina();
    return true;
}

void TGeracao::Passo()
{
    if (FFase == TFase::Terminada)
        return;
    if (R.Cancelado()) {
        Encerra(true);
        return;
    }
    switch (FFase) {
    case TFase::Mestre:
        PassoMestre();
        break;
    case TFase::SubDetalhes:
        PassoSubDetalhe();
        break;
    case TFase::Fim:
        PassoFim();
        break;
    case TFase::Terminada:
        break;
    }
}

void TGeracao::PassoMestre()
{
    const bool registro = R.PrecisaDados ? R.PrecisaDados() : !FAlgumRegistro;
    if (!registro) {
        FFase = TFase::Fim;
        return;
    }
    FAlgumRegistro = true;
    AtualizaGrupos();
    if (R.FDetalhe != nullptr)
        ImprimeBanda(*R.FDetalhe);
    FSub = 0;
    FSubIniciado = false;
    FFase = TFase::SubDetalhes;
}

void TGeracao::AtualizaGrupos()
{
    const auto& grupos = R.Grupos();
    const std::size_t n = grupos.size();
    if (n == 0)
        return;
    std::vector<QString> chaves(n);
    std::size_t mudou = n;
    for (std::size_t i = 0; i < n; ++i) {
        chaves[i] = grupos[i]->Chave ? grupos[i]->Chave() : QString();
        if (mudou == n && (!FGrupoAberto[i] || chaves[i] != FChaveGrupo[i]))
            mudou = i;
    }
    if (mudou == n)
        return;
    // A footer that goes to a new page does not bring its header along.
    FechaGrupos(mudou);
    for (std::size_t j = mudou; j < n; ++j) {
        FChaveGrupo[j] = chaves[j];
        ImprimeBanda(*grupos[j]);
        FGrupoAberto[j] = true;
    }
}

void TGeracao::FechaGrupos(std::size_t primeiro)
{
    const auto& grupos = R.Grupos();
    for (std::size_t j = grupos.size(); j-- > primeiro;) {
        if (!FGrupoAberto[j])
            continue;
        FGrupoAberto[j] = false;
        if (grupos[j]->Rodape != nullptr)
            ImprimeBanda(*grupos[j]->Rodape);
    }
}

void TGeracao::PassoSubDetalhe()
{
    const auto& subs = R.SubDetalhes();
    while (FSub < subs.size() && !subs[FSub]->Habilitada)
        ++FSub;
    if (FSub >= subs.size()) {
        FFase = TFase::Mestre;
        return;
    }
    TSubDetalhe& sub = *subs[FSub];
    const bool linha = sub.PrecisaDados ? sub.PrecisaDados() : false;
    if (linha) {
        if (!FSubIniciado) {
            FSubIniciado = true;
            if (sub.Cabecalho != nullptr)
                ImprimeBanda(*sub.Cabecalho);
            FCabecalhoSubAberto = true;
        }
        ImprimeBanda(sub);
        return;
    }
    const bool fecha = FSubIniciado || sub.ImprimeSeVazio;
    if (!FSubIniciado && sub.ImprimeSeVazio && sub.Cabecalho != nullptr)
        ImprimeBanda(*sub.Cabecalho);
    FCabecalhoSubAberto = false;
    if (fecha && sub.Rodape != nullptr)
        ImprimeBanda(*sub.Rodape);
    ++FSub;
    FSubIniciado = false;
}

void TGeracao::PassoFim()
{
    if (!FAlgumRegistro && !R.ImprimeSeVazio) {
        DescartaPagina();
        Encerra(false);
        return;
    }
    FechaGrupos(0);
    if (R.FSumario != nullptr)
        ImprimeBanda(*R.FSumario);
    if (!FPaginaAberta && FNumeroPagina == 0)
        AbrePagina();   // nothing asked for a page, yet an empty report prints one
    // A last page that received nothing but its top bands is not kept.
    if (FPaginaAberta && !FPaginaComCorpo && FNumeroPagina > 1)
        DescartaPagina();
    Encerra(false);
}

void TGeracao::Encerra(bool cancelada)
{
    if (FPaginaAberta)
        FechaPagina(true);
    FCancelada = cancelada;
    FFase = TFase::Terminada;
}

bool TGeracao::ImprimeBanda(TBanda& banda)
{
    if (!banda.Habilitada)
        return false;
    AbrePaginaSeFechada();
    bool imprime = true;
    if (banda.AntesDeImprimir)
        banda.AntesDeImprimir(banda, imprime);
    imprime = imprime && banda.Habilitada;
    if (imprime) {
        AbrePaginaSeFechada();   // the event may have ended the page
        const qreal altura = banda.AlturaImpressa(Contexto());
        // Children that stay with the band go to a new page together with it, when a page can
        // hold them all.
        const qreal juntas = altura + banda.AlturaFilhasJuntas(Contexto());
        const qreal pagina = AlturaPaginaNova();
        const bool separaFilhas = juntas > altura && FY + juntas > LimiteCorpo() && juntas <= pagina;
        // What must follow the band goes with it to a new page.
        const qreal comReserva = juntas + banda.ReservaAbaixo;
        const bool semReserva = banda.ReservaAbaixo > 0 && FY + comReserva > LimiteCorpo() && comReserva <= pagina;
        // A page that holds nothing but its top takes the band even when it does not fit:
        // a new page would not have more room.
        if (FPaginaComCorpo && (banda.ForcaNovaPagina || FY + altura > LimiteCorpo() || separaFilhas || semReserva)) {
            FechaPagina(false);
            AbrePagina();
        }
        Desenha(banda, altura);
        FPaginaComCorpo = true;
    }
    if (banda.DepoisDeImprimir)
        banda.DepoisDeImprimir(banda, imprime);
    if (imprime && banda.Filha() != nullptr)
        ImprimeBanda(*banda.Filha());
    return imprime;
}

bool TGeracao::ImprimeNoTopo(TBanda& banda)
{
    if (!banda.Habilitada)
        return false;
    bool imprime = true;
    if (banda.AntesDeImprimir)
        banda.AntesDeImprimir(banda, imprime);
    imprime = imprime && banda.Habilitada;
    if (imprime)
        Desenha(banda, banda.AlturaImpressa(Contexto()));
    if (banda.DepoisDeImprimir)
        banda.DepoisDeImprimir(banda, imprime);
    if (imprime && banda.Filha() != nullptr)
        ImprimeNoTopo(*banda.Filha());
    return imprime;
}

void TGeracao::Desenha(const TBanda& banda, qreal altura)
{
    if (FPintor.isActive()) {
        const std::size_t antes = FDesenho ? FDesenho->Tracos.size() : 0;
        banda.Desenha(FPintor, QPointF(R.Papel().MargemEsquerda, FY), Contexto(),
                      FDesenho ? &FDesenho->Tracos : nullptr);
        if (FDesenho) {
            ++FImpressoes;
            for (std::size_t i = antes; i < FDesenho->Tracos.size(); ++i) {
                FDesenho->Tracos[i].Impressao = FImpressoes;
                FDesenho->Tracos[i].NoTopo = FAbrindo;
                FDesenho->Tracos[i].FicaComPai = banda.FicaComPai;
                FDesenho->Tracos[i].Reserva = banda.ReservaAbaixo;
                FDesenho->Tracos[i].Faixa = QRectF(R.Papel().MargemEsquerda, FY, R.Papel().LarguraUtil(), altura);
            }
        }
    }
    FY += altura;
}

void TGeracao::AbrePagina()
{
    ++FNumeroPagina;
    FPaginaAberta = true;
    FPaginaComCorpo = false;
    FY = R.Papel().MargemSuperior;
    if (FDocumento != nullptr) {
        FGravada = std::make_unique<TPaginaGravada>();
        FPintor.begin(FGravada.get());
        FPintor.setRenderHint(QPainter::Antialiasing);
        FPintor.setRenderHint(QPainter::TextAntialiasing);
        if (TRegistroDesenho::Ativo()) {
            const TPapel& papel = R.Papel();
            FDesenho = std::make_unique<TDesenhoPagina>();
            FImpressoes = 0;
            FDesenho->Documento = R.Titulo;
            FDesenho->Pagina = FNumeroPagina;
            FDesenho->Papel = QSizeF(papel.Largura(), papel.Altura());
            FDesenho->AreaUtil = QRectF(papel.MargemEsquerda, papel.MargemSuperior, papel.LarguraUtil(),
                                        papel.Altura() - papel.MargemSuperior - papel.MargemInferior);
            FDesenho->LimiteCorpo = LimiteCorpo();
        }
    }
    FAbrindo = true;
    // The top every later page repeats: the title is left out, a page header that the first
    // page goes without is counted in.
    FAlturaTopo = 0;
    if (R.FCabecalhoPagina != nullptr && (FNumeroPagina > 1 || R.CabecalhoNaPrimeiraPagina))
        ImprimeNoTopo(*R.FCabecalhoPagina);
    else if (R.FCabecalhoPagina != nullptr && R.FCabecalhoPagina->Habilitada)
        FAlturaTopo = R.FCabecalhoPagina->AlturaImpressa(Contexto());
    if (FNumeroPagina == 1 && !FTituloTentado && R.FTitulo != nullptr) {
        FTituloTentado = true;
        const qreal antes = FY;
        if (ImprimeNoTopo(*R.FTitulo))
            FPaginaComCorpo = true;
        FAlturaTopo -= FY - antes;
    }
    if (R.FCabecalhoColunas != nullptr)
        ImprimeNoTopo(*R.FCabecalhoColunas);
    const auto& grupos = R.Grupos();
    for (std::size_t i = 0; i < grupos.size(); ++i)
        if (FGrupoAberto[i] && grupos[i]->RepeteEmNovaPagina)
            ImprimeNoTopo(*grupos[i]);
    if (FFase == TFase::SubDetalhes && FCabecalhoSubAberto && FSub < R.SubDetalhes().size()) {
        TBanda* cabecalho = R.SubDetalhes()[FSub]->Cabecalho;
        if (cabecalho != nullptr && cabecalho->RepeteEmNovaPagina)
            ImprimeNoTopo(*cabecalho);
    }
    FAlturaTopo += FY - R.Papel().MargemSuperior;
    FAbrindo = false;
}

void TGeracao::AbrePaginaSeFechada()
{
    if (!FPaginaAberta)
        AbrePagina();
}

void TGeracao::FechaPagina(bool ultima)
{
    if (!FPaginaAberta)
        return;
    TBanda* rodape = R.FRodapePagina;
    if (rodape != nullptr && rodape->Habilitada && (!ultima || R.RodapeNaUltimaPagina)) {
        FFechando = true;
        bool imprime = true;
        if (rodape->AntesDeImprimir)
            rodape->AntesDeImprimir(*rodape, imprime);
        imprime = imprime && rodape->Habilitada;
        if (imprime) {
            const qreal altura = rodape->AlturaImpressa(Contexto());
            FY = R.Papel().Altura() - R.Papel().MargemInferior - altura;
            Desenha(*rodape, altura);
        }
        if (rodape->DepoisDeImprimir)
            rodape->DepoisDeImprimir(*rodape, imprime);
        FFechando = false;
    }
    FPaginaAberta = false;
    ++FPaginasConcluidas;
    if (FPintor.isActive()) {
        FPintor.end();
        const QPicture pagina = *FGravada;
        FGravada.reset();
        if (FDesenho) {
            TRegistroDesenho::Notifica(*FDesenho);
            FDesenho.reset();
        }
        FDocumento->AdicionaPagina(pagina);
    }
}

void TGeracao::DescartaPagina()
{
    if (!FPaginaAberta)
        return;
    if (FPintor.isActive())
        FPintor.end();
    FGravada.reset();
    FDesenho.reset();
    FPaginaAberta = false;
    --FNumeroPagina;
}

void TGeracao::NovaPagina()
{
    if (FAbrindo || FFechando || !FPaginaAberta)
        return;
    if (FPaginaComCorpo)
        FechaPagina(false);
    else
        DescartaPagina();
}

qreal TGeracao::Y() const
{
    return FPaginaAberta ? FY : R.Papel().MargemSuperior;
}

qreal TGeracao::LimiteCorpo() const
{
    return R.AlturaUtil();
}

qreal TGeracao::AlturaPaginaNova() const
{
    return LimiteCorpo() - R.Papel().MargemSuperior - FAlturaTopo;
}

TContextoImpressao TGeracao::Contexto() const
{
    return TContextoImpressao{FNumeroPagina, R.TotalPaginas(), R.DataHora()};
}
