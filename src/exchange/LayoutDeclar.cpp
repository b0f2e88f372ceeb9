#include "exchange/LayoutDeclar.h"

#include <stdexcept>

#include "exchange/TLinhaFixa.h"
#include "model/TNi.h"
#include "model/Utilitarios.h"

namespace LayoutDeclar {

QString NiDaLinha(const QString& Ni, bool PessoaFisica)
{
    const QString ni = Ni.trimmed();
    return PessoaFisica ? QStringLiteral("000") + ni : ni;
}

QString NomeDaLinha(const QString& Nome, bool PessoaFisica)
{
    return NormalizaTexto(Nome, PessoaFisica);
}

QString CnpjDoEstabelecimento(const QString& Cnpj, const QString& Ordem)
{
    const QString raiz = Cnpj.left(8) + Ordem;
    return raiz + CalculaDV(raiz);
}

QString ZerosADireita(const QString& Texto, int Largura)
{
    return (QString(Largura, QLatin1Char('0')) + Texto).right(Largura);
}

TLinhaFixa NovaLinha(int Sequencia, char Tipo, const QString& NiDaLinha)
{
    TLinhaFixa linha(TamanhoRegistro);
    Numera(linha, Sequencia);
    const char tipo[1] = {Tipo};
    linha.Bytes(9, 1, QByteArrayView(tipo, 1));
    linha.Texto(10, 14, NiDaLinha);
    return linha;
}

void Numera(TLinhaFixa& Linha, int Sequencia)
{
    if (!Linha.Numero(1, 8, Sequencia))
        throw std::overflow_error("more lines than the sequence number can count");
}

}  // namespace LayoutDeclar
