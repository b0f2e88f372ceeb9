#include "assistants/import/TFoRelatoErrosImp.h"

#include "exchange/import/CamposImportacao.h"
#include "platform/report/pages/TFonte.h"
#include "platform/report/elements/TMemo.h"
#include "platform/report/elements/TRotulo.h"
#include "platform/report/elements/TTextoDado.h"

namespace {

constexpr int PosicaoAdministrador = 151;   // type 4: the administrator's CNPJ, 14 characters
constexpr qreal ColunaMes = 60;             // left of the first value column
constexpr qreal LarguraValor = 150;

}   // namespace

TFoRelatoErrosImp::TFoRelatoErrosImp(const QString& Modo)
    : TRelatoErros(QStringLiteral("QRRelatoErrosImp"), Titulo(Modo))
{
    CriaBandaCampos(QStringLiteral("QRBCampos"), 7, [this] { return Campos(Log().Linha()); });
    CriaValores();
    CriaSumario(Modo);
}

QString TFoRelatoErrosImp::Titulo(const QString& Modo)
{
    return Modo == QLatin1String(ModoImportacao) ? QStringLiteral("Relatório de Erros de Importação  - Pruv 2003")
                                                 : QStringLiteral("Relatório de Erros - Analisador Pruv 2003");
}

QString TFoRelatoErrosImp::Instrucoes(const QString& Modo)
{
    if (Modo == QLatin1String(ModoImportacao))
        return QStringLiteral(
            "Acima estão apresentadas as linhas do arquivo com os dados para importação que por algum motivo não "
            "puderam ser processadas ou possuem algum aviso. As demais linhas do arquivo já foram importadas, "
            "inclusive as que somente possuem aviso. Você pode corrigir os dados diretamente no arquivo de erro, e "
            "importá-lo novamente. Alternativamente você pode corrigir as linhas no arquivo original e reimportar "
            "toda a Pruv.");
    return QStringLiteral(
        "Acima estão apresentadas as linhas do arquivo com os dados para análise que por algum motivo não puderam "
        "ser processadas ou possuem algum aviso. Você deve corrigi-las diretamente no arquivo txt e analisar a Pruv "
        "novamente.");
}

std::vector<TCampoErro> TFoRelatoErrosImp::Campos(const QString& Linha)
{
    using namespace CamposEntrega;
    const QChar tipo = CaractereLinha(Linha, PosicaoTipo);
    std::vector<TCampoErro> campos = {
        {QStringLiteral("Número do Registro: "), CampoLinha(Linha, 1, 8), 0, 0},
        {QStringLiteral("Tipo do Registro: "), QString(tipo), 0, 1},
    };
    const QString ni = CampoLinha(Linha, PosicaoNi, TamanhoNi);
    const QString nome = CampoLinha(Linha, PosicaoNome, TamanhoNome);
    if (tipo == QLatin1Char('1')) {
        campos.push_back({QStringLiteral("Declarante (CPF ou CNPJ): "), ni, 1, 0});
        campos.push_back({QStringLiteral("Nome do Declarante: "), nome, 2, 0});
        return campos;
    }
    if (tipo == QLatin1Char('4')) {
        campos.push_back({QStringLiteral("CNPJ do Fundo ou Clube: "), ni, 1, 0});
        campos.push_back({QStringLiteral("Nome do Fundo ou Clube: "), nome, 2, 0});
        campos.push_back({QStringLiteral("CNPJ do Declarante(Administrador): "),
                          CampoLinha(Linha, PosicaoAdministrador, TamanhoNi), 3, 0});
        return campos;
    }
    campos.push_back({tipo == QLatin1Char('5') ? QStringLiteral("CNPJ do Fundo ou Clube: ")
                                               : QStringLiteral("Declarante (CPF ou CNPJ): "),
                      ni, 1, 0});
    campos.push_back({QStringLiteral("Código (somente números): "), CampoLinha(Linha, PosicaoCodigo, 4), 1, 1});
    campos.push_back({QStringLiteral("Tipo de beneficiário (1 ou 2): "), CampoLinha(Linha, PosicaoTipoBenef, 1), 2, 0});
    campos.push_back(
        {QStringLiteral("CPF ou CNPJ do Beneficiário: "), CampoLinha(Linha, PosicaoNiBenef, TamanhoNi), 2, 1});
    campos.push_back({QStringLiteral("Nome do Beneficiário: "), nome, 3, 0});
    return campos;
}

bool TFoRelatoErrosImp::MostraValores(const QString& Linha)
{
    const QChar tipo = CaractereLinha(Linha, CamposEntrega::PosicaoTipo);
    return tipo != QLatin1Char('1') && tipo != QLatin1Char('4');
}

void TFoRelatoErrosImp::CriaValores()
{
    TBanda& banda = CriaBandaLinha(QStringLiteral("QRBValores"),
                                   [this](TBanda& b) { b.Habilitada = MostraValores(Log().Linha()); });
    banda.Altura = 4 + 14 * AlturaLinha;
    for (int coluna = 1; coluna <= 3; ++coluna)
        banda.AdicionaRotulo(QStringLiteral("QRLColuna%1").arg(coluna), QStringLiteral("Valor %1ª Coluna").arg(coluna),
                             ColunaMes + LarguraValor * (coluna - 1), 2, Rotulo());
    const char* const meses[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun", "Jul",
                                 "Ago", "Set", "Out", "Nov", "Dez", "13º"};
    for (int mes = 1; mes <= CamposEntrega::Periodos; ++mes) {
        const qreal topo = 2 + mes * AlturaLinha;
        banda.AdicionaRotulo(QStringLiteral("QRLMes%1").arg(mes), QString::fromUtf8(meses[mes - 1]), 0, topo, Rotulo());
        for (int coluna = 1; coluna <= 3; ++coluna) {
            auto& valor = banda.Adiciona<TTextoDado>(QStringLiteral("QRLValor%1_%2").arg(mes).arg(coluna));
            valor.Fonte = Campo();
            valor.Esquerda = ColunaMes + LarguraValor * (coluna - 1);
            valor.Topo = topo;
            valor.Valor = [this, mes, coluna] { return CamposEntrega::Valor(Log().Linha(), mes, coluna); };
        }
    }
}

void TFoRelatoErrosImp::CriaSumario(const QString& Modo)
{
    TBanda& banda = Relatorio().CriaBanda(TTipoBanda::Sumario, QStringLiteral("QRBSumario"));
    banda.Altura = 12 + AlturaLinha;
    auto& memo = banda.Adiciona<TMemo>(QStringLiteral("QRMInstrucoes"));
    memo.Linhas = QStringList{Instrucoes(Modo)};
    memo.Fonte = TFonte::Cria(QStringLiteral("Arial"), 12);
    memo.Topo = 12;
    memo.Altura = AlturaLinha;
    memo.Estica = true;
    AteAMargem(memo);
}

void ExibeRelatorioErrosImp(int Total, const QString& Nome, const QString& Modo)
{
    TFoRelatoErrosImp formulario(Modo);
    formulario.Total = Total;
    if (!formulario.Abre(Nome))
        return;
    formulario.DefineArquivo(formulario.Log().NomeArquivoTxt());
    formulario.Visualiza();
}
