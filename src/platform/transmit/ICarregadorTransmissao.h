#pragma once
#include <QString>
#include <functional>
#include <memory>

// The libraries of the separate transmission program, as this program calls them. The program
// itself lies outside: the sending over the network happens inside its sending library; this
// side only loads the libraries and calls their exports. Each object keeps its library loaded
// for its lifetime and frees it when destroyed.
//
// Contract of the shared objects that stand in for the program's libraries (C linkage, the
// platform's C calling convention, 32-bit int):
//   VORNEL21.DLL  int EnviarDeclaracao(const char* arquivo, char* mensagem);
//                 arquivo: the delivery file's path in the file system's encoding, at most 255
//                 bytes, zero-terminated; mensagem: a buffer of 1024 bytes that receives a
//                 zero-terminated Latin-1 text, lines separated by line feeds.
//   PruvNet03.DLL void SetaGaugeTransmissao(void (*gauge)(int percentual));
//                 from then on the progress of a sending (0 to 100) goes to gauge, also during
//                 EnviarDeclaracao.
//   KORMEX32.DLL  unsigned char VA5(const char* recibo, const char* ni, const char* crc,
//                                   int dia, int mes, int ano, int hora, int minuto, int segundo);
//                 texts in Latin-1; nonzero when the receipt data are authentic.

// The sending library.
class IBibliotecaEnvio {
public:
    // What the library takes as a file name: at most this many bytes.
    static constexpr int TamanhoMaximoArquivo = 255;
    static constexpr int TamanhoMensagem = 1024;

    virtual ~IBibliotecaEnvio() = default;

    // Whether the path fits the library's file-name buffer.
    [[nodiscard]] static bool NomeAceito(const QString& arquivo);

    // Sends one delivery file; answers the library's result (0 delivered) and puts its message
    // text, line feeds kept, into mensagem. A path that NomeAceito refuses raises
    // std::invalid_argument without calling the library.
    virtual int EnviarDeclaracao(const QString& arquivo, QString& mensagem) = 0;
};

// Receives the progress of a sending, in percent.
using TGaugeTransmissao = std::function<void(int percentual)>;

// The progress library.
class IBibliotecaProgresso {
public:
    virtual ~IBibliotecaProgresso() = default;

    // The gauge is called until another is set or this object is destroyed; an empty function
    // stops the reports. An exception raised by the gauge while the sending library runs comes
    // out of EnviarDeclaracao once the library has returned.
    virtual void SetaGaugeTransmissao(TGaugeTransmissao gauge) = 0;
};

// The signature library that certifies the receipt data of a delivered file.
class IBibliotecaAssinatura {
public:
    virtual ~IBibliotecaAssinatura() = default;

    // True when the receipt data are authentic.
    virtual bool VA5(const QString& numeroRecibo, const QString& ni, const QString& crc, int dia, int mes, int ano,
                     int hora, int minuto, int segundo) = 0;
};

// Finds and loads the libraries. Each Carrega... answers null when the library's file is not
// in the folder (its name matched without regard to case), does not load, or lacks its export.
// Loading changes the current folder to the library's folder first, as the program's libraries
// read their own files relative to it; the folder stays current afterwards.
class ICarregadorTransmissao {
public:
    virtual ~ICarregadorTransmissao() = default;

    // The folder that holds the program's INI file (see TInstalacaoTransmissao).
    [[nodiscard]] virtual QString PastaSistema() const = 0;

    // From the program's folder; an empty folder answers null.
    virtual std::unique_ptr<IBibliotecaEnvio> CarregaEnvio(const QString& pasta) = 0;
    // From the program's folder, else by name through the system's library search path.
    virtual std::unique_ptr<IBibliotecaProgresso> CarregaProgresso(const QString& pasta) = 0;
    // From the given folder only; an empty folder answers null.
    virtual std::unique_ptr<IBibliotecaAssinatura> CarregaAssinatura(const QString& pasta) = 0;
};
