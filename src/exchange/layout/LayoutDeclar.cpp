#include "exchange/layout/LayoutDeclar.h"

#include <stdexcept>

#include "exchange/layout/TLinhaFixa.h"
#include "model/people/TNi.h"
#include "model/values/CamposEntrega.h"

namespace LayoutDeclar {

QString NiDaLinha(const QString& Ni, bool PessoaFisica)
{
    const QString ni = Ni.trimmed();
    return PessoaFisica ? QStringLiteral("000") + ni : ni;
}

namespace {

// A name that normalising leaves as it is: single blanks between printable ASCII characters,
// none of them a small letter, nor, for a person, an apostrophe or a full stop. Most stored
// names are, and this spares every value line a copy of its name.
bool JaNormalizado(const QString& Nome, bool PessoaFisica)
{
    char16_t anterior = u' ';   // no blank at the start
    for (const QChar c : Nome) {
        const char16_t u = c.unicode();
        if (u == u' ') {
            if (anterior == u' ')
                return false;
        } else if (u < 0x21 || u > 0x7E || (u >= u'a' && u <= u'z') || (PessoaFisica && (u == u'\'' || u == u'.'))) {
            return false;
        }
        anterior = u;
    }
    return anterior != u' ' || Nome.isEmpty();   // no blank at the end
}

}   // namespace

QString NomeDaLinha(const QString& Nome, bool PessoaFisica)
{
    return JaNormalizado(Nome, PessoaFisica) ? Nome : NormalizaTexto(Nome, PessoaFisica);
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

}   // namespace LayoutDeclar
