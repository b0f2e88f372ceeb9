#include "platform/report/TBanda.h"

#include <algorithm>

#include "platform/report/TRotulo.h"

TBanda::TBanda(TTipoBanda tipo, QString nome) : FTipo(tipo), FNome(std::move(nome)) {}

TBanda::~TBanda()
{
    // The report destroys its bands together; the links only need to stay consistent for
    // a band that goes alone.
    if (FPai != nullptr && FPai->FFilha == this)
        FPai->FFilha = nullptr;
    if (FFilha != nullptr && FFilha->FPai == this)
        FFilha->FPai = nullptr;
}

TRotulo& TBanda::AdicionaRotulo(const QString& nome, const QString& texto, qreal esquerda,
                                qreal topo, const QFont& fonte)
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

void TBanda::Desenha(QPainter& pintor, QPointF origem, const TContextoImpressao& contexto) const
{
    for (const auto& e : FElementos)
        if (e->Habilitado)
            e->Desenha(pintor, origem, contexto);
}
