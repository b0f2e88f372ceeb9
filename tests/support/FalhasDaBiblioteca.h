#pragma once
#include <QByteArray>

#include "platform/files/TFalhasDeArquivo.h"

// The C library's file calls of a test program, failed on demand: the Biblioteca layer of
// FalhasDeArquivo, which arms it.
namespace FalhasDaBiblioteca {

// Asked for each call of the arming thread on a file under the folder, with its kind.
using Decisor = TFalhasDeArquivo::Efeito (*)(unsigned operacao, const char* caminho);

void Liga(const QByteArray& pasta, Decisor decisor);
void Desliga();

}   // namespace FalhasDaBiblioteca
