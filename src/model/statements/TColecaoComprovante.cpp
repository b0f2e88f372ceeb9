#include "model/statements/TColecaoComprovante.h"

#include "model/statements/TColecaoCompensavel.h"
#include "model/statements/TColecaoComprovantePF.h"
#include "model/statements/TColecaoComprovantePJ.h"
#include "model/statements/TColecaoInfoCompl.h"
#include "model/statements/TComprovantePF.h"
#include "model/statements/TComprovantePJ.h"
#include "model/storage/OperacoesTabela.h"
#include "model/values/PastasPrograma.h"
#include "platform/db/sqlite/TDatabase.h"

namespace {

const QString Ordinaria = QStringLiteral("0");
const QString IN4 = QStringLiteral("1");

}   // namespace

TColecaoComprovante::TColecaoComprovante(IDeclaracao& Declaracao, TFonteItens Itens)
    : FItens(std::move(Itens))
    , FPF(std::make_unique<TColecaoComprovantePF>(Declaracao))
    , FPJ(std::make_unique<TColecaoComprovantePJ>(Declaracao))
    , FCompensavel(std::make_unique<TColecaoCompensavel>(Declaracao))
    , FInfoCompl(std::make_unique<TColecaoInfoCompl>(Declaracao))
{}

TColecaoComprovante::~TColecaoComprovante() = default;

bool TColecaoComprovante::Carrega(TComprovante& Comprovante)
{
    Comprovante.AdicionaItens(FItens());
    if (auto* pf = dynamic_cast<TComprovantePF*>(&Comprovante)) {
        FInfoCompl->SetIN4(Ordinaria);
        const bool boxes = FPF->Carrega(*pf);
        const bool compensavel = FCompensavel->Carrega(*pf);
        const bool info = FInfoCompl->Carrega(*pf);
        return boxes || compensavel || info;
    }
    if (auto* pj = dynamic_cast<TComprovantePJ*>(&Comprovante)) {
        const bool linhas = FPJ->Carrega(*pj);
        FInfoCompl->SetIN4(Ordinaria);
        const bool info = FInfoCompl->Carrega(*pj);
        FInfoCompl->SetIN4(IN4);
        const bool infoIN4 = FInfoCompl->Carrega(*pj);
        return linhas || info || infoIN4;
    }
    return false;
}

void TColecaoComprovante::Salva(TComprovante& Comprovante)
{
    EmTransacao([&] {
        if (auto* pf = dynamic_cast<TComprovantePF*>(&Comprovante)) {
            if (pf->GetAlterado() && !pf->PossuiValores())
                FPF->Exclui(*pf);
            else
                FPF->Salva(*pf);
            FCompensavel->Salva(*pf);
            FInfoCompl->SetIN4(Ordinaria);
            FInfoCompl->Salva(*pf);
        } else if (auto* pj = dynamic_cast<TComprovantePJ*>(&Comprovante)) {
            FPJ->Salva(*pj);
            FInfoCompl->SetIN4(Ordinaria);
            FInfoCompl->Salva(*pj);
            FInfoCompl->SetIN4(IN4);
            FInfoCompl->Salva(*pj);
        }
    });
}

void TColecaoComprovante::Exclui(TComprovante& Comprovante)
{
    EmTransacao([&] {
        if (auto* pf = dynamic_cast<TComprovantePF*>(&Comprovante)) {
            FPF->Exclui(*pf);
            for (int i = 0; i < pf->QuantidadeRendimentosParciais(); ++i)
                FCompensavel->Exclui(*pf, i);
            FInfoCompl->SetIN4(Ordinaria);
            FInfoCompl->Exclui(*pf);
        } else if (auto* pj = dynamic_cast<TComprovantePJ*>(&Comprovante)) {
            for (int i = 0; i < pj->QuantidadeLinhas(); ++i)
                FPJ->Exclui(*pj, i);
            FInfoCompl->SetIN4(Ordinaria);
            FInfoCompl->Exclui(*pj);
            FInfoCompl->SetIN4(IN4);
            FInfoCompl->Exclui(*pj);
        }
    });
}

void TColecaoComprovante::ExcluiTodos()
{
    EmTransacao([&] {
        FPF->ExcluiTodos();
        FPJ->ExcluiTodos();
        FCompensavel->ExcluiTodos();
        FInfoCompl->ExcluiTodos();
    });
}

void TColecaoComprovante::EmTransacao(const std::function<void()>& Acao)
{
    // Only the commit is left to fail outside the collections, which name their own table.
    ::EmTransacao(*TDatabase::DaPasta(DiretorioDados()), TDatabase::NomeArquivo(), Acao, [this] { Desfaz(); });
}

void TColecaoComprovante::Desfaz()
{
    FPF->Desfaz();
    FPJ->Desfaz();
    FCompensavel->Desfaz();
    FInfoCompl->Desfaz();
}
