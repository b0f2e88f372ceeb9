#include "assistants/import/TFoErrosImportCompr.h"

#include "platform/report/pages/TFonte.h"
#include "platform/report/elements/TMemo.h"
#include "platform/report/elements/TRotulo.h"

namespace {

// Captions of fields 1 to 12, and where each prints.
const struct {
    const char* Rotulo;
    int Linha;
    int Coluna;
} Rotulos[] = {
    {"Beneficiário", 0, 0},
    {"Previdência Oficial", 0, 1},
    {"Previdência Privada", 1, 0},
    {"Pensão Alimentícia", 1, 1},
    {"Aposentadoria", 2, 0},
    {"Diárias", 2, 1},
    {"Invalidez", 3, 0},
    {"Lucro de PJ", 3, 1},
    {"Titular Microempr.", 4, 0},
    {"Indenizações", 4, 1},
    {"Descrição de Outros Rendimentos Isentos", 5, 0},
    {"Outros Rend. Isent.", 6, 0},
};

}   // namespace

TFoErrosImportCompr::TFoErrosImportCompr()
    : TRelatoErros(QStringLiteral("QRErrosImportCompr"),
                   QStringLiteral("Relatório de Erros de Importação de Comprovantes - Pruv 2003"))
{
    CriaBandaCampos(QStringLiteral("QRBCampos"), 12, [this] {
        FRegistro.SetLinha(Log().Linha());
        return Campos(FRegistro);
    });
    CriaInformacoes();
}

std::vector<TCampoErro> TFoErrosImportCompr::Campos(const TRegistroComprovante& Registro)
{
    std::vector<TCampoErro> campos;
    int n = 0;
    for (const auto& r : Rotulos) {
        ++n;
        campos.push_back({QString::fromUtf8(r.Rotulo), Registro.Campo(n), r.Linha, r.Coluna});
    }
    return campos;
}

void TFoErrosImportCompr::CriaInformacoes()
{
    TBanda& banda = CriaBandaLinha(QStringLiteral("QRBInformacoes"), [this](TBanda& b) {
        FRegistro.SetLinha(Log().Linha());
        b.ElementoDe<TMemo>(QStringLiteral("QRMInformacoes")).Linhas = QStringList{
            FRegistro.Campo(TRegistroComprovante::Campos)};
    });
    banda.Altura = 2 * AlturaLinha + 6;
    const QString rotulo = QStringLiteral("Informações Complementares:");
    banda.AdicionaRotulo(QStringLiteral("QRLInformacoes"), rotulo, 0, 2, Rotulo());
    auto& memo = banda.Adiciona<TMemo>(QStringLiteral("QRMInformacoes"));
    memo.Fonte = Campo();
    memo.Topo = 2 + AlturaLinha;
    memo.Altura = AlturaLinha;
    memo.Estica = true;
    AteAMargem(memo);
}

void ExibeErrosImportCompr(const QString& Nome, int Total)
{
    if (Total < 1 || Nome.trimmed().isEmpty())
        return;
    TFoErrosImportCompr formulario;
    formulario.Total = Total;
    if (!formulario.Abre(Nome))
        return;
    formulario.DefineArquivo(formulario.Log().NomeArquivoDsc());
    formulario.Visualiza();
    formulario.Log().Fecha();
    formulario.Log().ApagaArquivos();
}
