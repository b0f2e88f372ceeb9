#include "platform/transmit/ICarregadorTransmissao.h"

#include <QFile>

bool IBibliotecaEnvio::NomeAceito(const QString& arquivo)
{
    return QFile::encodeName(arquivo).size() <= TamanhoMaximoArquivo;
}
