#pragma once
#include <QString>

#include "platform/compress/TAndamento.h"

// The program's one packing and CRC service (a TCompactador shared by every caller), under the
// names the callers know. Results and contracts are those of TCompactador; one thread only.

int AdicionaArquivo(const QString& caminho);
quint32 CalculaCRC32(const char* texto, quint32 tamanho, quint32 crc);
void CancelarCompressao();
int Comprimir(const QString& arquivo, const TProgressoCompressao& progresso);
int ErroSistemaCompressao();         // TCompactador::ErroSistema
QString ArquivoDoErroCompressao();   // TCompactador::ArquivoDoErro
int ComprimirPruv(QString& arquivo, const TProgressoCompressao& progresso, const QString& segundoCaminho = QString());
int Descomprimir(const QString& arquivo, const QString& pasta, const TProgressoCompressao& progresso);
int DescomprimirPruv(const QString& arquivo, const QString& pasta, const TProgressoCompressao& progresso);
int DescomprimirReciboPruv(const QString& arquivo, const QString& pasta);
quint32 ObtemCRCDeclaracao();
