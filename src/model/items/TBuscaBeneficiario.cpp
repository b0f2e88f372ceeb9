#include "model/items/TBuscaBeneficiario.h"

#include "platform/db/sqlite/TComando.h"
#include "platform/db/sqlite/TEsquemaTabela.h"

namespace {

bool Igual(QByteArrayView Coluna, const std::string& Guardada, bool Nula)
{
    return (Coluna.data() == nullptr) == Nula && Coluna == QByteArrayView(Guardada);
}

void Liga(TComando& Busca, int Posicao, QByteArrayView Valor)
{
    Busca.Liga(Posicao, Valor.data() ? QVariant(QString::fromUtf8(Valor)) : QVariant());
}

}   // namespace

TBuscaBeneficiario::TBuscaBeneficiario(std::shared_ptr<TDatabase> Banco, const QString& Tabela,
                                       const QString& Declaracao)
    : FBanco(std::move(Banco))
{
    FBusca = FBanco->ComandoDevolvido(
        QStringLiteral("SELECT IN_PF_PJ,NR_PF_PJ,NM_NM_EMPR FROM %1 WHERE E_PRUV_DK = ?1 AND IN_PF_PJ = ?2 "
                       "AND NR_PF_PJ = ?3")
            .arg(TEsquemaTabela::Aspas(Tabela)));
    FBusca->LigaTexto(1, Declaracao);
    FBanco->RegistraLeitor(this);
}

TBuscaBeneficiario::~TBuscaBeneficiario()
{
    FBanco->RemoveLeitor(this);
    FBanco->DevolveComando(std::move(FBusca));
}

const TBeneficiarioLido::TColunas& TBuscaBeneficiario::Colunas(QByteArrayView Tipo, QByteArrayView Numero)
{
    if (FValida && Igual(Tipo, FChave[0], FChaveNula[0]) && Igual(Numero, FChave[1], FChaveNula[1]))
        return FColunas;
    FValida = false;
    for (const auto& [c, valor] : {std::pair{0, Tipo}, std::pair{1, Numero}}) {
        FChaveNula[c] = valor.data() == nullptr;
        FChave[c].assign(valor.data() ? valor.data() : "", static_cast<std::size_t>(valor.size()));
    }
    Liga(*FBusca, 2, Tipo);
    Liga(*FBusca, 3, Numero);
    FBusca->Reinicia();
    const bool achou = FBusca->Passo();
    for (int c = 0; c < TBeneficiarioLido::Colunas; ++c) {
        const QByteArrayView valor = achou ? FBusca->Bytes(c) : QByteArrayView();
        FValores[c].assign(valor.data() ? valor.data() : "", static_cast<std::size_t>(valor.size()));
        FColunas[c] = valor.data() ? QByteArrayView(FValores[c]) : QByteArrayView();
    }
    FBusca->Reinicia();
    FValida = true;
    return FColunas;
}

void TBuscaBeneficiario::SoltaLeituras()
{
    FValida = false;
    FBusca->Reinicia();
}
