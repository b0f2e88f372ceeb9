#include "model/values/TArquivoIni.h"

#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/files/TIniFile.h"

QString TArquivoIni::Caminho()
{
    return DiretorioPrograma() + QStringLiteral("/pruv2003.ini");
}

QString TArquivoIni::LeString(const QString& Secao, const QString& Chave, const QString& Padrao)
{
    return TIniFile(Caminho()).ReadString(Secao, Chave, Padrao);
}

void TArquivoIni::GravaString(const QString& Secao, const QString& Chave, const QString& Valor)
{
    try {
        TIniFile(Caminho()).WriteString(Secao, Chave, Valor);
    } catch (const EIniFile&) {
        throw TErro(CodigoMensagem::FalhaNaGravacao, Caminho(), 0);
    }
}
