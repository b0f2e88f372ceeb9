#include "platform/report/bands/TBanda.h"

#include <algorithm>

#include "platform/report/elements/TRotulo.h"

TBanda::TBanda(TTipoBanda tipo, QString nome)
    : FTipo(tipo)
    , FNome(std::move(nome))
{}

TBanda::~TBanda()
{
    // The report destroys its bands together; the links only need to stay consistent for
    // a band that goes alone.
    if (FPai != nullptr && FPai->FFilha == this)
        FPai->FFilha = nullptr;
    if (FFilha != nullptr && FFilha->FPai == this)
        FFilha->FPai = nullptr;
}

TRotulo& TBanda::AdicionaRotulo(const QString& nome, const QString& texto, qreal esquerda, qreal topo,
                                const QFont& fonte)
{
    TRotulo& rotulo = Adiciona<TRotulo>(nome);
    rotulo.Texto = texto;
    rotulo.Esquerda = esquerda;
    rotulo.Topo = topo;
    rotulo.Fonte = fonte;
    return rotulo;
}

TElementoRelatorio* TBanda::Elemento(const QString& nome) const
{
    for (const auto& e : FElementos)
        if (e->Nome() == nome)
            return e.get();
    return nullptr;
}

void TBanda::DefinePai(TBanda* pai)
{
    if (FTipo != TTipoBanda::Filha)
        throw std::logic_error("Somente uma banda filha tem pai: " + FNome.toStdString());
    for (const TBanda* b = pai; b != nullptr; b = b->FPai)
        if (b == this)
            throw std::logic_error("Banda filha de si mesma: " + FNome.toStdString());
    if (FPai != nullptr)
        FPai->FFilha = nullptr;
    FPai = pai;
    if (pai != nullptr) {
        if (pai->FFilha != nullptr)
            pai->FFilha->FPai = nullptr;
        pai->FFilha = this;
    }
}

qreal TBanda::AlturaImpressa(const TContextoImpressao& contexto) const
{
    qreal altura = Altura;
    for (const auto& e : FElementos)
        if (e->Habilitado)
            altura = std::max(altura, e->AlturaEsticada(contexto));
    return altura;
}

qreal TBanda::AlturaFilhasJuntas(const TContextoImpressao& contexto) const
{
    qreal altura = 0;
    for (const TBanda* f = FFilha; f != nullptr && f->FicaComPai && f->Habilitada; f = f->FFilha)
        altura += f->AlturaImpressa(contexto);
    return altura;
}

void TBanda::Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto,
                     std::vector<TTracoDesenhado>* tracos) const
{
    for (const auto& e : FElementos) {
        if (!e->Habilitado)
            continue;
        e->Desenha(pintor, origem, contexto);
        if (tracos != nullptr) {
            const std::size_t antes = tracos->size();
            e->Registra(*tracos, origem, contexto);
            const bool corpo = FTipo != TTipoBanda::CabecalhoPagina && FTipo != TTipoBanda::RodapePagina
                && FTipo != TTipoBanda::CabecalhoColunas;
            for (std::size_t i = antes; i < tracos->size(); ++i) {
                (*tracos)[i].Banda = FNome;
                (*tracos)[i].NoCorpo = corpo;
                (*tracos)[i].DeFilha = FTipo == TTipoBanda::Filha;
            }
        }
    }
}
