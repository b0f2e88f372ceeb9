#include "model/values/TArquivoIni.h"

#include <cerrno>

#include "model/values/PastasPrograma.h"
#include "model/values/TErro.h"
#include "platform/files/TIniFile.h"
#include "platform/files/TMotivoSistema.h"

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
    } catch (const EIniFile& e) {
        // A full or failing disk is what 159 tells; anything else (a folder in the way, a file or
        // folder the user may not write) is told by its own cause, not as the disk.
        switch (e.Erro()) {
        case 0:
        case EIO:
        case ENOSPC:
        case EDQUOT:
            throw TErro(CodigoMensagem::FalhaNaGravacao, Caminho(), 0);
        default:
            throw TErro(CodigoMensagem::ArquivoNaoAberto,
                        Caminho() + QStringLiteral(": ") + TMotivoSistema::Texto(e.Erro()), 0);
        }
    }
}
