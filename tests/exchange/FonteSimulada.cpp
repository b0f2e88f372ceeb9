#include "FonteSimulada.h"

#include "model/values/TErro.h"

FonteSimulada::Declaracao* FonteSimulada::Procura(const QString& Ano, const QString& Ni)
{
    for (Declaracao& d : Declaracoes)
        if (d.Dados.Ano == Ano && d.Dados.Ni == Ni)
            return &d;
    return nullptr;
}

bool FonteSimulada::Carrega(const QString& Ano, const QString& Ni, TDeclaracaoEntrega& Destino)
{
    const Declaracao* d = Procura(Ano, Ni);
    if (d)
        Destino = d->Dados;
    return d != nullptr;
}

std::vector<TAnexoEntrega> FonteSimulada::Anexos(const TDeclaracaoEntrega& Dono)
{
    std::vector<TAnexoEntrega> anexos;
    for (const auto& [anexo, itens] : Procura(Dono.Ano, Dono.Ni)->Anexos)
        anexos.push_back(anexo);
    return anexos;
}

void FonteSimulada::AbreItens(const TDeclaracaoEntrega& Dono, const TAnexoEntrega* Anexo)
{
    const Declaracao* d = Procura(Dono.Ano, Dono.Ni);
    FItens = &d->Itens;
    for (const auto& [anexo, itens] : d->Anexos)
        if (Anexo && anexo.Ni == Anexo->Ni)
            FItens = &itens;
    FProximo = 0;
}

bool FonteSimulada::ProximoItem(TItemEntrega& Item)
{
    if (FProximo >= FItens->size())
        return false;
    Item = (*FItens)[FProximo++];
    if (AoLerItem)
        AoLerItem(++FLidos);
    return true;
}

std::unique_ptr<TErro> FonteSimulada::RegistraGeracao(const QString& Ano, const QString& Ni, const QString& Raiz,
                                                      const QDateTime& Data, int Estabelecimentos)
{
    Registros << QStringLiteral("geracao %1 %2 %3 %4 %5")
                     .arg(Ano, Ni, Raiz, Data.toString(Qt::ISODate), QString::number(Estabelecimentos));
    if (AoRegistrarGeracao)
        AoRegistrarGeracao();
    const auto erro = ErrosGeracao.find(Ni);
    return erro == ErrosGeracao.end() ? nullptr : std::make_unique<TErro>(erro->second, QString(), 0);
}

std::optional<double> FonteSimulada::DataGravada(const QString& Ano, const QString& Ni)
{
    (void)Ni;
    for (auto registro = Registros.crbegin(); registro != Registros.crend(); ++registro) {
        if (*registro == QLatin1String("desfeito"))
            return 0;
        const QStringList partes = registro->split(QLatin1Char(' '));
        if (partes.size() > 4 && partes[0] == QLatin1String("geracao") && partes[1] == Ano)
            return static_cast<double>(QDateTime::fromString(partes[4], Qt::ISODate).toSecsSinceEpoch());
    }
    return 0;
}

void FonteSimulada::RegistraVolumes(const QString& Ano, const QString& Ni, int Volumes)
{
    Registros << QStringLiteral("volumes %1 %2 %3").arg(Ano, Ni, QString::number(Volumes));
}

ItemSimulado::ItemSimulado(const char* CodigoItem, const char* Ni, const char* Nome)
{
    this->Codigo = QString::fromUtf8(CodigoItem);
    NiBeneficiario = QString::fromUtf8(Ni);
    BeneficiarioPf = NiBeneficiario.size() == 11;
    NomeBeneficiario = QString::fromUtf8(Nome);
}

ItemSimulado& ItemSimulado::Em(TSerie Serie, int De, int Ate, qint64 Valor)
{
    for (int mes = De; mes <= Ate; ++mes)
        this->Valor(Serie, mes) = Valor;
    return *this;
}
