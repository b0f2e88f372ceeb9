#pragma once
#include <QIODevice>
#include <QString>

#include "platform/ui/TPergunta.h"

class QFile;
class TArquivoTexto;

// Text files of the exchange routines. None raises: opening asks the user whether to try again,
// reading and writing answer false. Each lets the interface handle its pending events afterwards.

// Creates the folder of Caminho with its parents and the file (written under a temporary name
// until TArquivoTexto::Fecha). On failure asks "Não foi possível abrir o arquivo <Caminho>.
// Tentar Novamente?" (error, Yes and No) through Pergunta (empty: the dialog seam): Yes tries
// again, No answers false.
bool CriaArquivoTexto(TArquivoTexto& Arquivo, const QString& Caminho, const TPergunta& Pergunta = {});
// Opens an existing text file for reading; failure and retry as above.
bool AbreArquivoTexto(TArquivoTexto& Arquivo, const QString& Caminho, const TPergunta& Pergunta = {});
// Opens a file of bytes in that mode; failure and retry as above.
bool AbreArquivo(QFile& Arquivo, const QString& Caminho, QIODevice::OpenMode Modo, const TPergunta& Pergunta = {});
// The first 142 bytes of the file, cut at the first NUL byte; empty when the file cannot be
// opened or read.
QString LeCabecalhoArquivo(const QString& Caminho);

// Writes the line and its CR LF; false on an error, without a message.
bool GravaLinha(TArquivoTexto& Arquivo, const QString& Linha);
// Reads the next line; past the last one Linha is empty. False on an error, without a message.
bool LeLinha(TArquivoTexto& Arquivo, QString& Linha);
// The end of the file. A file that cannot be read shows "Erro de acesso ao arquivo." (error, OK),
// sets Erro and answers true.
bool FimDeArquivo(const TArquivoTexto& Arquivo, bool& Erro);
