#include "reports/receipt/TFoRelatoRecibo.h"

#include "model/values/TratamentoTexto.h"
#include "shell/common/AvisosImpressora.h"
#include "shell/common/Navegador.h"
#include "shell/common/PapelRelatorio.h"
#include "platform/files/TFormatSettings.h"
#include "platform/report/elements/TDadoSistema.h"
#include "platform/report/elements/TForma.h"
#include "platform/report/bands/TGrupo.h"
#include "platform/report/elements/TMemo.h"
#include "platform/report/bands/TRelatorio.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/pages/TUnidades.h"
#include "reports/forms/FormularioRelato.h"
#include "reports/receipt/TArquivoRecibo.h"

namespace {

// The layout is drawn in millimetres, within the width that A4 leaves between its margins.
constexpr qreal Mm(qreal mm)
{
    return TUnidades::DeMilimetros(mm);
}
constexpr qreal Largura = Mm(185);
constexpr qreal Corpo = 9;   // points
constexpr qreal Secao = 10;
constexpr qreal Rodape = 8;

TRotulo& RotuloMm(TBanda& banda, const QString& nome, const QString& texto, qreal x, qreal y, qreal pontos = Corpo,
                  bool negrito = false)
{
    return Rotulo(banda, nome, texto, Mm(x), Mm(y), pontos, negrito);
}

TRotulo& Centrado(TBanda& banda, const QString& nome, const QString& texto, qreal y, qreal pontos)
{
    TRotulo& rotulo = RotuloMm(banda, nome, texto, 0, y, pontos, true);
    rotulo.Largura = Largura;
    rotulo.Alinhamento = Qt::AlignHCenter;
    return rotulo;
}

// A rule y millimetres down, across the band unless told otherwise.
void Regua(TBanda& banda, const QString& nome, qreal y, qreal x = 0, qreal largura = 185)
{
    Linha(banda, nome, Mm(y) - 1, Mm(largura));
    banda.ElementoDe<TElementoRelatorio>(nome).Esquerda = Mm(x);
}

void DefineTexto(const TBanda& banda, const char* nome, const QString& texto)
{
    banda.ElementoDe<TRotulo>(QString::fromLatin1(nome)).Texto = texto;
}

void Habilita(const TBanda& banda, const char* nome, bool habilitado)
{
    banda.ElementoDe<TElementoRelatorio>(QString::fromLatin1(nome)).Habilitado = habilitado;
}

QString Data(const QDate& data)
{
    const QChar barra = TFormatSettings::Programa().DateSeparator;
    return ZerosAEsquerda(data.day(), 2) + barra + ZerosAEsquerda(data.month(), 2) + barra
        + ZerosAEsquerda(data.year(), 4);
}

// The statement's lines, in print order: the counts, then the amounts of TDadosRecibo::Valores.
const struct {
    const char* titulo;   // a heading that comes before the line, or nullptr
    const char* texto;
    const char* nome;
} LinhasExtrato[] = {
    {"Valores", "01. Beneficiários PF", "QRLBenefPF"},
    {nullptr, "02. Beneficiários PJ", "QRLBenefPJ"},
    {nullptr, "03. Rendimentos Tributáveis", "QRLRend"},
    {nullptr, "04. Deduções", "QRLDeduc"},
    {nullptr, "05. Imposto Retido", "QRLImposto"},
    {"Compensação Judicial", "06. Compensação Ano Atual por Decisão Judicial", "QRLCompAnoAtual"},
    {nullptr, "07. Compensação Anos Anteriores por Decisão Judicial", "QRLCompAnosAnteriores"},
    {"Tributação com Exigibilidade Suspensa", "08. Rendimentos Tributáveis", "QRLRendSJ"},
    {nullptr, "09. Deduções", "QRLDeducSJ"},
    {nullptr, "10. IRRF", "QRLImpostoSJ"},
    {nullptr, "11. Depósito Judicial", "QRLDepositoSJ"},
};

const char* const Estabelecimentos[TDadosRecibo::EntradasPorLinha] = {"QRLEstab1", "QRLEstab2", "QRLEstab3",
                                                                      "QRLEstab4", "QRLEstab5"};

}   // namespace

TFoRelatoRecibo::TFoRelatoRecibo()
    : FRelatorio(std::make_unique<TRelatorio>(QStringLiteral("QRRelatoRecibo")))
{
    FRelatorio->Titulo = QStringLiteral("Recibo de Entrega");
    FRelatorio->Papel().DefineMargensEmMilimetros(10, 10, 12.5, 12.5);
    FRelatorio->AntesDeGerar = [this](bool&) { FLinha = -1; };
    FRelatorio->PrecisaDados = [this] { return ++FLinha < static_cast<int>(FLinhas.size()); };
    CriaTitulo();
    CriaEstabelecimentos();
    CriaExtrato();
    CriaResponsavel();
    CriaObservacao();
    CriaAssinatura();
    CriaRodape();
}

TFoRelatoRecibo::~TFoRelatoRecibo() = default;

void TFoRelatoRecibo::CriaTitulo()
{
    TBanda& b = FRelatorio->CriaBanda(TTipoBanda::Titulo, QStringLiteral("QRBand1"));
    FTitulo = &b;
    b.Altura = Mm(53);
    Centrado(b, QStringLiteral("QRLMinisterio"), QStringLiteral("MINISTÉRIO DA BREVIA"), 0, Secao);
    Centrado(b, QStringLiteral("QRLSecretaria"), QStringLiteral("SECRETARIA DA MORVEX FEDERAL"), 5, Secao);
    Centrado(b, QStringLiteral("QRLPrograma"), QStringLiteral("PRUV - Pruv 2003"), 10, Secao);
    Centrado(b, QStringLiteral("QRLRecibo"), QStringLiteral("RECIBO DE ENTREGA"), 16, 14);
    Regua(b, QStringLiteral("QRSTitulo"), 23);
    RotuloMm(b, QStringLiteral("QRLExercicio"), QString(), 0, 25);
    RotuloMm(b, QStringLiteral("QRLAno"), QString(), 60, 25);
    RotuloMm(b, QStringLiteral("QRLTipo"), QString(), 125, 25);
    RotuloMm(b, QStringLiteral("QRLSitEsp"), QString(), 0, 30, Corpo, true);
    Regua(b, QStringLiteral("QRSDeclarante"), 35);
    RotuloMm(b, QStringLiteral("QRLIdentificacao"), QStringLiteral("Identificação do Declarante"), 0, 36.5, Secao,
             true);
    RotuloMm(b, QStringLiteral("QRLTitCnpjDeclar"), QString(), 0, 42);
    RotuloMm(b, QStringLiteral("QRLNiDeclar"), QString(), 38, 42, Corpo, true);
    RotuloMm(b, QStringLiteral("QRLTitNomeDeclar"), QString(), 0, 47);
    RotuloMm(b, QStringLiteral("QRLNomeDeclar"), QString(), 38, 47, Corpo, true);
}

void TFoRelatoRecibo::CriaEstabelecimentos()
{
    // The funds' title opens the first row of funds.
    TGrupo& titulo = FRelatorio->CriaGrupo(QStringLiteral("QRBTitFundo"));
    titulo.Altura = Mm(6);
    titulo.Chave = [this] {
        const TLinhaEstabelecimentos* linha = LinhaAtual();
        return linha != nullptr && linha->Fundos ? QStringLiteral("F") : QStringLiteral("E");
    };
    titulo.AntesDeImprimir = [this](TBanda&, bool& imprime) {
        const TLinhaEstabelecimentos* linha = LinhaAtual();
        imprime = linha != nullptr && linha->Fundos;
    };
    RotuloMm(titulo, QStringLiteral("QRLTitFundo"), QStringLiteral("Fundos ou Clubes de Investimentos informados"), 0,
             1, Corpo, true);

    TBanda& b = FRelatorio->CriaBanda(TTipoBanda::Detalhe, QStringLiteral("QRBandEstabes"));
    FEstabes = &b;
    b.Altura = Mm(5);
    for (int i = 0; i < TDadosRecibo::EntradasPorLinha; ++i)
        RotuloMm(b, QString::fromLatin1(Estabelecimentos[i]), QString(), 2 + i * 37, 0.5);
    b.AntesDeImprimir = [this](TBanda& banda, bool&) {
        const TLinhaEstabelecimentos* linha = LinhaAtual();
        for (int i = 0; i < TDadosRecibo::EntradasPorLinha; ++i)
            DefineTexto(banda, Estabelecimentos[i],
                        linha != nullptr && i < linha->Entradas.size() ? linha->Entradas.at(i) : QString());
    };
}

void TFoRelatoRecibo::CriaExtrato()
{
    constexpr qreal Passo = 4.5;
    TBanda& b = FRelatorio->CriaBanda(TTipoBanda::Sumario, QStringLiteral("QRBExtrato"));
    FExtrato = &b;
    Regua(b, QStringLiteral("QRSExtrato"), 1);
    RotuloMm(b, QStringLiteral("QRLExtrato"), QStringLiteral("Extrato da Declaração"), 0, 2.5, Secao, true);
    qreal y = 9;
    int n = 0;
    for (const auto& l : LinhasExtrato) {
        if (l.titulo != nullptr) {
            if (n > 0)
                y += 1;
            RotuloMm(b, QStringLiteral("QRLTitulo%1").arg(n), QString::fromUtf8(l.titulo), 0, y, Corpo, true);
            y += Passo;
        }
        RotuloMm(b, QStringLiteral("QRLTexto%1").arg(n), QString::fromUtf8(l.texto), 5, y);
        TRotulo& valor = RotuloMm(b, QString::fromLatin1(l.nome), QString(), 85, y);
        valor.Largura = Mm(40);
        valor.Alinhamento = Qt::AlignRight;
        y += Passo;
        ++n;
    }
    b.Altura = Mm(y + 2);
}

void TFoRelatoRecibo::CriaResponsavel()
{
    TBanda& b = FRelatorio->CriaFilha(QStringLiteral("QRBand4"), *FExtrato);
    FResponsavel = &b;
    b.Altura = Mm(28.5);
    Regua(b, QStringLiteral("QRSResponsavel"), 1);
    RotuloMm(b, QStringLiteral("QRLTitResponsavel"),
             QStringLiteral("Dados da pessoa responsável pelo preenchimento da declaração"), 0, 2.5, Secao, true);
    const struct {
        const char* titulo;
        const char* nome;
        qreal x, y, xValor;
    } campos[] = {
        {"Nome:", "QRLNomeResp", 0, 8.5, 12},
        {"CPF:", "QRLCpfResp", 0, 13, 12},
        {"Correio Eletrônico:", "QRLEmailResp", 0, 17.5, 32},
        {"DDD:", "QRLDddResp", 0, 22, 10},
        {"Telefone:", "QRLTelResp", 30, 22, 47},
        {"Fax:", "QRLFaxResp", 90, 22, 99},
    };
    for (const auto& c : campos) {
        RotuloMm(b, QStringLiteral("Tit") + QString::fromLatin1(c.nome), QString::fromUtf8(c.titulo), c.x, c.y);
        RotuloMm(b, QString::fromLatin1(c.nome), QString(), c.xValor, c.y, Corpo, true);
    }
    // The name has its line to itself, so that one of 60 characters prints whole.
}

void TFoRelatoRecibo::CriaObservacao()
{
    TBanda& b = FRelatorio->CriaFilha(QStringLiteral("CBObservacao"), *FResponsavel);
    FObservacao = &b;
    b.Altura = Mm(30);
    RotuloMm(b, QStringLiteral("QRLAtencao"), QStringLiteral("Atenção:"), 0, 1.5, Corpo, true);
    auto& memo = b.Adiciona<TMemo>(QStringLiteral("QRMemo1"));
    memo.Esquerda = 0;
    memo.Topo = Mm(6);
    memo.Largura = Largura;
    memo.Altura = Mm(23);
    memo.Estica = true;
    memo.Fonte = FonteRelato(Corpo);
}

void TFoRelatoRecibo::CriaAssinatura()
{
    TBanda& b = FRelatorio->CriaFilha(QStringLiteral("CBAssinatura"), *FObservacao);
    FAssinatura = &b;
    b.Altura = Mm(42);
    auto& moldura = b.Adiciona<TForma>(QStringLiteral("QRSMoldura"));
    moldura.Esquerda = 0;
    moldura.Topo = Mm(2);
    moldura.Largura = Largura;
    moldura.Altura = Mm(38);
    Centrado(b, QStringLiteral("QRLCodigoAcesso"), QStringLiteral("CÓDIGO DE ACESSO"), 4, Secao);
    RotuloMm(b, QStringLiteral("QRLNiAcesso"), QString(), 5, 10, Secao, true);
    RotuloMm(b, QStringLiteral("QRLNumRec"), QString(), 5, 15.5, Secao, true);
    Regua(b, QStringLiteral("QRSLinhaAssinatura"), 22, 5, 175);
    RotuloMm(b, QStringLiteral("QRLAssinatura"),
             QStringLiteral("Declaração recebida via internet pelo agente receptor QUABIX"), 5, 25);
    RotuloMm(b, QStringLiteral("QRLDadosAssinatura"), QString(), 5, 30.5);
    RotuloMm(b, QStringLiteral("QRLNumAssinatura"), QString(), 75, 30.5);
    RotuloMm(b, QStringLiteral("QRLNumeroControle"), QString(), 110, 30.5);
}

void TFoRelatoRecibo::CriaRodape()
{
    TBanda& b = FRelatorio->CriaBanda(TTipoBanda::RodapePagina, QStringLiteral("QRBand2"));
    FRodape = &b;
    b.Altura = Mm(8);
    Regua(b, QStringLiteral("QRSRodape"), 1);
    b.AdicionaRotulo(QStringLiteral("QRLNumControleFooter"), QString(), 0, Mm(2.5), FonteRelato(Rodape));
    auto& pagina = b.Adiciona<TDadoSistema>(QStringLiteral("QRSPagina"), TTipoDadoSistema::NumeroPagina);
    pagina.Texto = QStringLiteral("Página: ");
    pagina.Esquerda = Mm(150);
    pagina.Topo = Mm(2.5);
    pagina.Fonte = FonteRelato(Rodape);
    auto& total = b.Adiciona<TDadoSistema>(QStringLiteral("QRSTotalPaginas"), TTipoDadoSistema::TotalPaginas);
    total.Texto = QStringLiteral("de ");
    total.Esquerda = Mm(164);
    total.Topo = Mm(2.5);
    total.Fonte = FonteRelato(Rodape);
}

const TLinhaEstabelecimentos* TFoRelatoRecibo::LinhaAtual() const
{
    return FLinha >= 0 && FLinha < static_cast<int>(FLinhas.size()) ? &FLinhas[FLinha] : nullptr;
}

void TFoRelatoRecibo::MostraObservacao(bool mostra)
{
    // The access block follows the notes when they print, else the responsible person.
    FObservacao->Habilitada = mostra;
    if (mostra) {
        FObservacao->DefinePai(FResponsavel);
        FAssinatura->DefinePai(FObservacao);
    } else {
        FAssinatura->DefinePai(FResponsavel);
    }
}

void TFoRelatoRecibo::Preenche(const TDadosRecibo& d)
{
    FAno = d.Ano;
    FLinhas = d.Linhas;
    FLinha = -1;

    DefineTexto(*FTitulo, "QRLExercicio", d.Exercicio);
    DefineTexto(*FTitulo, "QRLAno", d.AnoCalendario);
    DefineTexto(*FTitulo, "QRLTipo", d.Tipo);
    DefineTexto(*FTitulo, "QRLSitEsp", d.SituacaoEspecial);
    DefineTexto(*FTitulo, "QRLTitCnpjDeclar", d.TituloNi);
    DefineTexto(*FTitulo, "QRLNiDeclar", d.Ni);
    DefineTexto(*FTitulo, "QRLTitNomeDeclar", d.TituloNome);
    DefineTexto(*FTitulo, "QRLNomeDeclar", d.Nome);

    DefineTexto(*FExtrato, LinhasExtrato[0].nome, d.BeneficiariosPf);
    DefineTexto(*FExtrato, LinhasExtrato[1].nome, d.BeneficiariosPj);
    for (int i = 0; i < TDadosRecibo::QuantidadeValores; ++i)
        DefineTexto(*FExtrato, LinhasExtrato[i + 2].nome, d.Valores[i]);

    DefineTexto(*FResponsavel, "QRLNomeResp", d.NomeResponsavel);
    DefineTexto(*FResponsavel, "QRLCpfResp", d.CpfResponsavel);
    DefineTexto(*FResponsavel, "QRLEmailResp", d.EmailResponsavel);
    DefineTexto(*FResponsavel, "QRLDddResp", d.DddResponsavel);
    DefineTexto(*FResponsavel, "QRLTelResp", d.TelefoneResponsavel);
    DefineTexto(*FResponsavel, "QRLFaxResp", d.FaxResponsavel);

    DefineTexto(*FAssinatura, "QRLNiAcesso", d.NiAcesso);
    DefineTexto(*FAssinatura, "QRLNumRec", d.NumeroRecibo);
    DefineTexto(*FAssinatura, "QRLNumeroControle", d.NumeroControle);
    DefineTexto(*FAssinatura, "QRLDadosAssinatura", QString());
    DefineTexto(*FAssinatura, "QRLNumAssinatura", QString());
    DefineTexto(*FRodape, "QRLNumControleFooter", d.NumeroControle);

    // Until a receipt file vouches for the delivery, nothing tells when it was received.
    for (const char* nome : {"QRLAssinatura", "QRLDadosAssinatura", "QRLNumAssinatura", "QRLNumeroControle"})
        Habilita(*FAssinatura, nome, false);
    FObservacao->ElementoDe<TMemo>(QStringLiteral("QRMemo1")).Linhas.clear();
    MostraObservacao(false);
    AjustaPapel(*FRelatorio);
}

QStringList TFoRelatoRecibo::Observacoes(const QDate& recepcao)
{
    // The result of the processing can be looked up a week after the reception.
    const QDate processamento = recepcao.addDays(7);
    return {
        QStringLiteral("Esta declaração será processada posteriormente, estando sujeita à rejeição."),
        QStringLiteral("A partir  de ") + Data(processamento)
            + QStringLiteral(
                ", consulte  o resultado  do  processamento, acessando  a página  da  Secretaria da  Morvex"),
        QStringLiteral("Federal na Internet, no endereço ") + QString::fromLatin1(EnderecoSitio)
            + QStringLiteral(", informando os dados do código de acesso deste recibo."),
        QString(),
        QStringLiteral("Para retificar esta declaração, será exigido o nº do recibo informado abaixo."),
    };
}

void TFoRelatoRecibo::MostraRecepcao(const TRecepcao& recepcao)
{
    DefineTexto(*FAssinatura, "QRLDadosAssinatura", recepcao.Texto());
    DefineTexto(*FAssinatura, "QRLNumAssinatura", recepcao.NumeroRecibo);
    for (const char* nome : {"QRLAssinatura", "QRLDadosAssinatura", "QRLNumAssinatura", "QRLNumeroControle"})
        Habilita(*FAssinatura, nome, true);

    auto& memo = FObservacao->ElementoDe<TMemo>(QStringLiteral("QRMemo1"));
    memo.Linhas.clear();
    const bool notas = FAno.compare(QLatin1String("2002")) >= 0;
    if (notas)
        memo.Linhas = Observacoes(recepcao.Data());
    MostraObservacao(notas);
}

bool TFoRelatoRecibo::Imprime()
{
    if (!ExisteImpressoraOuAvisa())
        return false;
    FRelatorio->Prepara();
    return ImprimeRelatorio(*FRelatorio);
}
